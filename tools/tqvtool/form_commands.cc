// tqvtool render: a form opened headless from a disc, its screenshot written as a PNG.
#include <memory>
#include <string>
#include <vector>

#include "framework/app_window.h"
#include "framework/events.h"
#include "framework/forms.h"
#include "framework/program.h"
#include "framework/standard_application.h"
#include "platform/headless/headless_backend.h"
#include "platform/png_writer.h"
#include "tools/tqvtool/commands.h"
#include "tools/tqvtool/disc_options.h"
#include "tools/tqvtool/tool_support.h"
#include "values/cp1252.h"
#include "values/string.h"

namespace tqvtool {

void addFormCommands(CLI::App& app) {
  auto* render = app.add_subcommand("render", "Open FORM headless and write a screenshot");
  static DiscOptions renderOptions;
  static std::string form, png;
  render->add_option("FORM", form, "form name or form file under the media directory")->required();
  render->add_option("PNG", png, "screenshot to write")->required();
  addDiscOptions(render, renderOptions);
  render->callback([] {
    tqvPlatform::HeadlessOptions headless;
    headless.transcript = stderr;  // message boxes, should any appear
    auto backend = std::make_unique<tqvPlatform::HeadlessBackend>(std::move(headless));
    tqvPlatform::HeadlessBackend& screen = *backend;
    tqvCurrentProgram()->setBackend(std::move(backend));
    tqvStandardApplication& application = makeApplication(renderOptions);
    application.setMainWindow(tqvAppWindow::create(tqvAppTitle()));
    tqvFlushEvents(TQV_START_EVENT);
    tqvOpenFormByName(tqvMakeString(tqvUtf8ToCp1252(form)), tqvHandle());
    std::string error;
    if (!tqvPlatform::writePng(screen.picture(), png, error)) {
      fail("Cannot write " + tqvUtf8ToCp1252(png) + ": " + tqvUtf8ToCp1252(error));
    }
    if (tqvFormObject* f = application.form()) f->close();
  });
}

}  // namespace tqvtool
