// The quit confirmation and the preferences dialog.
#include "almanac/app/system_dialogs.h"

#include <string>

#include "almanac/app/preferences.h"
#include "controls/standard_control.h"
#include "framework/control_object.h"
#include "framework/environment.h"
#include "framework/services.h"
#include "values/convert.h"
#include "values/generic.h"
#include "values/string.h"

namespace {

bool isClose(std::string_view name) {
  return name == "CancelButton" || name == "Fechar";
}

// The preference keys that the "FullVideo" box sets together.
constexpr const char* kFullScreenKeys[] = {"ShowFullScreen", "FullScreenVideo", "MaximizeWindow"};

}  // namespace

tqvHandle QuitDlg::makeInstance(const tqvHandle& definition) {
  return tqvWrapForm(new QuitDlg(definition));
}

tqvHandle QuitDlg::perform(const tqvHandle& action, const tqvHandle& data) {
  std::string_view name = tqvStringView(action);
  if (name == "OKButton") {
    setResult(TQV_TRUE);
    end();
    return tqvHandle();
  }
  if (isClose(name)) {
    end();
    return tqvHandle();
  }
  return tqvStandardDialog::perform(action, data);
}

tqvHandle PrefsDlg::makeInstance(const tqvHandle& definition) {
  return tqvWrapForm(new PrefsDlg(definition));
}

void PrefsDlg::showVolume(TQVINT volume) {
  tqvHandle value = findControlNamed("VolumeValue");
  if (!value.isNil()) tqvPerform(value, "SetText", tqvMakeString(std::to_string(volume)));
}

void PrefsDlg::afterOpen() {
  tqvStandardDialog::afterOpen();
  static constexpr struct {
    const char* box;
    const char* key;
  } kBoxes[] = {{"FullVideo", "ShowFullScreen"},
                {"SoundEffects", "SoundEffects"},
                {"ShowIntro", "ShowIntro"}};
  for (const auto& b : kBoxes) {
    tqvHandle box = findControlNamed(b.box);
    if (!box.isNil()) {
      tqvPerform(box, "Select", tqvGetEnvironmentBoolean(b.key, false) ? TQV_TRUE : TQV_FALSE);
    }
  }
  volumeAtOpening_ = tqvNumberOf(tqvGet(lxPreferences(), "Volume"), 0);
  tqvHandle slider = findControlNamed("VolumeSlider");
  if (!slider.isNil()) tqvPerform(slider, "SetPos", tqvMakeInt(volumeAtOpening_));
  showVolume(volumeAtOpening_);
}

void PrefsDlg::apply() {
  auto ticked = [this](const char* name) {
    tqvHandle box = findControlNamed(name);
    return !box.isNil() && tqvFlagOf(tqvPerform(box, "IsSelected", tqvHandle()), false);
  };
  bool fullScreen = ticked("FullVideo");
  tqvHandle preferences = lxPreferences();
  tqvPut(preferences, "RolloverHelp", TQV_TRUE);
  tqvPut(preferences, "ShowIntro", ticked("ShowIntro") ? TQV_TRUE : TQV_FALSE);
  for (const char* key : kFullScreenKeys)
    tqvPut(preferences, key, fullScreen ? TQV_TRUE : TQV_FALSE);
  tqvPut(preferences, "SoundEffects", ticked("SoundEffects") ? TQV_TRUE : TQV_FALSE);
  tqvHandle slider = findControlNamed("VolumeSlider");
  if (!slider.isNil()) {
    tqvPut(preferences, "Volume",
           tqvMakeInt(tqvNumberOf(tqvPerform(slider, "GetPos", tqvHandle()), volumeAtOpening_)));
  }
  for (const char* key : {"RolloverHelp", "ShowIntro", "ShowFullScreen", "FullScreenVideo",
                          "MaximizeWindow", "SoundEffects"}) {
    tqvSetEnvironment(key, tqvGet(preferences, key));
  }
}

tqvHandle PrefsDlg::perform(const tqvHandle& action, const tqvHandle& data) {
  std::string_view name = tqvStringView(action);
  if (name == "VolumeSlider") {
    TQVINT volume =
        tqvNumberOf(tqvPerform(findControlNamed("VolumeSlider"), "GetPos", tqvHandle()), 0);
    showVolume(volume);
    tqvServices().setWaveOutVolume(volume);
    // The sample control sounds its "Sound" at the new volume.
    tqvHandle sample = findControlNamed("VolumeSound");
    if (auto* c = dynamic_cast<tqvStandardControl*>(tqvAsControl(sample))) {
      c->playSound(tqvGet(sample, "Sound"), false);
    }
    return tqvHandle();
  }
  if (name == "OKButton") {
    apply();
    end();
    return tqvHandle();
  }
  if (isClose(name)) {
    tqvServices().setWaveOutVolume(volumeAtOpening_);
    end();
    return tqvHandle();
  }
  return tqvStandardDialog::perform(action, data);
}
