// The simulated Outlook application: namespace, COM add-ins, the window
// collections, the windows' lifecycle and the item windows.
#include "sim/machine/sim_outlook.h"

#include <algorithm>
#include <cstdlib>

#include "platform/host_error.h"
#include "sim/machine/boundary.h"
#include "sim/machine/builtin_bars.h"
#include "sim/machine/mail_content.h"
#include "sim/machine/sim_word.h"

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
    // Without a store ID only the default store is asked.
    StoreNode* standard = world_->store.default_store();
    if (store_id.empty() && standard) store_id = standard->store_id;
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

HostError IndexError(const char* member) {
  return HostError(errors::kInvalidArgument, "Array index out of bounds.", member);
}

HostError ItemGoneError(const char* member) {
  return HostError(errors::kObjectDeleted, "The item has been moved or deleted.", member);
}

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
      throw IndexError("Explorers.Item");
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
      throw IndexError("Inspectors.Item");
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
  world_->faults.set_host_version(major_version());
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

void SimOutlook::set_version(std::string version) {
  version_ = std::move(version);
  world_->faults.set_host_version(major_version());
}

int SimOutlook::major_version() const { return std::atoi(version_.c_str()); }

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
  return active_explorer_;
}

ol::InspectorPtr SimOutlook::ActiveInspector() {
  world_->faults.Check("Application.ActiveInspector");
  return active_inspector_;
}

ol::NameSpacePtr SimOutlook::GetNameSpace(std::string_view type) {
  world_->faults.Check("Application.GetNameSpace");
  if (type != "MAPI")
    throw HostError(errors::kInvalidArgument, "Invalid namespace type.");
  return std::make_shared<SimNameSpace>(world_);
}

void SimOutlook::Activate(WindowHandle hwnd, const std::function<void()>& fire) {
  // The desktop's active window follows; a window the desktop activates by
  // itself (the user clicking it, or a window above it closing) comes back
  // here through its activation callback.
  if (hwnd != 0 && world_->windows.active() != hwnd) world_->windows.Activate(hwnd);
  if (active_window_ == hwnd) return;
  active_window_ = hwnd;
  fire();
}

void SimOutlook::FollowDesktop(WindowHandle hwnd, std::function<void()> activate) {
  SimWindowManager::Window* window = world_->windows.Find(hwnd);
  if (!window) return;
  window->on_activation = [this, hwnd, activate = std::move(activate)](bool active) {
    if (active) {
      activate();
    } else if (active_window_ == hwnd) {
      active_window_ = 0;  // another window has the focus now
    }
  };
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
  explorer->command_bars()->JoinProcess(bar_process_);
  std::weak_ptr<SimExplorer> weak_explorer = explorer;
  WireAnswerCommands(*explorer->command_bars(), [weak_explorer] {
    auto window = weak_explorer.lock();
    return window && !window->selection().empty() ? window->selection().front() : nullptr;
  });
  FollowDesktop(explorer->hwnd(), [this, weak_explorer] {
    if (auto window = weak_explorer.lock()) ActivateExplorer(window);
  });
  explorers_.push_back(explorer);
  new_explorer_.Fire(explorer);
  if (std::find(explorers_.begin(), explorers_.end(), explorer) == explorers_.end())
    return explorer;  // a handler closed it again
  ActivateExplorer(explorer);
  if (folder) explorer->SwitchToFirstShown();
  return explorer;
}

std::shared_ptr<SimInspector> SimOutlook::OpenItem(
    const std::shared_ptr<ItemNode>& item) {
  if (!item || item->gone) return nullptr;
  return OpenItem(WrapItem(world_, item));
}

std::shared_ptr<SimInspector> SimOutlook::OpenItem(const ol::ItemPtr& handle) {
  std::shared_ptr<ItemNode> item = NodeOf(handle);
  if (!item || item->gone) return nullptr;
  for (auto& open : inspectors_) {
    if (NodeOf(open->item()) == item) {
      auto window = open;
      ActivateInspector(window);
      return window;
    }
  }
  auto inspector = MakeInspector(handle, true);
  inspectors_.push_back(inspector);
  new_inspector_.Fire(inspector);
  auto listed = [&] {
    return std::find(inspectors_.begin(), inspectors_.end(), inspector) !=
           inspectors_.end();
  };
  if (!listed()) return nullptr;
  bool cancel = false;
  item->open.Fire(cancel);
  if (cancel) {
    // The window never showed: it closes before it could be activated.
    CloseInspector(inspector);
    return nullptr;
  }
  if (!listed()) return nullptr;
  if (item->cls == ol::kMail && !world_->answers.empty())
    world_->answers.back().kept.push_back(ObjectOf(handle));
  world_->windows.SetVisible(inspector->hwnd(), true, false);
  ActivateInspector(inspector);
  return inspector;
}

