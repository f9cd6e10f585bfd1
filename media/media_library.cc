// Wires the media library into the storage codecs and the framework's hooks.
#include "media/media_library.h"

#include "framework/hooks.h"
#include "framework/program_state.h"
#include "media/form_services.h"
#include "media/image.h"
#include "media/resources.h"
#include "storage/encoding.h"
#include "storage/file_stream.h"
#include "values/string.h"

namespace {

// The compiled resource NAME.TYPE where the file locator finds it; nil when absent.
tqvHandle loadCompiledResource(const tqvHandle& name, const tqvHandle& type) {
  tqvHandle path = tqvLocateFile(name, type);
  if (!tqvFileExists(path)) return TQV_NIL;
  tqvHandle stream = tqvFileStream(path, TQV_FILE_READ, true);
  return stream.isNil() ? TQV_NIL : tqvDecode(stream);
}

// The help file opens with the desktop's program for it.
void showHelp(const tqvHandle& path) {
  if (tqvPlatform::Backend* backend = tqvBackend()) backend->openDocument(tqvMapPath(path));
}

}  // namespace

void tqvMediaStartup() {
  tqvRegisterImageCodecs();
  tqvRegisterResourceCodecs();
  tqvHooks().initResourceTypes = tqvInitResourceTypes;
  tqvHooks().loadCompiledResource = loadCompiledResource;
  tqvInstallFormServices();
  tqvHooks().showHelp = showHelp;
}
