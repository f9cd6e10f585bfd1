// Print jobs: the printer chosen for the run (a CUPS destination, or the built-in PDF
// printer that saves each job as a file) and the one job that can be open. A job is a
// cairo PDF document of A4 pages at 300 dots per inch; while it is open the drawing
// context of its page (type 14) is the main window's drawing target, so ordinary drawing
// lands on the page in printer pixels. Every wrong call is reported with its numbered
// "TQV printing error" and leaves the state as it was.
#pragma once

#include <cairo.h>

#include <string>

#include "framework/runtime.h"
#include "platform/printers.h"
#include "values/handle.h"

// The device name of the built-in PDF printer (code page 1252 in values, UTF-8 here).
inline constexpr const char* kPdfPrinterName = "Arquivo PDF";

// What a printer is known by: its driver ("PDF" or "CUPS"), its device (the destination
// name), its port (for the PDF printer, a file to write instead of the documents folder)
// and its device mode (the destination's options). UTF-8.
struct tqvPrinterChoice {
  std::string driver;
  std::string device;
  std::string port;
  tqvPlatform::PrinterOptions deviceMode;
  bool empty() const { return device.empty(); }
};

class tqvPrintJobs : public tqvRuntimePart {
 public:
  ~tqvPrintJobs() override;  // an open job is abandoned without a word

  // The system's default printer: the CUPS default on the desktop, else the PDF printer.
  // Error 1 while printing.
  bool chooseDefaultPrinter();
  // The printer-setup dialog (see printer_setup.h); false when cancelled. Error 2 while
  // printing.
  bool printerSetup();
  const tqvPrinterChoice& choice() const { return choice_; }
  void choose(tqvPrinterChoice choice) { choice_ = std::move(choice); }

  // Opens a job named `name` (code page 1252); see the rules in the file comment.
  bool startJob(std::string_view name);
  // Finishes the document and delivers it: queued on the CUPS destination, or saved
  // under a name of its own (a number added rather than overwriting) and announced.
  bool endJob();
  bool abortJob();
  bool startPage();
  bool endPage();
  bool printing() const { return surface_ != nullptr; }
  // The page's drawing context while printing, else nil.
  const tqvHandle& context() const { return context_; }
  // The title that joins the job name in a saved file's name (code page 1252).
  void setDocumentTitle(std::string_view title) { title_ = title; }
  // Where the last saved job went (UTF-8), empty when none.
  const std::string& lastSaved() const { return lastSaved_; }

  // Printable size in printer pixels and dots per inch; -1 after a report when no
  // printer can be chosen or reached.
  TQVINT pageWidth();
  TQVINT pageHeight();
  TQVINT resolutionX();
  TQVINT resolutionY();

 private:
  enum class Query { Width, Height, ResolutionX, ResolutionY };
  TQVINT query(Query which);
  bool pdfPrinter() const { return choice_.driver == "PDF"; }
  // The directory a saved job goes to when the port names no file (UTF-8).
  std::string saveDirectory() const;
  bool deliver(std::string& error);
  void closeJob();

  tqvPrinterChoice choice_;
  cairo_surface_t* surface_ = nullptr;
  tqvHandle context_;
  std::string temporary_;  // the PDF being written
  std::string jobName_;    // code page 1252
  std::string title_;
  std::string lastSaved_;
  bool pageOpen_ = false;
};

// The current runtime's print jobs, made on first use.
tqvPrintJobs& tqvPrinter();
// Every printer one can print to: the CUPS destinations on the desktop, then the PDF
// printer.
std::vector<tqvPrinterChoice> tqvAvailablePrinters();
// True only when there is no printer at all.
bool tqvNoPrintingAllowed();
// The saved file for a job: DIRECTORY/JOB[ - TITLE].pdf, or with " (2)", " (3)" ...
// before the extension when that file exists. Names are UTF-8; '/' becomes '-'.
std::string tqvUnusedPrintFileName(const std::string& directory, const std::string& job,
                                   const std::string& title);
