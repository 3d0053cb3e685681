// What the user does on a form: the actions as scripts write them, and how
// the simulated host carries them out, firing the events a real user's
// mouse and keyboard would, in the host's order.
#include <cctype>
#include <charconv>

#include "platform/sim/sim_controls.h"
#include "platform/sim/sim_ui.h"
#include "platform/sim/world.h"
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
            "select, close, resize, move)";
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

// The character a key gives with the shift state, as the keyboard's
// translation makes it; 0 for none.
int CharOf(int key_code, int shift) {
  if (shift & ui::shift::kAlt) return 0;
  bool ctrl = shift & ui::shift::kCtrl;
  if (key_code >= 'A' && key_code <= 'Z') {
    if (ctrl) return key_code - 'A' + 1;
    return shift & ui::shift::kShift ? key_code : key_code - 'A' + 'a';
  }
  if (ctrl) return 0;
  if (key_code >= '0' && key_code <= '9') return key_code;
  switch (key_code) {
    case ui::key::kSpace:
    case ui::key::kReturn:
    case ui::key::kBack:
    case ui::key::kEscape:
    case ui::key::kTab:
      return key_code;
  }
  return 0;
}

// The control's left and top on the form.
std::pair<int32_t, int32_t> OnForm(const SimControlCore* control) {
  int32_t x = 0, y = 0;
  for (const SimControlCore* c = control; c; c = c->container) {
    x += c->rect.left;
    y += c->rect.top;
  }
  return {x, y};
}

}  // namespace

