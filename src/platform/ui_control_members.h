// The members of ui::Control that every machine answers alike, over the
// machine's own state of a control: ControlMembers<I, Core> is a control of
// the kind `I` (platform/ui_controls.h) whose every member of ui::Control
// enters `Core` the same way. The simulated machine's controls and the real
// windows' are each a ControlMembers over their own core.
//
// A Core is made from the machine's arguments followed by the kind's type
// name and traits (I::kTypeName, I::kTraits), and has
//   name, type_name, traits;                  // as made
//   void Enter(std::string_view member);      // raises 364 once unloaded
//   int32_t GetGeometry(std::string_view member, int which);
//   void SetGeometry(std::string_view member, int which, int32_t value);
//                                             // which: a geometry:: edge;
//                                             // a negative size raises 380
//   void MoveTo(left, top, width, height);
//   GetVisible, SetVisibleMember, GetEnabled, SetEnabledMember,
//   GetBackColor, SetBackColorMember, GetToolTip, SetToolTipMember,
//   SetFocusMember;
//   Subscription Advise(Event<...>& event, std::string_view event_name,
//                       handler, bool has);  // raises 438 when !has
//   the events click, dbl_click, mouse_down, mouse_move, mouse_up,
//   key_down, key_up, key_press, got_focus, lost_focus;
//   virtual ui::Control* AsControl() = 0.
// Which events a kind takes follows from its traits, the same everywhere.
#ifndef PINLET_PLATFORM_UI_CONTROL_MEMBERS_H_
#define PINLET_PLATFORM_UI_CONTROL_MEMBERS_H_

#include <cstdint>
#include <string>
#include <string_view>
#include <utility>

#include "platform/ui.h"

namespace pinlet::ui {

// The edges of a control's place, as GetGeometry and SetGeometry take them.
namespace geometry {
inline constexpr int kLeft = 0;
inline constexpr int kTop = 1;
inline constexpr int kWidth = 2;
inline constexpr int kHeight = 3;
}  // namespace geometry

template <typename I, typename Core>
class ControlMembers : public I, public Core {
 public:
  template <typename... Args>
  explicit ControlMembers(Args&&... args)
      : Core(std::forward<Args>(args)..., I::kTypeName, I::kTraits) {}
  ui::Control* AsControl() override { return this; }

  std::string Name() override {
    this->Enter("Control.Name");
    return this->name;
  }
  std::string TypeName() override {
    this->Enter("TypeName");
    return this->type_name;
  }
  int32_t Left() override { return this->GetGeometry("Control.Left", geometry::kLeft); }
  void SetLeft(int32_t v) override {
    this->SetGeometry("Control.Left", geometry::kLeft, v);
  }
  int32_t Top() override { return this->GetGeometry("Control.Top", geometry::kTop); }
  void SetTop(int32_t v) override { this->SetGeometry("Control.Top", geometry::kTop, v); }
  int32_t Width() override {
    return this->GetGeometry("Control.Width", geometry::kWidth);
  }
  void SetWidth(int32_t v) override {
    this->SetGeometry("Control.Width", geometry::kWidth, v);
  }
  int32_t Height() override {
    return this->GetGeometry("Control.Height", geometry::kHeight);
  }
  void SetHeight(int32_t v) override {
    this->SetGeometry("Control.Height", geometry::kHeight, v);
  }
  void Move(int32_t left, int32_t top, int32_t width, int32_t height) override {
    this->MoveTo(left, top, width, height);
  }
  bool Visible() override { return this->GetVisible(); }
  void SetVisible(bool on) override { this->SetVisibleMember(on); }
  bool Enabled() override { return this->GetEnabled(); }
  void SetEnabled(bool on) override { this->SetEnabledMember(on); }
  uint32_t BackColor() override { return this->GetBackColor(); }
  void SetBackColor(uint32_t colour) override { this->SetBackColorMember(colour); }
  std::string ToolTipText() override { return this->GetToolTip(); }
  void SetToolTipText(std::string_view text) override { this->SetToolTipMember(text); }
  void SetFocus() override { this->SetFocusMember(); }

  Subscription OnClick(ui::Handler h) override {
    return this->Advise(this->click, "Click", std::move(h),
                        this->traits.geometry || this->traits.visible);
  }
  Subscription OnDblClick(ui::Handler h) override {
    return this->Advise(this->dbl_click, "DblClick", std::move(h), this->traits.geometry);
  }
  Subscription OnMouseDown(ui::MouseHandler h) override {
    return this->Advise(this->mouse_down, "MouseDown", std::move(h),
                        this->traits.geometry);
  }
  Subscription OnMouseMove(ui::MouseHandler h) override {
    return this->Advise(this->mouse_move, "MouseMove", std::move(h),
                        this->traits.geometry);
  }
  Subscription OnMouseUp(ui::MouseHandler h) override {
    return this->Advise(this->mouse_up, "MouseUp", std::move(h), this->traits.geometry);
  }
  Subscription OnKeyDown(ui::KeyHandler h) override {
    return this->Advise(this->key_down, "KeyDown", std::move(h), this->traits.focusable);
  }
  Subscription OnKeyUp(ui::KeyHandler h) override {
    return this->Advise(this->key_up, "KeyUp", std::move(h), this->traits.focusable);
  }
  Subscription OnKeyPress(ui::KeyPressHandler h) override {
    return this->Advise(this->key_press, "KeyPress", std::move(h),
                        this->traits.focusable);
  }
  Subscription OnGotFocus(ui::Handler h) override {
    return this->Advise(this->got_focus, "GotFocus", std::move(h),
                        this->traits.focusable);
  }
  Subscription OnLostFocus(ui::Handler h) override {
    return this->Advise(this->lost_focus, "LostFocus", std::move(h),
                        this->traits.focusable);
  }
};

}  // namespace pinlet::ui

#endif  // PINLET_PLATFORM_UI_CONTROL_MEMBERS_H_
