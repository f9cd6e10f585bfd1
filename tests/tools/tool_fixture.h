// Test helper for tqvtool: a private directory, files written and read there, and runs of
// the tool with its exit status and both outputs.
#pragma once

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

namespace fs = std::filesystem;

struct ToolResult {
  int status;
  std::string out;
  std::string err;
};

class ToolTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = fs::temp_directory_path() / ("tqvtool-test-" + std::to_string(::getpid()));
    fs::create_directories(dir_ / "Media");
  }
  void TearDown() override { fs::remove_all(dir_); }

  std::string path(const std::string& name) const { return (dir_ / name).string(); }
  void write(const std::string& name, const std::string& bytes) const {
    std::ofstream(path(name), std::ios::binary) << bytes;
  }
  std::string read(const std::string& name) const {
    std::ifstream in(path(name), std::ios::binary);
    std::stringstream all;
    all << in.rdbuf();
    return all.str();
  }
  // Runs tqvtool; LSAN_OPTIONS reaches it from the test's environment.
  ToolResult run(const std::string& arguments) const {
    std::string command =
        std::string(TQVTOOL_PATH) + " " + arguments + " >" + path("out") + " 2>" + path("err");
    int raw = std::system(command.c_str());
    return {WIFEXITED(raw) ? WEXITSTATUS(raw) : -1, read("out"), read("err")};
  }

  fs::path dir_;
};

// Bytes from numbers.
inline std::string bytes(std::initializer_list<int> values) {
  std::string out;
  for (int v : values) out += static_cast<char>(v);
  return out;
}
