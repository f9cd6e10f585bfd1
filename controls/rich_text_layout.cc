// Rich text layout: the runs become paragraphs of Pango layouts stacked down a column.
#include "controls/rich_text_layout.h"

#include <algorithm>
#include <cmath>

#include "controls/rtf_parser.h"
#include "media/image.h"
#include "media/resources.h"
#include "media/text_drawing.h"
#include "values/convert.h"
#include "values/cp1252.h"
#include "values/font.h"
#include "values/generic.h"
#include "values/list.h"
#include "values/string.h"
#include "values/table.h"

namespace {

constexpr double kTwipsPerPixel = 15.0;  // 1440 twips an inch, 96 pixels an inch
constexpr TQVINT kBoxPadding = 6;
constexpr TQVINT kDefaultTabPixels = 48;                     // half an inch
constexpr const char kObjectReplacement[] = "\xEF\xBF\xBC";  // U+FFFC stands for an image
constexpr const char kCutNote[] =
    "(O texto continua, mas é longo demais para ser mostrado aqui por inteiro.)";

// Twips to pixels, within what a column of any width could use.
TQVINT twipsToPixels(TQVINT twips) {
  return std::clamp<TQVINT>(static_cast<TQVINT>(std::lround(twips / kTwipsPerPixel)), -100000,
                            100000);
}

void splitColour(TQVINT colour, guint16& red, guint16& green, guint16& blue) {
  red = static_cast<guint16>((colour & 0xFF) * 257);
  green = static_cast<guint16>(((colour >> 8) & 0xFF) * 257);
  blue = static_cast<guint16>(((colour >> 16) & 0xFF) * 257);
}

// The run's kind and its values (a bare int is a run without values).
TQVINT runKind(const tqvHandle& run, tqvListObject*& values) {
  values = tqvAsList(run);
  if (values == nullptr) return tqvNumberOf(run, 0);
  return values->count() > 0 ? tqvNumberOf(values->itemAt(0), 0) : 0;
}

tqvHandle runValue(tqvListObject* values, TQVINT index) {
  return values != nullptr && index < values->count() ? values->itemAt(index) : tqvHandle();
}

// The baseline of the line holding byte `index`, and the x of that byte.
void locate(PangoLayout* layout, TQVINT index, double& x, double& baseline) {
  PangoLayoutIter* iter = pango_layout_get_iter(layout);
  do {
    PangoLayoutLine* line = pango_layout_iter_get_line_readonly(iter);
    if (index < line->start_index + line->length || pango_layout_iter_at_last_line(iter)) {
      baseline = pango_layout_iter_get_baseline(iter) / double(PANGO_SCALE);
      PangoRectangle logical;
      pango_layout_iter_get_line_extents(iter, nullptr, &logical);
      int lineX = 0;
      pango_layout_line_index_to_x(line, index, FALSE, &lineX);
      x = (logical.x + lineX) / double(PANGO_SCALE);
      break;
    }
  } while (pango_layout_iter_next_line(iter));
  pango_layout_iter_free(iter);
}

}  // namespace

struct tqvRichTextLayout::Paragraph {
  struct Image {
    TQVINT index = 0;  // byte index of its stand-in character
    tqvHandle image;   // nil: an unknown name, nothing drawn
    TQVINT width = 0, height = 0;
    double x = 0, y = 0;  // placed when laid out, in the paragraph
  };
  struct HotRange {
    TQVINT spot, start, end;  // a hot spot and its bytes in the text
  };

  // Set up with its text and attributes when the runs are read; Pango lays it out when
  // it is first measured.
  PangoLayout* layout = nullptr;
  bool laidOut = false;
  TQVINT x = 0, y = 0;
  TQVINT height = 0;  // estimated until laid out
  TQVINT box = 0;
  bool pageBreak = false;  // starts a new page
  std::vector<Image> images;
  std::vector<HotRange> hot;

  ~Paragraph() {
    if (layout != nullptr) g_object_unref(layout);
  }
};

