// IUnknown for the small COM objects of ours that implement one interface:
// a class factory, an event sink, a type information that names a type.
//
// Object<Interface> answers QueryInterface for IUnknown and for the IIDs it
// is given (all with the same pointer), counts its references with
// interlocked operations, and deletes itself at its last Release. It is
// created with one reference, the creator's: hand it over with
// ComPtr<...>::Adopt.
#ifndef PINLET_PLATFORM_COM_COM_UNKNOWN_H_
#define PINLET_PLATFORM_COM_COM_UNKNOWN_H_

#include <objbase.h>

#include <algorithm>
#include <initializer_list>
#include <vector>

namespace pinlet::com {

template <typename Interface>
class Object : public Interface {
 public:
  // `iids`: what the object answers besides IUnknown.
  explicit Object(std::initializer_list<IID> iids) : iids_(iids) {}
  Object(const Object&) = delete;
  Object& operator=(const Object&) = delete;

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
    if (!out) return E_POINTER;
    *out = nullptr;
    if (iid != IID_IUnknown && std::find(iids_.begin(), iids_.end(), iid) == iids_.end())
      return E_NOINTERFACE;
    *out = static_cast<Interface*>(this);
    AddRef();
    return S_OK;
  }
  ULONG STDMETHODCALLTYPE AddRef() override {
    return static_cast<ULONG>(InterlockedIncrement(&refs_));
  }
  ULONG STDMETHODCALLTYPE Release() override {
    LONG left = InterlockedDecrement(&refs_);
    if (left == 0) delete this;
    return static_cast<ULONG>(left);
  }

 protected:
  virtual ~Object() = default;

 private:
  std::vector<IID> iids_;
  LONG refs_ = 1;
};

}  // namespace pinlet::com

#endif  // PINLET_PLATFORM_COM_COM_UNKNOWN_H_
