// The words a source text shows: what the disc's word index is built from, by lxdisc
// and by the search benchmark alike.
#pragma once

#include <string>

// The visible text of an RTF fragment: control words, groups' braces and link targets
// ("\{kind:target\}") left out, each replaced by a blank so that words stay apart.
std::string lxRtfVisibleText(const std::string& rtf);
