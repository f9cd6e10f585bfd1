// Making image values: from the bytes of a file, of a kind, as a blank context image, or
// as a copy of another image.
#pragma once

#include <string_view>

#include "media/image.h"
#include "values/handle.h"

// An image from the bytes of a file: extension "jpg" or "pic" of `name` makes a JPEG
// picture, anything else a bitmap. The image is validated at once; nil after a report.
tqvHandle tqvMakeImage(const tqvHandle& fileBytes, const tqvHandle& name);
// A black context image of width x height media pixels, each `scale` x `scale` device
// pixels (1 to 4; the screen's scale for pictures taken from the screen).
tqvHandle tqvMakeContextImage(TQVINT width, TQVINT height, TQVINT scale = 1);
// A new image of the same kind and contents: "tqvImageFromImage: Unknown image type."
// for any other value.
tqvHandle tqvImageFromImage(const tqvHandle& image);

// An image of kind "dib", "jpg" or "pic" over `fileBytes` (a buffer or a string), not yet
// validated; nil for any other kind.
tqvHandle tqvMakeImageOfKind(std::string_view kind, const tqvHandle& fileBytes);
