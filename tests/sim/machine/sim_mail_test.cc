// The simulated mail content: coupled bodies, recipients and the texts
// derived from them, answers, dates, attachments with real bytes, and the
// helper library's SafeMailItem.
#include <gmock/gmock.h>

#include "platform/mapi_helpers.h"
#include "sim/machine/mail_content.h"
#include "sim/machine/sample_mailbox.h"
#include "sim_fixture.h"

namespace pinlet::sim {
namespace {

using ::testing::HasSubstr;
using ::testing::Not;

class SimMailTest : public SimTest {
 protected:
  SimMailTest() { world.store.default_store()->name = "Mailbox - Pat Kelly"; }

  // A mail as it arrives: from Dana to Pat and Ravi, Cc Tom, Bcc Mia.
  ol::ItemPtr Received(const std::string& subject) {
    auto mail = NewMail(subject);
    auto node = NodeOf(mail);
    node->members["SenderName"] = Variant("Dana Whitfield");
    node->members["SenderEmailAddress"] = Variant("dana@northwind.example");
    node->members["SentOn"] = Variant(Date::FromParts(2026, 12, 7, 9, 5));
    auto add = [&](const char* name, const char* address, int type) {
      node->recipients.push_back(
          std::make_shared<RecipientNode>(RecipientNode{name, address, type, true}));
    };
    add("Pat Kelly", "pat@northwind.example", ol::kOlTo);
    add("Ravi Menon", "ravi@northwind.example", ol::kOlTo);
    add("Tom Becker", "tom@northwind.example", ol::kOlCC);
    add("Mia Chen", "mia@northwind.example", ol::kOlBCC);
    WriteBody(*node, "See you at nine.");
    return mail;
  }
  std::vector<std::string> Names(const ol::ItemPtr& item, int type) {
    std::vector<std::string> names;
    auto recipients = item->Recipients();
    for (int i = 1; i <= recipients->Count(); ++i)
      if (recipients->Item(i)->Type() == type)
        names.push_back(recipients->Item(i)->Name());
    return names;
  }
};

TEST_F(SimMailTest, WritingBodyReplacesTheHtmlAndWritingHtmlUpdatesTheBody) {
  auto mail = NewMail("Formats");
  EXPECT_EQ(mail->Get("BodyFormat"), Variant(int32_t{ol::kOlFormatPlain}));
  EXPECT_EQ(mail->Get("HTMLBody"), Variant(""));  // a plain mail has no HTML
  mail->Put("HTMLBody", Variant("<html><body><p>Hello <b>Ann</b> &amp; co</p>"
                                "<p>Line two<br>three</p></body></html>"));
  EXPECT_EQ(mail->Get("BodyFormat"), Variant(int32_t{ol::kOlFormatHTML}));
  EXPECT_EQ(mail->Get("Body"), Variant("Hello Ann & co\r\nLine two\r\nthree"));

  mail->Put("Body", Variant("Plain <now>\r\nsecond"));
  std::string html = ToText(mail->Get("HTMLBody"));
  EXPECT_THAT(html, Not(HasSubstr("<b>Ann</b>")));
  EXPECT_THAT(html, HasSubstr("Plain &lt;now&gt;<BR>\r\nsecond"));
  EXPECT_EQ(mail->Get("Body"), Variant("Plain <now>\r\nsecond"));
  EXPECT_EQ(mail->Get("BodyFormat"), Variant(int32_t{ol::kOlFormatHTML}));

  mail->Put("BodyFormat", Variant(int32_t{ol::kOlFormatPlain}));
  EXPECT_EQ(mail->Get("HTMLBody"), Variant(""));
  EXPECT_EQ(mail->Get("Body"), Variant("Plain <now>\r\nsecond"));
  EXPECT_THROW(mail->Put("BodyFormat", Variant(int32_t{7})), HostError);
}

TEST_F(SimMailTest, RtfBodyIsTheHelperLibrarysBeforeOutlook14AndCoupledFromThen) {
  auto mail = NewMail("Rich");
  WriteRtfBody(
      *NodeOf(mail),
      "{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}}{\\colortbl;\\red255\\green0\\blue0;}"
      "\\pard Caf\\'e9 {\\b bold}\\par\\u8364? sign\\par}");
  EXPECT_EQ(mail->Get("Body"), Variant("Caf\xC3\xA9 bold\r\n\xE2\x82\xAC sign\r\n"));
  try {
    mail->Get("RTFBody");  // Outlook 2003 has no such member
    FAIL();
  } catch (const HostError& e) {
    EXPECT_EQ(e.number(), errors::kNotSupported);
  }
  auto safe = world.objects->CreateSafeMailItem();
  safe->SetItem(mail);
  EXPECT_THAT(safe->RTFBody(), HasSubstr("{\\b bold}"));

  outlook->set_version("12.0.4518.1014");  // Outlook 2007 has none either
  EXPECT_THROW(mail->Get("RTFBody"), HostError);
  outlook->set_version("14.0.4760.1000");
  mail->Put("Body", Variant("Now plain {text}"));
  EXPECT_EQ(mail->Get("BodyFormat"), Variant(int32_t{ol::kOlFormatRichText}));
  EXPECT_THAT(ToText(mail->Get("RTFBody")), HasSubstr("Now plain \\{text\\}"));
  EXPECT_THAT(ToText(mail->Get("RTFBody")), Not(HasSubstr("bold")));
}

// Outlook reads a rich-text body's text as RTF reads: escapes decoded (bytes
// as Windows-1252), the fallback after \u dropped, destinations skipped, and
// a backslash before a line break a paragraph's end.
TEST_F(SimMailTest, ARichTextMailsTextIsReadWithItsEscapesAndBreaks) {
  auto mail = NewMail("Escapes");
  WriteRtfBody(*NodeOf(mail),
               "{\\rtf1\\ansi{\\*\\generator Riched20;}{\\fonttbl{\\f0 Arial;}}"
               "caf\\'e9 \\u8364?5\\~kg \\{x\\}\\\r\nnext\\tab y}");
  EXPECT_EQ(ToText(mail->Get("Body")), "caf\xC3\xA9 \xE2\x82\xAC" "5\xC2\xA0kg {x}\r\nnext\ty");
}

TEST_F(SimMailTest, ARichTextMailReadsAsHtmlAndWritingHtmlMakesItAnHtmlMail) {
  auto mail = NewMail("Rich");
  WriteRtfBody(*NodeOf(mail),
               "{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}}\\pard a<b {\\b bold \\i both}"
               " {\\ul under\\ulnone line}\\par second\\par}");
  // Reading HTMLBody renders the rich text: its text escaped, its runs kept.
  std::string html = ToText(mail->Get("HTMLBody"));
  EXPECT_THAT(html, HasSubstr("<!-- Converted from text/rtf format -->"));
  EXPECT_THAT(html, HasSubstr("a&lt;b <B>bold </B><B><I>both</I></B> <U>under</U>line"
                              "<BR>\r\nsecond</FONT>"));
  EXPECT_EQ(mail->Get("BodyFormat"), Variant(int32_t{ol::kOlFormatRichText}));
  // Writing Body keeps the format; the rich text is the new text's.
  mail->Put("Body", Variant("plain now"));
  EXPECT_EQ(mail->Get("BodyFormat"), Variant(int32_t{ol::kOlFormatRichText}));
  EXPECT_THAT(ToText(mail->Get("HTMLBody")), HasSubstr("plain now</FONT>"));
  EXPECT_THAT(ToText(mail->Get("HTMLBody")), Not(HasSubstr("<B>")));
  // Writing HTMLBody makes it an HTML mail.
  mail->Put("HTMLBody", Variant("<html><body><b>x</b></body></html>"));
  EXPECT_EQ(mail->Get("BodyFormat"), Variant(int32_t{ol::kOlFormatHTML}));
  EXPECT_EQ(mail->Get("HTMLBody"), Variant("<html><body><b>x</b></body></html>"));
  EXPECT_EQ(RtfBodyOf(ObjectOf(mail)->content()), "");
}

TEST_F(SimMailTest, ToCcAndBccAreTheRecipientsNamesAndWritingThemReplacesThose) {
  auto mail = Received("Texts");
  EXPECT_EQ(mail->Get("To"), Variant("Pat Kelly; Ravi Menon"));
  EXPECT_EQ(mail->Get("CC"), Variant("Tom Becker"));
  EXPECT_EQ(mail->Get("BCC"), Variant("Mia Chen"));
  mail->Put("To", Variant(" Lena Ortiz ;; ann@example.com"));
  EXPECT_EQ(mail->Get("To"), Variant("Lena Ortiz; ann@example.com"));
  EXPECT_EQ(mail->Get("CC"), Variant("Tom Becker"));
  auto recipients = mail->Recipients();
  ASSERT_EQ(recipients->Count(), 4);
  EXPECT_FALSE(recipients->Item(3)->Resolved());
  EXPECT_EQ(recipients->Item(3)->Address(), "");
  mail->Put("CC", Variant(""));
  EXPECT_EQ(mail->Recipients()->Count(), 3);
}

TEST_F(SimMailTest, RecipientsResolveAgainstContactsOrAsAddresses) {
  auto contact = Default(ol::kFolderContacts)->Items()->Add(ol::kContactItem);
  contact->Put("FullName", Variant("Lena Ortiz"));
  contact->Put("Email1Address", Variant("lena@northwind.example"));
  contact->Save();
  auto mail = NewMail("Resolving");
  auto recipients = mail->Recipients();
  auto lena = recipients->Add("lena ortiz");
  auto smtp = recipients->Add("ann@example.com");
  auto nobody = recipients->Add("Nobody Known");
  EXPECT_THROW(recipients->Add("  "), HostError);
  EXPECT_TRUE(lena->Resolve());
  EXPECT_EQ(lena->Name(), "Lena Ortiz");
  EXPECT_EQ(lena->Address(), "lena@northwind.example");
  EXPECT_TRUE(smtp->Resolve());
  EXPECT_EQ(smtp->Address(), "ann@example.com");
  EXPECT_FALSE(nobody->Resolve());
  EXPECT_FALSE(nobody->Resolved());

  nobody->SetType(ol::kOlBCC);
  EXPECT_EQ(mail->Get("BCC"), Variant("Nobody Known"));
  EXPECT_THROW(nobody->SetType(4), HostError);
  recipients->Remove(1);  // Lena; the others keep meaning the same people
  EXPECT_EQ(smtp->Name(), "ann@example.com");
  nobody->Delete();
  EXPECT_THROW(nobody->Name(), HostError);
  EXPECT_EQ(recipients->Count(), 1);
  EXPECT_THROW(recipients->Item(2), HostError);
  auto contact_item = Default(ol::kFolderContacts)->Items()->Item(1);
  EXPECT_THROW(contact_item->Recipients(), HostError);
}

TEST_F(SimMailTest, AnswersAddressTheRightPeopleWithOutlooksSubjects) {
  auto mail = Received("Budget");
  world.files.Store("C:\\figures.xls", "1,2,3");
  mail->Attachments()->Add("C:\\figures.xls");

  auto reply = mail->Reply();
  EXPECT_EQ(reply->Subject(), "RE: Budget");
  EXPECT_EQ(reply->EntryID(), "");  // unsaved
  EXPECT_EQ(reply->Get("To"), Variant("Dana Whitfield"));
  EXPECT_EQ(reply->Recipients()->Item(1)->Address(), "dana@northwind.example");
  EXPECT_TRUE(reply->Recipients()->Item(1)->Resolved());
  EXPECT_EQ(reply->Get("CC"), Variant(""));
  EXPECT_EQ(reply->Attachments()->Count(), 0);
  std::string quoted = ToText(reply->Get("Body"));
  EXPECT_THAT(quoted, HasSubstr("-----Original Message-----\r\nFrom: Dana Whitfield\r\n"
                                "Sent: Monday, December 07, 2026 9:05 AM\r\n"
                                "To: Pat Kelly; Ravi Menon\r\nCc: Tom Becker\r\n"
                                "Subject: Budget\r\n\r\nSee you at nine."));

  // Reply to All: the sender and the other addressees, never the owner or Bcc.
  auto all = mail->ReplyAll();
  EXPECT_EQ(Names(all, ol::kOlTo),
            (std::vector<std::string>{"Dana Whitfield", "Ravi Menon"}));
  EXPECT_EQ(Names(all, ol::kOlCC), std::vector<std::string>{"Tom Becker"});
  EXPECT_EQ(all->Get("BCC"), Variant(""));

  auto forward = mail->Forward();
  EXPECT_EQ(forward->Subject(), "FW: Budget");
  EXPECT_EQ(forward->Recipients()->Count(), 0);
  ASSERT_EQ(forward->Attachments()->Count(), 1);
  EXPECT_EQ(forward->Attachments()->Item(1)->FileName(), "figures.xls");

  EXPECT_EQ(reply->Reply()->Subject(), "RE: Budget");  // no "RE: RE: "
  EXPECT_EQ(reply->Forward()->Subject(), "FW: RE: Budget");
  forward->Save();
  EXPECT_EQ(forward->Parent()->Name(), "Drafts");
}

TEST_F(SimMailTest, AnswersKeepTheBodyFormatAndRepliesGoToWhoTheMailWasSentFor) {
  auto mail = Received("Slides");
  auto node = NodeOf(mail);
  node->members["SenderName"] = Variant("Mia Chen");
  node->members["SentOnBehalfOfName"] = Variant("Ravi Menon");
  WriteHtmlBody(*node, "<html><body lang=EN-US><p>Charts please</p></body></html>");
  auto reply = mail->Reply();
  EXPECT_EQ(reply->Get("To"), Variant("Ravi Menon"));
  EXPECT_FALSE(reply->Recipients()->Item(1)->Resolved());  // no contact for him
  EXPECT_EQ(reply->Get("BodyFormat"), Variant(int32_t{ol::kOlFormatHTML}));
  std::string html = ToText(reply->Get("HTMLBody"));
  EXPECT_EQ(html.find("<html><body lang=EN-US>\r\n<div><br></div>"), 0u);
  EXPECT_THAT(html, HasSubstr("<b>From:</b> Mia Chen On Behalf Of Ravi Menon<br>"));
  EXPECT_THAT(html, HasSubstr("<p>Charts please</p></body></html>"));
  EXPECT_THAT(ToText(reply->Get("Body")), HasSubstr("Charts please"));

  auto contact = Default(ol::kFolderContacts)->Items()->Add(ol::kContactItem);
  EXPECT_THROW(contact->Reply(), HostError);
  auto post = Default(ol::kFolderInbox)->Items()->Add(ol::kPostItem);
  EXPECT_NO_THROW(post->Forward());
  EXPECT_THROW(post->ReplyAll(), HostError);
}

TEST_F(SimMailTest, DatesAndFlagsHaveTheHostsTypesAndReadOnlyMembersRefuseWrites) {
  auto mail = NewMail("Dates");
  EXPECT_EQ(mail->Get("ReminderTime"), Variant(Date(ol::kOlNoDate)));
  EXPECT_EQ(mail->Get("SentOn"), Variant(Date(ol::kOlNoDate)));
  EXPECT_EQ(mail->Get("ReminderSet"), Variant(false));
  mail->Put("ReminderSet", Variant(true));
  mail->Put("ReminderTime", Variant("12/24/2026 9:30 AM"));
  mail->Put("FlagDueBy", Variant(Date::FromParts(2026, 12, 24, 9, 30)));
  EXPECT_EQ(mail->Get("ReminderTime"), Variant(Date::FromParts(2026, 12, 24, 9, 30)));
  EXPECT_EQ(mail->Get("FlagDueBy"), mail->Get("ReminderTime"));
  EXPECT_EQ(mail->Get("ReminderSet"), Variant(true));
  EXPECT_THROW(mail->Put("ReminderTime", Variant("soon")), HostError);
  for (const char* member : {"SentOn", "SenderName", "ReceivedTime"}) {
    try {
      mail->Put(member, Variant(""));
      FAIL() << member;
    } catch (const HostError& e) {
      EXPECT_EQ(e.number(), errors::kNotSupported) << member;
    }
  }
  mail->Put("SentOnBehalfOfName", Variant("Dana Whitfield"));
  EXPECT_EQ(mail->Get("SentOnBehalfOfName"), Variant("Dana Whitfield"));
  EXPECT_FALSE(mail->Saved());
  mail->Save();
  EXPECT_TRUE(mail->Saved());
}

TEST_F(SimMailTest, AttachmentsKeepTheirBytesThroughSaveAsFileAndAdd) {
  std::string bytes("PK\x03\x04\0\xff binary", 13);
  world.files.Store("C:\\Docs\\report.zip", bytes);
  auto mail = NewMail("Files");
  auto attached =
      mail->Attachments()->Add("C:\\Docs\\report.zip", ol::kOlByValue, "Report");
  EXPECT_EQ(attached->FileName(), "report.zip");
  EXPECT_EQ(attached->DisplayName(), "Report");
  EXPECT_EQ(attached->PathName(), "");
  world.files.Store("C:\\Docs\\report.zip", "changed later");

  world.files.MakeFolders("C:\\Temp");
  attached->SaveAsFile("C:\\Temp\\copy.zip");
  EXPECT_EQ(world.files.Peek("C:\\Temp\\copy.zip"), bytes);
  auto other = NewMail("Other");
  other->Attachments()->Add("C:\\Temp\\copy.zip");
  other->Attachments()->Item(1)->SaveAsFile("C:\\Temp\\again.zip");
  EXPECT_EQ(world.files.Peek("C:\\Temp\\again.zip"), bytes);

  try {
    attached->SaveAsFile("C:\\Missing\\copy.zip");
    FAIL();
  } catch (const HostError& e) {
    EXPECT_EQ(e.number(), errors::kHostPathNotFound);
  }
  EXPECT_FALSE(world.files.Peek("C:\\Missing\\copy.zip"));
  EXPECT_THROW(mail->Attachments()->Add("C:\\Docs\\none.txt"), HostError);

  // A link keeps the path and reads the file when it is saved.
  auto link = mail->Attachments()->Add("C:\\Docs\\report.zip", ol::kOlByReference);
  EXPECT_EQ(link->PathName(), "C:\\Docs\\report.zip");
  EXPECT_EQ(link->Type(), ol::kOlByReference);
  link->SaveAsFile("C:\\Temp\\linked.zip");
  EXPECT_EQ(world.files.Peek("C:\\Temp\\linked.zip"), "changed later");
  world.files.RemoveFile("C:\\Docs\\report.zip");
  EXPECT_THROW(link->SaveAsFile("C:\\Temp\\linked.zip"), HostError);
}

TEST_F(SimMailTest, SafeMailItemReadsWhatPrintingNeeds) {
  auto safe = world.objects->CreateSafeMailItem();
  EXPECT_THROW(safe->SenderName(), HostError);  // no item yet
  auto mail = Received("Printed");
  NodeOf(mail)->members["SenderName"] = Variant("Mia Chen");
  NodeOf(mail)->members["SentOnBehalfOfName"] = Variant("Dana Whitfield");
  safe->SetItem(mail);
  EXPECT_EQ(safe->Subject(), "Printed");
  EXPECT_EQ(safe->SenderName(), "Mia Chen");
  EXPECT_EQ(safe->SentOnBehalfOfName(), "Dana Whitfield");
  EXPECT_EQ(safe->SentOn(), Date::FromParts(2026, 12, 7, 9, 5));
  EXPECT_EQ(safe->Body(), "See you at nine.");
  EXPECT_EQ(safe->RTFBody(), "");  // a plain mail
  auto recipients = safe->Recipients();
  ASSERT_EQ(recipients->Count(), 4);
  EXPECT_EQ(recipients->Item(3)->Type(), ol::kOlCC);
  EXPECT_EQ(recipients->Item(3)->Address(), "tom@northwind.example");
  // A mail not sent on behalf of anyone answers its sender.
  NodeOf(mail)->members.erase("SentOnBehalfOfName");
  EXPECT_EQ(safe->SentOnBehalfOfName(), "Mia Chen");
  auto contact = Default(ol::kFolderContacts)->Items()->Add(ol::kContactItem);
  safe->SetItem(contact);
  EXPECT_THROW(safe->SenderName(), HostError);
}

TEST(SampleMailboxTest, HasTheMailsThatPrintingAndAnswersAreTriedOn) {
  MailStore store;
  BuildSampleMailbox(store, Date::FromParts(2026, 12, 7, 9));
  FolderNode& inbox = *store.default_store()->defaults[ol::kFolderInbox];
  int html = 0, cc = 0;
  for (const auto& item : inbox.items) {
    html += BodyFormatOf(*item) == ol::kOlFormatHTML;
    cc += !RecipientText(*item, ol::kOlCC).empty();
    EXPECT_EQ(RecipientText(*item, ol::kOlTo), "Pat Kelly") << item->subject;
    EXPECT_TRUE(item->members.at("SentOn").IsDate()) << item->subject;
  }
  EXPECT_EQ(html, 3);
  EXPECT_GE(cc, 3);
  ItemNode* contract = store.FindBySubject(inbox, "Draft contract for Hallam & Sons");
  ASSERT_NE(contract, nullptr);
  EXPECT_THAT(RtfBodyOf(*contract), HasSubstr("\\b second draft"));
  EXPECT_THAT(BodyOf(*contract), HasSubstr("second draft of the contract"));
  ASSERT_EQ(contract->attachments.size(), 2u);
  EXPECT_THAT(contract->attachments[1].content, HasSubstr("Oak panel,42.50"));
  ItemNode* slides = store.FindBySubject(inbox, "Board slides");
  EXPECT_EQ(TextMember(*slides, "SentOnBehalfOfName"), "Dana Whitfield");
  EXPECT_EQ(MailboxOwner(store), "Pat Kelly");
}

}  // namespace
}  // namespace pinlet::sim
