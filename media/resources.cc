// Resource lookup, file location, references, compiled resources and the disc prompt.
#include "media/resources.h"

#include <map>
#include <string>

#include "framework/application.h"
#include "framework/environment.h"
#include "framework/message_box.h"
#include "framework/program_state.h"
#include "framework/screen_services.h"
#include "media/image.h"
#include "storage/codecs.h"
#include "storage/encoding.h"
#include "storage/file_stream.h"
#include "storage/memory_stream.h"
#include "storage/notation.h"
#include "values/cp1252.h"
#include "values/error.h"
#include "values/generic.h"
#include "values/string.h"
#include "values/table.h"
#include "values/text.h"

namespace {

std::map<std::string, TQVINT, std::less<>>& typeTable() {
  static std::map<std::string, TQVINT, std::less<>> table;
  return table;
}

std::map<TQVINT, tqvPathLoader>& pathLoaders() {
  static std::map<TQVINT, tqvPathLoader> loaders;
  return loaders;
}

tqvFormResourceTable formResourceTable = nullptr;

// The text after the last full stop of the name, not of its directory part.
std::string extensionOfName(const tqvHandle& name) {
  std::string_view text = tqvStringView(name);
  size_t dot = text.rfind('.');
  if (dot == std::string_view::npos) return {};
  size_t slash = text.rfind('\\');
  if (slash != std::string_view::npos && slash > dot) return {};
  return std::string(tqvStringView(tqvLower(tqvMakeString(text.substr(dot + 1)))));
}

bool nonEmptyString(const tqvHandle& h) {
  return h.is(TQV_STRING_TYPE) && tqvStringLength(h) > 0;
}

}  // namespace

class tqvReferenceObject : public tqvObject, public tqvEncodable {
 public:
  explicit tqvReferenceObject(const tqvHandle& name) : name_(name) {}
  const tqvHandle& name() const { return name_; }
  tqvHandle referenceTarget() override { return tqvResolve(name_); }
  void encodePayload(const tqvHandle& stream) const override { tqvEncode(stream, name_); }

 private:
  tqvHandle name_;
};

void tqvInitResourceTypes() {
  auto& table = typeTable();
  if (!table.empty()) return;
  table["avi"] = TQV_RESOURCE_MOVIE;
  for (const char* e : {"bmp", "dib", "jpg", "pic", "rle"}) table[e] = TQV_RESOURCE_IMAGE;
  table["wav"] = TQV_RESOURCE_SOUND;
  table["mid"] = TQV_RESOURCE_SOUND;
  table["etn"] = TQV_RESOURCE_COMPILED;
  for (const char* e : {"frm", "lst", "tbl", "txt"}) table[e] = TQV_RESOURCE_TEXT;
}

TQVINT tqvResourceKindOf(std::string_view extension) {
  tqvInitResourceTypes();
  auto found = typeTable().find(extension);
  return found != typeTable().end() ? found->second : TQV_RESOURCE_NONE;
}

void tqvRegisterResourceLoader(TQVINT kind, tqvPathLoader loader) {
  pathLoaders()[kind] = loader;
}

tqvHandle tqvMediaRoot() {
  if (tqvCurrentApplication() == nullptr) return tqvMakeString(".");
  tqvHandle mediaPath = tqvGetEnvironment("MediaPath", tqvMakeString("."));
  return tqvPathJoin(tqvGetEnvironment("SourceDisk"), mediaPath);
}

tqvHandle tqvLoadResourceFile(const tqvHandle& name) {
  TQVINT kind = tqvResourceKindOf(extensionOfName(name));
  if (kind == TQV_RESOURCE_NONE) return TQV_NIL;
  tqvHandle path = tqvPathJoin(tqvMediaRoot(), name);
  if (tqvGetEnvironmentBoolean("TraceResourceLoads", false)) {
    tqvAlert("Loading resource: " + std::string(tqvStringView(path)) + "\n");
  }
  if (!tqvFileExists(path)) return TQV_NIL;
  switch (kind) {
    case TQV_RESOURCE_COMPILED: {
      tqvHandle stream = tqvFileStream(path, TQV_FILE_READ, true);
      return stream.isNil() ? TQV_NIL : tqvDecode(stream);
    }
    case TQV_RESOURCE_IMAGE: {
      tqvHandle bytes = tqvReadWholeFile(path, false, true);
      return bytes.isNil() ? TQV_NIL : tqvMakeImage(bytes, name);
    }
    case TQV_RESOURCE_SOUND:
    case TQV_RESOURCE_MOVIE: {
      auto loader = pathLoaders().find(kind);
      return loader != pathLoaders().end() && loader->second != nullptr ? loader->second(path)
                                                                        : TQV_NIL;
    }
    default: {
      tqvHandle text = tqvReadWholeFile(path, true, true);
      return text.isNil() ? TQV_NIL : tqvDecodeStandard(text);
    }
  }
}

tqvHandle tqvResolve(const tqvHandle& name) {
  if (name.isNil() || name.is(TQV_REFERENCE_TYPE)) return tqvDereference(name);
  tqvHandle result = tqvResolveInMemory(name);
  if (result.isNil() && name.is(TQV_STRING_TYPE))
    result = tqvDereference(tqvLoadResourceFile(name));
  return result;
}

tqvHandle tqvResolveOrFail(const tqvHandle& name) {
  tqvHandle result = tqvResolve(name);
  if (result.isNil() && tqvGetEnvironmentBoolean("ResourceFatal", false)) {
    tqvError("Cannot load resource: " + tqvToStdString(name, false));
  }
  return result;
}

