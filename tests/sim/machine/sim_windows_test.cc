// The simulated windows: the order of their events, cancelled switches and
// opens, selection, activation, Outlook's answer commands, closing with a
// save mode, and what a run sets (version, editor).
#include <gmock/gmock.h>

#include "sim/machine/builtin_bars.h"
#include "sim/machine/host_session.h"
#include "sim/machine/mail_content.h"
#include "sim_fixture.h"

namespace pinlet::sim {
namespace {

using Log = std::vector<std::string>;

class SimWindowsTest : public SimTest {
 protected:
  // Subscribes to every event of the explorer, logging it.
  void Watch(const ol::ExplorerPtr& explorer) {
    subs.push_back(explorer->OnActivate([this] { log.push_back("Activate"); }));
    subs.push_back(
        explorer->OnBeforeFolderSwitch([this](const ol::FolderPtr& folder, bool& cancel) {
          log.push_back("BeforeFolderSwitch " + folder->Name());
          cancel = cancel_next;
        }));
    subs.push_back(explorer->OnFolderSwitch([this] { log.push_back("FolderSwitch"); }));
    subs.push_back(
        explorer->OnBeforeViewSwitch([this](const std::string& view, bool& cancel) {
          log.push_back("BeforeViewSwitch " + view);
          cancel = cancel_next;
        }));
    subs.push_back(explorer->OnViewSwitch([this] { log.push_back("ViewSwitch"); }));
    subs.push_back(explorer->OnSelectionChange([this, explorer] {
      auto selection = explorer->Selection();
      log.push_back("SelectionChange " + std::to_string(selection->Count()) +
                    (selection->Count() ? " " + selection->Item(1)->Subject() : ""));
    }));
    subs.push_back(explorer->OnClose([this] { log.push_back("Close"); }));
  }
  // Logs NewInspector and, for the item shown, Open; cancels Open on request.
  void WatchInspectors() {
    subs.push_back(outlook->Inspectors()->OnNewInspector([this](ol::InspectorPtr window) {
      log.push_back("NewInspector " + window->CurrentItem()->Subject());
      subs.push_back(window->OnActivate([this] { log.push_back("Inspector.Activate"); }));
      subs.push_back(window->OnClose([this] { log.push_back("Inspector.Close"); }));
      subs.push_back(window->CurrentItem()->OnOpen([this](bool& cancel) {
        log.push_back("Open");
        cancel = cancel_open;
      }));
    }));
  }

