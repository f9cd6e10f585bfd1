// The table of named keys.
#include "platform/keys.h"

#include <strings.h>

namespace tqvPlatform {
namespace {

constexpr KeyName kKeys[] = {
    {Key::Enter, "Enter", "Return", 0},
    {Key::Escape, "Esc", "Escape", 0},
    {Key::Tab, "Tab", "", 0},
    {Key::Backspace, "Backspace", "", 0},
    {Key::Space, "Space", "", 0},
    {Key::F1, "F1", "", 1},
    {Key::F2, "F2", "", 2},
    {Key::F3, "F3", "", 3},
    {Key::F4, "F4", "", 4},
    {Key::F5, "F5", "", 5},
    {Key::F6, "F6", "", 6},
    {Key::F7, "F7", "", 7},
    {Key::F8, "F8", "", 8},
    {Key::F9, "F9", "", 9},
    {Key::F10, "F10", "", 10},
    {Key::F11, "F11", "", 11},
    {Key::F12, "F12", "", 12},
    {Key::Insert, "Insert", "", 13},
    {Key::Delete, "Delete", "", 14},
    {Key::Home, "Home", "", 15},
    {Key::End, "End", "", 16},
    {Key::PageUp, "PageUp", "", 18},
    {Key::PageDown, "PageDown", "", 19},
    {Key::Left, "Left", "", 20},
    {Key::Right, "Right", "", 21},
    {Key::Up, "Up", "", 22},
    {Key::Down, "Down", "", 23},
    {Key::Shift, "Shift", "", 0},
    {Key::Ctrl, "Ctrl", "Control", 0},
    {Key::Alt, "Alt", "", 0},
};

bool sameName(std::string_view a, std::string_view b) {
  return !b.empty() && a.size() == b.size() && ::strncasecmp(a.data(), b.data(), a.size()) == 0;
}

}  // namespace

const KeyName* findKeyNamed(std::string_view name) {
  for (const KeyName& entry : kKeys) {
    if (sameName(name, entry.name) || sameName(name, entry.alias)) return &entry;
  }
  return nullptr;
}

const KeyName* findKey(Key key) {
  for (const KeyName& entry : kKeys) {
    if (entry.key == key) return &entry;
  }
  return nullptr;
}

}  // namespace tqvPlatform
