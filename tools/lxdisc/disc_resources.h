// The files of content/disco/ on the disc: text resources in code page 1252, other files
// as they are, tables and forms also compiled.
#pragma once

#include <filesystem>
#include <vector>

namespace lxdisc {

// Copies what is newer than its copy: content/disco/ into `media`, content/raiz/ (as it
// is) into the disc's root. Returns the tables and forms whose compiled file is older than
// their source.
std::vector<std::filesystem::path> copyResources(const std::filesystem::path& content,
                                                 const std::filesystem::path& media, int& written);

// Compiles the given tables and forms (global first) on the disc `root`, whose media
// folder is "Media". Throws DiscError naming a file that does not compile.
void compileResources(const std::filesystem::path& root,
                      const std::vector<std::filesystem::path>& sources);

}  // namespace lxdisc
