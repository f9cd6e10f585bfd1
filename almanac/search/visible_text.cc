// The visible text of the disc's RTF sources.
#include "almanac/search/visible_text.h"

#include <cctype>

std::string lxRtfVisibleText(const std::string& rtf) {
  std::string text;
  for (size_t i = 0; i < rtf.size(); ++i) {
    char c = rtf[i];
    if (c == '{' || c == '}') {
      text += ' ';
    } else if (c != '\\') {
      text += c;
    } else if (i + 1 < rtf.size() && rtf[i + 1] == '{') {
      // A link's target runs to "\}" and is not shown.
      size_t end = rtf.find("\\}", i + 2);
      i = end == std::string::npos ? rtf.size() : end + 1;
      text += ' ';
    } else if (i + 1 < rtf.size() && std::isalpha(static_cast<unsigned char>(rtf[i + 1]))) {
      size_t j = i + 1;
      while (j < rtf.size() && std::isalpha(static_cast<unsigned char>(rtf[j]))) ++j;
      if (j < rtf.size() && rtf[j] == '-') ++j;
      while (j < rtf.size() && std::isdigit(static_cast<unsigned char>(rtf[j]))) ++j;
      if (j < rtf.size() && rtf[j] == ' ') ++j;
      i = j - 1;
      text += ' ';
    } else if (i + 1 < rtf.size()) {
      ++i;  // an escaped character stands for itself
      text += rtf[i] == '\\' ? '\\' : ' ';
    }
  }
  return text;
}
