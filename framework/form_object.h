// Forms: one screen of the application, made from a definition table (background image,
// control list, properties), opened, drawn, fed with input and closed. A form is held in
// a value of type code 23 and answers the generic table operations through its
// properties and its loaded resources.
#pragma once

#include <string>
#include <string_view>

#include "framework/form_interface.h"
#include "storage/codecs.h"
#include "values/handle.h"

class tqvControlObject;

class tqvFormObject : public tqvFormInterface, public tqvEncodable {
 public:
  // `definition` becomes the properties (shared, not copied); nil or a value that is not
  // a table gives an empty table.
  explicit tqvFormObject(const tqvHandle& definition = tqvHandle());
  ~tqvFormObject() override;

  // Prints "(form " and the property table's entries.
  void print(std::string& out, TQVINT type, bool notation) const override;
  std::string_view className() const override { return "tqvFormObject"; }
  tqvHandle makeInstance(const tqvHandle& definition) override;
  void encodePayload(const tqvHandle& stream) const override;

  // Property access: has and get look in the properties, then in the loaded resource
  // table; put and remove act on the properties.
  virtual bool has(const tqvHandle& key);
  virtual tqvHandle get(const tqvHandle& key);
  virtual void put(const tqvHandle& key, const tqvHandle& value);
  virtual void removeKey(const tqvHandle& key);

  // "Draw" draws the form, "DrawControls" its controls; every action gives nil.
  // Subclasses handle their own actions and pass the rest here.
  virtual tqvHandle perform(const tqvHandle& action, const tqvHandle& data);
  // The form's name (set by make form); nil before.
  virtual tqvHandle name() { return name_; }
  void setName(const tqvHandle& name) { name_ = name; }

  // When no resource table is loaded: "Resource Table" (a table, or the name of one) is
  // loaded, recorded as "LoadedResourceTable" and the controls are built.
  virtual void loadResources();
  // Drops the loaded resource table, the control list, the active and hover controls.
  virtual void unloadResources();
  // Stores into the loaded resource table (made when there is none).
  virtual void addResource(const tqvHandle& key, const tqvHandle& value);
  virtual TQVINT originX() { return originX_; }
  virtual TQVINT originY() { return originY_; }
  virtual TQVINT width() { return width_; }
  virtual TQVINT height() { return height_; }

  // The background image at (0, 0), then the controls.
  virtual void draw();
  // Reads "Control List" (entries may be references); attaches every control; a control
  // that may become active and has "Auto Activate" becomes the active control.
  virtual void buildControls();
  // Draws every visible control in list order.
  virtual void drawControls();
  virtual tqvHandle controlList() { return controlList_; }
  // Replaces the control list; returns the previous one.
  virtual tqvHandle setControlList(const tqvHandle& list);
  // The first control in list order whose property `key` equals `value`, or nil.
  virtual tqvHandle findControl(const tqvHandle& value, const tqvHandle& key);
  // The first enabled control in list order whose hit test takes the point (form
  // coordinates), or nil.
  virtual tqvHandle controlAt(TQVINT x, TQVINT y);
  // Makes `control` (or nil) the active control. With `activate`, a different previous
  // active control is deactivated first and the new one is activated.
  virtual void setActiveControl(const tqvHandle& control, bool activate);
  virtual tqvHandle activeControl() { return activeControl_; }
  virtual void disableControl(const tqvHandle& control, bool flag);
  virtual void hideControl(const tqvHandle& control, bool flag);
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
  void close() override;
  // What the history records for this form; nil.
  virtual tqvHandle historyState() { return tqvHandle(); }

  // Input, in media coordinates (converted to form coordinates here).
  void mouseDown(TQVINT x, TQVINT y, TQVINT modifiers, TQVINT clicks) override;
  void mouseMove(TQVINT x, TQVINT y, TQVINT modifiers) override;
  void keyDown(TQVINT key, TQVINT modifiers) override;
  void activate() override;
  void deactivate() override;
  void notify(const tqvHandle& target, const tqvHandle& word) override;

  // Media coordinates to form coordinates (subtract the origin) and back.
  virtual void toFormCoordinates(TQVINT& x, TQVINT& y);
  virtual void toMediaCoordinates(TQVINT& x, TQVINT& y);
  // Sets the capture flag; returns the previous value.
  virtual TQVINT setCaptureFlag(TQVINT value);
  TQVINT captureFlag() const { return capture_; }

  const tqvHandle& properties() const { return properties_; }
  const tqvHandle& loadedResources() const { return loadedResources_; }
  const tqvHandle& hoverControl() const { return hoverControl_; }
  bool isOpen() const { return open_; }
  // The background image (resolved at open), or nil.
  const tqvHandle& background() const { return background_; }

  // Shorthands with string keys.
  tqvHandle property(std::string_view key) { return get(tqvKey(key)); }
  void setProperty(std::string_view key, const tqvHandle& value) { put(tqvKey(key), value); }
  // The value of a property that names a resource: a reference is followed and a string
  // is looked up as a resource name, first in this form, then through the services.
  tqvHandle resolvedProperty(std::string_view key, bool failWhenMissing = false);
  // A resource name looked up in this form first, then through the services.
  tqvHandle resolveHere(const tqvHandle& name, bool failWhenMissing = false);
  // The form's handle: a new value sharing this object.
  tqvHandle handle();

  bool opGetKey(const tqvHandle& key, tqvHandle& result) override;
  bool opPutKey(const tqvHandle& key, const tqvHandle& value) override;
  bool opRemoveKey(const tqvHandle& key) override;
  bool opContainsKey(const tqvHandle& key, bool& result) override;
  bool opGeometry(tqvGeometry which, TQVINT& result) override;

 protected:
  static tqvHandle tqvKey(std::string_view key);
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

  tqvHandle properties_;
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

// The form object of a value of type code 23 when it is a tqvFormObject, else null.
tqvFormObject* tqvAsFormObject(const tqvHandle& form);
// Wraps a new form object in a value of type code 23.
tqvHandle tqvWrapForm(tqvFormObject* form);
// The size of the media area ("MediaWidth" and "MediaHeight", 640 by 480 by default).
TQVINT tqvMediaWidth();
TQVINT tqvMediaHeight();
