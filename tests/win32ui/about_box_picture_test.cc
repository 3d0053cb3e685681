// The support library's about box as the user sees it: LibZarvo.dll (built
// beside the tests) shows it, a user's answer captures it and presses OK.
// PINLET_SCREENSHOT names a PNG file to write the capture to
// (tools/screenshot_wine.sh about makes docs/windows/about_box_wine.png so).
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdlib>
#include <optional>

#include "platform/win32/libzarvo_calls.h"
#include "libzarvo/resource_ids.h"
#include "platform/win32/modal_answerer.h"
#include "png_file.h"
#include "window_capture.h"

namespace pinlet::testing {
namespace {

TEST(AboutPicture, TheAboutBoxShowsItsTextsAndButtons) {
  HMODULE library = LoadLibraryW(L"LibZarvo.dll");
  ASSERT_TRUE(library);
  auto show_about = reinterpret_cast<decltype(&LibZarvoShowAbout)>(
      reinterpret_cast<void*>(GetProcAddress(library, "LibZarvoShowAbout")));
  ASSERT_TRUE(show_about);
  std::optional<Capture> capture;
  RECT help = {}, ok = {};
  ModalAnswerer answerer([&](HWND box) {
    capture = CaptureWindow(box);
    GetWindowRect(GetDlgItem(box, IDC_ABOUT_HELP), &help);
    GetWindowRect(GetDlgItem(box, IDOK), &ok);
    return dialog::Press(box, IDOK);
  });
  EXPECT_EQ(show_about(0), 0);
  FreeLibrary(library);
  ASSERT_TRUE(capture);
  // Both buttons are on the box, side by side, Help first.
  EXPECT_GT(help.right - help.left, 0);
  EXPECT_LT(help.right, ok.left);
  EXPECT_EQ(help.top, ok.top);
  EXPECT_GT(capture->image.width, ok.right - help.left);
  if (const char* path = std::getenv("PINLET_SCREENSHOT")) {
    EXPECT_TRUE(WritePng(path, capture->image)) << path;
  }
}

}  // namespace
}  // namespace pinlet::testing
