// Forms: one screen of the application, made from a definition table (background image,
// control list, properties), opened, drawn, fed with input and closed. A form is held in
// a value of type code 23 and answers the generic table operations through its
// properties and its loaded resources. Forms are also class prototypes: a form class
// registers an object of itself, built with nil data, that makes new forms.
#pragma once

#include <string>
#include <string_view>

#include "framework/property_object.h"
#include "values/handle.h"

class tqvControlObject;

class tqvFormObject : public tqvPropertyObject {
 public:
  explicit tqvFormObject(const tqvHandle& definition = tqvHandle());
  ~tqvFormObject() override;

  std::string_view className() const override { return "tqvFormObject"; }
  tqvHandle makeInstance(const tqvHandle& definition) override;

  // has and get look in the properties, then in the loaded resource table; put and
  // remove act on the properties (the base).
  bool has(const tqvHandle& key) override;
  tqvHandle get(const tqvHandle& key) override;

  // "Draw" draws the form, "DrawControls" its controls; every action gives nil.
  // Subclasses handle their own actions and pass the rest here.
  virtual tqvHandle perform(const tqvHandle& action, const tqvHandle& data);
  // The form's name (set by make form); nil before.
  const tqvHandle& name() const { return name_; }
  void setName(const tqvHandle& name) { name_ = name; }

  // When no resource table is loaded: "Resource Table" (a table, or the name of one) is
  // loaded, recorded as "LoadedResourceTable" and the controls are built.
  void loadResources();
  // Drops the loaded resource table, the control list, the active and hover controls.
  void unloadResources();
  // Stores into the loaded resource table (made when there is none).
  void addResource(const tqvHandle& key, const tqvHandle& value);
  TQVINT originX() const { return originX_; }
  TQVINT originY() const { return originY_; }
  TQVINT width() const { return width_; }
  TQVINT height() const { return height_; }

  // The background image at (0, 0), then the controls.
  virtual void draw();
  // Reads "Control List" (entries may be references); attaches every control; a control
  // that may become active and has "Auto Activate" becomes the active control.
  virtual void buildControls();
  // Draws every visible control in list order.
  virtual void drawControls();
  const tqvHandle& controlList() const { return controlList_; }
  // Replaces the control list; returns the previous one.
  tqvHandle setControlList(const tqvHandle& list);
  // The first control in list order whose property `key` equals `value`, or nil.
  tqvHandle findControl(const tqvHandle& value, const tqvHandle& key);
  // The first control whose "Name" is `name` (in the system's code page), or nil.
  tqvHandle findControlNamed(std::string_view name);
  // The first enabled control in list order whose hit test takes the point (form
  // coordinates), or nil.
  tqvHandle controlAt(TQVINT x, TQVINT y);
  // Makes `control` (or nil) the active control. With `activate`, a different previous
  // active control is deactivated first and the new one is activated.
  void setActiveControl(const tqvHandle& control, bool activate);
  const tqvHandle& activeControl() const { return activeControl_; }
  void disableControl(const tqvHandle& control, bool flag);
  void hideControl(const tqvHandle& control, bool flag);
  // The control tracks the press; returns whether it was triggered.
  virtual bool mouseDownOnControl(const tqvHandle& control, TQVINT x, TQVINT y, TQVINT modifiers,
                                  TQVINT clicks);
  // A control with a "Target Form" shows that form.
  virtual void controlTriggered(const tqvHandle& control);
  virtual void mouseEntersControl(const tqvHandle& control, TQVINT x, TQVINT y, TQVINT modifiers);
  virtual void mouseLeavesControl(const tqvHandle& control, TQVINT x, TQVINT y, TQVINT modifiers);

