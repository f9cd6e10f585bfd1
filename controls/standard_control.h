// The standard control layer that the built-in classes share: property reads that follow
// resource references, lenient integer reads, "getHelpString", the hand cursor, rollover
// images, sound effects, and the "Hidden" and "Disabled" actions that redraw.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "framework/control_object.h"

class tqvStandardControl : public tqvControlObject {
 public:
  // `className` names the class (a class registered before its own behaviour exists
  // answers its name and draws its "Image").
  explicit tqvStandardControl(const tqvHandle& definition = tqvHandle(),
                              std::string_view className = "tqvControlObject");

  std::string_view className() const override { return className_; }
  tqvHandle makeInstance(const tqvHandle& definition) override;

  // The stored value with resource references followed.
  tqvHandle get(const tqvHandle& key) override;
  // An int as it is; anything else through the integer conversion (strings by their
  // leading integer); values that have none give `fallback`.
  TQVINT getInteger(const tqvHandle& key, TQVINT fallback) override;
  // Adds "getHelpString" (the help value), "Hidden" and "Disabled" (data: the new flag;
  // the control is drawn again, or its place cleared when hidden), "Redraw" and
  // "Initialize" (draw).
  tqvHandle perform(const tqvHandle& action, const tqvHandle& data) override;
  // The globals' "HandCursor".
  tqvHandle cursorValue() override;
  // With "RolloverImage": saves the screen under it, draws it (through "RolloverMask")
  // at the hot spot's corner moved by "RolloverX" and "RolloverY"; leaving puts the
  // screen back.
  void mouseEnters(TQVINT x, TQVINT y, TQVINT modifiers) override;
  void mouseLeaves(TQVINT x, TQVINT y, TQVINT modifiers) override;
  // "ended" or "aborted" from the current sound calls soundEnded.
  void notify(const tqvHandle& target, const tqvHandle& word) override;
  // Draws "Image" at the hot spot's corner when there is one.
  void draw() override;
  // Controls that show whether they are active are drawn again when that changes.
  void activate() override;
  void deactivate() override;
  virtual bool showsActivity() { return false; }
  // A timer tick of the form while this is its active control (a caret blinks).
  virtual void tick(uint32_t now) {}

  // Plays a sound value or the sound resource of that name: nothing when "SoundEffects"
  // is false; a name without "." gets "." and "AudioExtension" ("wav"). The sound
  // becomes the current sound; the previous effect is stopped first.
  virtual void playSound(const tqvHandle& soundOrName, bool flag);
  // Stops the current sound and forgets it.
  virtual void soundEnded();
  virtual bool hasCurrentSound() { return !currentSound_.isNil(); }
  const tqvHandle& currentSound() const { return currentSound_; }

  // The rectangle the control draws into (form coordinates): the hot spot by default.
  virtual void drawBounds(TQVINT& left, TQVINT& top, TQVINT& right, TQVINT& bottom);
  // Draws the form's background over the control's draw bounds.
  virtual void eraseBackground();

 protected:
  // The image a property holds: image values as they are, names loaded once and kept.
  tqvHandle imageProperty(std::string_view key);
  // The text a property holds (strings only), else nil.
  tqvHandle textProperty(std::string_view key);
  // The control's "Font" (the default control font when it has none), made bold or
  // underlined by "Bold" and "Underline".
  tqvHandle fontProperty();
  // The label: "Text", else "Label"; nil when neither is a string.
  tqvHandle label();
  // Whether the control belongs to the active form and that form is open (drawing
  // then reaches the screen the user sees).
  bool onScreen();

 private:
  std::string className_;
  tqvHandle currentSound_;
  tqvHandle rolloverSaved_;
  TQVINT rolloverX_ = 0;
  TQVINT rolloverY_ = 0;
  // Loaded images by property, with the name they were loaded from.
  tqvHandle imageCache_;
};

// Draws the active form's background (its image, else its plain colour) over the
// rectangle, in form coordinates.
void tqvDrawFormBackground(TQVINT left, TQVINT top, TQVINT right, TQVINT bottom);
// The colour of a form without a background image: its "Background Color", else the
// plain form colour.
TQVINT tqvFormBlankColour();