// Turns the runs into paragraphs: one pass, keeping the format, paragraph settings and the
// UTF-8 text with its attributes of the paragraph being built.
class tqvRichTextLayout::Builder {
 public:
  Builder(tqvRichTextLayout& out, const tqvHandle& fonts, const tqvRichTextStyle& style)
      : out_(out), fonts_(tqvAsList(fonts)), style_(style) {
    textColour_ = style.textColour;
    PangoFontDescription* base = tqvDescribeFont(style.font.isNil() ? defaultFont() : style.font);
    baseFont_ = base;
  }
  ~Builder() {
    pango_font_description_free(baseFont_);
    if (attrs_ != nullptr) pango_attr_list_unref(attrs_);
  }

  void build(const tqvHandle& runs) {
    tqvListObject* list = tqvAsList(runs);
    TQVINT n = list != nullptr ? list->count() : 0;
    for (TQVINT i = 0; i < n && !out_.cut_; ++i) {
      tqvListObject* values = nullptr;
      TQVINT kind = runKind(list->itemAt(i), values);
      out_.runs_.push_back(
          {i, static_cast<TQVINT>(out_.paragraphs_.size()), static_cast<TQVINT>(text_.size())});
      apply(kind, values);
    }
    if (out_.cut_) {
      endParagraph();
      fontIndex_ = -1;
      textColour_ = style_.textColour;
      hot_ = false;
      appendUtf8(kCutNote);
      out_.plain_ += tqvUtf8ToCp1252(kCutNote);
    }
    endParagraph();
  }

 private:
  static tqvHandle defaultFont() { return tqvMakeFont(tqvMakeString("Times New Roman"), 12, 0); }

  void apply(TQVINT kind, tqvListObject* values) {
    switch (kind) {
      case TQV_RUN_FORMAT: {
        fontIndex_ = tqvNumberOf(runValue(values, 1), -1);
        textColour_ = tqvNumberOf(runValue(values, 2), style_.textColour);
        // A format run repeats the alignment in force; only a change (a group that set
        // its own ending) moves it, so that \pard's return to the left holds.
        TQVINT alignment = tqvNumberOf(runValue(values, 4), formatAlignment_);
        if (alignment != formatAlignment_) alignment_ = alignment;
        formatAlignment_ = alignment;
        break;
      }
      case TQV_RUN_TEXT:
        appendText(tqvStringView(runValue(values, 1)));
        break;
      case TQV_RUN_CHARACTER: {
        char c = static_cast<char>(tqvNumberOf(runValue(values, 1), '?'));
        appendText(std::string_view(&c, 1));
        break;
      }
      case TQV_RUN_PAGE:
        endParagraph();
        pageBreak_ = true;
        break;
      case TQV_RUN_PARAGRAPH:
        endParagraph(true);
        break;
      case TQV_RUN_CENTRE:
      case TQV_RUN_LEFT:
      case TQV_RUN_RIGHT:
        alignment_ = kind == TQV_RUN_CENTRE ? 1 : kind == TQV_RUN_RIGHT ? 2 : 0;
        break;
      case TQV_RUN_TAB:
        appendText("\t");
        break;
      case TQV_RUN_IMAGE:
        appendImage(runValue(values, 1));
        break;
      case TQV_RUN_HOT_SPOT:
      case TQV_RUN_STRUCK_HOT_SPOT: {
        TQVINT start = static_cast<TQVINT>(text_.size());
        hot_ = true;
        struck_ = kind == TQV_RUN_STRUCK_HOT_SPOT;
        tqvHandle label = runValue(values, 1);
        appendText(tqvStringView(label));
        hot_ = struck_ = false;
        addHotSpot(label, runValue(values, 2), kind, start);
        break;
      }
      case TQV_RUN_HOT_IMAGE:
        if (lastImage_ >= 0) {
          addHotSpot(runValue(values, 1), runValue(values, 2), kind, lastImage_);
        }
        break;
      case TQV_RUN_TAB_STOP:
      case TQV_RUN_RIGHT_TAB_STOP:
        tabs_.push_back(
            {twipsToPixels(tqvNumberOf(runValue(values, 1), 0)), kind == TQV_RUN_RIGHT_TAB_STOP});
        break;
      case TQV_RUN_PLAIN_PARAGRAPH:
        alignment_ = 0;
        firstIndent_ = leftIndent_ = 0;
        tabs_.clear();
        box_ = 0;
        break;
      case TQV_RUN_MARKER:
        out_.markers_.push_back(
            {std::string(tqvStringView(runValue(values, 2))),
             {static_cast<TQVINT>(out_.paragraphs_.size()), static_cast<TQVINT>(text_.size())}});
        break;
      case TQV_RUN_FIRST_INDENT:
        firstIndent_ = twipsToPixels(tqvNumberOf(runValue(values, 1), 0));
        break;
      case TQV_RUN_LEFT_INDENT:
        leftIndent_ = std::max<TQVINT>(twipsToPixels(tqvNumberOf(runValue(values, 1), 0)), 0);
        break;
      case TQV_RUN_STRUCK:
        struck_ = true;
        appendText(tqvStringView(runValue(values, 1)));
        struck_ = false;
        break;
      case TQV_RUN_BOX:
        box_ = tqvNumberOf(runValue(values, 1), 0);
        break;
      default:
        break;
    }
  }