  Log log;
  std::vector<Subscription> subs;
  bool cancel_next = false;
  bool cancel_open = false;
};

TEST_F(SimWindowsTest, ANewExplorerIsAnnouncedActivatedAndSelectsTheFirstItem) {
  NewMail("First");
  NewMail("Second");
  subs.push_back(outlook->Explorers()->OnNewExplorer([this](ol::ExplorerPtr explorer) {
    log.push_back("NewExplorer " + explorer->Caption());
    Watch(explorer);
  }));
  auto explorer = outlook->OpenExplorer();
  EXPECT_EQ(log, (Log{"NewExplorer Inbox - Microsoft Outlook", "Activate",
                      "SelectionChange 1 First"}));
  EXPECT_EQ(outlook->ActiveExplorer(), explorer);
  EXPECT_EQ(world.windows.Find(explorer->hwnd())->title, "Inbox - Microsoft Outlook");
}

TEST_F(SimWindowsTest, FolderSwitchesFireInOrderAndACancelledOneChangesNothing) {
  auto explorer = outlook->OpenExplorer();
  NewMail("In drafts", ol::kFolderDrafts);
  Watch(explorer);
  explorer->SetCurrentFolder(Default(ol::kFolderDrafts));
  EXPECT_EQ(log, (Log{"BeforeFolderSwitch Drafts", "FolderSwitch",
                      "SelectionChange 1 In drafts"}));
  EXPECT_EQ(explorer->Caption(), "Drafts - Microsoft Outlook");

  log.clear();
  cancel_next = true;
  EXPECT_FALSE(explorer->SwitchFolder(NodeOf(Default(ol::kFolderTasks))));
  EXPECT_EQ(log, Log{"BeforeFolderSwitch Tasks"});
  EXPECT_EQ(explorer->CurrentFolder()->Name(), "Drafts");
  EXPECT_EQ(explorer->selection().size(), 1u);

  log.clear();
  cancel_next = false;
  explorer->SetCurrentFolder(Default(ol::kFolderDrafts));  // shown already
  EXPECT_TRUE(explorer->SwitchFolder(NodeOf(Default(ol::kFolderTasks))));
  EXPECT_EQ(log, (Log{"BeforeFolderSwitch Tasks", "FolderSwitch", "SelectionChange 0"}));
  EXPECT_THROW(explorer->SetCurrentFolder(nullptr), HostError);
}

TEST_F(SimWindowsTest, ViewSwitchesFireInOrderAndACancelledOneKeepsTheView) {
  auto explorer = outlook->OpenExplorer();
  Watch(explorer);
  cancel_next = true;
  explorer->SetCurrentView("Unread Messages");
  EXPECT_EQ(explorer->CurrentView(), "Messages");
  cancel_next = false;
  explorer->SetCurrentView("Unread Messages");
  explorer->SetCurrentView("Unread Messages");  // shown already
  EXPECT_EQ(log, (Log{"BeforeViewSwitch Unread Messages",
                      "BeforeViewSwitch Unread Messages", "ViewSwitch"}));
  EXPECT_EQ(explorer->CurrentView(), "Unread Messages");
  EXPECT_THROW(explorer->SetCurrentView("No such view"), HostError);
  EXPECT_FALSE(explorer->SwitchView("No such view"));
}

TEST_F(SimWindowsTest, AFilteredViewKeepsOnlyTheSelectedItemsItShows) {
  auto a = NewMail("A");
  auto b = NewMail("B");
  auto explorer = outlook->OpenExplorer();
  auto view = Default(ol::kFolderInbox)->Views()->Add("Only B", ol::kOlTableView, 0);
  std::string xml = view->XML();
  xml.insert(xml.find("<viewname>"),
             "<filter>&quot;urn:schemas:httpmail:subject&quot; = 'B'</filter>");
  view->SetXML(xml);
  explorer->Select({NodeOf(a), NodeOf(b)});
  Watch(explorer);
  explorer->SetCurrentView("Only B");
  EXPECT_EQ(log, (Log{"BeforeViewSwitch Only B", "ViewSwitch", "SelectionChange 1 B"}));
  log.clear();
  explorer->SetCurrentView("Messages");  // B is still shown: nothing to change
  EXPECT_EQ(log, (Log{"BeforeViewSwitch Messages", "ViewSwitch"}));
}

TEST_F(SimWindowsTest, SelectionChangesOnceForEachChangeOfTheSelectedItems) {
  auto a = NewMail("A");
  auto b = NewMail("B");
  auto explorer = outlook->OpenExplorer();
  Watch(explorer);
  explorer->Select({NodeOf(a), NodeOf(b)});
  explorer->Select({NodeOf(a), NodeOf(b)});  // the same: nothing happens
  auto selection = explorer->Selection();
  ASSERT_EQ(selection->Count(), 2);
  EXPECT_EQ(selection->Item(2)->Subject(), "B");
  EXPECT_THROW(selection->Item(3), HostError);

  a->SetSubject("A changed");
  a->Save();    // a saved change redraws the selection
  b->Delete();  // an item deleted (to Deleted Items) leaves it
  EXPECT_EQ(log, (Log{"SelectionChange 2 A", "SelectionChange 2 A changed",
                      "SelectionChange 1 A changed"}));
  EXPECT_EQ(selection->Count(), 2);  // what was handed out is a snapshot
  EXPECT_EQ(selection->Item(2)->Parent()->Name(), "Deleted Items");
  NewMail("Unselected")->Save();
  EXPECT_EQ(log.size(), 3u);
}

TEST_F(SimWindowsTest, DisplayAnnouncesTheWindowThenOpensTheItemThenActivatesIt) {
  auto mail = NewMail("Shown");
  WatchInspectors();
  mail->Display();
  EXPECT_EQ(log, (Log{"NewInspector Shown", "Open", "Inspector.Activate"}));
  auto window = outlook->ActiveInspector();
  ASSERT_NE(window, nullptr);
  EXPECT_EQ(window->Caption(), "Shown - Message (Plain Text)");
  EXPECT_EQ(mail->GetInspector(), window);

  log.clear();
  mail->Display();  // its window is open and active already
  EXPECT_TRUE(log.empty());
  EXPECT_EQ(outlook->Inspectors()->Count(), 1);
}

TEST_F(SimWindowsTest, ACancelledOpenClosesTheWindowBeforeItShows) {
  auto shown = NewMail("Shown");
  auto hidden = NewMail("Hidden");
  WatchInspectors();
  shown->Display();
  cancel_open = true;
  log.clear();
  hidden->Display();
  EXPECT_EQ(log, (Log{"NewInspector Hidden", "Open", "Inspector.Close"}));
  EXPECT_EQ(outlook->Inspectors()->Count(), 1);
  EXPECT_EQ(outlook->ActiveInspector()->CurrentItem()->Subject(), "Shown");
}

TEST_F(SimWindowsTest, ReplyCommandsOpenTheAnswerToTheSelectedOrShownItem) {
  auto mail = NewMail("Question");
  NodeOf(mail)->members["SenderName"] = Variant("Dana Whitfield");
  auto explorer = outlook->OpenExplorer();
  WatchInspectors();
  auto window = explorer->RunAnswerCommand(AnswerKind::kReplyAll);
  EXPECT_EQ(log, (Log{"NewInspector RE: Question", "Open", "Inspector.Activate"}));
  ASSERT_NE(window, nullptr);
  EXPECT_EQ(window->CurrentItem()->Get("To"), Variant("Dana Whitfield"));
  EXPECT_EQ(window->CurrentItem()->EntryID(), "");

  log.clear();
  auto forward = window->RunAnswerCommand(AnswerKind::kForward);
  EXPECT_EQ(log, (Log{"NewInspector FW: RE: Question", "Open", "Inspector.Activate"}));
  EXPECT_EQ(outlook->ActiveInspector(), forward);

  log.clear();
  cancel_open = true;
  EXPECT_EQ(explorer->RunAnswerCommand(AnswerKind::kReply), nullptr);
  EXPECT_EQ(log, (Log{"NewInspector RE: Question", "Open", "Inspector.Close"}));
  explorer->Select({});
  EXPECT_EQ(explorer->RunAnswerCommand(AnswerKind::kReply), nullptr);
  EXPECT_EQ(AnswerKindOfControl(355), AnswerKind::kReplyAll);
  EXPECT_EQ(AnswerKindOfControl(357), std::nullopt);
}

TEST_F(SimWindowsTest, TheReplyButtonsRunTheCommandsAfterTheirClick) {
  NewMail("Question");
  auto explorer = outlook->OpenExplorer();
  WatchInspectors();
  auto& bars = *explorer->command_bars();
  auto reply = bars.FindById(command::kReply, "Standard");
  ASSERT_NE(reply, nullptr);
  auto clicked = bars.Click(reply);
  EXPECT_TRUE(clicked.action_ran);
  EXPECT_EQ(log, (Log{"NewInspector RE: Question", "Open", "Inspector.Activate"}));

  // The answer's own window answers its item in turn.
  log.clear();
  auto& window_bars = *outlook->inspectors().back()->command_bars();
  window_bars.Click(window_bars.FindById(command::kForward));
  EXPECT_EQ(log, (Log{"NewInspector FW: RE: Question", "Open", "Inspector.Activate"}));
}

TEST_F(SimWindowsTest, ActivateFiresOnlyForAWindowThatWasNotActive) {
  auto first = outlook->OpenExplorer();
  auto second = outlook->OpenExplorer();
  Watch(first);
  EXPECT_EQ(outlook->ActiveExplorer(), second);
  first->Activate();
  first->Activate();
  EXPECT_EQ(log, Log{"Activate"});
  EXPECT_EQ(outlook->ActiveExplorer(), first);
  NewMail("Window")->Display();  // an item window takes the focus
  first->Activate();
  EXPECT_EQ(log, (Log{"Activate", "Activate"}));
  EXPECT_EQ(outlook->ActiveInspector()->CurrentItem()->Subject(), "Window");
  first->Close();
  EXPECT_EQ(outlook->ActiveExplorer(), second);
  EXPECT_EQ(log.back(), "Close");
}

TEST_F(SimWindowsTest, ClosingAnItemWindowSavesDiscardsOrAsks) {
  auto mail = Default(ol::kFolderInbox)->Items()->Add(ol::kMailItem);
  mail->SetSubject("Draft");
  mail->Display();
  auto window = outlook->ActiveInspector();
  EXPECT_THROW(window->Close(3), HostError);
  world.message_boxes.QueueAnswer(mb::kCancel);
  window->Close(ol::kOlPromptForSave);
  ASSERT_EQ(world.message_boxes.shown().size(), 1u);
  EXPECT_EQ(world.message_boxes.shown()[0].text, "Do you want to save changes?");
  EXPECT_EQ(outlook->Inspectors()->Count(), 1);  // Cancel keeps it open
  world.message_boxes.QueueAnswer(mb::kYes);
  window->Close(ol::kOlPromptForSave);
  EXPECT_EQ(outlook->Inspectors()->Count(), 0);
  EXPECT_NE(mail->EntryID(), "");

  auto other = Default(ol::kFolderInbox)->Items()->Add(ol::kMailItem);
  other->Display();
  outlook->ActiveInspector()->Close(ol::kOlDiscard);
  EXPECT_EQ(other->EntryID(), "");
  auto third = Default(ol::kFolderInbox)->Items()->Add(ol::kMailItem);
  third->Display();
  outlook->ActiveInspector()->Close(ol::kOlSave);
  EXPECT_NE(third->EntryID(), "");
  EXPECT_EQ(outlook->ActiveInspector(), nullptr);
  EXPECT_EQ(world.message_boxes.shown().size(), 2u);
}

TEST_F(SimWindowsTest, EditorTypeFollowsTheBodyFormatAndTheWordEditor) {
  auto mail = NewMail("Plain");
  auto html = NewMail("Html");
  WriteHtmlBody(*NodeOf(html), "<html><body>x</body></html>");
  auto task = Default(ol::kFolderTasks)->Items()->Add(ol::kTaskItem);
  EXPECT_EQ(mail->GetInspector()->EditorType(), ol::kOlEditorText);
  EXPECT_EQ(html->GetInspector()->EditorType(), ol::kOlEditorHTML);
  EXPECT_EQ(html->GetInspector()->Caption(), "Html - Message (HTML)");
  EXPECT_EQ(task->GetInspector()->EditorType(), ol::kOlEditorRTF);
  outlook->set_word_mail_editor(true);
  EXPECT_EQ(html->GetInspector()->EditorType(), ol::kOlEditorWord);
  EXPECT_EQ(task->GetInspector()->EditorType(), ol::kOlEditorRTF);
}

// An add-in that only notes what the host tells it at connection.
class Probe : public IDTExtensibility2 {
 public:
  explicit Probe(std::string* version) : version_(version) {}
  void OnConnection(HostApplicationPtr app, int, std::shared_ptr<COMAddIn>,
                    Custom&) override {
    *version_ = app->Version();
  }
  void OnDisconnection(int, Custom&) override {}
  void OnAddInsUpdate(Custom&) override {}
  void OnStartupComplete(Custom&) override {}
  void OnBeginShutdown(Custom&) override {}

