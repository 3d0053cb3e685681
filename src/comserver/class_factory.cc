#include "comserver/class_factory.h"

#include "comserver/com_addin.h"
#include "comserver/connect_object.h"
#include "comserver/module.h"

namespace pinlet::com {

ComPtr<IClassFactory> ClassFactory::Create() {
  return ComPtr<IClassFactory>::Adopt(new ClassFactory());
}

ClassFactory::ClassFactory() : Object<IClassFactory>({IID_IClassFactory}) {
  ObjectCreated();
}

ClassFactory::~ClassFactory() { ObjectDestroyed(); }

HRESULT STDMETHODCALLTYPE ClassFactory::CreateInstance(IUnknown* outer, REFIID iid,
                                                       void** out) {
  return AnswerAtBoundary(
      "ClassFactory.CreateInstance",
      [&]() -> HRESULT {
        if (!out) return E_POINTER;
        *out = nullptr;
        if (outer) return CLASS_E_NOAGGREGATION;
        ComPtr<_IDTExtensibility2> object = ConnectObject::Create(CreateComAddin());
        return object->QueryInterface(iid, out);
      },
      Report::kErrorInfo, nullptr, IID_IClassFactory);
}

HRESULT STDMETHODCALLTYPE ClassFactory::LockServer(BOOL lock) {
  return AtComBoundary("ClassFactory.LockServer", [&] {
    if (lock)
      LockModule();
    else
      UnlockModule();
  });
}

}  // namespace pinlet::com
