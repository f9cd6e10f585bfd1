// The resource manager: lookup order, media root, file location, references, compiled
// tables, traces and the disc prompt.
#include "media/resources.h"

#include <gmock/gmock.h>

#include <chrono>
#include <filesystem>

#include "framework/cursor.h"
#include "framework/form_object.h"
#include "media/cursors.h"
#include "storage/encoding.h"
#include "storage/memory_stream.h"
#include "storage/notation.h"
#include "tests/media/media_fixture.h"
#include "values/values.h"

namespace {

using Resources = MediaTest;

TEST_F(Resources, MediaRootJoinsTheDiscAndTheMediaPath) {
  setEnv("SourceDisk", "D:\\");
  setEnv("MediaPath", "Media");
  EXPECT_EQ(tqvStringView(tqvMediaRoot()), "D:\\\\Media");  // the join adds a backslash
  setEnv("SourceDisk", "D:");
  EXPECT_EQ(tqvStringView(tqvMediaRoot()), "D:\\Media");
  setEnv("MediaPath", "C:\\Data");
  EXPECT_EQ(tqvStringView(tqvMediaRoot()), "C:\\Data");
}

TEST_F(Resources, FilesLoadByTheirExtensionUnderTheMediaRoot) {
  discFile("Media/pic.tbl", "(table (\"A\" 1))");
  tqvPlatform::setDriveRoot('D', discPath());
  setEnv("SourceDisk", "D:\\");
  setEnv("MediaPath", "Media");
  tqvHandle table = tqvResolve(S("pic.tbl"));  // D:\\Media\pic.tbl is D:\Media\pic.tbl
  EXPECT_EQ(tqvGet(table, "A").intValue(), 1);
  // Extensions are compared in lower case; unknown ones load nothing.
  discFile("Media/other.TBL", "(table (\"B\" 2))");
  EXPECT_EQ(tqvGet(tqvResolve(S("other.TBL")), "B").intValue(), 2);
  discFile("Media/notes.xyz", "(table (\"C\" 3))");
  EXPECT_TRUE(tqvResolve(S("notes.xyz")).isNil());
  EXPECT_TRUE(tqvResolve(S("missing.tbl")).isNil());
  tqvPlatform::setDriveRoot('D', "");
}

TEST_F(Resources, NamesWithoutExtensionsComeOnlyFromFormsAndGlobals) {
  discFile("Media/Control List", "(table (\"x\" 1))");
  useDisc();
  EXPECT_TRUE(tqvResolve(S("Control List")).isNil());
  app_->setGlobal("Control List", S("global"));
  EXPECT_EQ(tqvStringView(tqvResolve(S("Control List"))), "global");
}

TEST_F(Resources, TheActiveFormHidesGlobalsOfTheSameName) {
  app_->setGlobal("Background Image", S("from globals"));
  tqvHandle formValue = tqvWrapForm(new tqvFormObject());
  tqvPut(formValue, "Background Image", S("from the form"));
  app_->setActiveForm(formValue);
  EXPECT_EQ(tqvStringView(tqvResolve(S("Background Image"))), "from the form");
  app_->setActiveForm(TQV_NIL);
  EXPECT_EQ(tqvStringView(tqvResolve(S("Background Image"))), "from globals");
}

TEST_F(Resources, ReferencesLoadAgainAtEveryResolution) {
  discFile("Media/count.tbl", "(table (\"n\" 1))");
  useDisc();
  tqvHandle reference = tqvMakeResourceReference(S("count.tbl"));
  EXPECT_EQ(reference.type(), TQV_REFERENCE_TYPE);
  EXPECT_EQ(tqvGet(tqvResolve(reference), "n").intValue(), 1);
  discFile("Media/count.tbl", "(table (\"n\" 2))");
  EXPECT_EQ(tqvGet(tqvResolve(reference), "n").intValue(), 2);
  // A global that is itself a reference is followed too, and generic operations on a
  // reference reach the loaded table.
  app_->setGlobal("Counter", reference);
  EXPECT_EQ(tqvGet(tqvResolve(S("Counter")), "n").intValue(), 2);
  EXPECT_EQ(tqvGet(reference, "n").intValue(), 2);
  EXPECT_TRUE(tqvResolve(TQV_NIL).isNil());
}

TEST_F(Resources, AResourceThatRefersBackToItselfEndsWithAReport) {
  discFile("Media/self.tbl", "(reference \"self.tbl\")");
  discFile("Media/ping.tbl", "(reference \"pong.tbl\")");
  discFile("Media/pong.tbl", "(reference \"ping.tbl\")");
  discFile("Media/loop.lst", "(list (image \"loop.lst\"))");
  useDisc();
  app_->setGlobal("Own", tqvMakeResourceReference(S("Own")));
  // A file whose value is a reference to itself, two files naming each other, a global
  // referring to itself, a file whose notation loads itself while it is read.
  for (const char* name : {"self.tbl", "pong.tbl", "Own", "loop.lst"}) {
    tqvHandle value = tqvResolve(S(name));
    EXPECT_TRUE(value.isNil() || value.is(TQV_LIST_TYPE)) << name;
    ASSERT_EQ(errors().size(), 1u) << name;
    EXPECT_THAT(errors().front(),
                ::testing::MatchesRegex("Cannot load resource: .* \\(it refers back to itself\\)"));
    errors().clear();
  }
}

TEST_F(Resources, ResourceFatalReportsWhatCouldNotBeLoaded) {
  EXPECT_TRUE(tqvResolveOrFail(S("absent.bmp")).isNil());
  EXPECT_EQ(takeError(), "<no error>");
  app_->setEnvironment("ResourceFatal", TQV_TRUE);
  tqvResolveOrFail(S("absent.bmp"));
  EXPECT_EQ(takeError(), "Cannot load resource: absent.bmp");
}

TEST_F(Resources, DirectoryListsAreSearchedInOrderAndTheLastOneIsTheDefault) {
  discFile("B/Verbetes.dat", "x");
  std::string a = discPath("A"), b = discPath("B"), c = discPath("C");
  setEnv("dat", a + ";" + b + ";" + c);
  EXPECT_EQ(tqvStringView(tqvLocateFile(S("Verbetes"), S("DAT"))), b + "\\Verbetes.dat");
  EXPECT_EQ(tqvStringView(tqvLocateFile(S("Nowhere.dat"), TQV_NIL)), c + "\\Nowhere.dat");
  setEnv("dat", a);
  EXPECT_EQ(tqvStringView(tqvLocateFile(S("Nowhere.dat"), TQV_NIL)), a + "\\Nowhere.dat");
  setEnv("SourceDisk", "E:");
  setEnv("MediaPath", "Media");
  EXPECT_EQ(tqvStringView(tqvLocateFile(S("Other.idx"), TQV_NIL)), "E:\\Media\\Other.idx");
}

TEST_F(Resources, DirectoryListsFollowFilesThatComeAndGoInAnyCase) {
  std::string a = discPath("A"), b = discPath("B"), c = discPath("C");
  discFile("B/verbetes.DAT", "x");
  std::filesystem::create_directories(a);
  // Directories untouched for an hour: what was read of them earlier is kept.
  auto quiet = [&] {
    for (const std::string& dir : {a, b}) {
      std::filesystem::last_write_time(
          dir, std::filesystem::file_time_type::clock::now() - std::chrono::hours(1));
    }
  };
  setEnv("dat", a + ";" + b + ";" + c);
  struct Step {
    const char* change;  // "+NAME" creates NAME under the disc, "-NAME" removes it
    std::string expected;
  } steps[] = {
      {"", b},
      {"+A/VERBETES.dat", a},
      {"-A/VERBETES.dat", b},
      {"-B/verbetes.DAT", c},
  };
  for (const Step& step : steps) {
    quiet();
    tqvLocateFile(S("Verbetes"), S("DAT"));
    std::string_view change = step.change;
    if (change.starts_with('+')) discFile(std::string(change.substr(1)), "x");
    if (change.starts_with('-')) std::filesystem::remove(discPath(std::string(change.substr(1))));
    EXPECT_EQ(tqvStringView(tqvLocateFile(S("Verbetes"), S("DAT"))),
              step.expected + "\\Verbetes.dat")
        << "after '" << step.change << "'";
  }
}

TEST_F(Resources, FullInstallFallsBackToTheDiscCopy) {
  setEnv("SourceDisk", "E:");
  setEnv("MediaPath", "Media");
  setEnv("FullInstall", "1");
  EXPECT_TRUE(tqvInstalledWithDisc());
  setEnv("dat", discPath("hd"));
  // Not on the hard disk: the path on the disc (the disc joined with the media root).
  // The media root already begins with a drive, so joining it to the disc keeps it whole.
  EXPECT_EQ(tqvStringView(tqvLocateFile(S("Midias"), S("dat"))), "E:\\Media\\Midias.dat");
  discFile("hd/Midias.dat", "x");
  EXPECT_EQ(tqvStringView(tqvLocateFile(S("Midias"), S("dat"))), discPath("hd") + "\\Midias.dat");
}

TEST_F(Resources, TracesShowMessageBoxes) {
  useWindow();
  discFile("Media/t.tbl", "(table)");
  useDisc();
  app_->setEnvironment("TraceResourceLoads", TQV_TRUE);
  app_->setEnvironment("TraceFileOpens", TQV_TRUE);
  tqvResolve(S("t.tbl"));
  tqvLocateFile(S("gone.idx"), TQV_NIL);
  std::string boxes = transcript();
  EXPECT_NE(boxes.find("Loading resource: " + discPath() + "\\Media\\t.tbl"), std::string::npos)
      << boxes;
  EXPECT_NE(boxes.find("Não foi possível localizar" + discPath() + "\\Media\\gone.idx"),
            std::string::npos)
      << boxes;
}

TEST_F(Resources, TablesCompileToLowerCaseEtnFilesThatLoadBack) {
  discFile("Media/Cores.tbl", "(table (\"Fundo\" (rgb 1 2 3)) (\"Nome\" \"azul\"))");
  useDisc();
  ASSERT_TRUE(tqvCompileTable(S("Cores")));
  EXPECT_TRUE(std::filesystem::exists(discPath("media/cores.etn")) ||
              std::filesystem::exists(discPath("Media/cores.etn")));
  tqvHandle compiled = tqvResolve(S("cores.etn"));
  EXPECT_EQ(tqvGet(compiled, "Fundo").intValue(), 1 + 2 * 256 + 3 * 65536);
  EXPECT_EQ(tqvStringView(tqvGet(compiled, "Nome")), "azul");
  EXPECT_FALSE(tqvCompileTable(S("Missing")));
  EXPECT_EQ(takeError(), "Cannot load resource: Missing.tbl");
}

TEST_F(Resources, TheDiscPromptRepeatsUntilTheDiscIsThereOrCancel) {
  tqvPlatform::HeadlessBackend& backend = useWindow("answer cancel\n");
  tqvPlatform::InputEvent input;
  backend.nextInput(input, 0);  // runs the script's "answer cancel"
  useDisc();
  EXPECT_FALSE(tqvAskForDisc());
  EXPECT_NE(transcript().find("Por favor insira o CD ROM do Lumbra e clique OK."),
            std::string::npos);
  discFile("Media/Midias.dat", "x");
  EXPECT_TRUE(tqvAskForDisc());
}

TEST_F(Resources, TheNotationReadsReferencesImagesAndSounds) {
  discFile("Media/lista.lst", "(list 1 2)");
  useDisc();
  tqvHandle reference = tqvDecodeStandard(S("(reference \"lista.lst\")"));
  EXPECT_EQ(tqvStringView(tqvReferenceName(reference)), "lista.lst");
  EXPECT_EQ(tqvCount(tqvResolve(reference)), 2);
  EXPECT_TRUE(tqvDecodeStandard(S("(image \"none.bmp\")")).isNil());
  EXPECT_EQ(takeError(), "<no error>");
}

}  // namespace

