// A simulated form and what its controls share.
//
// A SimForm is a window of the simulated desktop (sim_windows.h) with its
// controls. Each public member passes the fault injector first under the
// host's name ("Form.Caption", "Control.Left", "TextBox.Text"), then raises
// as ui.h says. The node level below the interfaces (the fields and the
// lower-case members) is the machine's own side: what the user does, what
// the driver looks at. It is neither counted nor failed.
//
// A control holds its form weakly: once the form is unloaded or gone, every
// member of the control raises 364. Event handlers are entry points of the
// add-in, named "<form>.<control>_<Event>" ("frmComments.Text_Change") or
// "<form>.Form_<Event>" for the defect list.
#ifndef PINLET_SIM_MACHINE_SIM_FORM_H_
#define PINLET_SIM_MACHINE_SIM_FORM_H_

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/host_error.h"
#include "platform/ui_control_members.h"
#include "platform/ui_controls.h"
#include "sim/machine/boundary.h"
#include "sim/machine/form_look.h"

namespace pinlet::sim {

class World;
class SimForm;

// The colour a form and its controls have until the add-in sets one: the
// classic button face.
inline constexpr uint32_t kDefaultBackColour = 0xC8D0D4;
class SimUi;

class SimControlCore {
 public:
  SimControlCore(World* world, std::weak_ptr<SimForm> form, std::string name,
                 std::string_view type_name, ui::ControlTraits traits);
  virtual ~SimControlCore() = default;
  SimControlCore(const SimControlCore&) = delete;
  SimControlCore& operator=(const SimControlCore&) = delete;

  // The control as the add-in sees it.
  virtual ui::Control* AsControl() = 0;

  // The node level.
  const std::string name;
  const std::string type_name;
  const ui::ControlTraits traits;
  SimControlCore* container = nullptr;  // nullptr: the form
  Rect rect;
  bool visible = true;
  bool enabled = true;
  uint32_t back_colour = kDefaultBackColour;
  std::string tool_tip;
  Event<> click, dbl_click, got_focus, lost_focus;
  Event<int, int, int, int> mouse_down, mouse_move, mouse_up;
  Event<int&, int&> key_down, key_up;
  Event<int&> key_press;

  // Visible, and so are its containers.
  bool Shown() const;
  // Shown and enabled, and so are its containers: the user can reach it.
  bool Usable() const;
  // The form while it is loaded; nullptr once it was unloaded.
  SimForm* form() const;

  // What the user does, for the kinds that react (the driver calls these
  // after checking that the control is usable). Set and Choose answer false
  // with `error` set when the kind takes no such input.
  virtual bool SetByUser(std::string_view value, std::string& error);
  virtual bool ChooseByUser(std::string_view entry, std::string& error);
  // A left click's own effect after MouseDown and MouseUp: Click by default.
  virtual void ClickedByUser() { click.Fire(); }
  // A key's effect after an unconsumed KeyDown (arrows, Delete), and a
  // character's after an unconsumed KeyPress.
  virtual void KeyByUser(int /*key_code*/, int /*shift*/) {}
  virtual void CharByUser(int /*key_ascii*/) {}
  // The kind's own state for the form's text ("\"text\" sel 0+4").
  virtual std::string DescribeState() const { return ""; }
  // Fills in what the kind shows (caption, text, font, entries, picture);
  // the shared state is the form's to fill (SimForm::Look).
  virtual void FillLook(ControlLook& /*look*/) const {}

 protected:
  // First thing in every public member: counts the call under `member` and
  // raises 364 when the form is unloaded.
  void Enter(std::string_view member);
  // Raises 438 when the kind lacks the member.
  static void Require(bool has, std::string_view member);
  template <typename... Args>
  Subscription Advise(Event<Args...>& event, std::string_view event_name,
                      std::function<void(Args...)> handler, bool has = true) {
    Enter("Control.Advise");
    Require(has, event_name);
    return event.Subscribe(
        AtBoundary(*world_, EntryName(event_name), std::move(handler)));
  }
  std::string EntryName(std::string_view event_name) const;
  // Called when Enabled is set.
  virtual void EnabledChanged() {}

  // What the members of ui::Control do once ui::ControlMembers checked
  // them (which: a ui::geometry edge).
  int32_t EdgeNow(int which) { return EdgeOf(which); }
  void SetEdgeNow(int which, int32_t twips) { EdgeOf(which) = twips; }
  void PlaceNow(int32_t left, int32_t top, int32_t width, int32_t height) {
    rect = {left, top, width, height};
  }
  bool VisibleNow() { return visible; }
  void ShowNow(bool on) { visible = on; }
  bool EnabledNow() { return enabled; }
  void EnableNow(bool on) {
    enabled = on;
    EnabledChanged();
  }
  uint32_t BackColourNow() { return back_colour; }
  void SetBackColourNow(uint32_t colour) { back_colour = colour; }
  std::string TipNow() { return tool_tip; }
  void SetTipNow(std::string_view text) { tool_tip = std::string(text); }
  // Raises 5 when the control cannot take the focus.
  void FocusNow();
  // The edge of `rect` that `which` names.
  int32_t& EdgeOf(int which);

