// Scripts of headless sessions: one command a line, '#' starts a comment line.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "platform/platform.h"

namespace tqvPlatform {

// A key as a script names it: "Enter", "F4", "Alt+F4", "Ctrl+C", "a", "é".
struct KeyChord {
  Modifiers modifiers;
  Key key = Key::None;
  std::string character;  // UTF-8 text the key types when pressed alone ("" for none)
};

struct ScriptCommand {
  enum class Kind {
    Click,
    DoubleClick,
    Press,
    Release,
    Move,
    Drag,
    KeyPress,
    Type,
    Wait,
    Answer,
    ExpectBox,
    ExpectForm,
    Shot,
    ClickControl,
    Dump,
    Scale,
    Wheel,
    Quit,
  };
  Kind kind = Kind::Quit;
  int line = 0;             // 1-based line number in the script
  std::string source;       // the line as written, without surrounding blanks
  int32_t numbers[4] = {};  // X Y (click...), X1 Y1 X2 Y2 (drag), MS (wait), N (scale),
                            // X Y N (wheel)
  std::string text;         // type, expect-box and expect-form text, shot and dump file
                            // names, click-control control name
  KeyChord chord;           // key
  BoxAnswer answer = BoxAnswer::Ok;
};

// Parses a whole script. On the first line that is not a command, returns false with
// "NAME:LINE: reason: LINE-TEXT" in `error`.
bool parseScript(std::string_view text, std::string_view name, std::vector<ScriptCommand>& out,
                 std::string& error);

// Parses a key name; false when it names no key.
bool parseKeyChord(std::string_view name, KeyChord& chord);

// Splits UTF-8 text into its characters (a malformed byte counts as one character).
std::vector<std::string> splitCharacters(std::string_view utf8);

}  // namespace tqvPlatform
