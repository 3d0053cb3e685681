// The server side of IDispatch: an object of ours that a late-bound caller
// calls by member name, and whose events it receives through connection
// points.
//
// A ServedType<T> describes how a platform interface T is served: its
// members by name (a getter or method, and a setter for a property put), the
// names of their parameters (for named arguments), its default member, and
// the dispinterfaces of its events, each with the function that subscribes
// to T's own events and fires them to the sinks. Serve() wraps one T in a
// COM object of that type; serving the same T again gives the same COM
// object while it lives, so the caller sees one identity per object.
//
// Members run through the COM firewall (com_boundary.h): a HostError reaches
// the caller with its number; anything else is a defect. Each member's DISPID
// is its position in the type (from 1); the default member also answers
// DISPID_VALUE. A served object offers type information that names its type
// (TYPEATTR's GUID, made from the type's name), so that callers can cache
// DISPIDs per type, and nothing else of it.
//
// Served objects also answer a private interface through which this module
// unwraps its own objects again (Unwrap below): a T served here and handed
// back comes back as the same std::shared_ptr<T> (or as a base of T the type
// declares with AlsoAs). Objects of another module never unwrap: no C++
// object crosses a module.
//
// A type that stands for a host window (Window below) also answers
// IOleWindow, whose GetWindow gives the window's handle, as Outlook's
// explorers and inspectors do.
#ifndef PINLET_PLATFORM_COM_SERVED_OBJECT_H_
#define PINLET_PLATFORM_COM_SERVED_OBJECT_H_

#include <objbase.h>
#include <ocidl.h>
#include <oleauto.h>
#include <oleidl.h>

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "platform/com/com_ptr.h"
#include "platform/com/com_values.h"
#include "platform/date.h"
#include "platform/events.h"
#include "platform/variant.h"
#include "platform/windows.h"

namespace pinlet::com {

// The arguments and the result of one call of a served member.
class ServedCall {
 public:
  ServedCall(DISPPARAMS* params, WORD flags, VARIANT* result, What what)
      : args_(params, what), flags_(flags), result_(result), what_(what) {}

  const DispArgs& args() const { return args_; }
  // "Type.Member", for errors.
  std::string what() const { return what_.str(); }

  // The value a property put assigns.
  std::string PutText() const { return TextOf(args_.PutValue(), what_); }
  int32_t PutLong() const { return LongOf(args_.PutValue(), what_); }
  bool PutBool() const { return BoolOf(args_.PutValue(), what_); }
  double PutDouble() const { return DoubleOf(args_.PutValue(), what_); }
  Variant PutValue() const { return ValueOf(args_.PutValue(), what_); }
  ComPtr<IDispatch> PutObject() const { return ObjectOf(args_.PutValue(), what_); }

  // The member's result; a caller that wants none gets none.
  void Return(VariantValue value);
  void Return(std::string_view text) { Return(TextVariant(text)); }
  void Return(const std::string& text) { Return(TextVariant(text)); }
  void Return(const char* text) { Return(TextVariant(text)); }
  void Return(int32_t number) { Return(LongVariant(number)); }
  void Return(bool flag) { Return(BoolVariant(flag)); }
  void Return(double number) { Return(DoubleVariant(number)); }
  void Return(Date date) { Return(DateVariant(date)); }
  void Return(const Variant& value) { Return(ToVariant(value)); }
  void Return(const ComPtr<IDispatch>& object) { Return(ObjectVariant(object.get())); }

 private:
  DispArgs args_;
  WORD flags_;
  VARIANT* result_;
  What what_;
};

// Sends events of one dispinterface to the sinks connected to it.
class EventFirer {
 public:
  // Calls member `id` of every sink with `args` (first to last). A sink that
  // fails does not stop the others; a defect it reports is recorded here too.
  void Fire(DISPID id, std::vector<VariantValue> args);
  // The same with a by-reference Boolean `cancel` after `args`: each sink
  // sees what the one before it left, and `cancel` receives the last.
  void FireWithCancel(DISPID id, std::vector<VariantValue> args, bool& cancel);

 private:
  friend class ServedBase;
  void FireParams(DISPID id, DISPPARAMS& params);
  std::vector<std::pair<DWORD, ComPtr<IDispatch>>> sinks_;
  std::string name_;
};

// The private interface of served objects; see Unwrap.
struct IServedObject : public IUnknown {
  // Identifies the module that served the object.
  virtual const void* STDMETHODCALLTYPE ModuleTag() = 0;
  // The address of the std::shared_ptr<T> held, for T's type tag; null for
  // another type.
  virtual void* STDMETHODCALLTYPE HeldObject(const void* type_tag) = 0;
};
extern const IID kIidServedObject;

// A tag unique to T within this module.
template <typename T>
const void* TypeTag() {
  static const char tag = 0;
  return &tag;
}
const void* ThisModuleTag();
// The tag that objects served now carry: ThisModuleTag(), or another one
// while a ServeAsAnotherModule lives.
const void* ServingModuleTag();

// While one lives, objects served here present themselves as another
// module's: they never unwrap, so a test sees the whole client side at work
// against served objects of its own process.
class ServeAsAnotherModule {
 public:
  ServeAsAnotherModule();
  ~ServeAsAnotherModule();
  ServeAsAnotherModule(const ServeAsAnotherModule&) = delete;
  ServeAsAnotherModule& operator=(const ServeAsAnotherModule&) = delete;

