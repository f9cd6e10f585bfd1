// The one-line text field: editing, selection, clipboard, caret and scrolling.
#include "controls/text_field_control.h"

#include <algorithm>
#include <cmath>
#include <string>

#include "controls/control_painter.h"
#include "framework/events.h"
#include "framework/form_object.h"
#include "framework/perform.h"
#include "framework/runtime.h"
#include "framework/services.h"
#include "media/text_drawing.h"
#include "platform/platform.h"
#include "values/charmaps.h"
#include "values/convert.h"
#include "values/cp1252.h"
#include "values/error.h"
#include "values/generic.h"
#include "values/list.h"
#include "values/string.h"
#include "values/text.h"

namespace {

constexpr TQVINT kInset = 4;
constexpr TQVINT kDefaultMaxLength = 255;
constexpr TQVINT kLargestMaxLength = 1 << 20;
constexpr uint32_t kBlinkMs = 500;
constexpr TQVINT kFieldSelectionColour = 0xE0B080;  // 0x00BBGGRR: a light blue

constexpr std::string_view kFormats[] = {"text", "integer", "number", "date", "time", "upper"};

std::string lowerAscii(std::string_view text) {
  std::string lower(text);
  for (char& c : lower) c = static_cast<char>(tqvCharmaps::lower[static_cast<unsigned char>(c)]);
  return lower;
}

bool isDigit(unsigned char c) {
  return c >= '0' && c <= '9';
}

}  // namespace

tqvTextFieldControl::tqvTextFieldControl(const tqvHandle& definition, std::string_view className)
    : tqvStandardControl(definition, className) {
  caret_ = anchor_ = tqvStringLength(text());
}

tqvHandle tqvTextFieldControl::makeInstance(const tqvHandle& definition) {
  return tqvWrapControl(new tqvTextFieldControl(definition, className()));
}

std::string tqvTextFieldControl::format() {
  tqvHandle value = property("Format");
  if (value.isNil()) return "text";
  std::string word = value.is(TQV_STRING_TYPE) ? lowerAscii(tqvStringView(value)) : "";
  return std::find(std::begin(kFormats), std::end(kFormats), word) != std::end(kFormats) ? word
                                                                                         : "text";
}

void tqvTextFieldControl::attach() {
  tqvHandle value = property("Format");
  if (value.isNil()) return;
  std::string word = value.is(TQV_STRING_TYPE) ? lowerAscii(tqvStringView(value)) : "";
  if (std::find(std::begin(kFormats), std::end(kFormats), word) == std::end(kFormats)) {
    tqvError("Format type not allowed: " + tqvToStdString(value, false));
  }
}

TQVINT tqvTextFieldControl::maxLength() {
  TQVINT length = integer("MaxLength", kDefaultMaxLength);
  return length > 0 ? std::min(length, kLargestMaxLength) : kDefaultMaxLength;
}

tqvHandle tqvTextFieldControl::text() {
  tqvHandle value = property("Text");
  return value.is(TQV_STRING_TYPE) ? value : tqvMakeString("");
}

void tqvTextFieldControl::setText(const tqvHandle& value) {
  std::string_view bytes = tqvStringView(value);
  setProperty("Text", tqvMakeString(bytes.substr(0, static_cast<size_t>(maxLength()))));
  caret_ = anchor_ = tqvStringLength(text());
  keepCaretInView();
}

void tqvTextFieldControl::setSelection(TQVINT anchor, TQVINT caret) {
  TQVINT length = tqvStringLength(text());
  anchor_ = std::clamp<TQVINT>(anchor, 0, length);
  caret_ = std::clamp<TQVINT>(caret, 0, length);
  keepCaretInView();
}

void tqvTextFieldControl::innerArea(TQVINT& left, TQVINT& top, TQVINT& right, TQVINT& bottom) {
  left = hotSpotLeft() + kInset;
  top = hotSpotTop() + 1;
  right = tqvSaturatingAdd(hotSpotLeft(), hotSpotWidth()) - kInset;
  bottom = tqvSaturatingAdd(hotSpotTop(), hotSpotHeight()) - 1;
}

