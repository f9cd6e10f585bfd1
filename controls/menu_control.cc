// The menu control: layout, look, keys, mouse and sub-menus.
#include "controls/menu_control.h"

#include <algorithm>
#include <array>
#include <cstdint>

#include "controls/control_painter.h"
#include "framework/environment.h"
#include "framework/event.h"
#include "framework/events.h"
#include "framework/form_object.h"
#include "media/text_drawing.h"
#include "values/charmaps.h"
#include "values/convert.h"
#include "values/generic.h"
#include "values/region.h"
#include "values/string.h"
#include "values/table.h"

namespace {

// Vertical menus: the outline and its margin, the text's margins, the column of the
// sub-menu arrows, separators, the scroll strips shown when the rows do not fit.
constexpr TQVINT kFrame = 2;
constexpr TQVINT kTextLeft = 8;
constexpr TQVINT kTextRight = 10;
constexpr TQVINT kArrowColumn = 12;
constexpr TQVINT kIconGap = 6;
constexpr TQVINT kSeparator = 7;
constexpr TQVINT kScrollStrip = 12;
constexpr TQVINT kMinWidth = 60;
// Bars: where the first item starts, the margin on each side of a label, separators.
constexpr TQVINT kBarStart = 4;
constexpr TQVINT kBarPadding = 9;
constexpr TQVINT kBarSeparator = 9;
// Item images wider or taller than this are cut; no row or item gets larger than this.
constexpr TQVINT kMaxIcon = 48;
constexpr TQVINT kMaxExtent = 4096;
// Coordinates a menu is laid out within.
constexpr TQVINT kFar = 1 << 24;

constexpr TQVINT kSeparatorColour = 0xB8B8B8;
constexpr TQVINT kMenuColour = 0xFAFAFA;

TQVINT upper(TQVINT key) {
  return key > 0 && key < 256 ? tqvCharmaps::upper[static_cast<unsigned char>(key)] : 0;
}

// a - b held to the 32-bit range.
TQVINT minus(TQVINT a, TQVINT b) {
  return static_cast<TQVINT>(std::clamp<int64_t>(int64_t{a} - b, INT32_MIN, INT32_MAX));
}

TQVINT textWidth(const tqvHandle& text, const tqvHandle& font) {
  tqvTextExtent extent;
  return tqvMeasureText(text, font, extent) ? extent.width : 0;
}

}  // namespace

tqvMenuControl::tqvMenuControl(const tqvHandle& definition)
    : tqvStandardControl(definition, "Menu") {}

tqvHandle tqvMenuControl::makeInstance(const tqvHandle& definition) {
  return tqvWrapControl(new tqvMenuControl(definition));
}

void tqvMenuControl::attach() {
  refresh(true);
}

bool tqvMenuControl::horizontal() {
  tqvHandle orientation = property("Orientation");
  return tqvEquals(orientation, "horizontal") || tqvEquals(orientation, "Horizontal");
}

const tqvHandle& tqvMenuControl::menu() {
  refresh();
  return menu_;
}

const std::vector<tqvMenuItem>& tqvMenuControl::items() {
  refresh();
  return items_;
}

