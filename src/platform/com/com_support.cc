#include "platform/com/com_support.h"

#include <oleidl.h>

#include "platform/com/com_error.h"
#include "platform/host_error.h"

namespace pinlet::com {

void PutObject(const LateBound& bound, std::string_view member,
               const ComPtr<IDispatch>& object) {
  std::optional<HostError> refused = Attempt([&] { bound.Put(member, Arg(object)); });
  if (!refused) return;
  if (refused->number() != errors::kNotSupported) throw *refused;
  bound.PutRef(member, Arg(object));
}

bool IsTextArgument(const DispArgs& args, size_t i) {
  const VARIANT& value = Dereferenced(args.At(i));
  return value.vt == VT_BSTR || value.vt == (VT_BYREF | VT_BSTR);
}

WindowHandle WindowHandleOf(IDispatch* window, std::string_view what) {
  ComPtr<IOleWindow> ole;
  HRESULT hr = window ? window->QueryInterface(IID_IOleWindow, ole.PutVoid()) : E_POINTER;
  if (FAILED(hr)) throw ErrorOfCall(hr, what);
  HWND handle = nullptr;
  hr = ole->GetWindow(&handle);
  if (FAILED(hr)) throw ErrorOfCall(hr, what);
  return static_cast<WindowHandle>(reinterpret_cast<intptr_t>(handle));
}

}  // namespace pinlet::com
