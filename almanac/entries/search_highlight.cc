// The search terms of a query marked in an entry's RTF text.
#include "almanac/entries/search_highlight.h"

#include <vector>

#include "almanac/search/query.h"

namespace {

struct Term {
  std::string text;
  bool prefix = false;
};

bool startsWith(const std::string& s, char c) {
  return !s.empty() && s.front() == c;
}
bool endsWith(const std::string& s, char c) {
  return !s.empty() && s.back() == c;
}

std::vector<Term> termsOf(std::string_view query) {
  std::vector<std::string> tokens;
  std::string form = lxComparisonForm(query), current;
  for (char c : form) {
    if (c == ' ') {
      if (!current.empty()) tokens.push_back(std::move(current));
      current.clear();
    } else {
      current += c;
    }
  }
  if (!current.empty()) tokens.push_back(std::move(current));

  std::vector<Term> terms;
  for (size_t i = 0; i < tokens.size(); ++i) {
    std::string token = tokens[i];
    if (endsWith(token, '*')) {
      terms.push_back({token.substr(0, token.size() - 1), true});
    } else if (startsWith(token, '(') && endsWith(token, ')')) {
      terms.push_back({token.substr(1, token.size() - 2), false});
    } else if (startsWith(token, '(')) {
      std::string phrase = token.substr(1);
      while (i + 1 < tokens.size()) {
        std::string next = tokens[++i];
        bool last = endsWith(next, ')');
        phrase += " " + (last ? next.substr(0, next.size() - 1) : next);
        if (last) break;
      }
      terms.push_back({phrase, false});
    } else {
      terms.push_back({token, false});
    }
  }
  return terms;
}

bool mayPrecede(char c) {
  return c == ' ' || c == '(' || c == '{' || c == '"' || c == '-';
}
bool mayFollow(char c) {
  return std::string_view(" .,\";})!?-").find(c) != std::string_view::npos;
}

}  // namespace

std::string lxHighlightSearchTerms(std::string_view query, std::string_view rtf) {
  static constexpr std::string_view kOpen = "{\\strike ";
  std::string text(rtf);
  std::string form = lxComparisonForm(rtf);
  for (const Term& term : termsOf(query)) {
    if (term.text.empty()) continue;
    size_t from = 0;
    for (size_t at; (at = form.find(term.text, from)) != std::string::npos;) {
      size_t start = at, end = at + term.text.size();
      size_t close = form.find("}!", at), open = form.find('{', at);
      bool inLink = close != std::string::npos && (open == std::string::npos || close < open);
      size_t groupStart = inLink ? form.rfind('{', at) : std::string::npos;
      if (groupStart != std::string::npos) {
        start = groupStart;
        end = close + 1;
      }
      // A second term that meets an occurrence already marked leaves it as it is.
      bool marked =
          start >= kOpen.size() && form.compare(start - kOpen.size(), kOpen.size(), kOpen) == 0;
      // A link's target ("!\{kind:argument\}") is never marked: it would no longer lead
      // anywhere.
      size_t target = form.rfind("!\\{", at);
      bool inTarget = target != std::string::npos && form.find("\\}", target) > at;
      bool before = start == 0 || mayPrecede(form[start - 1]);
      bool after = term.prefix || end == form.size() || mayFollow(form[end]);
      if (marked || inTarget || !before || !after) {
        from = at + 1;
        continue;
      }
      text.insert(end, "}");
      text.insert(start, kOpen);
      form.insert(end, "}");
      form.insert(start, kOpen);
      from = end + kOpen.size() + 1;
    }
  }
  return text;
}
