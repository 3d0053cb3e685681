#include "comserver/module.h"

#include <vector>

#include "platform/com/com_error.h"
#include "platform/com/event_hub.h"
#include "platform/com/served_object.h"
#include "platform/host_error.h"

namespace pinlet::com {
namespace {

HMODULE this_module = nullptr;
LONG objects = 0;
LONG locks = 0;

}  // namespace

void SetThisModule(HMODULE module) { this_module = module; }

HMODULE ThisModule() { return this_module; }

std::wstring ThisModulePath() {
  // GetModuleFileNameW truncates silently to the buffer: grow it until the
  // whole path fits.
  std::vector<wchar_t> path(MAX_PATH);
  for (;;) {
    DWORD length =
        GetModuleFileNameW(this_module, path.data(), static_cast<DWORD>(path.size()));
    if (length == 0)
      throw ErrorOfCall(HRESULT_FROM_WIN32(GetLastError()), "GetModuleFileName");
    if (length < path.size()) return std::wstring(path.data(), length);
    path.resize(path.size() * 2);
  }
}

void ObjectCreated() { InterlockedIncrement(&objects); }
void ObjectDestroyed() { InterlockedDecrement(&objects); }
void LockModule() { InterlockedIncrement(&locks); }
void UnlockModule() { InterlockedDecrement(&locks); }

long LiveObjects() {
  return InterlockedCompareExchange(&objects, 0, 0) + ServedBase::live_objects() +
         EventHub::connected_sinks();
}

bool ModuleCanUnload() {
  return LiveObjects() == 0 && InterlockedCompareExchange(&locks, 0, 0) == 0;
}

HRESULT AnswerAtBoundary(std::string_view entry, const std::function<HRESULT()>& body,
                         Report report, EXCEPINFO* info, const IID& iid) {
  HRESULT answer = S_OK;
  HRESULT hr = AtComBoundary(
      entry, [&] { answer = body(); }, report, info, iid);
  return FAILED(hr) ? hr : answer;
}

}  // namespace pinlet::com
