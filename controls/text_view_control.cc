// The text view: text in, layout cached, scrolling, pages, hot spots and the bar.
#include "controls/text_view_control.h"

#include <algorithm>
#include <string>

#include "controls/control_painter.h"
#include "controls/rtf_parser.h"
#include "controls/text_layout_value.h"
#include "framework/events.h"
#include "framework/form_object.h"
#include "framework/perform.h"
#include "framework/runtime.h"
#include "framework/services.h"
#include "media/resources.h"
#include "platform/keys.h"
#include "platform/platform.h"
#include "values/buffer.h"
#include "values/convert.h"
#include "values/cp1252.h"
#include "values/font.h"
#include "values/generic.h"
#include "values/list.h"
#include "values/region.h"
#include "values/string.h"
#include "values/table.h"
#include "values/text.h"

namespace {

constexpr TQVINT kMarginX = 6;
constexpr TQVINT kMarginY = 4;
constexpr TQVINT kDefaultBarWidth = 16;
constexpr TQVINT kWheelLines = 3;
constexpr TQVINT kHotBit = 8;

tqvHandle defaultFont() {
  return tqvMakeFont(tqvMakeString("Times New Roman"), 12, 0);
}

}  // namespace

tqvTextViewControl::~tqvTextViewControl() = default;

tqvHandle tqvTextViewControl::makeInstance(const tqvHandle& definition) {
  return tqvWrapControl(new tqvTextViewControl(definition));
}

void tqvTextViewControl::attach() {
  setText(property("Text"));
}

void tqvTextViewControl::area(TQVINT& left, TQVINT& top, TQVINT& right, TQVINT& bottom) {
  if (tqvRegionEdges(property("TextRegion"), left, top, right, bottom)) return;
  left = hotSpotLeft(), top = hotSpotTop();
  right = tqvSaturatingAdd(left, hotSpotWidth());
  bottom = tqvSaturatingAdd(top, hotSpotHeight());
}

bool tqvTextViewControl::barInsideText() {
  return !property("ScrollRegion").is(TQV_REGION_TYPE);
}

tqvScrollBar tqvTextViewControl::bar() {
  TQVINT left, top, right, bottom;
  bool images = imageBar();
  TQVINT button = integer("ButtonHeight", 0);
  TQVINT thumb = images ? integer("ThumbHeight", 0) : 0;
  if (!tqvRegionEdges(property("ScrollRegion"), left, top, right, bottom)) {
    area(left, top, right, bottom);
    left = right - std::clamp<TQVINT>(integer("ScrollWidth", kDefaultBarWidth), 4, 64);
  }
  return tqvScrollBar(left, top, right, bottom, true, std::max<TQVINT>(button, 0),
                      std::max<TQVINT>(thumb, 0));
}

bool tqvTextViewControl::imageBar() {
  return !imageProperty("ThumbImage").isNil() || !imageProperty("ScrollImage").isNil();
}

bool tqvTextViewControl::barShown() {
  if (!flag("SometimesShowScroll")) return true;
  return largest() > 0;
}

void tqvTextViewControl::columnArea(TQVINT& left, TQVINT& top, TQVINT& right, TQVINT& bottom) {
  area(left, top, right, bottom);
  left += kMarginX;
  right -= kMarginX;
  top += kMarginY;
  bottom -= kMarginY;
  if (barInsideText() && barShown()) right = bar().left() - kMarginX / 2;
  right = std::max(right, left + 1);
  bottom = std::max(bottom, top + 1);
}

tqvRichTextStyle tqvTextViewControl::style() {
  tqvRichTextStyle s;
  tqvHandle font = property("Font");
  s.font = tqvAsFont(font) != nullptr ? font : defaultFont();
  s.textColour = tqvNumberOf(property("ForegroundColor"), s.textColour);
  s.hotColour = tqvNumberOf(property("HotSpotColor"), s.hotColour);
  s.boxColour = tqvNumberOf(property("BoxColor"), s.boxColour);
  s.images = property("Images");
  return s;
}

