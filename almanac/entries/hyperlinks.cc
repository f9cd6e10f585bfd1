// The links of the almanac's texts.
#include "almanac/entries/hyperlinks.h"

#include <algorithm>

#include "values/cp1252.h"
#include "values/generic.h"
#include "values/string.h"
#include "values/table.h"

namespace {

std::string lowerCase(std::string_view text) {
  return std::string(tqvStringView(tqvLower(tqvMakeString(text))));
}

std::string_view trimmed(std::string_view text) {
  size_t first = text.find_first_not_of(" \t\r\n");
  if (first == std::string_view::npos) return {};
  size_t last = text.find_last_not_of(" \t\r\n");
  return text.substr(first, last - first + 1);
}

bool isListed(const std::vector<std::string>& names, const std::string& name) {
  return std::find(names.begin(), names.end(), name) != names.end();
}

// The kinds that open the media viewer on their argument.
constexpr std::string_view kMediaKinds[] = {"anim",  "bandeira", "crono", "foto",
                                            "livro", "tabela",   "video"};

}  // namespace

lxLinkAction lxLinkActionFor(std::string_view link, bool inDialog,
                             const std::vector<std::string>& validInfos) {
  using Kind = lxLinkAction::Kind;
  if (link.empty()) return {};
  size_t colon = link.find(':');
  std::string kind(link.substr(0, colon));
  std::string argument(colon == std::string_view::npos ? "" : link.substr(colon + 1));
  std::string prefix = lowerCase(argument.substr(0, 2));
  std::string lower = lowerCase(argument);
  bool media =
      std::find(std::begin(kMediaKinds), std::end(kMediaKinds), kind) != std::end(kMediaKinds);
  if (inDialog && (kind == "mapa" || kind == "imagem")) media = true;
  if (kind == "imagem" && !media) {
    if (prefix == "in" || prefix == "mm" || prefix == "mb") {
      kind = "info";
    } else {
      media = true;
    }
  }
  if (media) return {Kind::OpenTarget, "MidiasForm;" + argument};
  if (kind == "info") {
    return isListed(validInfos, lower) ? lxLinkAction{Kind::GoToForm, lower} : lxLinkAction{};
  }
  if (kind == "mapa") {
    return isListed(validInfos, lower) ? lxLinkAction{Kind::GoToForm, lower}
                                       : lxLinkAction{Kind::OpenTarget, "AtlasForm;" + lower};
  }
  if (kind == "audio") return {Kind::PlaySound, argument};
  if (kind == "jump") return {Kind::OpenTarget, argument};
  return {Kind::Message, tqvUtf8ToCp1252("Ação deconhecida: ") + kind + "[" + argument + "]"};
}

lxOpenTarget lxOpenTargetOf(std::string_view target) {
  std::vector<std::string_view> parts;
  for (size_t start = 0;;) {
    size_t semicolon = target.find(';', start);
    parts.push_back(target.substr(start, semicolon - start));
    if (semicolon == std::string_view::npos) break;
    start = semicolon + 1;
  }
  lxOpenTarget open{std::string(parts[0]), tqvHandle()};
  if ((open.form == "VerbeteForm" || open.form == "MidiasForm") && parts.size() == 2) {
    open.parameters = tqvTable(4);
    tqvPut(open.parameters, "Text", tqvMakeString(lowerCase(trimmed(parts[1]))));
    tqvPut(open.parameters, "FullList", TQV_TRUE);
  } else if (open.form == "AtlasForm" && parts.size() >= 2) {
    open.parameters = tqvMakeString(trimmed(parts[1]));
  }
  return open;
}
