// Windows itself as the backend of the contracts (the Windows build, run
// under Wine): the real services, on a folder of the test's own.
#ifndef PINLET_TESTS_CONTRACT_WIN32_BACKENDS_H_
#define PINLET_TESTS_CONTRACT_WIN32_BACKENDS_H_

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "platform/com/com_boundary.h"
#include "platform/win32/win32_clipboard.h"
#include "platform/win32/win32_dialogs.h"
#include "platform/win32/win32_files.h"
#include "platform/win32/win32_message_boxes.h"
#include "platform/win32/win32_registry.h"
#include "platform/win32/win32_shell.h"
// windows.h (through the headers above) names GetWindowText as a macro; the
// window manager's member of that name is meant.
#undef GetWindowText
#include "platform/wide_text.h"
#include "platform/win32/win32_window_manager.h"
#include "platform/win32ui/win32_form_factory.h"
#include "sim/app/driver.h"
#include "sim/comhost/real_forms.h"
#include "sim/comhost/shown_calls.h"
#include "sim/comhost/ui_answers.h"
#include "sim/machine/world.h"
#include "win32_fixture.h"

namespace pinlet::contract {

class Win32FilesBackend {
 public:
  FileSystem& files() { return files_; }
  std::string Root() { return folder_.path(); }

 private:
  testing::TestFolder folder_;
  Win32FileSystem files_;
};

// The system's shell over the real files, in an apartment of COM as the
// add-in's thread is.
class Win32ShellBackend : public Win32FilesBackend {
 public:
  Win32ShellBackend() { CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED); }
  ~Win32ShellBackend() { CoUninitialize(); }
  Shell& shell() { return shell_; }

 private:
  Win32Shell shell_;
};

// The current user's branch, overridden by an empty key of the test's own.
class Win32RegistryBackend {
 public:
  Registry& registry() { return registry_; }

 private:
  testing::TestCurrentUser user_;
  Win32Registry registry_;
};

// The system's clipboard, emptied for the test.
class Win32ClipboardBackend {
 public:
  Win32ClipboardBackend() {
    EXPECT_TRUE(clipboard_.Open());
    EXPECT_TRUE(clipboard_.Empty());
    EXPECT_TRUE(clipboard_.Close());
  }
  Clipboard& clipboard() { return clipboard_; }

 private:
  Win32Clipboard clipboard_;
};

// The system's window manager over top-level windows of this thread.
class Win32WindowManagerBackend {
 public:
  ~Win32WindowManagerBackend() {
    for (HWND window : made_) DestroyWindow(window);
  }
  WindowManager& windows() { return windows_; }
  WindowHandle Make(const std::string& title) {
    HWND window =
        CreateWindowExW(0, L"STATIC", Wide(title).c_str(), WS_OVERLAPPEDWINDOW, 10, 10,
                        200, 100, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
    made_.push_back(window);
    ::ShowWindow(window, SW_SHOW);
    return static_cast<WindowHandle>(reinterpret_cast<intptr_t>(window));
  }
  void Destroy(WindowHandle window) {
    HWND native = reinterpret_cast<HWND>(static_cast<intptr_t>(window));
    DestroyWindow(native);
    made_.erase(std::find(made_.begin(), made_.end(), native));
  }

 private:
  Win32WindowManager windows_;
  std::vector<HWND> made_;
};

// The system's message boxes and common dialogs, answered as the test host
// answers the add-in's: the calls are read at this program's own imports
// (sim/comhost/shown_calls.h) and the user's answers are a simulated
// machine's queue, enacted in the real windows (sim/comhost/ui_answers.h).
// That machine's files are the real ones, which the file dialogs show.
class Win32DialogsBackend {
 public:
  Win32DialogsBackend() {
    EXPECT_TRUE(answers_.installed());
    EXPECT_EQ(watched_.error(), "");
    user_.UseHostFiles(&files_);
  }
  ~Win32DialogsBackend() {
    EXPECT_EQ(answers_.TakeTrouble(), "");
    for (const std::string& defect : user_.defects())
      ADD_FAILURE() << "defect: " << defect;
  }
  MessageBoxes& boxes() { return boxes_; }
  CommonDialogs& dialogs() { return dialogs_; }
  sim::World& user() { return user_; }
  FileSystem& files() { return files_; }
  std::string Root() { return folder_.path(); }

 private:
  testing::TestFolder folder_;
  Win32FileSystem files_;
  sim::World user_;
  comhost::UiAnswers answers_{user_};
  comhost::ShownCalls watched_{GetModuleHandleW(nullptr)};
  Win32MessageBoxes boxes_;
  Win32Dialogs dialogs_;
};

// Real forms of this thread, acted on as the test host acts on the add-in's
// (sim/comhost/real_forms.h): the system's mouse and keyboard messages. A
// defect a window procedure stopped fails the test, and so does a form's
// window that outlives its form.
class Win32FormsBackend {
 public:
  Win32FormsBackend() {
    com::SetDefectRecorder([this](const std::string& what) { defects_.push_back(what); });
  }
  ~Win32FormsBackend() {
    for (const ui::FormPtr& form : forms_) IgnoreError([&] { form->Unload(); });
    testing::PumpMessages(0);
    if (held_open_) held_.Close();
    EXPECT_EQ(FormWindowCount(), 0) << "a form's window outlived its form";
    for (const std::string& defect : defects_) ADD_FAILURE() << "defect: " << defect;
    com::SetDefectRecorder(nullptr);
  }
  ui::FormPtr NewForm(std::string_view design_name) {
    forms_.push_back(factory_.CreateForm(design_name));
    return forms_.back();
  }
  bool Do(ui::Form& form, const sim::FormAction& action, std::string& error) {
    app::FormRef ref{form.hWnd(), "", "", true};
    return real_.Perform(ref, action, error) == app::kDone;
  }
  Clipboard& clipboard() { return clipboard_; }
  void HoldClipboard(bool held) {
    if (held)
      EXPECT_TRUE(held_open_ = held_.Open());
    else if (std::exchange(held_open_, false))
      held_.Close();
  }
  bool WaitFor(int milliseconds, const std::function<bool()>& done) {
    return testing::PumpMessages(milliseconds, done);
  }

 private:
  static BOOL CALLBACK CountForm(HWND window, LPARAM count) {
    if (comhost::IsOurForm(window)) ++*reinterpret_cast<int*>(count);
    return TRUE;
  }
  static int FormWindowCount() {
    int count = 0;
    EnumThreadWindows(GetCurrentThreadId(), CountForm, reinterpret_cast<LPARAM>(&count));
    return count;
  }

  Win32FormFactory factory_;
  std::vector<ui::FormPtr> forms_;
  std::vector<std::string> defects_;
  sim::World user_;
  comhost::RealForms real_{user_};
  Win32Clipboard clipboard_;
  Win32Clipboard held_;  // another program's hold on the clipboard
  bool held_open_ = false;
};

}  // namespace pinlet::contract

#endif  // PINLET_TESTS_CONTRACT_WIN32_BACKENDS_H_