std::unique_ptr<tqvRichTextLayout> tqvTextViewControl::layoutFor(TQVINT width, TQVINT pageHeight,
                                                                 bool images,
                                                                 const tqvHandle& text) {
  tqvHandle runs = runs_, fonts = fonts_;
  if (!text.isNil() && !parseText(text, runs, fonts)) return nullptr;
  if (runs.isNil()) return nullptr;
  tqvRichTextStyle s = style();
  s.showImages = images;
  return std::make_unique<tqvRichTextLayout>(runs, fonts, width, pageHeight, s);
}

const tqvRichTextLayout* tqvTextViewControl::layout() {
  if (runs_.isNil()) return nullptr;
  TQVINT left, top, right, bottom;
  area(left, top, right, bottom);
  TQVINT page = bottom - top - 2 * kMarginY;
  // The column is narrower when the bar shares the text's rectangle; a bar that shows
  // only when needed is known after a first layout at the full width.
  TQVINT full = right - left - 2 * kMarginX;
  TQVINT narrow = bar().left() - kMarginX / 2 - (left + kMarginX);
  TQVINT width = barInsideText() && !flag("SometimesShowScroll") ? narrow : full;
  if (layout_ == nullptr || laidOutPage_ != page ||
      (laidOutWidth_ != width && laidOutWidth_ != narrow)) {
    layout_ = std::make_unique<tqvRichTextLayout>(runs_, fonts_, width, page, style());
    laidOutWidth_ = width;
    laidOutPage_ = page;
    if (width != narrow && barInsideText() && layout_->height() > page) {
      layout_ = std::make_unique<tqvRichTextLayout>(runs_, fonts_, narrow, page, style());
      laidOutWidth_ = narrow;
    }
    setProperty("StrippedRTF", tqvMakeString(layout_->plainText()));
    putInteger(keyOf("Min"), 0);
    putInteger(keyOf("Max"), largest());
  }
  return layout_.get();
}

TQVINT tqvTextViewControl::largest() {
  if (runs_.isNil()) return 0;
  const tqvRichTextLayout* l = layout_ != nullptr ? layout_.get() : layout();
  if (l == nullptr) return 0;
  TQVINT page = std::max<TQVINT>(laidOutPage_, 1);
  // Every page's top is a position the view can show, the last one included.
  TQVINT last = l->complete() ? l->pages().back() : 0;
  return std::max<TQVINT>({l->height() - page, last, 0});
}

TQVINT tqvTextViewControl::lineStep() {
  const tqvRichTextLayout* l = layout();
  TQVINT fixed = integer("ScrollBit", 0);
  if (fixed > 0) return fixed;
  return l != nullptr ? l->lineHeight() : 16;
}

TQVINT tqvTextViewControl::pageStep() {
  TQVINT fixed = integer("PageInc", 0);
  if (fixed > 0) return fixed;
  TQVINT left, top, right, bottom;
  columnArea(left, top, right, bottom);
  return std::max<TQVINT>(bottom - top - lineStep(), 1);
}

TQVINT tqvTextViewControl::currentPage() {
  const tqvRichTextLayout* l = layout();
  if (l == nullptr) return 0;
  const std::vector<TQVINT>& pages = l->pages();
  auto after = std::upper_bound(pages.begin(), pages.end(), position_);
  return std::max<TQVINT>(static_cast<TQVINT>(after - pages.begin()) - 1, 0);
}

tqvScrollState tqvTextViewControl::scrollState() {
  return {position_, largest(), pageStep()};
}

void tqvTextViewControl::scrollTo(TQVINT position) {
  // Laying out down to the page asked for makes the range exact up to there.
  if (const tqvRichTextLayout* l = layout()) {
    l->layOutTo(double(position) + std::max<TQVINT>(laidOutPage_, 0));
  }
  TQVINT clamped = std::clamp<TQVINT>(position, 0, largest());
  putInteger(keyOf("Value"), clamped);
  putInteger(keyOf("Max"), largest());
  if (clamped == position_) return;
  position_ = clamped;
  hover_ = -1;
  if (isVisible() && onScreen()) draw();
  redrawScroller();
}

void tqvTextViewControl::redrawScroller() {
  tqvHandle name = property("Scroller");
  tqvFormObject* form = activeFormObject();
  if (!name.is(TQV_STRING_TYPE) || form == nullptr) return;
  tqvHandle scroller = form->findControl(name, tqvMakeString("Name"));
  tqvControlObject* c = tqvAsControl(scroller);
  if (c != nullptr && c != this && c->isVisible()) c->draw();
}

