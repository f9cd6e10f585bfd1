// The art of the almanac's screens.
#include "tools/lxdisc/screen_art.h"

#include <cairo.h>

#include <cmath>
#include <functional>
#include <string>
#include <vector>

#include "tools/lxdisc/disc_model.h"
#include "tools/lxdisc/pictures.h"
#include "tools/lxdisc/sources.h"

namespace fs = std::filesystem;

namespace lxdisc {
namespace {

struct Rgb {
  double r, g, b;
  Rgb mix(const Rgb& o, double t) const {
    return {r + (o.r - r) * t, g + (o.g - g) * t, b + (o.b - b) * t};
  }
};
constexpr Rgb kWhite{1, 1, 1};
constexpr Rgb kBlack{0, 0, 0};

Rgb hex(unsigned v) {
  return {((v >> 16) & 255) / 255.0, ((v >> 8) & 255) / 255.0, (v & 255) / 255.0};
}

void source(cairo_t* cr, const Rgb& c, double alpha = 1) {
  cairo_set_source_rgba(cr, c.r, c.g, c.b, alpha);
}

void roundRect(cairo_t* cr, double x, double y, double w, double h, double r) {
  cairo_new_sub_path(cr);
  cairo_arc(cr, x + w - r, y + r, r, -M_PI / 2, 0);
  cairo_arc(cr, x + w - r, y + h - r, r, 0, M_PI / 2);
  cairo_arc(cr, x + r, y + h - r, r, M_PI / 2, M_PI);
  cairo_arc(cr, x + r, y + r, r, M_PI, 3 * M_PI / 2);
  cairo_close_path(cr);
}

void text(cairo_t* cr, const std::string& utf8, double cx, double baseline, double size, bool bold,
          const Rgb& colour, bool centred = true) {
  cairo_select_font_face(cr, "Liberation Sans", CAIRO_FONT_SLANT_NORMAL,
                         bold ? CAIRO_FONT_WEIGHT_BOLD : CAIRO_FONT_WEIGHT_NORMAL);
  cairo_set_font_size(cr, size);
  cairo_text_extents_t e;
  cairo_text_extents(cr, utf8.c_str(), &e);
  double x = centred ? cx - e.width / 2 - e.x_bearing : cx;
  source(cr, kBlack, 0.35);
  cairo_move_to(cr, x + 1, baseline + 1);
  cairo_show_text(cr, utf8.c_str());
  source(cr, colour);
  cairo_move_to(cr, x, baseline);
  cairo_show_text(cr, utf8.c_str());
}

// Icons, drawn in a box of `s` pixels at (x, y) with the current source.
using Icon = std::function<void(cairo_t*, double x, double y, double s)>;

void strokeWidth(cairo_t* cr, double s) {
  cairo_set_line_width(cr, std::max(1.5, s / 12));
  cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
  cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
}

const Icon kHome = [](cairo_t* cr, double x, double y, double s) {
  cairo_move_to(cr, x + s * 0.5, y + s * 0.1);
  cairo_line_to(cr, x + s * 0.95, y + s * 0.5);
  cairo_line_to(cr, x + s * 0.82, y + s * 0.5);
  cairo_line_to(cr, x + s * 0.82, y + s * 0.92);
  cairo_line_to(cr, x + s * 0.18, y + s * 0.92);
  cairo_line_to(cr, x + s * 0.18, y + s * 0.5);
  cairo_line_to(cr, x + s * 0.05, y + s * 0.5);
  cairo_close_path(cr);
  cairo_fill(cr);
};
const Icon kGrid = [](cairo_t* cr, double x, double y, double s) {
  for (int i = 0; i < 4; ++i) {
    roundRect(cr, x + s * (0.1 + 0.45 * (i % 2)), y + s * (0.1 + 0.45 * (i / 2)), s * 0.35,
              s * 0.35, s * 0.06);
  }
  cairo_fill(cr);
};
const Icon kSearch = [](cairo_t* cr, double x, double y, double s) {
  strokeWidth(cr, s * 1.4);
  cairo_arc(cr, x + s * 0.42, y + s * 0.42, s * 0.28, 0, 2 * M_PI);
  cairo_move_to(cr, x + s * 0.62, y + s * 0.62);
  cairo_line_to(cr, x + s * 0.9, y + s * 0.9);
  cairo_stroke(cr);
};
const Icon kBookmark = [](cairo_t* cr, double x, double y, double s) {
  cairo_move_to(cr, x + s * 0.25, y + s * 0.08);
  cairo_line_to(cr, x + s * 0.75, y + s * 0.08);
  cairo_line_to(cr, x + s * 0.75, y + s * 0.92);
  cairo_line_to(cr, x + s * 0.5, y + s * 0.7);
  cairo_line_to(cr, x + s * 0.25, y + s * 0.92);
  cairo_close_path(cr);
  cairo_fill(cr);
};
const Icon kBack = [](cairo_t* cr, double x, double y, double s) {
  cairo_move_to(cr, x + s * 0.08, y + s * 0.5);
  cairo_line_to(cr, x + s * 0.5, y + s * 0.12);
  cairo_line_to(cr, x + s * 0.5, y + s * 0.34);
  cairo_line_to(cr, x + s * 0.92, y + s * 0.34);
  cairo_line_to(cr, x + s * 0.92, y + s * 0.66);
  cairo_line_to(cr, x + s * 0.5, y + s * 0.66);
  cairo_line_to(cr, x + s * 0.5, y + s * 0.88);
  cairo_close_path(cr);
  cairo_fill(cr);
};
const Icon kClock = [](cairo_t* cr, double x, double y, double s) {
  strokeWidth(cr, s * 1.2);
  cairo_arc(cr, x + s * 0.5, y + s * 0.5, s * 0.4, 0, 2 * M_PI);
  cairo_move_to(cr, x + s * 0.5, y + s * 0.22);
  cairo_line_to(cr, x + s * 0.5, y + s * 0.5);
  cairo_line_to(cr, x + s * 0.7, y + s * 0.62);
  cairo_stroke(cr);
};
const Icon kGlobe = [](cairo_t* cr, double x, double y, double s) {
  strokeWidth(cr, s);
  double cx = x + s * 0.5, cy = y + s * 0.5, r = s * 0.42;
  cairo_arc(cr, cx, cy, r, 0, 2 * M_PI);
  cairo_move_to(cr, cx - r, cy);
  cairo_line_to(cr, cx + r, cy);
  cairo_stroke(cr);
  cairo_save(cr);
  cairo_translate(cr, cx, cy);
  cairo_scale(cr, 0.45, 1);
  cairo_arc(cr, 0, 0, r, 0, 2 * M_PI);
  cairo_restore(cr);
  cairo_stroke(cr);
  for (double dy : {-0.5, 0.5}) {
    double half = std::sqrt(1 - dy * dy) * r;
    cairo_move_to(cr, cx - half, cy + dy * r);
    cairo_line_to(cr, cx + half, cy + dy * r);
  }
  cairo_stroke(cr);
};
const Icon kHelp = [](cairo_t* cr, double x, double y, double s) {
  strokeWidth(cr, s * 1.3);
  cairo_arc(cr, x + s * 0.5, y + s * 0.34, s * 0.2, M_PI, 2.3 * M_PI);
  cairo_line_to(cr, x + s * 0.5, y + s * 0.66);
  cairo_stroke(cr);
  cairo_arc(cr, x + s * 0.5, y + s * 0.86, s * 0.07, 0, 2 * M_PI);
  cairo_fill(cr);
};
const Icon kMinimise = [](cairo_t* cr, double x, double y, double s) {
  roundRect(cr, x + s * 0.15, y + s * 0.72, s * 0.7, s * 0.16, s * 0.05);
  cairo_fill(cr);
};
const Icon kPower = [](cairo_t* cr, double x, double y, double s) {
  strokeWidth(cr, s * 1.3);
  cairo_arc(cr, x + s * 0.5, y + s * 0.55, s * 0.34, -M_PI / 2 + 0.6, 3 * M_PI / 2 - 0.6);
  cairo_move_to(cr, x + s * 0.5, y + s * 0.08);
  cairo_line_to(cr, x + s * 0.5, y + s * 0.5);
  cairo_stroke(cr);
};
const Icon kBook = [](cairo_t* cr, double x, double y, double s) {
  for (int side : {-1, 1}) {
    cairo_move_to(cr, x + s * 0.5, y + s * 0.25);
    cairo_curve_to(cr, x + s * (0.5 + side * 0.15), y + s * 0.12, x + s * (0.5 + side * 0.35),
                   y + s * 0.14, x + s * (0.5 + side * 0.45), y + s * 0.2);
    cairo_line_to(cr, x + s * (0.5 + side * 0.45), y + s * 0.82);
    cairo_curve_to(cr, x + s * (0.5 + side * 0.35), y + s * 0.76, x + s * (0.5 + side * 0.15),
                   y + s * 0.76, x + s * 0.5, y + s * 0.88);
    cairo_close_path(cr);
  }
  cairo_fill(cr);
};
const Icon kPicture = [](cairo_t* cr, double x, double y, double s) {
  strokeWidth(cr, s);
  roundRect(cr, x + s * 0.08, y + s * 0.18, s * 0.84, s * 0.64, s * 0.06);
  cairo_stroke(cr);
  cairo_move_to(cr, x + s * 0.14, y + s * 0.76);
  cairo_line_to(cr, x + s * 0.4, y + s * 0.45);
  cairo_line_to(cr, x + s * 0.58, y + s * 0.64);
  cairo_line_to(cr, x + s * 0.7, y + s * 0.52);
  cairo_line_to(cr, x + s * 0.86, y + s * 0.76);
  cairo_close_path(cr);
  cairo_fill(cr);
  cairo_arc(cr, x + s * 0.72, y + s * 0.34, s * 0.07, 0, 2 * M_PI);
  cairo_fill(cr);
};
const Icon kTable = [](cairo_t* cr, double x, double y, double s) {
  strokeWidth(cr, s);
  roundRect(cr, x + s * 0.1, y + s * 0.15, s * 0.8, s * 0.7, s * 0.05);
  for (double f : {0.38, 0.61}) {
    cairo_move_to(cr, x + s * 0.1, y + s * f);
    cairo_line_to(cr, x + s * 0.9, y + s * f);
  }
  cairo_move_to(cr, x + s * 0.42, y + s * 0.15);
  cairo_line_to(cr, x + s * 0.42, y + s * 0.85);
  cairo_stroke(cr);
};
const Icon kTimeline = [](cairo_t* cr, double x, double y, double s) {
  strokeWidth(cr, s);
  cairo_move_to(cr, x + s * 0.05, y + s * 0.5);
  cairo_line_to(cr, x + s * 0.95, y + s * 0.5);
  cairo_stroke(cr);
  for (int i = 0; i < 4; ++i) {
    cairo_arc(cr, x + s * (0.14 + 0.24 * i), y + s * 0.5, s * 0.08, 0, 2 * M_PI);
    cairo_fill(cr);
    cairo_move_to(cr, x + s * (0.14 + 0.24 * i), y + s * (i % 2 ? 0.62 : 0.38));
    cairo_line_to(cr, x + s * (0.14 + 0.24 * i), y + s * (i % 2 ? 0.8 : 0.2));
    cairo_stroke(cr);
  }
};
Icon calendar(const char* label) {
  return [label](cairo_t* cr, double x, double y, double s) {
    roundRect(cr, x + s * 0.1, y + s * 0.14, s * 0.8, s * 0.22, s * 0.05);
    cairo_fill(cr);
    strokeWidth(cr, s);
    roundRect(cr, x + s * 0.1, y + s * 0.14, s * 0.8, s * 0.74, s * 0.06);
    cairo_stroke(cr);
    cairo_select_font_face(cr, "Liberation Sans", CAIRO_FONT_SLANT_NORMAL, CAIRO_FONT_WEIGHT_BOLD);
    cairo_set_font_size(cr, s * 0.36);
    cairo_text_extents_t e;
    cairo_text_extents(cr, label, &e);
    cairo_move_to(cr, x + s * 0.5 - e.width / 2 - e.x_bearing, y + s * 0.78);
    cairo_show_text(cr, label);
  };
}
const Icon kBulb = [](cairo_t* cr, double x, double y, double s) {
  cairo_arc(cr, x + s * 0.5, y + s * 0.4, s * 0.28, 0, 2 * M_PI);
  cairo_fill(cr);
  roundRect(cr, x + s * 0.36, y + s * 0.64, s * 0.28, s * 0.22, s * 0.04);
  cairo_fill(cr);
};
const Icon kQuiz = [](cairo_t* cr, double x, double y, double s) {
  strokeWidth(cr, s);
  cairo_arc(cr, x + s * 0.5, y + s * 0.5, s * 0.42, 0, 2 * M_PI);
  cairo_stroke(cr);
  kHelp(cr, x + s * 0.2, y + s * 0.2, s * 0.6);
};

const Icon kAlphabet = [](cairo_t* cr, double x, double y, double s) {
  cairo_select_font_face(cr, "Liberation Sans", CAIRO_FONT_SLANT_NORMAL, CAIRO_FONT_WEIGHT_BOLD);
  cairo_set_font_size(cr, s * 0.5);
  cairo_move_to(cr, x + s * 0.02, y + s * 0.5);
  cairo_show_text(cr, "A");
  cairo_move_to(cr, x + s * 0.5, y + s * 0.95);
  cairo_show_text(cr, "Z");
  strokeWidth(cr, s);
  cairo_move_to(cr, x + s * 0.3, y + s * 0.62);
  cairo_line_to(cr, x + s * 0.62, y + s * 0.3);
  cairo_stroke(cr);
};
// A route: stops joined by a winding path.
const Icon kRoute = [](cairo_t* cr, double x, double y, double s) {
  strokeWidth(cr, s);
  cairo_move_to(cr, x + s * 0.15, y + s * 0.82);
  cairo_curve_to(cr, x + s * 0.6, y + s * 0.9, x + s * 0.2, y + s * 0.45, x + s * 0.55,
                 y + s * 0.5);
  cairo_curve_to(cr, x + s * 0.9, y + s * 0.55, x + s * 0.5, y + s * 0.15, x + s * 0.85,
                 y + s * 0.18);
  cairo_stroke(cr);
  const double stops[][2] = {{0.15, 0.82}, {0.55, 0.5}, {0.85, 0.18}};
  for (const auto& stop : stops) {
    cairo_arc(cr, x + s * stop[0], y + s * stop[1], s * 0.1, 0, 2 * M_PI);
    cairo_fill(cr);
  }
};
const Icon kStar = [](cairo_t* cr, double x, double y, double s) {
  for (int i = 0; i < 10; ++i) {
    double angle = -M_PI / 2 + i * M_PI / 5, r = (i % 2 == 0 ? 0.46 : 0.19) * s;
    cairo_line_to(cr, x + s * 0.5 + r * std::cos(angle), y + s * 0.52 + r * std::sin(angle));
  }
  cairo_close_path(cr);
  cairo_fill(cr);
};

struct Section {
  const char* id;     // file names
  const char* title;  // UTF-8
  unsigned colour;
  Icon icon;
};

const std::vector<Section>& sections() {
  static const std::vector<Section> all = {
      {"verbetes", "Verbetes", 0x1F3A93, kBook},
      {"midias", "Mídias", 0x6B2D5C, kPicture},
      {"atlas", "Atlas", 0x1E7F6E, kGlobe},
      {"bdados", "Banco de Dados", 0x3E4C59, kTable},
      {"ltempo", "Linha do Tempo", 0xB86E00, kTimeline},
      {"retro", "Retrospectiva", 0xA4161A, calendar("98")},
      {"agenda", "Agenda", 0x0F7C80, calendar("31")},
      {"curio", "Curiosidades", 0xC4500A, kBulb},
      {"jogo", "Jogo", 0x2E8B3A, kQuiz},
      {"principal", "Zazuzadov Lumbra 98", 0x2B2D42, kHome},
      {"creditos", "Créditos", 0x2B2D42, kHelp},
  };
  return all;
}

struct Action {
  const char* id;
  const char* label;
  Icon icon;
};

const std::vector<Action>& barActions() {
  static const std::vector<Action> all = {
      {"inicio", "Início", kHome},           {"secoes", "Seções", kGrid},
      {"busca", "Busca", kSearch},           {"marcador", "Marcador", kBookmark},
      {"voltar", "Voltar", kBack},           {"historico", "Histórico", kClock},
      {"internet", "Internet", kGlobe},      {"ajuda", "Ajuda", kHelp},
      {"minimizar", "Minimizar", kMinimise}, {"sair", "Sair", kPower},
  };
  return all;
}

// A soft motif: concentric arcs and a few large circles, faint.
void motif(cairo_t* cr, int w, int h, unsigned seed) {
  source(cr, kWhite, 0.05);
  cairo_set_line_width(cr, 18);
  for (int i = 0; i < 6; ++i) {
    cairo_arc(cr, w * 0.85, h * 0.95, 120 + 70.0 * i, 0, 2 * M_PI);
    cairo_stroke(cr);
  }
  for (int i = 0; i < 5; ++i) {
    unsigned v = seed * 2654435761u + i * 40503u;
    double cx = (v % 640), cy = 100 + (v / 640) % 360, r = 30 + (v / 7) % 70;
    cairo_arc(cr, cx, cy, r, 0, 2 * M_PI);
    cairo_fill(cr);
  }
}

class Painter {
 public:
  Painter(const fs::path& media, const fs::path& stamp) : media_(media) {
    std::error_code ignored;
    stamp_ = fs::last_write_time(stamp, ignored);
  }
  int written() const { return written_; }

