// The compile list: the resources the almanac reads compiled, written as ".etn" files.
// The tables "Global" ("Global.tbl"), "TestData" ("testdata.tbl") and "RelyData"
// ("relydata.tbl") are compiled as the resource manager compiles tables; every screen
// registered by the almanac whose text form ("FILE.frm") is on the disc is written as the
// binary encoding of that form, "file.etn" (lower case), which the program opens by the
// screen's name.
#pragma once

#include <string>
#include <vector>

#include "values/handle.h"

// Writes the compiled file of one screen's text form (a form in the notation) to `out`;
// false when the file is not a form or cannot be written.
bool lxCompileScreen(const tqvHandle& textFile, const tqvHandle& out);

struct lxCompileReport {
  int written = 0;
  std::vector<std::string> failed;  // resource names
};
// Compiles every table and screen of the list that the disc has, into "ResourcePath"
// when set, else the media root.
lxCompileReport lxCompileAll();
