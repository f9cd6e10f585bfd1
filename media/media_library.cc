// Installing the media library in a program.
#include "media/media_services.h"

#include "media/image.h"
#include "media/movie.h"
#include "media/resources.h"
#include "media/sound.h"

namespace {

// Movies found as resources are not enlarged by the full-screen video preference.
tqvHandle loadMovie(const tqvHandle& path) {
  return tqvMakeMovie(path, false);
}

}  // namespace

void tqvInstallMedia(tqvRuntime& runtime) {
  tqvRegisterImageCodecs();
  tqvRegisterResourceCodecs();
  tqvRegisterSoundCodecs();
  auto services = std::make_unique<tqvMediaServices>();
  services->registerLoader(TQV_RESOURCE_SOUND, tqvMakeSound);
  services->registerLoader(TQV_RESOURCE_MOVIE, loadMovie);
  runtime.services = std::move(services);
}
