#include "addin/word_connect.h"

#include "addin/outlook_connect.h"
#include "platform/host_error.h"

namespace pinlet {

std::shared_ptr<AddInConnector> CWordConnect::FindOutlookConnector() {
  return TryGet([&]() -> std::shared_ptr<AddInConnector> {
    const Platform& platform = context_->platform;
    if (!platform.get_active_object) return nullptr;
    HostApplicationPtr outlook = platform.get_active_object(kOutlookProgId);
    if (!outlook) return nullptr;
    auto object = outlook->GetCOMAddIns()->Item("Pinlet.Connect")->Object();
    std::shared_ptr<AddInConnector> connector =
        Must(Must(object).GetConnectors()).Item("Outlook");
    return Must(connector).IsInitialized() ? connector : nullptr;
  });
}

std::shared_ptr<AddInConnector> CWordConnect::outlook_connector() {
  if (auto held = outlook_.lock()) return held;
  if (!initialized_) return nullptr;
  std::shared_ptr<AddInConnector> found = FindOutlookConnector();
  outlook_ = found;
  return found;
}

void CWordConnect::OnConnection(HostApplicationPtr application, int,
                                std::shared_ptr<COMAddIn>, Custom&) {
  initialized_ = false;
  std::shared_ptr<AddInConnector> outlook = FindOutlookConnector();
  if (!application || !outlook) return;
  word_ = std::move(application);
  context_->host = word_;
  outlook_ = outlook;
  initialized_ = true;
}

void CWordConnect::OnStartupComplete(Custom&) {
  AddinContext& ctx = *context_;
  IgnoreError([&] {
    if (ctx.subsystems.word_editor)
      ctx.subsystems.word_editor->Start(ctx, word_, [this] { return outlook_connector(); });
  });
}

void CWordConnect::OnBeginShutdown(Custom&) {
  if (context_->subsystems.word_editor) context_->subsystems.word_editor->Stop(*context_);
}

void CWordConnect::OnDisconnection(int, Custom&) {
  if (context_->subsystems.word_editor) context_->subsystems.word_editor->Stop(*context_);
  if (context_->host == word_) context_->host.reset();
  word_.reset();
  outlook_.reset();
  initialized_ = false;
}

}  // namespace pinlet
