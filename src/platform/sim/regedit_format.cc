// Regedit's text format for the simulated registry: export, import, and the
// file round trip through a temporary file.
#include <cctype>
#include <cstdio>
#include <sstream>

#include "platform/sim/real_files.h"
#include "platform/sim/sim_registry.h"
#include "platform/text.h"

namespace pinlet::sim {
namespace {

constexpr std::string_view kHeader = "Windows Registry Editor Version 5.00";
constexpr std::string_view kRoot = "HKEY_CURRENT_USER";

std::string Quote(std::string_view text) {
  std::string out = "\"";
  for (char c : text) {
    if (c == '\\' || c == '"') out += '\\';
    out += c;
  }
  return out + "\"";
}

std::string HexList(std::string_view bytes) {
  std::string out;
  char buffer[4];
  for (size_t i = 0; i < bytes.size(); ++i) {
    std::snprintf(buffer, sizeof buffer, "%02x", static_cast<unsigned char>(bytes[i]));
    if (i) out += ',';
    out += buffer;
  }
  return out;
}

bool IsTextType(uint32_t type) {
  return type == kRegSz || type == kRegExpandSz || type == kRegMultiSz;
}

std::string Utf16Bytes(std::string_view utf8) {
  std::string out;
  for (char16_t unit : Utf8ToUtf16(utf8)) {
    out += static_cast<char>(unit & 0xFF);
    out += static_cast<char>(unit >> 8);
  }
  return out;
}

std::string FromUtf16Bytes(std::string_view bytes) {
  std::u16string units;
  for (size_t i = 0; i + 1 < bytes.size(); i += 2)
    units += static_cast<char16_t>(static_cast<unsigned char>(bytes[i]) |
                                   (static_cast<unsigned char>(bytes[i + 1]) << 8));
  return Utf16ToUtf8(units);
}

std::string FormatValue(const RegValue& value) {
  if (value.type == kRegSz &&
      value.data.find_first_of(std::string_view("\0\r\n", 3)) == std::string::npos)
    return Quote(value.data);
  if (value.type == kRegDword && value.data.size() == 4) {
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "dword:%08x", value.dword());
    return buffer;
  }
  if (value.type == kRegBinary) return "hex:" + HexList(value.data);
  std::string bytes = IsTextType(value.type) ? Utf16Bytes(value.data) : value.data;
  return "hex(" + std::to_string(value.type) + "):" + HexList(bytes);
}

// Parses `"text"` with its escapes starting at `pos`; moves pos past it.
bool ParseQuoted(std::string_view line, size_t& pos, std::string& out) {
  if (pos >= line.size() || line[pos] != '"') return false;
  out.clear();
  for (++pos; pos < line.size(); ++pos) {
    char c = line[pos];
    if (c == '"') {
      ++pos;
      return true;
    }
    if (c == '\\') {
      if (++pos >= line.size()) return false;
      c = line[pos];
    }
    out += c;
  }
  return false;
}

bool ParseHexBytes(std::string_view list, std::string& out) {
  out.clear();
  size_t pos = 0;
  while (pos < list.size()) {
    while (pos < list.size() && (list[pos] == ' ' || list[pos] == '\t')) ++pos;
    if (pos >= list.size()) break;
    size_t end = list.find(',', pos);
    std::string_view byte =
        list.substr(pos, end == std::string_view::npos ? end : end - pos);
    while (!byte.empty() && (byte.back() == ' ' || byte.back() == '\t'))
      byte.remove_suffix(1);
    if (byte.size() != 2 || !std::isxdigit(static_cast<unsigned char>(byte[0])) ||
        !std::isxdigit(static_cast<unsigned char>(byte[1])))
      return false;
    out += static_cast<char>(std::stoi(std::string(byte), nullptr, 16));
    if (end == std::string_view::npos) break;
    pos = end + 1;
    if (pos >= list.size()) return false;  // trailing comma
  }
  return true;
}

// Parses the data part after "=": a quoted text, dword:, hex: or hex(N):.
bool ParseData(std::string_view data, RegValue& value, std::string& why) {
  if (!data.empty() && data[0] == '"') {
    size_t pos = 0;
    std::string text;
    if (!ParseQuoted(data, pos, text) || pos != data.size()) {
      why = "unterminated or malformed text value";
      return false;
    }
    value = RegValue::Text(text);
    return true;
  }
  if (data.rfind("dword:", 0) == 0) {
    std::string_view digits = data.substr(6);
    if (digits.size() != 8 ||
        digits.find_first_not_of("0123456789abcdefABCDEF") != std::string_view::npos) {
      why = "a dword needs exactly 8 hexadecimal digits";
      return false;
    }
    value = RegValue::Dword(
        static_cast<uint32_t>(std::stoul(std::string(digits), nullptr, 16)));
    return true;
  }
  uint32_t type = kRegBinary;
  std::string_view list;
  if (data.rfind("hex:", 0) == 0) {
    list = data.substr(4);
  } else if (data.rfind("hex(", 0) == 0) {
    size_t close = data.find("):");
    std::string_view number =
        data.substr(4, close == std::string_view::npos ? 0 : close - 4);
    if (close == std::string_view::npos || number.empty() || number.size() > 8 ||
        number.find_first_not_of("0123456789abcdefABCDEF") != std::string_view::npos) {
      why = "malformed hex(type): prefix";
      return false;
    }
    type = static_cast<uint32_t>(std::stoul(std::string(number), nullptr, 16));
    list = data.substr(close + 2);
  } else {
    why = "unknown value format";
    return false;
  }
  std::string bytes;
  if (!ParseHexBytes(list, bytes)) {
    why = "malformed hexadecimal byte list";
    return false;
  }
  value.type = type;
  value.data = IsTextType(type) ? FromUtf16Bytes(bytes) : bytes;
  return true;
}

}  // namespace

