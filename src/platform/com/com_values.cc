#include "platform/com/com_values.h"

#include "platform/com/com_error.h"
#include "platform/host_error.h"

namespace pinlet::com {
namespace {

[[noreturn]] void Mismatch(What what) {
  throw HostError(errors::kTypeMismatch, DescriptionOfNumber(errors::kTypeMismatch),
                  what.str());
}

// `v` converted to `type` as the runtime converts (locale-independent, with
// "True"/"False" for Booleans); raises 13 when it cannot be.
VariantValue Converted(const VARIANT& v, VARTYPE type, What what) {
  VariantValue out;
  const VARIANT& value = Dereferenced(v);
  if (value.vt == VT_EMPTY || value.vt == VT_NULL || value.vt == VT_DISPATCH ||
      value.vt == VT_UNKNOWN || value.vt == VT_ERROR)
    Mismatch(what);
  HRESULT hr = VariantChangeTypeEx(
      out.get(), const_cast<VARIANT*>(&value),
      MAKELCID(MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US), SORT_DEFAULT),
      VARIANT_ALPHABOOL, type);
  if (FAILED(hr)) {
    if (hr == DISP_E_OVERFLOW)
      throw HostError(errors::kOverflow, DescriptionOfNumber(errors::kOverflow),
                      what.str());
    Mismatch(what);
  }
  return out;
}

}  // namespace

VariantValue TextVariant(std::string_view text) {
  VariantValue v;
  v.get()->vt = VT_BSTR;
  v.get()->bstrVal = Bstr(text).Detach();
  return v;
}

VariantValue LongVariant(int32_t number) {
  VariantValue v;
  v.get()->vt = VT_I4;
  v.get()->lVal = number;
  return v;
}

VariantValue DoubleVariant(double number) {
  VariantValue v;
  v.get()->vt = VT_R8;
  v.get()->dblVal = number;
  return v;
}

VariantValue BoolVariant(bool flag) {
  VariantValue v;
  v.get()->vt = VT_BOOL;
  v.get()->boolVal = flag ? VARIANT_TRUE : VARIANT_FALSE;
  return v;
}

VariantValue DateVariant(Date date) {
  VariantValue v;
  v.get()->vt = VT_DATE;
  v.get()->date = date.value();
  return v;
}

VariantValue ObjectVariant(IDispatch* object) {
  VariantValue v;
  v.get()->vt = VT_DISPATCH;
  v.get()->pdispVal = object;
  if (object) object->AddRef();
  return v;
}

VariantValue ToVariant(const Variant& value) {
  if (value.IsText()) return TextVariant(value.text());
  if (value.IsLong()) return LongVariant(value.long_value());
  if (value.IsDouble()) return DoubleVariant(value.double_value());
  if (value.IsBool()) return BoolVariant(value.bool_value());
  if (value.IsDate()) return DateVariant(value.date_value());
  return VariantValue();
}

VariantValue MissingVariant() {
  VariantValue v;
  v.get()->vt = VT_ERROR;
  v.get()->scode = DISP_E_PARAMNOTFOUND;
  return v;
}

const VARIANT& Dereferenced(const VARIANT& v) {
  if (v.vt == (VT_BYREF | VT_VARIANT) && v.pvarVal) return Dereferenced(*v.pvarVal);
  return v;
}

bool IsMissing(const VARIANT& v) {
  const VARIANT& value = Dereferenced(v);
  return value.vt == VT_EMPTY ||
         (value.vt == VT_ERROR && value.scode == DISP_E_PARAMNOTFOUND);
}

Variant ValueOf(const VARIANT& v, What what) {
  const VARIANT& value = Dereferenced(v);
  switch (value.vt & ~VT_BYREF) {
    case VT_EMPTY:
    case VT_NULL:
      return Variant();
    case VT_BSTR:
      return Variant(TextOf(value, what));
    case VT_BOOL:
      return Variant(BoolOf(value, what));
    case VT_DATE:
      return Variant(DateOf(value, what));
    case VT_I1:
    case VT_I2:
    case VT_I4:
    case VT_UI1:
    case VT_UI2:
    case VT_INT:
      return Variant(LongOf(value, what));
    case VT_UI4:
    case VT_UINT:
    case VT_I8:
    case VT_UI8:
    case VT_R4:
    case VT_R8:
    case VT_CY:
    case VT_DECIMAL:
      return Variant(DoubleOf(value, what));
    default:
      Mismatch(what);
  }
}

std::string TextOf(const VARIANT& v, What what) {
  const VARIANT& value = Dereferenced(v);
  if (value.vt == VT_BSTR) return Utf8OfBstr(value.bstrVal);
  if (value.vt == (VT_BYREF | VT_BSTR)) return Utf8OfBstr(*value.pbstrVal);
  VariantValue text = Converted(value, VT_BSTR, what);
  return Utf8OfBstr(text.get()->bstrVal);
}

