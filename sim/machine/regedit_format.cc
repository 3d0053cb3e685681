// Regedit's text format for the simulated registry: export, import of the three
// forms regedit files come in, and the file round trip.
#include <cstdio>

#include "sim/machine/real_files.h"
#include "sim/machine/sim_registry.h"
#include "platform/text.h"

namespace pinlet::sim {
namespace {

constexpr std::string_view kHeader = "Windows Registry Editor Version 5.00";
constexpr std::string_view kOldHeader = "REGEDIT4";
constexpr std::string_view kRoot = "HKEY_CURRENT_USER";

bool IsTextType(uint32_t type) {
  return type == kRegSz || type == kRegExpandSz || type == kRegMultiSz;
}

void AppendQuoted(std::string& out, std::string_view text) {
  out += '"';
  for (char c : text) {
    if (c == '\\' || c == '"') out += '\\';
    out += c;
  }
  out += '"';
}

void AppendHexList(std::string& out, std::string_view bytes) {
  static constexpr char kDigits[] = "0123456789abcdef";
  for (size_t i = 0; i < bytes.size(); ++i) {
    const auto b = static_cast<unsigned char>(bytes[i]);
    if (i) out += ',';
    out += kDigits[b >> 4];
    out += kDigits[b & 15];
  }
}

std::string Utf16Bytes(std::string_view utf8) {
  std::string out;
  for (char16_t unit : Utf8ToUtf16(utf8)) {
    out += static_cast<char>(unit & 0xFF);
    out += static_cast<char>(unit >> 8);
  }
  return out;
}

// UTF-8 of UTF-16LE bytes, refusing what is not text: false with `bad` the offset
// of the lone surrogate, or of the odd last byte.
bool DecodeUtf16Le(std::string_view bytes, std::string& out, size_t& bad) {
  std::u16string units;
  units.reserve(bytes.size() / 2);
  for (size_t i = 0; i + 1 < bytes.size(); i += 2)
    units += static_cast<char16_t>(static_cast<unsigned char>(bytes[i]) |
                                   (static_cast<unsigned char>(bytes[i + 1]) << 8));
  for (size_t i = 0; i < units.size(); ++i) {
    const char16_t u = units[i];
    const bool high = u >= 0xD800 && u < 0xDC00;
    const bool low = u >= 0xDC00 && u < 0xE000;
    if (high && i + 1 < units.size() && units[i + 1] >= 0xDC00 && units[i + 1] < 0xE000) {
      ++i;
    } else if (high || low) {
      bad = 2 * i;
      return false;
    }
  }
  if (bytes.size() % 2) {
    bad = bytes.size() - 1;
    return false;
  }
  out = Utf16ToUtf8(units);
  return true;
}

void AppendValue(std::string& out, const RegValue& value) {
  if (value.type == kRegSz &&
      value.data.find_first_of(std::string_view("\0\r\n", 3)) == std::string::npos)
    return AppendQuoted(out, value.data);
  if (value.type == kRegDword && value.data.size() == 4) {
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "dword:%08x", value.dword());
    out += buffer;
    return;
  }
  if (value.type == kRegBinary) {
    out += "hex:";
  } else {
    // The type in hexadecimal, as regedit writes and reads it ("hex(b)" a REG_QWORD).
    char buffer[24];
    std::snprintf(buffer, sizeof buffer, "hex(%x):", static_cast<unsigned>(value.type));
    out += buffer;
  }
  AppendHexList(out, IsTextType(value.type) ? Utf16Bytes(value.data) : value.data);
}

size_t LineAt(std::string_view text, size_t offset) {
  size_t line = 1;
  for (size_t i = 0; i < offset; ++i) line += text[i] == '\n';
  return line;
}

// A regedit file's text as UTF-8. Sets `why` and `line` for a file that is not.
bool DecodeFile(std::string_view raw, std::string& storage, std::string_view& text,
                std::string& why, size_t& line) {
  line = 1;
  if (raw.starts_with("\xFF\xFE")) {  // what regedit writes
    const std::string_view body = raw.substr(2);
    size_t bad = 0;
    if (!DecodeUtf16Le(body, storage, bad)) {
      for (size_t i = 0; i + 1 < bad; i += 2) line += body[i] == '\n' && body[i + 1] == 0;
      why = body.size() % 2 && bad + 1 == body.size()
                ? "the file ends inside a UTF-16 character"
                : "a lone UTF-16 surrogate";
      return false;
    }
    text = storage;
    return true;
  }
  if (raw.starts_with("\xFE\xFF")) {
    why = "a UTF-16 big-endian file (regedit writes UTF-16 little-endian)";
    return false;
  }
  if (raw.starts_with("\xEF\xBB\xBF")) {
    raw.remove_prefix(3);
  } else if (raw.starts_with(kOldHeader)) {
    storage = Cp1252ToUtf8(raw);  // REGEDIT4 is in the ANSI code page
    text = storage;
    return true;
  } else if (raw.size() >= 2 && raw[0] != '\0' && raw[1] == '\0') {
    why = "a UTF-16 file without its byte-order mark";
    return false;
  }
  const size_t bad = FindInvalidUtf8(raw);
  if (bad != std::string_view::npos) {
    line = LineAt(raw, bad);
    why = "invalid UTF-8";
    return false;
  }
  text = raw;
  return true;
}

// The physical lines of a text, without their CR LF or LF.
class LineReader {
 public:
  explicit LineReader(std::string_view text) : text_(text) {}
  bool Next(std::string_view& line) {
    if (pos_ > text_.size()) return false;
    size_t end = text_.find('\n', pos_);
    if (end == std::string_view::npos) end = text_.size();
    line = text_.substr(pos_, end - pos_);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    pos_ = end + 1;
    ++number_;
    return true;
  }
  size_t number() const { return number_; }