bool tqvTextViewControl::parseText(const tqvHandle& given, tqvHandle& runs, tqvHandle& fonts) {
  tqvHandle text = given.is(TQV_REFERENCE_TYPE) ? tqvResolve(given) : given;
  if (text.isNil() || (text.is(TQV_STRING_TYPE) && tqvStringView(text).empty())) return false;
  if (tqvTextLayoutObject* done = tqvAsTextLayout(text)) {
    runs = done->runs();
    fonts = done->fonts();
    return true;
  }
  tqvHandle buffer = text;
  if (text.is(TQV_STRING_TYPE)) {
    buffer = tqvMakeString("{\\par \\pard " + std::string(tqvStringView(text)) + "}");
  } else if (!text.is(TQV_BUFFER_TYPE)) {
    buffer = tqvMakeString(tqvToStdString(text, false));
  }
  tqvHandle request = tqvTable(8);
  tqvPut(request, "Type", tqvMakeString("RTF"));
  tqvPut(request, "Buffer", buffer);
  tqvRichTextStyle s = style();
  tqvPut(request, "Font", s.font);
  tqvPut(request, "ForeColor", tqvMakeInt(s.textColour));
  tqvPut(request, "BackColor", tqvMakeInt(tqvNumberOf(property("BackgroundColor"), 0xFFFFFF)));
  tqvPut(request, "HotStyle", tqvMakeInt(kHotBit));
  tqvPut(request, "HotColor", tqvMakeInt(s.hotColour));
  tqvHandle parsed = tqvParseRTF(request);
  if (parsed.isNil()) return false;
  runs = tqvGet(parsed, "TextRuns");
  fonts = tqvGet(parsed, "ListFonts");
  return true;
}

void tqvTextViewControl::setText(const tqvHandle& given) {
  if (!parseText(given, runs_, fonts_)) return;
  setProperty("Fonts", fonts_);
  textChanged();
}

void tqvTextViewControl::textChanged() {
  layout_.reset();
  hover_ = -1;
  layout();
  position_ = std::clamp<TQVINT>(position_, 0, largest());
  putInteger(keyOf("Value"), position_);
  if (isVisible() && onScreen()) draw();
  redrawScroller();
}