void tqvTextFieldControl::keepCaretInView() {
  TQVINT left, top, right, bottom;
  innerArea(left, top, right, bottom);
  double width = std::max<TQVINT>(right - left, 1);
  std::vector<double> offsets = tqvCharacterOffsets(text(), fontProperty());
  double x = offsets[std::min<size_t>(static_cast<size_t>(caret_), offsets.size() - 1)];
  if (x - scroll_ > width) scroll_ = x - width;
  if (x - scroll_ < 0) scroll_ = x;
  // No empty space at the end while the text is longer than the field.
  scroll_ = std::clamp(scroll_, 0.0, std::max(offsets.back() - width, 0.0));
}

TQVINT tqvTextFieldControl::positionAt(TQVINT x) {
  TQVINT left, top, right, bottom;
  innerArea(left, top, right, bottom);
  std::vector<double> offsets = tqvCharacterOffsets(text(), fontProperty());
  double target = x - left + scroll_;
  // The boundary nearest the point: offsets grow, so the first past the midpoint.
  for (size_t i = 1; i < offsets.size(); ++i) {
    if (target < (offsets[i - 1] + offsets[i]) / 2) return static_cast<TQVINT>(i - 1);
  }
  return static_cast<TQVINT>(offsets.size() - 1);
}

void tqvTextFieldControl::draw() {
  TQVINT width = hotSpotWidth(), height = hotSpotHeight();
  if (width <= 2 || height <= 2) return;
  TQVINT x0 = hotSpotLeft(), y0 = hotSpotTop();
  TQVINT x1 = tqvSaturatingAdd(x0, width), y1 = tqvSaturatingAdd(y0, height);
  tqvPainter painter;
  cairo_t* cr = painter.cr();
  tqvHandle image = imageProperty("Image");
  if (!image.isNil()) {
    painter.image(image, x0, y0, width, height);
  } else {
    painter.fill(x0, y0, x1, y1,
                 isEnabled() ? tqvNumberOf(property("Background Color"), TQV_COLOUR_WHITE)
                             : TQV_COLOUR_FACE);
    painter.frame(x0, y0, x1, y1, TQV_COLOUR_EDGE);
  }
  if (cr == nullptr) return;
  TQVINT left, top, right, bottom;
  innerArea(left, top, right, bottom);
  tqvHandle font = fontProperty();
  tqvHandle shown = text();
  std::vector<double> offsets = tqvCharacterOffsets(shown, font);
  tqvTextExtent extent;
  tqvMeasureText(tqvMakeString("\xC1gy"), font, extent);
  double textTop = top + (bottom - top - extent.height) / 2.0;
  cairo_save(cr);
  cairo_rectangle(cr, left - 1, top, right - left + 2, bottom - top);
  cairo_clip(cr);
  bool focused = isActive() && isEnabled();
  if (focused && anchor_ != caret_) {
    size_t from = static_cast<size_t>(std::min(anchor_, caret_));
    size_t to = static_cast<size_t>(std::max(anchor_, caret_));
    to = std::min(to, offsets.size() - 1);
    from = std::min(from, to);
    tqvSetCairoColour(cr, kFieldSelectionColour);
    cairo_rectangle(cr, left + offsets[from] - scroll_, textTop, offsets[to] - offsets[from],
                    extent.height);
    cairo_fill(cr);
  }
  tqvTextStyle style;
  style.font = font;
  style.colour =
      isEnabled() ? tqvNumberOf(property("Foreground Color"), TQV_COLOUR_BLACK) : TQV_COLOUR_GREYED;
  cairo_translate(cr, -scroll_, 0);
  tqvDrawTextAt(cr, shown, left, static_cast<TQVINT>(textTop), style);
  cairo_translate(cr, scroll_, 0);
  if (focused && caretShown_) {
    double x =
        left + offsets[std::min<size_t>(static_cast<size_t>(caret_), offsets.size() - 1)] - scroll_;
    tqvSetCairoColour(cr, TQV_COLOUR_BLACK);
    cairo_rectangle(cr, std::floor(x), textTop, 1, extent.height);
    cairo_fill(cr);
  }
  cairo_restore(cr);
  painter.touch(x0, y0, x1, y1);
}