int32_t LongOf(const VARIANT& v, What what) {
  const VARIANT& value = Dereferenced(v);
  if (value.vt == VT_I4) return value.lVal;
  return Converted(value, VT_I4, what).get()->lVal;
}

double DoubleOf(const VARIANT& v, What what) {
  const VARIANT& value = Dereferenced(v);
  if (value.vt == VT_R8) return value.dblVal;
  return Converted(value, VT_R8, what).get()->dblVal;
}

bool BoolOf(const VARIANT& v, What what) {
  const VARIANT& value = Dereferenced(v);
  if (value.vt == VT_BOOL) return value.boolVal != VARIANT_FALSE;
  if (value.vt == (VT_BYREF | VT_BOOL)) return *value.pboolVal != VARIANT_FALSE;
  return Converted(value, VT_BOOL, what).get()->boolVal != VARIANT_FALSE;
}

Date DateOf(const VARIANT& v, What what) {
  const VARIANT& value = Dereferenced(v);
  if (value.vt == VT_DATE) return Date(value.date);
  return Date(Converted(value, VT_DATE, what).get()->date);
}

ComPtr<IDispatch> ObjectOf(const VARIANT& v, What what) {
  const VARIANT& value = Dereferenced(v);
  switch (value.vt) {
    case VT_EMPTY:
    case VT_NULL:
      return {};
    case VT_DISPATCH:
      return ComPtr<IDispatch>(value.pdispVal);
    case VT_BYREF | VT_DISPATCH:
      return ComPtr<IDispatch>(value.ppdispVal ? *value.ppdispVal : nullptr);
    case VT_UNKNOWN: {
      ComPtr<IDispatch> object;
      if (value.punkVal &&
          FAILED(value.punkVal->QueryInterface(IID_IDispatch, object.PutVoid())))
        Mismatch(what);
      return object;
    }
    default:
      Mismatch(what);
  }
}

std::vector<Variant> ValuesOfArray(SAFEARRAY* array, What what) {
  std::vector<Variant> values;
  if (!array) return values;
  VARTYPE type = VT_EMPTY;
  if (SafeArrayGetDim(array) != 1 || FAILED(SafeArrayGetVartype(array, &type)) ||
      type != VT_VARIANT)
    Mismatch(what);
  LONG lower = 0, upper = -1;
  SafeArrayGetLBound(array, 1, &lower);
  SafeArrayGetUBound(array, 1, &upper);
  for (LONG i = lower; i <= upper; ++i) {
    VariantValue element;
    if (FAILED(SafeArrayGetElement(array, &i, element.get()))) Mismatch(what);
    values.push_back(ValueOf(*element.get(), what));
  }
  return values;
}

SAFEARRAY* ArrayOfValues(const std::vector<Variant>& values) {
  SAFEARRAY* array =
      SafeArrayCreateVector(VT_VARIANT, 0, static_cast<ULONG>(values.size()));
  if (!array) return nullptr;
  for (LONG i = 0; i < static_cast<LONG>(values.size()); ++i) {
    VariantValue element = ToVariant(values[static_cast<size_t>(i)]);
    if (FAILED(SafeArrayPutElement(array, &i, element.get()))) {
      SafeArrayDestroy(array);
      return nullptr;
    }
  }
  return array;
}

DispArgs::DispArgs(DISPPARAMS* params, What what) : what_(what) {
  if (!params) return;
  UINT named = params->cNamedArgs;
  UINT positional = params->cArgs - named;
  places_.assign(positional, nullptr);
  for (UINT i = 0; i < positional; ++i)
    places_[i] = &params->rgvarg[params->cArgs - 1 - i];
  for (UINT i = 0; i < named; ++i) {
    DISPID id = params->rgdispidNamedArgs[i];
    if (id == DISPID_PROPERTYPUT) {
      put_value_ = &params->rgvarg[i];
    } else if (id >= 0) {
      if (static_cast<size_t>(id) >= places_.size()) places_.resize(id + 1, nullptr);
      places_[id] = &params->rgvarg[i];
    }
  }
}

const VARIANT& DispArgs::At(size_t i) const {
  if (!Has(i)) throw HostError(449, DescriptionOfNumber(449), what_.str());
  return *places_[i];
}

void DispArgs::SetBool(size_t i, bool value) const {
  if (i >= places_.size() || !places_[i]) return;
  VARIANT& v = *places_[i];
  VARIANT_BOOL flag = value ? VARIANT_TRUE : VARIANT_FALSE;
  if (v.vt == (VT_BYREF | VT_BOOL) && v.pboolVal) {
    *v.pboolVal = flag;
  } else if (v.vt == (VT_BYREF | VT_VARIANT) && v.pvarVal) {
    VariantClear(v.pvarVal);
    v.pvarVal->vt = VT_BOOL;
    v.pvarVal->boolVal = flag;
  }
}

const VARIANT& DispArgs::PutValue() const {
  if (!put_value_) throw HostError(449, DescriptionOfNumber(449), what_.str());
  return *put_value_;
}

}  // namespace pinlet::com
