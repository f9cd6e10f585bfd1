// The kept inputs of the image fuzzers: seed-* files are good pictures that load and draw
// without a report; crash-* files once found a fault and must now be reported, never
// crash.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "media/image.h"
#include "media/image_factory.h"
#include "tests/media/image_test_support.h"
#include "tests/values/error_capture.h"
#include "values/region.h"

namespace {

using namespace image_test;

std::string readFile(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream all;
  all << in.rdbuf();
  return all.str();
}

// Loads the file as `name` and draws it every way; the number of reports.
size_t loadAndDraw(const std::string& bytes, const char* name, const tqvHandle& mask) {
  ErrorCapture errors;
  tqvHandle picture = image(bytes, name);
  if (tqvImageObject* i = tqvAsImage(picture)) {
    tqvImageBits bits;
    i->getBits(bits);
    tqvHandle target = tqvMakeContextImage(16, 16);
    tqvDrawImage(target, picture, -2, 3, 0, 0, 1, 1, mask);
    tqvStretchImage(target, picture, tqvMakeRect(-5, 3, 11, 20), mask);
    tqvImageFromImage(picture);
  }
  return ErrorCapture::messages().size() + (picture.isNil() ? 1 : 0);
}

void runCorpus(const std::string& name, std::vector<const char*> names) {
  const char* top = std::getenv("TQV_TEST_DATA");
  std::filesystem::path dir = std::filesystem::path(top ? top : "tests") / "corpus" / name;
  if (!std::filesystem::exists(dir)) GTEST_SKIP() << dir << " missing";
  tqvHandle mask = image(bitmap24({{{0, 0, 0}, {255, 255, 255}}, {{128, 128, 128}, {0, 0, 0}}}));
  int files = 0;
  for (const auto& entry : std::filesystem::directory_iterator(dir)) {
    std::string base = entry.path().filename().string();
    std::string bytes = readFile(entry.path());
    bool seed = base.rfind("seed-", 0) == 0;
    size_t reports = 0;
    if (seed) {
      // A seed is loaded under its own extension.
      reports = loadAndDraw(bytes, base.c_str(), mask);
      EXPECT_EQ(reports, 0u) << base;
    } else {
      for (const char* as : names) reports += loadAndDraw(bytes, as, mask);
      if (base.rfind("crash-", 0) == 0) {
        EXPECT_GT(reports, 0u) << base;
      }
    }
    ++files;
  }
  EXPECT_GT(files, 0);
}

TEST(ImageCorpus, BitmapInputs) {
  runCorpus("dib", {"kept.bmp"});
}

TEST(ImageCorpus, JpegInputs) {
  runCorpus("jpeg", {"kept.jpg", "kept.pic"});
}

}  // namespace