void tqvMenuControl::refresh(bool force) {
  tqvHandle source = property("Menu Table");
  if (!force && parsed_ && tqvEquals(source, source_) && source.type() == source_.type()) return;
  parsed_ = true;
  source_ = source;
  menu_ = tqvMenuTableOf(source);
  items_ = tqvMenuItems(menu_);
  size_t count = items_.size();
  start_.assign(count, 0);
  extent_.assign(count, 0);
  textWidth_.assign(count, 0);

  tqvHandle font = fontProperty();
  tqvTextExtent line;
  if (!tqvMeasureText(tqvMakeString("Ag"), font, line)) line = {0, 12, 10};
  lineHeight_ = std::clamp<TQVINT>(line.height, 1, kMaxExtent);
  ascent_ = std::clamp<TQVINT>(line.ascent, 0, lineHeight_);
  iconWidth_ = 0;
  TQVINT iconHeight = 0;
  anySubMenu_ = false;
  TQVINT widest = 0;
  for (size_t i = 0; i < count; ++i) {
    const tqvMenuItem& item = items_[i];
    if (item.separator) continue;
    if (!item.image.isNil()) {
      iconWidth_ = std::max(iconWidth_, std::min(tqvWidth(item.image), kMaxIcon));
      iconHeight = std::max(iconHeight, std::min(tqvHeight(item.image), kMaxIcon));
    }
    anySubMenu_ = anySubMenu_ || tqvHasSubMenu(menu_, item.label);
    textWidth_[i] = std::min(textWidth(item.shown, font), kMaxExtent);
    widest = std::max(widest, textWidth_[i]);
  }
  bool bar = horizontal();
  TQVINT row = std::min(std::max(lineHeight_ + 6, iconHeight + 4), kMaxExtent);
  TQVINT along = 0;
  for (size_t i = 0; i < count; ++i) {
    const tqvMenuItem& item = items_[i];
    if (bar) {
      TQVINT icon = item.image.isNil() ? 0 : std::min(tqvWidth(item.image), kMaxIcon) + 4;
      extent_[i] = item.separator ? kBarSeparator : textWidth_[i] + icon + 2 * kBarPadding;
    } else {
      extent_[i] = item.separator ? kSeparator : row;
    }
    start_[i] = along;
    along += extent_[i];
  }
  contentWidth_ = 2 * kFrame + kTextLeft + (iconWidth_ > 0 ? iconWidth_ + kIconGap : 0) + widest +
                  kTextRight + (anySubMenu_ ? kArrowColumn : 0);
  scroll_ = std::clamp<TQVINT>(scroll_, 0, std::max<TQVINT>(static_cast<TQVINT>(count) - 1, 0));
}

void tqvMenuControl::naturalSize(TQVINT& width, TQVINT& height) {
  refresh();
  width = std::clamp(contentWidth_, kMinWidth, std::max<TQVINT>(tqvMediaWidth(), 1));
  int64_t rows = items_.empty() ? lineHeight_ + 6 : int64_t{start_.back()} + extent_.back();
  height = static_cast<TQVINT>(
      std::clamp<int64_t>(rows + 2 * kFrame, 1, std::max<TQVINT>(tqvMediaHeight(), 1)));
}

tqvHandle tqvMenuControl::dialogName() {
  tqvHandle name = property("Dialog Name");
  if (name.is(TQV_STRING_TYPE)) return name;
  if (menu_.is(TQV_TABLE_TYPE)) {
    name = tqvDereference(tqvGet(menu_, "DlgName"));
    if (name.is(TQV_STRING_TYPE)) return name;
  }
  return tqvMakeString("tqvMenuDialogObject");
}

TQVINT tqvMenuControl::selection() {
  TQVINT i = integer("Selection", -1);
  return i >= 0 && i < static_cast<TQVINT>(items_.size()) ? i : -1;
}

bool tqvMenuControl::itemEnabled(TQVINT i) {
  refresh();
  if (i < 0 || i >= static_cast<TQVINT>(items_.size())) return false;
  const tqvMenuItem& item = items_[i];
  return !item.separator && !item.disabled && !tqvIsMenuItemDisabled(dialogName(), item.label);
}

bool tqvMenuControl::usable(TQVINT i) {
  if (!itemEnabled(i)) return false;
  TQVINT l, t, r, b;
  return !horizontal() || itemBounds(i, l, t, r, b);
}

bool tqvMenuControl::hasSubMenu(TQVINT i) {
  return i >= 0 && i < static_cast<TQVINT>(items_.size()) && tqvHasSubMenu(menu_, items_[i].label);
}

void tqvMenuControl::setSelection(TQVINT i, bool drawIt) {
  if (i < -1 || i >= static_cast<TQVINT>(items_.size())) i = -1;
  bool changed = i != selection();
  putInteger(keyOf("Selection"), i);
  if (i >= 0 && !horizontal()) {
    TQVINT before = scroll_;
    keepShown(i);
    changed = changed || before != scroll_;
  }
  if (drawIt && changed && isVisible()) draw();
}

void tqvMenuControl::selectFirst() {
  refresh();
  setSelection(step(-1, 1), false);
}

TQVINT tqvMenuControl::step(TQVINT from, TQVINT direction) {
  auto count = static_cast<TQVINT>(items_.size());
  for (TQVINT tried = 1; tried <= count; ++tried) {
    TQVINT i = from < 0 ? (direction > 0 ? tried - 1 : count - tried)
                        : ((from + direction * tried) % count + count) % count;
    if (usable(i)) return i;
  }
  return -1;
}

