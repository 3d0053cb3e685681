// The class factory of Pinlet.Connect, which DllGetClassObject hands out.
//
// CreateInstance makes one add-in (CreateComAddin, com_addin.h) and the
// COM object over it (connect_object.h) for every call; aggregation is
// refused. LockServer keeps the DLL loaded (module.h). The factory counts as
// an object of the DLL while it lives.
#ifndef PINLET_COMSERVER_CLASS_FACTORY_H_
#define PINLET_COMSERVER_CLASS_FACTORY_H_

#include <objbase.h>

#include "platform/com/com_ptr.h"
#include "platform/com/com_unknown.h"

namespace pinlet::com {

class ClassFactory final : public Object<IClassFactory> {
 public:
  // A new factory, holding one reference, the caller's.
  static ComPtr<IClassFactory> Create();

  // IClassFactory: CLASS_E_NOAGGREGATION for an outer object; the add-in's
  // or the type library's failure as the firewall reports it; E_NOINTERFACE
  // when the object does not offer `iid` (nothing is left alive then).
  HRESULT STDMETHODCALLTYPE CreateInstance(IUnknown* outer, REFIID iid,
                                           void** out) override;
  HRESULT STDMETHODCALLTYPE LockServer(BOOL lock) override;

 private:
  ClassFactory();
  ~ClassFactory() override;
};

}  // namespace pinlet::com

#endif  // PINLET_COMSERVER_CLASS_FACTORY_H_
