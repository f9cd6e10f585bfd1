// Message boxes with code page 1252 texts, shown through the back end.
#pragma once

#include <string_view>

#include "platform/platform.h"
#include "values/handle.h"

// Shows the text (code page 1252) under the caption and returns the answer. Without a
// back end the text goes to the debugging output and the answer is Ok.
tqvPlatform::BoxAnswer tqvMessageBox(std::string_view text, std::string_view caption,
                                     tqvPlatform::BoxKind kind = tqvPlatform::BoxKind::Ok);

// Boxes captioned with the application title: alert (OK) and confirm (OK and Cancel;
// true for OK). Texts in code page 1252.
void tqvAlert(std::string_view text);
bool tqvConfirm(std::string_view text);
