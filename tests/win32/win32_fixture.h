// What the tests of the Win32 services stand on: a folder and a registry
// key of their own, made fresh for each test and removed with everything in
// them afterwards, so that no test reads or leaves anything outside them.
#ifndef PINLET_TESTS_WIN32_WIN32_FIXTURE_H_
#define PINLET_TESTS_WIN32_WIN32_FIXTURE_H_

#include <windows.h>

#include <functional>
#include <string>
#include <string_view>

namespace pinlet::testing {

// A new folder below the temporary folder, with a name no other run uses
// and an accented letter in it, so that every path crosses as UTF-16.
class TestFolder {
 public:
  TestFolder();
  ~TestFolder();
  TestFolder(const TestFolder&) = delete;
  TestFolder& operator=(const TestFolder&) = delete;

  // The folder's path, without a trailing "\".
  const std::string& path() const { return path_; }
  // The path of `name` inside the folder.
  std::string operator/(std::string_view name) const {
    return path_ + "\\" + std::string(name);
  }

 private:
  std::string path_;
};

// A new key below HKEY_CURRENT_USER\Software\PinletTests that stands in
// for HKEY_CURRENT_USER in this process while it lives
// (RegOverridePredefKey): what the code under test writes to the current
// user's branch lands inside it and goes with it.
class TestCurrentUser {
 public:
  TestCurrentUser();
  ~TestCurrentUser();
  TestCurrentUser(const TestCurrentUser&) = delete;
  TestCurrentUser& operator=(const TestCurrentUser&) = delete;

  // The key standing in for HKEY_CURRENT_USER.
  HKEY key() const { return key_; }

 private:
  std::string path_;  // below the real HKEY_CURRENT_USER
  HKEY key_ = nullptr;
};

// The whole content of a file through the system, or "<none>".
std::string ReadRaw(const std::string& path);
// Writes a file through the system, creating or replacing it.
void WriteRaw(const std::string& path, std::string_view content);
// The folder of the running test program, with a trailing "\".
std::string ProgramFolder();

// Dispatches the thread's messages (its timers' included) for
// `milliseconds`, or until `done` answers true; answers whether `done` did.
bool PumpMessages(int milliseconds, const std::function<bool()>& done = nullptr);

}  // namespace pinlet::testing

#endif  // PINLET_TESTS_WIN32_WIN32_FIXTURE_H_
