// What the clients and served types of the host's interfaces share: optional
// arguments, the overloaded Item(index) / Item(name), objects as results,
// the window handle behind IOleWindow, and a client's event hub.
//
// Internal to the COM layer (src/platform/com/); the add-in never sees it.
#ifndef PINLET_PLATFORM_COM_COM_SUPPORT_H_
#define PINLET_PLATFORM_COM_COM_SUPPORT_H_

#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/com/com_objects.h"
#include "platform/com/event_hub.h"
#include "platform/com/late_bound.h"
#include "platform/com/served_object.h"
#include "platform/windows.h"

namespace pinlet::com {

// An optional argument: its value, or left out.
template <typename V>
Arg Optional(const std::optional<V>& value) {
  return value ? Arg(*value) : Arg::Missing();
}
// Text that is left out when empty.
inline Arg TextOrMissing(std::string_view text) {
  return text.empty() ? Arg::Missing() : Arg(text);
}

// The object `member` answers, as a T; nullptr for Nothing.
template <typename T>
std::shared_ptr<T> ObjectAs(const LateBound& bound, std::string_view member,
                            std::vector<Arg> args = {}) {
  return ToPlatform<T>(bound.Object(member, std::move(args)));
}

// `object` as the result of a served member (Nothing for nullptr).
template <typename T>
void ReturnObject(ServedCall& call, const std::shared_ptr<T>& object) {
  call.Return(ToDispatch(object));
}

// Assigns `object` to the property `member`: by value, as Office's type
// library declares the setters of COMAddIn.Object and a button's Picture and
// Mask (put_Object, put_Picture), or by reference when the object refuses a
// by-value put (438), as a property with only a propputref does.
void PutObject(const LateBound& bound, std::string_view member,
               const ComPtr<IDispatch>& object);

// Whether argument `i` is text, for members that take an index or a name
// (Items.Item(1), Items.Item("Subject")). Raises 449 when it is absent.
bool IsTextArgument(const DispArgs& args, size_t i);

// The handle of a host window object (IOleWindow::GetWindow). Raises the
// HostError of the failed call, named `what`.
WindowHandle WindowHandleOf(IDispatch* window, std::string_view what);

// The one event connection of a client for (`source`, `iid`), made when the
// first handler subscribes; see EventHub::For.
inline std::shared_ptr<EventHub> HubOf(std::weak_ptr<EventHub>& slot,
                                       const ComPtr<IDispatch>& source, const IID& iid,
                                       const std::string& what) {
  return EventHub::For(slot, source, iid, what);
}

// An event member's Boolean Cancel argument at `i`, handed to `handler` and
// written back as the handler left it.
template <typename F>
void WithCancel(const DispArgs& args, size_t i, F&& handler) {
  bool cancel = args.Bool(i);
  handler(cancel);
  args.SetBool(i, cancel);
}

}  // namespace pinlet::com

#endif  // PINLET_PLATFORM_COM_COM_SUPPORT_H_
