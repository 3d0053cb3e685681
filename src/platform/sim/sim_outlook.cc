// The simulated Outlook application: namespace, windows and COM add-ins.
#include "platform/sim/sim_outlook.h"

#include <algorithm>

#include "platform/host_error.h"
#include "platform/sim/boundary.h"
#include "platform/sim/builtin_bars.h"

namespace pinlet::sim {
namespace {

class SimNameSpace : public ol::NameSpace {
 public:
  explicit SimNameSpace(World* world) : world_(world) {}
  ol::FolderPtr GetDefaultFolder(int folder) override {
    world_->faults.Check("NameSpace.GetDefaultFolder");
    StoreNode* store = world_->store.default_store();
    auto it = store ? store->defaults.find(folder) : decltype(store->defaults.end()){};
    if (!store || it == store->defaults.end())
      throw HostError(errors::kInvalidArgument, "Could not find the default folder.",
                      "NameSpace.GetDefaultFolder");
    return WrapFolder(world_, it->second);
  }
  ol::FoldersPtr Folders() override {
    world_->faults.Check("NameSpace.Folders");
    return WrapStoreRoots(world_);
  }
  ol::FolderPtr GetFolderFromID(std::string_view entry_id,
                                std::string_view store_id) override {
    world_->faults.Check("NameSpace.GetFolderFromID");
    FolderNode* node = world_->store.FindFolder(entry_id, store_id);
    if (!node) throw NotFoundError("NameSpace.GetFolderFromID");
    return WrapFolder(world_, node);
  }
  ol::ItemPtr GetItemFromID(std::string_view entry_id,
                            std::string_view store_id) override {
    world_->faults.Check("NameSpace.GetItemFromID");
    auto node = world_->store.FindItem(entry_id, store_id);
    if (!node) throw NotFoundError("NameSpace.GetItemFromID");
    return WrapItem(world_, node);
  }
  std::string CurrentProfileName() override {
    world_->faults.Check("NameSpace.CurrentProfileName");
    return world_->profile_name;
  }

 private:
  World* world_;
};

class SimCOMAddIn : public COMAddIn {
 public:
  SimCOMAddIn(World* world, std::string progid)
      : world_(world), progid_(std::move(progid)) {}
  std::string ProgId() override {
    world_->faults.Check("COMAddIn.ProgId");
    return progid_;
  }
  std::string Description() override {
    world_->faults.Check("COMAddIn.Description");
    return progid_;
  }
  bool Connect() override {
    world_->faults.Check("COMAddIn.Connect");
    return true;
  }
  std::shared_ptr<AddInObject> Object() override {
    world_->faults.Check("COMAddIn.Object");
    return object_;
  }
  void SetObject(std::shared_ptr<AddInObject> object) override {
    world_->faults.Check("COMAddIn.Object");
    object_ = std::move(object);
  }
  const std::string& progid() const { return progid_; }

 private:
  World* world_;
  std::string progid_;
  std::shared_ptr<AddInObject> object_;
};

class SimCOMAddIns : public COMAddIns {
 public:
  SimCOMAddIns(World* world, const std::vector<std::string>& progids) : world_(world) {
    for (const auto& id : progids)
      addins_.push_back(std::make_shared<SimCOMAddIn>(world, id));
  }
  int Count() override {
    world_->faults.Check("COMAddIns.Count");
    return static_cast<int>(addins_.size());
  }
  std::shared_ptr<COMAddIn> Item(std::string_view progid) override {
    world_->faults.Check("COMAddIns.Item");
    for (auto& addin : addins_)
      if (FoldCase(addin->progid()) == FoldCase(progid)) return addin;
    throw NotFoundError("COMAddIns.Item");
  }

 private:
  World* world_;
  std::vector<std::shared_ptr<SimCOMAddIn>> addins_;
};

}  // namespace

std::shared_ptr<COMAddIns> MakeCOMAddIns(World* world,
                                         const std::vector<std::string>& progids) {
  return std::make_shared<SimCOMAddIns>(world, progids);
}

class SimExplorers : public ol::Explorers {
 public:
  explicit SimExplorers(SimOutlook* app) : app_(app) {}
  int Count() override {
    app_->world()->faults.Check("Explorers.Count");
    return static_cast<int>(app_->explorers_.size());
  }
  ol::ExplorerPtr Item(int index) override {
    app_->world()->faults.Check("Explorers.Item");
    if (index < 1 || index > static_cast<int>(app_->explorers_.size()))
      throw HostError(errors::kInvalidArgument, "Array index out of bounds.",
                      "Explorers.Item");
    return app_->explorers_[index - 1];
  }
  Subscription OnNewExplorer(std::function<void(ol::ExplorerPtr)> handler) override {
    app_->world()->faults.Check("Explorers.Advise");
    return app_->new_explorer_.Subscribe(
        AtBoundary(*app_->world(), "Explorers.NewExplorer", std::move(handler)));
  }

