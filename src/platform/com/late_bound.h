// Calling an IDispatch object by member name, as a late-bound caller does.
//
// LateBound is the one place that calls GetIDsOfNames and Invoke. A member's
// DISPID is looked up once per type: the object's type information names its
// type (TYPEATTR's GUID), and every object of that type shares the cache; an
// object without type information keeps a cache of its own. Getters and
// methods are invoked as DISPATCH_METHOD | DISPATCH_PROPERTYGET, as the
// runtime does; Put and PutRef pass the value as the named argument
// DISPID_PROPERTYPUT. Named arguments go by their parameter names.
//
// Every failure raises a HostError with the host's number (com_error.h),
// its source naming "Type.Member"; a call on a LateBound without an object
// raises 91, as a member call on Nothing does.
#ifndef PINLET_PLATFORM_COM_LATE_BOUND_H_
#define PINLET_PLATFORM_COM_LATE_BOUND_H_

#include <objbase.h>
#include <oleauto.h>

#include <initializer_list>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "platform/com/com_ptr.h"
#include "platform/com/com_values.h"
#include "platform/date.h"
#include "platform/variant.h"

namespace pinlet::com {

// One argument of a late-bound call: a value, an object, an optional argument
// left out, a Boolean passed by reference, or any of these by parameter name.
class Arg {
 public:
  Arg(std::string_view text) : value_(TextVariant(text)) {}
  Arg(const char* text) : value_(TextVariant(text)) {}
  Arg(const std::string& text) : value_(TextVariant(text)) {}
  Arg(int32_t number) : value_(LongVariant(number)) {}
  Arg(double number) : value_(DoubleVariant(number)) {}
  Arg(bool flag) : value_(BoolVariant(flag)) {}
  Arg(Date date) : value_(DateVariant(date)) {}
  Arg(const Variant& value) : value_(ToVariant(value)) {}
  Arg(IDispatch* object) : value_(ObjectVariant(object)) {}
  Arg(const ComPtr<IDispatch>& object) : value_(ObjectVariant(object.get())) {}
  Arg(VariantValue value) : value_(std::move(value)) {}

  // An optional argument the caller leaves out.
  static Arg Missing() { return Arg(MissingVariant()); }
  // A Boolean passed by reference; `*flag` receives what the callee wrote.
  static Arg ByRef(bool* flag);
  // `value` given by its parameter's name.
  static Arg Named(std::string_view name, Arg value);

 private:
  friend class LateBound;
  VariantValue value_;
  std::string name_;
  bool* by_ref_ = nullptr;
  std::shared_ptr<VARIANT_BOOL> slot_;
};

class LateBound {
 public:
  LateBound() = default;
  // `type` names the object in errors ("Items", "MailItem").
  LateBound(ComPtr<IDispatch> object, std::string type);

  IDispatch* get() const { return object_.get(); }
  const ComPtr<IDispatch>& object() const { return object_; }
  explicit operator bool() const { return static_cast<bool>(object_); }
  const std::string& type() const { return type_; }

  // A property's value or a method's result (empty for none).
  VariantValue Call(std::string_view member, std::vector<Arg> args = {}) const;
  // Property put (by value) and put by reference (an object).
  void Put(std::string_view member, Arg value, std::vector<Arg> index = {}) const;
  void PutRef(std::string_view member, Arg value) const;

  // Typed results of Call; each raises 13 when the result does not convert.
  std::string Text(std::string_view member, std::vector<Arg> args = {}) const;
  int32_t Long(std::string_view member, std::vector<Arg> args = {}) const;
  double Double(std::string_view member, std::vector<Arg> args = {}) const;
  bool Bool(std::string_view member, std::vector<Arg> args = {}) const;
  Date DateOf(std::string_view member, std::vector<Arg> args = {}) const;
  Variant Value(std::string_view member, std::vector<Arg> args = {}) const;
  // The object returned; empty for Nothing.
  ComPtr<IDispatch> Object(std::string_view member, std::vector<Arg> args = {}) const;

  // Forgets every type's cached DISPIDs (for tests).
  static void ClearTypeCache();
  // How many GetIDsOfNames calls the process made (for tests and benchmarks).
  static int64_t name_lookups();

 private:
  VariantValue Invoke(std::string_view member, WORD flags, std::vector<Arg>& args) const;
  // The DISPIDs of `member` and the names of the named arguments, in order.
  std::vector<DISPID> Ids(std::string_view member, const std::vector<Arg>& args) const;
  const std::string& TypeKey() const;

  ComPtr<IDispatch> object_;
  std::string type_;
  mutable bool type_known_ = false;
  mutable std::string type_key_;  // "" when the object names no type
  mutable std::unordered_map<std::string, std::vector<DISPID>> own_cache_;
};

}  // namespace pinlet::com

#endif  // PINLET_PLATFORM_COM_LATE_BOUND_H_
