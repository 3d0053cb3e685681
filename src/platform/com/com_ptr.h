// Owned references to COM interfaces, BSTRs and VARIANTs.
//
// ComPtr<T> holds one reference to an interface and releases it when it goes;
// Bstr owns one BSTR and VariantValue one VARIANT. They are the only way the
// COM layer holds these resources, so that no error path leaks a reference.
// Nothing here raises: a failed QueryInterface answers an empty pointer.
#ifndef PINLET_PLATFORM_COM_COM_PTR_H_
#define PINLET_PLATFORM_COM_COM_PTR_H_

#include <objbase.h>
#include <oleauto.h>

#include <string>
#include <string_view>
#include <utility>

namespace pinlet::com {

template <typename T>
class ComPtr {
 public:
  ComPtr() = default;
  // Takes a new reference to `p` (AddRef).
  explicit ComPtr(T* p) : p_(p) {
    if (p_) p_->AddRef();
  }
  ComPtr(const ComPtr& other) : ComPtr(other.p_) {}
  ComPtr(ComPtr&& other) noexcept : p_(std::exchange(other.p_, nullptr)) {}
  ComPtr& operator=(ComPtr other) noexcept {
    std::swap(p_, other.p_);
    return *this;
  }
  ~ComPtr() { Reset(); }

  // Adopts a reference the caller already owns (no AddRef).
  static ComPtr Adopt(T* p) {
    ComPtr result;
    result.p_ = p;
    return result;
  }

  void Reset() {
    if (T* p = std::exchange(p_, nullptr)) p->Release();
  }
  // Gives up the reference without releasing it.
  T* Detach() { return std::exchange(p_, nullptr); }
  // For an out parameter: releases what is held and returns the slot.
  T** Put() {
    Reset();
    return &p_;
  }
  void** PutVoid() { return reinterpret_cast<void**>(Put()); }

  T* get() const { return p_; }
  T* operator->() const { return p_; }
  explicit operator bool() const { return p_ != nullptr; }

  // QueryInterface for `iid`; empty when the object does not offer it.
  template <typename U>
  ComPtr<U> As(REFIID iid) const {
    ComPtr<U> result;
    if (p_) p_->QueryInterface(iid, result.PutVoid());
    return result;
  }

 private:
  T* p_ = nullptr;
};

// The object's identity as COM defines it: its IUnknown pointer. Two
// references denote one object exactly when these are equal. The pointer is
// only compared, never used.
inline IUnknown* IdentityOf(IUnknown* object) {
  if (!object) return nullptr;
  ComPtr<IUnknown> unknown;
  if (FAILED(object->QueryInterface(IID_IUnknown, unknown.PutVoid()))) return nullptr;
  return unknown.get();
}

// One owned BSTR.
class Bstr {
 public:
  Bstr() = default;
  explicit Bstr(std::string_view utf8);
  Bstr(const Bstr&) = delete;
  Bstr& operator=(const Bstr&) = delete;
  Bstr(Bstr&& other) noexcept : b_(std::exchange(other.b_, nullptr)) {}
  ~Bstr() { SysFreeString(b_); }

  BSTR get() const { return b_; }
  BSTR Detach() { return std::exchange(b_, nullptr); }
  BSTR* Put() {
    SysFreeString(std::exchange(b_, nullptr));
    return &b_;
  }

 private:
  BSTR b_ = nullptr;
};

// UTF-8 of a BSTR: a NULL BSTR is the empty text, and the length is the
// BSTR's own (SysStringLen), so embedded zeros are kept.
std::string Utf8OfBstr(BSTR b);

// One owned VARIANT, cleared (VariantClear) when it goes.
class VariantValue {
 public:
  VariantValue() { VariantInit(&v_); }
  VariantValue(const VariantValue& other);
  VariantValue& operator=(const VariantValue& other);
  VariantValue(VariantValue&& other) noexcept;
  VariantValue& operator=(VariantValue&& other) noexcept;
  ~VariantValue() { VariantClear(&v_); }

  VARIANT* get() { return &v_; }
  const VARIANT* get() const { return &v_; }
  // Clears and returns the slot, for an out parameter.
  VARIANT* Put() {
    VariantClear(&v_);
    return &v_;
  }
  // Gives the value to the caller, leaving this one empty.
  VARIANT Detach() {
    VARIANT out = v_;
    VariantInit(&v_);
    return out;
  }
  VARTYPE vt() const { return v_.vt; }

 private:
  VARIANT v_;
};

}  // namespace pinlet::com

#endif  // PINLET_PLATFORM_COM_COM_PTR_H_