std::shared_ptr<SimInspector> SimOutlook::MakeInspector(const ol::ItemPtr& item,
                                                        bool shown) {
  auto inspector = std::make_shared<SimInspector>(this, item, shown);
  auto node = NodeOf(item);
  bool word = word_mail_editor_ && node && node->cls == ol::kMail;
  inspector->set_command_bars(
      MakeCommandBars(word ? WordMailBars() : OutlookInspectorBars(), inspector));
  // A Word-edited mail window is Word's, in Word's process.
  if (word && world_->word)
    world_->word->AdoptMailBars(*inspector->command_bars());
  else
    inspector->command_bars()->JoinProcess(bar_process_);
  std::weak_ptr<SimInspector> weak_inspector = inspector;
  WireAnswerCommands(*inspector->command_bars(), [weak_inspector] {
    auto window = weak_inspector.lock();
    return window ? NodeOf(window->item()) : nullptr;
  });
  if (shown)
    FollowDesktop(inspector->hwnd(), [this, weak_inspector] {
      if (auto window = weak_inspector.lock()) ActivateInspector(window);
    });
  return inspector;
}

void SimOutlook::WireAnswerCommands(SimCommandBars& bars,
                                    std::function<std::shared_ptr<ItemNode>()> source) {
  std::weak_ptr<SimOutlook> app = weak_from_this();
  for (int id : {command::kReply, command::kReplyAll, command::kForward}) {
    AnswerKind kind = *AnswerKindOfControl(id);
    bars.SetAction(id, [app, kind, source] {
      if (auto outlook = app.lock()) outlook->RunAnswerCommand(kind, source());
    });
  }
}

void SimOutlook::ShowStartupWindow(const std::shared_ptr<SimExplorer>& explorer) {
  if (!explorer) return;
  if (active_window_ == explorer->hwnd()) active_window_ = 0;
  ActivateExplorer(explorer);
}

void SimOutlook::ActivateExplorer(const std::shared_ptr<SimExplorer>& explorer) {
  if (!explorer) return;
  active_explorer_ = explorer;
  Activate(explorer->hwnd(), [&] { explorer->FireActivate(); });
}

void SimOutlook::ActivateInspector(const std::shared_ptr<SimInspector>& inspector) {
  if (!inspector) return;
  active_inspector_ = inspector;
  Activate(inspector->hwnd(), [&] {
    inspector->FireActivate();
    // A Word-edited mail window is Word's window too.
    if (world_->word && word_mail_editor_ && NodeOf(inspector->item()) &&
        NodeOf(inspector->item())->cls == ol::kMail)
      world_->word->InspectorActivated(inspector);
  });
}

void SimOutlook::CloseExplorer(const std::shared_ptr<SimExplorer>& window) {
  // A copy: the caller's reference may point into the list it leaves.
  std::shared_ptr<SimExplorer> explorer = window;
  auto it = std::find(explorers_.begin(), explorers_.end(), explorer);
  if (it == explorers_.end()) return;
  explorer->FireClose();
  if (explorer->command_bars()) explorer->command_bars()->WindowClosed();
  it = std::find(explorers_.begin(), explorers_.end(), explorer);
  if (it != explorers_.end()) explorers_.erase(it);
  world_->windows.Destroy(explorer->hwnd());
  if (active_window_ == explorer->hwnd()) active_window_ = 0;
  if (active_explorer_ == explorer)
    active_explorer_ = explorers_.empty() ? nullptr : explorers_.back();
}

void SimOutlook::CloseInspector(const std::shared_ptr<SimInspector>& window) {
  // A copy: the caller's reference may point into the list it leaves.
  std::shared_ptr<SimInspector> inspector = window;
  auto it = std::find(inspectors_.begin(), inspectors_.end(), inspector);
  if (it == inspectors_.end()) return;
  inspector->FireClose();
  if (world_->word) world_->word->InspectorClosed(inspector.get());
  if (inspector->command_bars()) inspector->command_bars()->WindowClosed();
  it = std::find(inspectors_.begin(), inspectors_.end(), inspector);
  if (it != inspectors_.end()) inspectors_.erase(it);
  world_->windows.Destroy(inspector->hwnd());
  if (active_window_ == inspector->hwnd()) active_window_ = 0;
  if (active_inspector_ == inspector)
    active_inspector_ = inspectors_.empty() ? nullptr : inspectors_.back();
}

std::shared_ptr<SimInspector> SimOutlook::RunAnswerCommand(
    AnswerKind kind, const std::shared_ptr<ItemNode>& source) {
  if (!source || source->gone || !HasAnswer(source->cls, kind)) return nullptr;
  std::shared_ptr<ItemNode> answer = MakeAnswer(world_->store, *source, kind);
  world_->answers.push_back({answer->attachments, {}});
  return OpenItem(answer);
}

