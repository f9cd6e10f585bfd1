// The photo view.
#include "controls/photo_view_control.h"

#include <algorithm>
#include <string>

#include "controls/control_painter.h"
#include "media/text_drawing.h"
#include "values/generic.h"
#include "values/string.h"
#include "values/text.h"

namespace {

constexpr TQVINT kCaptionHeight = 20;
constexpr TQVINT kBorder = 2;

}  // namespace

void tqvPhotoViewControl::pictureBounds(TQVINT& left, TQVINT& top, TQVINT& right, TQVINT& bottom) {
  TQVINT boxLeft = hotSpotLeft() + kBorder, boxTop = hotSpotTop() + kBorder;
  TQVINT boxRight = hotSpotLeft() + hotSpotWidth() - kBorder;
  TQVINT boxBottom = hotSpotTop() + hotSpotHeight() - kBorder - kCaptionHeight;
  left = boxLeft, top = boxTop, right = boxRight, bottom = boxBottom;
  tqvHandle image = imageProperty("Image");
  if (image.isNil()) return;
  TQVINT w = tqvWidth(image), h = tqvHeight(image);
  TQVINT boxW = std::max<TQVINT>(boxRight - boxLeft, 0),
         boxH = std::max<TQVINT>(boxBottom - boxTop, 0);
  if (w <= 0 || h <= 0 || boxW == 0 || boxH == 0) return;
  // Scaled to fit, never enlarged, centred.
  double scale = std::min({1.0, static_cast<double>(boxW) / w, static_cast<double>(boxH) / h});
  TQVINT fitW = std::max<TQVINT>(static_cast<TQVINT>(w * scale), 1);
  TQVINT fitH = std::max<TQVINT>(static_cast<TQVINT>(h * scale), 1);
  left = boxLeft + (boxW - fitW) / 2;
  top = boxTop + (boxH - fitH) / 2;
  right = left + fitW;
  bottom = top + fitH;
}

void tqvPhotoViewControl::draw() {
  TQVINT left = hotSpotLeft(), top = hotSpotTop();
  TQVINT right = left + hotSpotWidth(), bottom = top + hotSpotHeight();
  tqvPainter painter;
  painter.fill(left, top, right, bottom, TQV_COLOUR_WHITE);
  painter.frame(left, top, right, bottom, TQV_COLOUR_EDGE);
  tqvHandle image = imageProperty("Image");
  if (!image.isNil()) {
    TQVINT l, t, r, b;
    pictureBounds(l, t, r, b);
    painter.stretch(image, l, t, r, b);
  }
  TQVINT captionTop = bottom - kBorder - kCaptionHeight;
  TQVINT totalPages = integer("TotalPages");
  TQVINT pageRight = right - kBorder - 4;
  if (totalPages > 1) {
    std::string pages = std::to_string(std::max<TQVINT>(integer("Page", 1), 1)) + " / " +
                        std::to_string(totalPages);
    painter.text(tqvMakeString(pages), right - 70, captionTop, pageRight, bottom - kBorder,
                 TQV_ALIGN_RIGHT | TQV_ALIGN_MIDDLE | TQV_ALIGN_SINGLE_LINE, fontProperty(),
                 TQV_COLOUR_GREYED);
    pageRight -= 70;
  }
  painter.text(textProperty("Caption"), left + kBorder + 4, captionTop, pageRight, bottom - kBorder,
               TQV_ALIGN_LEFT | TQV_ALIGN_MIDDLE | TQV_ALIGN_SINGLE_LINE, fontProperty(),
               TQV_COLOUR_BLACK);
}

tqvHandle tqvPhotoViewControl::perform(const tqvHandle& action, const tqvHandle& data) {
  std::string_view name = tqvStringView(action);
  if (name == "SetImage" || name == "SetCaption" || name == "SetText" || name == "SetPage") {
    const char* key = name == "SetImage" ? "Image" : name == "SetPage" ? "Page" : "Caption";
    setProperty(key, data);
    if (isVisible()) draw();
    return tqvHandle();
  }
  if (name == "GetText") return property("Caption");
  return tqvStandardControl::perform(action, data);
}
