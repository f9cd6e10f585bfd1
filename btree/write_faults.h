// A switch of the keyed-file layer meant for tests: counts physical writes and makes chosen
// ones fail, to show what a file left by a failed write looks like.
#pragma once

#include <cstdint>

// Physical writes made by keyed files of this process so far: headers, node pages, update
// markers and creation images, each counted once however the system splits it.
int64_t kfWritesMade();

// Lets the next `skip` physical writes through, then makes `count` writes fail as a full
// disk would: nothing is written, errno is ENOSPC and the operation gets its write status.
// A count of 0 turns the switch off, as it is at start.
void kfFailWrites(int64_t skip, int64_t count);
