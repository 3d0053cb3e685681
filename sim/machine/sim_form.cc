#include "sim/machine/sim_form.h"

#include <algorithm>

#include "sim/machine/sim_controls.h"
#include "sim/machine/world.h"
#include "platform/text.h"

namespace pinlet::sim {
namespace {

// The inside of a form: its outer size without the frame of form_look.h.
constexpr int32_t kFrameWidth = 2 * kFormBorderPixels * kTwipsPerPixel;
constexpr int32_t kFrameHeight = kFrameWidth + kFormTitlePixels * kTwipsPerPixel;

}  // namespace

SimForm::SimForm(World* world, SimUi* ui, std::string design_name)
    : world_(world), ui_(ui), design_name_(std::move(design_name)) {}

SimForm::~SimForm() {
  if (loaded_) world_->windows.Destroy(handle_);
}

void SimForm::Open() {
  SimWindowManager& windows = world_->windows;
  handle_ = windows.Create(design_name_, false);
  SimWindowManager::Window* w = windows.Find(handle_);
  w->rect = {1500, 1500, 4800, 3600};
  std::weak_ptr<SimForm> weak = weak_from_this();
  w->on_resize = [weak] {
    if (auto form = weak.lock()) form->resize.Fire();
  };
  w->on_activation = [weak](bool active) {
    auto form = weak.lock();
    if (!form) return;
    if (!active) return form->deactivate.Fire();
    form->activate.Fire();
    form->got_focus.Fire();
  };
}

void SimForm::Enter(std::string_view member) {
  world_->faults.Check(member);
  if (!loaded_)
    throw HostError(errors::kObjectUnloaded, "Object was unloaded", std::string(member));
}

bool SimForm::visible() const {
  const SimWindowManager::Window* w = world_->windows.Find(handle_);
  return loaded_ && w && w->visible;
}

std::string SimForm::caption() const {
  const SimWindowManager::Window* w = world_->windows.Find(handle_);
  return w ? w->title : "";
}

Rect SimForm::rect() const {
  const SimWindowManager::Window* w = world_->windows.Find(handle_);
  return w ? w->rect : Rect{};
}

void SimForm::SetRect(Rect rect) { world_->windows.SetRect(handle_, rect); }

std::string SimForm::Name() {
  Enter("Form.Name");
  return design_name_;
}

WindowHandle SimForm::hWnd() {
  Enter("Form.hWnd");
  return handle_;
}

std::string SimForm::Caption() {
  Enter("Form.Caption");
  return caption();
}

void SimForm::SetCaption(std::string_view caption) {
  Enter("Form.Caption");
  world_->windows.SetTitle(handle_, std::string(caption));
}

int32_t SimForm::Left() {
  Enter("Form.Left");
  return rect().left;
}

void SimForm::SetLeft(int32_t twips) {
  Enter("Form.Left");
  Rect r = rect();
  r.left = twips;
  SetRect(r);
}

int32_t SimForm::Top() {
  Enter("Form.Top");
  return rect().top;
}

void SimForm::SetTop(int32_t twips) {
  Enter("Form.Top");
  Rect r = rect();
  r.top = twips;
  SetRect(r);
}

int32_t SimForm::Width() {
  Enter("Form.Width");
  return rect().width;
}

void SimForm::SetWidth(int32_t twips) {
  Enter("Form.Width");
  if (twips < 0) throw InvalidPropertyValueError("Form.Width");
  Rect r = rect();
  r.width = twips;
  SetRect(r);
}

int32_t SimForm::Height() {
  Enter("Form.Height");
  return rect().height;
}

void SimForm::SetHeight(int32_t twips) {
  Enter("Form.Height");
  if (twips < 0) throw InvalidPropertyValueError("Form.Height");
  Rect r = rect();
  r.height = twips;
  SetRect(r);
}

void SimForm::Move(int32_t left, int32_t top, int32_t width, int32_t height) {
  Enter("Form.Move");
  if (width < 0 || height < 0) throw InvalidPropertyValueError("Form.Move");
  SetRect({left, top, width, height});
}

int32_t SimForm::ScaleWidth() {
  Enter("Form.ScaleWidth");
  return std::max(0, rect().width - kFrameWidth);
}

int32_t SimForm::ScaleHeight() {
  Enter("Form.ScaleHeight");
  return std::max(0, rect().height - kFrameHeight);
}

uint32_t SimForm::BackColor() {
  Enter("Form.BackColor");
  return back_colour;
}

void SimForm::SetBackColor(uint32_t colour) {
  Enter("Form.BackColor");
  back_colour = colour;
}

bool SimForm::Visible() {
  Enter("Form.Visible");
  return visible();
}

bool SimForm::KeyPreview() {
  Enter("Form.KeyPreview");
  return key_preview;
}

void SimForm::SetKeyPreview(bool on) {
  Enter("Form.KeyPreview");
  key_preview = on;
}

void SimForm::Show(int style) {
  Enter("Form.Show");
  if (style != ui::kModal && style != ui::kModeless)
    throw InvalidArgumentError("Form.Show");
  if (style == ui::kModeless) return ShowWindow(true);
  if (visible())
    throw HostError(errors::kFormAlreadyDisplayed,
                    "Form already displayed; can't show modally", "Form.Show");
  ui_->RunModal(*this);
}

void SimForm::Hide() {
  Enter("Form.Hide");
  HideWindow();
}

void SimForm::Unload() {
  Enter("Form.Unload");
  UnloadWindow();
}

void SimForm::SetFocus() {
  Enter("Form.SetFocus");
  if (!visible()) throw InvalidArgumentError("Form.SetFocus");
  world_->windows.Activate(handle_);
}

void SimForm::PopupMenu(const std::shared_ptr<ui::Menu>& menu) {
  Enter("Form.PopupMenu");
  const ui::Control* wanted = menu.get();
  for (const auto& control : controls_) {
    if (control->AsControl() == wanted && control->type_name == ui::Menu::kTypeName &&
        !control->container)
      return ui_->RunPopup(*this, *control);
  }
  throw InvalidArgumentError("Form.PopupMenu");
}

FormLook SimForm::Look() const {
  FormLook look;
  look.design_name = design_name_;
  look.caption = caption();
  look.handle = handle_;
  look.rect = rect();
  look.visible = visible();
  look.active = world_->windows.active() == handle_;
  const SimWindowManager::Window* w = world_->windows.Find(handle_);
  look.top_most = w && w->top_most;
  look.back_colour = back_colour;
  look.controls.reserve(controls_.size());
  for (const auto& control : controls_) {
    ControlLook c;
    c.name = control->name;
    c.type_name = control->type_name;
    for (size_t i = 0; i < look.controls.size(); ++i)
      if (controls_[i].get() == control->container) c.container = static_cast<int>(i);
    c.rect = control->rect;
    c.has_geometry = control->traits.geometry;
    c.visible = control->visible;
    c.shown = control->Shown();
    c.enabled = control->enabled;
    c.usable = control->Usable();
    c.focused = focus_ == control.get();
    c.has_back_colour = control->traits.back_colour;
    c.back_colour = control->back_colour;
    control->FillLook(c);
    look.controls.push_back(std::move(c));
  }
  return look;
}

std::vector<ui::ControlPtr> SimForm::Controls() {
  Enter("Form.Controls");
  std::vector<ui::ControlPtr> out;
  for (const auto& control : controls_) out.push_back(Public(control.get()));
  return out;
}

ui::ControlPtr SimForm::Control(std::string_view name) {
  Enter("Controls.Item");
  if (SimControlCore* control = Find(name)) return Public(control);
  throw HostError(errors::kControlNotFound,
                  "Control '" + std::string(name) + "' not found", "Controls.Item");
}

ui::ControlPtr SimForm::AddControl(std::string_view type_name, std::string_view name,
                                   std::string_view container) {
  Enter("Controls.Add");
  if (name.empty() || Find(name)) throw InvalidArgumentError("Controls.Add");
  SimControlCore* parent = nullptr;
  if (!container.empty()) {
    parent = Find(container);
    bool is_menu = type_name == ui::Menu::kTypeName;
    bool fits = parent && (is_menu ? parent->type_name == ui::Menu::kTypeName
                                   : parent->type_name == ui::PictureBox::kTypeName ||
                                         parent->type_name == ui::Frame::kTypeName);
    if (!fits) throw InvalidArgumentError("Controls.Add");
  }
  auto control = MakeControl(world_, weak_from_this(), type_name, std::string(name));
  if (!control) throw InvalidArgumentError("Controls.Add");
  control->container = parent;
  controls_.push_back(control);
  return Public(control.get());
}

Subscription SimForm::OnClick(ui::Handler h) { return Advise(click, "Click", h); }
Subscription SimForm::OnMouseDown(ui::MouseHandler h) {
  return Advise(mouse_down, "MouseDown", h);
}
Subscription SimForm::OnMouseMove(ui::MouseHandler h) {
  return Advise(mouse_move, "MouseMove", h);
}
Subscription SimForm::OnKeyDown(ui::KeyHandler h) {
  return Advise(key_down, "KeyDown", h);
}
Subscription SimForm::OnResize(ui::Handler h) { return Advise(resize, "Resize", h); }
Subscription SimForm::OnActivate(ui::Handler h) {
  return Advise(activate, "Activate", h);
}
Subscription SimForm::OnDeactivate(ui::Handler h) {
  return Advise(deactivate, "Deactivate", h);
}
Subscription SimForm::OnGotFocus(ui::Handler h) {
  return Advise(got_focus, "GotFocus", h);
}
Subscription SimForm::OnQueryUnload(std::function<void(int&, int)> h) {
  return Advise(query_unload, "QueryUnload", h);
}
Subscription SimForm::OnUnload(std::function<void(int&)> h) {
  return Advise(unload, "Unload", h);
}

SimControlCore* SimForm::Find(std::string_view name) const {
  for (const auto& control : controls_)
    if (EqualsIgnoringCase(control->name, name)) return control.get();
  return nullptr;
}

ui::ControlPtr SimForm::Public(SimControlCore* control) const {
  for (const auto& owned : controls_)
    if (owned.get() == control) return ui::ControlPtr(owned, control->AsControl());
  return nullptr;
}

WindowHandle SimForm::ChildHandle(const SimControlCore* control) const {
  WindowHandle place = 1;
  for (const auto& owned : controls_) {
    if (owned.get() == control) break;
    ++place;
  }
  return (handle_ << 12) + place;
}

void SimForm::Focus(SimControlCore* control) {
  SimControlCore* old = focus_;
  if (old == control) return;
  focus_ = control;
  if (old) old->lost_focus.Fire();
  if (control && focus_ == control) control->got_focus.Fire();
}

void SimForm::ShowWindow(bool activate) {
  auto self = shared_from_this();  // a handler may unload the form
  bool first = !shown_once_;
  shown_once_ = true;
  if (first) resize.Fire();
  if (!loaded_) return;
  world_->windows.SetVisible(handle_, true, activate);
  if (!first || focus_ || !loaded_) return;
  for (const auto& control : controls_) {
    if (control->traits.focusable && control->Usable()) {
      Focus(control.get());
      break;
    }
  }
}

void SimForm::HideWindow() { world_->windows.SetVisible(handle_, false, false); }

void SimForm::UnloadWindow() {
  if (!loaded_) return;
  auto self = shared_from_this();  // the host may hold the last reference
  loaded_ = false;
  focus_ = nullptr;
  if (SimWindowManager::Window* w = world_->windows.Find(handle_)) {
    w->on_activation = nullptr;
    w->on_resize = nullptr;
  }
  world_->windows.Destroy(handle_);
  controls_.clear();
  ui_->Forget(this);
}

bool SimForm::Close(int unload_mode) {
  auto self = shared_from_this();
  int cancel = 0;
  query_unload.Fire(cancel, unload_mode);
  if (cancel != 0 || !loaded_) return !loaded_;
  unload.Fire(cancel);
  if (cancel != 0 || !loaded_) return !loaded_;
  UnloadWindow();
  return true;
}

}  // namespace pinlet::sim
