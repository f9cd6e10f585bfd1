#include "print/print_library.h"

#include "controls/controls_library.h"
#include "print/text_printing.h"

void tqvInstallPrinting(tqvRuntime& runtime) {
  tqvInstallControls(runtime);
  runtime.printControl = tqvPrintTextView;
}
