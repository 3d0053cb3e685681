// The simulated machine's shell, clock and timers lent to a module in
// place of the system's: here the test program's own imports, which the
// platform's Windows services below call as the add-in's DLL does.
#include "sim/comhost/lent_services.h"

#include <gtest/gtest.h>

#include "platform/wide_text.h"
#include "platform/win32/import_table.h"
#include "sim/machine/world.h"
#include "platform/win32/win32_files.h"
#include "platform/win32/win32_shell.h"

namespace pinlet::comhost {
namespace {

DWORD WINAPI FixedTickCount() { return 4242; }

// Each call reads the import table anew (the compiler may keep an import's
// address across calls within one function).
__attribute__((noinline)) DWORD TickCount() { return GetTickCount(); }

TEST(ImportTableTest, AnImportIsRedirectedAndPutBack) {
  HMODULE self = GetModuleHandleW(nullptr);
  void* original = ReplaceImport(self, "kernel32.DLL", "GetTickCount",
                                 reinterpret_cast<void*>(&FixedTickCount));
  ASSERT_TRUE(original);
  EXPECT_EQ(TickCount(), 4242u);
  EXPECT_EQ(ReplaceImport(self, "KERNEL32.dll", "GetTickCount", original),
            reinterpret_cast<void*>(&FixedTickCount));
  EXPECT_NE(TickCount(), 4242u);
  // What the module does not import, or from another library, is not there.
  EXPECT_FALSE(ReplaceImport(self, "kernel32.dll", "NoSuchFunction", original));
  EXPECT_FALSE(ReplaceImport(self, "nosuch.dll", "GetTickCount", original));
  EXPECT_FALSE(ReplaceImport(nullptr, "kernel32.dll", "GetTickCount", original));
}

// The simulated machine's files are the real ones here, as in the test
// host, in a folder of the real temporary folder.
class LentServicesTest : public ::testing::Test {
 protected:
  LentServicesTest() {
    wchar_t temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    folder = Narrow(temp) + "pinlet-lent-test";
    world.UseHostFiles(&files);
    world.files.DeleteEntry(folder, true);
    files.CreateFolder(folder);
  }
  ~LentServicesTest() override { world.files.DeleteEntry(folder, true); }

  Win32FileSystem files;
  std::string folder;
  sim::World world;
  Win32Shell shell;
  Win32Clock clock;
};

TEST_F(LentServicesTest, TheShellAndTheClockAreTheSimulatedMachinesWhileLent) {
  const std::string page = folder + "\\page.htm", missing = folder + "\\missing.txt";
  files.WriteFile(page, "<p>page</p>");
  {
    LentServices lent(GetModuleHandleW(nullptr), world);
    ASSERT_EQ(lent.error(), "");
    EXPECT_EQ(shell.Execute(0, "print", page, "", "", 1), 42);
    EXPECT_EQ(shell.Execute(0, "open", missing, "", "", 1), 2);
    ASSERT_EQ(world.shell.executed().size(), 2u);
    EXPECT_EQ(world.shell.executed()[0].verb, "print");
    EXPECT_EQ(world.shell.executed()[1].file, missing);
    world.faults.FailMember("ShellExecute");
    EXPECT_EQ(shell.Execute(0, "open", page, "", "", 1), 0);
    world.faults.Clear();

    EXPECT_EQ(clock.Now().ToGeneralString(), world.clock.now().ToGeneralString());
    world.ui.AdvanceTime(90 * 1000);
    EXPECT_EQ(clock.Now().ToGeneralString(), world.clock.now().ToGeneralString());
    EXPECT_EQ(TickCount(), 90000u);

    // Temporary names are the simulated shell's, in its order.
    EXPECT_EQ(shell.TempFileName(folder, "pnl"), folder + "\\pnl1.tmp");
    EXPECT_EQ(shell.TempFileName(folder, "pnl"), folder + "\\pnl2.tmp");
    EXPECT_TRUE(files.FileExists(folder + "\\pnl2.tmp"));
    EXPECT_FALSE(shell.TempFileName(folder + "\\no such folder", "pnl"));
  }
  // Given back: the calls reach the system again (whose clock is not the
  // simulated machine's morning).
  EXPECT_NE(clock.Now().ToGeneralString(), world.clock.now().ToGeneralString());
}

LRESULT CALLBACK CountTicks(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == WM_TIMER) {
    auto* ticks =
        reinterpret_cast<std::vector<WPARAM>*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (ticks) ticks->push_back(wparam);
    return 0;
  }
  return DefWindowProcW(window, message, wparam, lparam);
}

TEST_F(LentServicesTest, TimersTickOnlyAsTheSimulatedTimeAdvances) {
  WNDCLASSW window_class = {};
  window_class.lpfnWndProc = CountTicks;
  window_class.hInstance = GetModuleHandleW(nullptr);
  window_class.lpszClassName = L"LentTimersTest";
  RegisterClassW(&window_class);
  HWND window = CreateWindowExW(0, L"LentTimersTest", L"", WS_POPUP, 0, 0, 10, 10,
                                nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
  ASSERT_TRUE(window);
  std::vector<WPARAM> ticks;
  SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&ticks));

  LentServices lent(GetModuleHandleW(nullptr), world);
  ASSERT_EQ(lent.error(), "");
  EXPECT_EQ(SetTimer(window, 7, 250, nullptr), 7u);
  EXPECT_EQ(SetTimer(window, 8, 400, nullptr), 8u);
  EXPECT_EQ(SetTimer(nullptr, 9, 100, nullptr), 0u);  // a timer of no window
  // Real time passing ticks nothing.
  Sleep(300);
  MSG msg;
  while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
  EXPECT_TRUE(ticks.empty());

  EXPECT_EQ(world.ui.AdvanceTime(800), 5);
  EXPECT_EQ(ticks, (std::vector<WPARAM>{7, 8, 7, 7, 8}));
  EXPECT_TRUE(KillTimer(window, 7));
  EXPECT_FALSE(KillTimer(window, 7));
  DestroyWindow(window);                    // its timers stop with it
  EXPECT_EQ(world.ui.AdvanceTime(800), 1);  // the tick that finds it gone
  EXPECT_FALSE(world.ui.NextTick());
  EXPECT_EQ(ticks.size(), 5u);
}

}  // namespace
}  // namespace pinlet::comhost
