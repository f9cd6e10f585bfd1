// The printer choice, the job in progress and their numbered errors.
#include "print/print_jobs.h"

#include <cairo-pdf.h>

#include <algorithm>
#include <filesystem>
#include <system_error>

#include "framework/message_box.h"
#include "media/drawing_context.h"
#include "media/drawing_surface.h"
#include "media/media_services.h"
#include "platform/replace_file.h"
#include "print/printer_setup.h"
#include "values/cp1252.h"
#include "values/error.h"
#include "values/string.h"

namespace fs = std::filesystem;

namespace {

// Every printer is fed A4 pages at 300 dots per inch.
constexpr TQVINT kDotsPerInch = 300;
constexpr TQVINT kPageWidth = 2480;   // 210 mm
constexpr TQVINT kPageHeight = 3508;  // 297 mm
constexpr double kPointsPerPixel = 72.0 / kDotsPerInch;

void report(const char* number, const char* what) {
  tqvError(std::string("TQV printing error ") + number + ". Framework is " + what + ".");
}

bool onDesktop() {
  tqvPlatform::Backend* backend = tqvBackend();
  return backend != nullptr && !backend->headless();
}

tqvPrinterChoice pdfPrinterChoice() {
  return {"PDF", kPdfPrinterName, "", {}};
}

tqvPrinterChoice cupsPrinter(const tqvPlatform::PrinterDestination& destination) {
  return {"CUPS", destination.name, "", destination.options};
}

// Whether the chosen printer can be reached now (an information context on it).
bool reachable(const tqvPrinterChoice& choice) {
  if (choice.driver == "PDF") return true;
  if (!onDesktop()) return false;
  auto destinations = tqvPlatform::printerDestinations();
  return std::any_of(destinations.begin(), destinations.end(),
                     [&](const auto& d) { return d.name == choice.device; });
}

std::string safeName(std::string name) {
  for (char& c : name) {
    if (c == '/' || static_cast<unsigned char>(c) < 0x20) c = '-';
  }
  return name;
}

}  // namespace

tqvPrintJobs::~tqvPrintJobs() {
  if (printing()) closeJob();
}

bool tqvPrintJobs::chooseDefaultPrinter() {
  if (printing()) {
    report("1", "currently printing");
    return false;
  }
  if (onDesktop()) {
    for (const auto& destination : tqvPlatform::printerDestinations()) {
      if (destination.isDefault) {
        choice_ = cupsPrinter(destination);
        return true;
      }
    }
  }
  choice_ = pdfPrinterChoice();
  return true;
}

bool tqvPrintJobs::printerSetup() {
  if (printing()) {
    report("2", "currently printing");
    return false;
  }
  if (choice_.empty()) chooseDefaultPrinter();
  tqvPrinterChoice chosen;
  if (!tqvRunPrinterSetup(tqvAvailablePrinters(), choice_, chosen)) return false;
  choice_ = std::move(chosen);
  return true;
}

std::string tqvPrintJobs::saveDirectory() const {
  tqvPlatform::Backend* backend = tqvBackend();
  std::string directory = backend != nullptr ? backend->printDirectory() : std::string();
  return directory.empty() ? tqvPlatform::documentsDirectory() : directory;
}

bool tqvPrintJobs::startJob(std::string_view name) {
  if (printing()) {
    report("3", "currently printing");
    return false;
  }
  if (choice_.empty() && !chooseDefaultPrinter() && !printerSetup()) return false;

  // The device context: a PDF document written to a temporary file.
  std::error_code ec;
  fs::path folder = fs::temp_directory_path(ec);
  if (ec) {
    report("4", "unable to get printer context");
    return false;
  }
  fs::path scratch = tqvPlatform::temporaryPathFor((folder / "tqv-print.pdf").string());
  cairo_surface_t* surface = cairo_pdf_surface_create(scratch.c_str(), kPageWidth * kPointsPerPixel,
                                                      kPageHeight * kPointsPerPixel);
  if (cairo_surface_status(surface) != CAIRO_STATUS_SUCCESS) {
    cairo_surface_destroy(surface);
    fs::remove(scratch, ec);
    report("4", "unable to get printer context");
    return false;
  }
  cairo_surface_set_device_scale(surface, kPointsPerPixel, kPointsPerPixel);

  // Starting the document: the printer must be there to take it.
  bool ready = reachable(choice_);
  if (ready && pdfPrinter()) {
    fs::path target =
        choice_.port.empty() ? fs::path(saveDirectory()) : fs::path(choice_.port).parent_path();
    if (!target.empty()) fs::create_directories(target, ec);
    ready = target.empty() || fs::is_directory(target, ec);
  }
  if (!ready) {
    cairo_surface_finish(surface);
    cairo_surface_destroy(surface);
    fs::remove(scratch, ec);
    report("5", "unable to start print job");
    return false;
  }

  surface_ = surface;
  temporary_ = scratch.string();
  jobName_ = name;
  pageOpen_ = false;
  context_ = tqvMakeDrawingContext(surface_, kPageWidth, kPageHeight);
  if (tqvDrawingSurface* screen = tqvScreenSurface()) screen->setTarget(context_);
  return true;
}