tqvHandle tqvTextViewControl::perform(const tqvHandle& action, const tqvHandle& data) {
  std::string_view name = tqvStringView(action);
  tqvHandle self = handle();
  if (name == "SetText") {
    setText(data);
    return tqvHandle();
  }
  if (name == "Initialize") {
    if (runs_.isNil()) setText(property("Text"));
    return tqvStandardControl::perform(action, data);
  }
  if (name == "ClearText") {
    runs_ = fonts_ = tqvHandle();
    layout_.reset();
    position_ = 0;
    hover_ = -1;
    context_ = tqvHandle();
    putInteger(keyOf("Value"), 0);
    putInteger(keyOf("Max"), 0);
    setProperty("StrippedRTF", tqvMakeString(""));
    if (isVisible() && onScreen()) draw();
    redrawScroller();
    return tqvHandle();
  }
  if (name == "SetImageList") {
    setProperty("Images", data.is(TQV_TABLE_TYPE) ? data : tqvHandle());
    if (!runs_.isNil()) textChanged();
    return tqvHandle();
  }
  if (name == "hotspotList") {
    const tqvRichTextLayout* l = layout();
    tqvHandle list = tqvMakeList(l != nullptr ? static_cast<TQVINT>(l->hotSpots().size()) : 0);
    if (l == nullptr) return list;
    for (const auto& spot : l->hotSpots()) {
      tqvHandle pair = tqvMakeList(2);
      tqvAddItem(pair, tqvMakeString(spot.label));
      tqvAddItem(pair, spot.target);
      tqvAddItem(list, pair);
    }
    return list;
  }
  if (name == "GetContext") return context_;
  if (name == "Print") {
    tqvRuntime* runtime = tqvCurrentRuntime();
    bool printed =
        runtime != nullptr && runtime->printControl != nullptr && runtime->printControl(self, data);
    return tqvMakeBoolean(printed);
  }
  if (name == "GetLayout") {
    const tqvRichTextLayout* l = layout();
    if (l == nullptr) return tqvHandle();
    return tqvMakeTextLayout(l->width(), l->height(), runs_, fonts_);
  }
  const tqvRichTextLayout* l = layout();
  const std::vector<TQVINT> none{0};
  const std::vector<TQVINT>& pages = l != nullptr ? l->pages() : none;
  TQVINT page = currentPage();
  if (name == "TotalPages") return tqvMakeInt(static_cast<TQVINT>(pages.size()));
  if (name == "CurrentPage") return tqvMakeInt(page + 1);
  if (name == "PrevPage" || name == "NextPage") {
    TQVINT target = name == "NextPage"
                        ? pages[std::min<size_t>(page + 1, pages.size() - 1)]
                        : (position_ > pages[page] ? pages[page] : pages[std::max(page - 1, 0)]);
    scrollTo(target);
    return tqvMakeInt(currentPage() + 1);
  }
  if (name == "GetValue") return tqvMakeInt(position_);
  if (name == "SetValue") {
    scrollTo(tqvNumberOf(data, position_));
    return tqvMakeInt(position_);
  }
  if (name == "SetTextRun" || name == "GotoMarker") {
    if (l == nullptr) return tqvHandle();
    TQVINT y =
        name == "GotoMarker" ? l->markerY(tqvStringView(data)) : l->runY(tqvNumberOf(data, -1));
    if (y < 0) return tqvHandle();
    scrollTo(y);
    return tqvMakeInt(position_);
  }
  if (name == "LineUp" || name == "LineDown") {
    scrollTo(tqvSaturatingAdd(position_, name == "LineUp" ? -lineStep() : lineStep()));
    return tqvMakeInt(position_);
  }
  if (name == "PageUp" || name == "PageDown") {
    scrollTo(tqvSaturatingAdd(position_, name == "PageUp" ? -pageStep() : pageStep()));
    return tqvMakeInt(position_);
  }
  if (name == "Home" || name == "End") {
    if (name == "End" && l != nullptr) l->layOutAll();
    scrollTo(name == "Home" ? 0 : largest());
    return tqvMakeInt(position_);
  }
  if (name == "getScrollInfo") {
    // In lines, so that a scroller's arrows step by one.
    TQVINT line = std::max<TQVINT>(lineStep(), 1);
    tqvHandle info = tqvMakeList(3);
    tqvAddItem(info, tqvMakeInt((position_ + line - 1) / line));
    tqvAddItem(info, tqvMakeInt((largest() + line - 1) / line));
    tqvAddItem(info, tqvMakeInt(std::max<TQVINT>(pageStep() / line, 1)));
    return info;
  }
  if (name == "SetPos") {
    TQVINT line = std::max<TQVINT>(lineStep(), 1);
    TQVINT lines = tqvNumberOf(data, 0);
    scrollTo(lines >= (largest() + line - 1) / line
                 ? largest()
                 : static_cast<TQVINT>(std::clamp<int64_t>(int64_t{lines} * line, 0, INT32_MAX)));
    return tqvHandle();
  }
  return tqvStandardControl::perform(action, data);
}

void tqvTextViewControl::draw() {
  TQVINT left, top, right, bottom;
  area(left, top, right, bottom);
  if (right - left < 2 || bottom - top < 2) return;
  const tqvRichTextLayout* l = layout();
  tqvPainter painter;
  cairo_t* cr = painter.cr();
  if (cr == nullptr) return;
  TQVINT textRight = barInsideText() && barShown() ? bar().left() : right;
  // Without "DefaultDraw" the text lies on the form's own background.
  if (flag("DefaultDraw", true)) {
    painter.fill(left, top, textRight, bottom,
                 tqvNumberOf(property("BackgroundColor"), TQV_COLOUR_WHITE));
  } else {
    tqvDrawFormBackground(left, top, textRight, bottom);
    painter.touch(left, top, textRight, bottom);
  }
  if (l != nullptr) {
    TQVINT cl, ct, cr2, cb;
    columnArea(cl, ct, cr2, cb);
    cairo_save(cr);
    cairo_rectangle(cr, left, top, textRight - left, bottom - top);
    cairo_clip(cr);
    const tqvRichTextLayout::HotSpot* hover =
        hover_ >= 0 && hover_ < static_cast<TQVINT>(l->hotSpots().size()) ? &l->hotSpots()[hover_]
                                                                          : nullptr;
    l->draw(cr, cl, ct, position_, hover);
    cairo_restore(cr);
  }
  if (barShown()) drawBar(painter);
  if (isActive() && isEnabled()) painter.focusRing(left - 2, top - 2, right + 2, bottom + 2);
}

