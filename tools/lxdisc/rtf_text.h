// The RTF of the sources as the text view reads it, and what the checks look for in it.
#pragma once

#include <string>
#include <vector>

namespace lxdisc {

// UTF-8 RTF to code page 1252 RTF. Characters stay as bytes rather than \'hh escapes: the
// parser ends a hot spot's target at a backslash, so an escape would cut a title short.
std::string toDiscRtf(const std::string& utf8);

// The picture names of `{\img NAME\}` runs, in order.
std::vector<std::string> pictureNames(const std::string& rtf);

// The targets of hot spots, `!\{TARGET\}`, in order.
std::vector<std::string> linkTargets(const std::string& rtf);

// An entry link: the hot spot that opens the entry of that title.
std::string entryLink(const std::string& title);

// The lower-case, trimmed code page 1252 form a title is looked up by.
std::string lookupForm(const std::string& utf8);

}  // namespace lxdisc
