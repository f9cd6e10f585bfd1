// Installing the media library in a program.
#include "media/media_services.h"

#include "media/image.h"
#include "media/resources.h"

void tqvInstallMedia(tqvRuntime& runtime) {
  tqvRegisterImageCodecs();
  tqvRegisterResourceCodecs();
  runtime.services = std::make_unique<tqvMediaServices>();
}
