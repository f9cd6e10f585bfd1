// Print jobs in headless sessions: the numbered errors and the state rules, drawing that
// lands on the page, saved files that never overwrite, the section's printed page and a
// text view's pages, read back from the PDF files by poppler's tools.
#include <filesystem>
#include <functional>

#include "media/drawing_context.h"
#include "media/drawing_surface.h"
#include "media/image.h"
#include "media/resources.h"
#include "print/print_jobs.h"
#include "print/print_library.h"
#include "print/printed_page.h"
#include "tests/controls/controls_fixture.h"
#include "tests/support/pdf_reading.h"
#include "tests/support/temp_dir.h"
#include "values/convert.h"

namespace {

namespace fs = std::filesystem;

class PrintTest : public ControlsTest {
 protected:
  void TearDown() override {
    ControlsTest::TearDown();
    if (transcript_ != nullptr) std::fclose(transcript_);
  }
  tqvProgramSetup programSetup() override {
    tqvProgramSetup setup = ControlsTest::programSetup();
    setup.installLibraries = tqvInstallPrinting;
    return setup;
  }
  // A headless session printing into `directory` (the private one by default), with the
  // main window over it.
  void openWindow(const std::string& directory = "", const std::string& script = "") {
    tqvPlatform::HeadlessOptions options;
    std::string problem;
    EXPECT_TRUE(tqvPlatform::parseScript(script, "test", options.script, problem)) << problem;
    options.transcript = transcript_ = std::tmpfile();
    options.printDirectory = directory.empty() ? printed_.path().string() : directory;
    auto backend = std::make_unique<tqvPlatform::HeadlessBackend>(std::move(options));
    backend_ = backend.get();
    program_->setBackend(std::move(backend));
    app_->setMainWindow(tqvAppWindow::create(tqvAppTitle()));
    tqvFlushEvents(TQV_START_EVENT);
  }
  std::string boxes() {
    std::fflush(transcript_);
    std::rewind(transcript_);
    std::string text;
    for (int c; (c = std::fgetc(transcript_)) != EOF;) text += static_cast<char>(c);
    return text;
  }
  static std::string error(const std::string& number, const std::string& what) {
    return "TQV printing error " + number + ". Framework is " + what + ".";
  }

