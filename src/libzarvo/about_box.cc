#include "libzarvo/about_box.h"

#include <string>

#include "platform/support_library_texts.h"
#include "platform/win32/ansi_text.h"

namespace pinlet::libzarvo {
namespace {

void SetText(HWND window, const std::string& utf8) {
  SetWindowTextA(window, Utf8ToAnsi(utf8).c_str());
}

INT_PTR CALLBACK AboutProc(HWND dialog, UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_INITDIALOG: {
      SetWindowLongPtrW(dialog, DWLP_USER, lparam);
      SetText(dialog, std::string(support_texts::kAboutCaption));
      SetText(GetDlgItem(dialog, IDC_ABOUT_PRODUCT), std::string(support_texts::kProductName));
      SetText(GetDlgItem(dialog, IDC_ABOUT_VERSION), support_texts::VersionLine());
      SetText(GetDlgItem(dialog, IDC_ABOUT_DESCRIPTION),
              std::string(support_texts::kDescription));
      SetText(GetDlgItem(dialog, IDC_ABOUT_HELP), std::string(support_texts::kHelpButton));
      SetText(GetDlgItem(dialog, IDOK), std::string(support_texts::kOkButton));
      return TRUE;
    }
    case WM_COMMAND:
      switch (LOWORD(wparam)) {
        case IDOK:
        case IDCANCEL:
          EndDialog(dialog, LOWORD(wparam));
          return TRUE;
        case IDC_ABOUT_HELP: {
          auto* open_index = reinterpret_cast<const std::function<void()>*>(
              GetWindowLongPtrW(dialog, DWLP_USER));
          if (open_index && *open_index) (*open_index)();
          return TRUE;
        }
      }
      return FALSE;
    case WM_CLOSE:
      EndDialog(dialog, IDCANCEL);
      return TRUE;
  }
  return FALSE;
}

}  // namespace

bool ShowAboutBox(HMODULE module, const std::function<void()>& open_index) {
  INT_PTR result =
      DialogBoxParamW(module, MAKEINTRESOURCEW(IDD_ABOUT), GetActiveWindow(), AboutProc,
                      reinterpret_cast<LPARAM>(&open_index));
  return result != -1 && result != 0;
}

}  // namespace pinlet::libzarvo
