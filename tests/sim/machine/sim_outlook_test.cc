// The simulated object model: properties per class, helper libraries,
// windows and the fault injector.
#include "sim/machine/host_session.h"
#include "sim/machine/sim_mapi_helpers.h"
#include "sim_fixture.h"

namespace pinlet::sim {
namespace {

TEST_F(SimTest, UserPropertiesAreFoundAddedOnceAndKeptAsText) {
  auto mail = NewMail("Props");
  auto props = mail->UserProperties();
  EXPECT_EQ(props->Find("ZPNHasNote"), nullptr);
  auto prop = props->Add("ZPNHasNote", ol::kOlText, true);
  prop->SetValue(Variant(int32_t{1}));
  EXPECT_EQ(props->Find("zpnhasnote")->Value(), Variant("1"));
  EXPECT_THROW(props->Add("ZPNHasNote", ol::kOlText, true), HostError);
  EXPECT_EQ(world.store.FindFolder(Default(ol::kFolderInbox)->EntryID())->user_fields,
            std::vector<std::string>{"ZPNHasNote"});
  prop->Delete();
  EXPECT_EQ(props->Count(), 0);
  EXPECT_THROW(prop->Value(), HostError);
}

TEST_F(SimTest, MembersTheClassLacksRaise438) {
  auto mail = NewMail("Flag me");
  mail->Put("FlagStatus", Variant(int32_t{2}));
  EXPECT_EQ(mail->Get("FlagStatus"), Variant(int32_t{2}));
  auto contact = Default(ol::kFolderContacts)->Items()->Add(ol::kContactItem);
  try {
    contact->Put("FlagStatus", Variant(int32_t{2}));
    FAIL() << "a contact has no FlagStatus";
  } catch (const HostError& e) {
    EXPECT_EQ(e.number(), 438);
    EXPECT_EQ(e.description(), "Object doesn't support this property or method");
  }
  contact->Put("FullName", Variant("Ann Lee"));
  EXPECT_EQ(contact->Get("FullName"), Variant("Ann Lee"));
  EXPECT_EQ(contact->Class(), ol::kContact);
  EXPECT_EQ(contact->MessageClass(), "IPM.Contact");
}

TEST_F(SimTest, MailFlagMembersAndTheHelperLibrarySeeTheSameProperty) {
  auto mail = NewMail("Flag");
  auto utils = world.objects->CreateMapiUtils();
  EXPECT_THROW(utils->HrGetOneProp(mail, kPrFlagStatus), HostError);
  mail->Put("FlagStatus", Variant(int32_t{2}));
  mail->Put("FlagIcon", Variant(int32_t{6}));
  EXPECT_EQ(ToLong(utils->HrGetOneProp(mail, kPrFlagStatus)), 2);
  utils->HrSetOneProp(mail, kPrFlagIcon, Variant(int32_t{3}), true);
  EXPECT_EQ(mail->Get("FlagIcon"), Variant(int32_t{3}));
}

TEST_F(SimTest, CdoFieldsAreTheItemsUserPropertiesAndDocumentsKeepOnlyThose) {
  auto doc = Default(ol::kFolderInbox)->Items()->Add("IPM.Document.Word.Document.8");
  doc->Save();
  EXPECT_EQ(doc->Class(), ol::kDocument);
  doc->UserProperties()->Add("ZPNTitle", ol::kOlText, true)->SetValue(Variant("lost"));
  EXPECT_EQ(ns->GetItemFromID(doc->EntryID())->UserProperties()->Find("ZPNTitle"),
            nullptr);
  auto session = world.objects->CreateCdoSession();
  EXPECT_THROW(session->GetMessage(doc->EntryID(), ""), HostError);  // not logged on
  session->Logon(false, false);
  auto message = session->GetMessage(doc->EntryID(), doc->Parent()->StoreID());
  EXPECT_THROW(message->Fields()->Item("ZPNTitle"), HostError);
  message->Fields()->Add("ZPNTitle", 8, Variant("kept"));
  message->Update();
  EXPECT_EQ(message->Fields()->Item("ZPNTitle")->Value(), Variant("kept"));
  auto mail = NewMail("m");
  mail->UserProperties()->Add("X", ol::kOlText, true)->SetValue(Variant("y"));
  mail->Save();
  EXPECT_EQ(session->GetMessage(mail->EntryID(), "")->Fields()->Item("X")->Value(),
            Variant("y"));
}

TEST_F(SimTest, HelperLibrariesThatAreNotInstalledCannotBeCreated) {
  auto& factory = static_cast<SimObjectFactory&>(*world.objects);
  factory.redemption_installed = false;
  try {
    world.objects->CreateMapiUtils();
    FAIL();
  } catch (const HostError& e) {
    EXPECT_EQ(e.number(), 429);
  }
}

TEST_F(SimTest, OutlooksOwnNotesHaveNoUserPropertiesAttachmentsOrSubjectToSet) {
  auto note = Default(ol::kFolderNotes)->Items()->Add(ol::kNoteItem);
  ASSERT_EQ(note->Class(), ol::kNote);
  auto number = [](auto&& call) {
    try {
      call();
    } catch (const HostError& e) {
      return e.number();
    }
    return 0;
  };
  EXPECT_EQ(number([&] { note->UserProperties(); }), 438);
  EXPECT_EQ(number([&] { note->Attachments(); }), 438);
  EXPECT_EQ(number([&] { note->SetSubject("x"); }), 438);
  note->Put("Body", Variant("Parking code 4417"));
  note->Save();
  EXPECT_EQ(number([&] { note->Subject(); }), 0);
  // A post beside it keeps both.
  auto post = Default(ol::kFolderNotes)->Items()->Add(ol::kPostItem);
  EXPECT_EQ(number([&] { post->UserProperties(); }), 0);
  EXPECT_EQ(number([&] { post->SetSubject("x"); }), 0);
}

TEST_F(SimTest, ViewsHaveStandardSetsAndNamesAreUnique) {
  auto inbox = Default(ol::kFolderInbox);
  EXPECT_EQ(inbox->CurrentView()->Name(), "Messages");
  EXPECT_NE(inbox->CurrentView()->XML().find("<viewname>Messages</viewname>"),
            std::string::npos);
  auto contacts = Default(ol::kFolderContacts);
  EXPECT_EQ(contacts->CurrentView()->ViewType(), ol::kOlCardView);
  auto view = inbox->Views()->Add("Mine", ol::kOlTableView, 1);
  EXPECT_NE(view->XML().find("<viewname>Mine</viewname>"), std::string::npos);
  EXPECT_THROW(inbox->Views()->Add("Mine", ol::kOlTableView, 1), HostError);
  int count = inbox->Views()->Count();
  inbox->Views()->Remove(count);
  EXPECT_THROW(view->XML(), HostError);
  EXPECT_THROW(inbox->Views()->Item("Mine"), HostError);
}

TEST_F(SimTest, WindowsFireTheirEventsInTheHostsOrder) {
  std::vector<std::string> events;
  auto explorers = outlook->Explorers();
  Subscription on_new =
      explorers->OnNewExplorer([&](ol::ExplorerPtr) { events.push_back("NewExplorer"); });
  auto explorer = outlook->OpenExplorer();
  EXPECT_EQ(explorers->Count(), 1);
  EXPECT_EQ(outlook->ActiveExplorer(), explorer);
  Subscription on_close = explorer->OnClose([&] { events.push_back("Close"); });
  Subscription on_view = explorer->OnViewSwitch([&] { events.push_back("ViewSwitch"); });
  explorer->SetCurrentView("Unread Messages");
  EXPECT_THROW(explorer->SetCurrentView("No such view"), HostError);
  explorer->Close();
  EXPECT_EQ(events, (std::vector<std::string>{"NewExplorer", "ViewSwitch", "Close"}));
  EXPECT_EQ(outlook->Explorers()->Count(), 0);
  EXPECT_EQ(outlook->ActiveExplorer(), nullptr);
}

TEST_F(SimTest, DisplayOpensAnInspectorOnTheItem) {
  auto mail = NewMail("Open me");
  std::string seen;
  Subscription s = outlook->Inspectors()->OnNewInspector(
      [&](ol::InspectorPtr inspector) { seen = inspector->CurrentItem()->Subject(); });
  mail->Display();
  EXPECT_EQ(seen, "Open me");
  EXPECT_EQ(mail->GetInspector()->Caption(), "Open me - Message (Plain Text)");
}

TEST_F(SimTest, FaultInjectorFailsTheNthCallOrANamedMember) {
  auto inbox = Default(ol::kFolderInbox);
  world.faults.FailCall(world.faults.call_count() + 2);
  EXPECT_NO_THROW(inbox->Name());
  try {
    inbox->Name();
    FAIL();
  } catch (const HostError& e) {
    EXPECT_EQ(e.description(), "Simulated failure of Folder.Name");
  }
  EXPECT_NO_THROW(inbox->Name());
  world.faults.FailMember("Items.Add");
  EXPECT_THROW(inbox->Items()->Add(ol::kMailItem), HostError);
  world.faults.Clear();
  EXPECT_NO_THROW(inbox->Items()->Add(ol::kMailItem));
  EXPECT_EQ(world.faults.failures_raised(), 2);
}

}  // namespace
}  // namespace pinlet::sim