void tqvMenuControl::area(TQVINT& left, TQVINT& top, TQVINT& right, TQVINT& bottom) {
  tqvRegionEdges(property("Hot Spot"), left, top, right, bottom);
}

void tqvMenuControl::drawBounds(TQVINT& left, TQVINT& top, TQVINT& right, TQVINT& bottom) {
  area(left, top, right, bottom);
}

bool tqvMenuControl::scrolls() {
  if (horizontal() || items_.empty()) return false;
  TQVINT l, t, r, b;
  area(l, t, r, b);
  return int64_t{start_.back()} + extent_.back() > b - t - 2 * kFrame;
}

void tqvMenuControl::rowsArea(TQVINT& top, TQVINT& bottom) {
  TQVINT l, r;
  area(l, top, r, bottom);
  top += kFrame;
  bottom -= kFrame;
  if (scrolls()) {
    top += kScrollStrip;
    bottom -= kScrollStrip;
  }
}

bool tqvMenuControl::itemBounds(TQVINT i, TQVINT& left, TQVINT& top, TQVINT& right,
                                TQVINT& bottom) {
  if (i < 0 || i >= static_cast<TQVINT>(items_.size())) return false;
  TQVINT l, t, r, b;
  area(l, t, r, b);
  if (horizontal()) {
    int64_t x = int64_t{l} + kBarStart + start_[i];
    if (x + extent_[i] > r) return false;
    left = static_cast<TQVINT>(x);
    right = left + extent_[i];
    top = t;
    bottom = b;
    return true;
  }
  TQVINT rowsTop, rowsBottom;
  rowsArea(rowsTop, rowsBottom);
  if (i < scroll_) return false;
  int64_t y = int64_t{rowsTop} + start_[i] - start_[scroll_];
  // The first row shows even when it is taller than the room for it.
  if (i > scroll_ && y + extent_[i] > rowsBottom) return false;
  if (y >= rowsBottom) return false;
  left = l + kFrame;
  right = r - kFrame;
  top = static_cast<TQVINT>(y);
  bottom = static_cast<TQVINT>(std::min<int64_t>(y + extent_[i], rowsBottom));
  return true;
}

TQVINT tqvMenuControl::itemAt(TQVINT x, TQVINT y) {
  refresh();
  if (!hitTest(x, y)) return -1;
  auto count = static_cast<TQVINT>(items_.size());
  for (TQVINT i = horizontal() ? 0 : scroll_; i < count; ++i) {
    TQVINT l, t, r, b;
    if (!itemBounds(i, l, t, r, b)) break;
    if (x >= l && x < r && y >= t && y < b) return i;
  }
  return -1;
}

void tqvMenuControl::keepShown(TQVINT i) {
  if (horizontal() || i < 0 || i >= static_cast<TQVINT>(items_.size())) return;
  if (i < scroll_) {
    scroll_ = i;
    return;
  }
  TQVINT l, t, r, b;
  while (scroll_ < i && !itemBounds(i, l, t, r, b)) ++scroll_;
}

void tqvMenuControl::scrollBy(TQVINT rows) {
  if (!scrolls()) {
    scroll_ = 0;
    return;
  }
  TQVINT rowsTop, rowsBottom;
  rowsArea(rowsTop, rowsBottom);
  // The last scroll position is the one that shows the last row at the bottom.
  int64_t end = int64_t{start_.back()} + extent_.back();
  auto last = static_cast<TQVINT>(items_.size()) - 1;
  TQVINT lowest = last;
  while (lowest > 0 && end - start_[lowest - 1] <= rowsBottom - rowsTop) --lowest;
  scroll_ = static_cast<TQVINT>(std::clamp<int64_t>(int64_t{scroll_} + rows, 0, lowest));
}

TQVINT tqvMenuControl::colour(std::string_view key, TQVINT fallback) {
  return tqvNumberOf(property(key), fallback);
}

tqvHandle tqvMenuControl::style() {
  tqvHandle table = tqvTable(8);
  for (std::string_view key : TQV_MENU_STYLE_KEYS) {
    tqvHandle value = property(key);
    if (!value.isNil()) tqvPut(table, key, value);
  }
  return table;
}

