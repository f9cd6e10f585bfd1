// Test helper: what poppler's command-line tools read from a PDF file: its text (of one
// page, or of all), its page count and how many images it places.
#pragma once

#include <cstdio>
#include <string>

namespace pdf_reading {

inline std::string output(const std::string& command) {
  std::string text;
  if (std::FILE* pipe = ::popen(command.c_str(), "r")) {
    char chunk[4096];
    for (size_t n; (n = std::fread(chunk, 1, sizeof chunk, pipe)) > 0;) text.append(chunk, n);
    ::pclose(pipe);
  }
  return text;
}

inline std::string quoted(const std::string& path) {
  return "'" + path + "'";  // test paths hold no quotes
}

// The text of page `page` (from 1), or of every page when 0; UTF-8.
inline std::string text(const std::string& path, int page = 0) {
  std::string range = page > 0 ? " -f " + std::to_string(page) + " -l " + std::to_string(page) : "";
  return output("pdftotext -layout" + range + " " + quoted(path) + " - 2>/dev/null");
}

inline int pages(const std::string& path) {
  std::string info = output("pdfinfo " + quoted(path) + " 2>/dev/null");
  size_t at = info.find("Pages:");
  return at == std::string::npos ? -1 : std::stoi(info.substr(at + 6));
}

// The images drawn on the pages (the rows of `pdfimages -list` below its two heading lines).
inline int images(const std::string& path) {
  std::string list = output("pdfimages -list " + quoted(path) + " 2>/dev/null");
  int lines = 0;
  for (char c : list) lines += c == '\n' ? 1 : 0;
  return lines >= 2 ? lines - 2 : -1;
}

}  // namespace pdf_reading
