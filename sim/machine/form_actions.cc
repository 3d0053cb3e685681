// What the user does on a form, as scripts write it: parsing and writing
// the actions, and the names of keys.
#include <cctype>
#include <charconv>

#include "sim/machine/sim_controls.h"
#include "sim/machine/sim_ui.h"
#include "platform/text.h"

namespace pinlet::sim {
namespace {

using Kind = FormAction::Kind;

struct Verb {
  std::string_view word;
  Kind kind;
  const char* usage;
};

constexpr Verb kVerbs[] = {
    {"click", Kind::kClick, "click CONTROL [left|right|middle]"},
    {"dblclick", Kind::kDblClick, "dblclick CONTROL [ENTRY]"},
    {"mousedown", Kind::kMouseDown, "mousedown CONTROL [left|right|middle]"},
    {"mouseup", Kind::kMouseUp, "mouseup CONTROL [left|right|middle]"},
    {"hover", Kind::kHover, "hover CONTROL"},
    {"type", Kind::kType, "type CONTROL TEXT"},
    {"key", Kind::kKey, "key CONTROL KEY"},
    {"set", Kind::kSet, "set CONTROL VALUE"},
    {"choose", Kind::kChoose, "choose CONTROL ENTRY"},
    {"select", Kind::kSelect, "select CONTROL START LENGTH"},
    {"close", Kind::kClose, "close"},
    {"resize", Kind::kResize, "resize WIDTH HEIGHT"},
    {"move", Kind::kMove, "move LEFT TOP"},
    {"show", Kind::kShow, "show"},
};

constexpr std::pair<std::string_view, int> kButtons[] = {{"left", ui::mouse::kLeft},
                                                         {"right", ui::mouse::kRight},
                                                         {"middle", ui::mouse::kMiddle}};

constexpr std::pair<std::string_view, int> kKeys[] = {
    {"enter", ui::key::kReturn},  {"return", ui::key::kReturn},
    {"tab", ui::key::kTab},       {"escape", ui::key::kEscape},
    {"esc", ui::key::kEscape},    {"space", ui::key::kSpace},
    {"back", ui::key::kBack},     {"backspace", ui::key::kBack},
    {"delete", ui::key::kDelete}, {"del", ui::key::kDelete},
    {"left", ui::key::kLeft},     {"right", ui::key::kRight},
    {"up", ui::key::kUp},         {"down", ui::key::kDown},
    {"home", ui::key::kHome},     {"end", ui::key::kEnd},
};

std::string ButtonWord(int button) {
  for (auto& [word, b] : kButtons)
    if (b == button) return std::string(word);
  return "left";
}

bool ParseNumber(std::string_view word, int32_t& value) {
  auto [end, ec] = std::from_chars(word.data(), word.data() + word.size(), value);
  return ec == std::errc() && end == word.data() + word.size();
}

bool ParseOne(const std::vector<std::string>& words, FormAction& action,
              std::string& error) {
  const Verb* verb = nullptr;
  for (const Verb& v : kVerbs)
    if (EqualsIgnoringCase(v.word, words[0])) verb = &v;
  if (!verb) {
    error = "unknown action '" + words[0] +
            "' (click, dblclick, mousedown, mouseup, hover, type, key, set, choose, "
            "select, close, resize, move, show)";
    return false;
  }
  action = FormAction();
  action.kind = verb->kind;
  auto usage = [&] {
    error = std::string("usage: ") + verb->usage;
    return false;
  };
  size_t n = words.size() - 1;
  switch (verb->kind) {
    case Kind::kClose:
    case Kind::kShow:
      return n == 0 || usage();
    case Kind::kResize:
    case Kind::kMove:
      return (n == 2 && ParseNumber(words[1], action.a) &&
              ParseNumber(words[2], action.b)) ||
             usage();
    case Kind::kHover:
      if (n != 1) return usage();
      action.control = words[1];
      return true;
    case Kind::kClick:
    case Kind::kMouseDown:
    case Kind::kMouseUp:
      if (n < 1 || n > 2) return usage();
      action.control = words[1];
      if (n == 2) {
        action.button = 0;
        for (auto& [word, b] : kButtons)
          if (EqualsIgnoringCase(word, words[2])) action.button = b;
        if (!action.button) return usage();
      }
      return true;
    case Kind::kDblClick:
      if (n < 1 || n > 2) return usage();
      action.control = words[1];
      if (n == 2) action.text = words[2];
      return true;
    case Kind::kSelect:
      if (n != 3 || !ParseNumber(words[2], action.a) ||
          !ParseNumber(words[3], action.b) || action.a < 0 || action.b < 0)
        return usage();
      action.control = words[1];
      return true;
    case Kind::kKey: {
      int key_code, shift;
      if (n != 2) return usage();
      if (!ParseKey(words[2], key_code, shift)) {
        error =
            "unknown key '" + words[2] + "' (a letter, a digit, F1-F12, Enter, Tab, " +
            "Escape, Space, Back, Delete, arrows, Home, End, with Ctrl+, Shift+, Alt+)";
        return false;
      }
      action.control = words[1];
      action.text = words[2];
      return true;
    }
    case Kind::kType:
    case Kind::kSet:
    case Kind::kChoose:
      if (n != 2) return usage();
      action.control = words[1];
      action.text = words[2];
      return true;
  }
  return usage();
}

}  // namespace

FormAction FormAction::Click(std::string control, int button) {
  FormAction action;
  action.control = std::move(control);
  action.button = button;
  return action;
}

FormAction FormAction::Mouse(Kind kind, std::string control, int button) {
  FormAction action = Click(std::move(control), button);
  action.kind = kind;
  return action;
}

FormAction FormAction::Resize(int32_t width, int32_t height) {
  FormAction action;
  action.kind = Kind::kResize;
  action.a = width;
  action.b = height;
  return action;
}

FormAction FormAction::Type(std::string control, std::string text) {
  FormAction action;
  action.kind = Kind::kType;
  action.control = std::move(control);
  action.text = std::move(text);
  return action;
}

FormAction FormAction::Key(std::string control, std::string key) {
  FormAction action = Type(std::move(control), std::move(key));
  action.kind = Kind::kKey;
  return action;
}

FormAction FormAction::Set(std::string control, std::string value) {
  FormAction action = Type(std::move(control), std::move(value));
  action.kind = Kind::kSet;
  return action;
}

FormAction FormAction::Choose(std::string control, std::string entry) {
  FormAction action = Type(std::move(control), std::move(entry));
  action.kind = Kind::kChoose;
  return action;
}

FormAction FormAction::Close() {
  FormAction action;
  action.kind = Kind::kClose;
  return action;
}

std::string FormAction::ToString() const {
  std::string verb;
  for (const Verb& v : kVerbs)
    if (v.kind == kind) verb = std::string(v.word);
  switch (kind) {
    case Kind::kClose:
    case Kind::kShow:
      return verb;
    case Kind::kResize:
    case Kind::kMove:
      return verb + " " + std::to_string(a) + " " + std::to_string(b);
    case Kind::kSelect:
      return verb + " " + control + " " + std::to_string(a) + " " + std::to_string(b);
    case Kind::kClick:
    case Kind::kMouseDown:
    case Kind::kMouseUp:
      return verb + " " + control +
             (button == ui::mouse::kLeft ? "" : " " + ButtonWord(button));
    case Kind::kHover:
      return verb + " " + control;
    case Kind::kKey:
      return verb + " " + control + " " + text;
    case Kind::kDblClick:
      return verb + " " + control + (text.empty() ? "" : " " + QuotedText(text));
    case Kind::kType:
    case Kind::kSet:
    case Kind::kChoose:
      return verb + " " + control + " " + QuotedText(text);
  }
  return verb;
}

bool ParseFormActions(const std::vector<std::string>& words,
                      std::vector<FormAction>& actions, std::string& error) {
  std::vector<std::string> group;
  auto flush = [&] {
    if (group.empty()) {
      error = "an empty action between \";\"";
      return false;
    }
    FormAction action;
    if (!ParseOne(group, action, error)) return false;
    actions.push_back(std::move(action));
    group.clear();
    return true;
  };
  for (const std::string& word : words) {
    bool ends = !word.empty() && word.back() == ';';
    std::string part = ends ? word.substr(0, word.size() - 1) : word;
    if (!part.empty()) group.push_back(std::move(part));
    if (ends && !flush()) return false;
  }
  if (!group.empty()) return flush();
  if (actions.empty()) error = "no action given";
  return !actions.empty();
}

bool ParseKey(std::string_view text, int& key_code, int& shift) {
  shift = 0;
  for (;;) {
    size_t plus = text.find('+');
    if (plus == std::string_view::npos || plus + 1 == text.size()) break;
    std::string_view modifier = text.substr(0, plus);
    if (EqualsIgnoringCase(modifier, "ctrl") || EqualsIgnoringCase(modifier, "control"))
      shift |= ui::shift::kCtrl;
    else if (EqualsIgnoringCase(modifier, "shift"))
      shift |= ui::shift::kShift;
    else if (EqualsIgnoringCase(modifier, "alt"))
      shift |= ui::shift::kAlt;
    else
      return false;
    text.remove_prefix(plus + 1);
  }
  if (text.size() == 1 && std::isalnum(static_cast<unsigned char>(text[0]))) {
    key_code = std::toupper(static_cast<unsigned char>(text[0]));
    return true;
  }
  for (auto& [word, code] : kKeys) {
    if (EqualsIgnoringCase(word, text)) {
      key_code = code;
      return true;
    }
  }
  int32_t number = 0;
  if (text.size() >= 2 && (text[0] == 'F' || text[0] == 'f') &&
      ParseNumber(text.substr(1), number) && number >= 1 && number <= 12) {
    key_code = ui::key::kF1 + number - 1;
    return true;
  }
  return false;
}

}  // namespace pinlet::sim
