#include "platform/win32/registry_keys.h"

#include "platform/wide_text.h"
#include "platform/text.h"

namespace pinlet {
namespace {

bool SameKeyName(const std::wstring& a, const std::wstring& b) {
  return CompareStringW(LOCALE_INVARIANT, NORM_IGNORECASE, a.data(),
                        static_cast<int>(a.size()), b.data(),
                        static_cast<int>(b.size())) == CSTR_EQUAL;
}

// What a key holds, as far as deleting it empty is concerned.
enum class Content { kMissing, kEmpty, kSomething };

// kSomething also when the key cannot be asked.
Content ContentOf(HKEY root, const std::wstring& path) {
  OwnedKey key;
  LONG opened = key.Open(root, path, KEY_QUERY_VALUE);
  if (opened == ERROR_FILE_NOT_FOUND) return Content::kMissing;
  if (opened != ERROR_SUCCESS) return Content::kSomething;
  DWORD subkeys = 0, values = 0;
  if (RegQueryInfoKeyW(key.get(), nullptr, nullptr, nullptr, &subkeys, nullptr, nullptr,
                       &values, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS)
    return Content::kSomething;
  return subkeys == 0 && values == 0 ? Content::kEmpty : Content::kSomething;
}

// Deletes the subkey `name` of `parent` and all below it, leaves first.
bool DeleteSubtree(HKEY parent, const std::wstring& name) {
  {
    OwnedKey key;
    LONG opened = key.Open(parent, name, KEY_ENUMERATE_SUB_KEYS | KEY_QUERY_VALUE);
    if (opened == ERROR_FILE_NOT_FOUND) return true;
    if (opened != ERROR_SUCCESS) return false;
    // Each deleted subkey moves the next one to the same index; one that
    // stays is stepped over.
    DWORD index = 0;
    bool all_gone = true;
    for (;;) {
      wchar_t child[kMaxKeyNameLength + 1];
      DWORD length = kMaxKeyNameLength + 1;
      LONG found = RegEnumKeyExW(key.get(), index, child, &length, nullptr, nullptr,
                                 nullptr, nullptr);
      if (found == ERROR_NO_MORE_ITEMS) break;
      if (found != ERROR_SUCCESS) return false;
      if (!DeleteSubtree(key.get(), std::wstring(child, length))) {
        all_gone = false;
        ++index;
      }
    }
    if (!all_gone) return false;
  }
  LONG deleted = RegDeleteKeyW(parent, name.c_str());
  return deleted == ERROR_SUCCESS || deleted == ERROR_FILE_NOT_FOUND;
}

}  // namespace

std::optional<std::vector<std::wstring>> KeyComponents(std::string_view path) {
  std::optional<std::vector<std::string_view>> names = RegistryKeyNames(path);
  if (!names) return std::nullopt;
  std::vector<std::wstring> components;
  for (std::string_view name : *names) components.push_back(Wide(name));
  return components;
}

std::wstring JoinKeyPath(const std::vector<std::wstring>& components, size_t count) {
  std::wstring path;
  for (size_t i = 0; i < count && i < components.size(); ++i) {
    if (i) path += L'\\';
    path += components[i];
  }
  return path;
}

std::optional<std::wstring> NativeRegistryName(std::string_view name) {
  if (!IsRegistryName(name)) return std::nullopt;
  return Wide(name);
}

LONG OwnedKey::Open(HKEY root, const std::wstring& path, REGSAM access) {
  if (key_) RegCloseKey(std::exchange(key_, nullptr));
  return RegOpenKeyExW(root, path.c_str(), 0, access, &key_);
}

bool DeleteKeyTree(HKEY root, std::string_view path) {
  std::optional<std::vector<std::wstring>> components = KeyComponents(path);
  if (!components || components->empty()) return false;
  const size_t parent_length = components->size() - 1;
  OwnedKey parent;
  LONG opened = parent.Open(root, JoinKeyPath(*components, parent_length),
                            KEY_ENUMERATE_SUB_KEYS | KEY_QUERY_VALUE);
  if (opened == ERROR_FILE_NOT_FOUND) return true;
  if (opened != ERROR_SUCCESS) return false;
  return DeleteSubtree(parent.get(), components->back());
}

int DeleteEmptyKeys(HKEY root, std::string_view path, std::string_view ancestor) {
  std::optional<std::vector<std::wstring>> below = KeyComponents(path);
  std::optional<std::vector<std::wstring>> top = KeyComponents(ancestor);
  if (!below || !top || top->size() >= below->size()) return 0;
  for (size_t i = 0; i < top->size(); ++i)
    if (!SameKeyName((*top)[i], (*below)[i])) return 0;
  int deleted = 0;
  for (size_t length = below->size(); length > top->size(); --length) {
    std::wstring key = JoinKeyPath(*below, length);
    Content content = ContentOf(root, key);
    if (content == Content::kMissing) continue;
    if (content != Content::kEmpty || RegDeleteKeyW(root, key.c_str()) != ERROR_SUCCESS)
      break;
    ++deleted;
  }
  return deleted;
}

}  // namespace pinlet
