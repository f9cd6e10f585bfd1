// Shared pieces of the control library's tests.
#include "tests/controls/controls_fixture.h"

#include "framework/form_object.h"

tqvHandle ControlsTest::control(const std::string& name) {
  tqvFormObject* form = tqvAsFormObject(app_->activeForm());
  return form != nullptr ? form->findControl(S(name), S("Name")) : tqvHandle();
}

// fontconfig keeps its configuration until the process ends; text drawing loads it.
extern "C" const char* __lsan_default_suppressions() {
  return "leak:libfontconfig.so\n";
}
extern "C" const char* __lsan_default_options() {
  return "print_suppressions=0";
}