  // Appends code page 1252 text in the current format.
  void appendText(std::string_view cp1252) {
    std::string kept;
    kept.reserve(cp1252.size());
    for (char c : cp1252) {
      if (c != '\r' && c != '\n') kept += c;  // line breaks of the source are not the text's
    }
    if (kept.empty()) return;
    size_t room =
        style_.largestText > out_.plain_.size() ? style_.largestText - out_.plain_.size() : 0;
    if (kept.size() > room) {
      kept.resize(room);
      out_.cut_ = true;
    }
    out_.plain_ += kept;
    appendUtf8(tqvCp1252ToUtf8(kept));
  }

  void appendUtf8(std::string_view utf8) {
    if (utf8.empty()) return;
    guint start = static_cast<guint>(text_.size());
    text_ += utf8;
    guint end = static_cast<guint>(text_.size());
    attrs();
    auto add = [&](PangoAttribute* a) {
      a->start_index = start;
      a->end_index = end;
      pango_attr_list_insert(attrs_, a);
    };
    tqvFontObject* font = fontIndex_ >= 0 && fonts_ != nullptr && fontIndex_ < fonts_->count()
                              ? tqvAsFont(fonts_->itemAt(fontIndex_))
                              : nullptr;
    if (font != nullptr) {
      PangoFontDescription* d = tqvDescribeFont(fonts_->itemAt(fontIndex_));
      add(pango_attr_font_desc_new(d));
      pango_font_description_free(d);
    }
    guint16 r, g, b;
    TQVINT colour = hot_ ? style_.hotColour : textColour_;
    if (colour != style_.textColour) {  // text without a colour of its own is drawn in it
      splitColour(colour, r, g, b);
      add(pango_attr_foreground_new(r, g, b));
    }
    if (hot_ || (font != nullptr && (font->style() & 4) != 0)) {
      add(pango_attr_underline_new(PANGO_UNDERLINE_SINGLE));
    }
    if (struck_) {
      splitColour(style_.hitColour, r, g, b);
      add(pango_attr_background_new(r, g, b));
    }
  }

  void appendImage(const tqvHandle& name) {
    Paragraph::Image image;
    image.index = static_cast<TQVINT>(text_.size());
    lookUpImage(name, image);
    lastImage_ = image.index;
    text_ += kObjectReplacement;
    PangoRectangle box{0, -tqvPangoUnits(image.height), tqvPangoUnits(image.width),
                       tqvPangoUnits(image.height)};
    PangoAttribute* shape = pango_attr_shape_new(&box, &box);
    shape->start_index = static_cast<guint>(image.index);
    shape->end_index = static_cast<guint>(text_.size());
    attrs();
    pango_attr_list_insert(attrs_, shape);
    images_.push_back(image);
  }

