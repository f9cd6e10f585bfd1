// Turning source RTF into disc RTF, and scanning it for pictures and links.
#include "tools/lxdisc/rtf_text.h"

#include "values/cp1252.h"
#include "values/string.h"

namespace lxdisc {
namespace {

// The texts between each `open` and the next `close`.
std::vector<std::string> between(const std::string& text, const std::string& open,
                                 const std::string& close) {
  std::vector<std::string> found;
  size_t at = 0;
  while ((at = text.find(open, at)) != std::string::npos) {
    at += open.size();
    size_t end = text.find(close, at);
    if (end == std::string::npos) break;
    found.push_back(text.substr(at, end - at));
    at = end + close.size();
  }
  return found;
}

}  // namespace

std::string toDiscRtf(const std::string& utf8) {
  return tqvUtf8ToCp1252(utf8);
}

std::vector<std::string> pictureNames(const std::string& rtf) {
  return between(rtf, "\\img ", "\\}");
}

std::vector<std::string> linkTargets(const std::string& rtf) {
  return between(rtf, "!\\{", "\\}");
}

std::string entryLink(const std::string& title) {
  return "{\\uldb " + title + "}!\\{jump:VerbeteForm;" + title + "\\}";
}

std::string lookupForm(const std::string& utf8) {
  std::string text = tqvUtf8ToCp1252(utf8);
  size_t begin = text.find_first_not_of(' ');
  size_t end = text.find_last_not_of(' ');
  text = begin == std::string::npos ? "" : text.substr(begin, end - begin + 1);
  return std::string(tqvStringView(tqvLower(tqvMakeString(text))));
}

}  // namespace lxdisc
