// The parser of the small RTF subset that entry texts, captions and help texts are
// written in: one pass over the text turns it into a flat list of runs (text, format
// changes, paragraph marks, tabs, hot spots, markers, images, struck text, boxes) and the
// list of fonts the runs refer to.
#pragma once

#include "values/handle.h"

// Kinds of the runs in "TextRuns". A run without values is its kind (an int); a run with
// values is a list of the kind and the values, nil values left out.
enum : TQVINT {
  TQV_RUN_FORMAT = 1,      // font index, text colour, background colour, alignment
  TQV_RUN_TEXT = 2,        // the text
  TQV_RUN_PAGE = 3,        // \page
  TQV_RUN_CHARACTER = 4,   // \'hh: the character code
  TQV_RUN_PARAGRAPH = 5,   // \par
  TQV_RUN_CENTRE = 6,      // \qc
  TQV_RUN_LEFT = 7,        // \ql
  TQV_RUN_RIGHT = 8,       // \qr
  TQV_RUN_TAB = 9,         // \tab
  TQV_RUN_IMAGE = 10,      // {\img name\}: the image's name
  TQV_RUN_HOT_SPOT = 12,   // visible text, target
  TQV_RUN_HOT_IMAGE = 13,  // image name, target: the image just placed is the hot spot
  TQV_RUN_TAB_STOP = 14,   // \tx: position in twips
  TQV_RUN_RIGHT_TAB_STOP = 15,
  TQV_RUN_PLAIN_PARAGRAPH = 16,  // \pard
  TQV_RUN_MARKER = 17,           // "MARKER", the marker's name
  TQV_RUN_FIRST_INDENT = 18,     // \fi: twips
  TQV_RUN_LEFT_INDENT = 19,      // \li: twips
  TQV_RUN_STRUCK = 20,           // the struck text (a search hit)
  TQV_RUN_STRUCK_HOT_SPOT = 21,  // visible text, target
  TQV_RUN_BOX = 22,              // \box: the box number
};

// Parses the request table: "Type" ("RTF"), "Buffer" (the text: a string or a buffer),
// "Font" (the base font), "Align", "ForeColor", "BackColor", "HotStyle", "HotColor".
// Returns a table with "TextRuns" and "ListFonts". Any byte sequence yields some runs, in
// time and memory linear in its length. A "Type" other than "RTF" reports "Invalid parse
// type: " and the type and gives nil; a "Buffer" that is neither a string nor a buffer
// reports "Bad buffer or string passed to parseRTF::init()" and gives nil; a bad digit
// after \' reports "Bad hex character while parsing rtf"; a base font whose name is not a
// string shows "Warning: font problem" in a warning box and parsing goes on.
tqvHandle tqvParseRTF(const tqvHandle& request);
