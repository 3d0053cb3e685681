#include "platform/win32/win32_message_boxes.h"

#include <windows.h>

#include "platform/wide_text.h"

namespace pinlet {

int Win32MessageBoxes::Show(std::string_view text, std::string_view title, int style) {
  return MessageBoxW(GetActiveWindow(), Wide(text).c_str(), Wide(title).c_str(),
                     static_cast<UINT>(style));
}

}  // namespace pinlet
