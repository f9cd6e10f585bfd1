// Movies for the benchmarks, encoded in memory with FFmpeg at start: 640x480 pictures that
// change everywhere from frame to frame (moving gradients and noise, as filmed scenes do),
// with a tone for a sound track.
#pragma once

#include <string>

namespace movie_bench {

struct TestMovie {
  std::string bytes;
  int frames = 0;
  int rate = 0;  // frames per second
};

// MPEG-1 video and MP2 sound in an MPEG program stream, 25 frames a second.
const TestMovie& mpegMovie();
// Microsoft Video 1 and 16-bit PCM sound in AVI, 15 frames a second.
const TestMovie& aviMovie();

}  // namespace movie_bench