namespace {

TEST_F(Resources, CursorsComeFromTheirResourceNumbers) {
  tqvHandle hand = tqvCursorFromResource(102);
  ASSERT_EQ(hand.type(), TQV_CURSOR_TYPE);
  EXPECT_EQ(hand.as<tqvCursorObject>()->shape(), tqvPlatform::Cursor::Hand);
  EXPECT_EQ(hand.as<tqvCursorObject>()->resource(), 102);
  EXPECT_EQ(tqvCursorFromResource(104).as<tqvCursorObject>()->shape(), tqvPlatform::Cursor::Key);
  EXPECT_TRUE(tqvCursorFromResource(103).isNil());
  EXPECT_EQ(takeError(), "Cannot find cursor resource: 103");
}

}  // namespace

namespace {

TEST_F(Resources, ReferencesEncodeAsTheirName) {
  tqvHandle stream = tqvMemoryStream(nullptr, 0);
  tqvEncode(stream, tqvMakeResourceReference(tqvMakeString("a.bmp")));
  auto* s = stream.as<tqvMemoryStreamObject>();
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(s->data()), s->position()),
            std::string("\x1A\x22\x05"
                        "a.bmp"));
  s->seek(0);
  tqvHandle back = tqvDecode(stream);
  ASSERT_EQ(back.type(), TQV_REFERENCE_TYPE);
  EXPECT_EQ(tqvStringView(tqvReferenceName(back)), "a.bmp");
}

}  // namespace
