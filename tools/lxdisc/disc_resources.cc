// Copying and compiling the hand-made resources of the disc.
#include "tools/lxdisc/disc_resources.h"

#include <algorithm>
#include <fstream>
#include <set>

#include "almanac/app/compile_list.h"
#include "framework/services.h"
#include "framework/standard_application.h"
#include "media/resources.h"
#include "tools/lxdisc/disc_model.h"
#include "tools/lxdisc/rtf_text.h"
#include "tools/lxdisc/sources.h"
#include "values/cp1252.h"
#include "values/string.h"

namespace fs = std::filesystem;

namespace lxdisc {
namespace {

bool upToDate(const fs::path& out, const fs::path& source) {
  return fs::exists(out) && fs::last_write_time(out) >= fs::last_write_time(source);
}

std::string lowerName(std::string name) {
  for (char& c : name) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return name;
}

// The disc's copy of a source file: notation and RTF texts move to code page 1252.
std::string discBytes(const fs::path& file) {
  std::string bytes = readText(file), extension = lowerName(file.extension().string());
  if (extension == ".rtf") return toDiscRtf(bytes);
  static const std::set<std::string> notation = {".frm", ".tbl", ".lst", ".txt"};
  return notation.contains(extension) ? tqvUtf8ToCp1252(bytes) : bytes;
}

// Copies the files of `folder` newer than their copy in `target`, converted with `convert`.
int copyFolder(const fs::path& folder, const fs::path& target,
               std::string (*convert)(const fs::path&)) {
  int written = 0;
  if (!fs::is_directory(folder)) return written;
  for (const auto& item : fs::directory_iterator(folder)) {
    if (!item.is_regular_file()) continue;
    const fs::path& source = item.path();
    fs::path out = target / source.filename();
    if (upToDate(out, source)) continue;
    fs::path partial = out;
    partial += ".part";
    std::ofstream file(partial, std::ios::binary | std::ios::trunc);
    std::string bytes = convert(source);
    file.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    file.close();
    std::error_code error;
    if (file) fs::rename(partial, out, error);
    if (!file || error) throw DiscError(out, "cannot be written");
    ++written;
  }
  return written;
}

}  // namespace

std::vector<fs::path> copyResources(const fs::path& content, const fs::path& media, int& written) {
  // raiz/ goes to the root of the disc as it is (the help page lives there).
  written += copyFolder(content / "raiz", media.parent_path(), &readText);
  written += copyFolder(content / "disco", media, &discBytes);
  std::vector<fs::path> toCompile;
  if (!fs::is_directory(content / "disco")) return toCompile;
  for (const auto& item : fs::directory_iterator(content / "disco")) {
    const fs::path& source = item.path();
    std::string extension = lowerName(source.extension().string());
    fs::path compiled = media / (lowerName(source.stem().string()) + ".etn");
    if ((extension == ".tbl" || extension == ".frm") && !upToDate(compiled, source)) {
      toCompile.push_back(source);
    }
  }
  // The global table first: the application reads it when it starts.
  std::stable_sort(toCompile.begin(), toCompile.end(), [](const fs::path& a, const fs::path& b) {
    return (a.stem() == "global") > (b.stem() == "global");
  });
  return toCompile;
}

static bool compileScreen(const fs::path& source, const fs::path& root) {
  fs::path out = root / "Media" / (lowerName(source.stem().string()) + ".etn");
  return lxCompileScreen(tqvMakeString(tqvUtf8ToCp1252(source.filename().string())),
                         tqvMakeString(tqvUtf8ToCp1252(out.string())));
}

void compileResources(const fs::path& root, const std::vector<fs::path>& sources) {
  if (sources.empty()) return;
  // The tool's program owns the application from here on.
  auto* app = new tqvStandardApplication();
  app->setEnvironment("SourceDisk", tqvMakeString(tqvUtf8ToCp1252(root.string())));
  app->setEnvironment("MediaPath", tqvMakeString("Media"));
  tqvServices().initResourceTypes();
  app->Initialize();
  for (const fs::path& source : sources) {
    tqvHandle name = tqvMakeString(tqvUtf8ToCp1252(source.stem().string()));
    bool ok = source.extension() == ".tbl" ? tqvCompileTable(name) : compileScreen(source, root);
    if (!ok) throw DiscError(source, "does not compile");
  }
}

}  // namespace lxdisc
