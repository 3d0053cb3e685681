#include "platform/win32/win32_registry.h"

#include <windows.h>

#include <algorithm>

#include "platform/wide_text.h"
#include "platform/text.h"
#include "platform/win32/registry_keys.h"

namespace pinlet {
namespace {

bool IsTextType(uint32_t type) {
  return type == kRegSz || type == kRegExpandSz || type == kRegMultiSz;
}

// The key path for a value or a key of the add-in's: never the root itself.
std::optional<std::vector<std::wstring>> KeyOf(std::string_view path) {
  std::optional<std::vector<std::wstring>> components = KeyComponents(path);
  if (components && components->empty()) return std::nullopt;
  return components;
}

// How many leading components of the key already exist.
size_t ExistingDepth(const std::vector<std::wstring>& components) {
  size_t depth = components.size();
  while (depth > 0) {
    OwnedKey key;
    if (key.Open(HKEY_CURRENT_USER, JoinKeyPath(components, depth), KEY_QUERY_VALUE) ==
        ERROR_SUCCESS)
      break;
    --depth;
  }
  return depth;
}

// The bytes the system is given for a value: text as UTF-16 units followed
// by one more unit that is not zero. RegSetValueEx adds a terminating zero
// to text whose next unit in memory is one ("the caller forgot to count
// it"); the guard keeps the value exactly as long as given.
// The bytes are pointed at when they are used, never kept as a pointer: a
// short text lives inside the object, which moves as it is returned.
struct StoredBytes {
  std::wstring text;                 // for text types, with the guard unit
  const std::string* raw = nullptr;  // for the others: the value's own bytes
  DWORD size = 0;
  const BYTE* data() const {
    return raw ? reinterpret_cast<const BYTE*>(raw->data())
               : reinterpret_cast<const BYTE*>(text.data());
  }
};

std::optional<StoredBytes> BytesOf(const RegValue& value) {
  StoredBytes bytes;
  if (!IsStorableValue(value)) return std::nullopt;
  if (IsTextType(value.type)) {
    bytes.text = Wide(value.data);
    bytes.size = static_cast<DWORD>(bytes.text.size() * sizeof(wchar_t));
    bytes.text += L'\xFFFF';
    return bytes;
  }
  bytes.raw = &value.data;
  bytes.size = static_cast<DWORD>(value.data.size());
  return bytes;
}

}  // namespace

Registry::Read Win32Registry::ReadValue(std::string_view path, std::string_view name,
                                        RegValue* value) {
  std::optional<std::vector<std::wstring>> components = KeyOf(path);
  std::optional<std::wstring> value_name = NativeRegistryName(name);
  if (!components || !value_name) return Read::kAbsent;
  OwnedKey key;
  LONG opened = key.Open(HKEY_CURRENT_USER, JoinKeyPath(*components), KEY_QUERY_VALUE);
  if (opened == ERROR_FILE_NOT_FOUND) return Read::kAbsent;
  if (opened != ERROR_SUCCESS) return Read::kFailed;
  // The value may grow between asking its size and reading it; a few rounds
  // settle that.
  std::string data(256, '\0');
  for (int round = 0; round < 4; ++round) {
    DWORD type = REG_NONE;
    DWORD size = static_cast<DWORD>(data.size());
    LONG read = RegQueryValueExW(key.get(), value_name->c_str(), nullptr, &type,
                                 reinterpret_cast<BYTE*>(data.data()), &size);
    if (read == ERROR_MORE_DATA) {
      data.resize(size);
      continue;
    }
    if (read == ERROR_FILE_NOT_FOUND) return Read::kAbsent;
    if (read != ERROR_SUCCESS) return Read::kFailed;
    data.resize(size);
    value->type = type;
    if (IsTextType(type)) {
      // Unit for unit; an odd last byte is no unit and is dropped.
      std::wstring units(size / sizeof(wchar_t), L'\0');
      std::copy_n(data.data(), units.size() * sizeof(wchar_t),
                  reinterpret_cast<char*>(units.data()));
      value->data = Narrow(units);
    } else {
      value->data = std::move(data);
    }
    return Read::kFound;
  }
  return Read::kFailed;
}

bool Win32Registry::SetValue(std::string_view path, std::string_view name,
                             const RegValue& value) {
  std::optional<std::vector<std::wstring>> components = KeyOf(path);
  std::optional<std::wstring> value_name = NativeRegistryName(name);
  std::optional<StoredBytes> bytes = BytesOf(value);
  if (!components || !value_name || !bytes) return false;
  const size_t existing = ExistingDepth(*components);
  HKEY created = nullptr;
  if (RegCreateKeyExW(HKEY_CURRENT_USER, JoinKeyPath(*components).c_str(), 0, nullptr,
                      REG_OPTION_NON_VOLATILE, KEY_SET_VALUE, nullptr, &created,
                      nullptr) != ERROR_SUCCESS)
    return false;
  LONG set = RegSetValueExW(created, value_name->c_str(), 0, value.type, bytes->data(),
                            bytes->size);
  RegCloseKey(created);
  if (set == ERROR_SUCCESS) return true;
  // The keys made for the value go again.
  if (existing < components->size())
    DeleteEmptyKeys(HKEY_CURRENT_USER, Narrow(JoinKeyPath(*components)),
                    Narrow(JoinKeyPath(*components, existing)));
  return false;
}

std::optional<std::vector<std::string>> Win32Registry::EnumValueNames(
    std::string_view path) {
  std::optional<std::vector<std::wstring>> components = KeyOf(path);
  if (!components) return std::nullopt;
  OwnedKey key;
  if (key.Open(HKEY_CURRENT_USER, JoinKeyPath(*components), KEY_QUERY_VALUE) !=
      ERROR_SUCCESS)
    return std::nullopt;
  std::vector<std::string> names;
  std::wstring name(256, L'\0');
  for (DWORD index = 0;;) {
    DWORD length = static_cast<DWORD>(name.size());
    LONG found = RegEnumValueW(key.get(), index, name.data(), &length, nullptr, nullptr,
                               nullptr, nullptr);
    if (found == ERROR_NO_MORE_ITEMS) break;
    if (found == ERROR_MORE_DATA && name.size() < 32768) {
      name.resize(name.size() * 2);  // value names reach 16383 characters
      continue;
    }
    if (found != ERROR_SUCCESS) return std::nullopt;
    names.push_back(Narrow(std::wstring_view(name.data(), length)));
    ++index;
  }
  return names;
}

std::optional<std::vector<std::string>> Win32Registry::EnumSubkeys(
    std::string_view path) {
  std::optional<std::vector<std::wstring>> components = KeyComponents(path);
  if (!components) return std::nullopt;
  OwnedKey key;
  if (key.Open(HKEY_CURRENT_USER, JoinKeyPath(*components), KEY_ENUMERATE_SUB_KEYS) !=
      ERROR_SUCCESS)
    return std::nullopt;
  std::vector<std::string> names;
  for (DWORD index = 0;; ++index) {
    wchar_t name[kMaxKeyNameLength + 1];
    DWORD length = kMaxKeyNameLength + 1;
    LONG found = RegEnumKeyExW(key.get(), index, name, &length, nullptr, nullptr, nullptr,
                               nullptr);
    if (found == ERROR_NO_MORE_ITEMS) break;
    if (found != ERROR_SUCCESS) return std::nullopt;
    names.push_back(Narrow(std::wstring_view(name, length)));
  }
  return names;
}

bool Win32Registry::KeyExists(std::string_view path) {
  std::optional<std::vector<std::wstring>> components = KeyOf(path);
  if (!components) return false;
  OwnedKey key;
  return key.Open(HKEY_CURRENT_USER, JoinKeyPath(*components), KEY_QUERY_VALUE) ==
         ERROR_SUCCESS;
}

bool Win32Registry::DeleteValue(std::string_view path, std::string_view name) {
  std::optional<std::vector<std::wstring>> components = KeyOf(path);
  std::optional<std::wstring> value_name = NativeRegistryName(name);
  if (!components || !value_name) return false;
  OwnedKey key;
  if (key.Open(HKEY_CURRENT_USER, JoinKeyPath(*components), KEY_SET_VALUE) !=
      ERROR_SUCCESS)
    return false;
  return RegDeleteValueW(key.get(), value_name->c_str()) == ERROR_SUCCESS;
}

}  // namespace pinlet
