// The members of ui::Control that every machine answers alike, over the
// machine's own state of a control: ControlMembers<I, Core> is a control of
// the kind `I` (platform/ui_controls.h) whose every member of ui::Control
// enters `Core` the same way. The simulated machine's controls and the real
// windows' are each a ControlMembers over their own core.
//
// The checks every member makes are here, once: a member of an unloaded
// control raises 364 (the core's Enter), a member the kind lacks 438, a
// negative size 380. What a member then does is the core's.
//
// A Core is made from the machine's arguments followed by the kind's type
// name and traits (I::kTypeName, I::kTraits), and has
//   name, type_name, traits;                  // as made
//   void Enter(std::string_view member);      // raises 364 once unloaded
//   static void Require(bool has, std::string_view member);  // 438 unless has
//   int32_t EdgeNow(int which);               // which: a geometry:: edge,
//   void SetEdgeNow(int which, int32_t twips); // in twips
//   void PlaceNow(left, top, width, height);
//   bool VisibleNow(); void ShowNow(bool on);
//   bool EnabledNow(); void EnableNow(bool on);
//   uint32_t BackColourNow(); void SetBackColourNow(uint32_t colour);
//   std::string TipNow(); void SetTipNow(std::string_view text);
//   void FocusNow();                          // raises 5 when it cannot
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

#include "platform/host_error.h"
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
  int32_t Left() override { return EdgeMember("Control.Left", geometry::kLeft); }
  void SetLeft(int32_t v) override { SetEdgeMember("Control.Left", geometry::kLeft, v); }
  int32_t Top() override { return EdgeMember("Control.Top", geometry::kTop); }
  void SetTop(int32_t v) override { SetEdgeMember("Control.Top", geometry::kTop, v); }
  int32_t Width() override { return EdgeMember("Control.Width", geometry::kWidth); }
  void SetWidth(int32_t v) override {
    SetEdgeMember("Control.Width", geometry::kWidth, v);
  }
  int32_t Height() override { return EdgeMember("Control.Height", geometry::kHeight); }
  void SetHeight(int32_t v) override {
    SetEdgeMember("Control.Height", geometry::kHeight, v);
  }
  void Move(int32_t left, int32_t top, int32_t width, int32_t height) override {
    Check("Control.Move", this->traits.geometry);
    if (width < 0 || height < 0) throw InvalidPropertyValueError("Control.Move");
    this->PlaceNow(left, top, width, height);
  }
  bool Visible() override {
    Check("Control.Visible", this->traits.visible);
    return this->VisibleNow();
  }
  void SetVisible(bool on) override {
    Check("Control.Visible", this->traits.visible);
    this->ShowNow(on);
  }
  bool Enabled() override {
    this->Enter("Control.Enabled");
    return this->EnabledNow();
  }
  void SetEnabled(bool on) override {
    this->Enter("Control.Enabled");
    this->EnableNow(on);
  }
  uint32_t BackColor() override {
    Check("Control.BackColor", this->traits.back_colour);
    return this->BackColourNow();
  }
  void SetBackColor(uint32_t colour) override {
    Check("Control.BackColor", this->traits.back_colour);
    this->SetBackColourNow(colour);
  }
  std::string ToolTipText() override {
    Check("Control.ToolTipText", this->traits.tool_tip);
    return this->TipNow();
  }
  void SetToolTipText(std::string_view text) override {
    Check("Control.ToolTipText", this->traits.tool_tip);
    this->SetTipNow(text);
  }
  void SetFocus() override {
    Check("Control.SetFocus", this->traits.focusable);
    this->FocusNow();
  }

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

 private:
  // Raises 364 for an unloaded control, 438 unless the kind `has` the member.
  void Check(std::string_view member, bool has) {
    this->Enter(member);
    this->Require(has, member);
  }
  int32_t EdgeMember(std::string_view member, int which) {
    Check(member, this->traits.geometry);
    return this->EdgeNow(which);
  }
  void SetEdgeMember(std::string_view member, int which, int32_t twips) {
    Check(member, this->traits.geometry);
    if ((which == geometry::kWidth || which == geometry::kHeight) && twips < 0)
      throw InvalidPropertyValueError(std::string(member));
    this->SetEdgeNow(which, twips);
  }
};

}  // namespace pinlet::ui

#endif  // PINLET_PLATFORM_UI_CONTROL_MEMBERS_H_
