// Resource lookup, file location, references, compiled resources and the disc prompt.
#include "media/resources.h"

#include <map>
#include <string>

#include "framework/environment.h"
#include "framework/form_object.h"
#include "framework/forms.h"
#include "framework/message_box.h"
#include "framework/runtime.h"
#include "framework/services.h"
#include "media/image.h"
#include "media/image_factory.h"
#include "media/media_services.h"
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

constexpr int kResolveNestingLimit = 32;

struct ResourceType {
  std::string_view extension;
  TQVINT kind;
};

constexpr ResourceType kResourceTypes[] = {
    {"avi", TQV_RESOURCE_MOVIE}, {"bmp", TQV_RESOURCE_IMAGE},     {"dib", TQV_RESOURCE_IMAGE},
    {"jpg", TQV_RESOURCE_IMAGE}, {"pic", TQV_RESOURCE_IMAGE},     {"rle", TQV_RESOURCE_IMAGE},
    {"wav", TQV_RESOURCE_SOUND}, {"mid", TQV_RESOURCE_SOUND},     {"etn", TQV_RESOURCE_COMPILED},
    {"frm", TQV_RESOURCE_TEXT},  {"lst", TQV_RESOURCE_TEXT},      {"tbl", TQV_RESOURCE_TEXT},
    {"txt", TQV_RESOURCE_TEXT},  {"rtf", TQV_RESOURCE_RICH_TEXT},
};

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

TQVINT tqvResourceKindOf(std::string_view extension) {
  for (const ResourceType& type : kResourceTypes) {
    if (type.extension == extension) return type.kind;
  }
  return TQV_RESOURCE_NONE;
}

tqvHandle tqvMediaRoot() {
  if (tqvCurrentRuntime() == nullptr) return tqvMakeString(".");
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
    case TQV_RESOURCE_RICH_TEXT:
      return tqvReadWholeFile(path, false, true);
    case TQV_RESOURCE_SOUND:
    case TQV_RESOURCE_MOVIE: {
      tqvMediaServices* media = tqvMedia();
      tqvPathLoader loader = media != nullptr ? media->loader(kind) : nullptr;
      return loader != nullptr ? loader(path) : TQV_NIL;
    }
    default: {
      tqvHandle text = tqvReadWholeFile(path, true, true);
      return text.isNil() ? TQV_NIL : tqvDecodeStandard(text);
    }
  }
}

tqvHandle tqvResolve(const tqvHandle& name) {
  // A resource may name itself again, through a reference it holds or one in the file
  // it loads from; resolutions nested this deep have come back to where they began.
  static int nesting = 0;
  if (nesting >= kResolveNestingLimit) {
    tqvError("Cannot load resource: " + tqvToStdString(name, false) +
             " (it refers back to itself)");
    return TQV_NIL;
  }
  struct Nested {
    Nested() { ++nesting; }
    ~Nested() { --nesting; }
  } nested;
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
  // Whether the file is there matters only to the trace; asking costs a file-system lookup.
  if (tqvGetEnvironmentBoolean("TraceFileOpens", false) && !tqvFileExists(path)) {
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

namespace {

// Loads a form's resources and gives the table that was loaded; a form without a
// resource table gives an empty one. Nil when there is no such form.
tqvHandle formResourceTable(const tqvHandle& formName) {
  tqvHandle form = tqvFindForm(formName);
  tqvFormObject* f = tqvAsFormObject(form);
  if (f == nullptr) return tqvHandle();
  f->loadResources();
  tqvHandle table = f->loadedResources();
  f->unloadResources();
  return table.is(TQV_TABLE_TYPE) ? table : tqvTable(4);
}

}  // namespace

bool tqvCompileForm(const tqvHandle& name) {
  tqvHandle table = formResourceTable(name);
  if (table.isNil()) {
    tqvError("Cannot find form named '" + std::string(tqvStringView(name)) + "'");
    return false;
  }
  return writeCompiled(name, table);
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

// The resource manager's part of the media services.

tqvHandle tqvMediaServices::resolve(const tqvHandle& name) {
  return tqvResolve(name);
}

tqvHandle tqvMediaServices::resolveOrFail(const tqvHandle& name) {
  return tqvResolveOrFail(name);
}

tqvHandle tqvMediaServices::loadCompiled(const tqvHandle& name, const tqvHandle& type) {
  tqvHandle path = tqvLocateFile(name, type);
  if (!tqvFileExists(path)) return TQV_NIL;
  tqvHandle stream = tqvFileStream(path, TQV_FILE_READ, true);
  return stream.isNil() ? TQV_NIL : tqvDecode(stream);
}
