#include "platform/com/late_bound.h"

#include <unordered_map>

#include "platform/com/com_boundary.h"
#include "platform/com/com_error.h"
#include "platform/host_error.h"
#include "platform/wide_text.h"

namespace pinlet::com {
namespace {

// DISPIDs by "type key|member|named..." for every type that names itself.
std::unordered_map<std::string, std::vector<DISPID>>& TypeCache() {
  static std::unordered_map<std::string, std::vector<DISPID>> cache;
  return cache;
}

int64_t lookups = 0;

// Member names compare without regard to case, as IDispatch's do.
void AppendFolded(std::string& out, std::string_view text) {
  for (char c : text)
    out.push_back(c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c);
}

std::string GuidText(const GUID& guid) {
  wchar_t text[40] = {};
  StringFromGUID2(guid, text, 40);
  return Narrow(text);
}

}  // namespace

Arg Arg::ByRef(bool* flag) {
  Arg arg{VariantValue()};
  arg.by_ref_ = flag;
  arg.slot_ = std::make_shared<VARIANT_BOOL>(*flag ? VARIANT_TRUE : VARIANT_FALSE);
  arg.value_.get()->vt = VT_BYREF | VT_BOOL;
  arg.value_.get()->pboolVal = arg.slot_.get();
  return arg;
}

Arg Arg::Named(std::string_view name, Arg value) {
  value.name_ = std::string(name);
  return value;
}

LateBound::LateBound(ComPtr<IDispatch> object, std::string type)
    : object_(std::move(object)), type_(std::move(type)) {}

void LateBound::ClearTypeCache() { TypeCache().clear(); }

int64_t LateBound::name_lookups() { return lookups; }

const std::string& LateBound::TypeKey() const {
  if (type_known_) return type_key_;
  type_known_ = true;
  UINT count = 0;
  if (FAILED(object_->GetTypeInfoCount(&count)) || count == 0) return type_key_;
  ComPtr<ITypeInfo> info;
  if (FAILED(object_->GetTypeInfo(0, LOCALE_USER_DEFAULT, info.Put())) || !info)
    return type_key_;
  TYPEATTR* attr = nullptr;
  if (FAILED(info->GetTypeAttr(&attr)) || !attr) return type_key_;
  if (attr->guid != GUID_NULL) type_key_ = GuidText(attr->guid);
  info->ReleaseTypeAttr(attr);
  return type_key_;
}

std::vector<DISPID> LateBound::Ids(std::string_view member,
                                   const std::vector<Arg>& args) const {
  // The key is the type's and the folded names'; the names are turned into
  // UTF-16 only when the cache does not know them yet.
  const std::string& type = TypeKey();
  std::string key = type;
  key.push_back('|');
  AppendFolded(key, member);
  for (const Arg& arg : args) {
    if (arg.name_.empty()) continue;
    key.push_back('|');
    AppendFolded(key, arg.name_);
  }
  auto& cache = type.empty() ? own_cache_ : TypeCache();
  if (auto it = cache.find(key); it != cache.end()) return it->second;

  std::vector<std::wstring> names{Wide(member)};
  for (const Arg& arg : args)
    if (!arg.name_.empty()) names.push_back(Wide(arg.name_));
  std::vector<LPOLESTR> pointers;
  for (std::wstring& name : names) pointers.push_back(name.data());
  std::vector<DISPID> ids(names.size(), DISPID_UNKNOWN);
  ++lookups;
  HRESULT hr = object_->GetIDsOfNames(IID_NULL, pointers.data(),
                                      static_cast<UINT>(pointers.size()),
                                      LOCALE_USER_DEFAULT, ids.data());
  if (FAILED(hr)) throw ErrorOfInvoke(hr, nullptr, type_ + "." + std::string(member));
  cache.emplace(std::move(key), ids);
  return ids;
}

VariantValue LateBound::Invoke(std::string_view member, WORD flags,
                               std::vector<Arg>& args) const {
  if (!object_)
    throw HostError(errors::kObjectNotSet, DescriptionOfNumber(errors::kObjectNotSet),
                    type_ + "." + std::string(member));
  std::vector<DISPID> ids = Ids(member, args);
  bool put = flags & (DISPATCH_PROPERTYPUT | DISPATCH_PROPERTYPUTREF);

  // rgvarg holds the named arguments first (in the order of their DISPIDs),
  // then the positional ones last to first. A put's value is named too.
  std::vector<VARIANT> slots;
  std::vector<DISPID> named_ids;
  size_t name_index = 1;
  for (Arg& arg : args) {
    if (arg.name_.empty()) continue;
    slots.push_back(*arg.value_.get());
    named_ids.push_back(ids[name_index++]);
  }
  if (put) {
    // The last argument is the value being put; any before it are indexes.
    slots.insert(slots.begin(), *args.back().value_.get());
    named_ids.insert(named_ids.begin(), DISPID_PROPERTYPUT);
  }
  size_t positional_end = put ? args.size() - 1 : args.size();
  for (size_t i = positional_end; i-- > 0;)
    if (args[i].name_.empty()) slots.push_back(*args[i].value_.get());

  DISPPARAMS params{};
  params.rgvarg = slots.empty() ? nullptr : slots.data();
  params.cArgs = static_cast<UINT>(slots.size());
  params.rgdispidNamedArgs = named_ids.empty() ? nullptr : named_ids.data();
  params.cNamedArgs = static_cast<UINT>(named_ids.size());

  VariantValue result;
  EXCEPINFO info{};
  UINT arg_error = 0;
  HRESULT hr = object_->Invoke(ids[0], IID_NULL, LOCALE_USER_DEFAULT, flags, &params,
                               put ? nullptr : result.get(), &info, &arg_error);
  for (Arg& arg : args)
    if (arg.by_ref_) *arg.by_ref_ = *arg.slot_ != VARIANT_FALSE;
  if (FAILED(hr)) {
    HostError error = ErrorOfInvoke(hr, &info, type_ + "." + std::string(member));
    // A defect of the module called is this one's to know of too: the caller
    // may take the failure for a handled one.
    if (error.source() == kDefectSource) RecordDefect(error.description());
    throw error;
  }
  return result;
}

VariantValue LateBound::Call(std::string_view member, std::vector<Arg> args) const {
  return Invoke(member, DISPATCH_METHOD | DISPATCH_PROPERTYGET, args);
}

void LateBound::Put(std::string_view member, Arg value, std::vector<Arg> index) const {
  index.push_back(std::move(value));
  Invoke(member, DISPATCH_PROPERTYPUT, index);
}

void LateBound::PutRef(std::string_view member, Arg value) const {
  std::vector<Arg> args;
  args.push_back(std::move(value));
  Invoke(member, DISPATCH_PROPERTYPUTREF, args);
}

std::string LateBound::Text(std::string_view member, std::vector<Arg> args) const {
  return TextOf(*Call(member, std::move(args)).get(), What(type_, member));
}

int32_t LateBound::Long(std::string_view member, std::vector<Arg> args) const {
  return LongOf(*Call(member, std::move(args)).get(), What(type_, member));
}

double LateBound::Double(std::string_view member, std::vector<Arg> args) const {
  return DoubleOf(*Call(member, std::move(args)).get(), What(type_, member));
}

bool LateBound::Bool(std::string_view member, std::vector<Arg> args) const {
  return BoolOf(*Call(member, std::move(args)).get(), What(type_, member));
}

Date LateBound::DateOf(std::string_view member, std::vector<Arg> args) const {
  return com::DateOf(*Call(member, std::move(args)).get(), What(type_, member));
}

Variant LateBound::Value(std::string_view member, std::vector<Arg> args) const {
  return ValueOf(*Call(member, std::move(args)).get(), What(type_, member));
}

ComPtr<IDispatch> LateBound::Object(std::string_view member,
                                    std::vector<Arg> args) const {
  return ObjectOf(*Call(member, std::move(args)).get(), What(type_, member));
}

}  // namespace pinlet::com
