#include "addin/word_connect.h"

#include "addin/outlook_connect.h"
#include "platform/host_error.h"

namespace pinlet {

void CWordConnect::OnConnection(HostApplicationPtr application, int,
                                std::shared_ptr<COMAddIn>, Custom&) {
  initialized_ = false;
  IgnoreError([&] {
    auto object = Must(application).GetCOMAddIns()->Item("Pinlet.Connect")->Object();
    std::shared_ptr<AddInConnector> outlook =
        Must(Must(object).GetConnectors()).Item("Outlook");
    word_ = application;
    outlook_ = Must(outlook).IsInitialized() ? outlook : nullptr;
    initialized_ = true;
  });
}

void CWordConnect::OnDisconnection(int, Custom&) {
  word_.reset();
  outlook_.reset();
  initialized_ = false;
}

}  // namespace pinlet
