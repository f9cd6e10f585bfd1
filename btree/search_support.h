// Helpers shared by the search and update operations.
#pragma once

#include "btree/tree_walk.h"

namespace kfdetail {

// Copies the caller's key (machine order) to `buffer` in file order and gives its size.
// Returns 0, kKfBadArgument (null or 243 bytes or more) or kKfNotFound (key type without rule).
int prepareKey(FileState& fs, int keyNumber, const void* key, uint8_t* buffer, int* size);

// Descends to the tuple: `raw` is the leaf position, `settled` the first entry at or after it
// (across empty leaves) and `v` its verdict. Returns 0, kKfNotFound when no entry of the
// tuple's key number lies at or after it, or errors.
int seek(FileState& fs, const SearchTuple& t, Position* raw, Position* settled, Verdict* v);

}  // namespace kfdetail
