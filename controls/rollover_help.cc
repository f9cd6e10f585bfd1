// Showing and taking away the rollover help box.
#include "controls/rollover_help.h"

#include <algorithm>
#include <string>
#include <vector>

#include "framework/form_object.h"
#include "media/drawing_surface.h"
#include "media/media_services.h"
#include "media/text_drawing.h"
#include "values/error.h"
#include "values/font.h"
#include "values/string.h"
#include "values/text.h"

namespace {

constexpr TQVINT kPadX = 4;
constexpr TQVINT kPadY = 2;
// The box opens this far below the mouse, clear of the pointer.
constexpr TQVINT kBelowMouse = 20;

std::vector<tqvHandle> linesOf(const tqvHandle& text) {
  std::vector<tqvHandle> lines;
  std::string_view all = tqvStringView(text);
  size_t start = 0;
  for (;;) {
    size_t end = all.find('\n', start);
    std::string_view line = all.substr(start, end == std::string_view::npos ? end : end - start);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    lines.push_back(tqvMakeString(line));
    if (end == std::string_view::npos) break;
    start = end + 1;
  }
  return lines;
}

}  // namespace

tqvRolloverHelp::~tqvRolloverHelp() = default;

void tqvRolloverHelp::enter(const tqvHandle& help, uint32_t now) {
  hide();
  help_ = help;
  since_ = now;
}

void tqvRolloverHelp::leave() {
  hide();
  help_ = tqvHandle();
}

void tqvRolloverHelp::tick(uint32_t now) {
  if (help_.isNil() || showing()) return;
  if (!help_.is(TQV_STRING_TYPE)) {
    tqvHandle bad = help_;
    help_ = tqvHandle();
    tqvError("Bad Rollover Text: " + tqvToStdString(bad, false));
    return;
  }
  if (now - since_ < kDelayMs) return;
  show();
}

void tqvRolloverHelp::show() {
  tqvDrawingSurface* surface = tqvScreenSurface();
  if (surface == nullptr || tqvStringLength(help_) == 0) return;
  tqvTextStyle style;
  style.font = tqvMakeFont(tqvMakeString("Arial"), 9, 0);
  std::vector<tqvHandle> lines = linesOf(help_);
  TQVINT lineHeight = 0, widest = 0;
  for (const tqvHandle& line : lines) {
    tqvTextExtent extent;
    // An empty line still takes a line's height.
    tqvMeasureText(tqvStringLength(line) > 0 ? line : tqvMakeString(" "), style.font, extent);
    lineHeight = std::max(lineHeight, extent.height);
    widest = std::max(widest, extent.width);
  }
  TQVINT width = widest + 2 * kPadX;
  TQVINT height = lineHeight * static_cast<TQVINT>(lines.size()) + 2 * kPadY;
  TQVINT mediaWidth = surface->surfaceWidth(), mediaHeight = surface->surfaceHeight();
  // Below and to the right of the mouse, moved back inside the media area; above the
  // mouse when there is no room below.
  left_ = std::clamp<TQVINT>(mouseX_, 0, std::max<TQVINT>(mediaWidth - width, 0));
  top_ = mouseY_ + kBelowMouse;
  if (top_ + height > mediaHeight) top_ = mouseY_ - height - 2;
  top_ = std::clamp<TQVINT>(top_, 0, std::max<TQVINT>(mediaHeight - height, 0));
  right_ = left_ + width;
  bottom_ = top_ + height;

  saved_ = surface->capture(left_, top_, right_, bottom_);
  surface->fillRect(left_, top_, right_, bottom_, TQV_ROLLOVER_HELP_COLOUR);
  surface->frameRect(left_, top_, right_, bottom_, 0);
  tqvHandle previousFont = surface->font();
  tqvTextStyle previous = surface->textStyle();
  surface->selectFont(style.font);
  surface->setTextColour(0);
  surface->setBackgroundMode(TQV_BACKGROUND_TRANSPARENT);
  TQVINT y = top_ + kPadY;
  for (const tqvHandle& line : lines) {
    surface->drawTextAt(line, left_ + kPadX, y);
    y += lineHeight;
  }
  surface->selectFont(previousFont);
  surface->setTextColour(previous.colour);
  surface->setBackgroundMode(previous.backgroundMode);
  surface->flush(left_, top_, right_, bottom_);
}

void tqvRolloverHelp::hide() {
  if (saved_.isNil()) return;
  if (tqvDrawingSurface* surface = tqvScreenSurface()) {
    surface->drawImage(saved_, left_, top_);
    surface->flush(left_, top_, right_, bottom_);
  }
  saved_ = tqvHandle();
}
