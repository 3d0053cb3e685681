// The design of frmComments, in one place: every control with its kind,
// container and design-time rectangle, the picture buttons with their
// pictures and tool tips, and the measures the layout rules are built on.
// Internal to the note window.
//
// All numbers are twips. The design is the edit state with the attachments
// panel hidden, 5310 wide (the minimum width): the note toolbar on top, the
// text toolbar below it, the text, the footer 75 below the text and the
// panel 50 below the footer. The view state moves the text up to the note
// toolbar's top; the window's height then follows the layout rules of
// frm_comments_layout.cc, which are relative to these places.
#ifndef PINLET_NOTEWINDOW_FRM_COMMENTS_DESIGN_H_
#define PINLET_NOTEWINDOW_FRM_COMMENTS_DESIGN_H_

#include <cstdint>
#include <span>
#include <string_view>

namespace pinlet::design {

struct ControlPlace {
  std::string_view name;
  std::string_view kind;       // a TypeName of ui_controls.h
  std::string_view container;  // "" for the form
  int32_t left, top, width, height;
  bool visible;
};

// A picture button: its normal picture (whose "_OVER" and "_DOWN" variants
// are its hover and pressed looks), its disabled picture ("" when it is
// never disabled) and its tool tip ("" for none).
struct PictureButton {
  std::string_view name;
  std::string_view key;
  std::string_view disabled_key;
  std::string_view tip;
};

// Every control, in creation order (a container before what it holds).
std::span<const ControlPlace> Controls();
// The picture buttons, the on-top button among them.
std::span<const PictureButton> Buttons();
const PictureButton* FindButton(std::string_view name);
// The images that only end the hover of a button (separators, the text
// toolbar's strip and ends).
std::span<const std::string_view> HoverEnders();
// The two toolbar sets.
std::span<const std::string_view> NoteToolbar();
std::span<const std::string_view> TextToolbar();

constexpr std::string_view kCaption = "Edit Note";
constexpr int32_t kWidth = 5310;   // also the minimum width
constexpr int32_t kHeight = 3735;  // the edit state without the panel

constexpr int32_t kNoteToolbarTop = 60;
constexpr int32_t kTextToolbarTop = 420;
constexpr int32_t kEditTextTop = 810;  // below the text toolbar
constexpr int32_t kTextLeft = 120;
constexpr int32_t kTextHeight = 2100;
// The text, the footer and the text toolbar are the window's width less this.
constexpr int32_t kWidthLess = 355;
constexpr int32_t kFooterBelowText = 75;
constexpr int32_t kPanelBelowFooter = 50;
constexpr int32_t kFooterHeight = 255;
constexpr int32_t kPanelHeight = 1215;
// What the window's height adds below the panel's top: the frame and title
// bar, and the panel when it is shown.
constexpr int32_t kViewChrome = 450;
constexpr int32_t kEditChrome = 445;
constexpr int32_t kEditChromeWithPanel = 550;
// Minimum heights by state and panel.
constexpr int32_t kMinEditWithPanel = 5000;
constexpr int32_t kMinEdit = 3300;
constexpr int32_t kMinViewWithPanel = 3700;
constexpr int32_t kMinView = 2100;
// A text box lower than this is not applied by a resize.
constexpr int32_t kMinTextHeight = 750;
// picScrollBar lies this far inside the text's width, along its right side.
constexpr int32_t kScrollBarInset = 160;
constexpr int32_t kScrollBarWidth = 240;
constexpr int32_t kIndicatorSize = 255;
// Right-aligned controls: their left is the width of their row less this.
constexpr int32_t kViewButtonFromRight = 555;    // imgNoteView, from the window's width
constexpr int32_t kNoteSep4FromRight = 615;      // imgNoteSep4
constexpr int32_t kToolbarRightFromRight = 60;   // imgTextToolbarRight, from the strip's
constexpr int32_t kAttachCountFromRight = 1055;  // lblAttachments, from the footer's
constexpr int32_t kPanelToggleFromRight = 305;   // transAttachments, from the footer's
// Timer1's interval: how often a note in the edit state looks whether the
// user has left it.
constexpr int32_t kTimer1Interval = 1000;

}  // namespace pinlet::design

#endif  // PINLET_NOTEWINDOW_FRM_COMMENTS_DESIGN_H_
