// The Windows shell and the user's environment as the add-in reaches them:
// opening and printing files with their registered programs, the shell's
// file operations, the temporary folder and temporary files, the per-user
// special folders, the user name and environment-variable expansion.
//
// Every member answers failure (a result code, nullopt, false); none raises.
// Members are named after what they do rather than after the Windows calls,
// whose names windows.h defines as macros; the comment names the call each
// one stands for. Paths are those of files.h.
#ifndef PINLET_PLATFORM_SHELL_H_
#define PINLET_PLATFORM_SHELL_H_

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/windows.h"

namespace pinlet {

// ShellExecute's results up to 32 are failures, with the system's values;
// anything above 32 is success.
namespace se {
constexpr int64_t kOutOfResources = 0;
constexpr int64_t kFileNotFound = 2;
constexpr int64_t kPathNotFound = 3;
constexpr int64_t kAccessDenied = 5;
constexpr int64_t kNoAssociation = 31;  // SE_ERR_NOASSOC: no program for the type
constexpr int64_t kSucceeded = 42;      // what the system typically answers
constexpr int kShowNormal = 1;          // SW_SHOWNORMAL
}  // namespace se

// SHFileOperation's functions, flags and results, with the system's values.
namespace fo {
constexpr int kMove = 1;
constexpr int kCopy = 2;
constexpr int kDelete = 3;
constexpr int kRename = 4;

constexpr uint32_t kMultiDestFiles = 0x1;   // one destination per source
constexpr uint32_t kSilent = 0x4;           // no progress window
constexpr uint32_t kNoConfirmation = 0x10;  // answer "Yes to all" to every question
constexpr uint32_t kAllowUndo = 0x40;       // deleted files go to the Recycle Bin
constexpr uint32_t kFilesOnly = 0x80;       // wildcards match files only
constexpr uint32_t kNoConfirmMkdir = 0x200;
constexpr uint32_t kNoErrorUi = 0x400;  // no message box for a failure

constexpr int kOk = 0;
constexpr int kErrFileNotFound = 2;     // ERROR_FILE_NOT_FOUND
constexpr int kErrPathNotFound = 3;     // ERROR_PATH_NOT_FOUND
constexpr int kErrAccessDenied = 5;     // ERROR_ACCESS_DENIED
constexpr int kErrSameFile = 0x71;      // DE_SAMEFILE: source and destination alike
constexpr int kErrDestSubtree = 0x76;   // DE_DESTSUBTREE: into the source's own tree
constexpr int kErrInvalidFiles = 0x7C;  // DE_INVALIDFILES: a path names no file
constexpr int kErrFileExists = 0x50;    // ERROR_FILE_EXISTS
constexpr int kErrCancelled = 0x4C7;    // ERROR_CANCELLED: the user said no
constexpr int kErrGeneric = 0x402;      // an unknown error
}  // namespace fo

// Per-user special folders (CSIDL values).
namespace csidl {
constexpr int kPersonal = 0x05;      // My Documents
constexpr int kAppData = 0x1A;       // Application Data
constexpr int kLocalAppData = 0x1C;  // Local Settings\Application Data
}  // namespace csidl

// SHFILEOPSTRUCT, with the path lists as vectors rather than double-zero
// terminated strings.
struct ShellFileOperation {
  WindowHandle owner = 0;
  int function = fo::kDelete;
  // Source paths; the last name of each may hold the wildcards * and ?.
  std::vector<std::string> from;
  // The destination (a folder, or the new name of a single source), or one
  // destination per source with fo::kMultiDestFiles. Unused by kDelete.
  std::vector<std::string> to;
  uint32_t flags = 0;
};

// Whether SHFileOperation can take the operation at all: a known function
// and at least one source; but for kDelete, one destination, or one per
// source with fo::kMultiDestFiles; kRename takes a single source. The
// shell answers fo::kErrInvalidFiles for any other, changing nothing.
inline bool IsWellFormed(const ShellFileOperation& operation) {
  if (operation.function < fo::kMove || operation.function > fo::kRename ||
      operation.from.empty())
    return false;
  if (operation.function == fo::kRename && operation.from.size() != 1) return false;
  if (operation.function == fo::kDelete) return true;
  return operation.flags & fo::kMultiDestFiles
             ? operation.to.size() == operation.from.size()
             : operation.to.size() == 1;
}

struct FileOperationResult {
  int code = fo::kOk;    // fo::kOk, or the first failure's code
  bool aborted = false;  // fAnyOperationsAborted: the user stopped a part
};

class Shell {
 public:
  virtual ~Shell() = default;

  // ShellExecute: performs `verb` ("open", "print"; "" for the default) on
  // `file` with `parameters`, starting in `folder`. Returns the system's
  // result: above 32 on success, else an se:: failure.
  virtual int64_t Execute(WindowHandle owner, std::string_view verb,
                          std::string_view file, std::string_view parameters,
                          std::string_view folder, int show_command) = 0;
  // SHFileOperation: deletes, copies, moves or renames files and folders
  // (with all they hold). Without fo::kNoConfirmation the shell asks the
  // user before deleting or replacing; without fo::kNoErrorUi it shows a
  // failure in a message box. When a source is missing, nothing changes. A missing
  // destination folder is created. A folder copied or moved onto an existing folder of
  // its name fails rather than merging.
  virtual FileOperationResult FileOperation(const ShellFileOperation& operation) = 0;
  // GetTempPath: the user's temporary folder, ending in "\"; nullopt on
  // failure.
  virtual std::optional<std::string> TempPath() = 0;
  // GetTempFileName: with `unique` 0, creates an empty file named from the
  // first three characters of `prefix` and a hexadecimal number in `folder`
  // ("C:\Temp\pin1A.tmp"), unique there, and returns its path; with another
  // `unique`, only builds that name. nullopt when the folder does not exist
  // or no unique name is left.
  virtual std::optional<std::string> TempFileName(std::string_view folder,
                                                  std::string_view prefix,
                                                  uint32_t unique = 0) = 0;
  // SHGetSpecialFolderPath: the path of a csidl:: folder, without a trailing
  // "\"; with `create`, the folder is created when missing. nullopt for an
  // unknown folder or one that is missing and not to be created.
  virtual std::optional<std::string> SpecialFolderPath(int csidl, bool create) = 0;
  // GetUserName: the name the user logged on with; nullopt on failure.
  virtual std::optional<std::string> UserName() = 0;
  // ExpandEnvironmentStrings: every %NAME% of a defined variable (names
  // without regard to case) replaced by its value; an undefined reference
  // and a lone % stay as written. nullopt on failure.
  virtual std::optional<std::string> ExpandEnvironment(std::string_view text) = 0;
};

}  // namespace pinlet

#endif  // PINLET_PLATFORM_SHELL_H_
