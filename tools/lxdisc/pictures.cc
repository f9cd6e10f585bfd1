// The painters behind the recipes, drawn with cairo and written as 24-bit bitmaps:
//   faixas-h COR COR ...          horizontal bands of equal height (flags)
//   faixas-v COR COR ...          vertical bands of equal width (flags)
//   disco FUNDO COR               a centred disc three fifths of the height across
//   barras RÓTULO=VALOR; ...      a bar chart, values to scale, labels under the bars
//   circulos NOME:RAIO:COR; ...   a row of circles on a night sky, names under them
//   cartao COR COR TEXTO          a card shaded between two colours, with the title
//   localizador LAT LON [CODE]    the world map with the country CODE (ISO 3166 numeric)
//                                 filled and a mark at that place
// Colours are #rrggbb.
#include "tools/lxdisc/pictures.h"

#include <cairo.h>

#include <cmath>
#include <fstream>

#include <sstream>
#include <vector>
#include "tools/lxdisc/disc_model.h"
#include "tools/lxdisc/sources.h"

namespace lxdisc {
namespace {

struct Colour {
  double r = 0, g = 0, b = 0;
};

bool parseColour(const std::string& text, Colour& colour) {
  if (text.size() != 7 || text[0] != '#') return false;
  unsigned value = 0;
  for (size_t i = 1; i < 7; ++i) {
    char c = text[i];
    int digit = c >= '0' && c <= '9'   ? c - '0'
                : c >= 'a' && c <= 'f' ? c - 'a' + 10
                : c >= 'A' && c <= 'F' ? c - 'A' + 10
                                       : -1;
    if (digit < 0) return false;
    value = value * 16 + digit;
  }
  colour = {((value >> 16) & 255) / 255.0, ((value >> 8) & 255) / 255.0, (value & 255) / 255.0};
  return true;
}

std::vector<std::string> words(const std::string& text) {
  std::istringstream in(text);
  std::vector<std::string> out;
  for (std::string w; in >> w;) out.push_back(w);
  return out;
}

std::vector<std::vector<std::string>> items(const std::string& text, char separator) {
  std::vector<std::vector<std::string>> out;
  std::stringstream in(text);
  for (std::string item; std::getline(in, item, ';');) {
    std::vector<std::string> parts;
    std::stringstream fields(item);
    for (std::string part; std::getline(fields, part, separator);) {
      size_t b = part.find_first_not_of(' '), e = part.find_last_not_of(' ');
      parts.push_back(b == std::string::npos ? "" : part.substr(b, e - b + 1));
    }
    if (!parts.empty() && !(parts.size() == 1 && parts[0].empty())) out.push_back(parts);
  }
  return out;
}

bool isNumber(const std::string& text) {
  try {
    size_t used = 0;
    std::stod(text, &used);
    return used == text.size();
  } catch (const std::exception&) {
    return false;
  }
}

std::string split(const std::string& recipe, std::string& rest) {
  size_t space = recipe.find(' ');
  rest = space == std::string::npos ? "" : recipe.substr(space + 1);
  return recipe.substr(0, space);
}

void setColour(cairo_t* cr, const Colour& c) {
  cairo_set_source_rgb(cr, c.r, c.g, c.b);
}

// Text centred on x with its baseline at y, made smaller when wider than `fit`.
void centredText(cairo_t* cr, const std::string& text, double x, double y, double size,
                 double fit = 1e9) {
  cairo_select_font_face(cr, "DejaVu Sans", CAIRO_FONT_SLANT_NORMAL, CAIRO_FONT_WEIGHT_BOLD);
  cairo_set_font_size(cr, size);
  cairo_text_extents_t extents;
  cairo_text_extents(cr, text.c_str(), &extents);
  if (extents.width > fit) {
    cairo_set_font_size(cr, size * fit / extents.width);
    cairo_text_extents(cr, text.c_str(), &extents);
  }
  cairo_move_to(cr, x - extents.width / 2 - extents.x_bearing, y);
  cairo_show_text(cr, text.c_str());
}

void bands(cairo_t* cr, const std::vector<std::string>& colours, bool vertical, int w, int h) {
  double step = (vertical ? w : h) / static_cast<double>(colours.size());
  for (size_t i = 0; i < colours.size(); ++i) {
    Colour c;
    parseColour(colours[i], c);
    setColour(cr, c);
    if (vertical) {
      cairo_rectangle(cr, i * step, 0, step + 1, h);
    } else {
      cairo_rectangle(cr, 0, i * step, w, step + 1);
    }
    cairo_fill(cr);
  }
}

void paper(cairo_t* cr, int w, int h) {
  cairo_pattern_t* shade = cairo_pattern_create_linear(0, 0, 0, h);
  cairo_pattern_add_color_stop_rgb(shade, 0, 0.99, 0.97, 0.91);
  cairo_pattern_add_color_stop_rgb(shade, 1, 0.93, 0.89, 0.80);
  cairo_set_source(cr, shade);
  cairo_paint(cr);
  cairo_pattern_destroy(shade);
}

void bars(cairo_t* cr, const std::string& args, int w, int h) {
  paper(cr, w, h);
  auto list = items(args, '=');
  double top = 0;
  for (auto& item : list) top = std::max(top, std::stod(item[1]));
  double slot = (w - 20.0) / list.size(), base = h - 34.0;
  for (size_t i = 0; i < list.size(); ++i) {
    double value = std::stod(list[i][1]);
    double height = (base - 28) * value / top, x = 10 + i * slot + slot * 0.18;
    cairo_set_source_rgb(cr, 0.16, 0.36 + 0.05 * (i % 3), 0.55);
    cairo_rectangle(cr, x, base - height, slot * 0.64, height);
    cairo_fill(cr);
    cairo_set_source_rgb(cr, 0.2, 0.15, 0.1);
    centredText(cr, list[i][1], x + slot * 0.32, base - height - 5, 11);
    centredText(cr, list[i][0], x + slot * 0.32, base + 16, 11, slot * 0.95);
  }
  cairo_set_source_rgb(cr, 0.3, 0.25, 0.2);
  cairo_rectangle(cr, 8, base, w - 16, 1.5);
  cairo_fill(cr);
}

void circles(cairo_t* cr, const std::string& args, int w, int h) {
  cairo_pattern_t* sky = cairo_pattern_create_radial(w / 2.0, h / 2.0, 10, w / 2.0, h / 2.0, w);
  cairo_pattern_add_color_stop_rgb(sky, 0, 0.10, 0.12, 0.28);
  cairo_pattern_add_color_stop_rgb(sky, 1, 0.02, 0.02, 0.08);
  cairo_set_source(cr, sky);
  cairo_paint(cr);
  cairo_pattern_destroy(sky);
  auto list = items(args, ':');
  double slot = static_cast<double>(w) / list.size();
  for (size_t i = 0; i < list.size(); ++i) {
    Colour c;
    parseColour(list[i][2], c);
    double x = slot * (i + 0.5), y = h * 0.45, r = std::stod(list[i][1]);
    cairo_pattern_t* ball = cairo_pattern_create_radial(x - r / 3, y - r / 3, r / 8, x, y, r);
    cairo_pattern_add_color_stop_rgb(ball, 0, std::min(1.0, c.r + 0.3), std::min(1.0, c.g + 0.3),
                                     std::min(1.0, c.b + 0.3));
    cairo_pattern_add_color_stop_rgb(ball, 1, c.r * 0.6, c.g * 0.6, c.b * 0.6);
    cairo_set_source(cr, ball);
    cairo_arc(cr, x, y, r, 0, 2 * M_PI);
    cairo_fill(cr);
    cairo_pattern_destroy(ball);
    cairo_set_source_rgb(cr, 0.92, 0.92, 0.85);
    centredText(cr, list[i][0], x, h - 14, 10, slot * 0.95);
  }
}

void card(cairo_t* cr, const std::vector<std::string>& args, const std::string& title, int w,
          int h) {
  Colour a, b;
  parseColour(args[0], a);
  parseColour(args[1], b);
  cairo_pattern_t* shade = cairo_pattern_create_linear(0, 0, w, h);
  cairo_pattern_add_color_stop_rgb(shade, 0, a.r, a.g, a.b);
  cairo_pattern_add_color_stop_rgb(shade, 1, b.r, b.g, b.b);
  cairo_set_source(cr, shade);
  cairo_paint(cr);
  cairo_pattern_destroy(shade);
  // Rings behind the text, the almanac's mark.
  cairo_set_line_width(cr, 2);
  for (int i = 1; i <= 5; ++i) {
    cairo_set_source_rgba(cr, 1, 1, 1, 0.08 * i);
    cairo_arc(cr, w * 0.8, h * 0.3, 18.0 * i, 0, 2 * M_PI);
    cairo_stroke(cr);
  }
  std::string text;
  for (size_t i = 2; i < args.size(); ++i) text += (i > 2 ? " " : "") + args[i];
  cairo_set_source_rgba(cr, 0, 0, 0, 0.35);
  centredText(cr, text, w / 2.0 + 2, h * 0.58 + 2, h / 5.0, w * 0.88);
  cairo_set_source_rgb(cr, 1, 0.98, 0.9);
  centredText(cr, text, w / 2.0, h * 0.58, h / 5.0, w * 0.88);
  cairo_set_source_rgba(cr, 1, 1, 1, 0.85);
  centredText(cr, title, w / 2.0, h - 16, 12, w * 0.92);
}

// The rings of `code` (every ring when empty) as paths. A ring that crosses the 180th
// meridian is unwrapped into one continuous outline and drawn once on each side.
void outlines(cairo_t* cr, const World& world, const std::string& code, int w, int h) {
  for (const Outline& ring : world) {
    if (!code.empty() && ring.code != code) continue;
    std::vector<double> longitudes;
    for (const auto& point : ring.points) {
      double lon = point.first;
      if (!longitudes.empty()) {
        while (lon - longitudes.back() > 180) lon -= 360;
        while (longitudes.back() - lon > 180) lon += 360;
      }
      longitudes.push_back(lon);
    }
    for (double shift : {-360.0, 0.0, 360.0}) {
      for (size_t i = 0; i < ring.points.size(); ++i) {
        double x = (longitudes[i] + shift + 180) / 360.0 * w;
        double y = (90 - ring.points[i].second) / 180.0 * h;
        if (i == 0) {
          cairo_move_to(cr, x, y);
        } else {
          cairo_line_to(cr, x, y);
        }
      }
      cairo_close_path(cr);
    }
  }
}

void graticule(cairo_t* cr, int w, int h) {
  cairo_set_line_width(cr, 1);
  cairo_set_source_rgba(cr, 0.2, 0.35, 0.55, 0.35);
  for (int lon = -150; lon < 180; lon += 30) {
    double x = (lon + 180) / 360.0 * w;
    cairo_move_to(cr, x, 0);
    cairo_line_to(cr, x, h);
  }
  for (int lat = -60; lat <= 60; lat += 30) {
    double y = (90 - lat) / 180.0 * h;
    cairo_move_to(cr, 0, y);
    cairo_line_to(cr, w, y);
  }
  cairo_stroke(cr);
}

void locator(cairo_t* cr, double latitude, double longitude, const std::string& code,
             const World& world, int w, int h) {
  cairo_set_source_rgb(cr, 0.67, 0.82, 0.93);
  cairo_paint(cr);
  graticule(cr, w, h);
  cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
  outlines(cr, world, "", w, h);
  cairo_set_source_rgb(cr, 0.93, 0.89, 0.76);
  cairo_fill_preserve(cr);
  cairo_set_source_rgb(cr, 0.55, 0.50, 0.40);
  cairo_set_line_width(cr, 0.5);
  cairo_stroke(cr);
  if (!code.empty()) {
    outlines(cr, world, code, w, h);
    cairo_set_source_rgb(cr, 0.80, 0.33, 0.20);
    cairo_fill_preserve(cr);
    cairo_set_source_rgb(cr, 0.45, 0.12, 0.05);
    cairo_set_line_width(cr, 0.8);
    cairo_stroke(cr);
  }
  double x = (longitude + 180) / 360.0 * w, y = (90 - latitude) / 180.0 * h;
  for (int ring = 3; ring >= 1; --ring) {
    cairo_set_source_rgba(cr, 0.85, 0.1, 0.1, 0.18 * (4 - ring));
    cairo_arc(cr, x, y, 5.0 * ring, 0, 2 * M_PI);
    cairo_fill(cr);
  }
  cairo_set_source_rgb(cr, 0.6, 0.0, 0.0);
  cairo_arc(cr, x, y, 3, 0, 2 * M_PI);
  cairo_fill(cr);
}
void writeBitmap(cairo_surface_t* surface, std::ofstream& out) {
  int w = cairo_image_surface_get_width(surface), h = cairo_image_surface_get_height(surface);
  int stride = cairo_image_surface_get_stride(surface);
  const unsigned char* data = cairo_image_surface_get_data(surface);
  int rowBytes = (w * 3 + 3) & ~3;
  auto put32 = [&](uint32_t v) {
    for (int i = 0; i < 4; ++i) out.put(static_cast<char>((v >> (8 * i)) & 255));
  };
  auto put16 = [&](uint16_t v) {
    out.put(static_cast<char>(v & 255));
    out.put(static_cast<char>(v >> 8));
  };
  out.write("BM", 2);
  put32(54 + rowBytes * h);
  put32(0);
  put32(54);
  put32(40);
  put32(w);
  put32(h);
  put16(1);
  put16(24);
  put32(0);
  put32(rowBytes * h);
  put32(2835);
  put32(2835);
  put32(0);
  put32(0);
  std::string row(rowBytes, '\0');
  for (int y = h - 1; y >= 0; --y) {  // bottom-up rows
    const unsigned char* pixel = data + y * stride;
    for (int x = 0; x < w; ++x) {
      // Little-endian ARGB32 keeps blue, green, red in the first three bytes.
      row[x * 3] = static_cast<char>(pixel[x * 4]);
      row[x * 3 + 1] = static_cast<char>(pixel[x * 4 + 1]);
      row[x * 3 + 2] = static_cast<char>(pixel[x * 4 + 2]);
    }
    out.write(row.data(), rowBytes);
  }
}

}  // namespace

std::string checkDrawing(const std::string& recipe) {
  std::string rest, painter = split(recipe, rest);
  std::vector<std::string> args = words(rest);
  Colour c;
  auto allColours = [&](size_t from) {
    for (size_t i = from; i < args.size(); ++i)
      if (!parseColour(args[i], c)) return false;
    return true;
  };
  if (painter == "faixas-h" || painter == "faixas-v") {
    if (args.size() < 2 || !allColours(0)) return "expected two or more colours";
  } else if (painter == "disco") {
    if (args.size() != 2 || !allColours(0)) return "expected two colours";
  } else if (painter == "cartao") {
    if (args.size() < 3 || !parseColour(args[0], c) || !parseColour(args[1], c))
      return "expected two colours and a text";
  } else if (painter == "localizador") {
    if (args.size() < 2 || args.size() > 3 || !isNumber(args[0]) || !isNumber(args[1]))
      return "expected latitude, longitude and a country code";
  } else if (painter == "barras") {
    auto list = items(rest, '=');
    if (list.empty()) return "expected LABEL=VALUE items";
    for (auto& item : list)
      if (item.size() != 2 || !isNumber(item[1]) || std::stod(item[1]) <= 0)
        return "expected LABEL=VALUE items with positive values";
  } else if (painter == "circulos") {
    auto list = items(rest, ':');
    if (list.empty()) return "expected NAME:RADIUS:COLOUR items";
    for (auto& item : list)
      if (item.size() != 3 || !isNumber(item[1]) || !parseColour(item[2], c))
        return "expected NAME:RADIUS:COLOUR items";
  } else {
    return "unknown painter '" + painter + "'";
  }
  return "";
}

World readWorld(const std::filesystem::path& file) {
  World world;
  std::istringstream in(readText(file));
  std::string line;
  while (std::getline(in, line)) {
    if (line.empty() || line[0] == '#') continue;
    std::istringstream fields(line);
    Outline ring;
    fields >> ring.code;
    for (std::string point; fields >> point;) {
      size_t comma = point.find(',');
      if (comma == std::string::npos || !isNumber(point.substr(0, comma)) ||
          !isNumber(point.substr(comma + 1))) {
        throw DiscError(file, "malformed point " + point);
      }
      ring.points.emplace_back(std::stod(point.substr(0, comma)),
                               std::stod(point.substr(comma + 1)));
    }
    world.push_back(std::move(ring));
  }
  return world;
}

bool paintPicture(const std::string& recipe, const std::string& title, int width, int height,
                  const World& world, const std::filesystem::path& out) {
  cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_RGB24, width, height);
  cairo_t* cr = cairo_create(surface);
  std::string rest, painter = split(recipe, rest);
  std::vector<std::string> args = words(rest);
  if (painter == "faixas-h" || painter == "faixas-v") {
    bands(cr, args, painter == "faixas-v", width, height);
  } else if (painter == "disco") {
    bands(cr, {args[0]}, false, width, height);
    Colour c;
    parseColour(args[1], c);
    setColour(cr, c);
    cairo_arc(cr, width / 2.0, height / 2.0, height * 0.3, 0, 2 * M_PI);
    cairo_fill(cr);
  } else if (painter == "barras") {
    bars(cr, rest, width, height);
  } else if (painter == "circulos") {
    circles(cr, rest, width, height);
  } else if (painter == "cartao") {
    card(cr, args, title, width, height);
  } else if (painter == "localizador") {
    locator(cr, std::stod(args[0]), std::stod(args[1]), args.size() > 2 ? args[2] : "", world,
            width, height);
  }
  cairo_destroy(cr);
  cairo_surface_flush(surface);
  // Written beside the picture and renamed over it, so a failed run leaves no half picture
  // newer than its source.
  std::filesystem::path partial = out;
  partial += ".part";
  std::ofstream file(partial, std::ios::binary | std::ios::trunc);
  if (file) writeBitmap(surface, file);
  cairo_surface_destroy(surface);
  file.close();
  std::error_code error;
  if (file) std::filesystem::rename(partial, out, error);
  return file && !error;
}

bool saveBitmap(cairo_surface_t* surface, const std::filesystem::path& out) {
  cairo_surface_flush(surface);
  std::ofstream file(out, std::ios::binary | std::ios::trunc);
  if (file) writeBitmap(surface, file);
  return static_cast<bool>(file);
}

}  // namespace lxdisc
