// The maker's support library loaded from its LibZarvo.dll, as the
// SupportLibrary of platform/support_library.h.
//
// The library is taken from one folder only (LoadLibraryW with the full
// path), so no other copy on the search path stands in for it. Its four
// calls (libzarvo_calls.h) are found once, at loading; the library stays
// loaded while this object lives. Texts go to the library in the system
// code page. The add-in's quick-start callback reaches the library as a
// stdcall function pointer, which calls the callback of the latest Init in
// this process behind the COM firewall (com::AtComBoundary).
//
// A failing call is the library's business: its result is handed back as
// it is, and nothing here raises once the library is loaded.
#ifndef PINLET_PLATFORM_WIN32_WIN32_SUPPORT_LIBRARY_H_
#define PINLET_PLATFORM_WIN32_WIN32_SUPPORT_LIBRARY_H_

#include <cstdint>
#include <functional>
#include <memory>
#include <string_view>

#include "platform/support_library.h"

namespace pinlet {

// The library's file name.
constexpr std::string_view kSupportLibraryFile = "LibZarvo.dll";

class Win32SupportLibrary : public SupportLibrary {
 public:
  // Loads kSupportLibraryFile from `folder`. Raises HostError
  // errors::kCannotCreateObject ("ActiveX component can't create object")
  // when the folder names none, or the file is missing, cannot be loaded or
  // lacks one of the four calls; nothing stays loaded then.
  static std::shared_ptr<Win32SupportLibrary> Load(std::string_view folder);
  ~Win32SupportLibrary() override;
  Win32SupportLibrary(const Win32SupportLibrary&) = delete;
  Win32SupportLibrary& operator=(const Win32SupportLibrary&) = delete;

  // `app` reaches the library as its IDispatch: a client of a host object as
  // that object; anything else, for now, as a null pointer.
  int32_t Init(int32_t module, int32_t kind, std::shared_ptr<HostApplication> app,
               int32_t version, std::function<int32_t()> quick_start) override;
  int32_t LogMsg(int32_t module, std::string_view description, int32_t number,
                 std::string_view tag, int32_t level, int32_t flag) override;
  int32_t ShowAbout(int32_t module) override;
  int32_t ShowContextHelp(int32_t module, std::string_view page) override;

 private:
  struct Calls;
  explicit Win32SupportLibrary(std::unique_ptr<Calls> calls);

  std::unique_ptr<Calls> calls_;
};

}  // namespace pinlet

#endif  // PINLET_PLATFORM_WIN32_WIN32_SUPPORT_LIBRARY_H_