bool tqvTextFieldControl::acceptCharacter(unsigned char& c, const std::string& current,
                                          size_t before) {
  if (c < ' ' || c == 0x7F) return false;
  std::string kind = format();
  if (kind == "upper") {
    c = tqvCharmaps::upper[c];
  } else if (kind == "integer") {
    return isDigit(c) || (c == '-' && before == 0 && current.find('-') == std::string::npos);
  } else if (kind == "number") {
    if (c == ',' || c == '.') {
      return current.find(',') == std::string::npos && current.find('.') == std::string::npos;
    }
    return isDigit(c) || (c == '-' && before == 0 && current.find('-') == std::string::npos);
  } else if (kind == "date") {
    return isDigit(c) || c == '/';
  } else if (kind == "time") {
    return isDigit(c) || c == ':';
  }
  return true;
}

bool tqvTextFieldControl::insertText(std::string_view inserted) {
  std::string current(tqvStringView(text()));
  size_t from = static_cast<size_t>(std::min(anchor_, caret_));
  size_t to = static_cast<size_t>(std::max(anchor_, caret_));
  to = std::min(to, current.size());
  from = std::min(from, to);
  std::string result = current.substr(0, from);
  std::string rest = current.substr(to);
  size_t room = static_cast<size_t>(maxLength());
  for (char raw : inserted) {
    auto c = static_cast<unsigned char>(raw);
    if (result.size() + rest.size() >= room) break;
    if (!acceptCharacter(c, result + rest, result.size())) continue;
    result += static_cast<char>(c);
  }
  TQVINT caret = static_cast<TQVINT>(result.size());
  result += rest;
  if (result == current && to == from) return false;
  setProperty("Text", tqvMakeString(result));
  anchor_ = caret_ = caret;
  keepCaretInView();
  return true;
}

void tqvTextFieldControl::changed() {
  caretShown_ = true;
  blinkSince_ = tqvTickCount();
  if (isVisible()) draw();
  tqvServices().flush();
}

bool tqvTextFieldControl::keyDown(TQVINT key, TQVINT modifiers) {
  if (!isEnabled()) return false;
  bool shift = (modifiers & TQV_SHIFT_FLAG) != 0;
  bool control = (modifiers & TQV_CONTROL_FLAG) != 0;
  TQVINT length = tqvStringLength(text());
  bool edited = false;
  auto moveTo = [&](TQVINT position) {
    caret_ = std::clamp<TQVINT>(position, 0, length);
    if (!shift) anchor_ = caret_;
    keepCaretInView();
  };
  std::string selected;
  {
    std::string_view all = tqvStringView(text());
    size_t from = static_cast<size_t>(std::clamp<TQVINT>(std::min(anchor_, caret_), 0, length));
    size_t to = static_cast<size_t>(std::clamp<TQVINT>(std::max(anchor_, caret_), 0, length));
    selected = std::string(all.substr(from, to - from));
  }
  tqvPlatform::Backend* backend = tqvBackend();
  if (control && (key == 'C' || key == 'X')) {
    if (!selected.empty() && backend != nullptr)
      backend->setClipboardText(tqvCp1252ToUtf8(selected));
    if (key == 'X' && !selected.empty()) edited = insertText("");
  } else if (control && key == 'V') {
    if (backend != nullptr) {
      std::string pasted = tqvUtf8ToCp1252(backend->clipboardText());
      // One line: a pasted line break ends what is taken.
      pasted = pasted.substr(0, pasted.find_first_of("\r\n"));
      edited = insertText(pasted);
    }
  } else if (control && key == 'A') {
    anchor_ = 0;
    caret_ = length;
    keepCaretInView();
  } else if (key == TQV_KEY_LEFT) {
    moveTo(!shift && anchor_ != caret_ ? std::min(anchor_, caret_) : caret_ - 1);
  } else if (key == TQV_KEY_RIGHT) {
    moveTo(!shift && anchor_ != caret_ ? std::max(anchor_, caret_) : caret_ + 1);
  } else if (key == TQV_KEY_HOME) {
    moveTo(0);
  } else if (key == TQV_KEY_END) {
    moveTo(length);
  } else if (key == 8) {  // Backspace
    if (anchor_ == caret_ && caret_ > 0) anchor_ = caret_ - 1;
    edited = insertText("");
  } else if (key == TQV_KEY_DELETE) {
    if (anchor_ == caret_ && caret_ < length) anchor_ = caret_ + 1;
    edited = insertText("");
  } else if (key == '\r') {
    changed();
    return true;
  } else if (key >= ' ' && key < 256 && key != 0x7F && !control &&
             (modifiers & TQV_ALT_FLAG) == 0) {
    char c = static_cast<char>(key);
    edited = insertText(std::string_view(&c, 1));
  } else {
    return false;
  }
  changed();
  return edited && flag("NotifyOnEachKey");
}

