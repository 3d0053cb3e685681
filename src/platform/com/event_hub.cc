#include "platform/com/event_hub.h"

#include <olectl.h>

#include "platform/com/com_boundary.h"
#include "platform/com/com_error.h"
#include "platform/com/com_unknown.h"

namespace pinlet::com {
namespace {
long sinks = 0;
}  // namespace

// The sink the source calls: answers IDispatch and the events' IID.
class EventHub::Sink final : public Object<IDispatch> {
 public:
  Sink(std::weak_ptr<EventHub> hub, const IID& iid, std::string what)
      : Object<IDispatch>({IID_IDispatch, iid}),
        hub_(std::move(hub)),
        what_(std::move(what)) {}

  HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override {
    if (!count) return E_POINTER;
    *count = 0;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo** info) override {
    if (info) *info = nullptr;
    return E_NOTIMPL;
  }
  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID,
                                          DISPID*) override {
    return E_NOTIMPL;
  }
  HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID, LCID, WORD, DISPPARAMS* params,
                                   VARIANT* result, EXCEPINFO* info, UINT*) override {
    if (result) VariantInit(result);
    std::shared_ptr<EventHub> hub = hub_.lock();
    if (!hub) return S_OK;
    return AtComBoundary(
        what_, [&] { hub->Dispatch(id, DispArgs(params, what_)); }, Report::kInvoke, info,
        IID_NULL, /*host_errors_are_defects=*/true);
  }

 private:
  std::weak_ptr<EventHub> hub_;
  std::string what_;
};

EventHub::EventHub(ComPtr<IDispatch> source, const IID& iid, std::string what)
    : source_(std::move(source)), iid_(iid), what_(std::move(what)) {}

EventHub::~EventHub() { Disconnect(); }

long EventHub::connected_sinks() { return sinks; }

std::shared_ptr<EventHub> EventHub::For(std::weak_ptr<EventHub>& slot,
                                        const ComPtr<IDispatch>& source, const IID& iid,
                                        const std::string& what) {
  if (auto hub = slot.lock()) return hub;
  auto hub = std::make_shared<EventHub>(source, iid, what);
  slot = hub;
  return hub;
}

void EventHub::Connect() {
  if (!source_) throw ErrorOfCall(E_POINTER, what_);
  ComPtr<IConnectionPointContainer> container =
      source_.As<IConnectionPointContainer>(IID_IConnectionPointContainer);
  if (!container) throw ErrorOfCall(E_NOINTERFACE, what_);
  ComPtr<IConnectionPoint> point;
  HRESULT hr = container->FindConnectionPoint(iid_, point.Put());
  if (FAILED(hr)) throw ErrorOfCall(hr, what_);
  ComPtr<IUnknown> sink = ComPtr<IUnknown>::Adopt(
      static_cast<IDispatch*>(new Sink(weak_from_this(), iid_, what_)));
  DWORD cookie = 0;
  hr = point->Advise(sink.get(), &cookie);
  if (FAILED(hr)) throw ErrorOfCall(hr, what_);
  point_ = std::move(point);
  sink_ = std::move(sink);
  cookie_ = cookie;
  ++sinks;
}

void EventHub::Disconnect() {
  if (!point_) return;
  // Unadvise may fail when the source is gone; the sink is released anyway.
  point_->Unadvise(cookie_);
  point_.Reset();
  sink_.Reset();
  cookie_ = 0;
  --sinks;
}

Subscription EventHub::Subscribe(DISPID id, Handler handler) {
  if (handlers_ == 0) Connect();
  ++handlers_;
  Subscription inner = events_[id].Subscribe(std::move(handler));
  auto self = shared_from_this();
  auto held = std::make_shared<Subscription>(std::move(inner));
  return Subscription([self, held] {
    held->Reset();
    if (--self->handlers_ == 0) self->Disconnect();
  });
}

void EventHub::Dispatch(DISPID id, const DispArgs& args) {
  auto it = events_.find(id);
  if (it == events_.end()) return;
  // The map's entry stays while handlers run (entries are never erased).
  it->second.Fire(args);
}

}  // namespace pinlet::com