  // Loads resources, reads the origin and size, shows the background, draws the
  // controls and activates.
  virtual void open(const tqvHandle& data);
  virtual void afterOpen() {}
  // The form was shown again while active: the data is ignored.
  virtual void reopen(const tqvHandle& data) {}
  // Deactivates and, unless "Retain Resources" is true, unloads the resources. Closing a
  // form that is not open does nothing.
  virtual void close();
  // What the history records for this form; nil.
  virtual tqvHandle historyState() { return tqvHandle(); }

  // Input, in media coordinates (converted to form coordinates here). The events a form
  // does not handle do nothing.
  virtual void mouseDown(TQVINT x, TQVINT y, TQVINT modifiers, TQVINT clicks);
  virtual void mouseMove(TQVINT x, TQVINT y, TQVINT modifiers);
  virtual void mouseDrag(TQVINT x, TQVINT y, TQVINT modifiers) {}
  virtual void mouseUp(TQVINT x, TQVINT y, TQVINT modifiers) {}
  // The wheel goes to the enabled control under the mouse when it takes it, else to the
  // active control.
  virtual void mouseWheel(TQVINT x, TQVINT y, TQVINT notches, TQVINT modifiers);
  virtual void keyDown(TQVINT key, TQVINT modifiers);
  virtual void keyUp(TQVINT key, TQVINT modifiers) {}
  virtual void activate();
  virtual void deactivate();
  virtual void notify(const tqvHandle& target, const tqvHandle& word);
  virtual void timer() {}
  virtual void inactivity() {}
  virtual void reserved(TQVINT modifiers) {}

  // Media coordinates to form coordinates (subtract the origin) and back.
  void toFormCoordinates(TQVINT& x, TQVINT& y) const;
  void toMediaCoordinates(TQVINT& x, TQVINT& y) const;
  // Sets the capture flag; returns the previous value.
  TQVINT setCaptureFlag(TQVINT value);
  TQVINT captureFlag() const { return capture_; }

  const tqvHandle& loadedResources() const { return loadedResources_; }
  const tqvHandle& hoverControl() const { return hoverControl_; }
  bool isOpen() const { return open_; }
  // The background image (resolved at open), or nil.
  const tqvHandle& background() const { return background_; }

  // The value of a property that names a resource: a reference is followed and a string
  // is looked up as a resource name, first in this form, then through the services.
  tqvHandle resolvedProperty(std::string_view key, bool failWhenMissing = false);
  // A resource name looked up in this form first, then through the services.
  tqvHandle resolveHere(const tqvHandle& name, bool failWhenMissing = false);
  // The form's handle: a new value sharing this object.
  tqvHandle handle();

 protected:
  std::string_view printedKind() const override { return "form"; }
  TQVINT geometry(tqvGeometry which) override;
  // Reads the origin from "Origin X" and "Origin Y" (0 unless a number).
  void readOrigin();
  // Shows the background at open: over the screen for a form drawn as a dialog (through
  // "Background Mask Image"), else as the backdrop of the whole media area. Sets the size.
  virtual void showBackground();
  // Draws what stands for the background of a form that has no background image (the
  // base draws nothing).
  virtual void drawBlankBackground() {}
  void setBackground(const tqvHandle& image) { background_ = image; }
  void setOrigin(TQVINT x, TQVINT y) {
    originX_ = x;
    originY_ = y;
  }
  void setSize(TQVINT width, TQVINT height) {
    width_ = width;
    height_ = height;
  }
  void setOpen(bool open) { open_ = open; }

  tqvHandle name_;
  tqvHandle controlList_;
  tqvHandle activeControl_;
  tqvHandle hoverControl_;
  tqvHandle loadedResources_;
  TQVINT originX_ = 0;
  TQVINT originY_ = 0;
  TQVINT width_ = 0;
  TQVINT height_ = 0;
  TQVINT capture_ = 0;

 private:
  tqvHandle background_;
  bool open_ = false;
};

// The form object of a value of type code 23, or null.
tqvFormObject* tqvAsFormObject(const tqvHandle& form);
// Wraps a new form object in a value of type code 23.
tqvHandle tqvWrapForm(tqvFormObject* form);
