#include "platform/win_paths.h"

#include <algorithm>
#include <array>
#include <cctype>

#include "platform/files.h"
#include "platform/text.h"

namespace pinlet {
namespace {

// Whether the path is longer than the system takes; UTF-8 never has fewer
// bytes than UTF-16 has units, so only a long text needs counting.
bool TooLong(std::string_view text) {
  return text.size() > kMaxPathLength && Utf8ToUtf16(text).size() > kMaxPathLength;
}

bool ValidName(std::string_view name, bool wildcards) {
  for (unsigned char c : name) {
    if (c < 0x20 || c == '<' || c == '>' || c == ':' || c == '"' || c == '|')
      return false;
    if ((c == '*' || c == '?') && !wildcards) return false;
  }
  return !IsDeviceName(name);
}

}  // namespace

bool IsDeviceName(std::string_view name) {
  std::string base = FoldName(name.substr(0, name.find('.')));
  while (!base.empty() && base.back() == ' ') base.pop_back();
  static constexpr std::array<std::string_view, 6> kDevices = {"con", "prn",    "aux",
                                                               "nul", "conin$", "conout$"};
  if (std::find(kDevices.begin(), kDevices.end(), base) != kDevices.end()) return true;
  if (!base.starts_with("com") && !base.starts_with("lpt")) return false;
  std::string_view number = std::string_view(base).substr(3);
  // Recent systems also take the superscript digits 1, 2 and 3 as port numbers.
  return (number.size() == 1 && number[0] >= '1' && number[0] <= '9') ||
         number == "\xC2\xB9" || number == "\xC2\xB2" || number == "\xC2\xB3";
}

std::string FoldName(std::string_view name) {
  std::string out(name);
  for (char& c : out) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return out;
}

bool HasWildcard(std::string_view name) {
  return name.find_first_of("*?") != std::string_view::npos;
}

bool MatchesWildcard(std::string_view pattern, std::string_view name) {
  // "*.*" and "*." keep their old meaning of "every name".
  if (pattern == "*.*") pattern = "*";
  std::string p = FoldName(pattern), n = FoldName(name);
  size_t pi = 0, ni = 0, star = std::string::npos, resume = 0;
  while (ni < n.size()) {
    if (pi < p.size() && (p[pi] == '?' || p[pi] == n[ni])) {
      ++pi;
      ++ni;
    } else if (pi < p.size() && p[pi] == '*') {
      star = pi++;
      resume = ni;
    } else if (star != std::string::npos) {
      pi = star + 1;
      ni = ++resume;
    } else {
      return false;
    }
  }
  while (pi < p.size() && p[pi] == '*') ++pi;
  return pi == p.size();
}

std::optional<WinPath> ParseWinPath(std::string_view text, bool wildcards) {
  if (FindInvalidUtf8(text) != std::string_view::npos) return std::nullopt;
  if (text.size() < 2 || TooLong(text) || text[1] != ':' ||
      !std::isalpha(static_cast<unsigned char>(text[0])))
    return std::nullopt;
  WinPath path;
  path.drive = static_cast<char>(std::toupper(static_cast<unsigned char>(text[0])));
  std::string_view rest = text.substr(2);
  if (!rest.empty() && rest[0] != '\\' && rest[0] != '/')
    return std::nullopt;  // "C:name" is relative to the drive's current folder
  std::vector<std::string_view> parts;
  size_t start = 0;
  while (start <= rest.size()) {
    size_t end = rest.find_first_of("\\/", start);
    if (end == std::string_view::npos) end = rest.size();
    parts.push_back(rest.substr(start, end - start));
    start = end + 1;
  }
  path.folder_only = rest.size() > 1 && (rest.back() == '\\' || rest.back() == '/');
  for (size_t i = 0; i < parts.size(); ++i) {
    std::string_view part = parts[i];
    if (part.empty() || part == ".") continue;
    if (part == "..") {
      if (!path.names.empty()) path.names.pop_back();
      continue;
    }
    // Windows drops trailing dots and blanks of a name.
    size_t keep = part.find_last_not_of(". ");
    if (keep == std::string_view::npos) return std::nullopt;
    part = part.substr(0, keep + 1);
    bool last = i + 1 == parts.size() ||
                std::all_of(parts.begin() + i + 1, parts.end(),
                            [](std::string_view p) { return p.empty(); });
    if (!ValidName(part, wildcards && last)) return std::nullopt;
    path.names.emplace_back(part);
  }
  return path;
}

std::string WinPath::ToString() const {
  std::string out{drive, ':', '\\'};
  for (size_t i = 0; i < names.size(); ++i) {
    if (i) out += '\\';
    out += names[i];
  }
  return out;
}

WinPath WinPath::Parent() const {
  WinPath parent = *this;
  if (!parent.names.empty()) parent.names.pop_back();
  parent.folder_only = false;
  return parent;
}

WinPath WinPath::Child(std::string_view name) const {
  WinPath child = *this;
  child.names.emplace_back(name);
  child.folder_only = false;
  return child;
}

bool WinPath::Contains(const WinPath& other) const {
  if (drive != other.drive || other.names.size() < names.size()) return false;
  for (size_t i = 0; i < names.size(); ++i)
    if (FoldName(names[i]) != FoldName(other.names[i])) return false;
  return true;
}

std::optional<std::string> TempFilePrefix(std::string_view prefix) {
  std::u16string units = Utf8ToUtf16(prefix).substr(0, 3);
  for (char16_t c : units)
    if (c < 0x20 || std::u16string_view(u"<>:\"/\\|?*").find(c) != std::u16string_view::npos)
      return std::nullopt;
  return Utf16ToUtf8(units);
}

}  // namespace pinlet