  // The image list maps a name to an image, or to a list of a name (looked up as a
  // resource) and the size to show it at.
  void lookUpImage(const tqvHandle& name, Paragraph::Image& image) {
    if (!style_.showImages) return;
    tqvHandle entry = style_.images.is(TQV_TABLE_TYPE) ? tqvGet(style_.images, name) : tqvHandle();
    if (entry.isNil()) entry = name;
    TQVINT width = 0, height = 0;
    if (tqvListObject* list = tqvAsList(entry)) {
      width = list->count() > 1 ? tqvNumberOf(list->itemAt(1), 0) : 0;
      height = list->count() > 2 ? tqvNumberOf(list->itemAt(2), 0) : 0;
      entry = list->count() > 0 ? list->itemAt(0) : tqvHandle();
    }
    // A name the list does not give is looked up as a resource of the disc.
    if (entry.is(TQV_STRING_TYPE)) entry = tqvResolve(entry);
    if (tqvImageObject* picture = tqvAsImage(entry)) {
      image.image = entry;
      if (width <= 0 || height <= 0) {
        width = picture->width();
        height = picture->height();
      }
    }
    // Pictures wider than the column shrink to it, keeping their shape.
    TQVINT room = std::max<TQVINT>(out_.width_ - 2 * kBoxPadding, 1);
    if (width > room) {
      height = static_cast<TQVINT>(int64_t{height} * room / width);
      width = room;
    }
    image.width = std::clamp<TQVINT>(width, 0, 4096);
    image.height = std::clamp<TQVINT>(height, 0, 4096);
  }

  void addHotSpot(const tqvHandle& label, const tqvHandle& target, TQVINT kind, TQVINT start) {
    HotSpot spot;
    spot.label = label.is(TQV_STRING_TYPE) ? std::string(tqvStringView(label)) : "";
    spot.target = target;
    spot.kind = kind;
    spot.run = out_.runs_.empty() ? 0 : out_.runs_.back().run;
    out_.hotSpots_.push_back(spot);
    hotRanges_.push_back(
        {static_cast<TQVINT>(out_.hotSpots_.size() - 1), start, static_cast<TQVINT>(text_.size())});
  }

  void attrs() {
    if (attrs_ == nullptr) attrs_ = pango_attr_list_new();
  }

  // Sets up the paragraph built so far (`forced`: even when empty, as \par makes one).
  void endParagraph(bool forced = false) {
    if (text_.empty() && !forced) return;
    auto p = std::make_unique<Paragraph>();
    p->layout = pango_layout_new(out_.context_);
    p->pageBreak = pageBreak_;
    pageBreak_ = false;
    p->box = box_;
    TQVINT inset = box_ != 0 ? kBoxPadding : 0;
    // Indents come from the text: no wider than the column. A negative first-line indent
    // hangs the first line out to the left of the others.
    TQVINT leftIndent = std::clamp<TQVINT>(leftIndent_, 0, out_.width_);
    TQVINT firstIndent = std::clamp<TQVINT>(firstIndent_, -out_.width_, out_.width_);
    TQVINT left = std::max<TQVINT>(leftIndent + std::min<TQVINT>(firstIndent, 0), 0);
    TQVINT indent = firstIndent >= 0 ? firstIndent : left - leftIndent;
    p->x = inset + left;
    TQVINT width = std::max<TQVINT>(out_.width_ - p->x - inset, 8);
    PangoLayout* layout = p->layout;
    pango_layout_set_width(layout, tqvPangoUnits(width));
    pango_layout_set_wrap(layout, PANGO_WRAP_WORD_CHAR);
    pango_layout_set_indent(layout, tqvPangoUnits(indent));
    pango_layout_set_alignment(layout, alignment_ == 1   ? PANGO_ALIGN_CENTER
                                       : alignment_ == 2 ? PANGO_ALIGN_RIGHT
                                                         : PANGO_ALIGN_LEFT);
    PangoFontDescription* font = currentFont();
    pango_layout_set_font_description(layout, font);
    double scale = pango_font_description_get_size(font) /
                   std::max(1.0, double(pango_font_description_get_size(baseFont_)));
    pango_font_description_free(font);
    setTabs(layout, left);
    pango_layout_set_text(layout, text_.data(), static_cast<int>(text_.size()));
    if (attrs_ != nullptr) {
      pango_layout_set_attributes(layout, attrs_);
      pango_attr_list_unref(attrs_);
      attrs_ = nullptr;
    }
    // Until Pango lays it out, the paragraph is as high as its characters would fill
    // lines of the base font's average width, and its pictures.
    double lineHeight = out_.lineHeight_ * std::max(scale, 0.5);
    double lines = std::ceil(utf8Length(text_) * out_.characterWidth_ * scale / width);
    double pictures = 0;
    for (const Paragraph::Image& image : images_) {
      pictures += std::max(0.0, image.height - lineHeight);
    }
    p->height = static_cast<TQVINT>(std::max(lines, 1.0) * lineHeight + pictures);
    p->images = std::move(images_);
    images_.clear();
    p->hot = std::move(hotRanges_);
    hotRanges_.clear();
    out_.paragraphs_.push_back(std::move(p));
    out_.plain_ += '\n';
    text_.clear();
    lastImage_ = -1;
  }

