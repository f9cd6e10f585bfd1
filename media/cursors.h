// Cursor values made from the cursor resources of the program.
#pragma once

#include "values/handle.h"

// The cursor of a resource number: 102 the hand, 104 the key. Any other number reports
// "Cannot find cursor resource: " + number and gives nil.
tqvHandle tqvCursorFromResource(TQVINT resource);
