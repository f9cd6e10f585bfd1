// The standard form class and its dialog twin: the layer over tqvFormObject and
// tqvDialogObject (keeping their class names) that fades the screen around opening,
// moves the active control with Tab along "TabStopList", shows rollover help, opens the
// help file on F1, steps the navigation record for "GoBack" and "GoForward", hands
// other triggered controls to perform under their "Name" (or sends their "Target
// Action"), plays and stops sounds by name, and routes the end of the form's video and
// narration.
#pragma once

#include <algorithm>
#include <string_view>
#include <type_traits>
#include <utility>

#include "controls/control_painter.h"
#include "controls/form_keys.h"
#include "controls/rollover_help.h"
#include "controls/standard_control.h"
#include "controls/text_links.h"
#include "framework/control_object.h"
#include "framework/cursor.h"
#include "framework/dialog_object.h"
#include "framework/environment.h"
#include "framework/event.h"
#include "framework/form_object.h"
#include "framework/forms.h"
#include "framework/history.h"
#include "framework/perform.h"
#include "framework/runtime.h"
#include "framework/services.h"
#include "values/convert.h"
#include "values/generic.h"
#include "values/string.h"

// The longest fade a form may ask for, in milliseconds.
constexpr TQVINT TQV_LONGEST_FADE_MS = 3000;

template <class Base>
class tqvStandardLayer : public Base {
 public:
  explicit tqvStandardLayer(const tqvHandle& definition = tqvHandle()) : Base(definition) {}

  // A text view's link that names a marker ("#name") or a form file ("name.frm") is
  // followed. "GoBack" and "GoForward" step the navigation record. "PlaySound" (data: a
  // sound, or a sound resource name) plays it as the form's narration, after stopping the
  // one before; "StopSound" stops the narration. The rest go to the base.
  tqvHandle perform(const tqvHandle& action, const tqvHandle& data) override {
    if (tqvFollowPlainLink(data)) return tqvHandle();
    std::string_view name = tqvStringView(action);
    if (name == "GoBack") {
      tqvGoBack();
      return tqvHandle();
    }
    if (name == "GoForward") {
      tqvGoForward();
      return tqvHandle();
    }
    if (name == "PlaySound" || name == "StopSound") {
      if (!currentNarration_.isNil()) tqvStop(currentNarration_);
      tqvHandle sound = name == "PlaySound" ? tqvServices().resolve(data) : tqvHandle();
      currentNarration_ = sound.is(TQV_SOUND_TYPE) ? sound : tqvHandle();
      if (!currentNarration_.isNil()) tqvPlay(currentNarration_);
      return tqvHandle();
    }
    return Base::perform(action, data);
  }

  // Unless the data is a table whose "NoFade" is true, the screen fades out before the
  // form opens and back in afterwards, over "FadeTime" milliseconds; the cursor is reset.
  // Without a positive "FadeTime" there is no fade (a fade of no time would only flash
  // the screen black for a frame).
  void open(const tqvHandle& data) override {
    // A fade never holds the program for longer than a few seconds, whatever the form says.
    TQVINT fadeTime = std::min<TQVINT>(tqvNumberOf(tqvDereference(this->property("FadeTime")), 0),
                                       TQV_LONGEST_FADE_MS);
    bool fade =
        fadeTime > 0 && !(data.is(TQV_TABLE_TYPE) && tqvFlagOf(tqvGet(data, "NoFade"), false));
    if (fade) tqvServices().transition(TQV_TRANSITION_FADE_OUT, 0, 0, -1, -1, fadeTime);
    Base::open(data);
    if (fade) tqvServices().transition(TQV_TRANSITION_FADE_IN, 0, 0, -1, -1, fadeTime);
    tqvResetCursor();
  }
  // The first entry of "TabStopList" becomes the active control.
  void afterOpen() override {
    Base::afterOpen();
    tqvActivateFirstTabStop(*this);
  }
  void close() override {
    help_.leave();
    Base::close();
  }

  void keyDown(TQVINT key, TQVINT modifiers) override {
    if (key == TQV_KEY_TAB && this->has(tqvMakeString("TabStopList"))) {
      tqvMoveTabStop(*this, (modifiers & TQV_SHIFT_FLAG) != 0);
      return;
    }
    if (key == TQV_KEY_F1) {
      tqvOpenHelpFile();
      return;
    }
    if (tqvOfferAccelerator(*this, key, modifiers)) return;
    Base::keyDown(key, modifiers);
  }
  void mouseMove(TQVINT x, TQVINT y, TQVINT modifiers) override {
    help_.mouseAt(x, y);
    Base::mouseMove(x, y, modifiers);
  }
  void mouseDown(TQVINT x, TQVINT y, TQVINT modifiers, TQVINT clicks) override {
    help_.leave();
    Base::mouseDown(x, y, modifiers, clicks);
  }
  void mouseEntersControl(const tqvHandle& control, TQVINT x, TQVINT y, TQVINT modifiers) override {
    Base::mouseEntersControl(control, x, y, modifiers);
    if (rolloverHelpEnabled()) {
      help_.enter(controlHelp(control), tqvTickCount());
    }
  }
  void mouseLeavesControl(const tqvHandle& control, TQVINT x, TQVINT y, TQVINT modifiers) override {
    help_.leave();
    Base::mouseLeavesControl(control, x, y, modifiers);
  }
  void timer() override {
    Base::timer();
    if (rolloverHelpEnabled()) help_.tick(tqvTickCount());
    tqvHandle active = this->activeControl();
    if (auto* c = dynamic_cast<tqvStandardControl*>(tqvAsControl(active))) c->tick(tqvTickCount());
  }