  static size_t utf8Length(const std::string& text) {
    size_t n = 0;
    for (char c : text) n += (static_cast<unsigned char>(c) & 0xC0) != 0x80;
    return n;
  }

  PangoFontDescription* currentFont() {
    if (fontIndex_ >= 0 && fonts_ != nullptr && fontIndex_ < fonts_->count()) {
      return tqvDescribeFont(fonts_->itemAt(fontIndex_));
    }
    return pango_font_description_copy(baseFont_);
  }

  // Tab stops are measured from the column's left edge; the layout starts `left` further.
  void setTabs(PangoLayout* layout, TQVINT left) {
    std::vector<Tab> tabs;
    for (const Tab& t : tabs_) {
      if (t.position - left > 0) tabs.push_back({t.position - left, t.right});
    }
    std::sort(tabs.begin(), tabs.end(),
              [](const Tab& a, const Tab& b) { return a.position < b.position; });
    // Past the given stops (or without any), a stop every half inch.
    TQVINT last = tabs.empty() ? 0 : tabs.back().position;
    for (TQVINT at = (last / kDefaultTabPixels + 1) * kDefaultTabPixels; at < out_.width_ + 1;
         at += kDefaultTabPixels) {
      tabs.push_back({at, false});
    }
    PangoTabArray* array = pango_tab_array_new(static_cast<gint>(tabs.size()), TRUE);
    for (size_t i = 0; i < tabs.size(); ++i) {
      pango_tab_array_set_tab(array, static_cast<gint>(i),
                              tabs[i].right ? PANGO_TAB_RIGHT : PANGO_TAB_LEFT, tabs[i].position);
    }
    pango_layout_set_tabs(layout, array);
    pango_tab_array_free(array);
  }

  struct Tab {
    TQVINT position;
    bool right;
  };

  tqvRichTextLayout& out_;
  tqvListObject* fonts_;
  const tqvRichTextStyle& style_;
  PangoFontDescription* baseFont_ = nullptr;
  TQVINT fontIndex_ = -1;
  TQVINT textColour_ = 0;
  TQVINT alignment_ = 0;
  TQVINT formatAlignment_ = 0;  // as the last format run gave it
  TQVINT firstIndent_ = 0, leftIndent_ = 0;
  TQVINT box_ = 0;
  bool pageBreak_ = false;
  bool hot_ = false, struck_ = false;
  std::vector<Tab> tabs_;
  std::string text_;  // the paragraph's text in UTF-8
  PangoAttrList* attrs_ = nullptr;
  std::vector<Paragraph::Image> images_;
  std::vector<Paragraph::HotRange> hotRanges_;
  TQVINT lastImage_ = -1;
};

