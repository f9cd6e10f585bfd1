// Whole files replaced in one step, so that a crash at any moment leaves either the old
// file or the new one. Paths are file-system paths (already mapped), UTF-8.
#pragma once

#include <string>
#include <string_view>

namespace tqvPlatform {

// Replaces the file at `path` with `bytes`: they go to a fresh temporary file in the same
// directory, reach the disk, and the temporary is renamed over `path`; the directory is
// synced last so that the rename lasts too. The new file has the permissions of any new
// file (0666 less the umask); a symbolic link at `path` is replaced, not followed. On
// failure `path` is untouched, the temporary is gone and `error` says why (without naming
// the file).
//
// Temporaries are named ".NAME.tqvtmp.PID.N" beside NAME. One left by a writer that was
// killed is never read; the next successful replacement of NAME removes it once its
// process is gone.
bool replaceFile(const std::string& path, std::string_view bytes, std::string& error);

// For files that a library creates by name (keyed files): a temporary name beside `path`
// that no running writer uses and no file holds now. Write the file there, then hand it
// to commitTemporary.
std::string temporaryPathFor(const std::string& path);

// Brings a finished temporary to disk and renames it over `path`, as replaceFile does.
// On failure the temporary is removed, `path` is untouched and `error` says why.
bool commitTemporary(const std::string& temporary, const std::string& path, std::string& error);

}  // namespace tqvPlatform
