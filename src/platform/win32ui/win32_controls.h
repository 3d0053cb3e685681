// The kinds of control of a Win32 form (ui_controls.h) and the factory of
// every kind. Most kinds live in their own files and are known here only
// by their makers; the timer and the menu, which the form drives itself
// (WM_TIMER, TrackPopupMenu), are declared here.
#ifndef PINLET_PLATFORM_WIN32UI_WIN32_CONTROLS_H_
#define PINLET_PLATFORM_WIN32UI_WIN32_CONTROLS_H_

#include <memory>
#include <string>
#include <string_view>

#include "platform/win32ui/win32_control.h"

namespace pinlet::win32ui {

using FormRef = std::weak_ptr<Win32Form>;

// A control of the kind named by `type_name` ("TextBox"), its window not yet
// made; nullptr for a kind there is none of.
std::shared_ptr<ControlCore> MakeControl(FormRef form, std::string_view type_name,
                                         std::string name);

// The makers of each file's kinds; nullptr for a kind the file does not have.
std::shared_ptr<ControlCore> MakeTextBox(FormRef form, std::string name);
std::shared_ptr<ControlCore> MakeComboBox(FormRef form, std::string name);
std::shared_ptr<ControlCore> MakeButtonKind(FormRef form, std::string_view type_name,
                                            std::string name);
std::shared_ptr<ControlCore> MakeListKind(FormRef form, std::string_view type_name,
                                          std::string name);
std::shared_ptr<ControlCore> MakeSurfaceKind(FormRef form, std::string_view type_name,
                                             std::string name);

// A timer: SetTimer on the form's window, ticking while Enabled and
// Interval is above 0; setting either starts the interval anew.
class TimerControl : public Control<ui::Timer> {
 public:
  TimerControl(FormRef form, std::string name, UINT_PTR id);
  ~TimerControl() override;
  void Create(HWND parent) override;
  int32_t Interval() override;
  void SetInterval(int32_t milliseconds) override;
  Subscription OnTimer(ui::Handler h) override;

  // The timer's id on the form's window.
  UINT_PTR id() const { return id_; }
  // Called by the form for a WM_TIMER of this id.
  void Tick();
  // Stops the timer for good (the form is going).
  void Stop();
  // The interval, and the time to the next tick while it runs.
  std::string DescribeState() override;

 protected:
  void EnabledChanged() override { Rearm(); }

 private:
  void Rearm();

  HWND owner_ = nullptr;
  UINT_PTR id_;
  int32_t interval_ = 0;
  bool armed_ = false;  // running
  DWORD armed_at_ = 0;  // GetTickCount when it was armed or last ticked
  Event<> timer_;
};

// A menu (its container the form) or one of its entries (its container a
// menu). Entries are built into a popup menu when the form shows it.
class MenuControl : public Control<ui::Menu> {
 public:
  MenuControl(FormRef form, std::string name);
  void Create(HWND) override {}
  std::string Caption() override;
  void SetCaption(std::string_view caption) override;
  bool Checked() override;
  void SetChecked(bool checked) override;
  std::string DescribeState() override { return MenuState(caption_, checked_); }

  const std::string& caption() const { return caption_; }
  bool checked() const { return checked_; }
  bool visible() const { return visible_; }
  bool enabled() const { return enabled_; }

 private:
  std::string caption_;
  bool checked_ = false;
};

}  // namespace pinlet::win32ui

#endif  // PINLET_PLATFORM_WIN32UI_WIN32_CONTROLS_H_