tqvRichTextLayout::tqvRichTextLayout(const tqvHandle& runs, const tqvHandle& fonts, TQVINT width,
                                     TQVINT pageHeight, const tqvRichTextStyle& style)
    : style_(style), width_(std::max<TQVINT>(width, 16)), pageHeight_(pageHeight) {
  context_ = pango_font_map_create_context(pango_cairo_font_map_get_default());
  tqvPreparePangoContext(context_);
  {
    // The base font's line height and average character width, for the estimates.
    PangoLayout* probe = pango_layout_new(context_);
    PangoFontDescription* d = tqvDescribeFont(
        style.font.isNil() ? tqvMakeFont(tqvMakeString("Times New Roman"), 12, 0) : style.font);
    pango_layout_set_font_description(probe, d);
    pango_font_description_free(d);
    static const char kSample[] = "O rio corre para o leste, entre margens largas e baixas.";
    pango_layout_set_text(probe, kSample, -1);
    int w = 0, h = 0;
    pango_layout_get_pixel_size(probe, &w, &h);
    lineHeight_ = std::max(h, 1);
    characterWidth_ = std::max(1.0, double(w) / (sizeof kSample - 1));
    g_object_unref(probe);
  }
  Builder(*this, fonts, style_).build(runs);
  place(0);
}

tqvRichTextLayout::~tqvRichTextLayout() {
  paragraphs_.clear();
  if (context_ != nullptr) g_object_unref(context_);
}

// The room a box leaves around its paragraphs comes before paragraph `i` when a box
// ends or begins there.
TQVINT tqvRichTextLayout::topOf(size_t i) const {
  if (i == 0) return paragraphs_[0]->box != 0 ? kBoxPadding : 0;
  const Paragraph& previous = *paragraphs_[i - 1];
  TQVINT box = paragraphs_[i]->box;
  TQVINT y = previous.y + previous.height;
  if (previous.box != 0 && previous.box != box) y += kBoxPadding;
  if (box != 0 && previous.box != box) y += kBoxPadding;
  return y;
}

void tqvRichTextLayout::place(size_t from) const {
  for (size_t i = from; i < paragraphs_.size(); ++i) paragraphs_[i]->y = topOf(i);
  if (paragraphs_.empty()) {
    height_ = 0;
    return;
  }
  const Paragraph& last = *paragraphs_.back();
  height_ = last.y + last.height + (last.box != 0 ? kBoxPadding : 0);
}

void tqvRichTextLayout::layOutNext() const {
  Paragraph& p = *paragraphs_[laidOut_];
  p.y = topOf(laidOut_);
  int height = 0;
  pango_layout_get_pixel_size(p.layout, nullptr, &height);
  p.height = height;
  p.laidOut = true;
  for (Paragraph::Image& image : p.images) {
    double baseline = 0;
    locate(p.layout, image.index, image.x, baseline);
    image.y = baseline - image.height;
  }
  // A hot spot's boxes: the part of each line it spans, in column coordinates.
  for (const Paragraph::HotRange& range : p.hot) {
    HotSpot& spot = hotSpots_[range.spot];
    PangoLayoutIter* iter = pango_layout_get_iter(p.layout);
    do {
      PangoLayoutLine* line = pango_layout_iter_get_line_readonly(iter);
      TQVINT start = std::max<TQVINT>(range.start, line->start_index);
      TQVINT end = std::min<TQVINT>(range.end, line->start_index + line->length);
      if (start >= end) continue;
      int* ranges = nullptr;
      int n = 0;
      pango_layout_line_get_x_ranges(line, start, end, &ranges, &n);
      int top = 0, bottom = 0;
      pango_layout_iter_get_line_yrange(iter, &top, &bottom);
      for (int i = 0; i < n; ++i) {
        spot.boxes.push_back(
            {p.x + ranges[2 * i] / double(PANGO_SCALE), p.y + top / double(PANGO_SCALE),
             p.x + ranges[2 * i + 1] / double(PANGO_SCALE), p.y + bottom / double(PANGO_SCALE)});
      }
      g_free(ranges);
    } while (pango_layout_iter_next_line(iter));
    pango_layout_iter_free(iter);
  }
  ++laidOut_;
}

