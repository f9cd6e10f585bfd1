// The standard control layer.
#include "controls/standard_control.h"

#include <algorithm>

#include "controls/control_painter.h"
#include "framework/environment.h"
#include "framework/form_object.h"
#include "framework/runtime.h"
#include "framework/services.h"
#include "media/resources.h"
#include "values/convert.h"
#include "values/font.h"
#include "values/generic.h"
#include "values/list.h"
#include "values/string.h"
#include "values/table.h"

namespace {

tqvFormObject* activeForm() {
  return tqvAsFormObject(tqvActiveForm());
}

}  // namespace

TQVINT tqvFormBlankColour() {
  tqvFormObject* form = activeForm();
  return form != nullptr
             ? tqvNumberOf(tqvDereference(form->property("Background Color")), TQV_COLOUR_FORM)
             : TQV_COLOUR_FORM;
}

void tqvDrawFormBackground(TQVINT left, TQVINT top, TQVINT right, TQVINT bottom) {
  if (right <= left || bottom <= top) return;
  tqvFormObject* form = activeForm();
  tqvHandle image = form != nullptr ? form->background() : tqvHandle();
  tqvPainter painter;
  if (image.is(TQV_IMAGE_TYPE)) {
    // The image's own pixels only: a part outside it keeps what is there.
    TQVINT l = std::max<TQVINT>(left, 0), t = std::max<TQVINT>(top, 0);
    TQVINT r = std::min(right, tqvWidth(image)), b = std::min(bottom, tqvHeight(image));
    if (r > l && b > t) painter.image(image, l, t, r - l, b - t, l, t);
  } else {
    painter.fill(left, top, right, bottom, tqvFormBlankColour());
  }
}

tqvStandardControl::tqvStandardControl(const tqvHandle& definition, std::string_view className)
    : tqvControlObject(definition), className_(className) {}

tqvHandle tqvStandardControl::makeInstance(const tqvHandle& definition) {
  return tqvWrapControl(new tqvStandardControl(definition, className_));
}

tqvHandle tqvStandardControl::get(const tqvHandle& key) {
  return tqvDereference(tqvControlObject::get(key));
}

TQVINT tqvStandardControl::getInteger(const tqvHandle& key, TQVINT fallback) {
  return has(key) ? tqvIntegerOf(get(key), fallback) : fallback;
}

tqvHandle tqvStandardControl::perform(const tqvHandle& action, const tqvHandle& data) {
  std::string_view name = tqvStringView(action);
  if (name == "getHelpString") return help();
  if (name == "Hidden" || name == "Disabled") {
    put(action, tqvMakeBoolean(tqvFlagOf(data, true)));
    eraseBackground();
    if (isVisible()) draw();
    return tqvHandle();
  }
  if (name == "Redraw" || name == "Initialize") {
    if (isVisible()) draw();
    return tqvHandle();
  }
  return tqvControlObject::perform(action, data);
}

tqvHandle tqvStandardControl::cursorValue() {
  tqvHandle hand = tqvGetGlobal("HandCursor");
  return hand.is(TQV_CURSOR_TYPE) ? hand : tqvHandle();
}

tqvHandle tqvStandardControl::imageProperty(std::string_view key) {
  tqvHandle value = property(key);
  if (!value.is(TQV_STRING_TYPE)) return value.is(TQV_IMAGE_TYPE) ? value : tqvHandle();
  if (!imageCache_.is(TQV_TABLE_TYPE)) imageCache_ = tqvTable(4);
  tqvHandle cached = tqvGet(imageCache_, key);
  if (tqvListObject* entry = tqvAsList(cached)) {
    if (tqvEquals(entry->itemAt(0), value)) return entry->itemAt(1);
  }
  tqvHandle image = tqvResolve(value);
  if (!image.is(TQV_IMAGE_TYPE)) image = tqvHandle();
  tqvHandle entry = tqvMakeList(2);
  tqvAddItem(entry, value);
  tqvAddItem(entry, image);
  tqvPut(imageCache_, key, entry);
  return image;
}

tqvHandle tqvStandardControl::textProperty(std::string_view key) {
  tqvHandle value = property(key);
  return value.is(TQV_STRING_TYPE) ? value : tqvHandle();
}

