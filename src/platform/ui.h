// Forms and their controls, as the add-in's windows use them.
//
// A form is a top-level window that the add-in creates by its design name
// ("frmComments", "frmOptions") through the FormFactory of its Platform,
// fills with controls created by their design names ("Text", "cmdOK",
// "PicTab(0)" for a member of a control array), and shows modeless or modal.
// Geometry is in twips; a control's position is relative to its container
// (the form, a picture box or a frame). Colours are 0x00BBGGRR. Texts are
// UTF-8; positions in a text count UTF-16 units, as the host's Len does.
//
// Failures RAISE a HostError, as members of the host's controls do: a member
// the kind of control lacks raises 438 (so a caller setting BackColor on every
// control skips those without one), an invalid value 380, any member of an
// unloaded form or of one of its controls 364. Only the edit messages of the
// text box answer instead (see ui_controls.h), as SendMessage does.
//
// Events are owned subscriptions (events.h); handlers run synchronously when
// the user acts, when a timer ticks, and where the host itself raises them
// for a change made in code (a text box's Change when its Text is set, a
// list's Click when its ListIndex is set, a form's Resize when its size
// changes). Subscribing is a host call. Arguments passed by reference (a key
// code, a cancel flag) may be changed by the handler, and the host honours
// the change.
#ifndef PINLET_PLATFORM_UI_H_
#define PINLET_PLATFORM_UI_H_

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/events.h"
#include "platform/windows.h"

namespace pinlet::ui {

struct Font {
  std::string name = "MS Sans Serif";
  double size = 8.25;  // points
  bool bold = false;
  bool italic = false;
  bool underline = false;
  bool strikethrough = false;
  bool operator==(const Font&) const = default;
};

// Key codes, with the host's values. Letters and digits are their upper-case
// ASCII codes ('O' is 79).
namespace key {
constexpr int kBack = 8;
constexpr int kTab = 9;
constexpr int kReturn = 13;
constexpr int kEscape = 27;
constexpr int kSpace = 32;
constexpr int kEnd = 35;
constexpr int kHome = 36;
constexpr int kLeft = 37;
constexpr int kUp = 38;
constexpr int kRight = 39;
constexpr int kDown = 40;
constexpr int kDelete = 46;
constexpr int kF1 = 112;
constexpr int kF4 = 115;
}  // namespace key

// The shift argument of key and mouse events: a sum of these.
namespace shift {
constexpr int kShift = 1;
constexpr int kCtrl = 2;
constexpr int kAlt = 4;
}  // namespace shift

// The button argument of mouse events.
namespace mouse {
constexpr int kLeft = 1;
constexpr int kRight = 2;
constexpr int kMiddle = 4;
}  // namespace mouse

// Form.Show styles.
constexpr int kModeless = 0;
constexpr int kModal = 1;

// Why a form is being closed (QueryUnload's unload mode).
namespace unload_mode {
constexpr int kFormControlMenu = 0;  // the close box
}  // namespace unload_mode

using Handler = std::function<void()>;
// Mouse events: button (mouse::k...), shift, and the position in twips
// relative to the control.
using MouseHandler = std::function<void(int button, int shift, int x, int y)>;
// KeyDown and KeyUp: the key code and shift, by reference; setting the key
// code to 0 consumes the key.
using KeyHandler = std::function<void(int& key_code, int& shift)>;
// KeyPress: the character's code, by reference; 0 discards the character.
using KeyPressHandler = std::function<void(int& key_ascii)>;

// Which of the members every control offers a kind really has; each kind
// declares its own (kTraits, ui_controls.h), and both machines' controls
// take them from there.
struct ControlTraits {
  bool geometry = true;  // Left, Top, Width, Height, Move, mouse events
  bool visible = true;   // Visible
  bool back_colour = true;
  bool tool_tip = true;
  bool focusable = false;  // SetFocus, focus and key events
};
// The two common sets: a control the user types or clicks into, and one
// that only shows (a label, a frame, a picture box).
inline constexpr ControlTraits kFocusable{true, true, true, true, true};
inline constexpr ControlTraits kStatic{true, true, true, true, false};

// What every control offers. Members a kind lacks (ControlTraits) raise
// 438: a timer or a menu has no geometry, an image no BackColor.
class Control {
 public:
  virtual ~Control() = default;

  virtual std::string Name() = 0;
  // The kind, as the host's TypeName gives it ("TextBox", "Image").
  virtual std::string TypeName() = 0;

  virtual int32_t Left() = 0;
  virtual void SetLeft(int32_t twips) = 0;
  virtual int32_t Top() = 0;
  virtual void SetTop(int32_t twips) = 0;
  // Width and height must not be negative (380).
  virtual int32_t Width() = 0;
  virtual void SetWidth(int32_t twips) = 0;
  virtual int32_t Height() = 0;
  virtual void SetHeight(int32_t twips) = 0;
  virtual void Move(int32_t left, int32_t top, int32_t width, int32_t height) = 0;

  // The control's own Visible; it shows only while its containers are
  // visible too.
  virtual bool Visible() = 0;
  virtual void SetVisible(bool visible) = 0;
  // A disabled control (or one in a disabled container) gets no mouse or
  // key events and cannot take the focus.
  virtual bool Enabled() = 0;
  virtual void SetEnabled(bool enabled) = 0;
  virtual uint32_t BackColor() = 0;
  virtual void SetBackColor(uint32_t colour) = 0;
  virtual std::string ToolTipText() = 0;
  virtual void SetToolTipText(std::string_view text) = 0;
  // Gives the control the keyboard focus; raises 5 when it is hidden or
  // disabled, or cannot take the focus.
  virtual void SetFocus() = 0;