void tqvRichTextLayout::layOutThrough(size_t paragraph) const {
  if (paragraph < laidOut_ || laidOut_ >= paragraphs_.size()) return;
  size_t from = laidOut_;
  while (laidOut_ <= paragraph && laidOut_ < paragraphs_.size()) layOutNext();
  if (laidOut_ > from) place(laidOut_);
}

void tqvRichTextLayout::layOutTo(double y) const {
  size_t from = laidOut_;
  while (laidOut_ < paragraphs_.size() && topOf(laidOut_) <= y) layOutNext();
  if (laidOut_ > from) place(laidOut_);
}

void tqvRichTextLayout::layOutAll() const {
  if (!paragraphs_.empty()) layOutThrough(paragraphs_.size() - 1);
}

const std::vector<TQVINT>& tqvRichTextLayout::pages() const {
  if (!pagesReady_) {
    layOutAll();
    paginate();
    pagesReady_ = true;
  }
  return pages_;
}

void tqvRichTextLayout::paginate() const {
  pages_.assign(1, 0);
  if (pageHeight_ <= 0) return;
  TQVINT pageTop = 0;
  for (const auto& p : paragraphs_) {
    PangoLayoutIter* iter = pango_layout_get_iter(p->layout);
    bool first = true;
    do {
      int top = 0, bottom = 0;
      pango_layout_iter_get_line_yrange(iter, &top, &bottom);
      TQVINT lineTop = p->y + top / PANGO_SCALE;
      TQVINT lineBottom = p->y + (bottom + PANGO_SCALE - 1) / PANGO_SCALE;
      bool forced = first && p->pageBreak && lineTop > pageTop;
      if (forced || (lineBottom > pageTop + pageHeight_ && lineTop > pageTop)) {
        pageTop = lineTop;
        pages_.push_back(pageTop);
      }
      first = false;
    } while (pango_layout_iter_next_line(iter));
    pango_layout_iter_free(iter);
  }
}

TQVINT tqvRichTextLayout::yOf(TQVINT paragraph, TQVINT index) const {
  if (paragraph < 0) return -1;
  if (paragraph >= static_cast<TQVINT>(paragraphs_.size())) {
    layOutAll();
    return height_;
  }
  layOutThrough(static_cast<size_t>(paragraph));
  const Paragraph& p = *paragraphs_[paragraph];
  int line = 0, x = 0;
  pango_layout_index_to_line_x(p.layout, index, FALSE, &line, &x);
  PangoLayoutIter* iter = pango_layout_get_iter(p.layout);
  for (int i = 0; i < line && pango_layout_iter_next_line(iter); ++i) {
  }
  int top = 0, bottom = 0;
  pango_layout_iter_get_line_yrange(iter, &top, &bottom);
  pango_layout_iter_free(iter);
  return p.y + top / PANGO_SCALE;
}

TQVINT tqvRichTextLayout::markerY(std::string_view name) const {
  for (const auto& [marker, place] : markers_) {
    if (marker == name) return yOf(place.first, place.second);
  }
  return -1;
}

TQVINT tqvRichTextLayout::runY(TQVINT run) const {
  auto it = std::lower_bound(runs_.begin(), runs_.end(), run,
                             [](const RunPlace& r, TQVINT n) { return r.run < n; });
  if (it == runs_.end() || it->run != run) return -1;
  return yOf(it->paragraph, it->index);
}

