// Pictures the builder paints from a short recipe (the "Desenho" field of a medium).
#pragma once

#include <cairo.h>

#include <filesystem>
#include <string>
#include <utility>
#include <vector>

namespace lxdisc {

// Country outlines for the locator maps: rings of (longitude, latitude) points, each
// with the country's ISO 3166 numeric code.
struct Outline {
  std::string code;
  std::vector<std::pair<double, double>> points;
};
using World = std::vector<Outline>;

// Reads the outline file (one ring a line: CODE LON,LAT LON,LAT ...; "#" comments).
// Throws DiscError on a malformed line.
World readWorld(const std::filesystem::path& file);

// Checks a recipe without painting: empty when it is good, else what is wrong.
std::string checkDrawing(const std::string& recipe);

// Paints the recipe at width x height and writes it as a 24-bit bitmap. Returns false
// when the file cannot be written.
bool paintPicture(const std::string& recipe, const std::string& title, int width, int height,
                  const World& world, const std::filesystem::path& out);

// Writes a cairo image surface as a 24-bit bitmap; false when the file cannot be written.
bool saveBitmap(cairo_surface_t* surface, const std::filesystem::path& out);

}  // namespace lxdisc
