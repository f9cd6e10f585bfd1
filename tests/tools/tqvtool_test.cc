// tqvtool on files written by hand: outputs, written bytes, failures and exit status.
#include "tests/support/pdf_reading.h"
#include "tests/tools/tool_fixture.h"

namespace {

using Tqvtool = ToolTest;

// The bytes of each value are the encoding's own tests; here the tool writes them and
// reads them back.
TEST_F(Tqvtool, EncodeWritesTheBytesAndPrintReadsThemBack) {
  write("v.txt", "(list 1 \"dois\") ; trailing comment");
  ToolResult encoded = run("encode " + path("v.txt") + " " + path("v.bin"));
  ASSERT_EQ(encoded.status, 0) << encoded.err;
  EXPECT_EQ(read("v.bin"), bytes({0x23, 2, 0x20, 1, 0x22, 4, 'd', 'o', 'i', 's'}));
  ToolResult printed = run("print " + path("v.bin"));
  EXPECT_EQ(printed.status, 0);
  EXPECT_EQ(printed.out, "(list 1\n      \"dois\")\n");
}

TEST_F(Tqvtool, ArchivesBuildAndList) {
  write("items.txt", "(list 10 \"x\")");
  ASSERT_EQ(run("archive build " + path("a.dat") + " " + path("items.txt")).status, 0);
  EXPECT_EQ(read("a.dat").substr(0, 4), "0TQV");
  ToolResult listed = run("archive list " + path("a.dat"));
  EXPECT_EQ(listed.status, 0);
  EXPECT_EQ(listed.out, "(list 10\n      \"x\")\n");
}

TEST_F(Tqvtool, SortCollatesAscendingAndDescending) {
  write("l.txt", "(list \"b\" \"A\" \"a\" \"B\")");
  EXPECT_EQ(run("sort " + path("l.txt")).out,
            "(list \"A\"\n      \"a\"\n      \"B\"\n      \"b\")\n");
  EXPECT_EQ(run("sort " + path("l.txt") + " desc").out,
            "(list \"b\"\n      \"B\"\n      \"a\"\n      \"A\")\n");
}

TEST_F(Tqvtool, IndexesBuildDumpGetAndPrefix) {
  // A pair that begins with a string is written with the list keyword.
  write("pairs.txt", "(list (list \"Bravo\" 2) (list \"Brasil\" (list 1 \"um\")) (12 \"doze\"))");
  ToolResult built = run("index build " + path("c.idx") + " " + path("pairs.txt"));
  ASSERT_EQ(built.status, 0) << built.err;
  ToolResult dumped = run("index dump " + path("c.idx"));
  EXPECT_EQ(dumped.status, 0);
  // Key order is byte order: digits, then capitals, then "_".
  EXPECT_EQ(dumped.out,
            "(list (list \"12\"\n"
            "            \"doze\")\n"
            "      (list \"Brasil\"\n"
            "            (list 1\n"
            "                  \"um\"))\n"
            "      (list \"Bravo\"\n"
            "            2)\n"
            "      (list \"__TQV_INDEX_COUNT__\"\n"
            "            4))\n");
  EXPECT_EQ(run("index get " + path("c.idx") + " Bravo").out, "2\n");
  EXPECT_EQ(run("index get " + path("c.idx") + " Chile").out, "TQV_NIL\n");
  EXPECT_EQ(run("index prefix " + path("c.idx") + " Bra").out,
            "(list \"Brasil\"\n      \"Bravo\")\n");
  EXPECT_EQ(run("kf check " + path("c.idx")).status, 0);
  // Building again replaces the index whole.
  write("pairs.txt", "(list (list \"Chile\" 3))");
  ASSERT_EQ(run("index build " + path("c.idx") + " " + path("pairs.txt")).status, 0);
  EXPECT_EQ(run("index get " + path("c.idx") + " Chile").out, "3\n");
  EXPECT_EQ(run("index get " + path("c.idx") + " Bravo").out, "TQV_NIL\n");
}

TEST_F(Tqvtool, KfCheckNamesTheFault) {
  write("pairs.txt", "(list (list \"a\" 1))");
  ASSERT_EQ(run("index build " + path("d.idx") + " " + path("pairs.txt")).status, 0);
  std::string file = read("d.idx");
  ASSERT_GT(file.size(), 2048u);
  file[1024 + 12] = static_cast<char>(0x7F);  // scribble over the first node's bookkeeping
  write("d.idx", file);
  ToolResult checked = run("kf check " + path("d.idx"));
  EXPECT_EQ(checked.status, 1);
  EXPECT_NE(checked.err.find("kf check: "), std::string::npos) << checked.err;
}

TEST_F(Tqvtool, CompileWritesTablesOfADiscInLowerCase) {
  write("Media/Global.tbl", "(table (\"Cor\" red))");
  ToolResult compiled = run("compile Global" + disc());
  ASSERT_EQ(compiled.status, 0) << compiled.err;
  EXPECT_EQ(run("print " + path("Media/global.etn")).out, "(table (\"Cor\" 255))\n");
  ToolResult missing = run("compile Nada" + disc());
  EXPECT_EQ(missing.status, 1);
  EXPECT_EQ(missing.err, "Cannot find form named 'Nada'\n");
  // The almanac's compile list: its tables and its screens, each screen as its form.
  write("Media/MainForm.frm", "(form (\"Class\" \"MainForm\") (\"Name\" \"MainForm\"))");
  write("Media/Quit.frm", "(list 1 2)");
  ToolResult all = run("compile --all" + disc());
  EXPECT_EQ(all.status, 1);
  EXPECT_EQ(all.err, "compile: QuitDlg was not compiled\n");
  EXPECT_EQ(all.out, "compile: 2 files written\n");
  EXPECT_EQ(run("print " + path("Media/mainform.etn")).out,
            "(form (\"Class\" \"MainForm\")\n       (\"Name\" \"MainForm\"))\n");
}

TEST_F(Tqvtool, FailuresPrintTheReportAndExitOne) {
  ToolResult missing = run("print " + path("none.bin"));
  EXPECT_EQ(missing.status, 1);
  EXPECT_EQ(missing.err, "tqvFileStream: Cannot open " + path("none.bin") + "\n");
  EXPECT_EQ(missing.out, "");
  write("not.dat", "hello world");
  ToolResult foreign = run("archive list " + path("not.dat"));
  EXPECT_EQ(foreign.status, 1);
  EXPECT_EQ(foreign.err, "Version mismatch -- cannot open archive\n");
  write("notlist.txt", "42");
  ToolResult notList = run("archive build " + path("b.dat") + " " + path("notlist.txt"));
  EXPECT_EQ(notList.status, 1);
  EXPECT_NE(notList.err.find("does not hold a list"), std::string::npos);
  write("bad.txt", "(list 1");
  ToolResult bad = run("encode " + path("bad.txt") + " " + path("bad.bin"));
  EXPECT_EQ(bad.status, 1);
  EXPECT_EQ(bad.err, "Unterminated list: (list 1\n");
  ToolResult unwritable = run("encode " + path("notlist.txt") + " " + path("none/x.bin"));
  EXPECT_EQ(unwritable.status, 1);
  EXPECT_EQ(unwritable.err, "Cannot write " + path("none/x.bin") +
                                ": cannot create a temporary file: No such file or directory\n");
  EXPECT_NE(run("frobnicate").status, 0);
}

}  // namespace

