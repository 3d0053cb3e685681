// Outlook's store side across COM: items, their collections, user
// properties, attachments, recipients, folders and views.
#include "com_fixture.h"

namespace pinlet::com {
namespace {

using Answers = std::vector<std::string>;

TEST_F(ComObjectsTest, StoreMembersAnswerAsTheHostWithOneCallEach) {
  ExpectSameRun([](ol::Application& app, SimHost& sim, Answers& out) {
    sim.world.files.Store("C:\\Temp\\minutes.txt", "Minutes of the meeting");
    auto ns = app.GetNameSpace("MAPI");
    // Outlook 2003 has no CurrentProfileName: 438 crosses COM as it is.
    try {
      out.push_back(ns->CurrentProfileName());
    } catch (const HostError& e) {
      out.push_back("error " + std::to_string(e.number()));
    }
    auto inbox = ns->GetDefaultFolder(ol::kFolderInbox);
    out.push_back(inbox->Name() + "|" + inbox->FolderPath() + "|" +
                  std::to_string(inbox->Class()) + "|" + inbox->StoreID());
    auto items = inbox->Items();
    out.push_back(std::to_string(items->Count()));
    auto first = items->Item(1);
    out.push_back(first->Subject() + "|" + first->MessageClass() + "|" +
                  std::to_string(first->Class()) + "|" + first->EntryID());
    out.push_back(ToText(first->Get("SentOn")) + "|" + ToText(first->Get("Body")) + "|" +
                  ToText(first->Get("UnRead")) + "|" + ToText(first->Get("To")));
    out.push_back(std::to_string(first->LastModificationTime().value()));
    first->Put("FlagStatus", Variant(int32_t{2}));
    first->Put("ReminderTime", Variant(Date::FromParts(2026, 12, 24, 8, 30, 0)));
    out.push_back(ToText(first->Get("FlagStatus")) + "|" +
                  ToText(first->Get("ReminderTime")) + "|" +
                  ToText(Variant(first->Saved())));
    first->Save();
    // Recipients.
    auto recipients = first->Recipients();
    auto added_to = recipients->Add("lena.ortiz@example.com");
    out.push_back(ToText(Variant(added_to->Resolve())));
    out.push_back(added_to->Address());
    out.push_back(std::to_string(recipients->Count()) + "|" + added_to->Name());
    added_to->SetType(ol::kOlCC);
    out.push_back(std::to_string(recipients->Item(1)->Type()) + "|" +
                  std::to_string(added_to->Type()) + "|" + ToText(first->Get("CC")));
    recipients->Remove(recipients->Count());
    // Attachments, by value and by reference, with and without a name.
    auto contract = items->Item("Draft contract for Hallam & Sons");
    auto attachments = contract->Attachments();
    auto linked =
        attachments->Add("C:\\Temp\\minutes.txt", ol::kOlByReference, "Minutes");
    auto copied = attachments->Add("C:\\Temp\\minutes.txt");
    out.push_back(std::to_string(attachments->Count()) + "|" + linked->DisplayName() +
                  "|" + linked->PathName() + "|" + std::to_string(linked->Type()) + "|" +
                  copied->FileName() + "|" + std::to_string(copied->Index()));
    attachments->Item(1)->SaveAsFile("C:\\Temp\\contract.rtf");
    out.push_back(
        sim.world.files.Peek("C:\\Temp\\contract.rtf").value_or("(none)").substr(0, 5));
    attachments->Remove(3);
    linked->Delete();
    // A new item with user properties, saved and moved.
    auto added = items->Add(ol::kMailItem);
    added->SetSubject("Notes for Monday");
    out.push_back("[" + added->EntryID() + "]");
    auto props = added->UserProperties();
    props->Add("ZPNHasNote", ol::kOlText, true)->SetValue(Variant("TRUE"));
    out.push_back(ToText(props->Find("zpnhasnote")->Value()) + "|" +
                  std::to_string(props->Count()) + "|" +
                  (props->Find("Absent") ? "found" : "Nothing") + "|" +
                  props->Item(1)->Name() + "|" +
                  std::to_string(props->Item("ZPNHasNote")->Type()));
    added->Save();
    auto projects = inbox->Folders()->Item("Projects");
    auto moved = added->Move(projects);
    out.push_back(moved->Parent()->Name() + "|" + moved->EntryID());
    auto post = projects->Items()->Add("IPM.Post");
    out.push_back(post->MessageClass() + "|" + std::to_string(post->Class()));
    // Folders and views.
    auto sub = inbox->Folders()->Add("Pinlet test", ol::kFolderInbox);
    sub->SetDescription("for the test");
    sub->SetName("Pinlet tests");
    sub->SetCustomViewsOnly(true);
    out.push_back(sub->Name() + "|" + sub->Description() + "|" +
                  ToText(Variant(sub->CustomViewsOnly())) + "|" +
                  std::to_string(inbox->Folders()->Count()));
    auto views = sub->Views();
    auto view = views->Add("Items with Notes", ol::kOlTableView, 0);
    view->SetXML("<view type=\"table\"/>");
    view->Save();
    out.push_back(std::to_string(views->Count()) + "|" +
                  views->Item("Items with Notes")->XML() + "|" +
                  std::to_string(views->Item(1)->ViewType()) + "|" +
                  sub->CurrentView()->Name());
    views->Remove(views->Count());
    sub->Delete();
    // A store's root has no folder as its Parent.
    auto root = inbox->Parent();
    out.push_back(root->Name() + "|" + (root->Parent() ? "a folder" : "Nothing"));
    out.push_back(ns->GetItemFromID(first->EntryID(), inbox->StoreID())->Subject() + "|" +
                  ns->GetFolderFromID(projects->EntryID())->Name() + "|" +
                  std::to_string(ns->Folders()->Count()));
  });
}

TEST_F(ComObjectsTest, FailuresArriveWithTheHostsNumbersAndUnknownNamesRaise438) {
  app = ClientOf(host);
  auto items = app->GetNameSpace("MAPI")->GetDefaultFolder(ol::kFolderInbox)->Items();
  auto contact =
      app->GetNameSpace("MAPI")->GetDefaultFolder(ol::kFolderContacts)->Items()->Item(1);
  std::optional<HostError> direct;
  {
    auto sim_items =
        host.outlook->GetNameSpace("MAPI")->GetDefaultFolder(ol::kFolderInbox)->Items();
    direct = Attempt([&] { sim_items->Item(999); });
  }
  ASSERT_TRUE(direct);
  std::optional<HostError> over_com = Attempt([&] { items->Item(999); });
  ASSERT_TRUE(over_com);
  EXPECT_EQ(over_com->number(), direct->number());
  EXPECT_EQ(over_com->description(), direct->description());

  host.world.faults.FailMember("Items.Item", errors::kNotFound, 1);
  EXPECT_EQ(ErrorOf([&] { items->Item(1); }),
            "error " + std::to_string(errors::kNotFound));
  host.world.faults.FailMember("Item.Save", errors::kOperationFailed, 1);
  auto mail = items->Item(1);
  EXPECT_EQ(ErrorOf([&] { mail->Save(); }),
            "error " + std::to_string(errors::kOperationFailed));

  // A member the item's class lacks is refused by the host; a name no item
  // has is refused by the object itself, with no host call.
  EXPECT_EQ(ErrorOf([&] { contact->Put("FlagStatus", Variant(int32_t{2})); }),
            "error 438");
  EXPECT_EQ(ErrorOf([&] { mail->Put("SenderName", Variant("someone")); }), "error 438");
  int64_t before = host.count();
  EXPECT_EQ(ErrorOf([&] { mail->Get("NoSuchMember"); }), "error 438");
  EXPECT_EQ(host.count(), before);
  // A value that does not convert is a type mismatch of the caller's side.
  mail->Put("Body", Variant("text"));
  EXPECT_EQ(ErrorOf([&] { mail->Put("ReminderTime", Variant("not a date")); }),
            "error 13");
}

TEST_F(ComObjectsTest, OneStoreItemIsOneObjectAndIsSameObjectCallsNothing) {
  app = ClientOf(host);
  auto items = app->GetNameSpace("MAPI")->GetDefaultFolder(ol::kFolderInbox)->Items();
  auto first = items->Item(1);
  auto again = items->Item(1);
  auto second = items->Item(2);
  auto by_subject = items->Item(first->Subject());
  EXPECT_EQ(first, again);  // the host's one object, so the one client
  EXPECT_EQ(first, by_subject);
  int64_t before = host.count();
  EXPECT_TRUE(first->IsSameObject(again));
  EXPECT_FALSE(first->IsSameObject(second));
  EXPECT_FALSE(first->IsSameObject(nullptr));
  // A platform item of the host's own, handed over, is the same object too.
  auto node = host.Default(ol::kFolderInbox)->items.front();
  EXPECT_TRUE(first->IsSameObject(sim::WrapItem(&host.world, node)));
  EXPECT_EQ(host.count(), before);
  // A client handed back is the host's own object.
  ComPtr<IDispatch> back = ToDispatch(first);
  EXPECT_EQ(back.get(), dynamic_cast<ClientObject&>(*first).dispatch());
  // An unsaved item keeps its identity too.
  auto fresh = items->Add(ol::kMailItem);
  EXPECT_TRUE(fresh->IsSameObject(fresh));
  EXPECT_FALSE(fresh->IsSameObject(first));
}

TEST_F(ComObjectsTest, ObjectsPassedBackReachTheHostAsItsOwn) {
  app = ClientOf(host);
  auto ns = app->GetNameSpace("MAPI");
  auto inbox = ns->GetDefaultFolder(ol::kFolderInbox);
  auto projects = inbox->Folders()->Item("Projects");
  auto mail = inbox->Items()->Item("Backup report");
  auto moved = mail->Move(projects);
  EXPECT_EQ(moved->Parent()->FolderPath(), projects->FolderPath());
  EXPECT_NE(host.world.store.FindBySubject(
                *host.Default(ol::kFolderInbox)->children.front(), "Backup report"),
            nullptr);
}

TEST_F(ComObjectsTest, OpenCancelledThroughTheClientKeepsTheWindowShut) {
  app = ClientOf(host);
  auto mail =
      app->GetNameSpace("MAPI")->GetDefaultFolder(ol::kFolderInbox)->Items()->Item(1);
  auto node = host.Default(ol::kFolderInbox)->items.front();
  bool cancel_it = true;
  int opened = 0, also_seen = 0;
  int64_t before = host.count();
  {
    Subscription open = mail->OnOpen([&](bool& cancel) {
      ++opened;
      EXPECT_FALSE(cancel);
      cancel = cancel_it;
    });
    long sinks = EventHub::connected_sinks();
    Subscription second = mail->OnOpen([&](bool& cancel) {
      ++also_seen;
      EXPECT_EQ(cancel, cancel_it);  // the first handler's answer
    });
    EXPECT_EQ(EventHub::connected_sinks(), sinks);  // one connection per item
    EXPECT_EQ(host.Calls(host.world.faults.calls().size() - 1),
              std::vector<std::string>{"Item.Advise " + node->entry_id});
    EXPECT_EQ(host.count(), before + 1);
    EXPECT_EQ(host.outlook->OpenItem(node), nullptr);
    cancel_it = false;
    EXPECT_NE(host.outlook->OpenItem(node), nullptr);
  }
  EXPECT_EQ(opened, 2);
  EXPECT_EQ(also_seen, 2);
  EXPECT_EQ(node->open.handler_count(), 0u);
}

TEST_F(ComObjectsTest, AFailedSubscriptionRaisesThroughOnOpen) {
  app = ClientOf(host);
  auto mail =
      app->GetNameSpace("MAPI")->GetDefaultFolder(ol::kFolderInbox)->Items()->Item(1);
  host.world.faults.FailMember("Item.Advise", errors::kOperationFailed, 1);
  EXPECT_EQ(ErrorOf([&] { mail->OnOpen([](bool&) {}); }),
            "error " + std::to_string(errors::kOperationFailed));
  Subscription later = mail->OnOpen([](bool&) {});
  EXPECT_TRUE(later.connected());
}

}  // namespace
}  // namespace pinlet::com
