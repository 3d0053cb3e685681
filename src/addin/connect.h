// Connect, the add-in's registered class ("Pinlet.Connect"), and the
// connectors it forwards the host's callbacks to.
//
// Connect does no add-in work itself. It keeps an ordered collection of
// connectors keyed by host name — "Default" (the do-nothing CEmptyConnect),
// "Outlook" and "Microsoft Word" — and forwards every IDTExtensibility2
// callback to the connector of the host: the one named like the host
// application, or "Default" for any other host, and "Default" whenever the
// host's own connector did not initialise. No callback ever throws.
#ifndef PINLET_ADDIN_CONNECT_H_
#define PINLET_ADDIN_CONNECT_H_

#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "addin/context.h"
#include "platform/addin_host.h"

namespace pinlet {

// The members Connect calls on every connector: the host's five callbacks,
// and whether the connector's own connection succeeded.
class Connector : public IDTExtensibility2 {
 public:
  virtual bool IsInitialized() = 0;
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

using ConnectorCollection =
    std::vector<std::pair<std::string, std::shared_ptr<Connector>>>;

class Connect : public IDTExtensibility2, public std::enable_shared_from_this<Connect> {
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

  // The connectors in the order they were added.
  const ConnectorCollection& GetConnectors() const { return connectors_; }
  // The connector under `key`, or nullptr.
  std::shared_ptr<Connector> FindConnector(std::string_view key) const;

  AddinContext& context() { return *context_; }
  const HostApplicationPtr& host_application() const { return host_application_; }

 private:
  // The connector for the host: the one named like the host, else "Default".
  std::shared_ptr<Connector> ConnectorForHost();
  // The same, but "Default" unless that connector is initialised.
  std::shared_ptr<Connector> ConnectorForCallback();
  template <typename Call>
  void Forward(Call&& call);

  std::shared_ptr<AddinContext> context_;
  HostApplicationPtr host_application_;
  ConnectorCollection connectors_;
};

}  // namespace pinlet

#endif  // PINLET_ADDIN_CONNECT_H_
