// Pictures the builder paints from a short recipe (the "Desenho" field of a medium).
#pragma once

#include <filesystem>
#include <string>

namespace lxdisc {

// Checks a recipe without painting: empty when it is good, else what is wrong.
std::string checkDrawing(const std::string& recipe);

// Paints the recipe at width x height and writes it as a 24-bit bitmap. Returns false
// when the file cannot be written.
bool paintPicture(const std::string& recipe, const std::string& title, int width, int height,
                  const std::filesystem::path& out);

}  // namespace lxdisc
