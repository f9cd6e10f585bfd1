// The desktop's sound output: waves, MIDI music (FluidSynth with a General MIDI sound
// font) and movie sound tracks, all through SDL_mixer on one audio device.
#pragma once

#include <memory>

#include "platform/audio.h"

namespace tqvPlatform {

// Opens the audio device. Without one (or without a sound font for music) the output
// plays silently, as the null output does, and says why once on the debugging output.
std::unique_ptr<AudioOutput> makeSdlAudioOutput();

}  // namespace tqvPlatform