void tqvTextViewControl::drawBar(tqvPainter& painter) {
  tqvScrollBar b = bar();
  tqvScrollState state = scrollState();
  if (!imageBar()) {
    b.draw(painter, state, state.largest > 0 && isEnabled());
    return;
  }
  tqvScrollBar::Parts parts = b.parts(state);
  auto held = [&](tqvScrollBar::Part part) { return pressing_ && pressed_ == part; };
  auto pick = [&](const char* image, const char* highlight, bool on) {
    tqvHandle lit = on ? imageProperty(highlight) : tqvHandle();
    return lit.isNil() ? imageProperty(image) : lit;
  };
  tqvHandle track = imageProperty("ScrollImage");
  if (!track.isNil()) {
    painter.stretch(track, b.left(), b.top(), b.right(), b.bottom());
  } else {
    painter.fill(b.left(), b.top(), b.right(), b.bottom(), TQV_COLOUR_FACE);
  }
  if (parts.arrow > 0) {
    tqvHandle up = pick("UpImage", "UpHighlight", held(tqvScrollBar::Part::BackArrow));
    tqvHandle down = pick("DownImage", "DownHighlight", held(tqvScrollBar::Part::ForwardArrow));
    if (!up.isNil()) painter.stretch(up, b.left(), b.top(), b.right(), b.top() + parts.arrow);
    if (!down.isNil()) {
      painter.stretch(down, b.left(), b.bottom() - parts.arrow, b.right(), b.bottom());
    }
  }
  if (state.largest > 0) {
    tqvHandle thumb = pick("ThumbImage", "ThumbHighlight", held(tqvScrollBar::Part::Thumb));
    if (!thumb.isNil()) {
      painter.stretch(thumb, b.left(), parts.thumbStart, b.right(),
                      parts.thumbStart + parts.thumbLength);
    } else {
      painter.face(b.left() + 1, parts.thumbStart, b.right() - 1,
                   parts.thumbStart + parts.thumbLength, false);
    }
  }
}

bool tqvTextViewControl::hitTest(TQVINT x, TQVINT y) {
  TQVINT left, top, right, bottom;
  area(left, top, right, bottom);
  if (x >= left && x < right && y >= top && y < bottom) return true;
  if (!barInsideText() && barShown()) {
    tqvScrollBar b = bar();
    return x >= b.left() && x < b.right() && y >= b.top() && y < b.bottom();
  }
  return false;
}

const tqvRichTextLayout::HotSpot* tqvTextViewControl::hotSpotAt(TQVINT x, TQVINT y) {
  const tqvRichTextLayout* l = layout();
  if (l == nullptr) return nullptr;
  TQVINT left, top, right, bottom;
  columnArea(left, top, right, bottom);
  if (x < left || x >= right || y < top - kMarginY || y >= bottom + kMarginY) return nullptr;
  return l->hotSpotAt(x - left, y - top + position_);
}

void tqvTextViewControl::setHover(const tqvRichTextLayout::HotSpot* spot) {
  TQVINT index = spot != nullptr && layout_ != nullptr
                     ? static_cast<TQVINT>(spot - layout_->hotSpots().data())
                     : -1;
  if (index == hover_) return;
  hover_ = index;
  if (isVisible() && onScreen()) draw();
}

void tqvTextViewControl::mouseMoves(TQVINT x, TQVINT y, TQVINT modifiers) {
  setHover(hotSpotAt(x, y));
}

void tqvTextViewControl::mouseLeaves(TQVINT x, TQVINT y, TQVINT modifiers) {
  tqvStandardControl::mouseLeaves(x, y, modifiers);
  setHover(nullptr);
}

