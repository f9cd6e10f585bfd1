// The desktop's sound output: waves and MIDI music through SDL_mixer (MIDI by FluidSynth
// with a General MIDI sound font), movie sound tracks on an SDL audio device of their own.
#pragma once

#include <memory>

#include "platform/audio.h"

namespace tqvPlatform {

// Opens the audio device. Without one (or without a sound font for music) the output
// plays silently, as the null output does, and says why once on the debugging output.
std::unique_ptr<AudioOutput> makeSdlAudioOutput();

}  // namespace tqvPlatform
