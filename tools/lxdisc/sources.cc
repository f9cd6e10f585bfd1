// The source formats of content/ (described in content/README.md) read into the model.
#include "tools/lxdisc/sources.h"

#include <algorithm>
#include <fstream>
#include <functional>
#include <set>
#include <sstream>

#include "values/convert.h"
#include "values/cp1252.h"

namespace fs = std::filesystem;

namespace lxdisc {
namespace {

std::string trim(std::string_view text) {
  size_t begin = text.find_first_not_of(" \t\r");
  if (begin == std::string_view::npos) return "";
  size_t end = text.find_last_not_of(" \t\r");
  return std::string(text.substr(begin, end - begin + 1));
}

std::vector<std::string> splitList(const std::string& text, char separator) {
  std::vector<std::string> parts;
  std::stringstream in(text);
  std::string part;
  while (std::getline(in, part, separator)) {
    part = trim(part);
    if (!part.empty()) parts.push_back(part);
  }
  return parts;
}

// The fields of one header file, checked against the keys the family knows.
class Fields {
 public:
  Fields(const fs::path& file, const std::set<std::string>& known) : file_(file) {
    for (auto& [key, value] : readHeader(file)) {
      if (!known.contains(key)) throw DiscError(file, "unknown field '" + key + "'");
      if (values_.contains(key)) throw DiscError(file, "field '" + key + "' given twice");
      values_[key] = value;
    }
  }
  std::string text(const std::string& key) const {
    auto it = values_.find(key);
    if (it == values_.end() || it->second.empty()) {
      throw DiscError(file_, "missing field '" + key + "'");
    }
    return it->second;
  }
  std::string optional(const std::string& key) const {
    auto it = values_.find(key);
    return it == values_.end() ? std::string() : it->second;
  }
  int number(const std::string& key) const { return toNumber(key, text(key)); }
  double decimal(const std::string& key) const {
    std::string value = text(key);
    try {
      size_t used = 0;
      double result = std::stod(value, &used);
      if (used == value.size()) return result;
    } catch (const std::exception&) {
    }
    throw DiscError(file_, "field '" + key + "' is not a number: " + value);
  }
  int toNumber(const std::string& key, const std::string& value) const {
    if (value.empty() || value.size() > 6 ||
        !std::all_of(value.begin(), value.end(), [](char c) { return c >= '0' && c <= '9'; })) {
      throw DiscError(file_, "field '" + key + "' is not a whole number: " + value);
    }
    return std::stoi(value);
  }

