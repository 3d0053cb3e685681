// The platform's values as VARIANTs, and the arguments of an IDispatch call.
//
// Writing: each platform value has one VARIANT form (text as BSTR, numbers
// as VT_I4 or VT_R8, Booleans as VT_BOOL, dates as VT_DATE, objects as
// VT_DISPATCH). Reading accepts what a late-bound caller accepts: by-reference
// values are followed, numbers and text convert as the runtime converts them
// (VariantChangeType), and a value that cannot be converted raises HostError
// 13, "Type mismatch". An empty VARIANT, VT_NULL and a null VT_DISPATCH are
// Nothing where an object is wanted.
#ifndef PINLET_PLATFORM_COM_COM_VALUES_H_
#define PINLET_PLATFORM_COM_COM_VALUES_H_

#include <objbase.h>
#include <oleauto.h>

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/com/com_error.h"
#include "platform/com/com_ptr.h"
#include "platform/date.h"
#include "platform/variant.h"

namespace pinlet::com {

VariantValue TextVariant(std::string_view text);
VariantValue LongVariant(int32_t number);
VariantValue DoubleVariant(double number);
VariantValue BoolVariant(bool flag);
VariantValue DateVariant(Date date);
// An object reference (AddRef'd); a null `object` is Nothing.
VariantValue ObjectVariant(IDispatch* object);
VariantValue ToVariant(const Variant& value);
// An optional argument left out (VT_ERROR with DISP_E_PARAMNOTFOUND).
VariantValue MissingVariant();

// The value `v` refers to, when it is by reference; `v` itself otherwise.
const VARIANT& Dereferenced(const VARIANT& v);
// Whether `v` is an optional argument left out, or empty.
bool IsMissing(const VARIANT& v);

// Readers; each raises HostError 13 when `v` cannot be converted. `what`
// names the value in the error ("Items.Count").
Variant ValueOf(const VARIANT& v, What what);
std::string TextOf(const VARIANT& v, What what);
int32_t LongOf(const VARIANT& v, What what);
double DoubleOf(const VARIANT& v, What what);
bool BoolOf(const VARIANT& v, What what);
Date DateOf(const VARIANT& v, What what);
// The object `v` holds (QueryInterface for IDispatch on an IUnknown); empty
// for Nothing.
ComPtr<IDispatch> ObjectOf(const VARIANT& v, What what);

// The custom array of the add-in callbacks: a one-dimensional SAFEARRAY of
// VARIANTs, as the values it holds (an empty vector for a null array).
// Raises 13 for an element that is not a plain value, or for an array that
// does not hold VARIANTs.
std::vector<Variant> ValuesOfArray(SAFEARRAY* array, What what);
// A new one-dimensional SAFEARRAY of VARIANTs (lower bound 0) holding
// `values`; the caller destroys it (SafeArrayDestroy). Null when it cannot
// be made.
SAFEARRAY* ArrayOfValues(const std::vector<Variant>& values);

// The arguments of one Invoke, in the order the caller wrote them: positional
// arguments first to last, with named ones (a DISPID that is the parameter's
// position) put in their places. `what` names the member for errors.
class DispArgs {
 public:
  DispArgs(DISPPARAMS* params, What what);

  // The number of argument places (the last one given decides).
  size_t count() const { return places_.size(); }
  // Whether argument `i` was given and not left out.
  bool Has(size_t i) const {
    return i < places_.size() && places_[i] && !IsMissing(*places_[i]);
  }
  // The argument; raises 449, "Argument not optional", when it is absent.
  const VARIANT& At(size_t i) const;

  std::string Text(size_t i) const { return TextOf(At(i), what_); }
  int32_t Long(size_t i) const { return LongOf(At(i), what_); }
  double Double(size_t i) const { return DoubleOf(At(i), what_); }
  bool Bool(size_t i) const { return BoolOf(At(i), what_); }
  Date DateAt(size_t i) const { return DateOf(At(i), what_); }
  Variant Value(size_t i) const { return ValueOf(At(i), what_); }
  ComPtr<IDispatch> Object(size_t i) const { return ObjectOf(At(i), what_); }
  std::optional<int32_t> OptionalLong(size_t i) const {
    return Has(i) ? std::optional<int32_t>(Long(i)) : std::nullopt;
  }
  std::optional<std::string> OptionalText(size_t i) const {
    return Has(i) ? std::optional<std::string>(Text(i)) : std::nullopt;
  }

  // Writes a Boolean back through argument `i` when it was passed by
  // reference (VT_BOOL or VT_VARIANT); does nothing otherwise.
  void SetBool(size_t i, bool value) const;

  // The value of a property put (the named argument DISPID_PROPERTYPUT);
  // raises 449 when there is none.
  const VARIANT& PutValue() const;

 private:
  What what_;
  std::vector<VARIANT*> places_;  // null where nothing was given
  VARIANT* put_value_ = nullptr;
};

}  // namespace pinlet::com

#endif  // PINLET_PLATFORM_COM_COM_VALUES_H_
