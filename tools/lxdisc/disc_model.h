// The demo disc as read from its sources: categories, entries, media and maps, with
// every text already in UTF-8 and every reference still by name.
#pragma once

#include <filesystem>
#include <map>
#include <set>
#include <stdexcept>
#include <string>
#include <vector>

namespace lxdisc {

// A refusal of the disc: the file it is about and what is wrong there.
class DiscError : public std::runtime_error {
 public:
  DiscError(const std::filesystem::path& file, const std::string& message)
      : std::runtime_error(file.string() + ": " + message) {}
};

enum class Family { Entries, Media, Atlas };

struct Category {
  int number = 0;
  std::string name;
};

struct Entry {
  std::filesystem::path file;
  int id = 0;
  std::string title;
  int category = 0;
  std::filesystem::path bodyFile;
  std::string body;  // RTF, UTF-8
  std::vector<std::string> seeAlso;
};

struct Medium {
  std::filesystem::path file;
  int id = 0;
  std::string title;
  std::string title2;  // optional second title, for the second title list
  int category = 0;
  int type = 2;          // picture
  std::string fileName;  // the picture file on the disc
  std::string caption;   // RTF, UTF-8
  std::string entry;     // title of the related entry, or empty
  std::string drawing;   // how the builder paints the picture
  int width = 320;
  int height = 240;
};

struct Map {
  std::filesystem::path file;
  int id = 0;
  std::string title;
  int continent = 0;
  std::string iso3;
  std::string capital;
  std::string language;
  std::string currency;
  double latitude = 0;
  double longitude = 0;
  std::string flagDrawing;  // empty: the map has no flag
  std::string entry;
  std::filesystem::path bodyFile;
  std::string description;  // RTF, UTF-8
};

struct Country {
  std::string alpha2, alpha3, numeric, name;
};

struct Disc {
  std::map<Family, std::vector<Category>> categories;
  std::vector<Entry> entries;                // sorted by title, as the browsing list
  std::vector<Medium> media;                 // sorted by title
  std::vector<Map> maps;                     // sorted by title
  std::map<std::string, Country> countries;  // by alpha-3 code
  std::set<std::string> suppliedFiles;       // files of the disco/ folder, by name
  std::filesystem::file_time_type newestSource;
};

}  // namespace lxdisc