const tqvRichTextLayout::HotSpot* tqvRichTextLayout::hotSpotAt(double x, double y) const {
  layOutTo(y);
  // Only the paragraph under the point can hold it.
  auto it = std::upper_bound(
      paragraphs_.begin(), paragraphs_.begin() + static_cast<std::ptrdiff_t>(laidOut_), y,
      [](double at, const std::unique_ptr<Paragraph>& p) { return at < p->y; });
  if (it == paragraphs_.begin()) return nullptr;
  const Paragraph& p = **(it - 1);
  for (const Paragraph::HotRange& range : p.hot) {
    const HotSpot& spot = hotSpots_[range.spot];
    for (const auto& b : spot.boxes) {
      if (x >= b[0] && x < b[2] && y >= b[1] && y < b[3]) return &spot;
    }
  }
  return nullptr;
}

void tqvRichTextLayout::draw(cairo_t* cr, double x, double y, TQVINT top,
                             const HotSpot* highlighted) const {
  double clipLeft, clipTop, clipRight, clipBottom;
  cairo_clip_extents(cr, &clipLeft, &clipTop, &clipRight, &clipBottom);
  // The part of the column inside the clip.
  double from = clipTop - y + top;
  double bottom = clipBottom - y + top;
  layOutTo(bottom);
  auto shown = [&](double upper, double lower) { return lower > from && upper < bottom; };
  // Boxes: one filled rectangle behind each run of laid-out paragraphs with the same box.
  for (size_t i = 0; i < laidOut_;) {
    TQVINT box = paragraphs_[i]->box;
    size_t j = i + 1;
    while (j < laidOut_ && paragraphs_[j]->box == box) ++j;
    double boxTop = paragraphs_[i]->y - kBoxPadding;
    double boxBottom = paragraphs_[j - 1]->y + paragraphs_[j - 1]->height + kBoxPadding;
    if (box != 0 && shown(boxTop, boxBottom)) {
      tqvSetCairoColour(cr, style_.boxColour);
      cairo_rectangle(cr, x, y + boxTop - top, width_, boxBottom - boxTop);
      cairo_fill(cr);
      tqvSetCairoColour(cr, style_.boxEdgeColour);
      cairo_set_line_width(cr, 1);
      cairo_rectangle(cr, x + 0.5, y + boxTop - top + 0.5, width_ - 1, boxBottom - boxTop - 1);
      cairo_stroke(cr);
    }
    i = j;
  }
  if (highlighted != nullptr) {
    tqvSetCairoColour(cr, style_.highlightColour);
    for (const auto& b : highlighted->boxes) {
      cairo_rectangle(cr, x + b[0] - 1, y + b[1] - top, b[2] - b[0] + 2, b[3] - b[1]);
    }
    cairo_fill(cr);
  }
  // Paragraphs are in order down the column: start at the first that reaches the clip.
  auto first = std::lower_bound(
      paragraphs_.begin(), paragraphs_.begin() + static_cast<std::ptrdiff_t>(laidOut_), from,
      [](const std::unique_ptr<Paragraph>& p, double at) { return p->y + p->height <= at; });
  for (auto it = first;
       it != paragraphs_.begin() + static_cast<std::ptrdiff_t>(laidOut_) && (*it)->y < bottom;
       ++it) {
    const Paragraph& p = **it;
    double px = x + p.x, py = y + p.y - top;
    tqvSetCairoColour(cr, style_.textColour);
    cairo_move_to(cr, px, py);
    pango_cairo_show_layout(cr, p.layout);
    for (const Paragraph::Image& image : p.images) {
      tqvImageObject* picture = tqvAsImage(image.image);
      cairo_surface_t* pixels = picture != nullptr ? picture->pixels() : nullptr;
      if (pixels == nullptr || image.width <= 0 || image.height <= 0) continue;
      cairo_save(cr);
      cairo_translate(cr, px + image.x, py + image.y);
      cairo_scale(cr, double(image.width) / picture->width(),
                  double(image.height) / picture->height());
      cairo_set_source_surface(cr, pixels, 0, 0);
      cairo_pattern_set_filter(cairo_get_source(cr), CAIRO_FILTER_GOOD);
      cairo_paint(cr);
      cairo_restore(cr);
    }
  }
}
