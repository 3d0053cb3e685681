#include "comserver/registration.h"

#include <optional>
#include <string>

#include "comserver/pinlet_addin.h"  // CLSID_Connect
#include "comserver/registry_tree.h"
#include "platform/host_error.h"

namespace pinlet::com {
namespace {

constexpr std::wstring_view kClasses = L"Software\\Classes";
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

std::wstring ClassKey() { return std::wstring(kClasses) + L"\\CLSID\\" + ClsidText(); }

std::wstring ProgIdKey() {
  return std::wstring(kClasses) + L"\\" + std::wstring(kProgId);
}

std::wstring AddinKey(std::wstring_view host) {
  return std::wstring(kOffice) + L"\\" + std::wstring(host) + L"\\Addins\\" +
         std::wstring(kProgId);
}

void WriteRegistration(std::wstring_view dll_path) {
  std::wstring class_key = ClassKey();
  WriteTextValue(class_key, L"", kProgId);
  WriteTextValue(class_key + L"\\InprocServer32", L"", dll_path);
  WriteTextValue(class_key + L"\\InprocServer32", L"ThreadingModel", L"Apartment");
  WriteTextValue(class_key + L"\\ProgID", L"", kProgId);
  WriteTextValue(ProgIdKey() + L"\\CLSID", L"", ClsidText());
  for (std::wstring_view host : kHosts) {
    std::wstring addin_key = AddinKey(host);
    WriteTextValue(addin_key, L"FriendlyName", kFriendlyName);
    WriteTextValue(addin_key, L"Description", kDescription);
    WriteDwordValue(addin_key, L"LoadBehavior", kLoadAtStartup);
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
  auto remove = [&](const std::wstring& key, std::wstring_view keep) {
    std::optional<HostError> error = Attempt([&] { DeleteKeyTree(key, keep); });
    if (error && !failure) failure = std::move(error);
  };
  remove(ClassKey(), kClasses);
  remove(ProgIdKey(), kClasses);
  for (std::wstring_view host : kHosts) remove(AddinKey(host), kOffice);
  if (failure) throw *failure;
}

}  // namespace pinlet::com
