// The media services: the drawing surface of the open window, sounds, help and the
// loaders of sounds and movies. The resource manager's part is in resources.cc.
#include "media/media_services.h"

#include "framework/forms.h"
#include "framework/runtime.h"
#include "media/drawing_surface.h"
#include "storage/file_stream.h"
#include "values/convert.h"
#include "values/generic.h"

tqvMediaServices::tqvMediaServices() = default;
tqvMediaServices::~tqvMediaServices() = default;

void tqvMediaServices::windowOpened(TQVINT width, TQVINT height, TQVINT scale) {
  surface_ = std::make_unique<tqvDrawingSurface>(width, height, scale);
}

void tqvMediaServices::windowScaleChanged(TQVINT scale) {
  if (surface_ == nullptr) return;
  surface_->rescale(scale);
  tqvRedrawScreen();
}

void tqvMediaServices::windowClosed() {
  surface_.reset();
}

void tqvMediaServices::setBackdrop(const tqvHandle& image) {
  if (surface_ != nullptr) surface_->setBackdrop(image);
}

void tqvMediaServices::drawImage(const tqvHandle& image, TQVINT x, TQVINT y,
                                 const tqvHandle& mask) {
  if (surface_ != nullptr) surface_->drawImage(image, x, y, 0, 0, 0, 0, mask);
}

tqvHandle tqvMediaServices::capture(TQVINT left, TQVINT top, TQVINT right, TQVINT bottom) {
  return surface_ != nullptr ? surface_->capture(left, top, right, bottom) : tqvHandle();
}

void tqvMediaServices::flush(TQVINT left, TQVINT top, TQVINT right, TQVINT bottom) {
  if (surface_ != nullptr) surface_->flush(left, top, right, bottom);
}

void tqvMediaServices::transition(TQVINT code, TQVINT x, TQVINT y, TQVINT width, TQVINT height,
                                  TQVINT parameter) {
  if (surface_ == nullptr) return;
  // The rectangle is relative to the drawing origin; the surface takes media coordinates.
  surface_->transition(code, tqvSaturatingAdd(x, originX()), tqvSaturatingAdd(y, originY()), width,
                       height, parameter);
}

namespace {

bool playable(const tqvHandle& sound) {
  return sound.is(TQV_SOUND_TYPE) || sound.is(TQV_MOVIE_TYPE);
}

}  // namespace

void tqvMediaServices::playSound(const tqvHandle& sound) {
  if (playable(sound)) tqvPlay(sound);
}

void tqvMediaServices::stopSound(const tqvHandle& sound) {
  if (playable(sound)) tqvStop(sound);
}

void tqvMediaServices::releaseMedia() {
  movies_.closeAll();
  sounds_.stopAll();
}

void tqvMediaServices::idleTurn() {
  sounds_.poll();
  movies_.tick();
}

void tqvMediaServices::showHelp(const tqvHandle& path) {
  if (tqvPlatform::Backend* backend = tqvBackend()) backend->openDocument(tqvMapPath(path));
}

tqvPathLoader tqvMediaServices::loader(TQVINT kind) const {
  auto found = loaders_.find(kind);
  return found != loaders_.end() ? found->second : nullptr;
}

tqvMediaServices* tqvMedia() {
  return dynamic_cast<tqvMediaServices*>(&tqvServices());
}

tqvDrawingSurface* tqvScreenSurface() {
  tqvMediaServices* media = tqvMedia();
  return media != nullptr ? media->surface() : nullptr;
}
