#include "comserver/registration.h"

#include <optional>
#include <string>

#include "comserver/pinlet_addin.h"  // CLSID_Connect
#include "comserver/registry_tree.h"
#include "platform/host_error.h"

namespace pinlet::com {
namespace {

constexpr std::wstring_view kClassIds = L"CLSID";
constexpr std::wstring_view kOffice = L"Software\\Microsoft\\Office";
constexpr std::wstring_view kProgId = L"Pinlet.Connect";
// The Office applications that load the add-in: Outlook, and Word when it
// is Outlook's e-mail editor.
constexpr std::wstring_view kHosts[] = {L"Outlook", L"Word"};
constexpr std::wstring_view kFriendlyName = L"Pinlet";
constexpr std::wstring_view kDescription =
    L"Pinlet: sticky notes attached to Outlook items";
// Office's LoadBehavior 3: connected, and loaded at every start-up.
constexpr DWORD kLoadAtStartup = 3;

std::wstring ClsidText() {
  wchar_t text[40];
  StringFromGUID2(CLSID_Connect, text, 40);
  return text;
}

std::wstring ClassKey() { return std::wstring(kClassIds) + L"\\" + ClsidText(); }

std::wstring ProgIdKey() { return std::wstring(kProgId); }

std::wstring AddinKey(std::wstring_view host) {
  return std::wstring(kOffice) + L"\\" + std::wstring(host) + L"\\Addins\\" +
         std::wstring(kProgId);
}

void WriteRegistration(std::wstring_view dll_path) {
  std::wstring class_key = ClassKey();
  WriteTextValue(HKEY_CLASSES_ROOT, class_key, L"", kProgId);
  WriteTextValue(HKEY_CLASSES_ROOT, class_key + L"\\InprocServer32", L"", dll_path);
  WriteTextValue(HKEY_CLASSES_ROOT, class_key + L"\\InprocServer32", L"ThreadingModel",
                 L"Apartment");
  WriteTextValue(HKEY_CLASSES_ROOT, class_key + L"\\ProgID", L"", kProgId);
  WriteTextValue(HKEY_CLASSES_ROOT, ProgIdKey() + L"\\CLSID", L"", ClsidText());
  for (std::wstring_view host : kHosts) {
    std::wstring addin_key = AddinKey(host);
    WriteTextValue(HKEY_CURRENT_USER, addin_key, L"FriendlyName", kFriendlyName);
    WriteTextValue(HKEY_CURRENT_USER, addin_key, L"Description", kDescription);
    WriteDwordValue(HKEY_CURRENT_USER, addin_key, L"LoadBehavior", kLoadAtStartup);
  }
}

}  // namespace

void RegisterServer(std::wstring_view dll_path) {
  std::optional<HostError> failure = Attempt([&] { WriteRegistration(dll_path); });
  if (!failure) return;
  IgnoreError([] { UnregisterServer(); });
  throw *failure;
}

void UnregisterServer() {
  // Every key is tried; the first failure is the answer.
  std::optional<HostError> failure;
  auto remove = [&](HKEY root, const std::wstring& key, std::wstring_view keep) {
    std::optional<HostError> error = Attempt([&] { DeleteKeyTree(root, key, keep); });
    if (error && !failure) failure = std::move(error);
  };
  remove(HKEY_CLASSES_ROOT, ClassKey(), kClassIds);
  remove(HKEY_CLASSES_ROOT, ProgIdKey(), L"");
  for (std::wstring_view host : kHosts)
    remove(HKEY_CURRENT_USER, AddinKey(host), kOffice);
  if (failure) throw *failure;
}

}  // namespace pinlet::com
