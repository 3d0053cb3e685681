// Windows paths as the file services read them (the simulated machine's and
// the Win32 ones alike): a drive and its names, "." and ".." resolved, names
// compared without regard to case, the rules of platform/files.h for what
// names a file.
#ifndef PINLET_PLATFORM_WIN_PATHS_H_
#define PINLET_PLATFORM_WIN_PATHS_H_

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace pinlet {

struct WinPath {
  char drive = 'C';                // upper case
  std::vector<std::string> names;  // below the drive's root; empty for the root
  // Written with a trailing separator ("C:\Temp\"): it can name only a folder.
  bool folder_only = false;

  bool is_root() const { return names.empty(); }
  // "C:\Temp\a.txt"; the root is "C:\".
  std::string ToString() const;
  // The folder holding this path (the root for a name in the root).
  WinPath Parent() const;
  // This path with `name` below it.
  WinPath Child(std::string_view name) const;
  // Whether `other` is this path or lies below it (without regard to case).
  bool Contains(const WinPath& other) const;
};

// The path, or nullopt when it names nothing: not UTF-8 (no name could
// stand for it without changing it), relative, a network path, a name with a
// forbidden character or a device name, or longer than 259 characters
// (UTF-16 code units, as the system counts them). With
// `wildcards`, * and ? are allowed in the last name.
std::optional<WinPath> ParseWinPath(std::string_view text, bool wildcards = false);

// Whether the part of `name` before its first dot (trailing blanks ignored)
// is one of the system's device names, without regard to case: CON, PRN,
// AUX, NUL, CONIN$, CONOUT$, COM1-9 and LPT1-9, the ports also numbered with
// the superscript digits ¹ ² ³. Such a name names a device in every folder.
bool IsDeviceName(std::string_view name);
// A name compared without regard to case (ASCII letters only).
std::string FoldName(std::string_view name);
// Whether `name` matches `pattern` of * and ? without regard to case, as the
// system's wildcards do ("*.*" matches every name, also one without a dot).
bool MatchesWildcard(std::string_view pattern, std::string_view name);
bool HasWildcard(std::string_view name);

// What GetTempFileName takes of a prefix: its first three characters (UTF-16
// units); nullopt when one of them cannot stand in a file name, as a
// separator would put the file in another folder.
std::optional<std::string> TempFilePrefix(std::string_view prefix);

}  // namespace pinlet

#endif  // PINLET_PLATFORM_WIN_PATHS_H_
