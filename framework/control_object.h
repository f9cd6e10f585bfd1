// Controls: the interactive elements of a form. A control is a property table (its
// definition) plus the behaviour of its class; it is held in a value of type code 22.
#pragma once

#include <string>
#include <string_view>

#include "framework/property_object.h"
#include "values/handle.h"

class tqvFormObject;

class tqvControlObject : public tqvPropertyObject {
 public:
  explicit tqvControlObject(const tqvHandle& definition = tqvHandle());
  ~tqvControlObject() override;

  std::string_view className() const override { return "tqvControlObject"; }
  // A new control of this class on `definition`.
  tqvHandle makeInstance(const tqvHandle& definition) override;

  // Called once when a form builds its controls.
  virtual void attach() {}

  // The integer a property holds; `fallback` when it is absent or holds no number.
  virtual TQVINT getInteger(const tqvHandle& key, TQVINT fallback);
  // The flag a property holds (see tqvFlagOf); `fallback` when it is absent.
  bool getBoolean(const tqvHandle& key, bool fallback);
  void putBoolean(const tqvHandle& key, bool flag);
  void putInteger(const tqvHandle& key, TQVINT number);

  // "Draw", "Activate", "Deactivate", "Key" (list: code, modifiers) and "Track" (list:
  // x, y, modifiers, clicks); the last two answer a boolean. Others give nil.
  virtual tqvHandle perform(const tqvHandle& action, const tqvHandle& data);

  virtual void draw() {}
  virtual void drawHighlighted() {}
  // "Hidden" is not true.
  virtual bool isVisible();
  // "Disabled" is not true and the control is visible.
  virtual bool isEnabled();
  virtual bool isActive();
  virtual bool mayBecomeActive();
  virtual void activate();
  virtual void deactivate();
  // Returns whether the key triggered the control.
  virtual bool keyDown(TQVINT key, TQVINT modifiers) { return false; }
  // The mouse wheel turned `notches` (positive: toward the user, down the content);
  // returns whether the control took it.
  virtual bool mouseWheel(TQVINT notches, TQVINT modifiers) { return false; }
  // The "Hot Spot" region contains the point (form coordinates).
  virtual bool hitTest(TQVINT x, TQVINT y);
  // "Help" while enabled, else nil.
  virtual tqvHandle help();
  // "Cursor"; a value that is not a cursor is looked up as a resource name.
  virtual tqvHandle cursorValue();
  virtual tqvHandle cursorAt(TQVINT x, TQVINT y) { return cursorValue(); }
  virtual void mouseEnters(TQVINT x, TQVINT y, TQVINT modifiers) {}
  virtual void mouseLeaves(TQVINT x, TQVINT y, TQVINT modifiers) {}
  // The mouse moved over the control (form coordinates), no button held.
  virtual void mouseMoves(TQVINT x, TQVINT y, TQVINT modifiers) {}
  // Tracks the mouse until the button is released; returns true when it was released
  // inside the hot spot (the control is triggered).
  virtual bool mouseDown(TQVINT x, TQVINT y, TQVINT modifiers, TQVINT clicks);
  virtual void trackingBegins() {}
  virtual void trackingStateChanged(bool inside) {}
  virtual void trackingEnds() {}
  virtual void notify(const tqvHandle& target, const tqvHandle& word) {}

  // When this is the active control of the active form, sets that form's capture flag
  // and returns its previous value; otherwise returns 0.
  TQVINT setCapture(TQVINT flag);
  // The hot spot's bounds; 0 without a hot spot.
  TQVINT hotSpotLeft();
  TQVINT hotSpotTop();
  TQVINT hotSpotWidth();
  TQVINT hotSpotHeight();
  // When this is the active control of the active form, hands it to the form again
  // without activating it.
  void refreshActive();

  bool flag(std::string_view key, bool fallback = false) {
    return getBoolean(keyOf(key), fallback);
  }
  TQVINT integer(std::string_view key, TQVINT fallback = 0) {
    return getInteger(keyOf(key), fallback);
  }
  // The control's handle: a new value sharing this object.
  tqvHandle handle();

 protected:
  std::string_view printedKind() const override { return "control"; }
  TQVINT geometry(tqvGeometry which) override;
  // The active form when it is a form object; null otherwise.
  static tqvFormObject* activeFormObject();
};

// The control object of a value of type code 22, or null.
tqvControlObject* tqvAsControl(const tqvHandle& control);

// Wraps a new control object in a value of type code 22.
tqvHandle tqvWrapControl(tqvControlObject* control);

// Makes a control from its definition: the class registered under its "Class", or a
// plain tqvControlObject when none is. A definition without "Class" reports "Control
// data must have a 'Class' property:\n" and the printed definition, and gives nil.
tqvHandle tqvMakeControl(const tqvHandle& definition);