void tqvMenuControl::draw() {
  refresh();
  TQVINT left, top, right, bottom;
  area(left, top, right, bottom);
  if (right <= left || bottom <= top) return;
  tqvPainter painter;
  cairo_t* cr = painter.cr();
  if (cr == nullptr) return;
  bool bar = horizontal();
  cairo_save(cr);
  cairo_rectangle(cr, left, top, right - left, bottom - top);
  cairo_clip(cr);
  tqvHandle image = imageProperty("Image");
  if (!image.isNil()) {
    painter.image(image, left, top, std::min(tqvWidth(image), right - left),
                  std::min(tqvHeight(image), bottom - top));
  } else {
    painter.fill(left, top, right, bottom,
                 colour("Background Color", bar ? TQV_COLOUR_FACE : kMenuColour));
    if (bar) {
      painter.fill(left, bottom - 1, right, bottom, kSeparatorColour);
    } else {
      painter.frame(left, top, right, bottom, TQV_COLOUR_EDGE);
    }
  }
  auto count = static_cast<TQVINT>(items_.size());
  for (TQVINT i = bar ? 0 : scroll_; i < count; ++i) {
    TQVINT l, t, r, b;
    if (!itemBounds(i, l, t, r, b)) break;
    drawItem(painter, i);
  }
  if (scrolls()) {
    // Arrows in the strips above and below the rows, where there are more of them.
    TQVINT rowsTop, rowsBottom, l, t, r, b;
    rowsArea(rowsTop, rowsBottom);
    double middle = (left + right) / 2.0;
    tqvSetCairoColour(cr, TQV_COLOUR_EDGE);
    if (scroll_ > 0) {
      double y = rowsTop - kScrollStrip / 2.0;
      cairo_move_to(cr, middle - 4, y + 2);
      cairo_line_to(cr, middle + 4, y + 2);
      cairo_line_to(cr, middle, y - 2);
      cairo_close_path(cr);
      cairo_fill(cr);
    }
    if (!itemBounds(count - 1, l, t, r, b) || b < t + extent_[count - 1]) {
      double y = rowsBottom + kScrollStrip / 2.0;
      cairo_move_to(cr, middle - 4, y - 2);
      cairo_line_to(cr, middle + 4, y - 2);
      cairo_line_to(cr, middle, y + 2);
      cairo_close_path(cr);
      cairo_fill(cr);
    }
  }
  cairo_restore(cr);
  painter.touch(left, top, right, bottom);
}

void tqvMenuControl::drawItem(tqvPainter& painter, TQVINT i) {
  TQVINT left, top, right, bottom;
  if (!itemBounds(i, left, top, right, bottom)) return;
  const tqvMenuItem& item = items_[i];
  cairo_t* cr = painter.cr();
  bool bar = horizontal();
  if (item.separator) {
    if (bar) {
      TQVINT x = left + kBarSeparator / 2;
      painter.fill(x, top + 4, x + 1, bottom - 4, kSeparatorColour);
    } else {
      TQVINT y = top + kSeparator / 2;
      painter.fill(left + 4, y, right - 4, y + 1, kSeparatorColour);
    }
    return;
  }
  bool enabled = isEnabled() && itemEnabled(i);
  bool lit = enabled && (i == selection() || i == openItem_);
  if (lit) painter.fill(left, top, right, bottom, colour("Highlight Color", TQV_COLOUR_FOCUS));
  TQVINT ink = !enabled ? TQV_COLOUR_GREYED
               : lit    ? colour("Highlight Text Color", TQV_COLOUR_WHITE)
                        : colour("Foreground Color", TQV_COLOUR_BLACK);

  TQVINT x = left + (bar ? kBarPadding : kTextLeft);
  if (!item.image.isNil()) {
    TQVINT width = std::min({tqvWidth(item.image), kMaxIcon, std::max(right - x, 0)});
    TQVINT height = std::min({tqvHeight(item.image), kMaxIcon, bottom - top});
    painter.image(item.image, x, top + (bottom - top - height) / 2, width, height);
    x += bar ? width + 4 : 0;
  }
  if (!bar && iconWidth_ > 0) x += iconWidth_ + kIconGap;
  TQVINT textRight =
      bar ? right - kBarPadding + 1 : right - kTextRight - (anySubMenu_ ? kArrowColumn : 0);
  tqvHandle font = fontProperty();
  painter.text(item.shown, x, top, textRight, bottom,
               TQV_ALIGN_LEFT | TQV_ALIGN_MIDDLE | TQV_ALIGN_SINGLE_LINE, font, ink);
  if (item.keyPosition >= 0) {
    // The accelerator is underlined.
    TQVINT before = textWidth(tqvStringLeft(item.shown, item.keyPosition), font);
    TQVINT width = textWidth(tqvStringMid(item.shown, item.keyPosition, 1), font);
    TQVINT y = top + (bottom - top - lineHeight_) / 2 + ascent_ + 1;
    TQVINT from = x + before, to = std::min(x + before + width, textRight);
    if (to > from && y < bottom) painter.fill(from, y, to, y + 1, ink);
  }
  if (!bar && hasSubMenu(i)) {
    double tip = right - 6, middle = (top + bottom) / 2.0;
    tqvSetCairoColour(cr, ink);
    cairo_move_to(cr, tip - 4, middle - 4);
    cairo_line_to(cr, tip, middle);
    cairo_line_to(cr, tip - 4, middle + 4);
    cairo_close_path(cr);
    cairo_fill(cr);
  }
}

