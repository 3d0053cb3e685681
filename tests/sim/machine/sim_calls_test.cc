// Every member of the windows, items, recipients, attachments and the
// SafeMailItem passes the fault injector exactly once, under its host name,
// and fails when told to.
#include <functional>

#include "platform/mapi_helpers.h"
#include "sim_fixture.h"

namespace pinlet::sim {
namespace {

struct Call {
  const char* member;
  std::function<void()> call;
};

TEST_F(SimTest, EachMemberIsOneCheckedCallUnderItsHostName) {
  auto explorer = outlook->OpenExplorer();
  auto mail = NewMail("Calls");
  auto node = NodeOf(mail);
  for (const char* name : {"Ann Lee", "Bo Yu", "Cy Ek", "Di Fo"})
    node->recipients.push_back(
        std::make_shared<RecipientNode>(RecipientNode{name, "", ol::kOlTo, false}));
  world.files.Store("C:\\Temp\\a.txt", "bytes");
  auto attachments = mail->Attachments();
  auto attachment = attachments->Add("C:\\Temp\\a.txt");
  auto recipients = mail->Recipients();
  auto recipient = recipients->Item(1);
  auto doomed = recipients->Item(2);
  auto selection = explorer->Selection();
  mail->Display();
  auto inspector = outlook->ActiveInspector();
  auto other = NewMail("Other");
  auto safe = world.objects->CreateSafeMailItem();
  safe->SetItem(mail);
  auto safe_recipients = safe->Recipients();
  auto safe_recipient = safe_recipients->Item(1);
  auto drafts = Default(ol::kFolderDrafts);
  std::vector<Subscription> subs;
  auto keep = [&](Subscription s) { subs.push_back(std::move(s)); };

  const Call calls[] = {
      {"Application.ActiveInspector", [&] { outlook->ActiveInspector(); }},
      {"Explorer.Activate", [&] { explorer->Activate(); }},
      {"Explorer.Selection", [&] { explorer->Selection(); }},
      {"Folder.Description", [&] { drafts->SetDescription("Unsent mail"); }},
      {"Explorer.CurrentFolder", [&] { explorer->SetCurrentFolder(drafts); }},
      {"Explorer.CurrentView", [&] { explorer->SetCurrentView("Messages"); }},
      {"Explorer.Advise", [&] { keep(explorer->OnActivate([] {})); }},
      {"Explorer.Advise",
       [&] { keep(explorer->OnBeforeFolderSwitch([](const ol::FolderPtr&, bool&) {})); }},
      {"Explorer.Advise",
       [&] { keep(explorer->OnBeforeViewSwitch([](const std::string&, bool&) {})); }},
      {"Selection.Count", [&] { selection->Count(); }},
      {"Selection.Item", [&] { selection->Item(1); }},
      {"Inspector.EditorType", [&] { inspector->EditorType(); }},
      {"Inspector.Activate", [&] { inspector->Activate(); }},
      {"Inspector.Advise", [&] { keep(inspector->OnActivate([] {})); }},
      {"Inspector.Close", [&] { inspector->Close(ol::kOlDiscard); }},
      {"Item.Display", [&] { other->Display(); }},
      {"Item.Recipients", [&] { mail->Recipients(); }},
      {"Item.Reply", [&] { mail->Reply(); }},
      {"Item.ReplyAll", [&] { mail->ReplyAll(); }},
      {"Item.Forward", [&] { mail->Forward(); }},
      {"Item.Advise", [&] { keep(mail->OnOpen([](bool&) {})); }},
      {"Item.To", [&] { mail->Get("To"); }},
      {"Item.CC", [&] { mail->Put("CC", Variant("Gil Ho")); }},
      {"Item.BCC", [&] { mail->Get("BCC"); }},
      {"Item.Body", [&] { mail->Put("Body", Variant("text")); }},
      {"Item.HTMLBody", [&] { mail->Put("HTMLBody", Variant("<body>x</body>")); }},
      {"Item.BodyFormat", [&] { mail->Get("BodyFormat"); }},
      {"Item.RTFBody", [&] { mail->Get("RTFBody"); }},  // 438 in Outlook 2003
      {"Item.SentOn", [&] { mail->Get("SentOn"); }},
      {"Item.SentOnBehalfOfName", [&] { mail->Get("SentOnBehalfOfName"); }},
      {"Item.SenderEmailAddress", [&] { mail->Get("SenderEmailAddress"); }},
      {"Item.ReminderTime", [&] { mail->Put("ReminderTime", Variant(Date(46000.5))); }},
      {"Item.FlagDueBy", [&] { mail->Get("FlagDueBy"); }},
      {"Item.ReminderSet", [&] { mail->Put("ReminderSet", Variant(true)); }},
      {"Recipients.Count", [&] { recipients->Count(); }},
      {"Recipients.Item", [&] { recipients->Item(1); }},
      {"Recipients.Add", [&] { recipients->Add("Eve Ga"); }},
      {"Recipients.Remove", [&] { recipients->Remove(5); }},
      {"Recipient.Name", [&] { recipient->Name(); }},
      {"Recipient.Address", [&] { recipient->Address(); }},
      {"Recipient.Type", [&] { recipient->SetType(ol::kOlCC); }},
      {"Recipient.Resolved", [&] { recipient->Resolved(); }},
      {"Recipient.Resolve", [&] { recipient->Resolve(); }},
      {"Recipient.Delete", [&] { doomed->Delete(); }},
      {"Attachment.PathName", [&] { attachment->PathName(); }},
      {"Attachment.Type", [&] { attachment->Type(); }},
      {"Attachment.SaveAsFile", [&] { attachment->SaveAsFile("C:\\Temp\\b.txt"); }},
      {"Attachments.Add", [&] { attachments->Add("C:\\Temp\\a.txt"); }},
      {"CreateObject Redemption.SafeMailItem",
       [&] { world.objects->CreateSafeMailItem(); }},
      {"SafeMailItem.Item", [&] { safe->SetItem(mail); }},
      {"SafeMailItem.Subject", [&] { safe->Subject(); }},
      {"SafeMailItem.SenderName", [&] { safe->SenderName(); }},
      {"SafeMailItem.SentOnBehalfOfName", [&] { safe->SentOnBehalfOfName(); }},
      {"SafeMailItem.SentOn", [&] { safe->SentOn(); }},
      {"SafeMailItem.Recipients", [&] { safe->Recipients(); }},
      {"SafeMailItem.Body", [&] { safe->Body(); }},
      {"SafeMailItem.RTFBody", [&] { safe->RTFBody(); }},
      {"SafeRecipients.Count", [&] { safe_recipients->Count(); }},
      {"SafeRecipients.Item", [&] { safe_recipients->Item(1); }},
      {"SafeRecipient.Name", [&] { safe_recipient->Name(); }},
      {"SafeRecipient.Address", [&] { safe_recipient->Address(); }},
      {"SafeRecipient.Type", [&] { safe_recipient->Type(); }},
      {"SafeRecipient.Resolved", [&] { safe_recipient->Resolved(); }},
  };
  world.faults.set_logging(true);
  for (const Call& c : calls) {
    SCOPED_TRACE(c.member);
    int64_t before = world.faults.call_count();
    IgnoreError(c.call);  // some members answer with the host's error by contract
    ASSERT_EQ(world.faults.call_count(), before + 1);
    EXPECT_EQ(world.faults.calls().back().member, c.member);

    world.faults.FailMember(c.member, 4242, 1);
    try {
      c.call();
      ADD_FAILURE() << "did not fail";
    } catch (const HostError& e) {
      EXPECT_EQ(e.number(), 4242);
    }
    world.faults.Clear();
  }
  EXPECT_TRUE(world.defects().empty());
}

TEST_F(SimTest, OutlooksOwnWorkIsNoCallOfTheAddIns) {
  auto explorer = outlook->OpenExplorer();
  auto mail = NewMail("Own work");
  int64_t before = 0;
  auto drafts = NodeOf(Default(ol::kFolderDrafts));
  before = world.faults.call_count();
  explorer->Select({NodeOf(mail)});
  ASSERT_NE(explorer->RunAnswerCommand(AnswerKind::kReply), nullptr);
  outlook->OpenItem(NodeOf(mail));
  outlook->CloseInspector(outlook->inspectors().back());
  explorer->SwitchView("Unread Messages");
  explorer->SwitchFolder(drafts);
  EXPECT_EQ(world.faults.call_count(), before);
}

TEST(FaultInjectorTest, CallsToldToFailAddUpAndEachFailsOnce) {
  FaultInjector faults;
  faults.FailCall(2);
  faults.FailCall(3, 4242);
  std::vector<bool> failed;
  for (int i = 0; i < 4; ++i) failed.push_back(faults.Fails("RegQueryValueEx"));
  EXPECT_EQ(failed, (std::vector<bool>{false, true, true, false}));
  ASSERT_EQ(faults.failures().size(), 2u);
  EXPECT_EQ(faults.failures()[0].call, 2);
  EXPECT_EQ(faults.failures()[1].number, 4242);
  faults.FailCall(6);
  faults.Clear();
  EXPECT_FALSE(faults.Fails("RegQueryValueEx"));
  EXPECT_FALSE(faults.Fails("RegQueryValueEx"));
}

TEST(FaultInjectorTest, AMemberTheHostVersionLacksRaises438AndStillCounts) {
  FaultInjector faults;  // Outlook 2003 by default
  EXPECT_NO_THROW(faults.Check("Item.FlagIcon"));
  faults.set_host_version(10);
  for (const char* member : {"Item.FlagIcon", "NameSpace.CurrentProfileName"}) {
    try {
      faults.Check(member);
      ADD_FAILURE() << member << " answered on Outlook 2002";
    } catch (const HostError& e) {
      EXPECT_EQ(e.number(), errors::kNotSupported) << member;
      EXPECT_EQ(e.description(), "Object doesn't support this property or method");
    }
  }
  EXPECT_THROW(faults.Fails("Item.RTFBody"), HostError);
  EXPECT_NO_THROW(faults.Check("Item.FlagStatus"));
  EXPECT_EQ(faults.call_count(), 5);
  // A failure told to a missing member is raised as told.
  faults.FailMember("Item.FlagIcon", errors::kOperationFailed, 1);
  try {
    faults.Check("Item.FlagIcon");
    ADD_FAILURE();
  } catch (const HostError& e) {
    EXPECT_EQ(e.number(), errors::kOperationFailed);
  }
  faults.set_host_version(11);
  EXPECT_THROW(faults.Check("NameSpace.CurrentProfileName"), HostError);
  EXPECT_NO_THROW(faults.Check("Item.FlagIcon"));
}

}  // namespace
}  // namespace pinlet::sim
