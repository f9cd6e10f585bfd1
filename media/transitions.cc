// Screen transitions of the drawing surface: fades, the zoom and the wipes.
#include <algorithm>
#include <cstdint>

#include "framework/environment.h"
#include "framework/event.h"
#include "framework/events.h"
#include "framework/runtime.h"
#include "framework/services.h"
#include "media/drawing_surface.h"
#include "media/palette.h"

namespace {

enum : TQVINT {
  kWipeRight = 2,
  kWipeLeft = 3,
  kWipeDown = 4,
  kWipeUp = 5,
  kBoxOut = 6,
  kBoxIn = 7,
  kBlindsHorizontal = 8,
  kBlindsVertical = 9,
  kDissolve = 10,
  kSplitOut = 11,
};

constexpr TQVINT kZoomStepMs = 16;
constexpr TQVINT kDefaultWipeMs = 300;
constexpr TQVINT kBlindCount = 8;
constexpr TQVINT kDissolveBlock = 8;
constexpr TQVINT kLongestTransitionMs = 5000;
constexpr TQVINT kLongestZoomSteps = kLongestTransitionMs / kZoomStepMs;

}  // namespace

void tqvDrawingSurface::transition(TQVINT code, TQVINT x, TQVINT y, TQVINT width, TQVINT height,
                                   TQVINT parameter) {
  if (tqvGetEnvironmentBoolean("Disable Transitions", false)) return;
  // Durations and step counts come from content: a transition never holds the program
  // for more than a few seconds, and the rectangle is what the picture holds of it.
  parameter =
      std::min(parameter, code == TQV_TRANSITION_ZOOM ? kLongestZoomSteps : kLongestTransitionMs);
  TQVINT left = std::clamp<TQVINT>(x, 0, width_), top = std::clamp<TQVINT>(y, 0, height_);
  TQVINT right = width < 0
                     ? width_
                     : static_cast<TQVINT>(std::clamp<int64_t>(int64_t{x} + width, left, width_));
  TQVINT bottom = height < 0
                      ? height_
                      : static_cast<TQVINT>(std::clamp<int64_t>(int64_t{y} + height, top, height_));
  switch (code) {
    case TQV_TRANSITION_FADE_OUT:
      fadeOut(parameter);
      return;
    case TQV_TRANSITION_FADE_IN:
      fadeIn(parameter);
      return;
    case TQV_TRANSITION_ZOOM:
      zoom(left, top, right, bottom, parameter);
      return;
    default:
      wipe(code, left, top, right, bottom, parameter > 0 ? parameter : kDefaultWipeMs);
  }
}

void tqvDrawingSurface::zoom(TQVINT left, TQVINT top, TQVINT right, TQVINT bottom, TQVINT steps) {
  steps = std::max<TQVINT>(steps, 1);
  held_ = false;
  for (TQVINT step = 1; step <= steps; ++step) {
    // The rectangle grows linearly from the given one to the whole picture.
    TQVINT l = left - (left * step) / steps;
    TQVINT t = top - (top * step) / steps;
    TQVINT r = right + ((width_ - right) * step) / steps;
    TQVINT b = bottom + ((height_ - bottom) * step) / steps;
    copyToScreen(l, t, r, b);
    present();
    if (step < steps) {
      if (tqvPlatform::Backend* backend = tqvBackend()) backend->delay(kZoomStepMs);
    }
  }
  copyToScreen(0, 0, width_, height_);
  present();
  tqvFlushEvents(TQV_TIMER_EVENT);
}

void tqvDrawingSurface::wipe(TQVINT code, TQVINT left, TQVINT top, TQVINT right, TQVINT bottom,
                             TQVINT durationMs) {
  left = std::max<TQVINT>(left, 0);
  top = std::max<TQVINT>(top, 0);
  right = std::min(right, width_);
  bottom = std::min(bottom, height_);
  if (right <= left || bottom <= top) return;
  // The wipe reveals the rectangle as it is now in the off-screen picture.
  held_ = false;
  TQVINT w = right - left, h = bottom - top;
  tqvRunCrossFade(durationMs, [&](int t) {
    switch (code) {
      case kWipeRight:
        copyToScreen(left, top, left + w * t / 128, bottom);
        break;
      case kWipeLeft:
        copyToScreen(right - w * t / 128, top, right, bottom);
        break;
      case kWipeDown:
        copyToScreen(left, top, right, top + h * t / 128);
        break;
      case kWipeUp:
        copyToScreen(left, bottom - h * t / 128, right, bottom);
        break;
      case kBoxOut: {
        TQVINT cx = left + w / 2, cy = top + h / 2;
        TQVINT dx = w * t / 256, dy = h * t / 256;
        copyToScreen(cx - dx, cy - dy, cx + dx + 1, cy + dy + 1);
        break;
      }
      case kBoxIn: {
        TQVINT dx = w * t / 256, dy = h * t / 256;
        copyToScreen(left, top, right, top + dy);
        copyToScreen(left, bottom - dy, right, bottom);
        copyToScreen(left, top, left + dx, bottom);
        copyToScreen(right - dx, top, right, bottom);
        break;
      }
      case kBlindsHorizontal: {
        TQVINT band = std::max<TQVINT>(h / kBlindCount, 1);
        for (TQVINT y = top; y < bottom; y += band)
          copyToScreen(left, y, right, y + band * t / 128);
        break;
      }
      case kBlindsVertical: {
        TQVINT band = std::max<TQVINT>(w / kBlindCount, 1);
        for (TQVINT x = left; x < right; x += band)
          copyToScreen(x, top, x + band * t / 128, bottom);
        break;
      }
      case kDissolve: {
        // Blocks appear in a fixed scrambled order: block k shows once t passes its turn.
        TQVINT columns = (w + kDissolveBlock - 1) / kDissolveBlock;
        TQVINT rows = (h + kDissolveBlock - 1) / kDissolveBlock;
        uint32_t blocks = static_cast<uint32_t>(columns * rows);
        for (uint32_t k = 0; k < blocks; ++k) {
          uint32_t turn = (k * 2654435761u) % 129u;
          if (turn > static_cast<uint32_t>(t)) continue;
          TQVINT bx = left + static_cast<TQVINT>(k % columns) * kDissolveBlock;
          TQVINT by = top + static_cast<TQVINT>(k / columns) * kDissolveBlock;
          copyToScreen(bx, by, std::min(bx + kDissolveBlock, right),
                       std::min(by + kDissolveBlock, bottom));
        }
        break;
      }
      case kSplitOut: {
        TQVINT cx = left + w / 2, dx = w * t / 256;
        copyToScreen(cx - dx, top, cx + dx + 1, bottom);
        break;
      }
      default:
        copyToScreen(left, top, right, bottom);
        break;
    }
    present();
  });
  copyToScreen(left, top, right, bottom);
  present();
}
