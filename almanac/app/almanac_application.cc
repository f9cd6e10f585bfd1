// The almanac's application object.
#include "almanac/app/almanac_application.h"

std::string lxApplicationTitle() {
  return "Zazuzadov Lumbra 98";
}

std::string lxApplicationVersion() {
  return "1.0";
}

std::string lxApplicationAbbreviation() {
  return "LX98";
}

AlmanacApplication::AlmanacApplication(const tqvHandle& arguments)
    : tqvStandardApplication(arguments) {}

void lxApplicationMain(const tqvHandle& arguments) {
  auto* app = new AlmanacApplication(arguments);
  tqvInstallApplication(app);
  app->Run();
}
