// Controls: making them from definitions, their properties and actions, the built-in
// class order, and forms and controls in the text notation and the binary encoding.
#include "framework/control_object.h"

#include <gtest/gtest.h>

#include "framework/builtin_classes.h"
#include "framework/class_registry.h"
#include "storage/encoding.h"
#include "storage/memory_stream.h"
#include "tests/framework/forms_fixture.h"
#include "values/convert.h"
#include "values/text.h"

namespace {

using Controls = FormsTest;

TEST_F(Controls, ADefinitionWithoutAClassIsReported) {
  EXPECT_TRUE(tqvMakeControl(read("(table (\"Name\" \"x\"))")).isNil());
  EXPECT_EQ(takeError(), "Control data must have a 'Class' property:\n(table (\"Name\" \"x\"))");
}

TEST_F(Controls, TheRegisteredClassMakesTheControlElseThePlainClass) {
  tqvRegisterClass(tqvHandle::wrap(new RecordingControl(tqvHandle()), TQV_CLASS_TYPE));
  tqvHandle made = tqvMakeControl(read("(table (\"Class\" \"Recorder\"))"));
  ASSERT_NE(tqvAsControl(made), nullptr);
  EXPECT_EQ(tqvAsControl(made)->className(), "Recorder");
  tqvHandle plain =
      tqvMakeControl(read("(table (\"Class\" \"Nobody\") (\"Hot Spot\" (rect 1 2 3 4)))"));
  EXPECT_EQ(tqvAsControl(plain)->className(), "tqvControlObject");
  // A plain control is hit through its hot spot and is triggered like any other.
  EXPECT_TRUE(tqvAsControl(plain)->hitTest(4, 6));
  EXPECT_FALSE(tqvAsControl(plain)->hitTest(5, 7));
}

TEST_F(Controls, BaseStateComesFromTheProperties) {
  tqvHandle c = tqvMakeControl(
      read("(table (\"Class\" \"X\") (\"Hot Spot\" (rect 10 20 30 40)) (\"Help\" \"ajuda\")"
           " (\"Count\" \"12 apples\"))"));
  tqvControlObject* control = tqvAsControl(c);
  EXPECT_TRUE(control->isVisible());
  EXPECT_TRUE(control->isEnabled());
  EXPECT_EQ(tqvStringView(control->help()), "ajuda");
  EXPECT_EQ(control->integer("Count", -1), 12);
  EXPECT_EQ(control->integer("Missing", -1), -1);
  EXPECT_EQ(tqvLeft(c), 10);
  EXPECT_EQ(tqvTop(c), 20);
  EXPECT_EQ(tqvWidth(c), 30);
  EXPECT_EQ(tqvHeight(c), 40);
  tqvPerform(c, "Activate");
  EXPECT_TRUE(control->isActive());
  tqvPut(c, "Disabled", TQV_TRUE);
  EXPECT_FALSE(control->isEnabled());
  EXPECT_TRUE(control->help().isNil());  // disabled controls give no help
  tqvPut(c, "Disabled", TQV_FALSE);
  tqvPut(c, "Hidden", TQV_TRUE);
  EXPECT_FALSE(control->isEnabled());  // hidden counts as disabled
  EXPECT_FALSE(control->mayBecomeActive());
  tqvRemoveKey(c, S("Hot Spot"));
  EXPECT_EQ(tqvWidth(c), 0);
  EXPECT_FALSE(control->hitTest(15, 25));
}

TEST_F(Controls, BuiltInClassesAreRegisteredFromThePrototypesGiven) {
  tqvRegisterBuiltInClasses([](std::string_view name) -> tqvHandle {
    return name == "Button" ? tqvHandle::wrap(new RecordingControl(tqvHandle()), TQV_CLASS_TYPE)
                            : tqvHandle();
  });
  // The prototype is registered under its own class name; a name given nil is left out.
  EXPECT_FALSE(tqvFindClass("Recorder").isNil());
  EXPECT_TRUE(tqvFindClass("Bitmap").isNil());
}

TEST_F(Controls, FormsAndControlsPrintInTheNotationAndReadBack) {
  const char* text =
      "(form (\"Name\" \"Main\")\n"
      "      (\"Control List\" (list (control (\"Class\" \"HotSpot\")))))";
  tqvHandle form = read(text);
  ASSERT_NE(tqvAsFormObject(form), nullptr);
  tqvHandle control = tqvGet(tqvGet(form, "Control List"), 0);
  ASSERT_TRUE(control.is(TQV_CONTROL_TYPE));
  EXPECT_EQ(tqvToStdString(control, true), "(control (\"Class\" \"HotSpot\"))");
  std::string printed = tqvToStdString(form, true);
  EXPECT_EQ(printed.rfind("(form (", 0), 0u);
  tqvHandle again = read(printed);
  EXPECT_EQ(tqvToStdString(again, true), printed);
}

TEST_F(Controls, AControlEncodesAsTag22AndItsPropertyTable) {
  tqvHandle properties = tqvTable(1);
  tqvPut(properties, "Class", S("X"));
  tqvHandle control = tqvMakeControl(properties);
  tqvHandle stream = tqvMemoryStream(nullptr, 0);
  tqvEncode(stream, control);
  // 22, then the table: 9, capacity 1, count 1, "Class" and "X" as short strings.
  const unsigned char expected[] = {22, 9, 1,   0,   0,   0,   1,   0,  0, 0,
                                    34, 5, 'C', 'l', 'a', 's', 's', 34, 1, 'X'};
  auto* s = static_cast<tqvMemoryStreamObject*>(tqvAsStream(stream));
  ASSERT_EQ(s->position(), static_cast<TQVINT>(sizeof expected));
  for (size_t i = 0; i < sizeof expected; ++i) {
    EXPECT_EQ(s->data()[i], expected[i]) << "byte " << i;
  }
  s->seek(0);
  tqvHandle decoded = tqvDecode(stream);
  ASSERT_TRUE(decoded.is(TQV_CONTROL_TYPE));
  EXPECT_EQ(tqvStringView(tqvGet(decoded, "Class")), "X");

  // A form: 23 and its table.
  tqvHandle formStream = tqvMemoryStream(nullptr, 0);
  tqvEncode(formStream, tqvMakeForm(properties));
  EXPECT_EQ(static_cast<tqvMemoryStreamObject*>(tqvAsStream(formStream))->data()[0], 23);
}

TEST_F(Controls, AControlThatHoldsItselfStopsTheEncoding) {
  tqvHandle control = tqvMakeControl(read("(table (\"Class\" \"X\"))"));
  tqvHandle list = tqvMakeList();
  tqvAddItem(list, control);
  tqvPut(control, "Members", list);
  tqvEncode(tqvMemoryStream(nullptr, 0), control);
  EXPECT_EQ(takeError(), "Cannot encode controls and forms nested deeper than 64");
  tqvRemoveKey(control, S("Members"));  // breaks the cycle
}

}  // namespace
