// The search's query language and the comparison form of text.
//
// Text is compared in its plain lower-case form (case and accents dropped). A query is
// split at blanks and punctuation (parentheses and "*" are not delimiters) into terms:
// a plain word; "*" alone, which stands for the word "all"; a prefix ("astro*": every
// word that begins with "astro"); a parenthesised word ("(sol)"); or a phrase, from a
// token that opens a parenthesis to the one that closes it ("(rio amazonas)"), whose
// words are each looked up.
#pragma once

#include <string>
#include <string_view>
#include <vector>

struct lxQueryTerm {
  enum class Kind { Word, Prefix, Phrase };
  Kind kind = Kind::Word;
  // One word (the prefix without its "*"), or the words of a phrase without the
  // parentheses; in comparison form.
  std::vector<std::string> words;

  bool operator==(const lxQueryTerm&) const = default;
};

// The comparison form of code page 1252 text.
std::string lxComparisonForm(std::string_view text);
// Whether a code page 1252 byte separates words.
bool lxIsWordDelimiter(unsigned char c);
// The words of a text in comparison form, in order (repeats kept).
std::vector<std::string> lxWordsOf(std::string_view text);
// The terms of a query (code page 1252).
std::vector<lxQueryTerm> lxParseQuery(std::string_view query);