namespace {

// The runs themselves are the parser's tests; here the tool reads a file and prints them.
TEST_F(Tqvtool, RtfPrintsTheRunsAndFontsOfAFile) {
  write("t.rtf", "{\\b Ol\\'e1}");
  ToolResult printed = run("rtf " + path("t.rtf"));
  ASSERT_EQ(printed.status, 0) << printed.err;
  EXPECT_NE(printed.out.find("(font \"Times New Roman\" 12 2)"), std::string::npos) << printed.out;
  EXPECT_NE(printed.out.find("(list 4\n"), std::string::npos);
  EXPECT_EQ(run("rtf " + path("none.rtf")).status, 1);
}

TEST_F(Tqvtool, RtfPdfPrintsTheTextOnNumberedPages) {
  write("t.rtf", "{Primeira\\par\\page Segunda\\par}");
  ToolResult printed = run("rtf " + path("t.rtf") + " --pdf " + path("t.pdf") + " --title Prova");
  ASSERT_EQ(printed.status, 0) << printed.err;
  EXPECT_EQ(pdf_reading::pages(path("t.pdf")), 2);
  std::string second = pdf_reading::text(path("t.pdf"), 2);
  for (const char* part : {"Zazuzadov Lumbra 98 - Prova", "Segunda", "Página 2 de 2"}) {
    EXPECT_NE(second.find(part), std::string::npos) << part << " in " << second;
  }
}

}  // namespace
