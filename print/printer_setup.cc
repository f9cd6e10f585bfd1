// The printer-setup dialog as a menu of printers run by the menu dialog.
#include "print/printer_setup.h"

#include "controls/menu_dialog.h"
#include "values/cp1252.h"
#include "values/generic.h"
#include "values/list.h"
#include "values/string.h"
#include "values/table.h"

bool tqvRunPrinterSetup(const std::vector<tqvPrinterChoice>& printers,
                        const tqvPrinterChoice& current, tqvPrinterChoice& chosen) {
  tqvHandle items = tqvMakeList(static_cast<TQVINT>(printers.size()) + 2);
  tqvHandle heading = tqvTable(2);
  tqvPut(heading, "Text", tqvFromUtf8("Imprimir em:"));
  tqvPut(heading, "Disabled", TQV_TRUE);
  tqvAddItem(items, heading);
  tqvAddItem(items, tqvMakeString("-"));
  for (size_t i = 0; i < printers.size(); ++i) {
    tqvHandle item = tqvTable(2);
    bool marked = printers[i].device == current.device && printers[i].driver == current.driver;
    // "&&" keeps an ampersand in a queue's name from becoming an accelerator mark.
    std::string label = printers[i].device;
    for (size_t at = 0; (at = label.find('&', at)) != std::string::npos; at += 2) {
      label.insert(at, "&");
    }
    tqvPut(item, "Text", tqvFromUtf8((marked ? "\u2022 " : "   ") + label));
    tqvPut(item, "Printer", tqvMakeInt(static_cast<TQVINT>(i)));
    tqvAddItem(items, item);
  }
  tqvHandle menu = tqvTable(2);
  tqvPut(menu, "Items", items);
  tqvHandle result = tqvRunMenu(menu);
  if (!result.is(TQV_TABLE_TYPE)) return false;
  TQVINT index = tqvIntegerOf(tqvGet(result, "Printer"), -1);
  if (index < 0 || index >= static_cast<TQVINT>(printers.size())) return false;
  chosen = printers[static_cast<size_t>(index)];
  return true;
}