  World* world_;
  std::weak_ptr<SimForm> form_;
};

// A control of the kind `I` on a simulated form.
template <typename I>
class SimControl : public ui::ControlMembers<I, SimControlCore> {
 public:
  SimControl(World* world, std::weak_ptr<SimForm> form, std::string name)
      : ui::ControlMembers<I, SimControlCore>(world, std::move(form), std::move(name)) {}
};

class SimForm : public ui::Form, public std::enable_shared_from_this<SimForm> {
 public:
  SimForm(World* world, SimUi* ui, std::string design_name);
  ~SimForm() override;
  // Puts the form's window on the desktop; called once, right after make_shared.
  void Open();

  std::string Name() override;
  WindowHandle hWnd() override;
  std::string Caption() override;
  void SetCaption(std::string_view caption) override;
  int32_t Left() override;
  void SetLeft(int32_t twips) override;
  int32_t Top() override;
  void SetTop(int32_t twips) override;
  int32_t Width() override;
  void SetWidth(int32_t twips) override;
  int32_t Height() override;
  void SetHeight(int32_t twips) override;
  void Move(int32_t left, int32_t top, int32_t width, int32_t height) override;
  int32_t ScaleWidth() override;
  int32_t ScaleHeight() override;
  uint32_t BackColor() override;
  void SetBackColor(uint32_t colour) override;
  bool Visible() override;
  bool KeyPreview() override;
  void SetKeyPreview(bool on) override;
  void Show(int style) override;
  void Hide() override;
  void Unload() override;
  void SetFocus() override;
  void PopupMenu(const std::shared_ptr<ui::Menu>& menu) override;
  std::vector<ui::ControlPtr> Controls() override;
  ui::ControlPtr Control(std::string_view name) override;
  ui::ControlPtr AddControl(std::string_view type_name, std::string_view name,
                            std::string_view container) override;
  Subscription OnClick(ui::Handler h) override;
  Subscription OnMouseDown(ui::MouseHandler h) override;
  Subscription OnMouseMove(ui::MouseHandler h) override;
  Subscription OnKeyDown(ui::KeyHandler h) override;
  Subscription OnResize(ui::Handler h) override;
  Subscription OnActivate(ui::Handler h) override;
  Subscription OnDeactivate(ui::Handler h) override;
  Subscription OnGotFocus(ui::Handler h) override;
  Subscription OnQueryUnload(std::function<void(int&, int)> h) override;
  Subscription OnUnload(std::function<void(int&)> h) override;

  // The node level.
  const std::string& design_name() const { return design_name_; }
  WindowHandle handle() const { return handle_; }
  bool loaded() const { return loaded_; }
  bool visible() const;
  std::string caption() const;
  Rect rect() const;
  uint32_t back_colour = kDefaultBackColour;
  bool key_preview = false;
  // Where the mouse was last over the form, in twips inside the form.
  int32_t mouse_x = 0, mouse_y = 0;
  Event<> click, resize, activate, deactivate, got_focus;
  Event<int, int, int, int> mouse_down, mouse_move;
  Event<int&, int&> key_down;
  Event<int&, int> query_unload;
  Event<int&> unload;

  const std::vector<std::shared_ptr<SimControlCore>>& controls() const {
    return controls_;
  }
  SimControlCore* Find(std::string_view name) const;
  // The shared pointer the add-in holds for a control of this form.
  ui::ControlPtr Public(SimControlCore* control) const;
  // The window handle of a control that has a window of its own: the
  // form's handle, shifted by 12 bits, plus the control's place (from 1).
  WindowHandle ChildHandle(const SimControlCore* control) const;
  SimControlCore* focus() const { return focus_; }
  // What the form shows now, with every control, hidden ones included.
  FormLook Look() const;
  // Moves the keyboard focus, firing LostFocus and GotFocus.
  void Focus(SimControlCore* control);
  // Shows the window: the first show fires Resize and gives the focus to
  // the first control that can take it.
  void ShowWindow(bool activate);
  void HideWindow();
  // Unloads without events: the window and the controls are gone.
  void UnloadWindow();
  // The user or the host closes the window: QueryUnload, then Unload, each
  // of which may cancel. True when the form was unloaded.
  bool Close(int unload_mode);

 private:
  void Enter(std::string_view member);
  template <typename... Args>
  Subscription Advise(Event<Args...>& event, std::string_view name,
                      std::function<void(Args...)> handler) {
    Enter("Form.Advise");
    return event.Subscribe(AtBoundary(
        *world_, design_name_ + ".Form_" + std::string(name), std::move(handler)));
  }
  void SetRect(Rect rect);

  World* world_;
  SimUi* ui_;
  std::string design_name_;
  WindowHandle handle_ = 0;
  bool loaded_ = true;
  bool shown_once_ = false;
  std::vector<std::shared_ptr<SimControlCore>> controls_;
  SimControlCore* focus_ = nullptr;
};

}  // namespace pinlet::sim

#endif  // PINLET_SIM_MACHINE_SIM_FORM_H_
