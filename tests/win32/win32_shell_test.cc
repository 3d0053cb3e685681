#include "platform/win32/win32_shell.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <windows.h>

#include "platform/wide_text.h"
#include "platform/text.h"
#include "platform/win32/win32_files.h"
#include "win32_fixture.h"

namespace pinlet {
namespace {

class Win32ShellTest : public ::testing::Test {
 protected:
  void SetUp() override { CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED); }
  void TearDown() override { CoUninitialize(); }

  testing::TestFolder dir;
  Win32FileSystem files;
  Win32Shell shell;
};

TEST_F(Win32ShellTest, ShellExecuteAnswersTheSystemsFailures) {
  ASSERT_TRUE(files.WriteFile(dir / "page.pinlet-unknown", "x"));
  EXPECT_EQ(shell.Execute(0, "open", dir / "missing.txt", "", "", se::kShowNormal),
            se::kFileNotFound);
  EXPECT_EQ(
      shell.Execute(0, "", dir / "page.pinlet-unknown", "", dir.path(), se::kShowNormal),
      se::kNoAssociation);
}

TEST_F(Win32ShellTest, TheUsersFoldersAreTheSystems) {
  std::optional<std::string> app_data = shell.SpecialFolderPath(csidl::kAppData, false);
  ASSERT_TRUE(app_data);
  EXPECT_FALSE(app_data->ends_with("\\"));
  EXPECT_TRUE(files.FolderExists(*app_data));
}

TEST_F(Win32ShellTest, DefinedVariablesAreExpandedAndTheRestStays) {
  const std::string value = "C:\\Notes " + std::string(5000, 'v');
  SetEnvironmentVariableW(L"PINLET_TEST_FOLDER", Wide(value).c_str());
  SetEnvironmentVariableW(L"PINLET_TEST_ACCENT", L"caf\u00E9");
  EXPECT_EQ(shell.ExpandEnvironment("%pinlet_test_folder%\\a.txt"), value + "\\a.txt");
  EXPECT_EQ(shell.ExpandEnvironment("%PINLET_TEST_ACCENT%"), "caf\xC3\xA9");
  EXPECT_EQ(shell.ExpandEnvironment("100% %PINLET_TEST_UNDEFINED% %%"),
            "100% %PINLET_TEST_UNDEFINED% %%");
  EXPECT_EQ(shell.ExpandEnvironment(""), "");
  SetEnvironmentVariableW(L"PINLET_TEST_FOLDER", nullptr);
  SetEnvironmentVariableW(L"PINLET_TEST_ACCENT", nullptr);
}

}  // namespace
}  // namespace pinlet
