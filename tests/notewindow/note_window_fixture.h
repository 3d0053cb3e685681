// A started Outlook on the sample mailbox with the note store and the note
// window installed, and the seams to the explorer and item-window sides
// recorded. Helpers open notes as the note button does and act on the
// note window as the user.
#ifndef PINLET_TESTS_NOTEWINDOW_NOTE_WINDOW_FIXTURE_H_
#define PINLET_TESTS_NOTEWINDOW_NOTE_WINDOW_FIXTURE_H_

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "addin/connect.h"
#include "addin/outlook_connect.h"
#include "addin/settings.h"
#include "addin/string_table.h"
#include "notewindow/frm_comments.h"
#include "sim/machine/host_session.h"
#include "sim/machine/sample_mailbox.h"
#include "notewindow/attachment_files.h"
#include "sim/machine/sim_controls.h"
#include "sim/machine/sim_form.h"
#include "store/store_fixture.h"
#include "store/store_subsystems.h"

namespace pinlet {

class NoteWindowTest : public ::testing::Test {
 protected:
  // The explorers' and item windows' side of the note window, recorded:
  // what the note window asks of them.
  class RecordedUpdates : public Subsystems::Explorers, public Subsystems::Inspectors {
   public:
    explicit RecordedUpdates(std::vector<std::string>* seams) : seams_(seams) {}
    void Create(AddinContext&) override {}
    void RefreshActive(AddinContext& ctx) override {
      seams_->push_back(std::string("refresh") + (ctx.note_refresh ? " (refreshing)" : ""));
    }
    void ForgetEntryId(AddinContext&, const std::string& id) override {
      seams_->push_back("forget " + id);
    }
    void CreateTracker(AddinContext&, const ol::InspectorsPtr&) override {}
    void SetNoteButton(AddinContext&, const ol::ItemPtr& item, bool has_note) override {
      seams_->push_back(std::string(has_note ? "view" : "add") + " button " + item->EntryID());
    }

   private:
    std::vector<std::string>* seams_;
  };

  void SetUp() override {
    world.faults.set_logging(true);
    InstallSampleWorld(world);
  }
  void TearDown() override { FailOnDefects(world); }
  void Start() {
    session = std::make_unique<sim::HostSession>(&world, [this](const Platform& p) {
      Subsystems s;
      InstallStore(s);
      InstallNoteWindow(s);
      auto recorded = std::make_shared<RecordedUpdates>(&seams);
      s.explorers = recorded;
      s.inspectors = recorded;
      addin = std::make_shared<Connect>(p, s);
      return addin;
    });
    session->Start();
  }
  AddinContext& ctx() { return addin->context(); }
  ol::FolderPtr Inbox() { return ctx().name_space->GetDefaultFolder(ol::kFolderInbox); }
  ol::ItemPtr InboxItem(int index) { return Inbox()->Items()->Item(index); }
  sim::FolderNode* NotesNode() {
    auto id = world.registry.QueryValue(kFoldersKey, "EntryID");
    return world.store.FindFolder(id->data);
  }
  sim::FolderNode* DeletedNode() {
    return world.store.default_store()->defaults.at(ol::kFolderDeletedItems);
  }

  // The note button of an item: View Note when it has a note, else Add Note.
  std::shared_ptr<frmComments> Open(const ol::ItemPtr& item, bool add = false) {
    bool has = !add && NoteOf(item) != nullptr;
    bool close = false;
    ctx().outlook_connector->PinletClick(
        LoadResString(has ? res::kViewNote : res::kAddNote), true, item, nullptr, close,
        nullptr);
    for (const auto& window : *ctx().note_windows)
      if (window->strID == item->EntryID())
        return std::dynamic_pointer_cast<frmComments>(window);
    return nullptr;
  }
  // The note item of a parent, at the node level.
  sim::ItemNode* NoteOf(const ol::ItemPtr& item) {
    sim::FaultInjector::Pause pause(world.faults);
    return world.store.FindBySubject(*NotesNode(), item->EntryID());
  }
  std::string Prop(const ol::ItemPtr& item, std::string_view name) {
    sim::ItemNode* note = NoteOf(item);
    if (!note) return "(no note)";
    sim::PropNode* prop = note->FindProp(name);
    return prop ? ToText(prop->value) : "(none)";
  }
  std::string ItemProp(const ol::ItemPtr& item, std::string_view name) {
    sim::PropNode* prop = sim::NodeOf(item)->FindProp(name);
    return prop ? ToText(prop->value) : "(none)";
  }

  // The window's form and controls, at the node level.
  sim::SimForm& Form(const std::shared_ptr<frmComments>& window) {
    return static_cast<sim::SimForm&>(*window->form());
  }
  template <typename T>
  std::shared_ptr<T> Control(const std::shared_ptr<frmComments>& window,
                             std::string_view name) {
    sim::SimForm& form = Form(window);
    return std::dynamic_pointer_cast<T>(form.Public(form.Find(name)));
  }
  sim::SimTextBox& TextBox(const std::shared_ptr<frmComments>& window) {
    return static_cast<sim::SimTextBox&>(*Form(window).Find("Text"));
  }
  std::string Picture(const std::shared_ptr<frmComments>& window, std::string_view name) {
    sim::FaultInjector::Pause pause(world.faults);
    return Control<ui::Image>(window, name)->PictureKey();
  }
  bool Shown(const std::shared_ptr<frmComments>& window, std::string_view name) {
    return Form(window).Find(name)->Shown();
  }
  Rect Place(const std::shared_ptr<frmComments>& window) { return Form(window).rect(); }

  // The user acts on the window; an action the user could not do fails.
  void Do(const std::shared_ptr<frmComments>& window, const sim::FormAction& action) {
    std::string error;
    EXPECT_TRUE(world.ui.Perform(Form(window), action, error))
        << action.ToString() << ": " << error;
  }
  void Type(const std::shared_ptr<frmComments>& w, const std::string& text) {
    Do(w, sim::FormAction::Type("Text", text));
  }
  void Click(const std::shared_ptr<frmComments>& w, const std::string& control) {
    Do(w, sim::FormAction::Click(control));
  }
  void Hover(const std::shared_ptr<frmComments>& w, const std::string& control) {
    Do(w, sim::FormAction::Mouse(sim::FormAction::Kind::kHover, control));
  }
  void Key(const std::shared_ptr<frmComments>& w, const std::string& key) {
    Do(w, sim::FormAction::Key("Text", key));
  }
  void CloseBox(const std::shared_ptr<frmComments>& w) {
    Do(w, sim::FormAction::Close());
  }
  // Calls of a host member made since the log had `from` entries (the
  // fixture logs every call).
  int Calls(std::string_view member, size_t from = 0) {
    int n = 0;
    const auto& calls = world.faults.calls();
    for (size_t i = from; i < calls.size(); ++i) n += calls[i].member == member;
    return n;
  }
  size_t Mark() const { return world.faults.calls().size(); }

  // Declared before the session, whose stop still uses them.
  sim::World world;
  std::vector<std::string> seams;
  std::shared_ptr<Connect> addin;
  std::unique_ptr<sim::HostSession> session;
};

}  // namespace pinlet

#endif  // PINLET_TESTS_NOTEWINDOW_NOTE_WINDOW_FIXTURE_H_