void SimOutlook::ItemChanged(const ItemNode& item) {
  auto windows = explorers_;
  for (auto& explorer : windows) {
    const auto& selected = explorer->selection();
    if (std::any_of(selected.begin(), selected.end(),
                    [&](const auto& node) { return node.get() == &item; }))
      explorer->FireSelectionChange();
  }
}

void SimOutlook::ItemLeftFolder(const ItemNode& item) {
  auto windows = explorers_;
  for (auto& explorer : windows)
    if (explorer->Deselect(item)) explorer->FireSelectionChange();
}

namespace {

// What an item window's caption calls the item, by class and body format.
std::string KindOfWindow(const ItemContent& item) {
  switch (item.cls) {
    case ol::kMail:
      switch (BodyFormatOf(item)) {
        case ol::kOlFormatHTML:
          return "Message (HTML)";
        case ol::kOlFormatRichText:
          return "Message (Rich Text)";
        default:
          return "Message (Plain Text)";
      }
    case ol::kAppointment:
      return "Appointment";
    case ol::kContact:
      return "Contact";
    case ol::kDistList:
      return "Distribution List";
    case ol::kJournal:
      return "Journal Entry";
    case ol::kNote:
      return "Note";
    case ol::kPost:
      return "Discussion";
    case ol::kTask:
      return "Task";
    default:
      return "Document";
  }
}

}  // namespace

SimInspector::SimInspector(SimOutlook* app, ol::ItemPtr item, bool shown)
    : app_(app), item_(std::move(item)) {
  // The window shows only once its item's Open was not cancelled.
  if (shown) hwnd_ = app_->world()->windows.Create(caption(), false);
}

int SimInspector::Class() {
  app_->world()->faults.Check("Inspector.Class");
  return ol::kInspectorObject;
}

WindowHandle SimInspector::Hwnd() {
  app_->world()->faults.Check("IOleWindow.GetWindow");
  return hwnd_;
}

const ItemContent* SimInspector::content() const {
  auto object = ObjectOf(item_);
  return object ? &object->content() : nullptr;
}

std::string SimInspector::caption() const {
  const ItemContent* item = content();
  if (!item) return "Untitled - Message (Plain Text)";
  return (item->subject.empty() ? "Untitled" : item->subject) + " - " +
         KindOfWindow(*item);
}

std::string SimInspector::Caption() {
  app_->world()->faults.Check("Inspector.Caption");
  return caption();
}

ol::ItemPtr SimInspector::CurrentItem() {
  app_->world()->faults.Check("Inspector.CurrentItem");
  return item_;
}

int SimInspector::EditorType() {
  app_->world()->faults.Check("Inspector.EditorType");
  const ItemContent* item = content();
  if (!item || item->cls != ol::kMail) return ol::kOlEditorRTF;
  if (app_->word_mail_editor()) return ol::kOlEditorWord;
  switch (BodyFormatOf(*item)) {
    case ol::kOlFormatHTML:
      return ol::kOlEditorHTML;
    case ol::kOlFormatRichText:
      return ol::kOlEditorRTF;
    default:
      return ol::kOlEditorText;
  }
}

void SimInspector::Activate() {
  app_->world()->faults.Check("Inspector.Activate");
  for (auto& i : app_->inspectors())
    if (i.get() == this) return app_->ActivateInspector(i);
}

void SimInspector::Close(int save_mode) {
  World& world = *app_->world();
  world.faults.Check("Inspector.Close");
  if (save_mode < ol::kOlSave || save_mode > ol::kOlPromptForSave)
    throw HostError(errors::kInvalidArgument, "Invalid procedure call or argument",
                    "Inspector.Close");
  auto object = ObjectOf(item_);
  bool save = save_mode == ol::kOlSave;
  if (save_mode == ol::kOlPromptForSave && object && object->changed()) {
    // Outlook's own question, answered by the user; not a call of the add-in's.
    FaultInjector::Pause pause(world.faults);
    int answer = world.message_boxes.Show("Do you want to save changes?",
                                          "Microsoft Office Outlook",
                                          mb::kYesNoCancel | mb::kExclamation);
    if (answer == mb::kCancel) return;
    save = answer == mb::kYes;
  }
  if (object && !object->stored()->gone) {
    if (save) {
      object->Commit(world.store, world.clock.now());
      app_->ItemChanged(*object->stored());
    } else {
      object->Discard();  // olDiscard, or the user's No
    }
  }
  if (!save)
    for (World::Answer& answer : world.answers) std::erase(answer.kept, object);
  for (auto& i : app_->inspectors())
    if (i.get() == this) return app_->CloseInspector(i);
}

std::shared_ptr<SimInspector> SimInspector::RunAnswerCommand(AnswerKind kind) {
  return app_->RunAnswerCommand(kind, NodeOf(item_));
}

Subscription SimInspector::OnActivate(std::function<void()> h) {
  app_->world()->faults.Check("Inspector.Advise");
  return activate_.Subscribe(
      AtBoundary(*app_->world(), "Inspector.Activate event", std::move(h)));
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
