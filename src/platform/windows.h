// Windows services the add-in calls directly: message boxes, the top-level
// windows and the clock (the file system is in files.h).
//
// Message boxes are modal and answered by the user (in the simulated host, by
// a scripted responder). The window manager keeps the z-order with its
// top-most band and the active window; positions and sizes are in twips.
#ifndef PINLET_PLATFORM_WINDOWS_H_
#define PINLET_PLATFORM_WINDOWS_H_

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/date.h"

namespace pinlet {

// Message box styles and answers, with the host's values.
namespace mb {
constexpr int kOkOnly = 0;
constexpr int kOkCancel = 1;
constexpr int kAbortRetryIgnore = 2;
constexpr int kYesNoCancel = 3;
constexpr int kYesNo = 4;
constexpr int kRetryCancel = 5;
constexpr int kCritical = 16;
constexpr int kQuestion = 32;
constexpr int kExclamation = 48;
constexpr int kInformation = 64;
constexpr int kDefaultButton2 = 256;
constexpr int kDefaultButton3 = 512;
constexpr int kSystemModal = 4096;
constexpr int kHelpButton = 16384;  // adds a Help button
constexpr int kSetForeground = 65536;

constexpr int kOk = 1;
constexpr int kCancel = 2;
constexpr int kAbort = 3;
constexpr int kRetry = 4;
constexpr int kIgnore = 5;
constexpr int kYes = 6;
constexpr int kNo = 7;
}  // namespace mb

// A top-level window's handle; 0 is no window.
using WindowHandle = int64_t;

// Where SetWindowPos puts a window in the z-order, with the system's values.
namespace hwnd {
constexpr WindowHandle kTop = 0;         // the top of the window's own band
constexpr WindowHandle kBottom = 1;      // below every window; leaves the top-most band
constexpr WindowHandle kTopMost = -1;    // the top of the top-most band
constexpr WindowHandle kNoTopMost = -2;  // the top of the normal band
}  // namespace hwnd

// SetWindowPos flags, with the system's values.
namespace swp {
constexpr uint32_t kNoSize = 0x1;
constexpr uint32_t kNoMove = 0x2;
constexpr uint32_t kNoZOrder = 0x4;
constexpr uint32_t kNoActivate = 0x10;
constexpr uint32_t kShowWindow = 0x40;
constexpr uint32_t kHideWindow = 0x80;
}  // namespace swp

// ShowWindow commands, with the system's values.
namespace sw {
constexpr int kHide = 0;
constexpr int kShowNormal = 1;
constexpr int kShowNoActivate = 4;
constexpr int kShow = 5;
constexpr int kShowNA = 8;
constexpr int kRestore = 9;
}  // namespace sw

// A rectangle on the screen in twips: its top-left corner and its size.
struct Rect {
  int32_t left = 0;
  int32_t top = 0;
  int32_t width = 0;
  int32_t height = 0;
  bool operator==(const Rect&) const = default;
};

// Twips per screen pixel at 96 dots per inch; a backend converts the
// system's pixels with it.
constexpr int32_t kTwipsPerPixel = 15;

class MessageBoxes {
 public:
  virtual ~MessageBoxes() = default;
  // Shows a modal message box and returns the button chosen (mb::kOk, ...).
  virtual int Show(std::string_view text, std::string_view title, int style) = 0;
};

// The top-level windows of the session: their z-order with its top-most
// band, the active window, placement in twips, and the screen.
//
// Top-most windows always stay above normal ones: activating a normal window
// raises it to the top of the normal band only. Every member answers failure
// as the system call does (false, 0, nullopt, an empty text or list), never
// by raising.
class WindowManager {
 public:
  virtual ~WindowManager() = default;

  // SetWindowPos: puts `window` after `insert_after` (a window, or one of
  // hwnd::k...) and moves and sizes it to the rectangle, as far as `flags`
  // (swp::k...) allow. Without swp::kNoActivate a visible window is also
  // activated. False for an unknown handle.
  virtual bool SetWindowPos(WindowHandle window, WindowHandle insert_after, int32_t left,
                            int32_t top, int32_t width, int32_t height,
                            uint32_t flags) = 0;
  // ShowWindow with a command sw::k...: shows (and, unless the command says
  // otherwise, activates) or hides the window. Answers whether the window
  // was visible before; false also for an unknown handle.
  virtual bool ShowWindow(WindowHandle window, int command) = 0;
  // SetForegroundWindow: activates a visible window and raises it to the top
  // of its band. False for an unknown or hidden window.
  virtual bool SetForegroundWindow(WindowHandle window) = 0;
  // GetActiveWindow: the active window; 0 when there is none.
  virtual WindowHandle GetActiveWindow() = 0;
  // GetWindowRect: where the window is, in twips; nullopt for an unknown handle.
  virtual std::optional<Rect> GetWindowRect(WindowHandle window) = 0;
  // GetWindowText: the window's title; "" for an unknown handle.
  virtual std::string GetWindowText(WindowHandle window) = 0;
  virtual bool IsWindow(WindowHandle window) = 0;
  virtual bool IsWindowVisible(WindowHandle window) = 0;
  // EnumWindows: every top-level window, visible or not, front to back.
  virtual std::vector<WindowHandle> EnumWindows() = 0;
  // GetSystemMetrics for the screen's size, in twips, at the origin; a rect
  // of size 0 on failure.
  virtual Rect GetScreenRect() = 0;
  // SystemParametersInfo(SPI_GETWORKAREA): the screen without the task bar.
  virtual std::optional<Rect> GetWorkArea() = 0;
  // GetSysColor: the colour (0x00BBGGRR) of a display element, COLOR_SCROLLBAR
  // (0) to COLOR_INFOBK (24); 0 for an element the system does not have.
  virtual uint32_t GetSysColor(int index) = 0;

  // Keeps the window above all normal windows (true) or returns it to the
  // top of the normal band (false): SetWindowPos with hwnd::kTopMost or
  // hwnd::kNoTopMost and swp::kNoMove | swp::kNoSize, which also activates it.
  bool SetTopMost(WindowHandle window, bool top_most);
};

// Activates the front-most visible top-level window whose title contains
// `part`, ignoring the case of ASCII letters. False when no title matches or
// the activation fails.
bool ActivateWindowByTitle(WindowManager& windows, std::string_view part);

class Clock {
 public:
  virtual ~Clock() = default;
  virtual Date Now() = 0;
};

}  // namespace pinlet

#endif  // PINLET_PLATFORM_WINDOWS_H_
