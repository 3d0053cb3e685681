// A note travelling with a reply or forward: on its own after a question,
// on demand with "Insert Note", and what the new mail carries.
#include <gmock/gmock.h>

#include "inspector/cls_reply_forward.h"
#include "inspector/note_insertion.h"
#include "inspector_fixture.h"
#include "sim/machine/object_model_guard.h"
#include "sim/machine/sim_mapi_helpers.h"
#include "platform/text.h"

namespace pinlet {
namespace {

using ::testing::HasSubstr;
using ::testing::Not;
using ::testing::StartsWith;

class ReplyForwardTest : public InspectorTest {
 protected:
  void Automatic(bool ask) {
    SetNote("ReplyForward", "1");
    SetNote("WarningOnNoteInsertion", ask ? "1" : "0");
  }
  void AnswerDialog(std::vector<sim::FormAction> actions) {
    world.ui.QueueFormAnswer("frmWarningOnNoteInsertion", std::move(actions));
  }
  // Attaches a file to the note, as the note window does.
  void AttachToNote(const ol::ItemPtr& note, const std::string& name,
                    const std::string& bytes) {
    sim::NodeOf(note)->attachments.push_back({name, bytes});
  }
  size_t GuardPrompts() {
    size_t n = 0;
    for (const auto& box : world.message_boxes.shown())
      if (box.text == sim::kAddressPrompt) ++n;
    return n;
  }
  // On Outlook `version` ("" for 2003), a Reply to All of the mail with a
  // note, whose Cc and Bcc the user filled in (and saved, or not).
  ol::ItemPtr ReplyAllWithCopies(const std::string& version, bool saved) {
    StartAs(version, false);
    Automatic(false);
    AddNoteWith(InboxNode(8), "Visitors at 10:30");
    sim::FaultInjector::Pause pause(world.faults);
    ol::ItemPtr source = sim::WrapItem(&world, InboxNode(8))->ReplyAll();
    source->Put("CC", Variant("Lena Ortiz"));
    source->Put("BCC", Variant("Dana Whitfield"));
    if (saved) source->Save();
    return source;
  }
  // Reading a reply's addressees directly asks the user on Outlook 2002, and
  // on 2003 for an object outside its trust; a reply as Outlook made it
  // gives the mail that carries the note all of them without a question on
  // either.
  void AddresseesAskNothing(const std::string& version) {
    ol::ItemPtr source = ReplyAllWithCopies(version, /*saved=*/true);
    ol::ItemPtr outside =
        version.empty() ? sim::WrapUntrustedObject(&world, sim::ObjectOf(source)) : source;
    world.message_boxes.QueueAnswer(mb::kYes);
    EXPECT_EQ(ToText(outside->Get("CC")), "Lena Ortiz");
    EXPECT_EQ(GuardPrompts(), 1u);
    ol::ItemPtr note = FindNote(ctx(), InboxNode(8)->entry_id);
    ol::ItemPtr built = BuildNoteMail(ctx(), source, note).mail;
    EXPECT_EQ(GuardPrompts(), 1u);
    sim::FaultInjector::Pause pause(world.faults);
    EXPECT_EQ(ToText(built->Get("To")), ToText(source->Get("To")));
    EXPECT_EQ(ToText(built->Get("CC")), "Lena Ortiz");
    EXPECT_EQ(ToText(built->Get("BCC")), "Dana Whitfield");
  }
  // In button mode the user fills in a forward's Cc and Bcc, then clicks
  // "Insert Note": the mail replacing it has them, nothing asks, and the
  // draft saved for the helper library to read them is not left in Drafts.
  void TypedAddresseesAreKept(const std::string& version) {
    StartAs(version, false);
    SetNote("ReplyForward", "0");
    AddNoteWith(InboxNode(8), "Visitors at 10:30");
    auto forward = Answer(InboxNode(8), "Forward");
    ASSERT_TRUE(forward);
    {
      sim::FaultInjector::Pause pause(world.faults);
      forward->item()->Put("CC", Variant("Lena Ortiz"));
      forward->item()->Put("BCC", Variant("Dana Whitfield"));
    }
    size_t drafts = Default(ol::kFolderDrafts)->items.size();
    ClickIn(forward, "Insert Note");
    ASSERT_EQ(outlook().inspectors().size(), 1u);
    auto mail = outlook().inspectors().back();
    EXPECT_EQ(Member(mail, "CC"), "Lena Ortiz");
    EXPECT_EQ(Member(mail, "BCC"), "Dana Whitfield");
    EXPECT_THAT(Member(mail, "HTMLBody"), HasSubstr("Visitors at 10:30"));
    EXPECT_EQ(GuardPrompts(), 0u);
    EXPECT_EQ(Default(ol::kFolderDrafts)->items.size(), drafts);
  }
  std::vector<std::string> AttachmentsOf(
      const std::shared_ptr<const sim::ItemContent>& item) {
    std::vector<std::string> out;
    for (auto& a : item->attachments) out.push_back(a.file_name + "=" + a.content);
    return out;
  }
};

TEST_F(ReplyForwardTest, AutomaticReplyAsksThenPutsTheNoteOnTopWithItsFiles) {
  Start();
  Automatic(true);
  ol::ItemPtr note = AddNoteWith(InboxNode(6), "Bring the <agenda> & slides");
  AttachToNote(note, "plan.txt", "step 1");
  AnswerDialog({sim::FormAction::Click("cmdYes")});
  auto window = Answer(InboxNode(6), "Reply");
  ASSERT_TRUE(window);
  ASSERT_EQ(world.ui.modal_forms().size(), 1u);
  EXPECT_EQ(world.ui.modal_forms()[0].caption, "Pinlet");
  // Outlook's reply was dropped: only the replacement is open.
  ASSERT_EQ(outlook().inspectors().size(), 1u);
  auto mail = NodeOf(window);
  EXPECT_EQ(mail->subject, "RE: Team offsite agenda");
  EXPECT_EQ(Member(window, "To"), "Mia Chen");
  std::string html = Member(window, "HTMLBody");
  EXPECT_THAT(html, HasSubstr("<body><pre style=\"font-size:10pt;font-family:Arial;"
                              "color:rgb(0,0,255)\">\r\nBring the &lt;agenda&gt; &amp; "
                              "slides\r\n</pre>"));
  // The quoted message follows, still HTML.
  EXPECT_THAT(html, HasSubstr("Travel details follow."));
  EXPECT_THAT(AttachmentsOf(mail), ::testing::ElementsAre("plan.txt=step 1"));
  // The window is the add-in's ordinary item window, without "Insert Note".
  EXPECT_FALSE(InspectorControl(window, "Insert Note"));
  EXPECT_EQ(Note("WarningOnNoteInsertion"), "1");
}

TEST_F(ReplyForwardTest, TheQuestionsTextsAndItsDontAskBox) {
  Start();
  Automatic(true);
  AddNoteWith(InboxNode(7), "Meet at the east stairs");
  // Ticked and Yes: insertion stays on, the question goes.
  sim::FormAction show;
  show.kind = sim::FormAction::Kind::kShow;
  AnswerDialog(
      {sim::FormAction::Set("chkDontAsk", "1"), show, sim::FormAction::Click("cmdYes")});
  Answer(InboxNode(7), "Reply");
  ASSERT_EQ(world.ui.modal_forms().size(), 1u);
  const std::string& shown = world.ui.modal_forms()[0].snapshots.at(0);
  EXPECT_THAT(shown, HasSubstr("The option is set that the related note would be "
                               "inserted into this mail's body."));
  EXPECT_THAT(shown, HasSubstr("Are you sure you want to insert the note?"));
  EXPECT_THAT(shown, HasSubstr("Don't ask this question again. (You may later change "
                               "this option in \\\"Pinlet options\\\" window)"));
  for (const char* caption : {"Yes", "No", "View Note", "Help"})
    EXPECT_THAT(shown, HasSubstr(caption));
  EXPECT_EQ(Note("WarningOnNoteInsertion"), "0");
  EXPECT_EQ(Note("ReplyForward"), "1");
  EXPECT_THAT(Member(outlook().inspectors().back(), "HTMLBody"),
              HasSubstr("Meet at the east stairs"));

  // Ticked and No: insertion goes off, and this reply gets the button.
  outlook().CloseInspector(outlook().inspectors().back());
  SetNote("WarningOnNoteInsertion", "1");
  AnswerDialog(
      {sim::FormAction::Set("chkDontAsk", "1"), sim::FormAction::Click("cmdNo")});
  auto reply = Answer(InboxNode(7), "Reply");
  EXPECT_EQ(Note("WarningOnNoteInsertion"), "0");
  EXPECT_EQ(Note("ReplyForward"), "0");
  EXPECT_TRUE(InspectorControl(reply, "Insert Note"));
  EXPECT_THAT(Member(reply, "HTMLBody"), Not(HasSubstr("east stairs")));
}

TEST_F(ReplyForwardTest, ViewNoteAndHelpLeaveTheQuestionOpen) {
  Start();
  Automatic(true);
  AddNoteWith(InboxNode(7), "x");
  AnswerDialog({sim::FormAction::Click("cmdViewNote"), sim::FormAction::Click("cmdHelp"),
                sim::FormAction::Click("cmdNo")});
  auto reply = Answer(InboxNode(7), "Reply");
  ASSERT_EQ(ctx().note_windows->size(), 1u);
  EXPECT_EQ(ctx().note_windows->back()->strID, InboxNode(7)->entry_id);
  EXPECT_THAT(Logged(), ::testing::Contains(
                            "ShowContextHelp Insert_Note_to_Reply_Forward_letter.htm"));
  EXPECT_EQ(Note("WarningOnNoteInsertion"), "1");
  EXPECT_TRUE(InspectorControl(reply, "Insert Note"));
}

TEST_F(ReplyForwardTest, ForwardInButtonModeTakesTheNoteOnDemand) {
  Start();
  SetNote("ReplyForward", "0");
  ol::ItemPtr note =
      AddNoteWith(InboxNode(3), "Check clause 7", "Tahoma", "9,5", 0x008000);
  auto forward = Answer(InboxNode(3), "Forward");
  ASSERT_TRUE(forward);
  auto button = InspectorControl(forward, "Insert Note");
  ASSERT_TRUE(button);
  EXPECT_EQ(button->tag.rfind("butInsertNote#", 0), 0u);
  EXPECT_EQ(button->tooltip, "Insert related Note");
  ASSERT_EQ(ctx().reply_forwards->size(), 1u);
  auto forward_node = NodeOf(forward);
  ClickIn(forward, "Insert Note");
  // Outlook's forward is closed unsaved; the replacement shows alone.
  ASSERT_EQ(outlook().inspectors().size(), 1u);
  auto mail = outlook().inspectors().back();
  EXPECT_NE(NodeOf(mail), forward_node);
  EXPECT_EQ(NodeOf(mail)->subject, "FW: Draft contract for Hallam & Sons");
  EXPECT_FALSE(InspectorControl(mail, "Insert Note"));
  // A rich-text source has no body tag: the note goes into the text.
  EXPECT_THAT(Member(mail, "Body"), StartsWith("Check clause 7\r\n"));
  EXPECT_THAT(AttachmentsOf(NodeOf(mail)),
              ::testing::ElementsAre(HasSubstr("Hallam contract v2.rtf="),
                                     HasSubstr("Price schedule.csv=")));
  // Closed, the object lets go of the window.
  outlook().CloseInspector(mail);
  EXPECT_EQ((*ctx().reply_forwards)[0]->objInspector(), nullptr);
}

TEST_F(ReplyForwardTest, ReplyToAllKeepsItsCc) {
  Start();
  Automatic(false);
  AddNoteWith(InboxNode(4), "Bring the keys");
  auto mail = Answer(InboxNode(4), "Reply to All");
  ASSERT_TRUE(mail);
  EXPECT_EQ(Member(mail, "To"), "Tom Becker");
  EXPECT_EQ(Member(mail, "CC"), "Ravi Menon; Mia Chen");
  EXPECT_THAT(Member(mail, "Body"), StartsWith("Bring the keys\r\n"));
}

TEST_F(ReplyForwardTest, InsertNoteKeepsTheCcAndBccTheUserTypedOnOutlook2003) {
  TypedAddresseesAreKept("");
}

TEST_F(ReplyForwardTest, InsertNoteKeepsTheCcAndBccTheUserTypedOnOutlook2002) {
  TypedAddresseesAreKept("10.0.0.6626");
}

TEST_F(ReplyForwardTest, TheAddresseesAskNothingOfOutlook2002sGuard) {
  AddresseesAskNothing("10.0.0.6626");
}

TEST_F(ReplyForwardTest, TheAddresseesAskNothingOfOutlook2003sGuard) {
  AddresseesAskNothing("");
}

// Without the helper library, Outlook 2002 asks once before the recipients
// are read; the user's Yes keeps them all.
TEST_F(ReplyForwardTest, WithoutTheHelperLibraryOutlook2002AsksForTheAddressees) {
  StartAs("10.0.0.6626", false);
  AddNoteWith(InboxNode(8), "Visitors at 10:30");
  ol::ItemPtr note = FindNote(ctx(), InboxNode(8)->entry_id);
  static_cast<sim::SimObjectFactory&>(*world.objects).redemption_installed = false;
  ol::ItemPtr source;
  {
    sim::FaultInjector::Pause pause(world.faults);
    source = sim::WrapItem(&world, InboxNode(8))->ReplyAll();
    source->Put("CC", Variant("Lena Ortiz"));
  }
  world.message_boxes.QueueAnswer(mb::kYes);
  ol::ItemPtr built = BuildNoteMail(ctx(), source, note).mail;
  EXPECT_EQ(GuardPrompts(), 1u);
  sim::FaultInjector::Pause pause(world.faults);
  EXPECT_EQ(ToText(built->Get("CC")), "Lena Ortiz");
}

TEST_F(ReplyForwardTest, APlainReplyGetsTheNoteAboveItsTextAndNoTempFolder) {
  Start();
  Automatic(false);
  AddNoteWith(InboxNode(1), "Book a table");
  world.faults.set_logging(true);
  auto mail = Answer(InboxNode(1), "Reply");
  ASSERT_TRUE(mail);
  EXPECT_EQ(Member(mail, "HTMLBody"), "");
  std::string body = Member(mail, "Body");
  EXPECT_THAT(body, StartsWith("Book a table\r\n"));
  EXPECT_THAT(body, HasSubstr("The new place on Elm Street."));
  for (const auto& call : world.faults.calls()) EXPECT_NE(call.member, "CreateDirectory");
}

TEST_F(ReplyForwardTest, AttachmentNamesStayInTheTempFolderAndSameNamesKeepTheirBytes) {
  Start();
  Automatic(false);
  ol::ItemPtr note = AddNoteWith(InboxNode(9), "Pay today");
  AttachToNote(note, "..\\..\\evil.txt", "one");
  AttachToNote(note, "C:\\boot.ini", "two");
  AttachToNote(note, "same.txt", "first");
  AttachToNote(note, "same.txt", "second");
  // The first file cannot be deleted once attached: it stays behind.
  world.faults.FailMember("DeleteFile", errors::kOperationFailed, 1);
  world.faults.set_logging(true);
  auto mail = Answer(InboxNode(9), "Reply");
  ASSERT_TRUE(mail);
  EXPECT_THAT(AttachmentsOf(NodeOf(mail)),
              ::testing::ElementsAre(".._.._evil.txt=one", "C__boot.ini=two",
                                     "same.txt=first", "same.txt=second"));
  const std::string temp = world.install_dir + "Temp\\";
  for (const auto& path : world.files.Files()) {
    bool sent_name =
        path.find("evil") != std::string::npos || path.find("boot") != std::string::npos;
    EXPECT_TRUE(!sent_name || path.starts_with(temp)) << path;
  }
}

TEST_F(ReplyForwardTest, AStaleHandOverNeverTakesASavedMail) {
  Start();
  Automatic(false);
  ctx().handover_note = AddNoteWith(InboxNode(6), "for the reply only");
  ctx().handover_item = sim::WrapItem(&world, InboxNode(6));
  ctx().handover = true;  // Outlook's reply never came
  auto window = Open(InboxNode(2));
  ASSERT_TRUE(window);
  EXPECT_EQ(NodeOf(window), InboxNode(2));
  EXPECT_THAT(Member(window, "Body"), Not(HasSubstr("for the reply only")));
  EXPECT_FALSE(ctx().handover);
  EXPECT_EQ(outlook().inspectors().size(), 1u);
}

TEST_F(ReplyForwardTest, AWordEditedReplyGetsNoInsertButton) {
  StartAs("", true);
  SetNote("ReplyForward", "0");
  AddNoteWith(InboxNode(6), "x");
  auto reply = Answer(InboxNode(6), "Reply");
  ASSERT_TRUE(reply);
  EXPECT_FALSE(InspectorControl(reply, "Insert Note"));
  ASSERT_EQ(ctx().reply_forwards->size(), 1u);
  EXPECT_TRUE((*ctx().reply_forwards)[0]->objNote());
}

TEST_F(ReplyForwardTest, TheNoteBlockIsEscapedAndFollowsTheBodyTag) {
  Start();
  ol::ItemPtr note = AddNoteWith(InboxNode(0), "</body><script>x()</script>",
                                 "Arial\";background:url(x)\"><b", "12,25", 0x123456);
  std::string html =
      NoteIntoHTML(ctx(), note, "<html><body class=\"a\"><p>quoted</p></body>");
  EXPECT_EQ(
      html,
      "<html><body class=\"a\"><pre style=\"font-size:12.25pt;font-family:"
      "Arialbackgroundurlxb;color:rgb(86,52,18)\">\r\n"
      "&lt;/body&gt;&lt;script&gt;x()&lt;/script&gt;\r\n</pre><p>quoted</p></body>");
  // Without a body tag there is nowhere to put it.
  EXPECT_THAT(NoteIntoHTML(ctx(), note, "<HTML><BODY>x</BODY></HTML>"),
              StartsWith("<HTML><BODY><pre style="));
  EXPECT_EQ(NoteIntoHTML(ctx(), note, "plain text"), "");
  EXPECT_EQ(NoteIntoHTML(ctx(), note, "<body"), "");
  EXPECT_EQ(HtmlEscape("a\x01\tb"), "a\tb");
}

TEST_F(ReplyForwardTest, ANoteWithoutFontPropertiesGetsNoEmptyStyle) {
  Start();
  ol::ItemPtr note = AddNote(InboxNode(0));
  WriteNoteProperties(ctx(), note, std::vector<NoteValue>{{"ZPNFullBody", "only text"}});
  EXPECT_EQ(NoteIntoHTML(ctx(), note, "<body>q"), "<body><pre>\r\nonly text\r\n</pre>q");
  // What is known is kept, what is not is left out.
  WriteNoteProperties(ctx(), note, std::vector<NoteValue>{{"ZPNFontName", "Verdana"}});
  EXPECT_EQ(NoteIntoHTML(ctx(), note, "<body>q"),
            "<body><pre style=\"font-family:Verdana\">\r\nonly text\r\n</pre>q");
}

TEST_F(ReplyForwardTest, TheNoteBlockGoesAfterTheRealBodyTagWithAnAllowedStyle) {
  Start();
  ol::ItemPtr note =
      AddNoteWith(InboxNode(0), "n", "expression(alert(10))", "10pt;x:expression(1)", 0);
  std::string html = NoteIntoHTML(
      ctx(), note,
      "<head><title><body></title><style>/*<body>*/</style></head><!-- <body> -->"
      "<body onload=\"a>b\"><p>quoted</p>");
  EXPECT_EQ(html,
            "<head><title><body></title><style>/*<body>*/</style></head><!-- <body> -->"
            "<body onload=\"a>b\"><pre style=\"font-family:expressionalert10;"
            "color:rgb(0,0,0)\">\r\nn\r\n</pre><p>quoted</p>");
  // A body tag that only a comment holds is no body tag.
  EXPECT_EQ(NoteIntoHTML(ctx(), note, "<!-- <body> --><p>x</p>"), "");
}

}  // namespace
}  // namespace pinlet