  // A control with "Target Form" shows it (the base); one with "Target Dialog" runs
  // that dialog; one with "Target Action" sends that action with its "Target Data" to the
  // control named by its "Target Control", or to the form when it names none; "GoBack"
  // and "GoForward" step the navigation record; any other control is performed on the
  // form under its "Name", with the control as data, before the base sees it.
  void controlTriggered(const tqvHandle& control) override {
    tqvHandle self = this->handle();
    tqvControlObject* c = tqvAsControl(control);
    if (c == nullptr) return;
    if (!c->property("Target Form").isNil()) {
      Base::controlTriggered(control);
      return;
    }
    tqvHandle dialog = tqvDereference(c->property("Target Dialog"));
    if (!dialog.isNil()) {
      tqvRunDialog(dialog);
      return;
    }
    tqvHandle action = tqvDereference(c->property("Target Action"));
    if (action.is(TQV_STRING_TYPE)) {
      tqvHandle data = tqvDereference(c->property("Target Data"));
      tqvHandle target = tqvDereference(c->property("Target Control"));
      if (target.isNil()) {
        this->perform(action, data);
      } else if (tqvControlObject* receiver =
                     tqvAsControl(this->findControl(target, tqvMakeString("Name")))) {
        receiver->perform(action, data);
      }
      return;
    }
    tqvHandle name = tqvDereference(c->property("Name"));
    if (tqvEquals(name, "GoBack")) {
      tqvGoBack();
      return;
    }
    if (tqvEquals(name, "GoForward")) {
      tqvGoForward();
      return;
    }
    if (name.is(TQV_STRING_TYPE)) this->perform(name, control);
    Base::controlTriggered(control);
  }

  // The end of the form's video or narration runs its step first; every notification
  // then goes to the active control.
  void notify(const tqvHandle& target, const tqvHandle& word) override {
    bool over = tqvEquals(word, "ended") || tqvEquals(word, "aborted");
    if (over && !target.isNil() && target.object() == currentVideo_.object()) {
      // The control that plays the video hears of its end even when it is not active.
      tqvHandle owner = std::exchange(videoOwner_, tqvHandle());
      videoEnded();
      tqvControlObject* c = tqvAsControl(owner);
      if (c != nullptr && owner.object() != this->activeControl().object()) c->notify(target, word);
    }
    if (over && !target.isNil() && target.object() == currentNarration_.object()) {
      narrationEnded();
    }
    Base::notify(target, word);
  }

  // `owner`, a control, is told of the video's end as well as the active control.
  void setCurrentVideo(const tqvHandle& movie, const tqvHandle& owner = tqvHandle()) {
    currentVideo_ = movie;
    videoOwner_ = owner;
  }
  void setCurrentNarration(const tqvHandle& sound) { currentNarration_ = sound; }
  const tqvHandle& currentVideo() const { return currentVideo_; }
  const tqvHandle& currentNarration() const { return currentNarration_; }
  const tqvRolloverHelp& rolloverHelp() const { return help_; }

 protected:
  // The end-of-video and end-of-narration steps: the base forgets the media.
  virtual void videoEnded() { currentVideo_ = tqvHandle(); }
  virtual void narrationEnded() { currentNarration_ = tqvHandle(); }
  // Forms always show rollover help; dialogs when "RolloverHelp" is true.
  virtual bool rolloverHelpEnabled() { return true; }

  // Without a background image the form is filled with its "Background Color" (a
  // dialog gets an outline too).
  void drawBlankBackground() override {
    TQVINT colour =
        tqvNumberOf(tqvDereference(this->property("Background Color")), TQV_COLOUR_FORM);
    tqvPainter painter;
    painter.fill(0, 0, this->width(), this->height(), colour);
    if constexpr (std::is_base_of_v<tqvDialogObject, Base>) {
      painter.frame(0, 0, this->width(), this->height(), TQV_COLOUR_EDGE);
    }
  }

 private:
  static tqvHandle controlHelp(const tqvHandle& control) {
    tqvControlObject* c = tqvAsControl(control);
    return c != nullptr ? c->perform(tqvMakeString("getHelpString"), tqvHandle()) : tqvHandle();
  }

  tqvRolloverHelp help_;
  tqvHandle currentVideo_;
  tqvHandle videoOwner_;
  tqvHandle currentNarration_;
};

// The standard form class ("tqvFormObject").
class tqvStandardForm : public tqvStandardLayer<tqvFormObject> {
 public:
  using tqvStandardLayer::tqvStandardLayer;
  tqvHandle makeInstance(const tqvHandle& definition) override {
    return tqvWrapForm(new tqvStandardForm(definition));
  }
};

// The standard dialog class ("tqvDialogObject").
class tqvStandardDialog : public tqvStandardLayer<tqvDialogObject> {
 public:
  using tqvStandardLayer::tqvStandardLayer;
  tqvHandle makeInstance(const tqvHandle& definition) override {
    return tqvWrapForm(new tqvStandardDialog(definition));
  }

 protected:
  bool rolloverHelpEnabled() override { return tqvGetEnvironmentBoolean("RolloverHelp", false); }
};

// Makes `movie` the current video of the active form when it is a standard form or
// dialog, with `owner` (a control) told of its end.
inline void tqvSetFormVideo(const tqvHandle& movie, const tqvHandle& owner) {
  tqvFormObject* form = tqvAsFormObject(tqvActiveForm());
  if (auto* f = dynamic_cast<tqvStandardForm*>(form)) {
    f->setCurrentVideo(movie, owner);
  } else if (auto* d = dynamic_cast<tqvStandardDialog*>(form)) {
    d->setCurrentVideo(movie, owner);
  }
}

// The makers that make forms of unregistered classes standard forms and dialogs.
tqvHandle tqvMakeStandardForm(const tqvHandle& definition);
tqvHandle tqvMakeStandardDialog(const tqvHandle& definition);
