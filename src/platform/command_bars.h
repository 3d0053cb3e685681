// Office command bars as a late-bound caller sees them: the bars of a window
// (menu bar, toolbars, shortcut menus), their controls, and the two kinds of
// control the add-in uses, buttons (type 1) and popups (type 10).
//
// A control is one object with the members of both kinds, as an IDispatch
// caller reaches it by name: a member that only buttons have raises error 438
// on a popup, and a popup's members raise 438 on a button. Every member may
// raise a HostError; the failures the add-in tells apart are:
//   - a lookup by name or caption that finds nothing (CommandBars("x"),
//     Controls("x")) raises errors::kCommandBarItemNotFound; FindControl
//     answers nullptr (Nothing) instead;
//   - a bar protected against customisation (Protection has
//     kBarNoCustomize) refuses Controls.Add and a control's Delete with
//     errors::kOperationFailed ("Method 'Add' of object 'CommandBarControls'
//     failed"). Office documents the flag as keeping the bar from being
//     customised; a caller that must change such a bar clears the flag
//     first and sets it again afterwards. Reading and setting the properties
//     of existing controls, and Reset, stay allowed;
//   - a member of a control or bar that was deleted (by Delete, by its
//     bar's Reset, or with its window), and of the CommandBars of a closed
//     window, raises errors::kOperationFailed.
// Captions are compared as Office compares them: without regard to case,
// and ignoring the '&' that marks the access key ("Tools" finds "&Tools").
//
// Objects are shared pointers; "Nothing" is nullptr. Events are owned
// subscriptions (platform/events.h).
#ifndef PINLET_PLATFORM_COMMAND_BARS_H_
#define PINLET_PLATFORM_COMMAND_BARS_H_

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "platform/events.h"
#include "platform/picture.h"

namespace pinlet::office {

class Window;
class CommandBars;
class CommandBar;
class CommandBarControls;
class CommandBarControl;
using WindowPtr = std::shared_ptr<Window>;
using CommandBarsPtr = std::shared_ptr<CommandBars>;
using CommandBarPtr = std::shared_ptr<CommandBar>;
using CommandBarControlsPtr = std::shared_ptr<CommandBarControls>;
using CommandBarControlPtr = std::shared_ptr<CommandBarControl>;

// Control types (MsoControlType) this host offers.
constexpr int kControlButton = 1;
constexpr int kControlPopup = 10;
// The Id of every control the caller made itself (not a built-in command).
constexpr int kCustomControlId = 1;
// Button styles (MsoButtonStyle).
constexpr int kButtonAutomatic = 0;
constexpr int kButtonIcon = 1;
constexpr int kButtonCaption = 2;
constexpr int kButtonIconAndCaption = 3;
// Button states (MsoButtonState).
constexpr int kButtonUp = 0;
constexpr int kButtonDown = -1;
// Bar positions (MsoBarPosition).
constexpr int kBarLeft = 0;
constexpr int kBarTop = 1;
constexpr int kBarRight = 2;
constexpr int kBarBottom = 3;
constexpr int kBarFloating = 4;
constexpr int kBarPopup = 5;
constexpr int kBarMenuBar = 6;
// Bar types (MsoBarType).
constexpr int kBarTypeNormal = 0;
constexpr int kBarTypeMenuBar = 1;
constexpr int kBarTypePopup = 2;
// Protection bits (MsoBarProtection).
constexpr int kBarNoProtection = 0;
constexpr int kBarNoCustomize = 1;
constexpr int kBarNoResize = 2;
constexpr int kBarNoMove = 4;
constexpr int kBarNoChangeVisible = 8;
constexpr int kBarNoChangeDock = 16;

// A host window that carries command bars: Outlook's Explorer and Inspector,
// Word's window. It is what a bar's Parent answers; a caller finds out which
// window it is by converting it to the host's window interface
// (std::dynamic_pointer_cast, as QueryInterface would).
class Window {
 public:
  virtual ~Window() = default;
  virtual CommandBarsPtr CommandBars() = 0;
};

// Click(Ctrl, CancelDefault): the control clicked and the by-reference flag
// that, set to true, keeps the control's built-in action from running.
using ClickHandler = std::function<void(CommandBarControlPtr ctrl, bool& cancel_default)>;

class CommandBarControl {
 public:
  virtual ~CommandBarControl() = default;

  // --- Every control.
  virtual int Type() = 0;  // kControlButton or kControlPopup
  // The built-in command's number, kCustomControlId for a caller's control.
  virtual int Id() = 0;
  virtual bool BuiltIn() = 0;
  virtual std::string Caption() = 0;
  virtual void SetCaption(std::string_view caption) = 0;
  virtual std::string Tag() = 0;
  virtual void SetTag(std::string_view tag) = 0;
  virtual std::string TooltipText() = 0;
  virtual void SetTooltipText(std::string_view text) = 0;
  virtual bool Visible() = 0;
  virtual void SetVisible(bool visible) = 0;
  virtual bool Enabled() = 0;
  virtual void SetEnabled(bool enabled) = 0;
  virtual bool BeginGroup() = 0;
  virtual void SetBeginGroup(bool begin_group) = 0;
  // The control's 1-based position on its bar.
  virtual int Index() = 0;
  // The bar the control is on (a popup's items are on the popup's bar).
  virtual CommandBarPtr Parent() = 0;
  // Removes the control (and a popup's items) from its bar.
  virtual void Delete() = 0;

