#include "platform/win32/win32_shell.h"

#include <windows.h>
// The shell's headers need windows.h first.
#include <shellapi.h>
#include <shlobj.h>

#include <algorithm>

#include "platform/wide_text.h"
#include "platform/win32/win32_files.h"

namespace pinlet {
namespace {

HWND NativeWindow(WindowHandle window) {
  return reinterpret_cast<HWND>(static_cast<intptr_t>(window));
}

// A text argument, or no argument for an empty one.
const wchar_t* Optional(const std::wstring& text) {
  return text.empty() ? nullptr : text.c_str();
}

// Why an operation is refused before the shell sees it.
struct Refusal {
  int code = fo::kOk;
  std::string name;
  std::string reason;
};

// One entry a source names, with wildcards expanded.
struct Source {
  WinPath path;
  bool folder = false;
};

// What the shell is given: every source with its wildcards expanded, each
// with its own destination (but for a delete), and the destination folders
// to make first. With one destination per source the shell never has to
// tell a folder to go into from a new name, which not every shell does
// alike (Wine's will not move several files into one folder).
struct Plan {
  std::vector<WinPath> from;
  std::vector<WinPath> to;
  std::vector<WinPath> folders;
};

std::string LastName(const WinPath& path) {
  return path.is_root() ? path.ToString() : path.names.back();
}

bool IsFolderPath(const WinPath& path) {
  uint32_t attributes = AttributesOf(NativePath(path));
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

// The entries one source names; a refusal when it names none it could. A
// wildcard is matched here rather than by the shell, which does not keep
// to fo::kFilesOnly everywhere.
std::optional<Refusal> Expand(const std::string& text, const WinPath& source,
                              uint32_t flags, std::vector<Source>& out) {
  if (!HasWildcard(source.names.back())) {
    uint32_t attributes = AttributesOf(NativePath(source));
    if (attributes == INVALID_FILE_ATTRIBUTES)
      return Refusal{fo::kErrFileNotFound, LastName(source),
                     "Cannot find the specified file."};
    out.push_back({source, (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0});
    return std::nullopt;
  }
  Win32FileSystem files;
  std::optional<std::vector<FileEntry>> entries = files.List(source.Parent().ToString());
  if (!entries)
    return Refusal{fo::kErrPathNotFound, text,
                   "The system cannot find the path specified."};
  for (const FileEntry& entry : *entries) {
    if ((flags & fo::kFilesOnly) && entry.folder) continue;
    if (MatchesWildcard(source.names.back(), entry.name))
      out.push_back({source.Parent().Child(entry.name), entry.folder});
  }
  return std::nullopt;
}

// Checks every source and target before anything changes and plans what
// the shell is given.
std::optional<Refusal> MakePlan(const ShellFileOperation& op, Plan& plan) {
  const bool multi = op.flags & fo::kMultiDestFiles;
  const bool deleting = op.function == fo::kDelete;
  std::vector<WinPath> sources, destinations;
  bool several = op.from.size() > 1;
  for (const std::string& text : op.from) {
    std::optional<WinPath> source = ParseWinPath(text, true);
    if (!source || source->is_root())
      return Refusal{fo::kErrInvalidFiles, text, "The file name is not valid."};
    several = several || HasWildcard(source->names.back());
    sources.push_back(*source);
  }
  for (const std::string& text : deleting ? std::vector<std::string>() : op.to) {
    std::optional<WinPath> target = ParseWinPath(text);
    if (!target || (target->is_root() && op.function == fo::kRename))
      return Refusal{fo::kErrInvalidFiles, text, "The file name is not valid."};
    destinations.push_back(*target);
  }
  for (size_t i = 0; i < sources.size(); ++i) {
    std::vector<Source> named;
    if (auto refusal = Expand(op.from[i], sources[i], op.flags, named)) return refusal;
    for (const Source& source : named) plan.from.push_back(source.path);
    if (deleting) continue;
    const WinPath& destination = destinations[multi ? i : 0];
    // Several sources, or a wildcard, go into the destination as a folder.
    const bool into =
        op.function != fo::kRename && !multi && (several || IsFolderPath(destination));
    for (const Source& source : named) {
      WinPath target = into ? destination.Child(LastName(source.path)) : destination;
      plan.to.push_back(target);
      if (op.function != fo::kRename) plan.folders.push_back(target.Parent());
      // A folder never merges with nor replaces what has its name, and
      // nothing replaces a folder.
      if (FoldName(target.ToString()) == FoldName(source.path.ToString())) continue;
      uint32_t existing = AttributesOf(NativePath(target));
      if (existing != INVALID_FILE_ATTRIBUTES &&
          (source.folder || (existing & FILE_ATTRIBUTE_DIRECTORY)))
        return Refusal{fo::kErrFileExists, LastName(source.path),
                       "A file or folder of that name is in the way."};
    }
  }
  return std::nullopt;
}

// Makes a folder and the missing ones on its way; false when one cannot be
// made (a file is in the way).
bool MakeFolders(const WinPath& folder) {
  WinPath path = folder;
  path.names.clear();
  for (const std::string& name : folder.names) {
    path = path.Child(name);
    if (!IsFolderPath(path) && !CreateDirectoryW(NativePath(path).c_str(), nullptr))
      return false;
  }
  return true;
}

// The shell's path list: each path followed by a zero, and one more zero.
std::wstring PathList(const std::vector<WinPath>& paths) {
  std::wstring list;
  for (const WinPath& path : paths) {
    list += NativePath(path);
    list += L'\0';
  }
  list += L'\0';
  return list;
}

void ShowRefusal(const ShellFileOperation& op, const Refusal& refusal) {
  static const char* const kVerbs[] = {"move", "copy", "delete", "rename"};
  static const char* const kTitles[] = {
      "Error Moving File or Folder", "Error Copying File or Folder",
      "Error Deleting File or Folder", "Error Renaming File or Folder"};
  const int index = op.function - fo::kMove;
  std::wstring text = Wide(std::string("Cannot ") + kVerbs[index] + " " +
                                refusal.name + ": " + refusal.reason);
  MessageBoxW(NativeWindow(op.owner), text.c_str(), Wide(kTitles[index]).c_str(),
              MB_OK | MB_ICONERROR);
}

}  // namespace

int64_t Win32Shell::Execute(WindowHandle owner, std::string_view verb,
                            std::string_view file, std::string_view parameters,
                            std::string_view folder, int show_command) {
  const std::wstring wide_verb = Wide(verb), wide_file = Wide(file),
                     wide_parameters = Wide(parameters),
                     wide_folder = Wide(folder);
  HINSTANCE result =
      ShellExecuteW(NativeWindow(owner), Optional(wide_verb), wide_file.c_str(),
                    Optional(wide_parameters), Optional(wide_folder), show_command);
  return static_cast<int64_t>(reinterpret_cast<intptr_t>(result));
}

FileOperationResult Win32Shell::FileOperation(const ShellFileOperation& operation) {
  if (!IsWellFormed(operation)) return {fo::kErrInvalidFiles, false};
  Plan plan;
  std::optional<Refusal> refusal = MakePlan(operation, plan);
  if (!refusal && plan.from.empty())
    return {fo::kOk, false};  // a wildcard matched nothing
  for (size_t i = 0; !refusal && i < plan.folders.size(); ++i)
    if (!MakeFolders(plan.folders[i]))
      refusal = Refusal{fo::kErrPathNotFound, plan.folders[i].ToString(),
                        "The folder cannot be created."};
  if (refusal) {
    if (!(operation.flags & fo::kNoErrorUi)) ShowRefusal(operation, *refusal);
    return {refusal->code, false};
  }
  const std::wstring from = PathList(plan.from), to = PathList(plan.to);
  SHFILEOPSTRUCTW shell = {};
  shell.hwnd = NativeWindow(operation.owner);
  shell.wFunc = static_cast<UINT>(operation.function);
  shell.pFrom = from.c_str();
  shell.pTo = operation.function == fo::kDelete ? nullptr : to.c_str();
  uint32_t flags = operation.flags;
  if (operation.function == fo::kCopy || operation.function == fo::kMove)
    flags |= fo::kMultiDestFiles;
  shell.fFlags = static_cast<FILEOP_FLAGS>(flags);
  int code = SHFileOperationW(&shell);
  return {code, shell.fAnyOperationsAborted != FALSE};
}

std::optional<std::string> Win32Shell::TempPath() {
  wchar_t buffer[MAX_PATH + 1];
  DWORD length = GetTempPathW(MAX_PATH + 1, buffer);
  if (length == 0 || length > MAX_PATH) return std::nullopt;
  std::string path = Narrow(std::wstring_view(buffer, length));
  if (!path.ends_with('\\')) path += '\\';
  return path;
}

std::optional<std::string> Win32Shell::TempFileName(std::string_view folder,
                                                    std::string_view prefix,
                                                    uint32_t unique) {
  std::optional<WinPath> parsed = ParseWinPath(folder);
  std::optional<std::string> short_prefix = TempFilePrefix(prefix);
  if (!parsed || !short_prefix) return std::nullopt;
  const std::wstring native = NativePath(*parsed);
  const uint32_t attributes = AttributesOf(native);
  if (attributes == INVALID_FILE_ATTRIBUTES || !(attributes & FILE_ATTRIBUTE_DIRECTORY))
    return std::nullopt;
  wchar_t name[MAX_PATH];
  if (!GetTempFileNameW(native.c_str(), Wide(*short_prefix).c_str(), unique, name))
    return std::nullopt;
  return Narrow(name);
}

std::optional<std::string> Win32Shell::SpecialFolderPath(int csidl, bool create) {
  wchar_t buffer[MAX_PATH];
  if (!SHGetSpecialFolderPathW(nullptr, buffer, csidl, create)) return std::nullopt;
  std::wstring path = buffer;
  if (path.size() > 3 && path.ends_with(L'\\')) path.pop_back();
  // Some systems answer the path of a folder that is not there.
  const uint32_t attributes = AttributesOf(path);
  if (path.empty() || attributes == INVALID_FILE_ATTRIBUTES ||
      !(attributes & FILE_ATTRIBUTE_DIRECTORY))
    return std::nullopt;
  return Narrow(path);
}

std::optional<std::string> Win32Shell::UserName() {
  wchar_t name[257];  // UNLEN + 1
  DWORD size = 257;
  if (!GetUserNameW(name, &size)) return std::nullopt;
  return Narrow(name);
}

std::optional<std::string> Win32Shell::ExpandEnvironment(std::string_view text) {
  const std::wstring source = Wide(text);
  std::wstring expanded(std::max<size_t>(source.size() + 1, 256), L'\0');
  // A variable may change between asking the size and expanding; a few
  // rounds settle that.
  for (int round = 0; round < 4; ++round) {
    DWORD length = ExpandEnvironmentStringsW(source.c_str(), expanded.data(),
                                             static_cast<DWORD>(expanded.size()));
    if (length == 0) return std::nullopt;
    if (length <= expanded.size()) {
      expanded.resize(length - 1);  // less the terminating zero
      return Narrow(expanded);
    }
    expanded.resize(length);
  }
  return std::nullopt;
}

Date Win32Clock::Now() {
  SYSTEMTIME now;
  GetLocalTime(&now);
  return Date::FromParts(now.wYear, now.wMonth, now.wDay, now.wHour, now.wMinute,
                         now.wSecond);
}

}  // namespace pinlet