 private:
  std::string* version_;
};

TEST(SimRunTest, VersionAndEditorAreSetPerRun) {
  for (std::string version : {"9.0.0.6627", "10.0.6626", ""}) {
    World world;
    world.store.AddStore("Mailbox", true);
    std::string seen;
    HostOptions options;
    options.outlook_version = version;
    options.word_mail_editor = !version.empty();
    HostSession session(
        &world, [&](const Platform&) { return std::make_shared<Probe>(&seen); }, options);
    session.Start();
    EXPECT_EQ(seen, version.empty() ? "11.0.0.8217" : version);
    EXPECT_EQ(session.outlook()->word_mail_editor(), !version.empty());
    EXPECT_EQ(session.outlook()->major_version(),
              version.empty() ? 11 : std::stoi(version));
    session.Stop();
    EXPECT_TRUE(world.defects().empty());
  }
}

// An add-in that counts the activations of the main window open at start-up.
class ActivationCounter : public IDTExtensibility2 {
 public:
  explicit ActivationCounter(int* count) : count_(count) {}
  void OnConnection(HostApplicationPtr app, int, std::shared_ptr<COMAddIn>,
                    Custom&) override {
    app_ = std::dynamic_pointer_cast<ol::Application>(app);
  }
  void OnDisconnection(int, Custom&) override { sub_.Reset(); }
  void OnAddInsUpdate(Custom&) override {}
  void OnStartupComplete(Custom&) override {
    sub_ = app_->ActiveExplorer()->OnActivate([this] { ++*count_; });
  }
  void OnBeginShutdown(Custom&) override {}

