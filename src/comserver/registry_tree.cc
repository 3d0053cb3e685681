#include "comserver/registry_tree.h"

#include <utility>

#include "platform/com/com_error.h"
#include "platform/com/com_ptr.h"
#include "platform/host_error.h"

namespace pinlet::com {
namespace {

// One open registry key, closed when it goes.
class Key {
 public:
  Key() = default;
  Key(const Key&) = delete;
  Key& operator=(const Key&) = delete;
  ~Key() {
    if (key_) RegCloseKey(key_);
  }
  HKEY get() const { return key_; }
  HKEY* Put() { return &key_; }

 private:
  HKEY key_ = nullptr;
};

HostError RegistryError(LONG status, std::wstring_view path) {
  int32_t number = HostNumberOf(HRESULT_FROM_WIN32(static_cast<DWORD>(status)));
  return HostError(
      number, "The registry refused the change (error " + std::to_string(status) + ")",
      "HKEY_CURRENT_USER\\" + Narrow(path));
}

// The key at `path`, created with its parents where missing.
void CreateKey(std::wstring_view path, Key* key) {
  LONG status = RegCreateKeyExW(HKEY_CURRENT_USER, std::wstring(path).c_str(), 0, nullptr,
                                REG_OPTION_NON_VOLATILE, KEY_SET_VALUE, nullptr,
                                key->Put(), nullptr);
  if (status != ERROR_SUCCESS) throw RegistryError(status, path);
}

void SetValue(std::wstring_view path, std::wstring_view name, DWORD type,
              const void* data, DWORD size) {
  Key key;
  CreateKey(path, &key);
  std::wstring value_name(name);
  LONG status =
      RegSetValueExW(key.get(), value_name.empty() ? nullptr : value_name.c_str(), 0,
                     type, static_cast<const BYTE*>(data), size);
  if (status != ERROR_SUCCESS) throw RegistryError(status, path);
}

// Whether the key at `path` holds no subkey and no value; false when it
// cannot be read.
bool IsEmptyKey(const std::wstring& path) {
  Key key;
  if (RegOpenKeyExW(HKEY_CURRENT_USER, path.c_str(), 0, KEY_QUERY_VALUE, key.Put()) !=
      ERROR_SUCCESS)
    return false;
  DWORD subkeys = 0, values = 0;
  if (RegQueryInfoKeyW(key.get(), nullptr, nullptr, nullptr, &subkeys, nullptr, nullptr,
                       &values, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS)
    return false;
  return subkeys == 0 && values == 0;
}

// Deletes `name` under `parent` (at `path`), subkeys first; false when it
// did not exist.
bool DeleteSubtree(HKEY parent, const std::wstring& name, const std::wstring& path) {
  {
    Key key;
    LONG status = RegOpenKeyExW(parent, name.c_str(), 0,
                                KEY_ENUMERATE_SUB_KEYS | KEY_QUERY_VALUE, key.Put());
    if (status == ERROR_FILE_NOT_FOUND) return false;
    if (status != ERROR_SUCCESS) throw RegistryError(status, path);
    // Each deletion renumbers the rest: always take the first subkey.
    for (;;) {
      wchar_t child[256];  // a key's name has at most 255 characters
      DWORD length = 256;
      status =
          RegEnumKeyExW(key.get(), 0, child, &length, nullptr, nullptr, nullptr, nullptr);
      if (status == ERROR_NO_MORE_ITEMS) break;
      if (status != ERROR_SUCCESS) throw RegistryError(status, path);
      std::wstring child_name(child, length);
      DeleteSubtree(key.get(), child_name, path + L"\\" + child_name);
    }
  }
  LONG status = RegDeleteKeyW(parent, name.c_str());
  if (status != ERROR_SUCCESS && status != ERROR_FILE_NOT_FOUND)
    throw RegistryError(status, path);
  return true;
}

// Whether `path` lies below `ancestor`, compared as Windows compares key
// names (without regard to case).
bool IsBelow(const std::wstring& path, std::wstring_view ancestor) {
  if (path.size() <= ancestor.size() + 1 || path[ancestor.size()] != L'\\') return false;
  std::wstring head = path.substr(0, ancestor.size());
  return lstrcmpiW(head.c_str(), std::wstring(ancestor).c_str()) == 0;
}

}  // namespace

void WriteTextValue(std::wstring_view path, std::wstring_view name,
                    std::wstring_view text) {
  std::wstring data(text);
  SetValue(path, name, REG_SZ, data.c_str(),
           static_cast<DWORD>((data.size() + 1) * sizeof(wchar_t)));
}

void WriteDwordValue(std::wstring_view path, std::wstring_view name, DWORD value) {
  SetValue(path, name, REG_DWORD, &value, sizeof(value));
}

std::optional<std::wstring> ReadTextValue(std::wstring_view path,
                                          std::wstring_view name) {
  Key key;
  if (RegOpenKeyExW(HKEY_CURRENT_USER, std::wstring(path).c_str(), 0, KEY_QUERY_VALUE,
                    key.Put()) != ERROR_SUCCESS)
    return std::nullopt;
  std::wstring value_name(name);
  const wchar_t* value = value_name.empty() ? nullptr : value_name.c_str();
  DWORD type = 0, size = 0;
  if (RegQueryValueExW(key.get(), value, nullptr, &type, nullptr, &size) !=
          ERROR_SUCCESS ||
      (type != REG_SZ && type != REG_EXPAND_SZ))
    return std::nullopt;
  std::wstring text(size / sizeof(wchar_t) + 1, L'\0');
  if (RegQueryValueExW(key.get(), value, nullptr, &type,
                       reinterpret_cast<BYTE*>(text.data()), &size) != ERROR_SUCCESS)
    return std::nullopt;
  // The stored text may or may not end with its terminating zero.
  text.resize(size / sizeof(wchar_t));
  while (!text.empty() && text.back() == L'\0') text.pop_back();
  return text;
}

bool KeyExists(std::wstring_view path) {
  Key key;
  return RegOpenKeyExW(HKEY_CURRENT_USER, std::wstring(path).c_str(), 0, KEY_QUERY_VALUE,
                       key.Put()) == ERROR_SUCCESS;
}

void DeleteKeyTree(std::wstring_view path, std::wstring_view keep) {
  std::wstring current(path);
  // Parents are deleted only when this deletion is what left them empty.
  if (!DeleteSubtree(HKEY_CURRENT_USER, current, current) || !IsBelow(current, keep))
    return;
  for (;;) {
    current.resize(current.rfind(L'\\'));
    if (current.size() <= keep.size() || !IsEmptyKey(current)) return;
    LONG status = RegDeleteKeyW(HKEY_CURRENT_USER, current.c_str());
    if (status != ERROR_SUCCESS && status != ERROR_FILE_NOT_FOUND)
      throw RegistryError(status, current);
  }
}

}  // namespace pinlet::com
