// The message boxes of platform/windows.h through the system's MessageBoxW.
//
// A box is modal to the active window of the calling thread (its owner), so
// that the add-in's window or Outlook's waits for the answer; the title and
// text cross as UTF-16 and the style (mb::k...) is the system's as given.
// A box the system cannot show answers 0, as MessageBoxW does.
#ifndef PINLET_PLATFORM_WIN32_WIN32_MESSAGE_BOXES_H_
#define PINLET_PLATFORM_WIN32_WIN32_MESSAGE_BOXES_H_

#include <string_view>

#include "platform/windows.h"

namespace pinlet {

class Win32MessageBoxes : public MessageBoxes {
 public:
  // The button chosen (mb::kOk, ...), or 0 when no box could be shown.
  int Show(std::string_view text, std::string_view title, int style) override;
};

}  // namespace pinlet

#endif  // PINLET_PLATFORM_WIN32_WIN32_MESSAGE_BOXES_H_
