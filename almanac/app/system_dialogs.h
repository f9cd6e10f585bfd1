// The quit confirmation ("QuitDlg") and the preferences dialog ("PrefsDlg").
#pragma once

#include "controls/standard_form.h"

// Ends with true on "OKButton"; "CancelButton" and "Fechar" end it with nothing.
class QuitDlg : public tqvStandardDialog {
 public:
  using tqvStandardDialog::tqvStandardDialog;
  std::string_view className() const override { return "QuitDlg"; }
  tqvHandle makeInstance(const tqvHandle& definition) override;
  tqvHandle perform(const tqvHandle& action, const tqvHandle& data) override;
};

// Shows the preferences on its check boxes ("ShowIntro", "FullVideo" for the three
// full-screen keys together, "SoundEffects") and its volume slider ("VolumeSlider", with
// "VolumeValue" showing the number and "VolumeSound" sounding it after each change).
// "OKButton" applies the choices to the preferences and the environment; "CancelButton"
// and "Fechar" put the volume back as it was when the dialog opened.
class PrefsDlg : public tqvStandardDialog {
 public:
  using tqvStandardDialog::tqvStandardDialog;
  std::string_view className() const override { return "PrefsDlg"; }
  tqvHandle makeInstance(const tqvHandle& definition) override;
  tqvHandle perform(const tqvHandle& action, const tqvHandle& data) override;

 protected:
  void afterOpen() override;

 private:
  void showVolume(TQVINT volume);
  void apply();

  TQVINT volumeAtOpening_ = 0;
};
