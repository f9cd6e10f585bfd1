// Cross-checks between entries, media and maps: every name used must name something.
#include "tools/lxdisc/checks.h"

#include <algorithm>
#include <map>
#include <set>

#include "tools/lxdisc/pictures.h"
#include "tools/lxdisc/rtf_text.h"

namespace lxdisc {
namespace {

template <typename T>
void checkUnique(const std::vector<T>& items, const char* family) {
  std::set<int> ids;
  std::set<std::string> titles;
  for (const T& item : items) {
    if (item.id < 1 || item.id > 65535) {
      throw DiscError(item.file, std::string("identifier out of range 1..65535 in ") + family);
    }
    if (!ids.insert(item.id).second) {
      throw DiscError(item.file,
                      "duplicate identifier " + std::to_string(item.id) + " in " + family);
    }
    if (!titles.insert(lookupForm(item.title)).second) {
      throw DiscError(item.file, "duplicate title '" + item.title + "' in " + family);
    }
  }
}

bool plainFileName(const std::string& name) {
  return !name.empty() && std::all_of(name.begin(), name.end(), [](char c) {
    return (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '_' || c == '-' || c == '.';
  });
}

class Names {
 public:
  explicit Names(const Disc& disc) {
    for (const Entry& e : disc.entries) entries_.insert(lookupForm(e.title));
    for (const Medium& m : disc.media) {
      mediaTitles_.insert(lookupForm(m.title));
      if (!m.title2.empty()) mediaTitles_.insert(lookupForm(m.title2));
      files_.insert(m.fileName);
    }
    for (const Map& m : disc.maps) maps_.insert(lookupForm(m.title));
  }

  void entry(const std::filesystem::path& file, const std::string& title) const {
    if (!entries_.contains(lookupForm(title))) {
      throw DiscError(file, "names no entry: '" + title + "'");
    }
  }

  // Every picture and hot-spot target of an RTF text.
  void text(const std::filesystem::path& file, const std::string& rtf) const {
    for (const std::string& picture : pictureNames(rtf)) {
      if (!files_.contains(picture)) throw DiscError(file, "picture not on the disc: " + picture);
    }
    for (const std::string& target : linkTargets(rtf)) link(file, target);
  }

 private:
  void link(const std::filesystem::path& file, const std::string& target) const {
    if (target.starts_with("#")) return;  // a marker of the same text
    size_t colon = target.find(':');
    if (colon == std::string::npos) throw DiscError(file, "link without a kind: " + target);
    std::string kind = target.substr(0, colon), argument = target.substr(colon + 1);
    static const std::set<std::string> mediaKinds = {"anim",  "bandeira", "crono", "foto",
                                                     "livro", "tabela",   "video", "imagem"};
    if (kind == "jump" && argument.starts_with("VerbeteForm;")) {
      entry(file, argument.substr(argument.find(';') + 1));
    } else if (mediaKinds.contains(kind)) {
      if (!mediaTitles_.contains(lookupForm(argument))) {
        throw DiscError(file, "link names no medium: " + target);
      }
    } else if (kind == "mapa") {
      if (!maps_.contains(lookupForm(argument)))
        throw DiscError(file, "link names no map: " + target);
    } else if (kind != "jump" && kind != "info" && kind != "audio") {
      throw DiscError(file, "unknown link kind: " + target);
    }
  }

  std::set<std::string> entries_, mediaTitles_, files_, maps_;
};

}  // namespace

void checkDisc(const Disc& disc) {
  checkUnique(disc.entries, "entries");
  checkUnique(disc.media, "media");
  checkUnique(disc.maps, "maps");
  std::map<std::string, std::filesystem::path> files;  // file name -> its source
  for (const Medium& m : disc.media) {
    if (!plainFileName(m.fileName)) {
      throw DiscError(m.file,
                      "file name must be lower-case letters, digits, '_', '-', '.': " + m.fileName);
    }
    if (!m.drawing.empty()) {
      std::string fault = checkDrawing(m.drawing);
      if (!fault.empty()) throw DiscError(m.file, "drawing: " + fault);
    }
    if (m.drawing.empty() && !disc.suppliedFiles.contains(m.fileName)) {
      throw DiscError(m.file, "media file missing from the disc: " + m.fileName);
    }
    auto [first, added] = files.emplace(m.fileName, m.file);
    if (!added) {
      throw DiscError(m.file, "duplicate media file name " + m.fileName + " (also in " +
                                  first->second.string() + ")");
    }
  }
  Names names(disc);
  for (const Entry& e : disc.entries) {
    for (const std::string& title : e.seeAlso) names.entry(e.file, title);
    names.text(e.bodyFile, e.body);
  }
  for (const Medium& m : disc.media) {
    if (!m.entry.empty()) names.entry(m.file, m.entry);
    names.text(m.file, m.caption);
  }
  for (const Map& m : disc.maps) {
    if (!m.entry.empty()) names.entry(m.file, m.entry);
    names.text(m.bodyFile, m.description);
  }
}

}  // namespace lxdisc
