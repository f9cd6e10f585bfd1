// The search terms of a query marked in an entry's RTF text, so that the text view shows
// them as search hits: each qualifying occurrence is wrapped as "{\strike " + the text +
// "}". Terms are compared in the comparison form (case and accents dropped). A query is
// split at blanks: "word*" is a prefix, "(word)" a word, "(two words)" a phrase joined
// by single blanks, anything else a word. An occurrence needs a blank, "(", "{", a double
// quote or "-" before it (or the start of the text) and, unless it is a prefix, a blank,
// ".", ",", a double quote, ";", "}", ")", "!", "?" or "-" after it (or the end of the
// text). An occurrence inside a link's visible text (the next "}!" comes before the next
// "{") marks the whole link group, from its "{" to its "}"; an occurrence inside a
// link's target ("!\{" to "\}") is left alone.
#pragma once

#include <string>
#include <string_view>

// Both texts are code page 1252.
std::string lxHighlightSearchTerms(std::string_view query, std::string_view rtf);
