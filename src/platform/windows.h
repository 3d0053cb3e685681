// Windows services the add-in calls directly: message boxes, window placement
// and the file system.
//
// Message boxes are modal and answered by the user (in the simulated host, by
// a scripted responder). The window manager keeps note windows above normal
// windows. The file system works on the host's paths (backslash-separated).
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
constexpr int kYesNoCancel = 3;
constexpr int kYesNo = 4;
constexpr int kCritical = 16;
constexpr int kQuestion = 32;
constexpr int kExclamation = 48;
constexpr int kInformation = 64;
constexpr int kSystemModal = 4096;
constexpr int kSetForeground = 65536;

constexpr int kOk = 1;
constexpr int kCancel = 2;
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

class FileSystem {
 public:
  virtual ~FileSystem() = default;
  // The whole content of a file; nullopt when it cannot be read.
  virtual std::optional<std::string> ReadFile(std::string_view path) = 0;
  // Replaces the file's content, creating missing folders; false on failure.
  virtual bool WriteFile(std::string_view path, std::string_view content) = 0;
  // Appends to the file, creating it; false on failure.
  virtual bool AppendFile(std::string_view path, std::string_view content) = 0;
  virtual bool FileExists(std::string_view path) = 0;
};

class Clock {
 public:
  virtual ~Clock() = default;
  virtual Date Now() = 0;
};

}  // namespace pinlet

#endif  // PINLET_PLATFORM_WINDOWS_H_
