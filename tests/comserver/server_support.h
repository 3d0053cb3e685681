// What the COM server tests share: the server DLLs loaded and reached only
// through their exports and COM, a host of the test's own served to the
// add-in, custom arrays, and snapshots of the current user's registry.
//
// Two DLLs sit beside the test program: pinlet.dll as it ships, and
// pinlet_test_addin.dll, the same server over the add-in of fake_addin.cc.
#ifndef PINLET_TESTS_COMSERVER_SERVER_SUPPORT_H_
#define PINLET_TESTS_COMSERVER_SERVER_SUPPORT_H_

#include <objbase.h>
#include <oleauto.h>

#include <memory>
#include <set>
#include <string>
#include <vector>

#include "comserver/pinlet_addin.h"
#include "platform/com/com_ptr.h"
#include "platform/com/com_values.h"
#include "platform/variant.h"

namespace pinlet::com {

inline constexpr wchar_t kShippedDll[] = L"pinlet.dll";
inline constexpr wchar_t kTestDll[] = L"pinlet_test_addin.dll";

// The folder of the test program, with a trailing backslash.
std::wstring TestFolder();

// One server DLL, loaded for the rest of the process (COM may hold it too).
class ServerDll {
 public:
  // The DLL `name` beside the test program, loaded once per process.
  static ServerDll& Get(const wchar_t* name);

  const std::wstring& path() const { return path_; }
  HRESULT GetClassObject(REFCLSID clsid, REFIID iid, void** out) const {
    return get_class_object_(clsid, iid, out);
  }
  HRESULT CanUnloadNow() const { return can_unload_now_(); }
  HRESULT Register() const { return register_(); }
  HRESULT Unregister() const { return unregister_(); }

  // The class factory of Pinlet.Connect (asserted to succeed).
  ComPtr<IClassFactory> Factory() const;
  // A new add-in object from the factory (asserted to succeed).
  ComPtr<_IDTExtensibility2> CreateAddin() const;

 private:
  explicit ServerDll(const wchar_t* name);
  std::wstring path_;
  HRESULT(STDAPICALLTYPE* get_class_object_)(REFCLSID, REFIID, void**) = nullptr;
  HRESULT(STDAPICALLTYPE* can_unload_now_)() = nullptr;
  HRESULT(STDAPICALLTYPE* register_)() = nullptr;
  HRESULT(STDAPICALLTYPE* unregister_)() = nullptr;
};

// The host as the add-in sees it through COM: an Application named `name`
// with one COMAddIn, "Pinlet.Connect". Served by the test program, so that
// every call the DLL makes on it crosses a module.
struct FakeHost {
  std::string name = "Outlook";
  std::string version = "11.0";
  ComPtr<IDispatch> application;  // served; holds the COMAddIns and COMAddIn
  ComPtr<IDispatch> addin;        // the COMAddIn "Pinlet.Connect"
};
FakeHost ServeFakeHost(const std::string& name);

// An owned one-dimensional SAFEARRAY of VARIANTs, as Office passes custom.
class CustomValues {
 public:
  // An array of `values` whose first index is `lower_bound`.
  explicit CustomValues(std::vector<VariantValue> values, LONG lower_bound = 0);
  // No array at all (a null SAFEARRAY*).
  explicit CustomValues(std::nullptr_t) {}
  CustomValues(const CustomValues&) = delete;
  CustomValues& operator=(const CustomValues&) = delete;
  ~CustomValues();

  SAFEARRAY** slot() { return &array_; }
  SAFEARRAY* get() const { return array_; }
  LONG lower_bound() const;
  // The elements as they are now (copies).
  std::vector<VariantValue> Elements() const;
  // The elements as platform values (a non-value element is empty).
  std::vector<Variant> Values() const;

 private:
  SAFEARRAY* array_ = nullptr;
};

// Text for a list of values, for failure messages and comparisons:
// "OnConnection|Outlook|11|1".
std::string Joined(const std::vector<Variant>& values);

// Every key (as "K path") and value (as "V path|name=type:data") under
// `root`\`path`, recursively.
std::set<std::string> RegistrySnapshot(HKEY root, const std::wstring& path);
// The lines of `after` not in `before`.
std::set<std::string> Added(const std::set<std::string>& before,
                            const std::set<std::string>& after);

// The lines of a text file (CR LF or LF); empty when it does not exist.
std::vector<std::string> ReadLines(const std::wstring& path);

}  // namespace pinlet::com

#endif  // PINLET_TESTS_COMSERVER_SERVER_SUPPORT_H_