 private:
  SimOutlook* app_;
};

class SimInspectors : public ol::Inspectors {
 public:
  explicit SimInspectors(SimOutlook* app) : app_(app) {}
  int Count() override {
    app_->world()->faults.Check("Inspectors.Count");
    return static_cast<int>(app_->inspectors_.size());
  }
  ol::InspectorPtr Item(int index) override {
    app_->world()->faults.Check("Inspectors.Item");
    if (index < 1 || index > static_cast<int>(app_->inspectors_.size()))
      throw HostError(errors::kInvalidArgument, "Array index out of bounds.",
                      "Inspectors.Item");
    return app_->inspectors_[index - 1];
  }
  Subscription OnNewInspector(std::function<void(ol::InspectorPtr)> handler) override {
    app_->world()->faults.Check("Inspectors.Advise");
    return app_->new_inspector_.Subscribe(
        AtBoundary(*app_->world(), "Inspectors.NewInspector", std::move(handler)));
  }

 private:
  SimOutlook* app_;
};

SimOutlook::SimOutlook(World* world, std::vector<std::string> addin_progids,
                       std::string name)
    : world_(world),
      name_(std::move(name)),
      addins_(MakeCOMAddIns(world, addin_progids)) {
  world_->outlook = this;
}

SimOutlook::~SimOutlook() {
  if (world_->outlook == this) world_->outlook = nullptr;
}

std::string SimOutlook::Name() {
  world_->faults.Check("Application.Name");
  return name_;
}

std::string SimOutlook::Version() {
  world_->faults.Check("Application.Version");
  return version_;
}

std::shared_ptr<COMAddIns> SimOutlook::GetCOMAddIns() {
  world_->faults.Check("Application.COMAddIns");
  return addins_;
}

ol::ExplorersPtr SimOutlook::Explorers() {
  world_->faults.Check("Application.Explorers");
  return std::make_shared<SimExplorers>(this);
}

ol::InspectorsPtr SimOutlook::Inspectors() {
  world_->faults.Check("Application.Inspectors");
  return std::make_shared<SimInspectors>(this);
}

ol::ExplorerPtr SimOutlook::ActiveExplorer() {
  world_->faults.Check("Application.ActiveExplorer");
  return active_;
}

ol::NameSpacePtr SimOutlook::GetNameSpace(std::string_view type) {
  world_->faults.Check("Application.GetNameSpace");
  if (type != "MAPI")
    throw HostError(errors::kInvalidArgument, "Invalid namespace type.");
  return std::make_shared<SimNameSpace>(world_);
}

// The bars of a window this Outlook opens; they answer its version for as
// long as it runs.
std::shared_ptr<SimCommandBars> SimOutlook::MakeCommandBars(
    const std::vector<BarDef>& bars, const std::shared_ptr<office::Window>& window) {
  std::weak_ptr<SimOutlook> app = weak_from_this();
  auto set = SimCommandBars::Create(world_, bars, [app, version = version_] {
    auto outlook = app.lock();
    return MajorVersion(outlook ? outlook->version_ : version);
  });
  set->set_parent(window);
  return set;
}

std::shared_ptr<SimExplorer> SimOutlook::OpenExplorer(FolderNode* folder) {
  if (!folder) {
    StoreNode* store = world_->store.default_store();
    if (store && store->defaults.count(ol::kFolderInbox))
      folder = store->defaults[ol::kFolderInbox];
  }
  auto explorer =
      std::make_shared<SimExplorer>(this, folder, world_->windows.Create("Explorer"));
  explorer->set_command_bars(MakeCommandBars(OutlookExplorerBars(), explorer));
  explorers_.push_back(explorer);
  active_ = explorer;
  new_explorer_.Fire(explorer);
  return explorer;
}

std::shared_ptr<SimInspector> SimOutlook::OpenInspector(const ol::ItemPtr& item) {
  auto inspector =
      std::make_shared<SimInspector>(this, item, world_->windows.Create("Inspector"));
  auto node = NodeOf(item);
  bool word = word_mail_editor_ && node && node->cls == ol::kMail;
  inspector->set_command_bars(
      MakeCommandBars(word ? WordMailBars() : OutlookInspectorBars(), inspector));
  inspectors_.push_back(inspector);
  new_inspector_.Fire(inspector);
  return inspector;
}

void SimOutlook::CloseExplorer(const std::shared_ptr<SimExplorer>& explorer) {
  auto it = std::find(explorers_.begin(), explorers_.end(), explorer);
  if (it == explorers_.end()) return;
  explorer->FireClose();
  explorer->command_bars()->WindowClosed();
  explorers_.erase(std::find(explorers_.begin(), explorers_.end(), explorer));
  world_->windows.Destroy(explorer->hwnd());
  if (active_ == explorer) active_ = explorers_.empty() ? nullptr : explorers_.back();
}

void SimOutlook::CloseInspector(const std::shared_ptr<SimInspector>& inspector) {
  auto it = std::find(inspectors_.begin(), inspectors_.end(), inspector);
  if (it == inspectors_.end()) return;
  inspector->FireClose();
  inspector->command_bars()->WindowClosed();
  inspectors_.erase(std::find(inspectors_.begin(), inspectors_.end(), inspector));
  world_->windows.Destroy(inspector->hwnd());
}

int SimExplorer::Class() {
  app_->world()->faults.Check("Explorer.Class");
  return ol::kExplorerObject;
}

WindowHandle SimExplorer::Hwnd() {
  app_->world()->faults.Check("IOleWindow.GetWindow");
  return hwnd_;
}

std::string SimExplorer::Caption() {
  app_->world()->faults.Check("Explorer.Caption");
  return (folder_ ? folder_->name : std::string()) + " - Microsoft Outlook";
}

ol::FolderPtr SimExplorer::CurrentFolder() {
  app_->world()->faults.Check("Explorer.CurrentFolder");
  return WrapFolder(app_->world(), folder_);
}

void SimExplorer::SetCurrentFolder(const ol::FolderPtr& folder) {
  app_->world()->faults.Check("Explorer.CurrentFolder");
  FolderNode* node = NodeOf(folder);
  if (!node) throw ObjectRequiredError();
  folder_ = node;
  folder_switch_.Fire();
}

std::string SimExplorer::CurrentView() {
  app_->world()->faults.Check("Explorer.CurrentView");
  return folder_ ? folder_->current_view : "";
}

void SimExplorer::SetCurrentView(std::string_view view_name) {
  app_->world()->faults.Check("Explorer.CurrentView");
  if (!folder_ || !folder_->FindView(view_name))
    throw HostError(errors::kInvalidArgument, "The view does not exist.",
                    "Explorer.CurrentView");
  folder_->current_view = std::string(view_name);
  view_switch_.Fire();
}

void SimExplorer::Close() {
  app_->world()->faults.Check("Explorer.Close");
  for (auto& e : app_->explorers())
    if (e.get() == this) return app_->CloseExplorer(e);
}

Subscription SimExplorer::Advise(Event<>& event, const char* name,
                                 std::function<void()> handler) {
  app_->world()->faults.Check("Explorer.Advise");
  return event.Subscribe(AtBoundary(*app_->world(), name, std::move(handler)));
}
Subscription SimExplorer::OnClose(std::function<void()> h) {
  return Advise(close_, "Explorer.Close event", std::move(h));
}
Subscription SimExplorer::OnSelectionChange(std::function<void()> h) {
  return Advise(selection_change_, "Explorer.SelectionChange", std::move(h));
}
Subscription SimExplorer::OnFolderSwitch(std::function<void()> h) {
  return Advise(folder_switch_, "Explorer.FolderSwitch", std::move(h));
}
Subscription SimExplorer::OnViewSwitch(std::function<void()> h) {
  return Advise(view_switch_, "Explorer.ViewSwitch", std::move(h));
}

office::CommandBarsPtr SimExplorer::CommandBars() {
  app_->world()->faults.Check("Explorer.CommandBars");
  return bars_;
}

int SimInspector::Class() {
  app_->world()->faults.Check("Inspector.Class");
  return ol::kInspectorObject;
}

WindowHandle SimInspector::Hwnd() {
  app_->world()->faults.Check("IOleWindow.GetWindow");
  return hwnd_;
}

std::string SimInspector::Caption() {
  app_->world()->faults.Check("Inspector.Caption");
  auto node = NodeOf(item_);
  std::string subject = node ? node->subject : "";
  return (subject.empty() ? "Untitled" : subject) + " - Message";
}

ol::ItemPtr SimInspector::CurrentItem() {
  app_->world()->faults.Check("Inspector.CurrentItem");
  return item_;
}

void SimInspector::Close(int) {
  app_->world()->faults.Check("Inspector.Close");
  for (auto& i : app_->inspectors())
    if (i.get() == this) return app_->CloseInspector(i);
}

office::CommandBarsPtr SimInspector::CommandBars() {
  app_->world()->faults.Check("Inspector.CommandBars");
  return bars_;
}

Subscription SimInspector::OnClose(std::function<void()> h) {
  app_->world()->faults.Check("Inspector.Advise");
  return close_.Subscribe(
      AtBoundary(*app_->world(), "Inspector.Close event", std::move(h)));
}

}  // namespace pinlet::sim
