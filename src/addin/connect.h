// Connect, the add-in's registered class ("Pinlet.Connect"), and the
// connectors it forwards the host's callbacks to.
//
// Connect does no add-in work itself. It keeps an ordered collection of
// connectors keyed by host name — "Default" (the do-nothing CEmptyConnect),
// "Outlook" and "Microsoft Word" — and forwards every IDTExtensibility2
// callback to the connector of the host: the one named like the host
// application, or "Default" for any other host, and "Default" whenever the
// host's own connector did not initialise. Connect is also what the add-in
// publishes to other hosts (AddInObject): its connectors, which they call
// late-bound.
#ifndef PINLET_ADDIN_CONNECT_H_
#define PINLET_ADDIN_CONNECT_H_

#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "addin/context.h"
#include "platform/addin_host.h"
#include "platform/addin_object.h"
#include "platform/host_error.h"

namespace pinlet {

// What Connect calls on every connector: the host's five callbacks, and the
// members other hosts call. A connector that does not show notes raises 438
// from PinletClick, as a late-bound call of a missing member would.
class Connector : public IDTExtensibility2, public AddInConnector {
 public:
  void PinletClick(const std::string&, bool, const ol::ItemPtr&,
                   const std::shared_ptr<void>&, bool&,
                   const std::shared_ptr<void>&) override {
    throw NotSupportedError("PinletClick");
  }
  ReplyForms GetReplyForms() override { return {}; }
};

// The connector for any other host: initialised from creation, does nothing.
class CEmptyConnect : public Connector {
 public:
  bool IsInitialized() override { return initialized_; }
  void OnConnection(HostApplicationPtr, int, std::shared_ptr<COMAddIn>,
                    Custom&) override {}
  void OnDisconnection(int, Custom&) override {}
  void OnAddInsUpdate(Custom&) override {}
  void OnStartupComplete(Custom&) override {}
  void OnBeginShutdown(Custom&) override {}

 private:
  bool initialized_ = true;
};

// The connectors in the order they were added, keyed by host name.
class ConnectorCollection : public AddInConnectors {
 public:
  void Add(std::string key, std::shared_ptr<Connector> connector);
  size_t size() const { return entries_.size(); }
  // The connector under `key`, or nullptr.
  std::shared_ptr<Connector> Find(std::string_view key) const;
  const std::vector<std::pair<std::string, std::shared_ptr<Connector>>>& entries() const {
    return entries_;
  }
  void Clear() { entries_.clear(); }

  int Count() override { return static_cast<int>(entries_.size()); }
  std::shared_ptr<AddInConnector> Item(int index) override;
  std::shared_ptr<AddInConnector> Item(std::string_view key) override;

 private:
  std::vector<std::pair<std::string, std::shared_ptr<Connector>>> entries_;
};

class Connect : public IDTExtensibility2,
                public AddInObject,
                public std::enable_shared_from_this<Connect> {
 public:
  // A new add-in instance with its own process-wide state.
  Connect(Platform platform, Subsystems subsystems);
  ~Connect() override;

  void OnConnection(HostApplicationPtr application, int connect_mode,
                    std::shared_ptr<COMAddIn> addin_inst, Custom& custom) override;
  void OnDisconnection(int remove_mode, Custom& custom) override;
  void OnAddInsUpdate(Custom& custom) override;
  void OnStartupComplete(Custom& custom) override;
  void OnBeginShutdown(Custom& custom) override;

  std::shared_ptr<AddInConnectors> GetConnectors() override { return connectors_; }
  // The connector under `key`, or nullptr.
  std::shared_ptr<Connector> FindConnector(std::string_view key) const {
    return connectors_->Find(key);
  }
  const ConnectorCollection& connectors() const { return *connectors_; }

  AddinContext& context() { return *context_; }
  const HostApplicationPtr& host_application() const { return host_application_; }

 private:
  // The connector for the host: the one named like the host, else "Default".
  std::shared_ptr<Connector> ConnectorForHost();
  // The same, but "Default" unless that connector is initialised.
  std::shared_ptr<Connector> ConnectorForCallback();

  std::shared_ptr<AddinContext> context_;
  HostApplicationPtr host_application_;
  std::shared_ptr<ConnectorCollection> connectors_;
};

}  // namespace pinlet

#endif  // PINLET_ADDIN_CONNECT_H_