  virtual Subscription OnClick(Handler handler) = 0;
  virtual Subscription OnDblClick(Handler handler) = 0;
  virtual Subscription OnMouseDown(MouseHandler handler) = 0;
  virtual Subscription OnMouseMove(MouseHandler handler) = 0;
  virtual Subscription OnMouseUp(MouseHandler handler) = 0;
  virtual Subscription OnKeyDown(KeyHandler handler) = 0;
  virtual Subscription OnKeyUp(KeyHandler handler) = 0;
  virtual Subscription OnKeyPress(KeyPressHandler handler) = 0;
  virtual Subscription OnGotFocus(Handler handler) = 0;
  virtual Subscription OnLostFocus(Handler handler) = 0;
};

using ControlPtr = std::shared_ptr<Control>;

class Menu;

class Form {
 public:
  virtual ~Form() = default;

  // The design name the form was created by.
  virtual std::string Name() = 0;
  virtual WindowHandle hWnd() = 0;
  // The window's title.
  virtual std::string Caption() = 0;
  virtual void SetCaption(std::string_view caption) = 0;

  // The window's outer rectangle, in twips. Changing the size fires Resize.
  virtual int32_t Left() = 0;
  virtual void SetLeft(int32_t twips) = 0;
  virtual int32_t Top() = 0;
  virtual void SetTop(int32_t twips) = 0;
  virtual int32_t Width() = 0;
  virtual void SetWidth(int32_t twips) = 0;
  virtual int32_t Height() = 0;
  virtual void SetHeight(int32_t twips) = 0;
  virtual void Move(int32_t left, int32_t top, int32_t width, int32_t height) = 0;
  // The inside of the window (its outer size without frame and title bar).
  virtual int32_t ScaleWidth() = 0;
  virtual int32_t ScaleHeight() = 0;

  virtual uint32_t BackColor() = 0;
  virtual void SetBackColor(uint32_t colour) = 0;
  virtual bool Visible() = 0;
  // With KeyPreview the form's KeyDown sees each key before the control
  // with the focus; a key it consumes does not reach the control.
  virtual bool KeyPreview() = 0;
  virtual void SetKeyPreview(bool on) = 0;

  // Shows the form, activated. kModeless returns at once (a visible form is
  // only brought up). kModal returns when the form is hidden or unloaded;
  // a form already visible cannot be shown modally (400).
  virtual void Show(int style) = 0;
  // Hides the form; it stays loaded.
  virtual void Hide() = 0;
  // Unloads the form as the add-in's own code does: the window and its
  // controls are gone, and QueryUnload and Unload do not fire (they announce
  // the user or the host closing the window). Every later member raises 364.
  virtual void Unload() = 0;
  // Activates the form; raises 5 when it is hidden.
  virtual void SetFocus() = 0;
  // Shows a popup menu (a menu of this form with entries below it) at the
  // mouse; returns when it is dismissed, after the chosen entry's Click.
  virtual void PopupMenu(const std::shared_ptr<Menu>& menu) = 0;

  // Every control of the form, in creation order.
  virtual std::vector<ControlPtr> Controls() = 0;
  // The control of that name; raises 730 when there is none.
  virtual ControlPtr Control(std::string_view name) = 0;
  // Creates a control of kind `type_name` (a TypeName, "TextBox") named
  // `name` inside `container` (a picture box, frame or, for a menu entry,
  // its menu; "" is the form). Raises 5 for a name in use, an unknown kind
  // or an unfit container. Use Add<T> below.
  virtual ControlPtr AddControl(std::string_view type_name, std::string_view name,
                                std::string_view container) = 0;
  // The typed form of AddControl: form.Add<ui::TextBox>("Text").
  template <typename T>
  std::shared_ptr<T> Add(std::string_view name, std::string_view container = "") {
    return std::dynamic_pointer_cast<T>(AddControl(T::kTypeName, name, container));
  }

  virtual Subscription OnClick(Handler handler) = 0;
  virtual Subscription OnMouseDown(MouseHandler handler) = 0;
  virtual Subscription OnMouseMove(MouseHandler handler) = 0;
  virtual Subscription OnKeyDown(KeyHandler handler) = 0;
  virtual Subscription OnResize(Handler handler) = 0;
  virtual Subscription OnActivate(Handler handler) = 0;
  virtual Subscription OnDeactivate(Handler handler) = 0;
  virtual Subscription OnGotFocus(Handler handler) = 0;
  // The window is closed with its close box: QueryUnload(cancel,
  // unload_mode::kFormControlMenu) first, then Unload(cancel); a handler
  // that sets cancel to non-zero keeps the form open.
  virtual Subscription OnQueryUnload(std::function<void(int& cancel, int mode)> h) = 0;
  virtual Subscription OnUnload(std::function<void(int& cancel)> handler) = 0;
};

using FormPtr = std::shared_ptr<Form>;

class FormFactory {
 public:
  virtual ~FormFactory() = default;
  // A new, hidden form of that design name with no controls; the caller
  // owns it until it unloads.
  virtual FormPtr CreateForm(std::string_view design_name) = 0;
};

}  // namespace pinlet::ui

#endif  // PINLET_PLATFORM_UI_H_
