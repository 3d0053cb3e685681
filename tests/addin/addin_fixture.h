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
  // Hooks that log each call; notes_folder answers the default Notes folder.
  Subsystems RecordingSubsystems() {
    Subsystems s;
    s.notes_folder = [this](AddinContext& ctx) {
      log.push_back("NotesFolder");
      return ctx.name_space ? ctx.name_space->GetDefaultFolder(ol::kFolderNotes)
                            : nullptr;
    };
    s.create_explorers = [this](AddinContext&) { log.push_back("Create_Explorers"); };
    s.create_inspector_tracker = [this](AddinContext&, const ol::InspectorsPtr&) {
      log.push_back("SetInspectors");
    };
    s.prepare_sharing = [this](AddinContext&) { log.push_back("PrepareSharing"); };
    s.assign_items = [this](AddinContext&) { log.push_back("AssignItems"); };
    s.get_note_form = [this](AddinContext&, const std::string& id, ol::ItemPtr note,
                             ol::ItemPtr parent) -> std::shared_ptr<NoteWindow> {
      log.push_back("GetNoteForm " + id + (note ? " note" : " new"));
      auto window = std::make_shared<FakeNoteWindow>(&log, "window");
      window->strID = id;
      window->objOriginalNote = note;
      window->objParentItem = parent;
      return window;
    };
    s.display_note = [this](AddinContext&, const std::shared_ptr<NoteWindow>& w) {
      log.push_back("DisplayNote " + w->strID);
    };
    s.parent_item_closed = [this](AddinContext&, const std::string& id) {
      log.push_back("ParentItemClosed " + id);
    };
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