tqvHandle tqvMenuControl::perform(const tqvHandle& action, const tqvHandle& data) {
  std::string_view name = tqvStringView(action);
  if (name == "Initialize" || name == "SetMenu") {
    if (name == "SetMenu") {
      setProperty("Menu Table", data);
      scroll_ = 0;
    }
    refresh(true);
    if (selection() < 0) putInteger(keyOf("Selection"), -1);
    if (isVisible()) draw();
    return tqvHandle();
  }
  if (name == "getSelection") {
    refresh();
    return tqvMakeInt(selection());
  }
  if (name == "setSelection") {
    refresh();
    setSelection(tqvIntegerOf(data, -1), true);
    return tqvHandle();
  }
  if (name == "Accelerator") {
    tqvHandle self = handle();
    refresh();
    TQVINT key = upper(tqvIntegerOf(tqvGet(data, 0), 0));
    if (!isEnabled() || acceleratorItems(key).empty()) return TQV_FALSE;
    if (tqvFormObject* form = activeFormObject();
        form != nullptr && form->activeControl().object() != this) {
      form->setActiveControl(self, true);
    }
    accelerate(key);
    return TQV_TRUE;
  }
  return tqvStandardControl::perform(action, data);
}

std::vector<TQVINT> tqvMenuControl::acceleratorItems(TQVINT key) {
  std::vector<TQVINT> found;
  auto count = static_cast<TQVINT>(items_.size());
  // Accents do not count: I chooses "&Índice" as a user would expect.
  auto plain = [](TQVINT k) {
    return k >= 0 && k < 256 ? tqvCharmaps::plain[tqvCharmaps::upper[k]] : k;
  };
  for (TQVINT i = 0; i < count && key > ' '; ++i) {
    if (plain(items_[i].key) == plain(key) && usable(i)) found.push_back(i);
  }
  return found;
}

bool tqvMenuControl::accelerate(TQVINT key) {
  std::vector<TQVINT> found = acceleratorItems(key);
  if (found.empty()) return false;
  if (found.size() == 1) {
    choose(found.front(), true);
    return true;
  }
  // Several items share the key: the highlight moves to the next of them.
  TQVINT current = selection();
  auto next = std::upper_bound(found.begin(), found.end(), current);
  setSelection(next != found.end() ? *next : found.front(), true);
  return true;
}

void tqvMenuControl::choose(TQVINT i, bool keyboard) {
  if (!usable(i)) return;
  if (hasSubMenu(i)) {
    runSubMenus(i, keyboard);
    return;
  }
  deliver(tqvMenuResult(menu_, items_[i]));
}

