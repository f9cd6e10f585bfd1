// The almanac's user files.
#include "almanac/catalogue/user_files.h"

#include <string>

#include "framework/environment.h"
#include "platform/user_files.h"
#include "storage/encoding.h"
#include "storage/file_stream.h"
#include "storage/memory_stream.h"
#include "values/buffer.h"
#include "values/cp1252.h"
#include "values/error.h"
#include "values/string.h"

tqvHandle lxUserFile(std::string_view name) {
  tqvHandle configured = tqvGetEnvironment("UserDataPath");
  std::string dir = tqvPlatform::userDataDirectory(
      configured.is(TQV_STRING_TYPE) ? tqvCp1252ToUtf8(tqvStringView(configured)) : "", "lumbra98");
  if (dir.empty()) return tqvHandle();
  return tqvPathJoin(tqvMakeString(tqvUtf8ToCp1252(dir)), tqvMakeString(name));
}

tqvHandle lxReadUserValue(std::string_view name, bool* damaged) {
  if (damaged != nullptr) *damaged = false;
  tqvHandle path = lxUserFile(name);
  if (path.isNil() || !tqvFileExists(path)) return tqvHandle();
  tqvHandle bytes = tqvReadWholeFile(path, false, true);
  std::string_view data;
  if (!tqvBytesOf(bytes, data) || data.empty()) return tqvHandle();
  std::string copy(data);
  tqvQuietErrors quiet;
  tqvHandle value = tqvDecode(tqvMemoryStream(copy.data(), static_cast<TQVINT>(copy.size())));
  if (quiet.count() == 0) return value;
  if (damaged != nullptr) *damaged = true;
  return tqvHandle();
}

bool lxWriteUserValue(std::string_view name, const tqvHandle& value) {
  tqvHandle path = lxUserFile(name);
  if (path.isNil()) return false;
  tqvHandle encoded = tqvMemoryStream(nullptr, 0);
  tqvEncode(encoded, value);
  return tqvWriteWholeFile(path, encoded.as<tqvMemoryStreamObject>()->writtenBytes(), true);
}
