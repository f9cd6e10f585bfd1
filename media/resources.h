// The resource manager: a name becomes a value by looking in the active form, the
// globals and finally a file under the media root whose extension gives its kind.
#pragma once

#include <string_view>

#include "values/handle.h"

// Loader kinds of the resource type table: the type codes of what they make, plus the
// compiled (binary) and text kinds.
enum : TQVINT {
  TQV_RESOURCE_NONE = 0,
  TQV_RESOURCE_COMPILED = 5,
  TQV_RESOURCE_TEXT = 6,
  TQV_RESOURCE_IMAGE = 18,
  TQV_RESOURCE_SOUND = 19,
  TQV_RESOURCE_MOVIE = 20,
};

// Builds the extension table once ("avi" 20; "bmp" "dib" "jpg" "pic" "rle" 18; "wav" "mid"
// 19; "etn" 5; "frm" "lst" "tbl" "txt" 6). Safe to call again.
void tqvInitResourceTypes();
// The kind for a lower-case extension, or TQV_RESOURCE_NONE.
TQVINT tqvResourceKindOf(std::string_view extension);

// Sounds and movies are made by their own library, which registers how (from the file's
// path). Until then those files load nothing.
using tqvPathLoader = tqvHandle (*)(const tqvHandle& path);
void tqvRegisterResourceLoader(TQVINT kind, tqvPathLoader loader);

// The value of `name`: a reference or nil is dereferenced and returned; otherwise the
// active form (its properties, then its loaded resources), the globals, then a file under
// the media root. Every file lookup loads anew. Nil when nothing is found.
tqvHandle tqvResolve(const tqvHandle& name);
// tqvResolve; nil with "ResourceFatal" true reports "Cannot load resource: " + name.
tqvHandle tqvResolveOrFail(const tqvHandle& name);
// Loads the file `name` under the media root by its extension (step 3 of tqvResolve).
tqvHandle tqvLoadResourceFile(const tqvHandle& name);

// A resource reference (type 26): stands for the named resource until it is used.
tqvHandle tqvMakeResourceReference(const tqvHandle& name);
// The name a reference stands for, or nil.
tqvHandle tqvReferenceName(const tqvHandle& reference);

// "SourceDisk" joined with "MediaPath"; "." without an application.
tqvHandle tqvMediaRoot();
// Where a file of that name (and extension, when given) is or would be: the directory
// list under the lower-case extension's environment key, else the media root; with
// "FullInstall" set and no file there, the copy on the disc.
tqvHandle tqvLocateFile(const tqvHandle& name, const tqvHandle& extension);
// True when both "FullInstall" and "SourceDisk" have values.
bool tqvInstalledWithDisc();

// Writes the table resource NAME.tbl, compiled, to lower-case(DIR\NAME.etn), where DIR
// is "ResourcePath" when set, else the media root. False after a report.
bool tqvCompileTable(const tqvHandle& name);
// Forms compile through a hook that the forms library installs: it loads the form's
// resources and gives its loaded resource table (nil when the form cannot be found).
using tqvFormResourceTable = tqvHandle (*)(const tqvHandle& formName);
void tqvSetFormResourceTableHook(tqvFormResourceTable hook);
bool tqvCompileForm(const tqvHandle& name);

// Asks for the disc until "Midias.dat" can be located there: OK checks again, Cancel
// gives up (false).
bool tqvAskForDisc();

// Message boxes captioned with the application title: alert (OK) and confirm (OK and
// Cancel; true for OK). Texts in code page 1252.
void tqvAlert(std::string_view text);
bool tqvConfirm(std::string_view text);

// Registers the notation forms "reference", "image", "sound" and "soundfile" and the
// binary decoder of references; called once by the media library's start-up.
void tqvRegisterResourceCodecs();
