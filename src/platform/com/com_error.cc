#include "platform/com/com_error.h"

#include <winerror.h>

#include "platform/com/com_ptr.h"

namespace pinlet::com {
namespace {

constexpr uint32_t kRuntimeFacility = 0x800A0000u;  // FACILITY_CONTROL, failed

struct KnownHResult {
  HRESULT hr;
  int32_t number;
};

// The standard HRESULTs the VB runtime reports under a number of its own.
constexpr KnownHResult kKnown[] = {
    {E_INVALIDARG, errors::kInvalidArgument},
    {E_OUTOFMEMORY, 7},
    {DISP_E_OVERFLOW, errors::kOverflow},
    {DISP_E_BADINDEX, errors::kSubscriptOutOfRange},
    {DISP_E_DIVBYZERO, 11},
    {DISP_E_TYPEMISMATCH, errors::kTypeMismatch},
    {E_NOINTERFACE, 430},
    {DISP_E_UNKNOWNNAME, errors::kNotSupported},
    {DISP_E_MEMBERNOTFOUND, errors::kNotSupported},
    {DISP_E_PARAMNOTOPTIONAL, 449},
    {DISP_E_BADPARAMCOUNT, 450},
    {DISP_E_NONAMEDARGS, 446},
    {REGDB_E_CLASSNOTREG, errors::kCannotCreateObject},
    {CO_E_CLASSSTRING, errors::kCannotCreateObject},
};

struct KnownText {
  int32_t number;
  const char* text;
};

constexpr KnownText kTexts[] = {
    {errors::kInvalidArgument, "Invalid procedure call or argument"},
    {errors::kOverflow, "Overflow"},
    {7, "Out of memory"},
    {errors::kSubscriptOutOfRange, "Subscript out of range"},
    {11, "Division by zero"},
    {errors::kTypeMismatch, "Type mismatch"},
    {errors::kObjectNotSet, "Object variable or With block variable not set"},
    {errors::kObjectRequired, "Object required"},
    {errors::kCannotCreateObject, "ActiveX component can't create object"},
    {430, "Class does not support Automation or does not support expected interface"},
    {errors::kNotSupported, "Object doesn't support this property or method"},
    {446, "Object doesn't support named arguments"},
    {449, "Argument not optional"},
    {450, "Wrong number of arguments or invalid property assignment"},
};

std::string TakeBstr(BSTR& b) {
  std::string text = Utf8OfBstr(b);
  SysFreeString(b);
  b = nullptr;
  return text;
}

// The description and source of the thread's error object, taken and cleared.
bool TakeErrorInfo(std::string* description, std::string* source) {
  ComPtr<IErrorInfo> info;
  if (GetErrorInfo(0, info.Put()) != S_OK || !info) return false;
  Bstr text, from;
  info->GetDescription(text.Put());
  info->GetSource(from.Put());
  *description = Utf8OfBstr(text.get());
  *source = Utf8OfBstr(from.get());
  return true;
}

HRESULT SetErrorObject(std::string_view description, std::string_view source,
                       const IID& iid) {
  ComPtr<ICreateErrorInfo> create;
  if (FAILED(CreateErrorInfo(create.Put()))) return E_FAIL;
  Bstr text(description), from(source);
  create->SetDescription(text.get());
  create->SetSource(from.get());
  create->SetGUID(iid);
  ComPtr<IErrorInfo> info = create.As<IErrorInfo>(IID_IErrorInfo);
  if (info) SetErrorInfo(0, info.get());
  return S_OK;
}

}  // namespace

int32_t HostNumberOf(HRESULT hr) {
  uint32_t code = static_cast<uint32_t>(hr);
  if ((code & 0xFFFF0000u) == kRuntimeFacility && (code & 0xFFFF) != 0)
    return static_cast<int32_t>(code & 0xFFFF);
  for (const KnownHResult& known : kKnown)
    if (known.hr == hr) return known.number;
  return static_cast<int32_t>(hr);
}

HRESULT HResultOfHostNumber(int32_t number) {
  if (number > 0 && number <= 0xFFFF)
    return static_cast<HRESULT>(kRuntimeFacility | static_cast<uint32_t>(number));
  return static_cast<HRESULT>(number);
}

std::string DescriptionOfNumber(int32_t number) {
  for (const KnownText& known : kTexts)
    if (known.number == number) return known.text;
  return "Automation error";
}

HostError ErrorOfInvoke(HRESULT hr, EXCEPINFO* info, std::string_view member) {
  HRESULT code = hr;
  std::string description, source;
  if (hr == DISP_E_EXCEPTION && info) {
    if (info->pfnDeferredFillIn) info->pfnDeferredFillIn(info);
    if (info->scode != 0)
      code = info->scode;
    else if (info->wCode != 0)
      code = static_cast<HRESULT>(kRuntimeFacility | info->wCode);
    description = TakeBstr(info->bstrDescription);
    source = TakeBstr(info->bstrSource);
    SysFreeString(info->bstrHelpFile);
    info->bstrHelpFile = nullptr;
  }
  int32_t number = HostNumberOf(code);
  if (description.empty()) description = DescriptionOfNumber(number);
  if (source.empty()) source = std::string(member);
  return HostError(number, std::move(description), std::move(source));
}

HostError ErrorOfCall(HRESULT hr, std::string_view what) {
  std::string description, source;
  TakeErrorInfo(&description, &source);
  int32_t number = HostNumberOf(hr);
  if (description.empty()) description = DescriptionOfNumber(number);
  return HostError(number, std::move(description), std::string(what));
}

HRESULT RaiseThroughInvoke(const HostError& error, EXCEPINFO* info) {
  if (info) {
    *info = EXCEPINFO{};
    info->scode = HResultOfHostNumber(error.number());
    info->bstrDescription = Bstr(error.description()).Detach();
    info->bstrSource = Bstr(error.source()).Detach();
  }
  return DISP_E_EXCEPTION;
}

HRESULT DefectThroughInvoke(std::string_view what, EXCEPINFO* info) {
  if (info) {
    *info = EXCEPINFO{};
    info->scode = E_UNEXPECTED;
    info->bstrDescription = Bstr(what).Detach();
    info->bstrSource = Bstr(kDefectSource).Detach();
  }
  return DISP_E_EXCEPTION;
}

HRESULT RaiseThroughErrorInfo(const HostError& error, const IID& iid) {
  SetErrorObject(error.description(), error.source(), iid);
  return HResultOfHostNumber(error.number());
}

HRESULT DefectThroughErrorInfo(std::string_view what, const IID& iid) {
  SetErrorObject(what, kDefectSource, iid);
  return E_UNEXPECTED;
}

bool TakeDefectOfErrorInfo(std::string* description) {
  std::string text, source;
  if (!TakeErrorInfo(&text, &source) || source != kDefectSource) return false;
  *description = std::move(text);
  return true;
}

}  // namespace pinlet::com
