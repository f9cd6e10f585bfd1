// The wave-file format check and the length rules, on files written byte by byte.
#include "media/wave_format.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "tests/media/wave_bytes.h"

namespace {

using namespace wave_bytes;

struct WaveCase {
  const char* what;
  std::string file;
  bool valid;
  int64_t length;
  int64_t durationMs;
};

TEST(WaveFormat, LengthByFormatAndTheFilesRefused) {
  // IMA ADPCM: the extra bytes are cbSize (2) and the samples per block.
  const std::string adpcm505 = le16(2) + le16(505);
  std::string chunked = riff(fmt(1, 1, 1000, 1, 8) + chunk("LIST", "abc") + data(100));
  std::string noFmt = riff(data(100));
  std::string fmtPastEnd = "RIFF" + le32(40) + "WAVE" + "fmt " + le32(100) + std::string(16, 0);
  std::string chunkPastEnd = riff(fmt(1, 1, 1000, 1, 8) + "LIST" + le32(1000) + "ab");
  std::string dataPastEnd = riff(fmt(1, 1, 1000, 1, 8) + "data" + le32(100) + std::string(10, 0));
  const WaveCase cases[] = {
      {"PCM mono 8-bit: data / block alignment", riff(fmt(1, 1, 22050, 1, 8) + data(22050)), true,
       22050, 1000},
      {"PCM stereo 16-bit", riff(fmt(1, 2, 44100, 4, 16) + data(17640)), true, 4410, 100},
      {"IMA ADPCM mono: blocks * samples per block",
       riff(fmt(17, 1, 22050, 256, 4, adpcm505) + data(2560)), true, 5050, 229},
      {"IMA ADPCM stereo: divided by the channels",
       riff(fmt(17, 2, 22050, 512, 4, adpcm505) + data(5120)), true, 2525, 114},
      {"another format: by bits per sample", riff(fmt(3, 2, 8000, 8, 32) + data(800)), true, 100,
       12},
      {"chunks before the data are passed over", chunked, true, 100, 100},
      {"no fmt chunk", noFmt, false, 0, 0},
      {"not RIFF", "RIFX" + noFmt.substr(4), false, 0, 0},
      {"truncated header", "RIFF" + le32(16) + "WA", false, 0, 0},
      {"format chunk past the end", fmtPastEnd, false, 0, 0},
      {"chunk size past the end", chunkPastEnd, false, 0, 0},
      {"data size past the end", dataPastEnd, false, 0, 0},
      {"no data chunk", riff(fmt(1, 1, 1000, 1, 8)), false, 0, 0},
      {"zero rate", riff(fmt(1, 1, 0, 1, 8) + data(10)), false, 0, 0},
      {"zero channels", riff(fmt(1, 0, 1000, 1, 8) + data(10)), false, 0, 0},
      {"zero block alignment", riff(fmt(1, 1, 1000, 0, 8) + data(10)), false, 0, 0},
      {"zero bits per sample", riff(fmt(3, 1, 1000, 4, 0) + data(10)), false, 0, 0},
      {"IMA ADPCM without samples per block", riff(fmt(17, 1, 22050, 256, 4) + data(256)), false, 0,
       0},
  };
  for (const WaveCase& c : cases) {
    tqvWaveFormat format;
    EXPECT_EQ(tqvReadWaveFormat(c.file, format), c.valid) << c.what;
    if (!c.valid) continue;
    EXPECT_EQ(format.length, c.length) << c.what;
    EXPECT_EQ(format.durationMs, c.durationMs) << c.what;
  }
}

}  // namespace

namespace {

// The wave fuzzer's kept inputs: seed-* files are whole waves; any other once found a
// fault and must now be refused or read, never crash.
TEST(WaveFormat, KeptFuzzerInputs) {
  const char* top = std::getenv("TQV_TEST_DATA");
  std::filesystem::path dir = std::filesystem::path(top ? top : "tests") / "corpus" / "wave";
  ASSERT_TRUE(std::filesystem::exists(dir)) << dir;
  for (const auto& entry : std::filesystem::directory_iterator(dir)) {
    std::ifstream in(entry.path(), std::ios::binary);
    std::string bytes{std::istreambuf_iterator<char>(in), {}};
    tqvWaveFormat format;
    bool valid = tqvReadWaveFormat(bytes, format);
    if (entry.path().filename().string().rfind("seed-", 0) == 0) {
      EXPECT_TRUE(valid) << entry.path();
      EXPECT_GT(format.length, 0) << entry.path();
    }
  }
}

}  // namespace
