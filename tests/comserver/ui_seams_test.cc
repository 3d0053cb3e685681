// The COM build's user interface: real forms, unless a host in the process
// refused them, in which case no form can be made and the need is marked.
#include "comserver/ui_seams.h"

#include <gtest/gtest.h>
#include <windows.h>

#include "platform/host_error.h"

namespace pinlet::comserver {
namespace {

// Sets an environment variable of the process for a test's length.
class ScopedVariable {
 public:
  ScopedVariable(const wchar_t* name, const wchar_t* value) : name_(name) {
    SetEnvironmentVariableW(name_, value);
  }
  ~ScopedVariable() { SetEnvironmentVariableW(name_, nullptr); }
  ScopedVariable(const ScopedVariable&) = delete;
  ScopedVariable& operator=(const ScopedVariable&) = delete;

 private:
  const wchar_t* name_;
};

std::wstring Variable(const wchar_t* name) {
  wchar_t value[128] = {};
  return GetEnvironmentVariableW(name, value, 128) ? value : L"";
}

TEST(UiSeamsTest, FormsAreRealWindows) {
  UiSeams seams;
  Platform platform;
  seams.Fill(platform);
  ui::FormPtr form = platform.forms->CreateForm("frmComments");
  ASSERT_TRUE(form);
  HWND window = reinterpret_cast<HWND>(static_cast<intptr_t>(form->hWnd()));
  EXPECT_TRUE(IsWindow(window));
  EXPECT_FALSE(IsWindowVisible(window));  // made hidden
  form->Unload();
  EXPECT_FALSE(IsWindow(window));
  EXPECT_TRUE(platform.message_boxes && platform.window_manager && platform.dialogs);
}

TEST(UiSeamsTest, AHostThatRefusedFormsGetsNoneAndTheNeedIsMarked) {
  ScopedVariable refused(L"PINLET_FORMS", L"none");
  ScopedVariable mark(L"PINLET_UI_SEAM", nullptr);
  UiSeams seams;
  Platform platform;
  seams.Fill(platform);
  try {
    platform.forms->CreateForm("frmOptions");
    ADD_FAILURE() << "a form was made";
  } catch (const HostError& e) {
    EXPECT_EQ(e.number(), errors::kCannotCreateObject);
  }
  EXPECT_EQ(Variable(L"PINLET_UI_SEAM"), L"a real window (form frmOptions)");
}

TEST(UiSeamsTest, OnlyTheWordNoneRefusesForms) {
  ScopedVariable other(L"PINLET_FORMS", L"nonesuch");
  UiSeams seams;
  Platform platform;
  seams.Fill(platform);
  ui::FormPtr form = platform.forms->CreateForm("frmReminder");
  ASSERT_TRUE(form);
  form->Unload();
}

}  // namespace
}  // namespace pinlet::comserver
