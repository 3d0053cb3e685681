// The Windows registry as the add-in sees it.
//
// Only the current user's branch is used. Key paths are backslash-separated
// and compared without regard to case, as Windows does; value names too.
// Values keep their type and raw bytes: REG_SZ as UTF-8 text (possibly with a
// terminating zero another tool stored), REG_DWORD as four little-endian bytes.
// Failures are answers (nullopt / false), never exceptions: the registry is
// read and written with errors ignored everywhere in the add-in.
#ifndef PINLET_PLATFORM_REGISTRY_H_
#define PINLET_PLATFORM_REGISTRY_H_

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace pinlet {

enum RegType : uint32_t {
  kRegNone = 0,
  kRegSz = 1,
  kRegExpandSz = 2,
  kRegBinary = 3,
  kRegDword = 4,
  kRegMultiSz = 7,
};

struct RegValue {
  uint32_t type = kRegNone;
  std::string data;  // raw bytes

  static RegValue Text(std::string_view text) { return {kRegSz, std::string(text)}; }
  static RegValue Dword(uint32_t value);
  // The DWORD held in data; requires type == kRegDword and four bytes.
  uint32_t dword() const;
  bool operator==(const RegValue& other) const {
    return type == other.type && data == other.data;
  }
};

constexpr std::string_view kHkeyCurrentUser = "HKEY_CURRENT_USER";

// What every backend can hold, as Windows can: the rules that each one
// checks before anything is written.
//
// The longest name of a key, in characters (UTF-16 units).
constexpr size_t kMaxKeyNameLength = 255;
// Whether `name` can name a key or a value: it holds no NUL and is UTF-8.
bool IsRegistryName(std::string_view name);
// The names of the keys on a key path ("A\\B\" is A, B: empty ones are
// dropped); nullopt when one cannot name a key (IsRegistryName, and at most
// kMaxKeyNameLength characters). An empty path gives none: the root itself.
std::optional<std::vector<std::string_view>> RegistryKeyNames(std::string_view path);
// Whether `value` can be stored: text (REG_SZ, REG_EXPAND_SZ, REG_MULTI_SZ)
// that is UTF-8, and a DWORD of four bytes.
bool IsStorableValue(const RegValue& value);

class Registry {
 public:
  virtual ~Registry() = default;

  // What reading a value found.
  enum class Read { kFound, kAbsent, kFailed };
  // Reads the value `name` of key `path` under HKEY_CURRENT_USER into
  // `*value`: kAbsent when the key or the value does not exist, kFailed when
  // the registry could not be read (then nothing is known of the value). An
  // empty name is the key's default value.
  virtual Read ReadValue(std::string_view path, std::string_view name,
                         RegValue* value) = 0;
  // The value, or nullopt when it is absent or cannot be read.
  std::optional<RegValue> QueryValue(std::string_view path, std::string_view name) {
    RegValue value;
    if (ReadValue(path, name, &value) != Read::kFound) return std::nullopt;
    return value;
  }
  // Creates the key and any missing parents, then stores the value. Returns
  // false when the key cannot be created or written; nothing changes then.
  virtual bool SetValue(std::string_view path, std::string_view name,
                        const RegValue& value) = 0;
  // Names of the values of a key in the order they were first written;
  // nullopt when the key does not exist.
  virtual std::optional<std::vector<std::string>> EnumValueNames(
      std::string_view path) = 0;
  // Names of the direct subkeys of a key; nullopt when it does not exist.
  virtual std::optional<std::vector<std::string>> EnumSubkeys(std::string_view path) = 0;
  virtual bool KeyExists(std::string_view path) = 0;
  // Removes one value; false when it was not there.
  virtual bool DeleteValue(std::string_view path, std::string_view name) = 0;
};

}  // namespace pinlet

#endif  // PINLET_PLATFORM_REGISTRY_H_
