// The add-in loaded in a simulated Outlook on the sample mailbox, with the
// store's entry points installed and a test double for note windows.
#ifndef PINLET_TESTS_STORE_STORE_FIXTURE_H_
#define PINLET_TESTS_STORE_STORE_FIXTURE_H_

#include <gtest/gtest.h>

#include <fstream>
#include <functional>
#include <set>
#include <sstream>

#include "addin/connect.h"
#include "platform/host_error.h"
#include "sim/machine/host_session.h"
#include "sim/machine/sample_mailbox.h"
#include "store/store_subsystems.h"

namespace pinlet {

// A note window that records what happens to it; Unload removes it from the
// list as a real window does when it closes.
class RecordingWindow : public NoteWindow {
 public:
  RecordingWindow(AddinContext* ctx, std::vector<std::string>* log, int number,
                  WindowHandle handle)
      : ctx_(ctx), log_(log), number_(number), handle_(handle) {}
  WindowHandle hwnd() override { return handle_; }
  void ClearForm(const std::string& id, ol::ItemPtr note, ol::ItemPtr parent) override {
    Log("ClearForm " + id);
    strID = id;
    objOriginalNote = std::move(note);
    objParentItem = std::move(parent);
  }
  void Show() override { Log("Show " + strID); }
  void Unload() override;
  void Log(const std::string& what) {
    log_->push_back("w" + std::to_string(number_) + " " + what);
  }

 private:
  AddinContext* ctx_;
  std::vector<std::string>* log_;
  int number_;
  WindowHandle handle_;
};

// The sample mailbox with the add-in installed beside Outlook, its view file
// read from the resources.
inline void InstallSampleWorld(sim::World& world) {
  sim::BuildSampleMailbox(world.store, world.clock.now());
  std::ifstream in(std::string(PINLET_SOURCE_DIR) + "/resources/PNX.xml");
  std::stringstream view;
  view << in.rdbuf();
  world.Install(view.str());
}

// A defect the host had to stop fails the test that caused it.
inline void FailOnDefects(const sim::World& world) {
  for (const std::string& defect : world.defects()) ADD_FAILURE() << "defect: " << defect;
}

class StoreTest : public ::testing::Test {
 protected:
  void SetUp() override { InstallSampleWorld(world); }
  void TearDown() override { FailOnDefects(world); }
  void Start() {
    session = std::make_unique<sim::HostSession>(&world, [this](const Platform& p) {
      Subsystems s;
      InstallStore(s);
      if (install_more) install_more(s);
      s.note_windows = RecordingWindows();
      addin = std::make_shared<Connect>(p, s);
      return addin;
    });
    session->Start();
  }
  AddinContext& ctx() { return addin->context(); }
  ol::NameSpacePtr ns() { return ctx().name_space; }
  ol::FolderPtr Inbox() { return ns()->GetDefaultFolder(ol::kFolderInbox); }
  ol::ItemPtr InboxItem(int index) { return Inbox()->Items()->Item(index); }
  sim::FolderNode* Node(const ol::FolderPtr& folder) { return sim::NodeOf(folder); }
  std::string Prop(const ol::ItemPtr& item, const std::string& name) {
    auto prop = item->UserProperties()->Find(name);
    return prop ? ToText(prop->Value()) : "(none)";
  }
  std::string Registry(const char* name) {
    auto value = world.registry.QueryValue("Software\\Zarvo\\Pinlet\\folders", name);
    return value ? value->data : "";
  }
  std::vector<std::string> Logged() const { return world.support->calls(); }

  // Note windows that record what happens to them, numbered as they are made.
  class RecordingNoteWindows : public Subsystems::NoteWindows {
   public:
    explicit RecordingNoteWindows(StoreTest* test) : test_(test) {}
    std::shared_ptr<NoteWindow> Create(AddinContext& ctx) override {
      int number = ++test_->windows_made;
      return std::make_shared<RecordingWindow>(
          &ctx, &test_->log, number,
          test_->world.windows.Create("Note " + std::to_string(number)));
    }
    void DeleteStaleFiles(AddinContext&) override {}

   private:
    StoreTest* test_;
  };
  std::shared_ptr<Subsystems::NoteWindows> RecordingWindows() {
    return std::make_shared<RecordingNoteWindows>(this);
  }

  // Entry points of layers built on the store, installed by their fixtures.
  std::function<void(Subsystems&)> install_more;
  // Declared before the session, whose stop still writes to the log.
  sim::World world;
  std::vector<std::string> log;
  int windows_made = 0;
  std::shared_ptr<Connect> addin;
  std::unique_ptr<sim::HostSession> session;
};

inline void RecordingWindow::Unload() {
  Log("Unload");
  // A closing window takes itself out of the list.
  auto& list = *ctx_->note_windows;
  for (auto it = list.begin(); it != list.end(); ++it) {
    if (it->get() == this) {
      list.erase(it);
      break;
    }
  }
}

}  // namespace pinlet

#endif  // PINLET_TESTS_STORE_STORE_FIXTURE_H_