  // Paints `name` at w x h with `draw` unless it is up to date.
  void paint(const std::string& name, int w, int h, const std::function<void(cairo_t*)>& draw) {
    fs::path out = media_ / name;
    std::error_code ignored;
    if (fs::exists(out) && fs::last_write_time(out, ignored) >= stamp_) return;
    cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_RGB24, w, h);
    cairo_t* cr = cairo_create(surface);
    draw(cr);
    cairo_destroy(cr);
    bool ok = saveBitmap(surface, out);
    cairo_surface_destroy(surface);
    if (!ok) throw DiscError(out, "cannot be written");
    ++written_;
  }

 private:
  fs::path media_;
  fs::file_time_type stamp_;
  int written_ = 0;
};

// A linear gradient from `from` at the origin to `to` at (x, y), as the source.
void linearSource(cairo_t* cr, double x, double y, const Rgb& from, const Rgb& to) {
  cairo_pattern_t* p = cairo_pattern_create_linear(0, 0, x, y);
  cairo_pattern_add_color_stop_rgb(p, 0, from.r, from.g, from.b);
  cairo_pattern_add_color_stop_rgb(p, 1, to.r, to.g, to.b);
  cairo_set_source(cr, p);
  cairo_pattern_destroy(p);
}

void gradient(cairo_t* cr, const Rgb& c, int w, int h) {
  linearSource(cr, w * 0.3, h, c.mix(kBlack, 0.25), c.mix(kWhite, 0.18));
  cairo_paint(cr);
}

// A button's or tile's rounded face, `inset` from the picture's edges, shaded from `top`
// to `bottom`; its outline stays the current path.
void face(cairo_t* cr, double inset, int w, int h, double radius, const Rgb& top,
          const Rgb& bottom) {
  roundRect(cr, inset, inset, w - 2 * inset, h - 2 * inset, radius);
  linearSource(cr, 0, h, top, bottom);
  cairo_fill_preserve(cr);
}

// A section screen: menu band, title band with the section's icon and name, content panel.
void background(cairo_t* cr, const Section& s, unsigned seed) {
  Rgb c = hex(s.colour);
  gradient(cr, c, 640, 480);
  motif(cr, 640, 480, seed);
  source(cr, c.mix(kBlack, 0.55));
  cairo_rectangle(cr, 0, 0, 640, 40);
  cairo_fill(cr);
  source(cr, c.mix(kWhite, 0.5), 0.6);
  cairo_rectangle(cr, 0, 40, 640, 2);
  cairo_fill(cr);
  source(cr, kWhite, 0.12);
  roundRect(cr, 16, 48, 608, 40, 8);
  cairo_fill(cr);
  source(cr, kWhite, 0.95);
  s.icon(cr, 26, 52, 32);
  text(cr, s.title, 68, 76, 22, true, kWhite, false);
  source(cr, hex(0xFBF8F1), 0.96);
  roundRect(cr, 16, 96, 608, 368, 10);
  cairo_fill(cr);
  source(cr, c, 0.9);
  cairo_rectangle(cr, 16, 96, 6, 368);
  cairo_fill(cr);
}

// A viewer's screen: the section's menu band, a title band whose left chip, in the
// list's colour, carries its icon (the viewer writes the list's name beside it and the
// item's name on the band), and the content panel edged in the list's colour.
void viewerBackground(cairo_t* cr, const Section& s, const Rgb& list, const Icon& icon,
                      unsigned seed) {
  Rgb c = hex(s.colour);
  gradient(cr, c.mix(list, 0.35), 640, 480);
  motif(cr, 640, 480, seed);
  source(cr, c.mix(kBlack, 0.55));
  cairo_rectangle(cr, 0, 0, 640, 40);
  cairo_fill(cr);
  source(cr, list.mix(kWhite, 0.5), 0.7);
  cairo_rectangle(cr, 0, 40, 640, 2);
  cairo_fill(cr);
  source(cr, kBlack, 0.22);
  roundRect(cr, 16, 48, 608, 40, 8);
  cairo_fill(cr);
  source(cr, list.mix(kBlack, 0.2));
  roundRect(cr, 16, 48, 188, 40, 8);
  cairo_fill(cr);
  source(cr, kWhite, 0.95);
  icon(cr, 26, 56, 24);
  source(cr, hex(0xFBF8F1), 0.97);
  roundRect(cr, 16, 96, 608, 368, 10);
  cairo_fill(cr);
  source(cr, list, 0.9);
  cairo_rectangle(cr, 16, 96, 6, 368);
  cairo_fill(cr);
}

void button(cairo_t* cr, const Rgb& c, const Icon& icon, const char* label, int w, int h,
            bool pressed) {
  Rgb shade = pressed ? c.mix(kBlack, 0.35) : c.mix(kBlack, 0.1);
  source(cr, c.mix(kBlack, 0.55));
  cairo_paint(cr);
  face(cr, 1, w, h, 6, shade.mix(kWhite, pressed ? 0.05 : 0.25), shade);
  source(cr, kWhite, pressed ? 0.2 : 0.35);
  cairo_set_line_width(cr, 1);
  cairo_stroke(cr);
  double shift = pressed ? 1 : 0;
  source(cr, kWhite, 0.95);
  icon(cr, w / 2.0 - 8 + shift, 3 + shift, 16);
  text(cr, label, w / 2.0 + shift, h - 5 + shift, 10, false, kWhite);
}

void labelButton(cairo_t* cr, const Rgb& c, const char* label, int w, int h, bool pressed,
                 double size = 13) {
  source(cr, hex(0xFBF8F1));
  cairo_paint(cr);
  Rgb shade = pressed ? c.mix(kBlack, 0.3) : c;
  face(cr, 1, w, h, 7, shade.mix(kWhite, pressed ? 0.05 : 0.2), shade);
  cairo_new_path(cr);
  double d = pressed ? 1 : 0;
  text(cr, label, w / 2.0 + d, h / 2.0 + size * 0.38 + d, size, true, kWhite);
}

void tile(cairo_t* cr, const Section& s, int w, int h, bool pressed) {
  Rgb c = hex(s.colour);
  source(cr, hex(0xFBF8F1));  // the content panel the tiles lie on
  cairo_paint(cr);
  face(cr, 2, w, h, 12, c.mix(kWhite, pressed ? 0.05 : 0.2), c.mix(kBlack, pressed ? 0.3 : 0.1));
  source(cr, kWhite, 0.3);
  cairo_set_line_width(cr, 1.5);
  cairo_stroke(cr);
  source(cr, kWhite, 0.1);
  cairo_arc(cr, w - 30, h - 20, 60, 0, 2 * M_PI);
  cairo_fill(cr);
  double d = pressed ? 1 : 0;
  source(cr, kWhite, 0.95);
  s.icon(cr, w / 2.0 - 22 + d, 12 + d, 44);
  text(cr, s.title, w / 2.0 + d, h - 16 + d, 16, true, kWhite);
}

void dialog(cairo_t* cr, int w, int h, const char* title) {
  Rgb c = hex(0x2B2D42);
  source(cr, c.mix(kBlack, 0.4));
  cairo_paint(cr);
  source(cr, hex(0xFBF8F1));
  roundRect(cr, 2, 2, w - 4, h - 4, 10);
  cairo_fill(cr);
  source(cr, c);
  roundRect(cr, 2, 2, w - 4, 32, 10);
  cairo_fill(cr);
  cairo_rectangle(cr, 2, 20, w - 4, 14);
  cairo_fill(cr);
  source(cr, hex(0xD9A441));
  cairo_rectangle(cr, 2, 34, w - 4, 2);
  cairo_fill(cr);
  text(cr, title, 16, 24, 14, true, kWhite, false);
}

void intro(cairo_t* cr) {
  Rgb c = hex(0x1B1F3B);
  gradient(cr, c, 640, 480);
  motif(cr, 640, 480, 98);
  // A globe of light rings behind the title.
  for (int i = 0; i < 12; ++i) {
    source(cr, hex(0xD9A441), 0.06 + 0.01 * i);
    cairo_set_line_width(cr, 2);
    cairo_save(cr);
    cairo_translate(cr, 320, 210);
    cairo_scale(cr, std::cos(i * M_PI / 12) * 0.98 + 0.02, 1);
    cairo_arc(cr, 0, 0, 150, 0, 2 * M_PI);
    cairo_restore(cr);
    cairo_stroke(cr);
  }
  text(cr, "Zazuzadov", 320, 200, 54, true, hex(0xF4E3B2));
  text(cr, "Lumbra 98", 320, 262, 44, true, hex(0xD9A441));
  text(cr, "O almanaque do mundo e do Brasil", 320, 320, 18, false, kWhite);
  text(cr, "Clique ou tecle Enter para começar", 320, 448, 12, false, hex(0xC9C9D9));
}

// The entries home's tiles, the itinerary dialogs' buttons and the highlights menu.
void entriesArt(Painter& painter) {
  const Section tiles[] = {{"indice", "Índice A–Z", 0x1F3A93, kAlphabet},
                           {"roteiros", "Roteiros", 0x1E7F6E, kRoute},
                           {"destaques", "Destaques", 0xB86E00, kStar}};
  for (const Section& s : tiles) {
    for (bool pressed : {false, true}) {
      painter.paint(std::string("tile_") + s.id + (pressed ? "_p" : "") + ".bmp", 184, 100,
                    [&](cairo_t* cr) { tile(cr, s, 184, 100, pressed); });
    }
  }
  const struct {
    const char* id;
    const char* label;
    unsigned colour;
  } wide[] = {{"incluir_roteiro", "Novo roteiro", 0x1E7F6E},
              {"excluir_roteiro", "Apagar roteiro", 0xA4161A},
              {"incluir_verbete", "Incluir verbete", 0x1F3A93},
              {"excluir_verbete", "Tirar verbete", 0x6B2D5C}};
  for (bool pressed : {false, true}) {
    painter.paint(std::string("bt_abrir") + (pressed ? "_p" : "") + ".bmp", 96, 28,
                  [&](cairo_t* cr) { labelButton(cr, hex(0x1F3A93), "Abrir", 96, 28, pressed); });
  }
  for (const auto& l : wide) {
    int w = 114;
    for (bool pressed : {false, true}) {
      painter.paint(
          std::string("bt_") + l.id + (pressed ? "_p" : "") + ".bmp", w, 28,
          [&](cairo_t* cr) { labelButton(cr, hex(l.colour), l.label, w, 28, pressed, 11.5); });
    }
    // Disabled: the same label, faded into the panel.
    painter.paint(std::string("bt_") + l.id + "_d.bmp", w, 28, [&](cairo_t* cr) {
      labelButton(cr, hex(l.colour).mix(hex(0xFBF8F1), 0.6), l.label, w, 28, false, 11.5);
    });
  }
  const struct {
    const char* file;
    int w, h;
    const char* title;
  } dialogs[] = {{"dlg_indice.bmp", 360, 400, "Índice dos verbetes"},
                 {"dlg_roteiros.bmp", 520, 380, "Roteiros"},
                 {"dlg_meus_roteiros.bmp", 480, 340, "Meus roteiros"},
                 {"dlg_nome_roteiro.bmp", 360, 170, "Novo roteiro"}};
  for (const auto& d : dialogs) {
    painter.paint(d.file, d.w, d.h, [&](cairo_t* cr) { dialog(cr, d.w, d.h, d.title); });
  }
  // The highlights menu is drawn over a warm card with the section's stripe.
  painter.paint("menu_destaques.bmp", 224, 320, [](cairo_t* cr) {
    linearSource(cr, 0, 320, hex(0xFBF8F1), hex(0xF1E6CC));
    cairo_paint(cr);
    source(cr, hex(0x1F3A93));
    cairo_rectangle(cr, 0, 0, 4, 320);
    cairo_fill(cr);
    source(cr, hex(0x1F3A93), 0.06);
    kBook(cr, 96, 190, 120);
  });
}

}  // namespace