FormAction FormAction::Click(std::string control, int button) {
  FormAction action;
  action.control = std::move(control);
  action.button = button;
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

bool SimUi::Perform(SimForm& form, const FormAction& action, std::string& error) {
  auto self = form.shared_from_this();  // the add-in may unload the form meanwhile
  if (!form.loaded()) {
    error = form.design_name() + " is unloaded";
    return false;
  }
  if (!form.visible()) {
    error = form.design_name() + " is not shown";
    return false;
  }
  SimWindowManager& windows = world_->windows;
  switch (action.kind) {
    case Kind::kClose:
      form.Close(ui::unload_mode::kFormControlMenu);
      return true;
    case Kind::kResize:
    case Kind::kMove: {
      windows.Activate(form.handle());
      Rect r = form.rect();
      if (action.kind == Kind::kResize)
        r.width = action.a, r.height = action.b;
      else
        r.left = action.a, r.top = action.b;
      windows.SetRect(form.handle(), r);
      return true;
    }
    default:
      break;
  }
  SimControlCore* control = nullptr;
  if (!EqualsIgnoringCase(action.control, form.design_name())) {
    control = form.Find(action.control);
    if (!control || !control->traits.geometry) {
      error = control ? control->name + " (" + control->type_name + ") cannot be reached"
                      : "no control " + action.control + " on " + form.design_name();
      return false;
    }
    if (!control->Usable()) {
      error = control->name + (control->Shown() ? " is disabled" : " is hidden");
      return false;
    }
  }
  // Acting on a window of the session makes it the active one.
  windows.Activate(form.handle());
  if (control && control->traits.focusable && action.kind != Kind::kHover &&
      !(action.kind == Kind::kMouseDown && action.button != ui::mouse::kLeft))
    form.Focus(control);
  if (!form.loaded()) return true;
  switch (action.kind) {
    case Kind::kType:
      if (!control) break;
      TypeText(form, control, action.text);
      return true;
    case Kind::kKey: {
      int key_code = 0, shift = 0;
      ParseKey(action.text, key_code, shift);
      PressKey(form, control, key_code, shift);
      return true;
    }
    case Kind::kSet:
      if (!control) break;
      return control->SetByUser(action.text, error);
    case Kind::kChoose:
      if (!control) break;
      return control->ChooseByUser(action.text, error);
    case Kind::kSelect:
      if (auto* box = dynamic_cast<SimTextBox*>(control)) {
        box->Select(static_cast<size_t>(action.a), static_cast<size_t>(action.b));
        return true;
      }
      error = action.control + " is no text box";
      return false;
    default:
      return Mouse(form, control, action, error);
  }
  error = "a form's background takes no input";
  return false;
}

bool SimUi::Mouse(SimForm& form, SimControlCore* control, const FormAction& action,
                  std::string& error) {
  auto [x, y] = OnForm(control);
  form.mouse_x = x;
  form.mouse_y = y;
  using MouseEvent = Event<int, int, int, int>;
  auto fire = [&](MouseEvent SimControlCore::*on_control, MouseEvent* on_form,
                  int button) {
    if (!form.loaded()) return;
    if (control)
      (control->*on_control).Fire(button, 0, 0, 0);
    else if (on_form)  // the form has no MouseUp of its own
      on_form->Fire(button, 0, 0, 0);
  };
  const auto down = &SimControlCore::mouse_down;
  const auto move = &SimControlCore::mouse_move;
  const auto up = &SimControlCore::mouse_up;
  auto clicked = [&] {
    if (!form.loaded()) return;
    if (control)
      control->ClickedByUser();
    else
      form.click.Fire();
  };
  switch (action.kind) {
    case Kind::kHover:
      fire(move, &form.mouse_move, 0);
      return true;
    case Kind::kMouseDown:
      fire(down, &form.mouse_down, action.button);
      return true;
    case Kind::kMouseUp:
      fire(up, nullptr, action.button);
      return true;
    case Kind::kClick:
      fire(down, &form.mouse_down, action.button);
      fire(up, nullptr, action.button);
      if (action.button == ui::mouse::kLeft) clicked();
      return true;
    case Kind::kDblClick:
      if (!action.text.empty()) {
        if (!control || !control->ChooseByUser(action.text, error)) {
          if (!control) error = "a form's background has no entries";
          return false;
        }
      }
      fire(down, &form.mouse_down, ui::mouse::kLeft);
      fire(up, nullptr, ui::mouse::kLeft);
      if (action.text.empty()) clicked();
      if (control && form.loaded()) control->dbl_click.Fire();
      fire(up, nullptr, ui::mouse::kLeft);
      return true;
    default:
      error = "not a mouse action";
      return false;
  }
}

void SimUi::PressKey(SimForm& form, SimControlCore* control, int key_code, int shift) {
  int key = key_code, state = shift;
  if (form.key_preview || !control) form.key_down.Fire(key, state);
  if (key == 0 || !control || !form.loaded()) return;
  control->key_down.Fire(key, state);
  if (key == 0 || !form.loaded()) return;
  control->KeyByUser(key, state);
  int ch = CharOf(key_code, shift);
  if (ch != 0 && form.loaded()) {
    control->key_press.Fire(ch);
    if (ch != 0 && form.loaded()) control->CharByUser(ch);
  }
  if (!form.loaded()) return;
  key = key_code, state = shift;
  control->key_up.Fire(key, state);
}

void SimUi::TypeText(SimForm& form, SimControlCore* control, std::string_view text) {
  std::u16string units = Utf8ToUtf16(text);
  for (size_t i = 0; i < units.size() && form.loaded(); ++i) {
    char32_t c = units[i];
    if (c >= 0xD800 && c < 0xDC00 && i + 1 < units.size())
      c = 0x10000 + ((c - 0xD800) << 10) + (units[++i] - 0xDC00);
    if (c == U'\r' || c == U'\n') {
      if (c == U'\r' && i + 1 < units.size() && units[i + 1] == u'\n') ++i;
      PressKey(form, control, ui::key::kReturn, 0);
      continue;
    }
    int key_code = 0, shift = 0;
    if (c < 0x80 && std::isalnum(static_cast<int>(c))) {
      key_code = std::toupper(static_cast<int>(c));
      if (std::isupper(static_cast<int>(c))) shift = ui::shift::kShift;
    } else if (c == U' ') {
      key_code = ui::key::kSpace;
    }
    if (key_code != 0 && CharOf(key_code, shift) == static_cast<int>(c)) {
      PressKey(form, control, key_code, shift);
      continue;
    }
    // A character with no key of its own arrives as KeyPress alone.
    int ch = static_cast<int>(c);
    control->key_press.Fire(ch);
    if (ch != 0 && form.loaded()) control->CharByUser(ch);
  }
}

}  // namespace pinlet::sim
