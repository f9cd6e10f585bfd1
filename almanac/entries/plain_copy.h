// The plain text a text form copies: the title and the RTF text parsed with a base font,
// keeping only the text of plain runs and hot spots, and a line feed for each paragraph
// mark.
#pragma once

#include <string>
#include <string_view>

#include "values/handle.h"

// The plain text of parsed "TextRuns" (code page 1252).
std::string lxPlainTextOfRuns(const tqvHandle& runs);
// The plain text of `title` (nil for none) and `text`, both RTF strings: with a title,
// title + "\par\par " + text. Parsed with `fontName` at 9 points, plain.
std::string lxPlainTextForCopy(const tqvHandle& title, const tqvHandle& text,
                               std::string_view fontName);