tqvHandle tqvTextViewControl::cursorAt(TQVINT x, TQVINT y) {
  return hotSpotAt(x, y) != nullptr ? cursorValue() : tqvHandle();
}

bool tqvTextViewControl::mouseDown(TQVINT x, TQVINT y, TQVINT modifiers, TQVINT clicks) {
  tqvHandle self = handle();  // following a link may close the form
  if (barShown()) {
    tqvScrollBar b = bar();
    if (x >= b.left() && x < b.right() && y >= b.top() && y < b.bottom()) {
      b.track(
          x, y, lineStep(),
          [this](tqvScrollState& state) {
            state = scrollState();
            return true;
          },
          [this](TQVINT position) { scrollTo(position); },
          [this](tqvScrollBar::Part part, bool down) {
            pressed_ = part;
            pressing_ = down;
            if (imageBar() && isVisible() && onScreen()) {
              tqvPainter painter;
              drawBar(painter);
            }
          });
      return false;
    }
  }
  const tqvRichTextLayout::HotSpot* spot = hotSpotAt(x, y);
  if (spot == nullptr) return false;
  // The link is followed when the button comes up over the same hot spot.
  tqvFormObject* form = activeFormObject();
  for (;;) {
    tqvEvent event = tqvGetEvent(TQV_MOUSE_DRAG_EVENT | TQV_MOUSE_UP_EVENT, -1);
    if (event.type == TQV_NULL_EVENT) return false;
    TQVINT ex = event.x, ey = event.y;
    if (form != nullptr) form->toFormCoordinates(ex, ey);
    if (event.type == TQV_MOUSE_UP_EVENT) {
      if (hotSpotAt(ex, ey) != spot) return false;
      break;
    }
  }
  follow(*spot);
  return false;
}

void tqvTextViewControl::follow(const tqvRichTextLayout::HotSpot& spot) {
  tqvHandle self = handle();
  context_ = spot.target;
  tqvHandle data = tqvTable(4);
  tqvPut(data, "HyperLink", spot.target.isNil() ? tqvMakeString("") : spot.target);
  tqvPut(data, "Text", tqvMakeString(spot.label));
  tqvPut(data, "Control", self);
  tqvHandle name = property("Name");
  tqvHandle form = tqvActiveForm();
  if (form.is(TQV_FORM_TYPE)) {
    tqvPerform(form, name.is(TQV_STRING_TYPE) ? tqvStringView(name) : "HyperLink", data);
  }
}

bool tqvTextViewControl::mouseWheel(TQVINT notches, TQVINT modifiers) {
  if (!isEnabled() || runs_.isNil()) return false;
  int64_t delta = int64_t{notches} * kWheelLines * lineStep();
  scrollTo(tqvSaturatingAdd(position_,
                            static_cast<TQVINT>(std::clamp<int64_t>(delta, INT32_MIN, INT32_MAX))));
  return true;
}

bool tqvTextViewControl::keyDown(TQVINT key, TQVINT modifiers) {
  if ((modifiers & TQV_CONTROL_FLAG) != 0 && (key == 'C' || key == 'c')) {
    const tqvRichTextLayout* l = layout();
    tqvPlatform::Backend* backend = tqvBackend();
    if (l != nullptr && backend != nullptr) {
      backend->setClipboardText(tqvCp1252ToUtf8(l->plainText()));
    }
    return false;
  }
  switch (key) {
    case TQV_KEY_UP:
      perform(tqvMakeString("LineUp"), tqvHandle());
      break;
    case TQV_KEY_DOWN:
      perform(tqvMakeString("LineDown"), tqvHandle());
      break;
    case TQV_KEY_PAGE_UP:
      perform(tqvMakeString("PageUp"), tqvHandle());
      break;
    case TQV_KEY_PAGE_DOWN:
    case ' ':
      perform(tqvMakeString("PageDown"), tqvHandle());
      break;
    case TQV_KEY_HOME:
      scrollTo(0);
      break;
    case TQV_KEY_END:
      perform(tqvMakeString("End"), tqvHandle());
      break;
    default:
      return false;
  }
  return false;
}
