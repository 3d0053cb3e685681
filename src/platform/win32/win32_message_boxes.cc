#include "platform/win32/win32_message_boxes.h"

#include <windows.h>

#include "platform/com/com_ptr.h"

namespace pinlet {

int Win32MessageBoxes::Show(std::string_view text, std::string_view title, int style) {
  return MessageBoxW(GetActiveWindow(), com::Wide(text).c_str(), com::Wide(title).c_str(),
                     static_cast<UINT>(style));
}

}  // namespace pinlet