  // --- Buttons only.
  virtual int Style() = 0;  // kButton...; raises 5 for any other value set
  virtual void SetStyle(int style) = 0;
  // The built-in face shown; 0 while the face is a picture of the caller's.
  virtual int FaceId() = 0;
  virtual void SetFaceId(int face_id) = 0;
  // Takes the face from the clipboard: the formats "Toolbar Button Face"
  // and "Toolbar Button Mask" (a DIB and a 1-bit DIB whose set bits mark
  // the transparent pixels), else a plain CF_DIB / CF_BITMAP without
  // transparency. Raises errors::kOperationFailed when the clipboard holds
  // no picture or cannot be opened. The clipboard is left as it was.
  virtual void PasteFace() = 0;
  virtual int State() = 0;  // kButtonUp or kButtonDown
  virtual void SetState(int state) = 0;
  // The face and its transparency mask (white transparent, black opaque).
  // Office 10 and later only: on an older host these raise 438, as the
  // late-bound call of a member the object lacks does. Setting an empty
  // picture raises 5. The getters answer an empty picture for a built-in face.
  virtual pinlet::Picture Picture() = 0;
  virtual void SetPicture(const pinlet::Picture& picture) = 0;
  virtual pinlet::Picture Mask() = 0;
  virtual void SetMask(const pinlet::Picture& mask) = 0;
  // Holds the button with events. A click reaches the handlers of the
  // clicked control and, within the same window's bars, those of every
  // other control that stands for the same command: the built-in controls
  // with the same Id, or the caller's controls with the same non-empty Tag.
  virtual Subscription OnClick(ClickHandler handler) = 0;

  // --- Popups only.
  // The popup's own bar, whose Controls are the popup's items.
  virtual CommandBarPtr CommandBar() = 0;
  virtual CommandBarControlsPtr Controls() = 0;
};

class CommandBarControls {
 public:
  virtual ~CommandBarControls() = default;
  virtual int Count() = 0;
  // 1-based; raises errors::kCommandBarItemNotFound out of range.
  virtual CommandBarControlPtr Item(int index) = 0;
  // The first control with that caption; raises
  // errors::kCommandBarItemNotFound when there is none.
  virtual CommandBarControlPtr Item(std::string_view caption) = 0;
  // Adds a control of `type` (kControlButton or kControlPopup; a copy of the
  // built-in command `id` when id is not kCustomControlId) at position
  // `before` (1 to Count + 1; the end when absent). A temporary control goes
  // when the host exits. Raises 5 for another type, an unknown id or a
  // position out of range, errors::kOperationFailed on a protected bar.
  virtual CommandBarControlPtr Add(int type = kControlButton, int id = kCustomControlId,
                                   std::optional<int> before = std::nullopt,
                                   bool temporary = false) = 0;
};

class CommandBar {
 public:
  virtual ~CommandBar() = default;
  virtual std::string Name() = 0;
  // 1-based position in the window's CommandBars; 0 for a popup's bar,
  // which is not one of them.
  virtual int Index() = 0;
  virtual int Type() = 0;  // kBarType...
  virtual bool BuiltIn() = 0;
  virtual CommandBarControlsPtr Controls() = 0;
  // The first control, depth first when `recursive`, that matches every
  // criterion given (and is visible, when `visible_only`); nullptr when none.
  virtual CommandBarControlPtr FindControl(std::optional<int> type, std::optional<int> id,
                                           std::optional<std::string> tag = std::nullopt,
                                           bool visible_only = false,
                                           bool recursive = false) = 0;
  virtual bool Visible() = 0;
  virtual void SetVisible(bool visible) = 0;
  virtual bool Enabled() = 0;
  virtual void SetEnabled(bool enabled) = 0;
  virtual int Left() = 0;
  virtual void SetLeft(int left) = 0;
  virtual int Top() = 0;
  virtual void SetTop(int top) = 0;
  virtual int Position() = 0;  // kBar...; raises 5 for another value set
  virtual void SetPosition(int position) = 0;
  virtual int RowIndex() = 0;
  virtual void SetRowIndex(int row_index) = 0;
  virtual int Protection() = 0;  // kBarNo... bits
  virtual void SetProtection(int protection) = 0;
  // Gives a built-in bar its built-in controls back: every control added is
  // removed, every built-in one deleted or changed is restored as new (held
  // handles on the old controls are dead). Raises errors::kOperationFailed
  // for a bar the caller added.
  virtual void Reset() = 0;
  // Removes a bar the caller added; raises errors::kOperationFailed for a
  // built-in bar.
  virtual void Delete() = 0;
  // The window the bars belong to.
  virtual WindowPtr Parent() = 0;
};

class CommandBars {
 public:
  virtual ~CommandBars() = default;
  // Count and Item(1..Count) enumerate the bars, as For Each does.
  virtual int Count() = 0;
  // 1-based; raises errors::kCommandBarItemNotFound out of range.
  virtual CommandBarPtr Item(int index) = 0;
  // The bar of that name (compared without regard to case); raises
  // errors::kCommandBarItemNotFound when there is none.
  virtual CommandBarPtr Item(std::string_view name) = 0;
  // A new empty bar; raises 5 when a bar of that name exists.
  virtual CommandBarPtr Add(std::string_view name, int position = kBarTop,
                            bool menu_bar = false, bool temporary = false) = 0;
  // The first control on any bar (popups searched too) that matches.
  virtual CommandBarControlPtr FindControl(std::optional<int> type, std::optional<int> id,
                                           std::optional<std::string> tag = std::nullopt,
                                           bool visible_only = false) = 0;
  // Raised whenever the bars are redrawn, among others just before a
  // shortcut menu opens. Not raised again while its handlers run.
  virtual Subscription OnUpdate(std::function<void()> handler) = 0;
};

}  // namespace pinlet::office

#endif  // PINLET_PLATFORM_COMMAND_BARS_H_
