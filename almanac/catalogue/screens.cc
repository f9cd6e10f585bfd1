// Screens that a disc may not have yet.
#include "almanac/catalogue/screens.h"

#include <string>

#include "framework/environment.h"
#include "framework/message_box.h"
#include "media/resources.h"
#include "storage/file_stream.h"
#include "values/cp1252.h"
#include "values/string.h"

bool lxScreenOnDisc(std::string_view name) {
  tqvHandle file = tqvReferenceName(tqvGetGlobal(name));
  if (!file.is(TQV_STRING_TYPE) || tqvFileExists(tqvLocateFile(file, tqvHandle()))) return true;
  tqvHandle message = tqvResolve(tqvMakeString("MsgNotOnThisDisc"));
  tqvAlert(message.is(TQV_STRING_TYPE)
               ? std::string(tqvStringView(message))
               : tqvUtf8ToCp1252("Esta parte do almanaque não está neste disco."));
  return false;
}
