#include "platform/com/com_ptr.h"

#include "platform/wide_text.h"

namespace pinlet::com {

Bstr::Bstr(std::string_view utf8) {
  std::wstring wide = Wide(utf8);
  b_ = SysAllocStringLen(wide.data(), static_cast<UINT>(wide.size()));
}

std::string Utf8OfBstr(BSTR b) {
  if (!b) return "";
  return Narrow(std::wstring_view(b, SysStringLen(b)));
}

VariantValue::VariantValue(const VariantValue& other) {
  VariantInit(&v_);
  VariantCopy(&v_, const_cast<VARIANT*>(&other.v_));
}

VariantValue& VariantValue::operator=(const VariantValue& other) {
  if (this != &other) {
    VariantClear(&v_);
    VariantCopy(&v_, const_cast<VARIANT*>(&other.v_));
  }
  return *this;
}

VariantValue::VariantValue(VariantValue&& other) noexcept : v_(other.v_) {
  VariantInit(&other.v_);
}

VariantValue& VariantValue::operator=(VariantValue&& other) noexcept {
  if (this != &other) {
    VariantClear(&v_);
    v_ = other.v_;
    VariantInit(&other.v_);
  }
  return *this;
}

}  // namespace pinlet::com