 private:
  fs::path file_;
  std::map<std::string, std::string> values_;
};

// The header files (*.txt) of a folder, in name order.
std::vector<fs::path> headerFiles(const fs::path& folder) {
  std::vector<fs::path> files;
  if (!fs::is_directory(folder)) throw DiscError(folder, "folder missing");
  for (const auto& item : fs::directory_iterator(folder)) {
    if (item.is_regular_file() && item.path().extension() == ".txt") files.push_back(item.path());
  }
  std::sort(files.begin(), files.end());
  return files;
}

// The RTF body file named by `field`, else the file beside the header with the extension
// .rtf.
fs::path bodyFile(const fs::path& header, const std::string& field) {
  fs::path body =
      field.empty() ? fs::path(header).replace_extension(".rtf") : header.parent_path() / field;
  if (!fs::exists(body)) throw DiscError(header, "text file missing: " + body.string());
  return body;
}

int categoryNumber(const Disc& disc, Family family, const fs::path& file, const std::string& name) {
  for (const Category& c : disc.categories.at(family)) {
    if (c.name == name) return c.number;
  }
  throw DiscError(file, "unknown category '" + name + "'");
}

void readCategories(const fs::path& file, Disc& disc) {
  static const std::map<std::string, Family> families = {
      {"verbetes", Family::Entries}, {"midias", Family::Media}, {"atlas", Family::Atlas}};
  for (Family f : {Family::Entries, Family::Media, Family::Atlas}) disc.categories[f];
  std::istringstream in(readText(file));
  std::string line;
  for (int number = 1; std::getline(in, line); ++number) {
    line = trim(line);
    if (line.empty() || line[0] == '#') continue;
    std::istringstream words(line);
    std::string family, index;
    words >> family >> index;
    std::string name;
    std::getline(words, name);
    name = trim(name);
    auto it = families.find(family);
    // Category numbers are positions in the list archives: kept small.
    if (it == families.end() || name.empty() || index.empty() || index.size() > 3 ||
        !std::all_of(index.begin(), index.end(), [](char c) { return c >= '0' && c <= '9'; })) {
      throw DiscError(file, "line " + std::to_string(number) +
                                ": expected FAMILY NUMBER NAME, the number below 1000");
    }
    int value = std::stoi(index);
    // The entries viewer reads 6, 7 and 8 as the whole list, an itinerary and a search.
    if (it->second == Family::Entries && value >= 6 && value <= 8) {
      throw DiscError(
          file, "line " + std::to_string(number) + ": entry categories 6, 7 and 8 are reserved");
    }
    for (const Category& c : disc.categories[it->second]) {
      if (c.number == value || c.name == name) {
        throw DiscError(file, "line " + std::to_string(number) + ": category given twice");
      }
    }
    disc.categories[it->second].push_back({value, name});
  }
}

void readCountries(const fs::path& file, Disc& disc) {
  std::istringstream in(readText(file));
  std::string line;
  while (std::getline(in, line)) {
    if (line.empty() || line[0] == '#') continue;
    std::vector<std::string> parts;
    std::stringstream fields(line);
    std::string part;
    while (std::getline(fields, part, '\t')) parts.push_back(part);
    if (parts.size() != 4) throw DiscError(file, "expected four tab-separated fields: " + line);
    disc.countries[parts[1]] = {parts[0], parts[1], parts[2], parts[3]};
  }
}

Entry readEntry(const fs::path& file, const Disc& disc) {
  Fields f(file, {"Titulo", "Id", "Categoria", "Texto", "VejaTambem"});
  Entry e;
  e.file = file;
  e.title = f.text("Titulo");
  e.id = f.number("Id");
  e.category = categoryNumber(disc, Family::Entries, file, f.text("Categoria"));
  e.bodyFile = bodyFile(file, f.optional("Texto"));
  e.body = trim(readText(e.bodyFile));
  e.seeAlso = splitList(f.optional("VejaTambem"), ';');
  return e;
}

Medium readMedium(const fs::path& file, const Disc& disc) {
  Fields f(file, {"Titulo", "Titulo2", "Id", "Categoria", "Tipo", "Arquivo", "Legenda", "Verbete",
                  "Desenho", "Tamanho"});
  Medium m;
  m.file = file;
  m.title = f.text("Titulo");
  m.title2 = f.optional("Titulo2");
  m.id = f.number("Id");
  m.category = categoryNumber(disc, Family::Media, file, f.text("Categoria"));
  if (!f.optional("Tipo").empty()) m.type = f.number("Tipo");
  m.fileName = f.text("Arquivo");
  m.caption = f.text("Legenda");
  m.entry = f.optional("Verbete");
  m.drawing = f.optional("Desenho");
  std::string size = f.optional("Tamanho");
  if (!size.empty()) {
    size_t x = size.find('x');
    if (x == std::string::npos) throw DiscError(file, "field 'Tamanho' is not WIDTHxHEIGHT");
    m.width = f.toNumber("Tamanho", size.substr(0, x));
    m.height = f.toNumber("Tamanho", size.substr(x + 1));
  }
  return m;
}

Map readMap(const fs::path& file, const Disc& disc) {
  Fields f(file, {"Titulo", "Id", "Continente", "ISO", "Capital", "Lingua", "Moeda", "Latitude",
                  "Longitude", "Bandeira", "Verbete", "Texto"});
  Map m;
  m.file = file;
  m.title = f.text("Titulo");
  m.id = f.number("Id");
  m.continent = categoryNumber(disc, Family::Atlas, file, f.text("Continente"));
  m.iso3 = f.text("ISO");
  if (!disc.countries.contains(m.iso3)) throw DiscError(file, "unknown country code " + m.iso3);
  m.capital = f.text("Capital");
  m.language = f.text("Lingua");
  m.currency = f.text("Moeda");
  m.latitude = f.decimal("Latitude");
  m.longitude = f.decimal("Longitude");
  m.flagDrawing = f.optional("Bandeira");
  m.entry = f.optional("Verbete");
  m.bodyFile = bodyFile(file, f.optional("Texto"));
  m.description = trim(readText(m.bodyFile));
  return m;
}

std::string lowerAscii(std::string text) {
  for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return text;
}

// Every map brings a locator map and, when it has one, a flag into the media.
void addMapMedia(Disc& disc, const fs::path& categories) {
  auto categoryOf = [&](const std::string& name) {
    return categoryNumber(disc, Family::Media, categories, name);
  };
  for (const Map& map : disc.maps) {
    std::string code = lowerAscii(map.iso3);
    Medium locator;
    locator.file = map.file;
    locator.id = 1000 + map.id;
    locator.title = "Mapa: " + map.title;
    locator.category = categoryOf("Mapas");
    locator.fileName = "mapa_" + code + ".bmp";
    locator.caption = "Localização aproximada de " + map.title + " no mapa-múndi.";
    locator.entry = map.entry;
    char where[64];
    std::snprintf(where, sizeof where, "localizador %.2f %.2f %s", map.latitude, map.longitude,
                  disc.countries.at(map.iso3).numeric.c_str());
    locator.drawing = where;
    locator.width = 480;
    locator.height = 240;
    disc.media.push_back(locator);
    if (map.flagDrawing.empty()) continue;
    Medium flag;
    flag.file = map.file;
    flag.id = 2000 + map.id;
    flag.title = "Bandeira: " + map.title;
    flag.category = categoryOf("Bandeiras");
    flag.fileName = "bandeira_" + code + ".bmp";
    flag.caption = "Bandeira de " + map.title + ".";
    flag.entry = map.entry;
    flag.drawing = map.flagDrawing;
    flag.width = 150;
    flag.height = 100;
    disc.media.push_back(flag);
  }
}

template <typename T>
void sortByTitle(std::vector<T>& items) {
  std::stable_sort(items.begin(), items.end(), [](const T& a, const T& b) {
    return tqvReaderOrder(tqvUtf8ToCp1252(a.title), tqvUtf8ToCp1252(b.title)) < 0;
  });
}

}  // namespace

std::string readText(const fs::path& file) {
  std::ifstream in(file, std::ios::binary);
  if (!in) throw DiscError(file, "cannot be read");
  std::stringstream all;
  all << in.rdbuf();
  return all.str();
}

std::vector<std::pair<std::string, std::string>> readHeader(const fs::path& file) {
  std::vector<std::pair<std::string, std::string>> fields;
  std::istringstream in(readText(file));
  std::string line;
  for (int number = 1; std::getline(in, line); ++number) {
    std::string text = trim(line);
    if (text.empty() || text[0] == '#') continue;
    size_t colon = text.find(':');
    if (colon == std::string::npos || colon == 0) {
      throw DiscError(file, "line " + std::to_string(number) + ": expected 'Field: value'");
    }
    fields.emplace_back(trim(text.substr(0, colon)), trim(text.substr(colon + 1)));
  }
  return fields;
}

Disc readDisc(const fs::path& content) {
  Disc disc;
  readCategories(content / "categorias.txt", disc);
  readCountries(content / "data" / "paises-iso3166.tsv", disc);
  for (const fs::path& file : headerFiles(content / "verbetes"))
    disc.entries.push_back(readEntry(file, disc));
  for (const fs::path& file : headerFiles(content / "midias"))
    disc.media.push_back(readMedium(file, disc));
  for (const fs::path& file : headerFiles(content / "atlas"))
    disc.maps.push_back(readMap(file, disc));
  addMapMedia(disc, content / "categorias.txt");
  if (fs::is_directory(content / "disco")) {
    for (const auto& item : fs::directory_iterator(content / "disco")) {
      if (item.is_regular_file()) disc.suppliedFiles.insert(item.path().filename().string());
    }
  }
  sortByTitle(disc.entries);
  sortByTitle(disc.media);
  sortByTitle(disc.maps);
  // Folders count too: removing a source changes its folder's time.
  disc.newestSource = fs::last_write_time(content);
  for (const auto& item : fs::recursive_directory_iterator(content)) {
    disc.newestSource = std::max(disc.newestSource, item.last_write_time());
  }
  return disc;
}

}  // namespace lxdisc
