// Printing values as text: the plain form and the notation form that reads back.
#pragma once

#include <string>

#include "values/handle.h"

// The value as a string value; see tqvAppendText.
tqvHandle tqvToText(const tqvHandle& h, bool notation);
std::string tqvToStdString(const tqvHandle& h, bool notation);

// Appends the text of a value. nil "TQV_NIL", unique "#<unique N>", booleans "true" or
// "false", ints "%ld", floats "%g"; heap values print themselves.
void tqvAppendText(std::string& out, const tqvHandle& h, bool notation);

// The printer's indentation: a process-wide run of spaces that nested lists and tables
// grow while their items print, so that continuation lines line up.
const std::string& tqvIndentation();

// Grows the indentation by `spaces` for the lifetime of the object.
class tqvIndentScope {
 public:
  explicit tqvIndentScope(size_t spaces);
  ~tqvIndentScope();
  tqvIndentScope(const tqvIndentScope&) = delete;
  tqvIndentScope& operator=(const tqvIndentScope&) = delete;

 private:
  size_t saved_;
};
