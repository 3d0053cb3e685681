// Word as Outlook's e-mail editor: Word's own instance of the add-in puts
// "Add Note" and "Insert Note" on Word's mail windows and works through the
// running Outlook's connector.
#include <gmock/gmock.h>

#include "addin/pictures.h"
#include "addin/word_connect.h"
#include "inspector/word_mail_buttons.h"
#include "inspector_fixture.h"
#include "sim/machine/object_model_guard.h"
#include "sim/machine/sim_word.h"

namespace pinlet {
namespace {

using ::testing::HasSubstr;

class WordEditorTest : public InspectorTest {
 protected:
  void StartBoth(std::string version = "") {
    StartAs(std::move(version), true);
    word_session = std::make_unique<sim::HostSession>(
        &world,
        [this](const Platform& p) {
          Subsystems s;
          InstallInspectors(s);
          word_addin = std::make_shared<Connect>(p, s);
          return word_addin;
        },
        sim::HostOptions{.host_name = "Microsoft Word"});
    word_session->Start();
  }
  void TearDown() override {
    if (word_session) word_session->Stop();
    InspectorTest::TearDown();
  }
  CWordConnect& word_connector() {
    return *std::dynamic_pointer_cast<CWordConnect>(
        word_addin->FindConnector("Microsoft Word"));
  }
  std::shared_ptr<sim::ControlNode> ByTag(const std::shared_ptr<sim::SimInspector>& w,
                                          const std::string& tag) {
    auto bar = w->command_bars()->FindBar("Standard");
    for (auto& control : bar->controls)
      if (control->tag.rfind(tag + "#", 0) == 0) return control;
    return nullptr;
  }
  void Click(const std::shared_ptr<sim::SimInspector>& w,
             const std::shared_ptr<sim::ControlNode>& control) {
    ASSERT_TRUE(control);
    EXPECT_EQ(w->command_bars()->Click(control).refused, "");
  }

  // The prompts of Outlook's object model guard shown so far.
  size_t GuardPrompts() {
    size_t n = 0;
    for (const auto& box : world.message_boxes.shown())
      if (box.text == sim::kAddressPrompt) ++n;
    return n;
  }
  // Word's envelope gives an item outside Outlook 2003's trust: reading its
  // HTML asks the user. Inserting the note reads and writes the same mail
  // through Outlook's own item window and asks nothing, on 2002 as on 2003.
  void InsertNoteAsksNothing(const std::string& version) {
    StartBoth(version);
    SetNote("ReplyForward", "0");
    AddNoteWith(InboxNode(6), "Agenda");
    auto reply = Answer(InboxNode(6), "Reply");
    ASSERT_TRUE(reply);
    ol::ItemPtr envelope_item =
        world.word->WindowOf(reply.get())->Document()->MailEnvelope()->Item();
    if (version.empty()) world.message_boxes.QueueAnswer(mb::kYes);
    envelope_item->Get("HTMLBody");
    EXPECT_EQ(GuardPrompts(), version.empty() ? 1u : 0u);
    Click(reply, ByTag(reply, "butInsertNote"));
    EXPECT_EQ(GuardPrompts(), version.empty() ? 1u : 0u);
    EXPECT_THAT(Member(reply, "HTMLBody"), HasSubstr("Agenda"));
  }

