// The control library's classes and start-up.
#include "controls/controls_library.h"

#include "controls/bitmap_control.h"
#include "controls/button_control.h"
#include "controls/check_box_control.h"
#include "controls/combo_box_control.h"
#include "controls/combo_edit_control.h"
#include "controls/group_control.h"
#include "controls/hot_spot_control.h"
#include "controls/list_control.h"
#include "controls/menu_control.h"
#include "controls/multi_list_control.h"
#include "controls/photo_view_control.h"
#include "controls/radio_button_control.h"
#include "controls/radio_group_control.h"
#include "controls/scroller_control.h"
#include "controls/slider_control.h"
#include "controls/standard_control.h"
#include "controls/standard_form.h"
#include "controls/static_text_control.h"
#include "controls/table_control.h"
#include "controls/text_field_control.h"
#include "controls/text_layout_value.h"
#include "controls/text_view_control.h"
#include "controls/video_view_control.h"
#include "framework/builtin_classes.h"
#include "framework/forms.h"
#include "media/media_services.h"

namespace {

template <class T>
tqvHandle prototype() {
  return tqvHandle::wrap(new T(), TQV_CLASS_TYPE);
}

}  // namespace

tqvHandle tqvMakeStandardForm(const tqvHandle& definition) {
  return tqvWrapForm(new tqvStandardForm(definition));
}

tqvHandle tqvMakeStandardDialog(const tqvHandle& definition) {
  return tqvWrapForm(new tqvStandardDialog(definition));
}

tqvHandle tqvControlPrototype(std::string_view name) {
  if (name == "Bitmap") return prototype<tqvBitmapControl>();
  if (name == "Button") return prototype<tqvButtonControl>();
  if (name == "CheckBox") return prototype<tqvCheckBoxControl>();
  if (name == "RadioButton") return prototype<tqvRadioButtonControl>();
  if (name == "RadioGroup") return prototype<tqvRadioGroupControl>();
  if (name == "StaticText") return prototype<tqvStaticTextControl>();
  if (name == "PhotoView") return prototype<tqvPhotoViewControl>();
  if (name == "HotSpot") return prototype<tqvHotSpotControl>();
  if (name == "Group") return prototype<tqvGroupControl>();
  if (name == "ListBox") return prototype<tqvListControl>();
  if (name == "MultiListBox") return prototype<tqvMultiListControl>();
  if (name == "ComboBox") return prototype<tqvComboBoxControl>();
  if (name == "ComboEdit") return prototype<tqvComboEditControl>();
  if (name == "TextCombo") return prototype<tqvTextComboControl>();
  if (name == "TextField") return prototype<tqvTextFieldControl>();
  if (name == "Slider") return prototype<tqvSliderControl>();
  if (name == "Scroller") return prototype<tqvScrollerControl>();
  if (name == "Table") return prototype<tqvTableControl>();
  if (name == "Menu") return prototype<tqvMenuControl>();
  if (name == "TextView") return prototype<tqvTextViewControl>();
  if (name == "VideoView") return prototype<tqvVideoViewControl>();
  for (std::string_view builtIn : tqvBuiltInClassNames) {
    if (name == builtIn) {
      return tqvHandle::wrap(new tqvStandardControl(tqvHandle(), name), TQV_CLASS_TYPE);
    }
  }
  return tqvHandle();
}

void tqvInstallControls(tqvRuntime& runtime) {
  tqvInstallMedia(runtime);
  tqvRegisterTextLayoutCodec();
  runtime.formMaker = tqvMakeStandardForm;
  runtime.dialogMaker = tqvMakeStandardDialog;
  runtime.controlPrototypes = tqvControlPrototype;
}
