#include "comserver/registry_tree.h"

#include "platform/com/com_error.h"
#include "platform/host_error.h"
#include "platform/wide_text.h"
#include "platform/win32/registry_keys.h"

namespace pinlet::com {
namespace {

HostError RegistryError(LONG status, std::wstring_view path) {
  int32_t number = HostNumberOf(HRESULT_FROM_WIN32(static_cast<DWORD>(status)));
  return HostError(
      number, "The registry refused the change (error " + std::to_string(status) + ")",
      Narrow(path));
}

void SetValue(HKEY root, std::wstring_view path, std::wstring_view name, DWORD type,
              const void* data, DWORD size) {
  HKEY key = nullptr;
  LONG status =
      RegCreateKeyExW(root, std::wstring(path).c_str(), 0, nullptr,
                      REG_OPTION_NON_VOLATILE, KEY_SET_VALUE, nullptr, &key, nullptr);
  if (status != ERROR_SUCCESS) throw RegistryError(status, path);
  std::wstring value_name(name);
  status = RegSetValueExW(key, value_name.empty() ? nullptr : value_name.c_str(), 0, type,
                          static_cast<const BYTE*>(data), size);
  RegCloseKey(key);
  if (status != ERROR_SUCCESS) throw RegistryError(status, path);
}

}  // namespace

void WriteTextValue(HKEY root, std::wstring_view path, std::wstring_view name,
                    std::wstring_view text) {
  std::wstring data(text);
  SetValue(root, path, name, REG_SZ, data.c_str(),
           static_cast<DWORD>((data.size() + 1) * sizeof(wchar_t)));
}

void WriteDwordValue(HKEY root, std::wstring_view path, std::wstring_view name,
                     DWORD value) {
  SetValue(root, path, name, REG_DWORD, &value, sizeof(value));
}

std::optional<std::wstring> ReadTextValue(HKEY root, std::wstring_view path,
                                          std::wstring_view name) {
  OwnedKey key;
  if (key.Open(root, std::wstring(path), KEY_QUERY_VALUE) != ERROR_SUCCESS)
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

bool KeyExists(HKEY root, std::wstring_view path) {
  OwnedKey key;
  return key.Open(root, std::wstring(path), KEY_QUERY_VALUE) == ERROR_SUCCESS;
}

void DeleteKeyTree(HKEY root, std::wstring_view path, std::wstring_view keep) {
  std::string key = Narrow(path);
  {
    OwnedKey existing;
    if (existing.Open(root, std::wstring(path), KEY_QUERY_VALUE) == ERROR_FILE_NOT_FOUND)
      return;
  }
  if (!pinlet::DeleteKeyTree(root, key)) throw RegistryError(ERROR_ACCESS_DENIED, path);
  // The parents are looked at only when this deletion may have left them
  // empty: the key existed.
  size_t slash = key.rfind('\\');
  if (slash != std::string::npos)
    DeleteEmptyKeys(root, key.substr(0, slash), Narrow(keep));
}

void DeleteValueAndEmptyKeys(HKEY root, std::wstring_view path, std::wstring_view name,
                             std::wstring_view keep) {
  {
    OwnedKey key;
    if (key.Open(root, std::wstring(path), KEY_SET_VALUE) != ERROR_SUCCESS) return;
    std::wstring value_name(name);
    LONG status = RegDeleteValueW(key.get(), value_name.empty() ? nullptr : value_name.c_str());
    if (status == ERROR_FILE_NOT_FOUND) return;
    if (status != ERROR_SUCCESS) throw RegistryError(status, path);
  }
  DeleteEmptyKeys(root, Narrow(path), Narrow(keep));
}

}  // namespace pinlet::com