bool tqvTextFieldControl::mouseDown(TQVINT x, TQVINT y, TQVINT modifiers, TQVINT clicks) {
  if (!isEnabled()) return false;
  TQVINT position = positionAt(x);
  if (clicks >= 2) {
    // A double click selects the word under the mouse.
    std::string_view all = tqvStringView(text());
    auto isWord = [&](TQVINT i) {
      return i >= 0 && i < static_cast<TQVINT>(all.size()) && all[i] != ' ';
    };
    TQVINT from = position, to = position;
    while (isWord(from - 1)) --from;
    while (isWord(to)) ++to;
    setSelection(from, to);
    changed();
    return false;
  }
  setSelection((modifiers & TQV_SHIFT_FLAG) != 0 ? anchor_ : position, position);
  changed();
  tqvFormObject* form = activeFormObject();
  for (;;) {
    tqvEvent event = tqvGetEvent(TQV_MOUSE_DRAG_EVENT | TQV_MOUSE_UP_EVENT, -1);
    if (event.type == TQV_NULL_EVENT || event.type == TQV_MOUSE_UP_EVENT) break;
    TQVINT ex = event.x, ey = event.y;
    if (form != nullptr) form->toFormCoordinates(ex, ey);
    setSelection(anchor_, positionAt(ex));
    changed();
  }
  return false;
}

void tqvTextFieldControl::activate() {
  caretShown_ = true;
  blinkSince_ = tqvTickCount();
  tqvStandardControl::activate();
}

void tqvTextFieldControl::deactivate() {
  bool was = isActive();
  tqvStandardControl::deactivate();
  if (was && flag("NotifyKillFocus") && onScreen()) {
    tqvHandle self = handle();
    tqvHandle name = property("Name");
    tqvHandle form = tqvActiveForm();
    if (name.is(TQV_STRING_TYPE) && form.is(TQV_FORM_TYPE)) tqvPerform(form, name, self);
  }
}

void tqvTextFieldControl::tick(uint32_t now) {
  if (!isActive() || now - blinkSince_ < kBlinkMs) return;
  caretShown_ = !caretShown_;
  blinkSince_ = now;
  if (isVisible() && onScreen()) draw();
}

tqvHandle tqvTextFieldControl::perform(const tqvHandle& action, const tqvHandle& data) {
  std::string_view name = tqvStringView(action);
  if (name == "getText" || name == "GetText" || name == "stringValue") return text();
  if (name == "setText" || name == "SetText" || name == "ClearText") {
    tqvHandle value = name == "ClearText"        ? tqvMakeString("")
                      : data.is(TQV_STRING_TYPE) ? data
                                                 : tqvToText(data, false);
    setText(value);
    if (isVisible()) draw();
    return tqvHandle();
  }
  if (name == "selectAll") {
    setSelection(0, tqvStringLength(text()));
    if (isVisible()) draw();
    return tqvHandle();
  }
  if (name == "replaceSel") {
    insertText(tqvStringView(data.is(TQV_STRING_TYPE) ? data : tqvToText(data, false)));
    if (isVisible()) draw();
    return tqvHandle();
  }
  if (name == "getSelectionRange") {
    tqvHandle range = tqvMakeIntList(2);
    tqvAddItem(range, tqvMakeInt(std::min(anchor_, caret_)));
    tqvAddItem(range, tqvMakeInt(std::max(anchor_, caret_)));
    return range;
  }
  return tqvStandardControl::perform(action, data);
}
