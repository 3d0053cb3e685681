// The connector for Microsoft Word used as Outlook's e-mail editor.
//
// At connection it reaches the Outlook side the way another host must: through
// the Word application's COMAddIns entry "Pinlet.Connect", whose Object is the
// Connect object, and that object's "Outlook" connector. It reports itself
// initialised only after that succeeded; its mail-window buttons come with
// the command-bar code.
#ifndef PINLET_ADDIN_WORD_CONNECT_H_
#define PINLET_ADDIN_WORD_CONNECT_H_

#include <memory>

#include "addin/connect.h"

namespace pinlet {

class CWordConnect : public Connector {
 public:
  explicit CWordConnect(std::shared_ptr<AddinContext> context)
      : context_(std::move(context)) {}

  bool IsInitialized() override { return initialized_; }
  void OnConnection(HostApplicationPtr application, int connect_mode,
                    std::shared_ptr<COMAddIn> addin_inst, Custom& custom) override;
  void OnDisconnection(int remove_mode, Custom& custom) override;
  void OnAddInsUpdate(Custom&) override {}
  void OnStartupComplete(Custom&) override {}
  void OnBeginShutdown(Custom&) override {}

  // The Outlook connector reached at connection; nullptr before.
  std::shared_ptr<AddInConnector> outlook_connector() const { return outlook_.lock(); }

 private:
  std::shared_ptr<AddinContext> context_;
  HostApplicationPtr word_;
  std::weak_ptr<AddInConnector> outlook_;
  bool initialized_ = false;
};

}  // namespace pinlet

#endif  // PINLET_ADDIN_WORD_CONNECT_H_
