#include "platform/win32/win32_support_library.h"

#include <windows.h>

#include <string>
#include <utility>

#include "platform/addin_host.h"
#include "platform/com/com_objects.h"
#include "platform/com/com_office.h"
#include "platform/host_error.h"
#include "platform/win32/ansi_text.h"
#include "platform/win32/call_boundary.h"
#include "platform/win32/libzarvo_calls.h"
#include "platform/win32/win32_files.h"

namespace pinlet {

struct Win32SupportLibrary::Calls {
  HMODULE module = nullptr;
  decltype(&LibZarvoInit) init = nullptr;
  decltype(&LibZarvoLogMsg) log_msg = nullptr;
  decltype(&LibZarvoShowAbout) show_about = nullptr;
  decltype(&LibZarvoShowContextHelp) show_context_help = nullptr;
};

namespace {

HostError CannotLoad(const std::string& why) {
  return HostError(errors::kCannotCreateObject,
                   "ActiveX component can't create object: " + why,
                   std::string(kSupportLibraryFile));
}

// The add-in's quick-start callback of the latest Init; the library may
// call it whenever it likes while it is loaded.
std::function<int32_t()>& LatestQuickStart() {
  static std::function<int32_t()> quick_start;
  return quick_start;
}

// What the library calls, behind the firewall.
int32_t WINAPI QuickStart() {
  return AtCallBoundary("LibZarvo QuickStart", [] {
    const std::function<int32_t()>& callback = LatestQuickStart();
    return callback ? callback() : 0;
  });
}

template <typename Call>
bool Find(HMODULE module, const char* name, Call& call) {
  call = reinterpret_cast<Call>(reinterpret_cast<void*>(GetProcAddress(module, name)));
  return call != nullptr;
}

}  // namespace

std::shared_ptr<Win32SupportLibrary> Win32SupportLibrary::Load(std::string_view folder) {
  std::optional<WinPath> parsed = ParseWinPath(folder);
  if (!parsed) throw CannotLoad("no folder " + std::string(folder));
  const std::string path = parsed->Child(kSupportLibraryFile).ToString();
  auto calls = std::make_unique<Calls>();
  calls->module = LoadLibraryW(NativePath(parsed->Child(kSupportLibraryFile)).c_str());
  if (!calls->module)
    throw CannotLoad("cannot load " + path + " (Windows error " +
                     std::to_string(GetLastError()) + ")");
  const char* missing = nullptr;
  auto need = [&](const char* name, auto& call) {
    if (!missing && !Find(calls->module, name, call)) missing = name;
  };
  need("LibZarvoInit", calls->init);
  need("LibZarvoLogMsg", calls->log_msg);
  need("LibZarvoShowAbout", calls->show_about);
  need("LibZarvoShowContextHelp", calls->show_context_help);
  if (missing) {
    FreeLibrary(calls->module);
    throw CannotLoad(path + " has no " + missing);
  }
  return std::shared_ptr<Win32SupportLibrary>(new Win32SupportLibrary(std::move(calls)));
}

Win32SupportLibrary::Win32SupportLibrary(std::unique_ptr<Calls> calls)
    : calls_(std::move(calls)) {}

Win32SupportLibrary::~Win32SupportLibrary() { FreeLibrary(calls_->module); }

int32_t Win32SupportLibrary::Init(int32_t module, int32_t kind,
                                  std::shared_ptr<HostApplication> app, int32_t version,
                                  std::function<int32_t()> quick_start) {
  LatestQuickStart() = std::move(quick_start);
  com::ComPtr<IDispatch> dispatch = com::ToDispatch<HostApplication>(app);
  return calls_->init(module, kind, dispatch.get(), version, &QuickStart);
}

int32_t Win32SupportLibrary::LogMsg(int32_t module, std::string_view description,
                                    int32_t number, std::string_view tag, int32_t level,
                                    int32_t flag) {
  const std::string ansi_description = Utf8ToAnsi(description),
                    ansi_tag = Utf8ToAnsi(tag);
  return calls_->log_msg(module, ansi_description.c_str(), number, ansi_tag.c_str(),
                         level, flag);
}

int32_t Win32SupportLibrary::ShowAbout(int32_t module) {
  return calls_->show_about(module);
}

int32_t Win32SupportLibrary::ShowContextHelp(int32_t module, std::string_view page) {
  const std::string ansi_page = Utf8ToAnsi(page);
  return calls_->show_context_help(module, ansi_page.c_str());
}

}  // namespace pinlet
