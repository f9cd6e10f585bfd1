// Parsing of headless scripts and of the key names they use.
#include "platform/headless/script.h"

#include "platform/keys.h"

#include <strings.h>

#include <charconv>

namespace tqvPlatform {
namespace {

std::string_view trim(std::string_view s) {
  while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
  while (!s.empty() && (s.back() == ' ' || s.back() == '\t' || s.back() == '\r'))
    s.remove_suffix(1);
  return s;
}

bool sameName(std::string_view a, std::string_view b) {
  return a.size() == b.size() && ::strncasecmp(a.data(), b.data(), a.size()) == 0;
}

// Whole-number words separated by blanks; false unless exactly `count` of them.
bool parseNumbers(std::string_view rest, int count, int32_t* out) {
  int found = 0;
  while (true) {
    rest = trim(rest);
    if (rest.empty()) break;
    size_t end = rest.find_first_of(" \t");
    std::string_view word = rest.substr(0, end);
    if (found == count) return false;
    auto [ptr, ec] = std::from_chars(word.data(), word.data() + word.size(), out[found]);
    if (ec != std::errc() || ptr != word.data() + word.size()) return false;
    ++found;
    if (end == std::string_view::npos) break;
    rest.remove_prefix(end);
  }
  return found == count;
}

bool parseKeyOnly(std::string_view name, KeyChord& chord) {
  std::vector<std::string> characters = splitCharacters(name);
  if (characters.size() == 1) {
    unsigned char c = static_cast<unsigned char>(name[0]);
    if (c < 0x80) {
      if (c < 0x20 || c == 0x7F) return false;
      chord.key = static_cast<Key>(c >= 'A' && c <= 'Z' ? c + ('a' - 'A') : c);
    } else {
      chord.key = Key::Other;
    }
    chord.character = characters[0];
    return true;
  }
  const KeyName* named = findKeyNamed(name);
  if (named == nullptr) return false;
  chord.key = named->key;
  if (named->key == Key::Space) chord.character = " ";
  return true;
}

bool fail(std::string& error, std::string_view name, int line, std::string_view reason,
          std::string_view source) {
  error = std::string(name) + ":" + std::to_string(line) + ": " + std::string(reason) + ": " +
          std::string(source);
  return false;
}

}  // namespace

std::vector<std::string> splitCharacters(std::string_view utf8) {
  std::vector<std::string> characters;
  size_t i = 0;
  while (i < utf8.size()) {
    auto lead = static_cast<unsigned char>(utf8[i]);
    size_t length = lead < 0x80           ? 1
                    : (lead >> 5) == 0x6  ? 2
                    : (lead >> 4) == 0xE  ? 3
                    : (lead >> 3) == 0x1E ? 4
                                          : 1;
    size_t take = 1;
    while (take < length && i + take < utf8.size() &&
           (static_cast<unsigned char>(utf8[i + take]) & 0xC0) == 0x80)
      ++take;
    characters.emplace_back(utf8.substr(i, take));
    i += take;
  }
  return characters;
}

bool parseKeyChord(std::string_view name, KeyChord& chord) {
  chord = KeyChord{};
  name = trim(name);
  if (name.empty()) return false;
  // Modifier prefixes end at a '+' that is not the last character ("Ctrl++" is Ctrl and +).
  for (;;) {
    size_t plus = name.find('+');
    if (plus == std::string_view::npos || plus == 0 || plus + 1 == name.size()) break;
    std::string_view prefix = name.substr(0, plus);
    if (sameName(prefix, "Ctrl") || sameName(prefix, "Control")) {
      chord.modifiers.ctrl = true;
    } else if (sameName(prefix, "Alt")) {
      chord.modifiers.alt = true;
    } else if (sameName(prefix, "Shift")) {
      chord.modifiers.shift = true;
    } else {
      return false;
    }
    name.remove_prefix(plus + 1);
  }
  if (!parseKeyOnly(name, chord)) return false;
  // A chord with Ctrl or Alt types nothing; Shift types the capital of a letter.
  if (chord.modifiers.ctrl || chord.modifiers.alt) {
    chord.character.clear();
  } else if (chord.modifiers.shift && chord.character.size() == 1) {
    char c = chord.character[0];
    if (c >= 'a' && c <= 'z') chord.character[0] = static_cast<char>(c - ('a' - 'A'));
  }
  return true;
}

bool parseScript(std::string_view text, std::string_view name, std::vector<ScriptCommand>& out,
                 std::string& error) {
  out.clear();
  int line = 0;
  size_t start = 0;
  while (start < text.size()) {
    size_t newline = text.find('\n', start);
    if (newline == std::string_view::npos) newline = text.size();
    std::string_view source = trim(text.substr(start, newline - start));
    start = newline + 1;
    ++line;
    if (source.empty() || source.front() == '#') continue;

    size_t blank = source.find_first_of(" \t");
    std::string_view word = source.substr(0, blank);
    std::string_view rest = blank == std::string_view::npos ? "" : trim(source.substr(blank));
    ScriptCommand command;
    command.line = line;
    command.source = std::string(source);

    using Kind = ScriptCommand::Kind;
    struct PointerCommand {
      const char* word;
      Kind kind;
      int numbers;
    };
    static const PointerCommand kPointer[] = {
        {"click", Kind::Click, 2}, {"dblclick", Kind::DoubleClick, 2},
        {"press", Kind::Press, 2}, {"release", Kind::Release, 2},
        {"move", Kind::Move, 2},   {"drag", Kind::Drag, 4},
    };
    bool known = false;
    for (const PointerCommand& p : kPointer) {
      if (word != p.word) continue;
      known = true;
      command.kind = p.kind;
      if (!parseNumbers(rest, p.numbers, command.numbers)) {
        return fail(error, name, line,
                    std::string(p.word) + " needs " + (p.numbers == 2 ? "X Y" : "X1 Y1 X2 Y2"),
                    source);
      }
    }
    if (known) {
      // handled above
    } else if (word == "key") {
      command.kind = Kind::KeyPress;
      if (!parseKeyChord(rest, command.chord))
        return fail(error, name, line, "no such key", source);
    } else if (word == "type") {
      command.kind = Kind::Type;
      // Inner blanks are typed; blanks at either end of the line are not.
      command.text = std::string(rest);
      if (command.text.empty()) return fail(error, name, line, "type needs some text", source);
    } else if (word == "wait") {
      command.kind = Kind::Wait;
      if (!parseNumbers(rest, 1, command.numbers) || command.numbers[0] < 0)
        return fail(error, name, line, "wait needs a number of milliseconds", source);
    } else if (word == "wheel") {
      command.kind = Kind::Wheel;
      if (!parseNumbers(rest, 3, command.numbers))
        return fail(error, name, line, "wheel needs X Y N", source);
    } else if (word == "scale") {
      command.kind = Kind::Scale;
      if (!parseNumbers(rest, 1, command.numbers) || command.numbers[0] < 1 ||
          command.numbers[0] > 4)
        return fail(error, name, line, "scale needs a number from 1 to 4", source);
    } else if (word == "answer") {
      command.kind = Kind::Answer;
      if (rest == "ok") {
        command.answer = BoxAnswer::Ok;
      } else if (rest == "cancel") {
        command.answer = BoxAnswer::Cancel;
      } else {
        return fail(error, name, line, "answer needs ok or cancel", source);
      }
    } else if (word == "expect-box") {
      command.kind = Kind::ExpectBox;
      command.text = std::string(rest);
      if (command.text.empty()) return fail(error, name, line, "expect-box needs a text", source);
    } else if (word == "expect-form") {
      command.kind = Kind::ExpectForm;
      command.text = std::string(rest);
      if (command.text.empty()) return fail(error, name, line, "expect-form needs a name", source);
    } else if (word == "shot") {
      command.kind = Kind::Shot;
      command.text = std::string(rest);
      if (command.text.empty() || command.text.find('/') != std::string::npos)
        return fail(error, name, line, "shot needs a file name", source);
    } else if (word == "click-control") {
      command.kind = Kind::ClickControl;
      command.text = std::string(rest);
      if (command.text.empty())
        return fail(error, name, line, "click-control needs a control name", source);
    } else if (word == "dump") {
      command.kind = Kind::Dump;
      command.text = std::string(rest);
      if (command.text.empty() || command.text.find('/') != std::string::npos)
        return fail(error, name, line, "dump needs a file name", source);
    } else if (word == "quit") {
      command.kind = Kind::Quit;
      if (!rest.empty()) return fail(error, name, line, "quit takes nothing", source);
    } else {
      return fail(error, name, line, "not a command", source);
    }
    out.push_back(std::move(command));
  }
  return true;
}

}  // namespace tqvPlatform
