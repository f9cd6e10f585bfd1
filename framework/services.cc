// The services' sound effects; what reads the runtime is in runtime.cc.
#include "framework/services.h"

void tqvServiceSet::playEffect(const tqvHandle& sound) {
  if (!effect_.isNil() && effect_.object() != sound.object()) stopSound(effect_);
  effect_ = sound;
  playSound(sound);
}

void tqvServiceSet::effectEnded(const tqvHandle& sound) {
  stopSound(sound);
  if (effect_.object() == sound.object()) effect_ = tqvHandle();
}
