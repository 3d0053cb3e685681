// The shell and the user's environment of platform/shell.h through the
// real calls (ShellExecuteW, SHFileOperationW, GetTempPathW,
// GetTempFileNameW, SHGetSpecialFolderPathW, GetUserNameW,
// ExpandEnvironmentStringsW), and the clock of platform/windows.h
// (GetLocalTime).
//
// Texts cross as UTF-16. Paths are read by the rules of files.h first (see
// win32_files.h); one that names no file is refused without asking the
// system.
//
// A file operation is planned before the shell is asked, so that the
// promises of shell.h hold on every Windows: wildcards are expanded here
// (fo::kFilesOnly included) and the shell is given the entries they match,
// each with its own destination (fo::kMultiDestFiles); the missing
// destination folders are made here; and the operation is
// refused, changing nothing, when it is not well formed, when a source is
// missing (or a wildcard's folder), and when a folder would be copied or
// moved onto something of its name, or a file onto a folder, which the
// shell would merge or replace. A refusal is shown in a message box unless
// fo::kNoErrorUi says not to. The rest, questions and flags included, is
// the shell's own work and answer.
#ifndef PINLET_PLATFORM_WIN32_WIN32_SHELL_H_
#define PINLET_PLATFORM_WIN32_WIN32_SHELL_H_

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "platform/shell.h"
#include "platform/windows.h"

namespace pinlet {

class Win32Shell : public Shell {
 public:
  int64_t Execute(WindowHandle owner, std::string_view verb, std::string_view file,
                  std::string_view parameters, std::string_view folder,
                  int show_command) override;
  FileOperationResult FileOperation(const ShellFileOperation& operation) override;
  std::optional<std::string> TempPath() override;
  std::optional<std::string> TempFileName(std::string_view folder,
                                          std::string_view prefix,
                                          uint32_t unique = 0) override;
  std::optional<std::string> SpecialFolderPath(int csidl, bool create) override;
  std::optional<std::string> UserName() override;
  std::optional<std::string> ExpandEnvironment(std::string_view text) override;
};

// The local time as the host's date, to the second.
class Win32Clock : public Clock {
 public:
  Date Now() override;
};

}  // namespace pinlet

#endif  // PINLET_PLATFORM_WIN32_WIN32_SHELL_H_
