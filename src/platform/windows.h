// Windows services the add-in calls directly: message boxes, window placement
// and the clock (the file system is in files.h).
//
// Message boxes are modal and answered by the user (in the simulated host, by
// a scripted responder). The window manager keeps note windows above normal
// windows.
#ifndef PINLET_PLATFORM_WINDOWS_H_
#define PINLET_PLATFORM_WINDOWS_H_

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

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
constexpr int kSetForeground = 65536;

constexpr int kOk = 1;
constexpr int kCancel = 2;
constexpr int kAbort = 3;
constexpr int kRetry = 4;
constexpr int kIgnore = 5;
constexpr int kYes = 6;
constexpr int kNo = 7;
}  // namespace mb

using WindowHandle = int64_t;

class MessageBoxes {
 public:
  virtual ~MessageBoxes() = default;
  // Shows a modal message box and returns the button chosen (mb::kOk, ...).
  virtual int Show(std::string_view text, std::string_view title, int style) = 0;
};

class WindowManager {
 public:
  virtual ~WindowManager() = default;
  // Keeps the window above all normal windows (true) or returns it to the
  // normal order (false). Returns false for an unknown handle.
  virtual bool SetTopMost(WindowHandle window, bool top_most) = 0;
};

class Clock {
 public:
  virtual ~Clock() = default;
  virtual Date Now() = 0;
};

}  // namespace pinlet

#endif  // PINLET_PLATFORM_WINDOWS_H_