tqvHandle tqvMakeResourceReference(const tqvHandle& name) {
  return tqvHandle::wrap(new tqvReferenceObject(name), TQV_REFERENCE_TYPE);
}

tqvHandle tqvReferenceName(const tqvHandle& reference) {
  auto* r = reference.is(TQV_REFERENCE_TYPE) ? dynamic_cast<tqvReferenceObject*>(reference.object())
                                             : nullptr;
  return r != nullptr ? r->name() : TQV_NIL;
}

bool tqvInstalledWithDisc() {
  return !tqvGetEnvironment("FullInstall").isNil() && !tqvGetEnvironment("SourceDisk").isNil();
}

tqvHandle tqvLocateFile(const tqvHandle& name, const tqvHandle& extension) {
  std::string ext;
  tqvHandle fileName = name;
  if (nonEmptyString(extension)) {
    ext = std::string(tqvStringView(tqvLower(extension)));
    fileName = tqvMakeString(std::string(tqvStringView(name)) + "." + ext);
  } else {
    ext = extensionOfName(name);
  }
  tqvHandle dirs = tqvGetEnvironment(ext);
  tqvHandle path;
  if (!dirs.is(TQV_STRING_TYPE)) {
    path = tqvPathJoin(tqvMediaRoot(), fileName);
  } else if (tqvFindChar(dirs, ';', 0) >= 0) {
    tqvHandle entries = tqvTokenize(dirs, tqvMakeString(";"));
    TQVINT count = tqvCount(entries);
    for (TQVINT i = 0; i < count; ++i) {
      path = tqvPathJoin(tqvGet(entries, i), fileName);
      if (i + 1 < count && tqvFileExists(path)) return path;
    }
  } else {
    path = tqvPathJoin(dirs, fileName);
  }
  if (!tqvGetEnvironment("FullInstall").isNil() && !tqvFileExists(path)) {
    path = tqvPathJoin(tqvPathJoin(tqvGetEnvironment("SourceDisk"), tqvMediaRoot()), fileName);
  }
  if (!tqvFileExists(path) && tqvGetEnvironmentBoolean("TraceFileOpens", false)) {
    tqvAlert(tqvUtf8ToCp1252("Não foi possível localizar") + std::string(tqvStringView(path)));
  }
  return path;
}

namespace {

tqvHandle compiledPath(const tqvHandle& name) {
  tqvHandle resourcePath = tqvGetEnvironment("ResourcePath");
  tqvHandle directory = nonEmptyString(resourcePath) ? resourcePath : tqvMediaRoot();
  tqvHandle path = tqvPathJoin(directory, name);
  return tqvLower(tqvMakeString(std::string(tqvStringView(path)) + ".etn"));
}

bool writeCompiled(const tqvHandle& name, const tqvHandle& table) {
  tqvHandle encoded = tqvMemoryStream(nullptr, 0);
  tqvEncode(encoded, table);
  return tqvWriteWholeFile(compiledPath(name), encoded.as<tqvMemoryStreamObject>()->writtenBytes());
}

}  // namespace

bool tqvCompileTable(const tqvHandle& name) {
  tqvHandle table = tqvResolve(tqvMakeString(std::string(tqvStringView(name)) + ".tbl"));
  if (table.isNil()) {
    tqvError("Cannot load resource: " + std::string(tqvStringView(name)) + ".tbl");
    return false;
  }
  return writeCompiled(name, table);
}

void tqvSetFormResourceTableHook(tqvFormResourceTable hook) {
  formResourceTable = hook;
}

bool tqvCompileForm(const tqvHandle& name) {
  tqvHandle table = formResourceTable != nullptr ? formResourceTable(name) : TQV_NIL;
  if (table.isNil()) {
    tqvError("Cannot find form named '" + std::string(tqvStringView(name)) + "'");
    return false;
  }
  return writeCompiled(name, table);
}

void tqvAlert(std::string_view text) {
  tqvMessageBox(text, tqvStringView(tqvAppTitle()), tqvPlatform::BoxKind::Ok);
}

bool tqvConfirm(std::string_view text) {
  return tqvMessageBox(text, tqvStringView(tqvAppTitle()), tqvPlatform::BoxKind::OkCancel) ==
         tqvPlatform::BoxAnswer::Ok;
}

bool tqvAskForDisc() {
  std::string prompt =
      "Por favor insira o CD ROM do " + std::string(tqvStringView(tqvAppTitle())) + " e clique OK.";
  while (!tqvFileExists(tqvLocateFile(tqvMakeString("Midias"), tqvMakeString("dat")))) {
    if (!tqvConfirm(prompt)) return false;
  }
  return true;
}

namespace {

tqvHandle decodeReference(const tqvHandle& stream) {
  return tqvMakeResourceReference(tqvDecode(stream));
}
tqvHandle notationReference(const tqvHandle& name) {
  return tqvMakeResourceReference(name);
}
tqvHandle notationResolved(const tqvHandle& name) {
  return tqvResolve(name);
}
tqvHandle notationFile(const tqvHandle& name) {
  return tqvLoadResourceFile(name);
}

}  // namespace

void tqvRegisterResourceCodecs() {
  tqvRegisterDecoder(TQV_REFERENCE_TYPE, decodeReference);
  tqvRegisterNotationFactory("reference", notationReference);
  tqvRegisterNotationFactory("image", notationResolved);
  tqvRegisterNotationFactory("sound", notationResolved);
  tqvRegisterNotationFactory("soundfile", notationFile);
}
