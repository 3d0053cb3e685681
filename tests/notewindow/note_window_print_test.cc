// Printing a note: the page as written, the mail it carries, the temporary
// file's life, the on-top handling around the shell, and hostile content.
#include <gmock/gmock.h>

#include <regex>
#include <set>

#include "note_window_fixture.h"
#include "notewindow/print_page.h"
#include "sim/machine/mail_content.h"
#include "sim/machine/object_model_guard.h"
#include "sim/machine/sim_mapi_helpers.h"

namespace pinlet {
namespace {

using ::testing::HasSubstr;
using ::testing::Not;

// The names of the elements a page may hold: the page's own and those the
// rich-text converter writes.
const std::set<std::string> kPageTags = {
    "meta", "pre", "/pre", "b",   "/b",   "i",    "/i",    "u",  "/u",    "s",
    "/s",   "sup", "/sup", "sub", "/sub", "font", "/font", "br", "table", "/table",
    "tr",   "/tr", "td",   "/td", "ul",   "/ul",  "li",    "/li"};

// Every tag of the page whose name is not one the page itself writes.
std::vector<std::string> ForeignTags(const std::string& page) {
  std::vector<std::string> foreign;
  static const std::regex kTag("<(/?[A-Za-z!?][A-Za-z0-9]*)");
  for (auto it = std::sregex_iterator(page.begin(), page.end(), kTag);
       it != std::sregex_iterator(); ++it) {
    std::string name = (*it)[1];
    for (char& c : name)
      c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    if (!kPageTags.count(name)) foreign.push_back(it->str());
  }
  return foreign;
}

TEST(PrintPage, TheNoteAloneIsItsHeaderAndItsStyledText) {
  PrintedNote note{"Subject: Lunch", std::nullopt, "Verdana", "10,5",
                   0x804020,         "a\r\nb",     {}};
  EXPECT_EQ(
      BuildPrintPage(note),
      std::string(kPrintPageStart) +
          "<pre>Note: Subject: Lunch</pre>\r\n"
          "<pre style=\"font-size:10.5pt;font-family:Verdana;color:rgb(32,64,128)\">"
          "\r\na\r\nb\r\n</pre>");
  note.printed_on = Date::FromParts(2026, 3, 4, 14, 5, 6);
  EXPECT_THAT(
      BuildPrintPage(note),
      HasSubstr("<pre>Note: Subject: Lunch\r\nPrinted On: 3/4/2026 2:05:06 PM</pre>"));
}

TEST(PrintPage, AFontThatIsNotKnownIsLeftOutOfTheStyle) {
  PrintedNote note{"Subject: Lunch", std::nullopt, "(", "", 0x804020, "a", {}};
  EXPECT_THAT(BuildPrintPage(note), HasSubstr("<pre style=\"color:rgb(32,64,128)\">"));
  note.font_size = "1.2.3";
  EXPECT_THAT(BuildPrintPage(note), Not(HasSubstr("font-size")));
}

TEST(PrintPage, TheFromLineNamesTheOtherPersonOnlyWhenThereIsOne) {
  PrintedMail mail;
  mail.sender_name = "Mia Chen";
  mail.sent_on_behalf_of_name = "Dana Whitfield";
  EXPECT_EQ(MailHeaderText(mail), "From: Mia Chen On Behalf Of Dana Whitfield");
  mail.sent_on_behalf_of_name = "Mia Chen";
  EXPECT_EQ(MailHeaderText(mail), "From: Mia Chen");
  mail.sent_on_behalf_of_name = "";
  EXPECT_EQ(MailHeaderText(mail), "From: Mia Chen");
}

TEST(PrintPage, CcIsPrintedOnlyWithCcRecipientsAndUnreadPartsAreLeftOut) {
  PrintedMail mail;
  mail.sender_name = "Tom";
  mail.sent_on = Date::FromParts(2026, 1, 2, 9, 30, 0);
  mail.to = std::vector<std::string>{"pat@example.com", "Unresolved Name"};
  mail.cc = std::vector<std::string>{};
  mail.subject = "Hi";
  EXPECT_EQ(MailHeaderText(mail),
            "From: Tom\r\nSent: 1/2/2026 9:30:00 AM\r\nTo: pat@example.com; "
            "Unresolved Name\r\nSubject: Hi");
  mail.cc = std::vector<std::string>{"a@x", "b@y"};
  EXPECT_THAT(MailHeaderText(mail), HasSubstr("\r\nCc: a@x; b@y\r\nSubject: Hi"));
  // A header part that could not be read has no line; an unsent mail no date.
  mail.sender_name.reset();
  mail.to.reset();
  mail.sent_on = Date(ol::kOlNoDate);
  EXPECT_EQ(MailHeaderText(mail), "Sent: \r\nCc: a@x; b@y\r\nSubject: Hi");
}

TEST(PrintPage, HostileTextBringsNoMarkupIntoThePage) {
  const std::string evil =
      "</pre><script>alert(1)</script><img src=x onerror=\"alert(2)\">'&amp;";
  PrintedNote note{evil, Date(46000), "Arial\";x:expression(alert(3));<b>", evil, 0,
                   evil, {}};
  PrintedMail mail;
  mail.sender_name = evil;
  mail.sent_on_behalf_of_name = evil + "2";
  mail.sent_on = Date(46000);
  mail.to = std::vector<std::string>{evil};
  mail.cc = std::vector<std::string>{evil};
  mail.subject = evil;
  mail.body = evil;
  note.mail = mail;
  std::string page = BuildPrintPage(note);
  EXPECT_THAT(ForeignTags(page), ::testing::IsEmpty()) << page;
  EXPECT_THAT(page, Not(HasSubstr("</pre><script")));
  EXPECT_THAT(page, HasSubstr("&lt;/pre&gt;&lt;script&gt;alert(1)&lt;/script&gt;"));
  // The style keeps one quoted attribute and no more: a size that is no plain
  // number is left out, and only the letters of the face remain.
  EXPECT_THAT(page, HasSubstr("<pre style=\"font-family:Arialxexpressionalert3b;"
                              "color:rgb(0,0,0)\">"));
  // A rich-text body is converted, and the converter escapes too.
  note.mail->rtf_body = "{\\rtf1 \\b " + evil + "\\b0\\par}";
  page = BuildPrintPage(note);
  EXPECT_THAT(ForeignTags(page), ::testing::IsEmpty()) << page;
  EXPECT_THAT(page, HasSubstr("<b>&lt;/pre&gt;&lt;script&gt;"));
}

class PrintTest : public NoteWindowTest {
 protected:
  void SetUp() override {
    NoteWindowTest::SetUp();
    WriteText(world.registry, kNoteKey, "FontName", "Verdana");
    WriteText(world.registry, kNoteKey, "FontSize", "10");
    Start();
  }
  std::shared_ptr<frmComments> OpenAndType(int index, const std::string& text) {
    auto window = Open(InboxItem(index));
    Hover(window, "Text");  // the toolbars show
    Type(window, text);
    return window;
  }
  void Print(const std::shared_ptr<frmComments>& window) {
    Click(window, "imgTextPrint");
  }
  // What the shell was last asked to print.
  std::string PrintedPath() {
    const auto& calls = world.shell.executed();
    return calls.empty() ? "" : calls.back().file;
  }
  std::string Page() { return world.files.Peek(PrintedPath()).value_or("(no file)"); }
  std::vector<std::string> TempFiles() {
    std::vector<std::string> names;
    auto entries = world.files.Entries(world.shell.TempFolder());
    for (const FileEntry& e : *entries) names.push_back(e.name);
    return names;
  }
};

TEST_F(PrintTest, WithoutOptionsThePageHoldsTheNoteAloneInAFileOfItsOwn) {
  auto window = OpenAndType(2, "Book a table");
  Print(window);
  ASSERT_EQ(world.shell.executed().size(), 1u);
  const auto& call = world.shell.executed()[0];
  EXPECT_EQ(call.verb, "print");
  EXPECT_EQ(call.owner, 0u);
  EXPECT_EQ(call.show_command, 1);
  EXPECT_EQ(call.parameters + call.folder, "");
  EXPECT_EQ(PrintedPath(), world.shell.TempFolder() + "pnl1.htm");
  EXPECT_EQ(Page(),
            std::string(kPrintPageStart) +
                "<pre>Note: Subject: Lunch on Thursday?</pre>\r\n"
                "<pre style=\"font-size:10pt;font-family:Verdana;color:rgb(0,0,0)\">"
                "\r\nBook a table\r\n</pre>");
  // The reserved name is the one written: no empty .tmp is left.
  EXPECT_THAT(TempFiles(), ::testing::ElementsAre("pnl1.htm"));
  EXPECT_EQ(window->printed_pages(), std::vector<std::string>{PrintedPath()});
}

TEST_F(PrintTest, WithPrintItemAMailPrintsItsHeaderAndBody) {
  WriteText(world.registry, kNoteKey, "PrintItem", "1");
  WriteText(world.registry, kNoteKey, "PrintDate", "1");
  // Sent on behalf of another person, no Cc, plain body.
  Print(OpenAndType(6, "charts"));
  std::string page = Page();
  EXPECT_THAT(page, HasSubstr("Printed On: " + world.clock.now().ToGeneralString()));
  EXPECT_THAT(page,
              HasSubstr("\r\n</pre>\r\n<pre>From: Mia Chen On Behalf Of Dana Whitfield"
                        "\r\nSent: "));
  EXPECT_THAT(page, HasSubstr("\r\nTo: pat.kelly@"));
  EXPECT_THAT(page, Not(HasSubstr("Cc:")));
  EXPECT_THAT(page, HasSubstr("\r\nSubject: Board slides</pre>\r\n"
                              "<pre>Slides 4 to 9 need new charts.</pre>"));
  // A Cc recipient, and a rich-text body converted.
  Print(OpenAndType(1, "budget"));
  EXPECT_THAT(Page(), HasSubstr("\r\nCc: tom.becker@"));
  Print(OpenAndType(4, "contract"));
  page = Page();
  EXPECT_THAT(page, HasSubstr("<b>second draft</b>"));
  EXPECT_THAT(page, Not(HasSubstr("\\rtf")));
}

TEST_F(PrintTest, AParentThatIsNoMailNeverPrintsDetails) {
  WriteText(world.registry, kNoteKey, "PrintItem", "1");
  ol::FolderPtr tasks = ctx().name_space->GetDefaultFolder(ol::kFolderTasks);
  auto window = Open(tasks->Items()->Item(1));
  Type(window, "call back");
  Print(window);
  EXPECT_THAT(Page(), Not(HasSubstr("From:")));
  EXPECT_THAT(Page(), ::testing::EndsWith("\r\ncall back\r\n</pre>"));
}

// Printing a mail reads its addresses and body through the helper
// library's wrapper: no read asks Outlook's guard, on 2002 (which trusts no
// add-in) or 2003 (which does not trust a mail reached through Word's
// envelope, and guards its Body there), while a direct read would.
TEST_F(PrintTest, PrintingAMailAsksNothingOfTheObjectModelGuard) {
  WriteText(world.registry, kNoteKey, "PrintItem", "1");
  auto prompts = [&] {
    size_t n = 0;
    for (const auto& box : world.message_boxes.shown())
      if (box.text == sim::kAddressPrompt) ++n;
    return n;
  };
  for (const char* version : {"11.0.0.8217", "10.0.0.6626"}) {
    SCOPED_TRACE(version);
    session->outlook()->set_version(version);
    size_t before = prompts();
    ol::ItemPtr mail = sim::WrapUntrustedObject(&world, sim::ObjectOf(InboxItem(6)));
    world.message_boxes.QueueAnswer(mb::kYes);
    mail->Get(std::string(version).starts_with("11") ? "Body" : "To");
    EXPECT_EQ(prompts(), before + 1);
    auto window = Open(mail);
    ASSERT_TRUE(window);
    Hover(window, "Text");
    Type(window, "charts");
    Print(window);
    EXPECT_EQ(prompts(), before + 1);
    EXPECT_THAT(Page(), HasSubstr("\r\nTo: pat.kelly@"));
    EXPECT_THAT(Page(), HasSubstr("<pre>Slides 4 to 9 need new charts.</pre>"));
  }
}

TEST_F(PrintTest, WithoutTheHelperLibraryTheGuardedPartsAreLeftOut) {
  WriteText(world.registry, kNoteKey, "PrintItem", "1");
  static_cast<sim::SimObjectFactory&>(*world.objects).redemption_installed = false;
  world.message_boxes.QueueAnswer(mb::kOk, "Outlook Redemption is not installed");
  Print(OpenAndType(4, "x"));
  std::string page = Page();
  // The user is told why, once.
  ASSERT_EQ(world.message_boxes.shown().size(), 1u);
  EXPECT_THAT(world.message_boxes.shown()[0].text, HasSubstr("sender and recipients"));
  EXPECT_THAT(page, Not(HasSubstr("From:")));
  EXPECT_THAT(page, Not(HasSubstr("To:")));
  EXPECT_THAT(page, HasSubstr("\r\nSubject: Draft contract for Hallam &amp; Sons</pre>"));
  // The RTF is not readable without it: the plain body stands in.
  EXPECT_THAT(page, HasSubstr("<pre>Attached is the second draft"));
}

TEST_F(PrintTest, AHostileMailBringsNoMarkupIntoThePage) {
  const std::string evil = "</pre><script>alert(1)</script><a href=\"x\" onclick='y'>&";
  WriteText(world.registry, kNoteKey, "PrintItem", "1");
  WriteText(world.registry, kNoteKey, "PrintDate", "1");
  WriteText(world.registry, kNoteKey, "FontName", "x\";background:url(javascript:1)");
  ol::ItemPtr item = InboxItem(2);
  std::shared_ptr<sim::ItemNode> node = sim::NodeOf(item);
  node->subject = evil;
  node->members["SenderName"] = Variant(evil);
  node->members["SentOnBehalfOfName"] = Variant(evil + "<i>");
  node->recipients.push_back(std::make_shared<sim::RecipientNode>(
      sim::RecipientNode{evil, "", ol::kOlTo, false}));
  node->recipients.push_back(std::make_shared<sim::RecipientNode>(
      sim::RecipientNode{"z", evil + "@x", ol::kOlCC, true}));
  for (bool rich : {false, true}) {
    if (rich)
      sim::WriteRtfBody(*node, "{\\rtf1 " + evil + "\\par}");
    else
      sim::WriteBody(*node, evil);
    auto window = OpenAndType(2, evil);
    Print(window);
    std::string page = Page();
    EXPECT_THAT(ForeignTags(page), ::testing::IsEmpty()) << page;
    EXPECT_THAT(page, HasSubstr("font-family:xbackgroundurljavascript1;"));
    EXPECT_THAT(page, HasSubstr("<pre>From: &lt;/pre&gt;&lt;script&gt;"));
    CloseBox(window);
  }
}

TEST_F(PrintTest, AnOnTopNoteIsLoweredForPrintingAndRaisedWhenTheUserReturns) {
  auto window = OpenAndType(2, "x");
  Click(window, "imgNoteOnTop");
  ASSERT_TRUE(world.windows.Find(window->hwnd())->top_most);
  Print(window);
  EXPECT_FALSE(world.windows.Find(window->hwnd())->top_most);
  // The printing program has the front; the note stays lowered meanwhile.
  world.windows.Activate(world.outlook->explorers().front()->Hwnd());
  world.ui.AdvanceTime(6000);
  EXPECT_FALSE(world.windows.Find(window->hwnd())->top_most);
  world.windows.Activate(window->hwnd());
  world.ui.AdvanceTime(20);
  EXPECT_TRUE(world.windows.Find(window->hwnd())->top_most);
  EXPECT_TRUE(window->blnOnTop);
}

TEST_F(PrintTest, AfterPrintingTheNoteFoldsBackOnceTheUserIsElsewhere) {
  auto window = Open(InboxItem(2));
  Hover(window, "Text");  // the edit state, not armed to fold back
  Print(window);
  world.windows.Activate(world.outlook->explorers().front()->Hwnd());
  world.ui.AdvanceTime(7000);
  EXPECT_EQ(window->frmState, kViewState);
}

TEST_F(PrintTest, PagesGoWithTheirWindowAndThoseOfEarlierRunsAtTheNextPrint) {
  const std::string temp = world.shell.TempFolder();
  // A page an earlier run left, and another program's files of like names.
  world.files.Store(temp + "PNL7.htm", std::string(kPrintPageStart) + "<pre>Note: old");
  world.files.Store(temp + "pnl8.htm", "<html>someone else's page</html>");
  world.files.Store(temp + "pnl1.htm", "<html>taken</html>");
  auto first = OpenAndType(2, "one");
  auto second = OpenAndType(6, "two");
  Print(first);
  // The name that was taken is not written over.
  EXPECT_EQ(world.files.Peek(temp + "pnl1.htm"), "<html>taken</html>");
  std::string first_page = PrintedPath();
  Print(second);
  std::string second_page = PrintedPath();
  EXPECT_THAT(TempFiles(), ::testing::UnorderedElementsAre(
                               "pnl1.htm", "pnl8.htm", first_page.substr(temp.size()),
                               second_page.substr(temp.size())));
  CloseBox(first);
  EXPECT_FALSE(world.files.IsFile(first_page));
  EXPECT_TRUE(world.files.IsFile(second_page));
  session->Stop();  // shut-down closes the other window
  EXPECT_FALSE(world.files.IsFile(second_page));
}

TEST_F(PrintTest, APageNoProgramTookIsDeletedAtOnce) {
  world.shell.QueueExecuteResult(se::kNoAssociation);
  auto window = OpenAndType(2, "x");
  Print(window);
  EXPECT_FALSE(world.files.IsFile(PrintedPath()));
  EXPECT_TRUE(window->printed_pages().empty());
  EXPECT_TRUE(TempFiles().empty());
}

TEST_F(PrintTest, AFailingFileStepPrintsNothingAndLeavesNothing) {
  for (const char* member : {"GetTempFileName", "MoveFileEx", "WriteFile"}) {
    auto window = OpenAndType(2, "x");
    size_t before = world.shell.executed().size();
    world.faults.FailMember(member, errors::kOperationFailed, 1);
    Print(window);
    // A failed rename is retried under a new name; the others stop printing.
    bool printed = world.shell.executed().size() > before;
    EXPECT_EQ(printed, std::string(member) == "MoveFileEx") << member;
    for (const std::string& name : TempFiles())
      EXPECT_THAT(name, ::testing::EndsWith(".htm")) << member;
    CloseBox(window);
    EXPECT_TRUE(TempFiles().empty()) << member;
  }
}

}  // namespace
}  // namespace pinlet
