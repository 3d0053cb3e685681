#include "addin/word_connect.h"

#include "addin/outlook_connect.h"
#include "platform/host_error.h"

namespace pinlet {

void CWordConnect::OnConnection(HostApplicationPtr application, int,
                                std::shared_ptr<COMAddIn>, Custom&) {
  initialized_ = false;
  IgnoreError([&] {
    auto object = Must(application).GetCOMAddIns()->Item("Pinlet.Connect")->Object();
    auto connect = std::dynamic_pointer_cast<Connect>(object);
    if (!connect) throw HostError(errors::kTypeMismatch, "Type mismatch");
    auto outlook =
        std::dynamic_pointer_cast<COutlookConnect>(connect->FindConnector("Outlook"));
    if (!outlook) throw NotFoundError("Outlook connector");
    word_ = application;
    outlook_ = outlook;
    initialized_ = true;
  });
}

void CWordConnect::OnDisconnection(int, Custom&) {
  word_.reset();
  outlook_.reset();
  initialized_ = false;
}

}  // namespace pinlet
