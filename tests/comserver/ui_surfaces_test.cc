// The COM build's user interface: forms are real windows, and the system's
// message boxes, window manager and dialogs are all there.
#include "comserver/ui_surfaces.h"

#include <gtest/gtest.h>
#include <windows.h>

namespace pinlet::comserver {
namespace {

TEST(UiSurfacesTest, FormsAreRealWindows) {
  UiSurfaces surfaces;
  Platform platform;
  surfaces.Fill(platform);
  ui::FormPtr form = platform.forms->CreateForm("frmComments");
  ASSERT_TRUE(form);
  HWND window = reinterpret_cast<HWND>(static_cast<intptr_t>(form->hWnd()));
  EXPECT_TRUE(IsWindow(window));
  EXPECT_FALSE(IsWindowVisible(window));  // made hidden
  form->Unload();
  EXPECT_FALSE(IsWindow(window));
  EXPECT_TRUE(platform.message_boxes && platform.window_manager && platform.dialogs);
}

}  // namespace
}  // namespace pinlet::comserver
