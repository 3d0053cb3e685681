#include "sim/comhost/watched_support_library.h"

#include <cstring>

#include "platform/host_error.h"
#include "platform/support_calls.h"
#include "platform/win32/ansi_text.h"
#include "platform/win32/call_boundary.h"
#include "platform/win32/libzarvo_calls.h"

namespace pinlet::comhost {
namespace {

// The library's own calls, and where the redirected calls report; set while
// a WatchedSupportLibrary lives.
struct Library {
  HMODULE module = nullptr;
  decltype(&GetProcAddress) get_proc_address = nullptr;
  decltype(&LibZarvoInit) init = nullptr;
  decltype(&LibZarvoLogMsg) log_msg = nullptr;
  decltype(&LibZarvoShowAbout) show_about = nullptr;
  decltype(&LibZarvoShowContextHelp) show_context_help = nullptr;
  sim::World* world = nullptr;
};
Library g_library;

// Records the call as the simulated machine's library does; the fault
// injector's failure number when it fails the call, else 0.
int32_t Record(std::string record) {
  std::string member = "LibZarvo" + record.substr(0, record.find(' '));
  if (auto error = Attempt([&] { g_library.world->faults.Check(member); }))
    return error->number() ? error->number() : 1;
  g_library.world->support->TakeRecord(std::move(record));
  return 0;
}

std::string Text(const char* ansi) { return ansi ? AnsiToUtf8(ansi) : std::string(); }

int32_t WINAPI WatchedInit(int32_t handle, int32_t kind, IDispatch* app, int32_t version,
                           LibZarvoQuickStart quick_start) {
  return AtCallBoundary("LibZarvoInit", [&] {
    if (int32_t failed = Record(support_calls::InitRecord(kind, version))) return failed;
    return g_library.init(handle, kind, app, version, quick_start);
  });
}

int32_t WINAPI WatchedLogMsg(int32_t handle, const char* description, int32_t number,
                             const char* tag, int32_t level, int32_t flag) {
  return AtCallBoundary("LibZarvoLogMsg", [&] {
    if (int32_t failed = Record(support_calls::LogMsgRecord(
            handle, Text(description), number, Text(tag), level, flag)))
      return failed;
    return g_library.log_msg(handle, description, number, tag, level, flag);
  });
}

int32_t WINAPI WatchedShowAbout(int32_t handle) {
  return AtCallBoundary("LibZarvoShowAbout", [&] {
    if (int32_t failed = Record(support_calls::ShowAboutRecord())) return failed;
    return g_library.show_about(handle);
  });
}

int32_t WINAPI WatchedShowContextHelp(int32_t handle, const char* page) {
  return AtCallBoundary("LibZarvoShowContextHelp", [&] {
    if (int32_t failed = Record(support_calls::ShowContextHelpRecord(Text(page))))
      return failed;
    return g_library.show_context_help(handle, page);
  });
}

struct Watched {
  const char* name;
  void* call;
};
const Watched kWatchedCalls[] = {
    {"LibZarvoInit", reinterpret_cast<void*>(&WatchedInit)},
    {"LibZarvoLogMsg", reinterpret_cast<void*>(&WatchedLogMsg)},
    {"LibZarvoShowAbout", reinterpret_cast<void*>(&WatchedShowAbout)},
    {"LibZarvoShowContextHelp", reinterpret_cast<void*>(&WatchedShowContextHelp)},
};

FARPROC WINAPI WatchedGetProcAddress(HMODULE module, LPCSTR name) {
  if (module == g_library.module && !IS_INTRESOURCE(name))
    for (const Watched& watched : kWatchedCalls)
      if (std::strcmp(name, watched.name) == 0)
        return reinterpret_cast<FARPROC>(watched.call);
  return g_library.get_proc_address(module, name);
}

const Redirect kRedirects[] = {
    {"kernel32.dll", "GetProcAddress", reinterpret_cast<void*>(&WatchedGetProcAddress)},
};

}  // namespace

WatchedSupportLibrary::WatchedSupportLibrary(HMODULE dll, HMODULE library,
                                             sim::World& world)
    : watched_(dll, kRedirects) {
  // The library's own calls, found with the original GetProcAddress: the
  // redirected one would answer the watched calls.
  Library calls;
  calls.module = library;
  calls.get_proc_address =
      reinterpret_cast<decltype(&GetProcAddress)>(watched_.original("GetProcAddress"));
  auto own = [&](const char* name) {
    return calls.get_proc_address
               ? reinterpret_cast<void*>(calls.get_proc_address(library, name))
               : nullptr;
  };
  calls.init = reinterpret_cast<decltype(&LibZarvoInit)>(own("LibZarvoInit"));
  calls.log_msg = reinterpret_cast<decltype(&LibZarvoLogMsg)>(own("LibZarvoLogMsg"));
  calls.show_about =
      reinterpret_cast<decltype(&LibZarvoShowAbout)>(own("LibZarvoShowAbout"));
  calls.show_context_help = reinterpret_cast<decltype(&LibZarvoShowContextHelp)>(
      own("LibZarvoShowContextHelp"));
  calls.world = &world;
  if (!watched_.missing().empty()) {
    error_ = "the add-in's calls of " + watched_.missing() + " cannot be watched";
    return;  // nothing is redirected to the calls below
  }
  if (!calls.init || !calls.log_msg || !calls.show_about || !calls.show_context_help) {
    error_ = "the support library lacks one of its four calls";
    calls.module = nullptr;  // none of the watched calls is handed out
  }
  g_library = calls;
}

WatchedSupportLibrary::~WatchedSupportLibrary() { g_library = Library{}; }

}  // namespace pinlet::comhost
