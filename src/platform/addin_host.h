// The Office add-in host's side of loading an add-in.
//
// Any Office application (Outlook, Word, ...) is a HostApplication: it has a
// name and a COMAddIns collection. It creates the add-in's registered class
// and calls its five IDTExtensibility2 callbacks in its own order. The add-in
// object published through COMAddIns.Item(progid).Object is an AddInObject,
// which other hosts' code reaches back through.
#ifndef PINLET_PLATFORM_ADDIN_HOST_H_
#define PINLET_PLATFORM_ADDIN_HOST_H_

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/variant.h"

namespace pinlet {

class AddInConnectors;

// What the add-in publishes as a COM add-in's Object: its connectors, which
// code in other hosts calls (platform/addin_object.h).
class AddInObject {
 public:
  virtual ~AddInObject() = default;
  // The connectors keyed by host name; raises like any late-bound member.
  virtual std::shared_ptr<AddInConnectors> GetConnectors() = 0;
};

class COMAddIn {
 public:
  virtual ~COMAddIn() = default;
  virtual std::string ProgId() = 0;
  virtual std::string Description() = 0;
  virtual bool Connect() = 0;
  virtual std::shared_ptr<AddInObject> Object() = 0;
  virtual void SetObject(std::shared_ptr<AddInObject> object) = 0;
};

class COMAddIns {
 public:
  virtual ~COMAddIns() = default;
  virtual int Count() = 0;
  // The add-in registered under `progid`; raises when there is none.
  virtual std::shared_ptr<COMAddIn> Item(std::string_view progid) = 0;
};

class HostApplication {
 public:
  virtual ~HostApplication() = default;
  virtual std::string Name() = 0;
  virtual std::string Version() = 0;
  virtual std::shared_ptr<COMAddIns> GetCOMAddIns() = 0;
};

using HostApplicationPtr = std::shared_ptr<HostApplication>;
using Custom = std::vector<Variant>;

// Connect modes and remove modes of the callbacks.
constexpr int kConnectAfterStartup = 0;
constexpr int kConnectStartup = 1;
constexpr int kDisconnectHostShutdown = 0;
constexpr int kDisconnectUserClosed = 1;

class IDTExtensibility2 {
 public:
  virtual ~IDTExtensibility2() = default;
  virtual void OnConnection(HostApplicationPtr application, int connect_mode,
                            std::shared_ptr<COMAddIn> addin_inst, Custom& custom) = 0;
  virtual void OnDisconnection(int remove_mode, Custom& custom) = 0;
  virtual void OnAddInsUpdate(Custom& custom) = 0;
  virtual void OnStartupComplete(Custom& custom) = 0;
  virtual void OnBeginShutdown(Custom& custom) = 0;
};

}  // namespace pinlet

#endif  // PINLET_PLATFORM_ADDIN_HOST_H_
