// Registration of the built-in control classes.
#include "framework/builtin_classes.h"

#include "framework/class_registry.h"

const std::string_view tqvBuiltInClassNames[21] = {
    "Bitmap",    "Button",  "CheckBox",     "RadioButton", "RadioGroup", "ComboBox",   "ComboEdit",
    "TextCombo", "ListBox", "MultiListBox", "Slider",      "Scroller",   "StaticText", "Table",
    "TextField", "Menu",    "PhotoView",    "TextView",    "HotSpot",    "VideoView",  "Group",
};

void tqvRegisterBuiltInClasses(tqvPrototypeFor prototypeFor) {
  if (prototypeFor == nullptr) return;
  for (std::string_view name : tqvBuiltInClassNames) {
    tqvHandle prototype = prototypeFor(name);
    if (!prototype.isNil()) tqvRegisterClass(prototype);
  }
}
