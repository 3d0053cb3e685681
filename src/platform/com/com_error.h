// The host's error numbers across IDispatch, both ways.
//
// A late-bound call that fails becomes a HostError with the number the
// add-in's code would see as Err.Number: EXCEPINFO's scode when it is set,
// else its wCode as 0x800A0000 + wCode, else the HRESULT that Invoke
// returned; then, as the VB runtime does, an HRESULT of the runtime's own
// range (0x800A0000 + n) and the standard ones it knows become their runtime
// number n (E_INVALIDARG 5, DISP_E_UNKNOWNNAME 438, ...).
//
// A served object raises a HostError back across IDispatch the other way:
// DISP_E_EXCEPTION with EXCEPINFO's scode set to 0x800A0000 + n for a runtime
// number n, or to the number itself for an HRESULT, so that the caller's
// mapping above gives the same number again.
//
// Our own defects (anything but a HostError escaping an entry point) cross as
// E_UNEXPECTED with kDefectSource as the error's source, so that a host of
// ours can tell them from a handled failure and record them.
#ifndef PINLET_PLATFORM_COM_COM_ERROR_H_
#define PINLET_PLATFORM_COM_COM_ERROR_H_

#include <objbase.h>
#include <oleauto.h>

#include <cstdint>
#include <string>
#include <string_view>

#include "platform/host_error.h"

namespace pinlet::com {

// What failed, for a message ("Items.Count"): a type and a member joined
// only when a message is made, so that a call that does not fail builds no
// text. The texts must outlive it.
class What {
 public:
  What(std::string_view whole) : first_(whole) {}
  What(const std::string& whole) : first_(whole) {}
  What(const char* whole) : first_(whole) {}
  What(std::string_view type, std::string_view member)
      : first_(type), second_(member), joined_(true) {}
  std::string str() const {
    std::string text(first_);
    if (joined_) text.append(".").append(second_);
    return text;
  }

 private:
  std::string_view first_;
  std::string_view second_;
  bool joined_ = false;
};

// The source that marks a defect of ours crossing a COM boundary.
inline constexpr std::string_view kDefectSource = "Pinlet defect";

// The runtime's number of an HRESULT (see above); the HRESULT itself when
// the runtime has no number of its own for it.
int32_t HostNumberOf(HRESULT hr);
// The HRESULT that carries `number` across IDispatch: 0x800A0000 + n for a
// runtime number n (1 to 65535), the number itself otherwise.
HRESULT HResultOfHostNumber(int32_t number);
// The runtime's description of a number it knows ("Object doesn't support
// this property or method" for 438); "Automation error" otherwise.
std::string DescriptionOfNumber(int32_t number);

// The HostError of a failed Invoke of `member` on an object of `type`
// ("Items.Item"). `info` may be null, or hold nothing when the call did not
// fail with DISP_E_EXCEPTION. Frees the BSTRs of `info`.
HostError ErrorOfInvoke(HRESULT hr, EXCEPINFO* info, std::string_view member);
// The HostError of any other failed COM call (QueryInterface, Advise, a
// vtable call): the HRESULT's number, with the description that the
// thread's error object holds for it, if any.
HostError ErrorOfCall(HRESULT hr, std::string_view what);

// Fills `info` (when not null) for raising `error` from Invoke and returns
// DISP_E_EXCEPTION.
HRESULT RaiseThroughInvoke(const HostError& error, EXCEPINFO* info);
// Fills `info` (when not null) for a defect of ours, described by `what`,
// and returns DISP_E_EXCEPTION with scode E_UNEXPECTED.
HRESULT DefectThroughInvoke(std::string_view what, EXCEPINFO* info);
// Sets the thread's error object (SetErrorInfo) for a vtable call that
// fails with `error` and returns its HRESULT.
HRESULT RaiseThroughErrorInfo(const HostError& error, const IID& iid);
// The same for a defect of ours; returns E_UNEXPECTED.
HRESULT DefectThroughErrorInfo(std::string_view what, const IID& iid);
// Whether the thread's error object (taken and cleared here) marks a defect,
// and its description then.
bool TakeDefectOfErrorInfo(std::string* description);

}  // namespace pinlet::com

#endif  // PINLET_PLATFORM_COM_COM_ERROR_H_