  std::shared_ptr<Connect> word_addin;
  std::unique_ptr<sim::HostSession> word_session;
};

TEST_F(WordEditorTest, WordsConnectorReachesTheRunningOutlooksConnector) {
  StartBoth();
  EXPECT_TRUE(word_connector().IsInitialized());
  EXPECT_EQ(word_connector().outlook_connector(), addin->FindConnector("Outlook"));
  // Word's own Outlook connector never connected.
  EXPECT_FALSE(word_addin->FindConnector("Outlook")->IsInitialized());
  // Without a running Outlook, Word's connector stays uninitialised.
  word_session->Stop();
  session->Stop();
  word_session->Start();
  EXPECT_FALSE(word_connector().IsInitialized());
}

TEST_F(WordEditorTest, AMailWindowGetsBothButtonsAndAddNoteFollowsTheNote) {
  StartBoth("10.0.6626");
  auto window = Open(InboxNode(0));
  ASSERT_TRUE(window);
  auto add = ByTag(window, "Pinlet");
  auto insert = ByTag(window, "butInsertNote");
  ASSERT_TRUE(add);
  ASSERT_TRUE(insert);
  EXPECT_EQ(add->caption, "Add Note");
  EXPECT_EQ(add->face.pixels, LoadResPicture("ADD").pixels);
  EXPECT_EQ(add->mask.pixels, LoadResPicture("ADD_MASK").pixels);
  EXPECT_EQ(insert->caption, "Insert Note");
  EXPECT_EQ(insert->tooltip, "Insert related Note");
  // Outlook 2002 puts no button of its own there.
  int note_buttons = 0;
  for (auto& control : window->command_bars()->FindBar("Standard")->controls)
    note_buttons += control->caption == "Add Note";
  EXPECT_EQ(note_buttons, 1);

  // "Add Note" asks the Outlook side for a new note of the mail.
  Click(window, add);
  ASSERT_EQ(ctx().note_windows->size(), 1u);
  EXPECT_EQ(ctx().note_windows->back()->objOriginalNote, nullptr);
  EXPECT_EQ(ctx().note_windows->back()->strID, InboxNode(0)->entry_id);

  // Once the mail has a note, the button shows it.
  AddNoteWith(InboxNode(0), "hello");
  outlook().ActivateInspector(Open(InboxNode(1)));
  outlook().ActivateInspector(window);
  EXPECT_EQ(add->caption, "View Note");
  EXPECT_EQ(add->face.pixels, LoadResPicture("EDIT").pixels);
  log.clear();
  Click(window, add);
  EXPECT_THAT(log, ::testing::ElementsAre("w1 Show " + InboxNode(0)->entry_id));
  EXPECT_TRUE(ctx().note_windows->back()->strID == InboxNode(0)->entry_id);

  // Deleting the note turns the button back, from the Outlook side.
  SetInspectorNoteButton(ctx(), sim::WrapItem(&world, InboxNode(0)), false);
  EXPECT_EQ(add->caption, "Add Note");
  EXPECT_EQ(add->face.pixels, LoadResPicture("ADD").pixels);
}

TEST_F(WordEditorTest, ButtonsGoOnTheEnvelopesBarsAndLeaveWordsOwnBarsAndNormalDotAlone) {
  StartBoth("10.0.6626");
  sim::SimWord& word = *world.word;
  const std::string word_bars = word.app_bars()->Show();
  auto window = Open(InboxNode(0));
  auto add = ByTag(window, "Pinlet");
  ASSERT_TRUE(add);
  ASSERT_TRUE(ByTag(window, "butInsertNote"));
  EXPECT_TRUE(add->temporary);
  EXPECT_TRUE(ByTag(window, "butInsertNote")->temporary);
  // The user's customization context is back; Normal.dot never changed.
  sim::FaultInjector::Pause pause(world.faults);
  EXPECT_EQ(word.GetCustomizationContext()->Name(), "Normal.dot");
  EXPECT_TRUE(word.normal_dot().saved);
  // The face follows the note, in the mail's context too.
  Click(window, add);
  AddNoteWith(InboxNode(0), "hello");
  outlook().ActivateInspector(Open(InboxNode(1)));
  outlook().ActivateInspector(window);
  EXPECT_EQ(add->caption, "View Note");
  outlook().CloseInspector(window);
  EXPECT_TRUE(word.normal_dot().saved);
  EXPECT_THAT(word.normal_dot().customizations, ::testing::IsEmpty());
  // Word's own bars, which every ordinary document shows, have nothing new.
  EXPECT_EQ(word.app_bars()->Show(), word_bars);
  EXPECT_EQ(word.GetCustomizationContext()->Name(), "Normal.dot");
}

TEST_F(WordEditorTest, AClickInOneWordMailWindowActsInThatWindowOnly) {
  StartBoth("10.0.6626");
  auto first = Open(InboxNode(0));
  auto second = Open(InboxNode(1));
  Click(second, ByTag(second, "Pinlet"));
  ASSERT_EQ(ctx().note_windows->size(), 1u);
  EXPECT_EQ(ctx().note_windows->back()->strID, InboxNode(1)->entry_id);
  Click(first, ByTag(first, "Pinlet"));
  ASSERT_EQ(ctx().note_windows->size(), 2u);
  EXPECT_EQ(ctx().note_windows->back()->strID, InboxNode(0)->entry_id);
}

TEST_F(WordEditorTest, WordsNoteButtonKeepsItsMaskThroughEveryFace) {
  StartBoth();
  auto window = Open(InboxNode(0));
  auto add = ByTag(window, "Pinlet");
  ASSERT_TRUE(add);
  EXPECT_EQ(add->face.pixels, LoadResPicture("ADD").pixels);
  EXPECT_EQ(add->mask.pixels, LoadResPicture("ADD_MASK").pixels);
  EXPECT_FALSE(ByTag(window, "butInsertNote")->mask.empty());
  AddNoteWith(InboxNode(0), "hello");
  outlook().ActivateInspector(Open(InboxNode(1)));
  outlook().ActivateInspector(window);
  EXPECT_EQ(add->face.pixels, LoadResPicture("EDIT").pixels);
  EXPECT_EQ(add->mask.pixels, LoadResPicture("EDIT_MASK").pixels);
  // Turned back from the Outlook side, with its mask too.
  SetInspectorNoteButton(ctx(), sim::WrapItem(&world, InboxNode(0)), false);
  EXPECT_EQ(add->mask.pixels, LoadResPicture("ADD_MASK").pixels);
}

TEST_F(WordEditorTest, FromOutlook12AWordMailWindowHasOneNoteButton) {
  StartBoth("12.0.4518");
  auto window = Open(InboxNode(0));
  ASSERT_TRUE(window);
  int note_buttons = 0;
  for (auto& control : window->command_bars()->FindBar("Standard")->controls)
    note_buttons += control->caption == "Add Note" || control->caption == "View Note";
  EXPECT_EQ(note_buttons, 1);
  // The button is Outlook's; Word still offers to insert a note.
  EXPECT_FALSE(ByTag(window, "Pinlet"));
  EXPECT_TRUE(ByTag(window, "butInsertNote"));
  // Activated again and given a note, the window still has one.
  AddNoteWith(InboxNode(0), "hello");
  SetInspectorNoteButton(ctx(), sim::WrapItem(&world, InboxNode(0)), true);
  outlook().ActivateInspector(Open(InboxNode(1)));
  outlook().ActivateInspector(window);
  note_buttons = 0;
  for (auto& control : window->command_bars()->FindBar("Standard")->controls)
    note_buttons += control->caption == "Add Note" || control->caption == "View Note";
  EXPECT_EQ(note_buttons, 1);
  EXPECT_EQ(word_addin->context().word_buttons->windows().size(), 2u);
}

TEST_F(WordEditorTest, InsertNotePutsTheReplysNoteIntoTheMailOnce) {
  StartBoth();
  SetNote("ReplyForward", "0");
  ol::ItemPtr note = AddNoteWith(InboxNode(6), "Agenda <draft>");
  sim::NodeOf(note)->attachments.push_back({"agenda.txt", "1. intro"});
  auto reply = Answer(InboxNode(6), "Reply");
  ASSERT_TRUE(reply);
  auto insert = ByTag(reply, "butInsertNote");
  Click(reply, insert);
  EXPECT_THAT(Member(reply, "HTMLBody"),
              HasSubstr("<pre style=\"font-size:10pt;font-family:Arial;color:rgb(0,0,255)"
                        "\">\r\nAgenda &lt;draft&gt;\r\n</pre>"));
  ASSERT_EQ(NodeOf(reply)->attachments.size(), 1u);
  EXPECT_EQ(NodeOf(reply)->attachments[0].content, "1. intro");
  EXPECT_FALSE(ByTag(reply, "butInsertNote"));

  // A mail that answers nothing with a note gets nothing from the button.
  auto plain = Open(InboxNode(2));
  std::string before = Member(plain, "Body");
  Click(plain, ByTag(plain, "butInsertNote"));
  EXPECT_EQ(Member(plain, "Body"), before);
}

TEST_F(WordEditorTest, InsertNoteAsksNothingOfOutlook2003sGuard) {
  InsertNoteAsksNothing("");
}

TEST_F(WordEditorTest, InsertNoteAsksNothingOfOutlook2002sGuard) {
  InsertNoteAsksNothing("10.0.0.6626");
}

TEST_F(WordEditorTest, ANoteFileThatCannotBeAddedIsToldToTheUser) {
  StartBoth();
  SetNote("ReplyForward", "0");
  ol::ItemPtr note = AddNoteWith(InboxNode(6), "Agenda");
  sim::NodeOf(note)->attachments.push_back({"agenda.txt", "1. intro"});
  sim::NodeOf(note)->attachments.push_back({"rooms.txt", "A, B"});
  auto reply = Answer(InboxNode(6), "Reply");
  ASSERT_TRUE(reply);
  world.faults.FailMember("Attachment.SaveAsFile", errors::kOperationFailed, 1);
  world.message_boxes.QueueAnswer(mb::kOk);
  Click(reply, ByTag(reply, "butInsertNote"));
  ASSERT_EQ(NodeOf(reply)->attachments.size(), 1u);
  EXPECT_EQ(NodeOf(reply)->attachments[0].content, "A, B");
  EXPECT_THAT(Messages(), ::testing::ElementsAre(HasSubstr("Part of the note")));
}

TEST_F(WordEditorTest, ClosedWindowsAreForgotten) {
  StartBoth();
  auto first = Open(InboxNode(0));
  Open(InboxNode(1));
  ASSERT_EQ(word_addin->context().word_buttons->windows().size(), 2u);
  outlook().CloseInspector(first);
  Open(InboxNode(2));
  EXPECT_EQ(word_addin->context().word_buttons->windows().size(), 2u);
}

}  // namespace
}  // namespace pinlet