 private:
  const void* previous_;
};

// What a served type is, without its C++ type: names, DISPIDs, interfaces.
struct ServedTypeInfo {
  std::string name;
  GUID guid{};
  struct Entry {
    std::string name;
    std::vector<std::string> params;
    bool has_get = false;
    bool has_put = false;
  };
  std::vector<Entry> members;  // DISPID = index + 1
  DISPID default_id = DISPID_UNKNOWN;
  std::vector<IID> event_iids;
  std::vector<IID> also_answers;  // further IIDs answered with IDispatch
  bool has_window = false;        // answers IOleWindow
};

// The COM object behind every served T.
class ServedBase : public IDispatch,
                   public IConnectionPointContainer,
                   public IOleWindow,
                   public IServedObject {
 public:
  // IUnknown
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override;
  ULONG STDMETHODCALLTYPE AddRef() override;
  ULONG STDMETHODCALLTYPE Release() override;
  // IDispatch
  HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override;
  HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT index, LCID lcid, ITypeInfo** info) override;
  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID iid, LPOLESTR* names, UINT count,
                                          LCID lcid, DISPID* ids) override;
  HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID iid, LCID lcid, WORD flags,
                                   DISPPARAMS* params, VARIANT* result, EXCEPINFO* info,
                                   UINT* arg_error) override;
  // IConnectionPointContainer
  HRESULT STDMETHODCALLTYPE EnumConnectionPoints(IEnumConnectionPoints** out) override;
  HRESULT STDMETHODCALLTYPE FindConnectionPoint(REFIID iid,
                                                IConnectionPoint** out) override;
  // IOleWindow (answered only by a type that has a Window)
  HRESULT STDMETHODCALLTYPE GetWindow(HWND* window) override;
  HRESULT STDMETHODCALLTYPE ContextSensitiveHelp(BOOL) override { return E_NOTIMPL; }
  // IServedObject
  const void* STDMETHODCALLTYPE ModuleTag() override { return module_tag_; }

  // The number of served objects alive in this module (for leak tests).
  static long live_objects();

 protected:
  explicit ServedBase(const ServedTypeInfo& type);
  virtual ~ServedBase();
  virtual void RunGet(size_t member, ServedCall& call) = 0;
  virtual void RunPut(size_t member, ServedCall& call) = 0;
  virtual std::vector<Subscription> Subscribe(size_t events, EventFirer& firer) = 0;
  virtual WindowHandle RunWindow() = 0;
  // Called as the object is destroyed, before anything is released.
  virtual void Forget() = 0;

 private:
  class Point;
  friend class Point;
  HRESULT Advise(size_t events, IUnknown* sink, DWORD* cookie);
  HRESULT Unadvise(size_t events, DWORD cookie);

  const ServedTypeInfo& type_;
  const void* module_tag_;
  long refs_ = 1;
  struct Connection {
    EventFirer firer;
    std::vector<Subscription> subscriptions;
  };
  std::vector<Connection> connections_;  // one per event interface
  std::vector<std::unique_ptr<Point>> points_;
  DWORD next_cookie_ = 1;
};

// How T is served. Build it once (a function-local static) and hand it to
// Serve.
template <typename T>
class ServedType {
 public:
  using Run = std::function<void(T&, ServedCall&)>;
  using SubscribeFn = std::function<std::vector<Subscription>(T&, EventFirer&)>;
  using WindowFn = std::function<WindowHandle(T&)>;

  explicit ServedType(std::string name);

  // A method or read-only property.
  ServedType& Get(std::string name, Run get, std::vector<std::string> params = {}) {
    return Add(std::move(name), std::move(get), nullptr, std::move(params));
  }
  // A property that can be read and written.
  ServedType& Property(std::string name, Run get, Run put) {
    return Add(std::move(name), std::move(get), std::move(put), {});
  }
  // The member that also answers DISPID_VALUE (a collection's Item).
  ServedType& Default(std::string_view name);
  // A dispinterface of events.
  ServedType& Events(const IID& iid, SubscribeFn subscribe) {
    info_.event_iids.push_back(iid);
    subscribes_.push_back(std::move(subscribe));
    return *this;
  }
  // A further interface the object answers QueryInterface for (with its
  // IDispatch), so that callers can tell its kind as they do of the host's.
  ServedType& Answers(const IID& iid) {
    info_.also_answers.push_back(iid);
    return *this;
  }

  // The window's handle, for IOleWindow::GetWindow; a HostError it raises
  // reaches the caller through the thread's error object.
  ServedType& Window(WindowFn window) {
    info_.has_window = true;
    window_ = std::move(window);
    return *this;
  }
  // The object also unwraps as a B, a base of T (an Outlook application as
  // the HostApplication it also is).
  template <typename B>
  ServedType& AlsoAs() {
    also_.push_back({TypeTag<B>(), [](const std::shared_ptr<T>& object) {
                       return std::unique_ptr<HeldAs>(new HeldAsType<B>(object));
                     }});
    return *this;
  }

