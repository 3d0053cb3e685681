// The windowless kinds, the timer and the menu, and the factory of every
// kind.
#include "platform/win32ui/win32_controls.h"
#include "platform/win32ui/win32_form.h"

namespace pinlet::win32ui {

TimerControl::TimerControl(FormRef form, std::string name, UINT_PTR id)
    : Control(std::move(form), std::move(name)),
      id_(id) {}

TimerControl::~TimerControl() { Stop(); }

void TimerControl::Create(HWND parent) { owner_ = parent; }

int32_t TimerControl::Interval() {
  Enter("Timer.Interval");
  return interval_;
}

void TimerControl::SetInterval(int32_t milliseconds) {
  Enter("Timer.Interval");
  if (milliseconds < 0 || milliseconds > 65535)
    throw InvalidPropertyValueError("Timer.Interval");
  interval_ = milliseconds;
  Rearm();
}

Subscription TimerControl::OnTimer(ui::Handler h) {
  return Advise(timer_, "Timer", std::move(h));
}

void TimerControl::Rearm() {
  if (!owner_) return;
  KillTimer(owner_, id_);
  // SetTimer on a running id starts its interval anew; so does this.
  armed_ = false;
  if (enabled_ && interval_ > 0 &&
      !SetTimer(owner_, id_, static_cast<UINT>(interval_), nullptr))
    throw InvalidArgumentError("Timer.Interval");
  armed_ = enabled_ && interval_ > 0;
  armed_at_ = GetTickCount();
}

void TimerControl::Tick() {
  armed_at_ = GetTickCount();
  timer_.Fire();
}

std::string TimerControl::DescribeState() {
  if (!armed_ || !owner_) return TimerState(interval_, std::nullopt);
  // Unsigned: right across the tick count's wrap.
  int64_t elapsed = static_cast<DWORD>(GetTickCount() - armed_at_);
  return TimerState(interval_, interval_ - elapsed % interval_);
}

void TimerControl::Stop() {
  if (owner_ && IsWindow(owner_)) KillTimer(owner_, id_);
  owner_ = nullptr;
  armed_ = false;
}

MenuControl::MenuControl(FormRef form, std::string name)
    : Control(std::move(form), std::move(name)) {}

std::string MenuControl::Caption() {
  Enter("Menu.Caption");
  return caption_;
}

void MenuControl::SetCaption(std::string_view caption) {
  Enter("Menu.Caption");
  caption_ = std::string(caption);
}

bool MenuControl::Checked() {
  Enter("Menu.Checked");
  return checked_;
}

void MenuControl::SetChecked(bool checked) {
  Enter("Menu.Checked");
  checked_ = checked;
}

std::shared_ptr<ControlCore> MakeControl(FormRef form, std::string_view type_name,
                                         std::string name) {
  if (type_name == ui::TextBox::kTypeName) return MakeTextBox(form, std::move(name));
  if (type_name == ui::ComboBox::kTypeName) return MakeComboBox(form, std::move(name));
  if (type_name == ui::Menu::kTypeName)
    return std::make_shared<MenuControl>(form, std::move(name));
  if (auto control = MakeButtonKind(form, type_name, name)) return control;
  if (auto control = MakeListKind(form, type_name, name)) return control;
  return MakeSurfaceKind(form, type_name, std::move(name));
}

}  // namespace pinlet::win32ui
