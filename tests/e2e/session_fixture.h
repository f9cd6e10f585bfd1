// Test helper: lx98 run headless on the demo disc with a script, in a scratch directory
// of its own, and its screenshots read back as pixels.
#pragma once

#include <gtest/gtest.h>
#include <png.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

class HeadlessSession : public ::testing::Test {
 protected:
  void SetUp() override {
    const auto* test = ::testing::UnitTest::GetInstance()->current_test_info();
    work_ = std::filesystem::temp_directory_path() /
            ("lx98-" + std::string(test->name()) + "-" + std::to_string(::getpid()));
    std::filesystem::remove_all(work_);
    std::filesystem::create_directories(work_);  // the program makes its private "run" itself
  }
  void TearDown() override { std::filesystem::remove_all(work_); }

  // Runs lx98 headless on the demo disc's `form` with `script`; its exit status. What it
  // wrote to standard output and error is in output().
  int session(const std::string& script, const std::string& form = "demo.frm") {
    std::ofstream(work_ / "script.txt") << script;
    std::ofstream(work_ / "lsan.supp") << "leak:libfontconfig.so\n";
    std::string command = "XDG_RUNTIME_DIR=" + (work_ / "run").string() +
                          " LSAN_OPTIONS=suppressions=" + (work_ / "lsan.supp").string() +
                          ":print_suppressions=0 " + LX98_PATH + " --headless --disc " + DEMO_DISC +
                          " --form " + form + " --user-dir " + work_.string() + " --shots " +
                          work_.string() + " --script " + (work_ / "script.txt").string() + " >" +
                          (work_ / "out").string() + " 2>&1";
    int raw = std::system(command.c_str());
    return WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
  }
  std::string output() const { return file("out"); }
  // A file the session wrote into its directory ("" when there is none).
  std::string file(const std::string& name) const {
    std::ifstream in(work_ / name, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
  }

  // The shot's pixels as 0xRRGGBB, row after row (empty when it cannot be read).
  std::vector<uint32_t> shot(const std::string& name) {
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    std::string path = (work_ / (name + ".png")).string();
    if (!png_image_begin_read_from_file(&image, path.c_str())) return {};
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

  std::filesystem::path work_;
  int width_ = 0;
};
