// A simulated host with the add-in loaded, whose subsystem hooks record
// what the connector asks of them.
#ifndef PINLET_TESTS_ADDIN_ADDIN_FIXTURE_H_
#define PINLET_TESTS_ADDIN_ADDIN_FIXTURE_H_

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "addin/connect.h"
#include "sim/machine/host_session.h"

namespace pinlet {

// A note window that records what happens to it in a shared log.
class FakeNoteWindow : public NoteWindow {
 public:
  FakeNoteWindow(std::vector<std::string>* log, std::string name, WindowHandle handle = 0)
      : log_(log), name_(std::move(name)), handle_(handle) {}
  WindowHandle hwnd() override { return handle_; }
  void ClearForm(const std::string& id, ol::ItemPtr note, ol::ItemPtr parent) override {
    log_->push_back(name_ + " ClearForm " + id);
    strID = id;
    objOriginalNote = std::move(note);
    objParentItem = std::move(parent);
  }
  void Show() override { log_->push_back(name_ + " Show"); }
  void Unload() override { log_->push_back(name_ + " Unload"); }
  const std::string& name() const { return name_; }

 private:
  std::vector<std::string>* log_;
  std::string name_;
  WindowHandle handle_;
};

class AddinTest : public ::testing::Test {
 protected:
  // A defect the host had to stop fails the test that caused it.
  void TearDown() override {
    for (const std::string& defect : world.defects()) ADD_FAILURE() << "defect: " << defect;
  }
  // Subsystems that log each call; NotesFolder answers the default Notes
  // folder. What the core reaches only from the layers above (a note
  // window's explorer and item-window updates) does nothing.
  class Recording : public Subsystems::Store,
                    public Subsystems::Explorers,
                    public Subsystems::Inspectors,
                    public Subsystems::Sharing {
   public:
    explicit Recording(std::vector<std::string>* log) : log_(log) {}
    ol::FolderPtr NotesFolder(AddinContext& ctx) override {
      log_->push_back("NotesFolder");
      return ctx.name_space ? ctx.name_space->GetDefaultFolder(ol::kFolderNotes) : nullptr;
    }
    std::shared_ptr<NoteWindow> GetNoteForm(AddinContext&, const std::string& id,
                                            ol::ItemPtr note, ol::ItemPtr parent) override {
      log_->push_back("GetNoteForm " + id + (note ? " note" : " new"));
      auto window = std::make_shared<FakeNoteWindow>(log_, "window");
      window->strID = id;
      window->objOriginalNote = note;
      window->objParentItem = parent;
      return window;
    }
    void DisplayNote(AddinContext&, const std::shared_ptr<NoteWindow>& w) override {
      log_->push_back("DisplayNote " + w->strID);
    }
    void ParentItemClosed(AddinContext&, const std::string& id) override {
      log_->push_back("ParentItemClosed " + id);
    }
    void Create(AddinContext&) override { log_->push_back("Create_Explorers"); }
    void RefreshActive(AddinContext&) override {}
    void ForgetEntryId(AddinContext&, const std::string&) override {}
    void CreateTracker(AddinContext&, const ol::InspectorsPtr&) override {
      log_->push_back("SetInspectors");
    }
    void SetNoteButton(AddinContext&, const ol::ItemPtr&, bool) override {}
    void Prepare(AddinContext&) override { log_->push_back("PrepareSharing"); }
    void AssignItems(AddinContext&) override { log_->push_back("AssignItems"); }

   private:
    std::vector<std::string>* log_;
  };
  Subsystems RecordingSubsystems() {
    auto recording = std::make_shared<Recording>(&log);
    Subsystems s;
    s.store = recording;
    s.explorers = recording;
    s.inspectors = recording;
    s.sharing = recording;
    return s;
  }

  void StartHost(sim::HostOptions options = {}) {
    if (world.store.stores().empty()) world.store.AddStore("Mailbox", true);
    world.Install("<view/>");
    session = std::make_unique<sim::HostSession>(
        &world,
        [this](const Platform& p) {
          addin = std::make_shared<Connect>(p, RecordingSubsystems());
          return addin;
        },
        options);
    session->Start();
  }

  // The add-in instance; it outlives the host session's stop for inspection.
  Connect& connect() { return *addin; }
  AddinContext& ctx() { return connect().context(); }
  bool Logged(const std::string& entry) const {
    return std::find(log.begin(), log.end(), entry) != log.end();
  }

  sim::World world;
  std::vector<std::string> log;
  std::shared_ptr<Connect> addin;
  std::unique_ptr<sim::HostSession> session;
};

}  // namespace pinlet

#endif  // PINLET_TESTS_ADDIN_ADDIN_FIXTURE_H_
