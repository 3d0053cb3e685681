#include "sim/machine/sim_word.h"

#include <algorithm>

#include "platform/host_error.h"
#include "sim/machine/boundary.h"
#include "sim/machine/builtin_bars.h"
#include "sim/machine/host_session.h"
#include "sim/machine/sim_outlook.h"

namespace pinlet::sim {
namespace {

// The mail a Word window edits, and the bars of its window.
class SimMailEnvelope : public word::MailEnvelope {
 public:
  SimMailEnvelope(World* world, std::shared_ptr<SimInspector> inspector)
      : world_(world), inspector_(std::move(inspector)) {}
  // Reached through Word, not through the Application Outlook handed the
  // add-in: Outlook 2003's guard does not trust it.
  ol::ItemPtr Item() override {
    world_->faults.Check("MailEnvelope.Item");
    ol::ItemPtr item = inspector_->item();
    auto object = ObjectOf(item);
    return object ? WrapUntrustedObject(world_, std::move(object)) : item;
  }
  office::CommandBarsPtr CommandBars() override {
    world_->faults.Check("MailEnvelope.CommandBars");
    return inspector_->command_bars();
  }

 private:
  World* world_;
  std::shared_ptr<SimInspector> inspector_;
};

class SimDocument : public word::Document {
 public:
  SimDocument(World* world, std::shared_ptr<SimInspector> inspector)
      : world_(world), inspector_(std::move(inspector)) {}
  std::string Name() override {
    world_->faults.Check("Document.Name");
    auto content = inspector_->content();
    return !content || content->subject.empty() ? "Untitled" : content->subject;
  }
  std::shared_ptr<word::MailEnvelope> MailEnvelope() override {
    world_->faults.Check("Document.MailEnvelope");
    return std::make_shared<SimMailEnvelope>(world_, inspector_);
  }
  office::CommandBarsPtr CommandBars() override {
    world_->faults.Check("Document.CommandBars");
    if (!world_->word) throw HostError(errors::kOperationFailed, "Word has quit.",
                                       "Document.CommandBars");
    return world_->word->app_bars();
  }

 private:
  World* world_;
  std::shared_ptr<SimInspector> inspector_;
};

// Word's global template.
class SimTemplate : public word::CustomizationContext {
 public:
  SimTemplate(World* world, std::string name) : world_(world), name_(std::move(name)) {}
  std::string Name() override {
    world_->faults.Check("Template.Name");
    return name_;
  }

 private:
  World* world_;
  std::string name_;
};

}  // namespace

SimWord::SimWord(World* world)
    : world_(world),
      addins_(MakeCOMAddIns(world, {kPinletProgId})),
      normal_(std::make_shared<SimTemplate>(world, "Normal.dot")),
      context_(normal_) {
  world_->word = this;
  app_bars_ = SimCommandBars::Create(world_, WordDocumentBars(), [world] {
    return world->outlook ? world->outlook->major_version() : 11;
  });
  AdoptMailBars(*app_bars_);
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

office::CommandBarsPtr SimWord::CommandBars() {
  world_->faults.Check("Application.CommandBars");
  return app_bars_;
}

word::CustomizationContextPtr SimWord::GetCustomizationContext() {
  world_->faults.Check("Application.CustomizationContext");
  return context_;
}

void SimWord::SetCustomizationContext(const word::CustomizationContextPtr& context) {
  world_->faults.Check("Application.CustomizationContext");
  if (!context)
    throw HostError(errors::kTypeMismatch, "Type mismatch",
                    "Application.CustomizationContext");
  context_ = context;
}

void SimWord::AdoptMailBars(SimCommandBars& bars) {
  bars.JoinProcess(process_);
  // Word's own bars go with it; a mail window's may outlive it.
  SimWord* self = this;
  bool own = &bars == app_bars_.get();
  std::weak_ptr<SimWord> weak = weak_from_this();
  bars.set_change_observer([self, own, weak](const std::string& what, bool lasting) {
    if (own) return self->Customize(what, lasting);
    if (auto word = weak.lock()) word->Customize(what, lasting);
  });
}

void SimWord::Customize(const std::string& what, bool lasting) {
  // A document as the context keeps the change itself.
  if (context_ != normal_) return;
  // Where Word's reference is silent, the stricter answer: even a temporary
  // change marks Normal.dot as changed.
  normal_dot_.saved = false;
  if (lasting) normal_dot_.customizations.push_back(what);
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
  window_activate_.Fire(std::make_shared<SimDocument>(world_, inspector), window);
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
  return std::make_shared<SimDocument>(world_, inspector_);
}

}  // namespace pinlet::sim