void tqvMenuControl::deliver(const tqvHandle& result) {
  tqvHandle self = handle();
  setProperty("Last Choice", result);
  if (host_ != nullptr) {
    tqvMenuOutcome chosen;
    chosen.end = tqvMenuOutcome::End::Chosen;
    chosen.result = result;
    host_->finish(chosen);
    return;
  }
  if (horizontal()) setSelection(-1, onScreen());
  tqvHandle name = property("Name");
  tqvFormObject* form = activeFormObject();
  if (form != nullptr && name.is(TQV_STRING_TYPE)) form->perform(name, result);
}

void tqvMenuControl::runSubMenus(TQVINT i, bool keyboard) {
  tqvHandle self = handle();
  bool bar = horizontal();
  TQVINT depth = host_ != nullptr ? host_->placement().depth + 1 : bar ? 0 : 1;
  if (depth >= TQV_MENU_MAX_DEPTH) return;
  if (tqvFormObject* form = activeFormObject()) {
    formX_ = form->originX();
    formY_ = form->originY();
  }
  // Pop-ups of a menu on a form run in its dialog; those of a pop-up, in a new one of
  // the pop-up's class.
  tqvHandle dialog;
  if (host_ != nullptr) {
    dialog = host_->handle();
  } else if (tqvHandle name = dialogName(); !tqvEquals(name, "tqvMenuDialogObject")) {
    dialog = name;
  }
  running_ = true;
  while (i >= 0 && !tqvQuitFlag()) {
    if (!hasSubMenu(i)) {
      setSelection(i, true);
      break;
    }
    keepShown(i);
    openItem_ = i;
    putInteger(keyOf("Selection"), i);
    draw();
    tqvMenuPlacement placement;
    TQVINT l = 0, t = 0, r = 0, b = 0;
    itemBounds(i, l, t, r, b);
    placement.side = bar ? tqvMenuPlacement::Side::Below : tqvMenuPlacement::Side::Beside;
    placement.left = tqvSaturatingAdd(l, formX_);
    placement.top = tqvSaturatingAdd(t, formY_);
    placement.right = tqvSaturatingAdd(r, formX_);
    placement.bottom = tqvSaturatingAdd(b, formY_);
    placement.keyboard = keyboard;
    placement.fromBar = bar || (host_ != nullptr && host_->placement().fromBar);
    placement.depth = depth;
    placement.opener = this;
    placement.style = style();
    tqvMenuOutcome outcome = tqvRunPopUpMenu(tqvSubMenu(menu_, items_[i].label), dialog, placement);
    openItem_ = -1;
    TQVINT was = i;
    i = -1;
    switch (outcome.end) {
      case tqvMenuOutcome::End::Chosen:
        running_ = false;
        deliver(outcome.result);
        return;
      case tqvMenuOutcome::End::Cancelled:
        break;
      case tqvMenuOutcome::End::Left:
        if (bar) i = step(was, -1), keyboard = true;
        break;
      case tqvMenuOutcome::End::Right:
        if (bar) {
          i = step(was, 1), keyboard = true;
        } else if (host_ != nullptr && host_->placement().fromBar) {
          running_ = false;
          host_->finish(outcome);
          return;
        }
        break;
      case tqvMenuOutcome::End::Pointer: {
        TQVINT x = minus(outcome.x, formX_);
        TQVINT y = minus(outcome.y, formY_);
        if (!hitTest(x, y)) {
          running_ = false;
          if (host_ != nullptr) {
            host_->finish(outcome);
            return;
          }
          if (bar) putInteger(keyOf("Selection"), -1);
          draw();
          return;
        }
        TQVINT under = itemAt(x, y);
        if (!usable(under) || (bar && outcome.clicked && under == was)) {
          // A click on the bar off its items, or on the open one, closes the menu.
          if (bar && outcome.clicked) putInteger(keyOf("Selection"), -1);
          break;
        }
        if (hasSubMenu(under) && (outcome.clicked || bar)) {
          i = under, keyboard = false;
        } else if (outcome.clicked) {
          running_ = false;
          deliver(tqvMenuResult(menu_, items_[under]));
          return;
        } else {
          putInteger(keyOf("Selection"), under);
        }
        break;
      }
    }
  }
  running_ = false;
  draw();
}

