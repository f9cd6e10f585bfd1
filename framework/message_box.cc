// Message boxes: conversion to UTF-8 at the boundary, then the back end's box.
#include "framework/message_box.h"

#include <string>

#include "framework/runtime.h"
#include "platform/process.h"
#include "values/cp1252.h"
#include "values/string.h"

tqvPlatform::BoxAnswer tqvMessageBox(std::string_view text, std::string_view caption,
                                     tqvPlatform::BoxKind kind) {
  std::string utf8Text = tqvCp1252ToUtf8(text);
  std::string utf8Caption = tqvCp1252ToUtf8(caption);
  tqvPlatform::Backend* backend = tqvBackend();
  if (backend == nullptr) {
    tqvPlatform::debugOutput(utf8Caption + ": " + utf8Text + "\n");
    return tqvPlatform::BoxAnswer::Ok;
  }
  return backend->messageBox(utf8Text, utf8Caption, kind);
}

void tqvAlert(std::string_view text) {
  tqvMessageBox(text, tqvStringView(tqvAppTitle()), tqvPlatform::BoxKind::Ok);
}

bool tqvConfirm(std::string_view text) {
  return tqvMessageBox(text, tqvStringView(tqvAppTitle()), tqvPlatform::BoxKind::OkCancel) ==
         tqvPlatform::BoxAnswer::Ok;
}
