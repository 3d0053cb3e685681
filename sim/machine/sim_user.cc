// How the simulated host carries out what the user does on a form, firing
// the events a real user's mouse and keyboard would, in the host's order:
// MouseDown, MouseUp, Click; KeyDown (the form's first when it previews
// keys), the key's own effect, KeyPress, the character's effect, KeyUp.
#include <cctype>

#include "sim/machine/sim_controls.h"
#include "sim/machine/sim_ui.h"
#include "sim/machine/world.h"
#include "platform/text.h"

namespace pinlet::sim {

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

std::vector<Keystroke> KeystrokesOf(std::string_view text) {
  std::vector<Keystroke> strokes;
  std::u16string units = Utf8ToUtf16(text);
  for (size_t i = 0; i < units.size(); ++i) {
    char32_t c = units[i];
    if (c >= 0xD800 && c < 0xDC00 && i + 1 < units.size())
      c = 0x10000 + ((c - 0xD800) << 10) + (units[++i] - 0xDC00);
    if (c == U'\r' || c == U'\n') {
      if (c == U'\r' && i + 1 < units.size() && units[i + 1] == u'\n') ++i;
      strokes.push_back({ui::key::kReturn, 0, CharOf(ui::key::kReturn, 0)});
      continue;
    }
    int key_code = 0, shift = 0;
    if (c < 0x80 && std::isalnum(static_cast<int>(c))) {
      key_code = std::toupper(static_cast<int>(c));
      if (std::isupper(static_cast<int>(c))) shift = ui::shift::kShift;
    } else if (c == U' ') {
      key_code = ui::key::kSpace;
    }
    if (key_code != 0 && CharOf(key_code, shift) == static_cast<int>(c))
      strokes.push_back({key_code, shift, static_cast<int>(c)});
    else
      strokes.push_back({0, 0, static_cast<int>(c)});
  }
  return strokes;
}

namespace {

using Kind = FormAction::Kind;

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

bool SimUi::Perform(SimForm& form, const FormAction& action, std::string& error,
                    bool* refused) {
  auto self = form.shared_from_this();  // the add-in may unload the form meanwhile
  if (refused) *refused = false;
  auto refuse = [&](std::string why) {
    error = std::move(why);
    if (refused) *refused = true;
    return false;
  };
  if (!form.loaded()) return refuse(form.design_name() + " is unloaded");
  if (!form.visible()) return refuse(form.design_name() + " is not shown");
  SimWindowManager& windows = world_->windows;
  switch (action.kind) {
    case Kind::kClose:
      form.Close(ui::unload_mode::kFormControlMenu);
      return true;
    case Kind::kShow:  // looking changes nothing
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
    if (!control->Usable())
      return refuse(control->name + (control->Shown() ? " is disabled" : " is hidden"));
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
      if (!ParseKey(action.text, key_code, shift)) {
        error = "unknown key '" + action.text + "'";
        return false;
      }
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
  for (const Keystroke& stroke : KeystrokesOf(text)) {
    if (!form.loaded()) return;
    if (stroke.key_code != 0) {
      PressKey(form, control, stroke.key_code, stroke.shift);
      continue;
    }
    // A character with no key of its own arrives as KeyPress alone.
    int ch = stroke.ch;
    control->key_press.Fire(ch);
    if (ch != 0 && form.loaded()) control->CharByUser(ch);
  }
}

}  // namespace pinlet::sim