tqvHandle tqvStandardControl::fontProperty() {
  tqvHandle font = property("Font");
  tqvFontObject* f = tqvAsFont(font);
  if (f == nullptr) {
    font = tqvDefaultControlFont();
    f = tqvAsFont(font);
  }
  TQVINT style = f->style();
  if (flag("Bold")) style |= 2;
  if (flag("Underline")) style |= 4;
  return style == f->style() ? font : tqvMakeFont(f->name(), f->size(), style);
}

tqvHandle tqvStandardControl::label() {
  tqvHandle text = textProperty("Text");
  return text.isNil() ? textProperty("Label") : text;
}

bool tqvStandardControl::onScreen() {
  tqvFormObject* form = activeForm();
  return form != nullptr && form->isOpen();
}

void tqvStandardControl::drawBounds(TQVINT& left, TQVINT& top, TQVINT& right, TQVINT& bottom) {
  left = hotSpotLeft();
  top = hotSpotTop();
  right = left + hotSpotWidth();
  bottom = top + hotSpotHeight();
}

void tqvStandardControl::eraseBackground() {
  TQVINT left, top, right, bottom;
  drawBounds(left, top, right, bottom);
  tqvDrawFormBackground(left, top, right + 1, bottom + 1);
}

void tqvStandardControl::draw() {
  tqvHandle image = imageProperty("Image");
  if (image.isNil()) return;
  tqvPainter painter;
  painter.image(image, hotSpotLeft(), hotSpotTop(), 0, 0, 0, 0, imageProperty("Mask"));
}

void tqvStandardControl::activate() {
  tqvControlObject::activate();
  if (showsActivity() && isVisible() && onScreen()) draw();
}

void tqvStandardControl::deactivate() {
  tqvControlObject::deactivate();
  if (showsActivity() && isVisible() && onScreen()) draw();
}

void tqvStandardControl::mouseEnters(TQVINT x, TQVINT y, TQVINT modifiers) {
  tqvHandle image = imageProperty("RolloverImage");
  tqvPainter painter;
  if (image.isNil() || !painter) {
    tqvControlObject::mouseEnters(x, y, modifiers);
    return;
  }
  rolloverX_ = tqvSaturatingAdd(hotSpotLeft(), integer("RolloverX"));
  rolloverY_ = tqvSaturatingAdd(hotSpotTop(), integer("RolloverY"));
  TQVINT right = tqvSaturatingAdd(rolloverX_, tqvWidth(image));
  TQVINT bottom = tqvSaturatingAdd(rolloverY_, tqvHeight(image));
  rolloverSaved_ = painter.capture(rolloverX_, rolloverY_, right, bottom);
  painter.image(image, rolloverX_, rolloverY_, 0, 0, 0, 0, imageProperty("RolloverMask"));
  tqvServices().flush();
}

void tqvStandardControl::mouseLeaves(TQVINT x, TQVINT y, TQVINT modifiers) {
  tqvPainter painter;
  if (rolloverSaved_.isNil() || !painter) {
    tqvControlObject::mouseLeaves(x, y, modifiers);
    return;
  }
  painter.image(rolloverSaved_, rolloverX_, rolloverY_);
  tqvServices().flush();
  rolloverSaved_ = tqvHandle();
}

void tqvStandardControl::playSound(const tqvHandle& soundOrName, bool flag) {
  if (!tqvGetEnvironmentBoolean("SoundEffects", true)) return;
  tqvHandle sound = tqvDereference(soundOrName);
  if (sound.is(TQV_STRING_TYPE)) {
    if (tqvFindChar(sound, '.', 0) < 0) {
      tqvHandle extension = tqvGetEnvironment("AudioExtension", tqvMakeString("wav"));
      sound = tqvMakeString(std::string(tqvStringView(sound)) + "." +
                            std::string(tqvStringView(extension)));
    }
    sound = tqvResolve(sound);
  }
  if (sound.isNil()) return;
  currentSound_ = sound;
  tqvServices().playEffect(sound);
}

void tqvStandardControl::soundEnded() {
  if (currentSound_.isNil()) return;
  tqvServices().effectEnded(currentSound_);
  currentSound_ = tqvHandle();
}

void tqvStandardControl::notify(const tqvHandle& target, const tqvHandle& word) {
  if (!currentSound_.isNil() && target.object() == currentSound_.object() &&
      (tqvEquals(word, "ended") || tqvEquals(word, "aborted"))) {
    soundEnded();
  }
}
