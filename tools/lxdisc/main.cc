// lxdisc: builds the demo disc directory from the sources in content/.
//   lxdisc CONTENT_DIR OUT_DIR   write (or bring up to date) the disc in OUT_DIR
//   lxdisc --check CONTENT_DIR   only read and check the sources
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "controls/controls_library.h"
#include "framework/program.h"
#include "tools/lxdisc/catalogues.h"
#include "tools/lxdisc/checks.h"
#include "tools/lxdisc/disc_resources.h"
#include "tools/lxdisc/pictures.h"
#include "tools/lxdisc/screen_art.h"
#include "tools/lxdisc/screen_checks.h"
#include "tools/lxdisc/sources.h"
#include "values/cp1252.h"
#include "values/string.h"

namespace fs = std::filesystem;
using namespace lxdisc;

namespace {

TQVINT printAndFail(tqvHandle message) {
  std::fflush(stdout);
  std::fprintf(stderr, "lxdisc: %s\n", tqvCp1252ToUtf8(tqvStringView(message)).c_str());
  return 1;
}

[[noreturn]] void exitWithFailure(TQVINT) {
  std::fflush(stdout);
  std::fflush(stderr);
  std::_Exit(1);
}

// What the catalogues are made from: the sources, the pictures and this program.
fs::file_time_type catalogueStamp(const Disc& disc, const fs::path& media) {
  fs::file_time_type stamp = disc.newestSource;
  std::error_code ignored;
  fs::file_time_type self = fs::last_write_time("/proc/self/exe", ignored);
  if (!ignored) stamp = std::max(stamp, self);
  for (const Medium& m : disc.media)
    stamp = std::max(stamp, fs::last_write_time(media / m.fileName));
  return stamp;
}

// Written after the last catalogue file and removed before the first, so catalogues left
// half-written by a failed run are never taken as current.
constexpr const char* kCataloguesDone = "catalogues.stamp";

bool cataloguesCurrent(const fs::path& media, fs::file_time_type stamp) {
  fs::path done = media / kCataloguesDone;
  if (!fs::exists(done) || fs::last_write_time(done) < stamp) return false;
  for (const std::string& name : catalogueFiles()) {
    if (!fs::exists(media / name)) return false;
  }
  return true;
}

// Paints the pictures older than their source or the outline file.
int paintPictures(const Disc& disc, const fs::path& content, const fs::path& media) {
  fs::path outlineFile = content / "data" / "paises-110m.txt";
  bool haveOutlines = fs::exists(outlineFile);
  World world;
  int painted = 0;
  for (const Medium& m : disc.media) {
    if (m.drawing.empty()) continue;
    fs::path out = media / m.fileName;
    fs::file_time_type source = fs::last_write_time(m.file);
    if (haveOutlines) source = std::max(source, fs::last_write_time(outlineFile));
    if (fs::exists(out) && fs::last_write_time(out) >= source) continue;
    if (haveOutlines && world.empty()) world = readWorld(outlineFile);
    if (!paintPicture(m.drawing, m.title, m.width, m.height, world, out)) {
      throw DiscError(out, "cannot be written");
    }
    ++painted;
  }
  return painted;
}

int build(const fs::path& content, const fs::path& root, bool checkOnly) {
  Disc disc = readDisc(content);
  checkDisc(disc);
  checkScreens(content);
  if (checkOnly) {
    std::printf("lxdisc: %zu entries, %zu media, %zu maps: sources are consistent\n",
                disc.entries.size(), disc.media.size(), disc.maps.size());
    return 0;
  }
  fs::path media = root / "Media";
  fs::create_directories(media);
  int written = 0;
  std::vector<fs::path> toCompile = copyResources(content, media, written);
  written += paintPictures(disc, content, media);
  written += paintScreenArt(media, "/proc/self/exe");
  if (!cataloguesCurrent(media, catalogueStamp(disc, media))) {
    fs::remove(media / kCataloguesDone);
    writeCatalogues(disc, media);
    std::ofstream(media / kCataloguesDone) << "lxdisc\n";
    written += static_cast<int>(catalogueFiles().size());
  }
  compileResources(root, toCompile);
  written += static_cast<int>(toCompile.size());
  std::printf("lxdisc: %zu entries, %zu media, %zu maps; %d files written\n", disc.entries.size(),
              disc.media.size(), disc.maps.size(), written);
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  bool checkOnly = argc == 3 && std::string(argv[1]) == "--check";
  if (argc != 3) {
    std::fprintf(stderr, "usage: lxdisc CONTENT_DIR OUT_DIR | lxdisc --check CONTENT_DIR\n");
    return 2;
  }
  tqvProgramSetup setup;
  setup.title = "lxdisc";
  setup.version = "1.0";
  setup.abbreviation = "LX98";
  setup.installLibraries = tqvInstallControls;
  setup.errorHandler = printAndFail;
  setup.exitHandler = exitWithFailure;
  tqvProgram program(setup);
  try {
    return checkOnly ? build(argv[2], "", true) : build(argv[1], argv[2], false);
  } catch (const DiscError& error) {
    std::fprintf(stderr, "lxdisc: %s\n", error.what());
    return 1;
  } catch (const std::exception& error) {  // file system failures
    std::fprintf(stderr, "lxdisc: %s\n", error.what());
    return 1;
  }
}
