// The JPEG decoder behind "jpg" and "pic" images (libjpeg-turbo's TurboJPEG interface).
#pragma once

#include <cairo.h>

#include <string_view>

#include "values/types.h"

// The JPEG stream inside `bytes`: all of it for a plain file; for a container, from the
// first start-of-image marker (FF D8 FF) on, or empty when there is none.
std::string_view tqvFindJPEGStream(std::string_view bytes, bool container);

// Reads the frame header of `stream`. False when the decoder refuses it.
bool tqvReadJPEGHeader(std::string_view stream, TQVINT& width, TQVINT& height);

// Decodes `stream` (whose header gave width x height, already checked against the size
// limits) into a new RGB24 surface. Warnings such as a truncated scan still give the
// picture (missing parts grey); a failure gives null and the decoder's error code.
cairo_surface_t* tqvDecodeJPEG(std::string_view stream, TQVINT width, TQVINT height,
                               int& errorCode);
