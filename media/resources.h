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
  TQV_RESOURCE_RICH_TEXT = 7,  // the bytes of an RTF file, as a buffer
  TQV_RESOURCE_IMAGE = 18,
  TQV_RESOURCE_SOUND = 19,
  TQV_RESOURCE_MOVIE = 20,
};

// The kind for a lower-case extension ("avi" 20; "bmp" "dib" "jpg" "pic" "rle" 18; "wav"
// "mid" 19; "etn" 5; "frm" "lst" "tbl" "txt" 6; "rtf" 7), or TQV_RESOURCE_NONE. Sounds and movies
// load through the loaders registered with the media services; until then, nothing.
TQVINT tqvResourceKindOf(std::string_view extension);

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
// Writes the loaded resource table of the form `name` (an empty table for a form without
// one) the same way. "Cannot find form named '" when there is no such form.
bool tqvCompileForm(const tqvHandle& name);

// Asks for the disc until "Midias.dat" can be located there: OK checks again, Cancel
// gives up (false).
bool tqvAskForDisc();

// Registers the notation forms "reference", "image", "sound" and "soundfile" and the
// binary decoder of references; called when the media library is installed.
void tqvRegisterResourceCodecs();
