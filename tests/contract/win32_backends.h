// Windows itself as the backend of the contracts (the Windows build, run
// under Wine): the real services, on a folder of the test's own.
#ifndef PINLET_TESTS_CONTRACT_WIN32_BACKENDS_H_
#define PINLET_TESTS_CONTRACT_WIN32_BACKENDS_H_

#include <string>

#include <gtest/gtest.h>

#include "platform/win32/win32_clipboard.h"
#include "platform/win32/win32_files.h"
#include "platform/win32/win32_registry.h"
#include "platform/win32/win32_shell.h"
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

}  // namespace pinlet::contract

#endif  // PINLET_TESTS_CONTRACT_WIN32_BACKENDS_H_
