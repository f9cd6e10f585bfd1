// The one set of framework hooks.
#include "framework/hooks.h"

tqvFrameworkHooks& tqvHooks() {
  static tqvFrameworkHooks hooks;
  return hooks;
}