std::string SimRegistry::Export(std::string_view root) const {
  std::string folded_root = Fold(Normalize(root));
  std::ostringstream out;
  out << kHeader << "\r\n";
  for (auto& [folded, key] : keys_) {
    if (!folded_root.empty() && folded != folded_root &&
        folded.rfind(folded_root + "\\", 0) != 0)
      continue;
    out << "\r\n[" << kRoot << "\\" << key.path << "]\r\n";
    for (auto& [name, value] : key.values)
      out << (name.empty() ? "@" : Quote(name)) << "=" << FormatValue(value) << "\r\n";
  }
  return out.str();
}

bool SimRegistry::Import(std::string_view text, std::string* error) {
  if (text.rfind("\xEF\xBB\xBF", 0) == 0) text.remove_prefix(3);
  std::map<std::string, Key> keys;
  Key* current = nullptr;
  bool header_seen = false;
  int number = 0;
  size_t pos = 0;
  auto fail = [&](int line, const std::string& why) {
    if (error) *error = "line " + std::to_string(line) + ": " + why;
    return false;
  };
  while (pos <= text.size()) {
    size_t end = text.find('\n', pos);
    if (end == std::string_view::npos) end = text.size();
    std::string line(text.substr(pos, end - pos));
    pos = end + 1;
    int first_line = ++number;
    if (!line.empty() && line.back() == '\r') line.pop_back();
    // A value's hex list may continue on following lines after a backslash.
    while (!line.empty() && line.back() == '\\' &&
           line.find("=hex") != std::string::npos && pos <= text.size()) {
      line.pop_back();
      size_t next = text.find('\n', pos);
      if (next == std::string_view::npos) next = text.size();
      std::string more(text.substr(pos, next - pos));
      pos = next + 1;
      ++number;
      if (!more.empty() && more.back() == '\r') more.pop_back();
      size_t start = more.find_first_not_of(" \t");
      line += start == std::string::npos ? "" : more.substr(start);
    }
    size_t start = line.find_first_not_of(" \t");
    if (start == std::string::npos || line[start] == ';') continue;
    line = line.substr(start);
    while (!line.empty() && (line.back() == ' ' || line.back() == '\t')) line.pop_back();
    if (!header_seen) {
      if (line != kHeader && line != "REGEDIT4")
        return fail(first_line, "expected \"" + std::string(kHeader) + "\"");
      header_seen = true;
      continue;
    }
    if (line[0] == '[') {
      if (line.back() != ']') return fail(first_line, "a key line must end with ]");
      std::string path = line.substr(1, line.size() - 2);
      if (!path.empty() && path[0] == '-')
        return fail(first_line, "key deletion is not supported");
      std::string folded_root = Fold(kRoot);
      if (Fold(path.substr(0, kRoot.size())) != folded_root ||
          (path.size() > kRoot.size() && path[kRoot.size()] != '\\'))
        return fail(first_line, "only keys under HKEY_CURRENT_USER are kept");
      std::string sub = Normalize(path.substr(std::min(path.size(), kRoot.size() + 1)));
      if (sub.empty())
        return fail(first_line, "values directly under the root are not kept");
      auto [it, inserted] = keys.try_emplace(Fold(sub));
      if (inserted) it->second.path = sub;
      current = &it->second;
      continue;
    }
    if (!current) return fail(first_line, "a value before any [key] line");
    std::string name;
    size_t at = 0;
    if (line[0] == '@') {
      at = 1;
    } else if (!ParseQuoted(line, at, name)) {
      return fail(first_line, "a value name must be quoted");
    }
    if (at >= line.size() || line[at] != '=')
      return fail(first_line, "expected = after the name");
    RegValue value;
    std::string why;
    std::string data = line.substr(at + 1);
    if (data == "-") return fail(first_line, "value deletion is not supported");
    if (!ParseData(data, value, why)) return fail(first_line, why);
    bool replaced = false;
    for (auto& [existing, stored] : current->values)
      if (Fold(existing) == Fold(name)) stored = value, replaced = true;
    if (!replaced) current->values.emplace_back(name, value);
  }
  if (!header_seen)
    return fail(1, "empty file, expected \"" + std::string(kHeader) + "\"");
  // Parents of every key exist, as they would in the registry.
  std::map<std::string, Key> complete = keys;
  for (auto& [folded, key] : keys) {
    for (size_t cut = key.path.find('\\'); cut != std::string::npos;
         cut = key.path.find('\\', cut + 1)) {
      auto [it, inserted] = complete.try_emplace(Fold(key.path.substr(0, cut)));
      if (inserted) it->second.path = key.path.substr(0, cut);
    }
  }
  keys_ = std::move(complete);
  return true;
}

bool SimRegistry::Load(const std::string& path, std::string* error) {
  std::string text;
  if (!ReadWholeFile(path, text, error)) return false;
  std::string why;
  if (!Import(text, &why)) {
    if (error) *error = path + ", " + why;
    return false;
  }
  return true;
}

bool SimRegistry::Save(const std::string& path, std::string* error) const {
  return WriteFileAtomically(path, Export(), error);
}

}  // namespace pinlet::sim
