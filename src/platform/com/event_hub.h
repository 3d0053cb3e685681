// Receiving a host object's events through its connection point.
//
// An EventHub is one sink connected to one dispinterface of one source
// object, as a "held with events" variable is: the first handler subscribed
// connects it (FindConnectionPoint, Advise), and releasing the last
// Subscription disconnects it (Unadvise). Handlers are kept per DISPID and
// called in subscription order with the event's arguments; a member the hub
// has no handler for is accepted and ignored.
//
// The sink's Invoke is an entry point of the add-in: it runs the handlers
// through the COM firewall, where anything that escapes them, a HostError
// included, is a defect of ours (com_boundary.h).
#ifndef PINLET_PLATFORM_COM_EVENT_HUB_H_
#define PINLET_PLATFORM_COM_EVENT_HUB_H_

#include <objbase.h>
#include <ocidl.h>

#include <functional>
#include <map>
#include <memory>
#include <string>

#include "platform/com/com_ptr.h"
#include "platform/com/com_values.h"
#include "platform/events.h"

namespace pinlet::com {

class EventHub : public std::enable_shared_from_this<EventHub> {
 public:
  using Handler = std::function<void(const DispArgs& args)>;

  // `what` names the source and interface in errors ("Explorer events").
  EventHub(ComPtr<IDispatch> source, const IID& iid, std::string what);
  ~EventHub();

  // Adds a handler for member `id`, connecting the sink when it is the
  // first. Raises a HostError with the host's number when the source refuses
  // the connection; nothing is subscribed then.
  Subscription Subscribe(DISPID id, Handler handler);

  // The hub for (`source`, `iid`) held in `slot`, made when there is none:
  // handlers subscribed through one wrapper share one connection.
  static std::shared_ptr<EventHub> For(std::weak_ptr<EventHub>& slot,
                                       const ComPtr<IDispatch>& source, const IID& iid,
                                       const std::string& what);

  // The number of sinks connected in this module (for leak tests).
  static long connected_sinks();

 private:
  class Sink;
  void Dispatch(DISPID id, const DispArgs& args);
  void Connect();
  void Disconnect();

  ComPtr<IDispatch> source_;
  IID iid_;
  std::string what_;
  ComPtr<IConnectionPoint> point_;
  DWORD cookie_ = 0;
  ComPtr<IUnknown> sink_;
  std::map<DISPID, Event<const DispArgs&>> events_;
  int handlers_ = 0;
};

}  // namespace pinlet::com

#endif  // PINLET_PLATFORM_COM_EVENT_HUB_H_
