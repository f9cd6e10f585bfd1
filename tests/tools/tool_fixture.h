// Test helper for tqvtool: a private directory, files written and read there, and runs of
// the tool with its exit status and both outputs.
#pragma once

#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdlib>
#include <string>

#include "tests/support/temp_dir.h"

namespace fs = std::filesystem;

struct ToolResult {
  int status;
  std::string out;
  std::string err;
};

class ToolTest : public ::testing::Test {
 protected:
  std::string path(const std::string& name) const { return dir_.file(name); }
  void write(const std::string& name, const std::string& bytes) const { dir_.write(name, bytes); }
  std::string read(const std::string& name) const { return dir_.read(name); }
  // The option that makes the private directory the disc.
  std::string disc() const { return " --disc " + dir_.path().string(); }
  // Runs tqvtool; LSAN_OPTIONS reaches it from the test's environment.
  ToolResult run(const std::string& arguments) const {
    std::string command =
        std::string(TQVTOOL_PATH) + " " + arguments + " >" + path("out") + " 2>" + path("err");
    int raw = std::system(command.c_str());
    return {WIFEXITED(raw) ? WEXITSTATUS(raw) : -1, read("out"), read("err")};
  }

  TempDir dir_;
};

// Bytes from numbers.
inline std::string bytes(std::initializer_list<int> values) {
  std::string out;
  for (int v : values) out += static_cast<char>(v);
  return out;
}
