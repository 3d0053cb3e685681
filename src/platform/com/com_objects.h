// Platform objects and IDispatch objects, each as the other.
//
// Every interface of src/platform/ that crosses COM has two forms here:
// - the client: a host's IDispatch object seen as the platform interface,
//   whose members call the host by name (ComItem implements ol::Item over
//   an Outlook item);
// - the served object: a platform object offered as IDispatch by name
//   (an ol::Item of the simulated host served to the add-in, or the
//   add-in's own AddInObject served to Office).
//
// ToPlatform<T>(dispatch) and ToDispatch<T>(object) convert between the two,
// and undo each other: an object of this module served and handed back
// comes back as itself, and a client handed back to its host is the host's
// own object again, so that no COM object is wrapped twice and the host sees
// its objects' identities. A client is made once per object identity while
// it lives, so that the same host object is the same platform pointer.
//
// Each interface T provides the two halves below (MakeClient, MakeServed),
// defined beside its client and served types; nothing else calls them.
#ifndef PINLET_PLATFORM_COM_COM_OBJECTS_H_
#define PINLET_PLATFORM_COM_COM_OBJECTS_H_

#include <objbase.h>
#include <oleauto.h>

#include <algorithm>
#include <map>
#include <memory>
#include <string>
#include <utility>

#include "platform/com/com_ptr.h"
#include "platform/com/late_bound.h"
#include "platform/com/served_object.h"

namespace pinlet::com {

// The base of every client: the host object it calls, late-bound.
class ClientObject {
 public:
  ClientObject(ComPtr<IDispatch> object, std::string type)
      : bound_(std::move(object), std::move(type)) {}
  virtual ~ClientObject() = default;
  IDispatch* dispatch() const { return bound_.get(); }
  const LateBound& bound() const { return bound_; }

 protected:
  LateBound bound_;
};

// A new client of T over `object` (never null).
template <typename T>
std::shared_ptr<T> MakeClient(const ComPtr<IDispatch>& object);
// `object` (never null, never a client) served as T.
template <typename T>
ComPtr<IDispatch> MakeServed(const std::shared_ptr<T>& object);

// Declares the two halves of T in a header its users include, so that no
// use of ToPlatform<T> or ToDispatch<T> instantiates the primary templates.
#define PINLET_COM_OBJECT(T)                                         \
  template <>                                                        \
  std::shared_ptr<T> MakeClient<T>(const ComPtr<IDispatch>& object); \
  template <>                                                        \
  ComPtr<IDispatch> MakeServed<T>(const std::shared_ptr<T>& object);

// The live clients of T in this module, by their object's identity.
template <typename T>
std::map<IUnknown*, std::weak_ptr<T>>& ClientRegistry() {
  static std::map<IUnknown*, std::weak_ptr<T>> registry;
  return registry;
}

// `object` as a T: our own served T as itself, else the live client of
// that object, else a new one. nullptr for Nothing.
template <typename T>
std::shared_ptr<T> ToPlatform(const ComPtr<IDispatch>& object) {
  if (!object) return nullptr;
  if (std::shared_ptr<T> mine = Unwrap<T>(object.get())) return mine;
  IUnknown* identity = IdentityOf(object.get());
  auto& registry = ClientRegistry<T>();
  auto it = registry.find(identity);
  if (it != registry.end()) {
    if (std::shared_ptr<T> live = it->second.lock()) return live;
  }
  // Drop the entries of clients gone now and then, so that the registry
  // stays within twice the clients alive.
  static size_t next_sweep = 64;
  if (registry.size() >= next_sweep) {
    for (auto gone = registry.begin(); gone != registry.end();)
      gone = gone->second.expired() ? registry.erase(gone) : std::next(gone);
    next_sweep = std::max<size_t>(64, 2 * registry.size());
  }
  std::shared_ptr<T> client = MakeClient<T>(object);
  registry[identity] = client;
  return client;
}

// `object` as IDispatch: a client as the host object it calls, anything
// else served. Empty for nullptr.
template <typename T>
ComPtr<IDispatch> ToDispatch(const std::shared_ptr<T>& object) {
  if (!object) return {};
  if (auto* client = dynamic_cast<const ClientObject*>(object.get()))
    return ComPtr<IDispatch>(client->dispatch());
  return MakeServed<T>(object);
}

// The same for an object given as a result of LateBound.
template <typename T>
std::shared_ptr<T> ToPlatform(const VariantValue& value, std::string_view what) {
  return ToPlatform<T>(ObjectOf(*value.get(), what));
}

// An object that a caller hands to a served member (an item passed back to
// the helper library, a folder set as an explorer's CurrentFolder), as T.
// An object served by the same side as the member comes back as itself, so
// that the platform object behind the member sees its own object again;
// anything else is ToPlatform's. (The side serving is this module, or the
// other one a test pretends to be: see ServeAsAnotherModule.)
template <typename T>
std::shared_ptr<T> ArgumentOf(const ComPtr<IDispatch>& object) {
  if (std::shared_ptr<T> mine = Unwrap<T>(object.get(), ServingModuleTag())) return mine;
  return ToPlatform<T>(object);
}

}  // namespace pinlet::com

#endif  // PINLET_PLATFORM_COM_COM_OBJECTS_H_
