// What the application needs of its active form: the operations it forwards input and
// activation to. The form classes implement it; the active form is held in a value of
// type code 23 whose object derives from this class.
#pragma once

#include "framework/class_registry.h"
#include "values/handle.h"

// Forms are also class prototypes: a form class registers an object of itself, built
// with nil data, that makes new forms from definitions.
class tqvFormInterface : public tqvClassObject {
 public:
  std::string_view className() const override { return "tqvFormInterface"; }
  tqvHandle makeInstance(const tqvHandle& definition) override { return tqvHandle(); }
  // The defaults do nothing, as a form does for the events it does not handle.
  virtual void close() {}
  virtual void activate() {}
  virtual void deactivate() {}
  virtual void mouseMove(TQVINT x, TQVINT y, TQVINT modifiers) {}
  virtual void mouseDown(TQVINT x, TQVINT y, TQVINT modifiers, TQVINT clicks) {}
  virtual void mouseDrag(TQVINT x, TQVINT y, TQVINT modifiers) {}
  virtual void mouseUp(TQVINT x, TQVINT y, TQVINT modifiers) {}
  virtual void keyDown(TQVINT key, TQVINT modifiers) {}
  virtual void keyUp(TQVINT key, TQVINT modifiers) {}
  virtual void timer() {}
  virtual void inactivity() {}
  virtual void notify(const tqvHandle& target, const tqvHandle& word) {}
  virtual void reserved(TQVINT modifiers) {}
};

// The form object of a form value, or null when the value is not a form.
inline tqvFormInterface* tqvAsForm(const tqvHandle& form) {
  return form.is(TQV_FORM_TYPE) ? dynamic_cast<tqvFormInterface*>(form.object()) : nullptr;
}
