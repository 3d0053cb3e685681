#include "addin/connect.h"

#include "addin/outlook_connect.h"
#include "addin/word_connect.h"
#include "platform/host_error.h"

namespace pinlet {

void ConnectorCollection::Add(std::string key, std::shared_ptr<Connector> connector) {
  entries_.emplace_back(std::move(key), std::move(connector));
}

std::shared_ptr<Connector> ConnectorCollection::Find(std::string_view key) const {
  for (auto& [name, connector] : entries_)
    if (name == key) return connector;
  return nullptr;
}

std::shared_ptr<AddInConnector> ConnectorCollection::Item(int index) {
  if (index < 1 || index > Count())
    throw HostError(errors::kSubscriptOutOfRange, "Subscript out of range");
  return entries_[index - 1].second;
}

std::shared_ptr<AddInConnector> ConnectorCollection::Item(std::string_view key) {
  if (auto connector = Find(key)) return connector;
  throw HostError(errors::kInvalidArgument, "Invalid procedure call or argument");
}

Connect::Connect(Platform platform, Subsystems subsystems)
    : context_(
          std::make_shared<AddinContext>(std::move(platform), std::move(subsystems))),
      connectors_(std::make_shared<ConnectorCollection>()) {
  connectors_->Add("Default", std::make_shared<CEmptyConnect>());
}

Connect::~Connect() {
  host_application_.reset();
  connectors_->Clear();
}

std::shared_ptr<Connector> Connect::ConnectorForHost() {
  std::shared_ptr<Connector> found;
  if (host_application_)
    IgnoreError([&] { found = FindConnector(host_application_->Name()); });
  return found ? found : FindConnector("Default");
}

std::shared_ptr<Connector> Connect::ConnectorForCallback() {
  std::shared_ptr<Connector> connector = ConnectorForHost();
  bool initialized = false;
  IgnoreError([&] { initialized = connector->IsInitialized(); });
  return initialized ? connector : FindConnector("Default");
}

void Connect::OnConnection(HostApplicationPtr application, int connect_mode,
                           std::shared_ptr<COMAddIn> addin_inst, Custom& custom) {
  // Any error in these steps releases the host application and silently
  // ends the callback.
  bool done = IgnoreError([&] {
    Must(application)
        .GetCOMAddIns()
        ->Item("Pinlet.Connect")
        ->SetObject(shared_from_this());
    host_application_ = application;
    if (connectors_->size() < 2) {
      connectors_->Add("Outlook", std::make_shared<COutlookConnect>(context_));
      connectors_->Add("Microsoft Word", std::make_shared<CWordConnect>(context_));
    }
    ConnectorForHost()->OnConnection(application, connect_mode, addin_inst, custom);
  });
  if (!done) host_application_.reset();
}

// A connector's callbacks handle their own failures; a HostError that still
// reaches here (a late-bound connector failing) ends the callback.
void Connect::OnDisconnection(int remove_mode, Custom& custom) {
  IgnoreError([&] { ConnectorForCallback()->OnDisconnection(remove_mode, custom); });
}

void Connect::OnAddInsUpdate(Custom& custom) {
  IgnoreError([&] { ConnectorForCallback()->OnAddInsUpdate(custom); });
}

void Connect::OnStartupComplete(Custom& custom) {
  IgnoreError([&] { ConnectorForCallback()->OnStartupComplete(custom); });
}

void Connect::OnBeginShutdown(Custom& custom) {
  IgnoreError([&] { ConnectorForCallback()->OnBeginShutdown(custom); });
}

}  // namespace pinlet