int paintScreenArt(const fs::path& media, const fs::path& stamp) {
  Painter painter(media, stamp);
  unsigned seed = 1;
  for (const Section& s : sections()) {
    painter.paint(std::string("fundo_") + s.id + ".bmp", 640, 480,
                  [&](cairo_t* cr) { background(cr, s, seed); });
    ++seed;
    if (std::string(s.id) == "principal" || std::string(s.id) == "creditos") continue;
    for (bool pressed : {false, true}) {
      painter.paint(std::string("tile_") + s.id + (pressed ? "_p" : "") + ".bmp", 184, 100,
                    [&](cairo_t* cr) { tile(cr, s, 184, 100, pressed); });
    }
  }
  // The entry viewer's lists (categories, the whole list, itineraries, search results)
  // and the first media and atlas viewers.
  const Section& entries = sections()[0];
  const struct {
    int number;
    unsigned colour;
    Icon icon;
  } lists[] = {{0, 0x8A4B1C, kClock},   {1, 0x1E7F6E, kGlobe},    {2, 0x5B2C83, kBulb},
               {3, 0xA4161A, kPicture}, {4, 0x2E8B3A, kQuiz},     {5, 0xB86E00, kBook},
               {6, 0x1F3A93, kBook},    {7, 0x0F7C80, kBookmark}, {8, 0x3E4C59, kSearch},
               {9, 0x1B7A3A, kHome}};
  for (const auto& l : lists) {
    painter.paint(
        "fundo_verbete_cat" + std::to_string(l.number) + ".bmp", 640, 480,
        [&](cairo_t* cr) { viewerBackground(cr, entries, hex(l.colour), l.icon, 40 + l.number); });
  }
  for (const Section& s : sections()) {
    std::string id = s.id;
    if (id != "midias" && id != "atlas") continue;
    painter.paint("fundo_visor_" + id + ".bmp", 640, 480,
                  [&](cairo_t* cr) { viewerBackground(cr, s, hex(s.colour), s.icon, 60); });
  }
  for (const Section& s : sections()) {
    for (const Action& a : barActions()) {
      for (bool pressed : {false, true}) {
        painter.paint(
            std::string("bt_") + a.id + "_" + s.id + (pressed ? "_p" : "") + ".bmp", 58, 34,
            [&](cairo_t* cr) { button(cr, hex(s.colour), a.icon, a.label, 58, 34, pressed); });
      }
    }
  }
  // Dialog buttons: a label on a rounded face.
  const struct {
    const char* id;
    const char* label;
    unsigned colour;
  } labels[] = {{"ok", "OK", 0x1E7F6E},
                {"sim", "Sim", 0x1E7F6E},
                {"nao", "Não", 0x6B6F80},
                {"cancelar", "Cancelar", 0x6B6F80},
                {"fechar", "Fechar", 0x6B6F80},
                {"procurar", "Procurar", 0x1F3A93},
                {"limpar", "Limpar", 0x6B6F80},
                {"salvar", "Salvar", 0x6B6F80},
                {"avancado", "Avançado", 0x6B6F80},
                {"anterior", "Anterior", 0x1F3A93},
                {"proximo", "Próximo", 0x1F3A93},
                {"copiar", "Copiar", 0x1F3A93},
                {"imprimir", "Imprimir", 0x1F3A93}};
  for (const auto& l : labels) {
    for (bool pressed : {false, true}) {
      painter.paint(std::string("bt_") + l.id + (pressed ? "_p" : "") + ".bmp", 96, 28,
                    [&](cairo_t* cr) { labelButton(cr, hex(l.colour), l.label, 96, 28, pressed); });
    }
  }
  entriesArt(painter);
  painter.paint("abertura.bmp", 640, 480, intro);
  const struct {
    const char* file;
    int w, h;
    const char* title;
  } dialogs[] = {{"dlg_sair.bmp", 360, 150, "Sair"},
                 {"dlg_historico.bmp", 400, 320, "Histórico"},
                 {"dlg_preferencias.bmp", 400, 300, "Preferências"},
                 {"dlg_sobre.bmp", 420, 280, "Sobre o Zazuzadov Lumbra 98"},
                 {"dlg_busca.bmp", 480, 400, "Busca"}};
  for (const auto& d : dialogs) {
    painter.paint(d.file, d.w, d.h, [&](cairo_t* cr) { dialog(cr, d.w, d.h, d.title); });
  }
  return painter.written();
}

}  // namespace lxdisc
