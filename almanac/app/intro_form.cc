// The introduction.
#include "almanac/app/intro_form.h"

#include "framework/event.h"
#include "framework/forms.h"
#include "framework/runtime.h"
#include "framework/services.h"
#include "values/convert.h"
#include "values/generic.h"
#include "values/string.h"

namespace {

constexpr TQVINT kDefaultDurationMs = 8000;

}  // namespace

tqvHandle IntroForm::makeInstance(const tqvHandle& definition) {
  return tqvWrapForm(new IntroForm(definition));
}

void IntroForm::afterOpen() {
  tqvStandardForm::afterOpen();
  openedAt_ = tqvTickCount();
  tqvHandle music = tqvServices().resolve(property("Music"));
  if (music.is(TQV_SOUND_TYPE)) {
    music_ = music;
    tqvPlay(music_);
  }
}

void IntroForm::timer() {
  tqvStandardForm::timer();
  TQVINT duration = tqvNumberOf(property("Duration"), kDefaultDurationMs);
  if (tqvTickCount() - openedAt_ >= static_cast<uint32_t>(std::max<TQVINT>(duration, 0))) finish();
}

void IntroForm::mouseDown(TQVINT, TQVINT, TQVINT, TQVINT) {
  finish();
}

void IntroForm::keyDown(TQVINT key, TQVINT modifiers) {
  // Every key that leaves a screen leaves the introduction for the main screen.
  bool back = key == 8 || (key == TQV_KEY_LEFT && (modifiers & TQV_ALT_FLAG) != 0);
  if (key == 27 || key == '\r' || key == ' ' || back) {
    finish();
    return;
  }
  tqvStandardForm::keyDown(key, modifiers);
}

void IntroForm::notify(const tqvHandle& target, const tqvHandle& word) {
  tqvStandardForm::notify(target, word);
  if (!music_.isNil() && target.object() == music_.object() && tqvStringView(word) == "ended") {
    finish();
  }
}

void IntroForm::finish() {
  if (finished_) return;
  finished_ = true;
  if (!music_.isNil()) tqvStop(music_);
  music_ = tqvHandle();
  tqvOpenFormByName(tqvMakeString("MainForm"), tqvHandle());
}
