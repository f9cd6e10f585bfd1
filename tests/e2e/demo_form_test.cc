// The demo form as the program shows it: a headless session's screenshot read back as
// pixels.
#include <gtest/gtest.h>
#include <png.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

class DemoForm : public ::testing::Test {
 protected:
  void SetUp() override {
    work_ = fs::temp_directory_path() / ("lx98-demo-" + std::to_string(::getpid()));
    fs::remove_all(work_);
    fs::create_directories(work_);  // the program makes its private "run" itself
  }
  void TearDown() override { fs::remove_all(work_); }

  // Runs lx98 headless on the demo disc with `script`; its exit status.
  int session(const std::string& script) {
    std::ofstream(work_ / "script.txt") << script;
    std::ofstream(work_ / "lsan.supp") << "leak:libfontconfig.so\n";
    std::string command = "XDG_RUNTIME_DIR=" + (work_ / "run").string() +
                          " LSAN_OPTIONS=suppressions=" + (work_ / "lsan.supp").string() +
                          ":print_suppressions=0 " + LX98_PATH + " --headless --disc " + DEMO_DISC +
                          " --form demo.frm --user-dir " + work_.string() + " --shots " +
                          work_.string() + " --script " + (work_ / "script.txt").string() + " >" +
                          (work_ / "out").string() + " 2>&1";
    int raw = std::system(command.c_str());
    return WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
  }

  // The shot's pixels as 0xRRGGBB, row after row (empty when it cannot be read).
  std::vector<uint32_t> shot(const std::string& name) {
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    std::string file = (work_ / (name + ".png")).string();
    if (!png_image_begin_read_from_file(&image, file.c_str())) return {};
    image.format = PNG_FORMAT_RGB;
    std::vector<unsigned char> bytes(PNG_IMAGE_SIZE(image));
    if (!png_image_finish_read(&image, nullptr, bytes.data(), 0, nullptr)) return {};
    width_ = static_cast<int>(image.width);
    std::vector<uint32_t> pixels;
    for (size_t i = 0; i + 2 < bytes.size(); i += 3) {
      pixels.push_back(bytes[i] << 16 | bytes[i + 1] << 8 | bytes[i + 2]);
    }
    return pixels;
  }
  uint32_t at(const std::vector<uint32_t>& pixels, int x, int y) const {
    return pixels[static_cast<size_t>(y) * width_ + x];
  }

  fs::path work_;
  int width_ = 0;
};

constexpr uint32_t kDemoBackground = 0xDED6C8;  // (rgb 222 214 200) of demo.frm

TEST_F(DemoForm, TheScreenshotShowsTheFormAndItsControls) {
  ASSERT_EQ(session("shot start\nclick 60 163\nshot unticked\n"), 0);
  std::vector<uint32_t> start = shot("start");
  ASSERT_EQ(start.size(), 640u * 480u);
  EXPECT_EQ(at(start, 5, 5), kDemoBackground);
  // The logo is drawn through its mask: its middle shows, its corner keeps the form.
  EXPECT_NE(at(start, 24 + 32, 60 + 24), kDemoBackground);
  EXPECT_EQ(at(start, 24, 60), kDemoBackground);
  // The photo view's white frame, the selected check box's tick and a button's face.
  EXPECT_EQ(at(start, 424, 244), 0xFFFFFFu);
  EXPECT_NE(at(start, 80, 435), kDemoBackground);
  std::vector<uint32_t> unticked = shot("unticked");
  ASSERT_EQ(unticked.size(), start.size());
  int changed = 0;
  for (int y = 150; y < 176; ++y) {
    for (int x = 30; x < 50; ++x) changed += at(start, x, y) != at(unticked, x, y) ? 1 : 0;
  }
  EXPECT_GT(changed, 5);  // the click took the tick away
}

}  // namespace