void tqvPrintJobs::closeJob() {
  if (tqvDrawingSurface* screen = tqvScreenSurface()) {
    if (screen->target().object() == context_.object()) screen->setTarget(tqvHandle());
  }
  context_ = tqvHandle();
  cairo_surface_finish(surface_);
  cairo_surface_destroy(surface_);
  surface_ = nullptr;
  std::error_code ec;
  fs::remove(temporary_, ec);
  temporary_.clear();
  title_.clear();
  pageOpen_ = false;
}

bool tqvPrintJobs::deliver(std::string& error) {
  std::string job = tqvCp1252ToUtf8(jobName_);
  if (!pdfPrinter()) {
    return tqvPlatform::sendToPrinter(choice_.device, choice_.deviceMode, temporary_, job, error);
  }
  bool announce = choice_.port.empty();
  std::string path = announce
                         ? tqvUnusedPrintFileName(saveDirectory(), job, tqvCp1252ToUtf8(title_))
                         : choice_.port;
  std::error_code ec;
  fs::copy_file(temporary_, path, fs::copy_options::overwrite_existing, ec);
  if (ec) {
    error = ec.message();
    return false;
  }
  lastSaved_ = path;
  if (announce) tqvAlert(tqvUtf8ToCp1252("O documento impresso foi salvo em " + path));
  return true;
}

bool tqvPrintJobs::endJob() {
  if (!printing()) {
    report("6", "not currently printing");
    return false;
  }
  if (pageOpen_) cairo_surface_show_page(surface_);
  cairo_surface_finish(surface_);
  std::string error;
  bool done = cairo_surface_status(surface_) == CAIRO_STATUS_SUCCESS && deliver(error);
  closeJob();
  if (!done) report("7", "unable to end print job");
  return done;
}

bool tqvPrintJobs::abortJob() {
  if (!printing()) {
    report("6a", "not currently printing");
    return false;
  }
  closeJob();
  return true;
}

bool tqvPrintJobs::startPage() {
  if (!printing()) {
    report("10", "not currently printing");
    return false;
  }
  if (pageOpen_ || cairo_surface_status(surface_) != CAIRO_STATUS_SUCCESS) {
    report("11", "unable to start printing page");
    return false;
  }
  pageOpen_ = true;
  return true;
}

bool tqvPrintJobs::endPage() {
  if (!printing()) {
    report("12", "not currently printing");
    return false;
  }
  if (!pageOpen_ || cairo_surface_status(surface_) != CAIRO_STATUS_SUCCESS) {
    report("13", "unable to end printing page");
    return false;
  }
  cairo_surface_show_page(surface_);
  pageOpen_ = false;
  return true;
}

TQVINT tqvPrintJobs::query(Query which) {
  static constexpr const char* kNoPrinter[] = {"14", "16", "22", "24"};
  static constexpr const char* kNoContext[] = {"15", "17", "23", "25"};
  auto index = static_cast<size_t>(which);
  if (!printing()) {
    if (choice_.empty() && !chooseDefaultPrinter()) {
      report(kNoPrinter[index], "unable to get printer information");
      return -1;
    }
    if (!reachable(choice_)) {
      report(kNoContext[index], "unable to get printer information context");
      return -1;
    }
  }
  switch (which) {
    case Query::Width:
      return kPageWidth;
    case Query::Height:
      return kPageHeight;
    default:
      return kDotsPerInch;
  }
}

TQVINT tqvPrintJobs::pageWidth() {
  return query(Query::Width);
}
TQVINT tqvPrintJobs::pageHeight() {
  return query(Query::Height);
}
TQVINT tqvPrintJobs::resolutionX() {
  return query(Query::ResolutionX);
}
TQVINT tqvPrintJobs::resolutionY() {
  return query(Query::ResolutionY);
}

tqvPrintJobs& tqvPrinter() {
  tqvRuntime* runtime = tqvCurrentRuntime();
  if (runtime == nullptr) {
    static tqvPrintJobs outside;  // code running outside any program prints to files
    return outside;
  }
  if (runtime->printing == nullptr) runtime->printing = std::make_unique<tqvPrintJobs>();
  return static_cast<tqvPrintJobs&>(*runtime->printing);
}

std::vector<tqvPrinterChoice> tqvAvailablePrinters() {
  std::vector<tqvPrinterChoice> printers;
  if (onDesktop()) {
    for (const auto& destination : tqvPlatform::printerDestinations()) {
      printers.push_back(cupsPrinter(destination));
    }
  }
  printers.push_back(pdfPrinterChoice());
  return printers;
}

bool tqvNoPrintingAllowed() {
  return tqvAvailablePrinters().empty();
}

std::string tqvUnusedPrintFileName(const std::string& directory, const std::string& job,
                                   const std::string& title) {
  std::string base = safeName(title.empty() ? job : job + " - " + title);
  std::error_code ec;
  fs::path path = fs::path(directory) / (base + ".pdf");
  for (int n = 2; fs::exists(path, ec); ++n) {
    path = fs::path(directory) / (base + " (" + std::to_string(n) + ").pdf");
  }
  return path.string();
}