 private:
  int* count_;
  std::shared_ptr<ol::Application> app_;
  Subscription sub_;
};

TEST(SimRunTest, SwitchingTheAddinOffAndOnActivatesTheMainWindowAgain) {
  World world;
  world.store.AddStore("Mailbox", true);
  int activations = 0;
  HostSession session(&world, [&](const Platform&) {
    return std::make_shared<ActivationCounter>(&activations);
  });
  session.Start();
  EXPECT_EQ(activations, 1);  // the start-up window showing
  session.Reconnect();
  EXPECT_EQ(activations, 2);  // back from the COM Add-ins dialog
  session.Stop();
  EXPECT_TRUE(world.defects().empty());
}

TEST_F(SimWindowsTest, AThrowingHandlerIsADefectNotACrash) {
  auto explorer = outlook->OpenExplorer();
  Subscription s = explorer->OnFolderSwitch([] { throw std::runtime_error("bug"); });
  explorer->SetCurrentFolder(Default(ol::kFolderDrafts));
  ASSERT_EQ(world.defects().size(), 1u);
  EXPECT_EQ(world.defects()[0], "Explorer.FolderSwitch: bug reached the host");
  EXPECT_EQ(explorer->CurrentFolder()->Name(), "Drafts");
  world.ClearDefects();
}

}  // namespace
}  // namespace pinlet::sim

namespace pinlet::sim {
namespace {

// The desktop's focus and Outlook's windows agree: another window taking the
// focus deactivates the explorer, and the explorer getting it back fires
// its Activate again.
TEST_F(SimTest, AnExplorerThatGetsTheFocusBackIsActivatedAgain) {
  auto explorer = outlook->OpenExplorer();
  int activations = 0;
  Subscription sub = explorer->OnActivate([&] { ++activations; });
  WindowHandle note = world.windows.Create("Subject: a note");
  EXPECT_EQ(world.windows.active(), note);
  EXPECT_EQ(activations, 0);
  ASSERT_TRUE(world.windows.Activate(explorer->hwnd()));
  EXPECT_EQ(activations, 1);
  outlook->ActivateExplorer(explorer);  // already active: nothing fires
  EXPECT_EQ(activations, 1);
  world.windows.Activate(note);
  world.windows.Destroy(note);  // the explorer is next in line
  EXPECT_EQ(activations, 2);
}

}  // namespace
}  // namespace pinlet::sim
