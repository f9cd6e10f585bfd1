// The search's query language.
#include "almanac/search/query.h"

#include <string_view>

#include "values/charmaps.h"

namespace {

// Blank, tab, backslash and the punctuation that separates words.
constexpr std::string_view kDelimiters = " \t\\;=<>,.!#\"{}'+-|%:/";

std::vector<std::string> tokens(std::string_view text) {
  std::vector<std::string> all;
  std::string current;
  for (unsigned char c : text) {
    if (lxIsWordDelimiter(c)) {
      if (!current.empty()) all.push_back(std::move(current));
      current.clear();
    } else {
      current += static_cast<char>(c);
    }
  }
  if (!current.empty()) all.push_back(std::move(current));
  return all;
}

}  // namespace

bool lxIsWordDelimiter(unsigned char c) {
  return c != 0 && kDelimiters.find(static_cast<char>(c)) != std::string_view::npos;
}

std::string lxComparisonForm(std::string_view text) {
  std::string form(text);
  for (char& c : form) {
    c = static_cast<char>(tqvCharmaps::plain[tqvCharmaps::lower[static_cast<unsigned char>(c)]]);
  }
  return form;
}

std::vector<std::string> lxWordsOf(std::string_view text) {
  std::vector<std::string> words;
  for (std::string& token : tokens(lxComparisonForm(text))) {
    // Parentheses and stars belong to queries, not to the words of a text.
    std::string word;
    for (char c : token) {
      if (c != '(' && c != ')' && c != '*') word += c;
    }
    if (!word.empty()) words.push_back(std::move(word));
  }
  return words;
}

std::vector<lxQueryTerm> lxParseQuery(std::string_view query) {
  std::vector<lxQueryTerm> terms;
  std::vector<std::string> all = tokens(lxComparisonForm(query));
  for (size_t i = 0; i < all.size(); ++i) {
    std::string token = all[i];
    lxQueryTerm term;
    if (token == "*") {
      term.words = {"all"};
    } else if (token.size() > 1 && token.back() == '*') {
      term.kind = lxQueryTerm::Kind::Prefix;
      token.pop_back();
      term.words = {token};
    } else if (token.front() == '(' && token.back() == ')' && token.size() >= 2) {
      term.words = {token.substr(1, token.size() - 2)};
    } else if (token.front() == '(') {
      // A phrase runs to the token that closes it, or to the end of the query.
      term.kind = lxQueryTerm::Kind::Phrase;
      std::string word = token.substr(1);
      for (bool closed = false;;) {
        if (!word.empty() && word.back() == ')') {
          word.pop_back();
          closed = true;
        }
        term.words.push_back(word);
        if (closed || i + 1 >= all.size()) break;
        word = all[++i];
      }
    } else {
      term.words = {token};
    }
    // Words that are empty once their parentheses are gone look nothing up.
    std::erase_if(term.words, [](const std::string& w) { return w.empty(); });
    if (!term.words.empty()) terms.push_back(std::move(term));
  }
  return terms;
}