namespace pinlet::sim {
namespace {

// Each member the add-in calls passes the fault injector exactly once, and
// the simulation's own work behind it not at all.
TEST_F(SimTest, EveryMemberCallIsCountedOnce) {
  auto mail = NewMail("Count me");
  world.files.Store("C:\\report.txt", "bytes");
  auto notes = Default(ol::kFolderNotes);
  outlook->OpenInspector(mail);
  auto once = [&](const char* what, const std::function<void()>& call) {
    int64_t before = world.faults.call_count();
    call();
    EXPECT_EQ(world.faults.call_count() - before, 1) << what;
  };
  once("Folder.CurrentView", [&] { notes->CurrentView(); });
  once("Inspector.Caption", [&] { outlook->inspectors().back()->Caption(); });
  once("Item.GetInspector", [&] { mail->GetInspector(); });
  auto attachments = mail->Attachments();
  once("Attachments.Add", [&] { attachments->Add("C:\\report.txt"); });
  auto addins = outlook->GetCOMAddIns();
  once("COMAddIns.Count", [&] { addins->Count(); });
  once("Application.Version", [&] { outlook->Version(); });
  once("Now", [&] { world.clock.Now(); });
  once("LibZarvoLogMsg", [&] { world.support->LogMsg(1, "text", 5, "tag", 3, 1); });
  once("Inspector.Advise", [&] { outlook->inspectors().back()->OnClose([] {}).Reset(); });
}

}  // namespace
}  // namespace pinlet::sim
