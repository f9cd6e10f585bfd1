// The introduction ("IntroForm"): a designed screen that plays its "Music" (a sound
// resource) and goes on to the main screen when "Duration" milliseconds (8000 when absent)
// have passed, when the music ends, or at once on a click, Esc, Enter, Space, Backspace
// or Alt+Left.
#pragma once

#include <cstdint>

#include "controls/standard_form.h"

class IntroForm : public tqvStandardForm {
 public:
  using tqvStandardForm::tqvStandardForm;
  std::string_view className() const override { return "IntroForm"; }
  tqvHandle makeInstance(const tqvHandle& definition) override;

  void afterOpen() override;
  void timer() override;
  void mouseDown(TQVINT x, TQVINT y, TQVINT modifiers, TQVINT clicks) override;
  void keyDown(TQVINT key, TQVINT modifiers) override;
  void notify(const tqvHandle& target, const tqvHandle& word) override;

 private:
  // Goes on to the main screen once.
  void finish();

  uint32_t openedAt_ = 0;
  bool finished_ = false;
  tqvHandle music_;
};
