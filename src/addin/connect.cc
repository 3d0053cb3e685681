#include "addin/connect.h"

#include <exception>

#include "addin/outlook_connect.h"
#include "addin/word_connect.h"
#include "platform/host_error.h"

namespace pinlet {

Connect::Connect(Platform platform, Subsystems subsystems)
    : context_(
          std::make_shared<AddinContext>(std::move(platform), std::move(subsystems))) {
  connectors_.emplace_back("Default", std::make_shared<CEmptyConnect>());
}

Connect::~Connect() {
  host_application_.reset();
  connectors_.clear();
}

std::shared_ptr<Connector> Connect::FindConnector(std::string_view key) const {
  for (auto& [name, connector] : connectors_)
    if (name == key) return connector;
  return nullptr;
}

std::shared_ptr<Connector> Connect::ConnectorForHost() {
  std::shared_ptr<Connector> found;
  if (host_application_) {
    IgnoreError([&] { found = FindConnector(host_application_->Name()); });
  }
  return found ? found : FindConnector("Default");
}

std::shared_ptr<Connector> Connect::ConnectorForCallback() {
  std::shared_ptr<Connector> connector = ConnectorForHost();
  bool initialized = false;
  try {
    initialized = connector->IsInitialized();
  } catch (...) {
    initialized = false;
  }
  return initialized ? connector : FindConnector("Default");
}

template <typename Call>
void Connect::Forward(Call&& call) {
  try {
    call(*ConnectorForCallback());
  } catch (...) {
    // A connector's failure ends the callback; the host never sees it.
  }
}

void Connect::OnConnection(HostApplicationPtr application, int connect_mode,
                           std::shared_ptr<COMAddIn> addin_inst, Custom& custom) {
  try {
    Must(application).GetCOMAddIns()->Item("Pinlet.Connect")->SetObject(shared_from_this());
    host_application_ = application;
    if (connectors_.size() < 2) {
      connectors_.emplace_back("Outlook", std::make_shared<COutlookConnect>(context_));
      connectors_.emplace_back("Microsoft Word",
                               std::make_shared<CWordConnect>(context_));
    }
    ConnectorForHost()->OnConnection(application, connect_mode, addin_inst, custom);
  } catch (...) {
    host_application_.reset();
  }
}

void Connect::OnDisconnection(int remove_mode, Custom& custom) {
  Forward([&](Connector& c) { c.OnDisconnection(remove_mode, custom); });
}

void Connect::OnAddInsUpdate(Custom& custom) {
  Forward([&](Connector& c) { c.OnAddInsUpdate(custom); });
}

void Connect::OnStartupComplete(Custom& custom) {
  Forward([&](Connector& c) { c.OnStartupComplete(custom); });
}

void Connect::OnBeginShutdown(Custom& custom) {
  Forward([&](Connector& c) { c.OnBeginShutdown(custom); });
}

}  // namespace pinlet