  TempDir printed_;
  std::FILE* transcript_ = nullptr;
};

TEST_F(PrintTest, CallsInTheWrongStateReportTheirErrorAndChangeNothing) {
  openWindow();
  struct Case {
    bool inJob;
    std::function<bool(tqvPrintJobs&)> call;
    std::string message;
  };
  const std::string busy = "currently printing", idle = "not currently printing";
  const Case cases[] = {
      {false, [](tqvPrintJobs& p) { return p.endJob(); }, error("6", idle)},
      {false, [](tqvPrintJobs& p) { return p.abortJob(); }, error("6a", idle)},
      {false, [](tqvPrintJobs& p) { return p.startPage(); }, error("10", idle)},
      {false, [](tqvPrintJobs& p) { return p.endPage(); }, error("12", idle)},
      {true, [](tqvPrintJobs& p) { return p.startJob("Outro"); }, error("3", busy)},
      {true, [](tqvPrintJobs& p) { return p.chooseDefaultPrinter(); }, error("1", busy)},
      {true, [](tqvPrintJobs& p) { return p.printerSetup(); }, error("2", busy)},
      {true, [](tqvPrintJobs& p) { return p.endPage(); },
       "TQV printing error 13. Framework is unable to end printing page."},
      {true, [](tqvPrintJobs& p) { return p.startPage() && p.startPage(); },
       "TQV printing error 11. Framework is unable to start printing page."},
  };
  tqvPrintJobs& printer = tqvPrinter();
  for (const Case& c : cases) {
    if (c.inJob) ASSERT_TRUE(printer.startJob("Teste"));
    const tqvObject* page = printer.context().object();
    EXPECT_FALSE(c.call(printer)) << c.message;
    EXPECT_EQ(takeError(), c.message);
    EXPECT_EQ(printer.printing(), c.inJob) << c.message;
    EXPECT_EQ(printer.context().object(), page) << c.message;
    if (c.inJob) EXPECT_TRUE(printer.abortJob());
  }
  EXPECT_TRUE(errors().empty());
  // The PDF printer is always there.
  EXPECT_FALSE(tqvNoPrintingAllowed());
  EXPECT_EQ(printer.choice().device, kPdfPrinterName);
}

TEST_F(PrintTest, AJobThatCannotStartLeavesNothingBehind) {
  TempDir scratch;
  std::string file = scratch.write("file", "x");
  struct Case {
    std::string temporary, directory, message;
  };
  const Case cases[] = {
      {"/nonexistent/tmp", "", error("4", "unable to get printer context")},
      {scratch.path().string(), file + "/sub", error("5", "unable to start print job")},
  };
  for (const Case& c : cases) {
    restartProgram();
    app_ = newApplication();
    openWindow(c.directory);
    ScopedEnv tmp("TMPDIR", c.temporary.c_str());
    EXPECT_FALSE(tqvPrinter().startJob("Teste"));
    EXPECT_EQ(takeError(), c.message);
    EXPECT_FALSE(tqvPrinter().printing());
    EXPECT_EQ(std::distance(fs::directory_iterator(scratch.path()), fs::directory_iterator()), 1);
  }
}

TEST_F(PrintTest, PrinterSetupListsThePdfPrinterAndMayBeCancelled) {
  struct Case {
    std::string keys;
    bool chosen;
  };
  const Case cases[] = {{"key Down\nkey Enter\n", true}, {"key Esc\n", false}};
  for (const Case& c : cases) {
    restartProgram();
    app_ = newApplication();
    openWindow("", c.keys);
    tqvPrinter().choose({"CUPS", "Fila", "", {}});
    EXPECT_EQ(tqvPrinter().printerSetup(), c.chosen) << c.keys;
    EXPECT_EQ(tqvPrinter().choice().device, c.chosen ? kPdfPrinterName : "Fila");
    EXPECT_TRUE(errors().empty());
  }
}

TEST_F(PrintTest, DrawingDuringAJobLandsOnThePage) {
  openWindow();
  discFile("pic.bmp",
           bitmap(30, 20, [](int x, int y) { return uint32_t(x * 8) << 8 | uint32_t(y); }));
  tqvDrawingSurface* screen = tqvScreenSurface();
  ASSERT_NE(screen, nullptr);
  tqvPrintJobs& printer = tqvPrinter();
  ASSERT_TRUE(printer.startJob("Teste") && printer.startPage());
  ASSERT_TRUE(printer.context().is(TQV_CONTEXT_TYPE));
  EXPECT_EQ(screen->cairoSurface(), tqvAsDrawingContext(printer.context())->cairoSurface());
  EXPECT_EQ(screen->surfaceWidth(), printer.pageWidth());
  screen->fillRect(0, 0, 50, 50, 0x0000FF);
  screen->line(0, 60, 600, 60, 0);
  screen->drawImage(tqvResolve(S("pic.bmp")), 100, 100);
  screen->drawTextAt(S("Desenho comum"), 100, 200);
  EXPECT_EQ(pixel(10, 10), 0x000000u);  // the screen stays as it was
  ASSERT_TRUE(printer.endPage() && printer.endJob());
  screen->fillRect(0, 0, 50, 50, 0x0000FF);
  EXPECT_EQ(pixel(10, 10), 0xFF0000u);
  EXPECT_EQ(pdf_reading::pages(printer.lastSaved()), 1);
  EXPECT_EQ(pdf_reading::images(printer.lastSaved()), 1);
  EXPECT_NE(pdf_reading::text(printer.lastSaved()).find("Desenho comum"), std::string::npos);
}

TEST_F(PrintTest, QueriesTellTheA4PageOrReportAPrinterOutOfReach) {
  openWindow();
  struct Case {
    std::function<TQVINT(tqvPrintJobs&)> query;
    TQVINT pdfAnswer;
    const char* number;
  };
  const Case cases[] = {{[](tqvPrintJobs& p) { return p.pageWidth(); }, 2480, "15"},
                        {[](tqvPrintJobs& p) { return p.pageHeight(); }, 3508, "17"},
                        {[](tqvPrintJobs& p) { return p.resolutionX(); }, 300, "23"},
                        {[](tqvPrintJobs& p) { return p.resolutionY(); }, 300, "25"}};
  tqvPrintJobs& printer = tqvPrinter();
  for (const Case& c : cases) {
    printer.choose({"PDF", kPdfPrinterName, "", {}});
    EXPECT_EQ(c.query(printer), c.pdfAnswer);
    printer.choose({"CUPS", "Fila", "", {}});  // headless sessions reach no CUPS queue
    EXPECT_EQ(c.query(printer), -1);
    EXPECT_EQ(takeError(), error(c.number, "unable to get printer information context"));
  }
}

TEST_F(PrintTest, PicturesFillTheWidthOrTheHeightCentred) {
  const tqvPrintRect area{100, 200, 1100, 900};  // 1000 x 700
  struct Case {
    TQVINT width, height;
    tqvPrintRect placed;
  };
  const Case cases[] = {
      {400, 100, {100, 425, 1100, 675}},  // wide: 1000 x 250
      {100, 400, {512, 200, 687, 900}},   // tall: 175 x 700
      {50, 50, {250, 200, 950, 900}},     // square: 700 x 700
      {0, 10, {100, 200, 100, 200}},      // nothing to draw
  };
  for (const Case& c : cases) {
    EXPECT_EQ(tqvFitPicture(area, c.width, c.height), c.placed) << c.width << "x" << c.height;
  }
}

TEST_F(PrintTest, SectionPagesAreSavedUnderNewNamesAndAnnounced) {
  openWindow();
  discFile("wide.bmp",
           bitmap(80, 20, [](int x, int y) { return uint32_t(x * 3) << 16 | uint32_t(y * 9); }));
  tqvPrintedPage page;
  page.jobName = tqvSectionJobName(tqvPrintingSection::Infographics);
  page.title = S("Brasil");
  page.image = tqvResolve(S("wide.bmp"));
  ASSERT_NE(tqvAsImage(page.image), nullptr);
  ASSERT_TRUE(tqvPrintPage(page));
  ASSERT_TRUE(tqvPrintPage(page));
  std::string first = printed_.file("LX99 - Infográfico - Brasil.pdf");
  std::string second = printed_.file("LX99 - Infográfico - Brasil (2).pdf");
  ASSERT_TRUE(fs::exists(first) && fs::exists(second));
  EXPECT_NE(boxes().find("O documento impresso foi salvo em " + second), std::string::npos)
      << boxes();
  std::string text = pdf_reading::text(second);
  for (const char* part : {"Zazuzadov Lumbra 98 - Brasil", "Copyright", "Página 1"}) {
    EXPECT_NE(text.find(part), std::string::npos) << part << " in " << text;
  }
  EXPECT_EQ(pdf_reading::images(second), 1);
  EXPECT_TRUE(errors().empty());
}

TEST_F(PrintTest, TextViewsPrintTheirPagesNumberedOfTheTotal) {
  openWindow();
  discFile("pic.bmp", solid(40, 30, 0xFF0000));
  show(R"((form ("Control List" (list
         (control ("Class" "TextView") ("Name" "Texto") ("Hot Spot" (rect 20 20 400 200)))))))");
  tqvPerform(control("Texto"), "SetText",
             S("Primeira {\\img pic.bmp\\}\\par\\page Segunda\\par\\page Terceira"));
  struct Case {
    bool noBitmaps;
    const char* text;  // printed in place of the view's
    std::string file;
    int pages, images;
  };
  const Case cases[] = {{false, nullptr, "Lumbra - Rios.pdf", 3, 1},
                        {true, nullptr, "Lumbra - Rios (2).pdf", 3, 0},
                        {false, "Outro texto", "Lumbra - Rios (3).pdf", 1, 0}};
  for (const Case& c : cases) {
    tqvHandle data = read(R"((table ("Title" "Rios") ("Footer" "Rodape de teste")))");
    tqvPut(data, "NoBitmaps", tqvMakeBoolean(c.noBitmaps));
    if (c.text != nullptr) tqvPut(data, "Text", S(c.text));
    EXPECT_TRUE(tqvFlagOf(tqvPerform(control("Texto"), "Print", data), false));
    std::string pdf = printed_.file(c.file);
    ASSERT_EQ(pdf_reading::pages(pdf), c.pages) << c.file;
    EXPECT_EQ(pdf_reading::images(pdf), c.images) << c.file;
  }
  EXPECT_NE(pdf_reading::text(printed_.file(cases[2].file)).find("Outro texto"), std::string::npos);
  std::string first = pdf_reading::text(printed_.file(cases[0].file), 1);
  std::string last = pdf_reading::text(printed_.file(cases[0].file), 3);
  for (const char* part :
       {"Zazuzadov Lumbra 98 - Rios", "Primeira", "Rodape de teste", "Página 1 de 3"}) {
    EXPECT_NE(first.find(part), std::string::npos) << part << " in " << first;
  }
  EXPECT_NE(last.find("Terceira"), std::string::npos) << last;
  EXPECT_NE(last.find("Página 3 de 3"), std::string::npos) << last;
  EXPECT_TRUE(errors().empty());
}

}  // namespace