  const ServedTypeInfo& info() const { return info_; }

 private:
  template <typename U>
  friend class Served;
  // A std::shared_ptr<B> to the object, for Unwrap<B>.
  struct HeldAs {
    virtual ~HeldAs() = default;
    virtual void* held() = 0;
  };
  template <typename B>
  struct HeldAsType final : HeldAs {
    explicit HeldAsType(std::shared_ptr<B> object) : object(std::move(object)) {}
    void* held() override { return &object; }
    std::shared_ptr<B> object;
  };
  using MakeHeld = std::function<std::unique_ptr<HeldAs>(const std::shared_ptr<T>&)>;
  ServedType& Add(std::string name, Run get, Run put, std::vector<std::string> params);

  ServedTypeInfo info_;
  std::vector<Run> gets_;
  std::vector<Run> puts_;
  std::vector<SubscribeFn> subscribes_;
  WindowFn window_;
  std::vector<std::pair<const void*, MakeHeld>> also_;
};

// GUIDs made from a type's name, so that each served type names itself.
GUID GuidOfTypeName(std::string_view name);

template <typename T>
ServedType<T>::ServedType(std::string name) {
  info_.guid = GuidOfTypeName(name);
  info_.name = std::move(name);
}

template <typename T>
ServedType<T>& ServedType<T>::Add(std::string name, Run get, Run put,
                                  std::vector<std::string> params) {
  ServedTypeInfo::Entry entry;
  entry.name = std::move(name);
  entry.params = std::move(params);
  entry.has_get = static_cast<bool>(get);
  entry.has_put = static_cast<bool>(put);
  info_.members.push_back(std::move(entry));
  gets_.push_back(std::move(get));
  puts_.push_back(std::move(put));
  return *this;
}

template <typename T>
ServedType<T>& ServedType<T>::Default(std::string_view name) {
  for (size_t i = 0; i < info_.members.size(); ++i)
    if (info_.members[i].name == name) info_.default_id = static_cast<DISPID>(i + 1);
  return *this;
}

// The live served objects of each T in this module, by the address of the
// object they serve.
template <typename T>
std::map<const T*, ServedBase*>& ServedRegistry() {
  static std::map<const T*, ServedBase*> registry;
  return registry;
}

template <typename T>
class Served final : public ServedBase {
 public:
  Served(std::shared_ptr<T> object, const ServedType<T>& type)
      : ServedBase(type.info()), object_(std::move(object)), type_(type) {
    ServedRegistry<T>()[object_.get()] = this;
    for (const auto& [tag, make] : type_.also_) held_as_.emplace_back(tag, make(object_));
  }

  void* STDMETHODCALLTYPE HeldObject(const void* type_tag) override {
    if (type_tag == TypeTag<T>()) return &object_;
    for (auto& [tag, held] : held_as_)
      if (tag == type_tag) return held->held();
    return nullptr;
  }

 private:
  void RunGet(size_t member, ServedCall& call) override {
    type_.gets_[member](*object_, call);
  }
  void RunPut(size_t member, ServedCall& call) override {
    type_.puts_[member](*object_, call);
  }
  std::vector<Subscription> Subscribe(size_t events, EventFirer& firer) override {
    return type_.subscribes_[events](*object_, firer);
  }
  WindowHandle RunWindow() override { return type_.window_(*object_); }
  void Forget() override {
    auto& registry = ServedRegistry<T>();
    auto it = registry.find(object_.get());
    if (it != registry.end() && it->second == this) registry.erase(it);
  }

  std::shared_ptr<T> object_;
  const ServedType<T>& type_;
  std::vector<std::pair<const void*, std::unique_ptr<typename ServedType<T>::HeldAs>>>
      held_as_;
};

// The COM object serving `object` as `type`: the one already serving it, or
// a new one. Empty for nullptr (Nothing).
template <typename T>
ComPtr<IDispatch> Serve(const std::shared_ptr<T>& object, const ServedType<T>& type) {
  if (!object) return {};
  auto& registry = ServedRegistry<T>();
  if (auto it = registry.find(object.get()); it != registry.end())
    return ComPtr<IDispatch>(static_cast<IDispatch*>(it->second));
  return ComPtr<IDispatch>::Adopt(static_cast<IDispatch*>(new Served<T>(object, type)));
}

// The T that this module served as `object`; nullptr when `object` is not a
// T served by this module. `module` is the module tag the object must carry.
template <typename T>
std::shared_ptr<T> Unwrap(IDispatch* object, const void* module = ThisModuleTag()) {
  if (!object) return nullptr;
  ComPtr<IServedObject> served;
  if (FAILED(object->QueryInterface(kIidServedObject, served.PutVoid())) || !served)
    return nullptr;
  if (served->ModuleTag() != module) return nullptr;
  void* held = served->HeldObject(TypeTag<T>());
  return held ? *static_cast<std::shared_ptr<T>*>(held) : nullptr;
}

}  // namespace pinlet::com

#endif  // PINLET_PLATFORM_COM_SERVED_OBJECT_H_