bool tqvMenuControl::keyDown(TQVINT key, TQVINT modifiers) {
  tqvHandle self = handle();
  refresh();
  if (!isEnabled()) return false;
  bool bar = horizontal();
  TQVINT current = selection();
  if (key == (bar ? TQV_KEY_LEFT : TQV_KEY_UP)) {
    setSelection(step(current, -1), true);
  } else if (key == (bar ? TQV_KEY_RIGHT : TQV_KEY_DOWN)) {
    setSelection(step(current, 1), true);
  } else if (key == TQV_KEY_HOME) {
    setSelection(step(-1, 1), true);
  } else if (key == TQV_KEY_END) {
    setSelection(step(-1, -1), true);
  } else if (key == '\r' || key == ' ' || (bar && key == TQV_KEY_DOWN)) {
    if (current >= 0) choose(current, true);
  } else if (!bar && key == TQV_KEY_RIGHT) {
    if (hasSubMenu(current)) {
      choose(current, true);
    } else if (host_ != nullptr && host_->placement().fromBar) {
      tqvMenuOutcome right;
      right.end = tqvMenuOutcome::End::Right;
      host_->finish(right);
    }
  } else if (!bar && key == TQV_KEY_LEFT) {
    if (host_ != nullptr && host_->placement().opener != nullptr) {
      tqvMenuOutcome left;
      left.end = tqvMenuOutcome::End::Left;
      host_->finish(left);
    }
  } else if (key == TQV_KEY_ESCAPE) {
    setSelection(-1, true);
  } else if (key > ' ' && key < 256 && (modifiers & TQV_CONTROL_FLAG) == 0) {
    accelerate(upper(key));
  }
  return false;
}

bool tqvMenuControl::mouseDown(TQVINT x, TQVINT y, TQVINT modifiers, TQVINT clicks) {
  tqvHandle self = handle();
  refresh();
  if (!isEnabled()) return false;
  bool bar = horizontal();
  if (scrolls()) {
    TQVINT rowsTop, rowsBottom;
    rowsArea(rowsTop, rowsBottom);
    if (y < rowsTop || y >= rowsBottom) {
      scrollBy(y < rowsTop ? -1 : 1);
      draw();
      return false;
    }
  }
  TQVINT under = itemAt(x, y);
  if (bar && usable(under) && hasSubMenu(under)) {
    choose(under, false);
    return false;
  }
  // The highlight follows the mouse while the button is held; the item under it when
  // it is released is chosen.
  setSelection(usable(under) ? under : -1, true);
  for (;;) {
    tqvEvent event = tqvGetEvent(TQV_MOUSE_DRAG_EVENT | TQV_MOUSE_UP_EVENT, -1);
    if (event.type == TQV_NULL_EVENT) return false;  // no more input: nothing is chosen
    TQVINT fx = event.x, fy = event.y;
    if (tqvFormObject* form = activeFormObject()) form->toFormCoordinates(fx, fy);
    under = itemAt(fx, fy);
    setSelection(usable(under) ? under : -1, true);
    if (event.type == TQV_MOUSE_UP_EVENT) break;
  }
  if (usable(under)) choose(under, false);
  return false;
}

bool tqvMenuControl::mouseWheel(TQVINT notches, TQVINT modifiers) {
  refresh();
  if (!scrolls()) return false;
  scrollBy(notches);
  if (isVisible()) draw();
  return true;
}

void tqvMenuControl::activate() {
  tqvStandardControl::activate();
  if (!horizontal() || running_ || !onScreen() || !isVisible()) return;
  refresh();
  if (selection() < 0) setSelection(step(-1, 1), true);
}

void tqvMenuControl::deactivate() {
  tqvStandardControl::deactivate();
  if (!horizontal() || running_ || !onScreen() || !isVisible()) return;
  setSelection(-1, true);
}

bool tqvMenuControl::claimsPointer(TQVINT x, TQVINT y) {
  TQVINT fx = minus(x, formX_), fy = minus(y, formY_);
  if (hitTest(fx, fy)) {
    TQVINT i = itemAt(fx, fy);
    return i >= 0 && i != openItem_ && usable(i);
  }
  tqvMenuOpener* below = host_ != nullptr ? host_->placement().opener : nullptr;
  return below != nullptr && below->claimsPointer(x, y);
}

void tqvMenuControl::hover(TQVINT x, TQVINT y) {
  TQVINT i = itemAt(x, y);
  setSelection(usable(i) ? i : -1, true);
}
