// The push button.
#include "controls/button_control.h"

#include "controls/control_painter.h"
#include "media/text_drawing.h"
#include "values/string.h"

tqvHandle tqvButtonControl::makeInstance(const tqvHandle& definition) {
  return tqvWrapControl(new tqvButtonControl(definition));
}

void tqvButtonControl::drawLook(bool pressed) {
  TQVINT left = hotSpotLeft(), top = hotSpotTop();
  TQVINT right = left + hotSpotWidth(), bottom = top + hotSpotHeight();
  tqvHandle image = imageProperty("Image");
  eraseBackground();
  tqvPainter painter;
  if (!image.isNil()) {
    tqvHandle pressedImage = pressed ? imageProperty("PressedImage") : tqvHandle();
    tqvHandle disabledImage = isEnabled() ? tqvHandle() : imageProperty("DisabledImage");
    TQVINT shift = pressed && pressedImage.isNil() ? 1 : 0;
    tqvHandle shown = !pressedImage.isNil()    ? pressedImage
                      : !disabledImage.isNil() ? disabledImage
                                               : image;
    painter.image(shown, left + shift, top + shift, 0, 0, 0, 0, imageProperty("Mask"));
  } else {
    painter.face(left, top, right, bottom, pressed);
    TQVINT shift = pressed ? 1 : 0;
    painter.text(label(), left + 4 + shift, top + shift, right - 4 + shift, bottom + shift,
                 TQV_ALIGN_CENTRE | TQV_ALIGN_MIDDLE | TQV_ALIGN_SINGLE_LINE, fontProperty(),
                 isEnabled() ? TQV_COLOUR_BLACK : TQV_COLOUR_GREYED);
    if (isActive()) painter.focusRing(left, top, right, bottom);
  }
  tqvHandle added = imageProperty("AddedImage");
  if (!added.isNil()) {
    painter.image(added, left + integer("AddedX"), top + integer("AddedY"), 0, 0, 0, 0,
                  imageProperty("AddedMask"));
  }
}

bool tqvButtonControl::keyDown(TQVINT key, TQVINT modifiers) {
  return key == '\r' || key == ' ';
}

bool tqvButtonControl::mouseDown(TQVINT x, TQVINT y, TQVINT modifiers, TQVINT clicks) {
  bool triggered = tqvStandardControl::mouseDown(x, y, modifiers, clicks);
  if (triggered && has(tqvMakeString("Sound"))) playSound(property("Sound"), false);
  return triggered;
}
