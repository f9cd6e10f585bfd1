// "TextField": one line of editable text ("Text"), with a blinking caret while it is the
// active control, a selection made with the mouse or Shift and the arrow keys, Home and
// End, Backspace and Delete, cut, copy and paste (Ctrl+X, Ctrl+C, Ctrl+V) through the
// desktop clipboard, Ctrl+A to select everything, and text wider than the field scrolled
// to keep the caret in view. "Format" limits what may be typed: "text" (anything),
// "integer" (digits and a leading minus), "number" (and one decimal comma or point),
// "date" (digits and "/"), "time" (digits and ":"), "upper" (letters made capitals);
// another value reports "Format type not allowed: " and the field takes text. "MaxLength"
// caps the length (255 when absent). Enter triggers the control; with "NotifyOnEachKey"
// every change does, and with "NotifyKillFocus" losing the focus does.
#pragma once

#include <cstdint>

#include "controls/standard_control.h"

class tqvTextFieldControl : public tqvStandardControl {
 public:
  explicit tqvTextFieldControl(const tqvHandle& definition = tqvHandle(),
                               std::string_view className = "TextField");
  tqvHandle makeInstance(const tqvHandle& definition) override;

  // Reads "Format" (reporting one that is not allowed).
  void attach() override;
  // "getText", "GetText", "stringValue" give the text; "setText", "SetText" replace it
  // (non-strings as printed) and put the caret at its end; "ClearText"; "selectAll";
  // "replaceSel" (data: the text that replaces the selection); "getSelectionRange"
  // (list: start, end).
  tqvHandle perform(const tqvHandle& action, const tqvHandle& data) override;
  void draw() override;
  bool keyDown(TQVINT key, TQVINT modifiers) override;
  bool mouseDown(TQVINT x, TQVINT y, TQVINT modifiers, TQVINT clicks) override;
  void activate() override;
  void deactivate() override;
  void tick(uint32_t now) override;
  tqvHandle cursorValue() override { return tqvHandle(); }  // the text cursor is the arrow

  tqvHandle text();
  // Replaces the text, clamping it to the maximum length.
  void setText(const tqvHandle& text);
  // The caret and the other end of the selection, as character positions.
  TQVINT caret() const { return caret_; }
  TQVINT anchor() const { return anchor_; }
  void setSelection(TQVINT anchor, TQVINT caret);

 protected:
  // Whether a typed character may go into the text under the field's format (after
  // `before` characters, with `text` there now); changes it when the format asks.
  bool acceptCharacter(unsigned char& c, const std::string& text, size_t before);
  // Replaces the selection by `inserted` (filtered by the format and the length).
  bool insertText(std::string_view inserted);
  // The text's inner rectangle, where text and caret are drawn.
  virtual void innerArea(TQVINT& left, TQVINT& top, TQVINT& right, TQVINT& bottom);
  // The character position nearest the form x coordinate.
  TQVINT positionAt(TQVINT x);
  // Scrolls so that the caret is inside the field.
  void keepCaretInView();
  // The field changed: triggers the control's notice when "NotifyOnEachKey" is set.
  void changed();

 private:
  TQVINT maxLength();
  std::string format();

  TQVINT caret_ = 0;
  TQVINT anchor_ = 0;
  double scroll_ = 0;
  bool caretShown_ = true;
  uint32_t blinkSince_ = 0;
  bool notifyPending_ = false;
};
