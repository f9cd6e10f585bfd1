// Links of text views that any form follows by itself.
#pragma once

#include "values/handle.h"

// When `data` is the table a text view sends for a clicked hot spot and its "HyperLink"
// is "#name" (a marker of the same text) or ends in ".frm" (a form file), scrolls the
// view to the marker or shows the form, and returns true; otherwise does nothing.
bool tqvFollowPlainLink(const tqvHandle& data);
