#include "platform/sim/sim_word.h"

#include <algorithm>

#include "platform/host_error.h"
#include "platform/sim/boundary.h"
#include "platform/sim/host_session.h"
#include "platform/sim/sim_outlook.h"

namespace pinlet::sim {
namespace {

// The item a Word window edits.
class SimMailEnvelope : public word::MailEnvelope {
 public:
  SimMailEnvelope(World* world, ol::ItemPtr item)
      : world_(world), item_(std::move(item)) {}
  // Reached through Word, not through the Application Outlook handed the
  // add-in: Outlook 2003's guard does not trust it.
  ol::ItemPtr Item() override {
    world_->faults.Check("MailEnvelope.Item");
    auto object = ObjectOf(item_);
    return object ? WrapUntrustedObject(world_, std::move(object)) : item_;
  }

 private:
  World* world_;
  ol::ItemPtr item_;
};

class SimDocument : public word::Document {
 public:
  SimDocument(World* world, std::string name, ol::ItemPtr item)
      : world_(world), name_(std::move(name)), item_(std::move(item)) {}
  std::string Name() override {
    world_->faults.Check("Document.Name");
    return name_;
  }
  std::shared_ptr<word::MailEnvelope> MailEnvelope() override {
    world_->faults.Check("Document.MailEnvelope");
    return std::make_shared<SimMailEnvelope>(world_, item_);
  }

 private:
  World* world_;
  std::string name_;
  ol::ItemPtr item_;
};

}  // namespace

SimWord::SimWord(World* world)
    : world_(world), addins_(MakeCOMAddIns(world, {kPinletProgId})) {
  world_->word = this;
}

SimWord::~SimWord() {
  if (world_->word == this) world_->word = nullptr;
}

std::string SimWord::Name() {
  world_->faults.Check("Application.Name");
  return "Microsoft Word";
}

std::string SimWord::Version() {
  world_->faults.Check("Application.Version");
  // Outlook edits its mail only in the Word of its own Office release.
  if (world_->outlook) return std::to_string(world_->outlook->major_version()) + ".0";
  return "11.0";
}

std::shared_ptr<COMAddIns> SimWord::GetCOMAddIns() {
  world_->faults.Check("Application.COMAddIns");
  return addins_;
}

int SimWord::WindowsCount() {
  world_->faults.Check("Windows.Count");
  return static_cast<int>(windows_.size());
}

Subscription SimWord::OnWindowActivate(WindowActivateHandler handler) {
  world_->faults.Check("Application.Advise");
  return window_activate_.Subscribe(
      AtBoundary(*world_, "Application.WindowActivate", std::move(handler)));
}

std::shared_ptr<SimWordWindow> SimWord::WindowOf(const SimInspector* inspector) const {
  for (const auto& window : windows_)
    if (window->inspector() == inspector) return window;
  return nullptr;
}

void SimWord::InspectorActivated(const std::shared_ptr<SimInspector>& inspector) {
  std::shared_ptr<SimWordWindow> window = WindowOf(inspector.get());
  if (!window) {
    window = std::make_shared<SimWordWindow>(world_, inspector);
    windows_.push_back(window);
  }
  ol::ItemPtr item = inspector->item();
  std::string name;
  if (auto content = inspector->content())
    name = content->subject.empty() ? "Untitled" : content->subject;
  window_activate_.Fire(std::make_shared<SimDocument>(world_, name, item), window);
}

void SimWord::InspectorClosed(const SimInspector* inspector) {
  auto it = std::find_if(windows_.begin(), windows_.end(),
                         [&](const auto& w) { return w->inspector() == inspector; });
  if (it == windows_.end()) return;
  (*it)->Closed();
  windows_.erase(it);
}

SimWordWindow::SimWordWindow(World* world, std::shared_ptr<SimInspector> inspector)
    : world_(world), inspector_(std::move(inspector)) {}

void SimWordWindow::Enter(const char* member) const {
  world_->faults.Check(member);
  if (closed_)
    throw HostError(errors::kOperationFailed, "The object has been deleted.", member);
}

std::string SimWordWindow::Caption() {
  Enter("Window.Caption");
  return inspector_->caption();
}

word::DocumentPtr SimWordWindow::Document() {
  Enter("Window.Document");
  ol::ItemPtr item = inspector_->item();
  std::string name;
  if (auto content = inspector_->content())
    name = content->subject.empty() ? "Untitled" : content->subject;
  return std::make_shared<SimDocument>(world_, name, item);
}

office::CommandBarsPtr SimWordWindow::CommandBars() {
  Enter("Window.CommandBars");
  return inspector_->command_bars();
}

}  // namespace pinlet::sim