 private:
  std::string_view text_;
  size_t pos_ = 0;
  size_t number_ = 0;
};

std::string_view TrimBlanks(std::string_view text) {
  while (!text.empty() && (text.front() == ' ' || text.front() == '\t'))
    text.remove_prefix(1);
  while (!text.empty() && (text.back() == ' ' || text.back() == '\t'))
    text.remove_suffix(1);
  return text;
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

int HexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

// A number of 1 to `max_digits` hexadecimal digits.
bool ParseHexNumber(std::string_view digits, size_t max_digits, uint32_t& value) {
  if (digits.empty() || digits.size() > max_digits) return false;
  value = 0;
  for (char c : digits) {
    if (HexValue(c) < 0) return false;
    value = value * 16 + static_cast<uint32_t>(HexValue(c));
  }
  return true;
}

// "00,ff, 0a": comma-separated bytes of two digits, blanks allowed around them.
bool ParseHexBytes(std::string_view list, std::string& out) {
  out.clear();
  out.reserve(list.size() / 3 + 1);
  list = TrimBlanks(list);
  if (list.empty()) return true;
  size_t pos = 0;
  for (;;) {
    size_t end = list.find(',', pos);
    std::string_view byte =
        TrimBlanks(list.substr(pos, end == std::string_view::npos ? end : end - pos));
    if (byte.size() != 2 || HexValue(byte[0]) < 0 || HexValue(byte[1]) < 0) return false;
    out += static_cast<char>(HexValue(byte[0]) * 16 + HexValue(byte[1]));
    if (end == std::string_view::npos) return true;
    pos = end + 1;
  }
}

// The data after "=": a quoted text, dword:, hex: or hex(N):. `single_byte` for a
// REGEDIT4 file, whose text types hold ANSI bytes instead of UTF-16.
bool ParseData(std::string_view data, bool single_byte, RegValue& value,
               std::string& why) {
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
  if (data.starts_with("dword:")) {
    uint32_t number = 0;
    if (data.size() != 14 || !ParseHexNumber(data.substr(6), 8, number)) {
      why = "a dword needs exactly 8 hexadecimal digits";
      return false;
    }
    value = RegValue::Dword(number);
    return true;
  }
  uint32_t type = kRegBinary;
  std::string_view list;
  std::string name = "hex";
  if (data.starts_with("hex:")) {
    list = data.substr(4);
  } else if (data.starts_with("hex(")) {
    size_t close = data.find("):");
    if (close == std::string_view::npos ||
        !ParseHexNumber(data.substr(4, close - 4), 8, type)) {
      why = "malformed hex(type): prefix";
      return false;
    }
    name = std::string(data.substr(0, close + 1));
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
  if (!IsTextType(type)) {
    value.data = std::move(bytes);
  } else if (single_byte) {
    value.data = Cp1252ToUtf8(bytes);
  } else {
    size_t bad = 0;
    if (!DecodeUtf16Le(bytes, value.data, bad)) {
      why = bytes.size() % 2 ? name + " needs an even number of bytes (UTF-16 text)"
                             : name + " holds a lone UTF-16 surrogate";
      return false;
    }
  }
  return true;
}

bool IsKeptName(std::string_view name) {
  return name.find('\0') == std::string_view::npos;
}

}  // namespace

std::string SimRegistry::Export(std::string_view root) const {
  std::string out(kHeader);
  out += "\r\n";
  // The start key and its path as spelled.
  const Key* start = &root_;
  std::string path(kRoot);
  for (std::string_view component : Components(root)) {
    auto it = start->children.find(Fold(component));
    if (it == start->children.end()) return out;
    start = it->second.get();
    path += '\\';
    path += start->name;
  }
  // Depth-first without recursion: (key, length of its parent's path).
  std::vector<std::pair<const Key*, size_t>> pending{{start, 0}};
  while (!pending.empty()) {
    auto [key, parent_length] = pending.back();
    pending.pop_back();
    if (key != start) {
      path.resize(parent_length);
      path += '\\';
      path += key->name;
    }
    const bool shown =
        key != &root_ && (key == start || !key->values.empty() || key->children.empty());
    if (shown) {
      out += "\r\n[";
      out += path;
      out += "]\r\n";
      for (auto& [name, value] : key->values) {
        if (name.empty()) {
          out += '@';
        } else {
          AppendQuoted(out, name);
        }
        out += '=';
        AppendValue(out, value);
        out += "\r\n";
      }
    }
    for (auto it = key->children.rbegin(); it != key->children.rend(); ++it)
      pending.emplace_back(it->second.get(), path.size());
  }
  return out;
}

bool SimRegistry::Import(std::string_view raw, std::string* error) {
  auto fail = [&](size_t line, const std::string& why) {
    if (error) *error = "line " + std::to_string(line) + ": " + why;
    return false;
  };
  std::string storage, why;
  std::string_view text;
  size_t bad_line = 1;
  if (!DecodeFile(raw, storage, text, why, bad_line)) return fail(bad_line, why);

  Key root;
  Key* current = nullptr;
  bool header_seen = false;
  bool single_byte = false;
  LineReader lines(text);
  std::string_view physical;
  while (lines.Next(physical)) {
    const size_t number = lines.number();
    std::string_view line = TrimBlanks(physical);
    if (line.empty() || line[0] == ';') continue;
    if (!header_seen) {
      if (line != kHeader && line != kOldHeader)
        return fail(number, "expected \"" + std::string(kHeader) + "\"");
      header_seen = true;
      single_byte = line == kOldHeader;
      continue;
    }
    if (line[0] == '[') {
      if (line.back() != ']') return fail(number, "a key line must end with ]");
      std::string_view full = line.substr(1, line.size() - 2);
      if (full.starts_with('-')) return fail(number, "key deletion is not supported");
      if (Fold(full.substr(0, kRoot.size())) != Fold(kRoot) ||
          (full.size() > kRoot.size() && full[kRoot.size()] != '\\'))
        return fail(number, "only keys under HKEY_CURRENT_USER are kept");
      const auto components =
          Components(full.substr(std::min(full.size(), kRoot.size())));
      if (components.empty())
        return fail(number, "values directly under the root are not kept");
      if (components.size() > kMaxDepth)
        return fail(number, "a key more than " + std::to_string(kMaxDepth) +
                                " levels deep (Windows keeps 512)");
      for (std::string_view component : components)
        if (!IsKeptName(component)) return fail(number, "a key name holding a NUL");
      current = &Create(root, components);
      continue;
    }
    if (!current) return fail(number, "a value before any [key] line");
    std::string name;
    size_t at = 0;
    if (line[0] == '@') {
      at = 1;
    } else if (!ParseQuoted(line, at, name)) {
      return fail(number, "a value name must be quoted");
    }
    if (!IsKeptName(name)) return fail(number, "a value name holding a NUL");
    if (at >= line.size() || line[at] != '=')
      return fail(number, "expected = after the name");
    std::string_view data = line.substr(at + 1);
    if (data == "-") return fail(number, "value deletion is not supported");
    // A hexadecimal list may go on over following lines, each ending in "\".
    std::string joined;
    if (data.starts_with("hex") && data.ends_with('\\')) {
      joined.assign(data.substr(0, data.size() - 1));
      std::string_view more;
      while (lines.Next(more)) {
        more = TrimBlanks(more);
        const bool goes_on = more.ends_with('\\');
        joined += goes_on ? more.substr(0, more.size() - 1) : more;
        if (!goes_on) break;
      }
      data = joined;
    }
    RegValue value;
    if (!ParseData(data, single_byte, value, why)) return fail(number, why);
    current->Set(name, value);
  }
  if (!header_seen)
    return fail(1, "empty file, expected \"" + std::string(kHeader) + "\"");
  root_ = std::move(root);
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
