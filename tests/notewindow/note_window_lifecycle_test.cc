// The note window's life and what it stores: new and existing notes, every
// keystroke saved, untouched notes thrown away, duplicates, the one shared
// window, document notes, and the saves that must not be lost.
#include <gmock/gmock.h>

#include "addin/session.h"
#include "note_window_fixture.h"
#include "store/note_windows.h"
#include "store/notes_folder.h"

namespace pinlet {
namespace {

using ::testing::ElementsAre;

class LifecycleTest : public NoteWindowTest {
 protected:
  void SetUp() override {
    NoteWindowTest::SetUp();
    Start();
  }
};

TEST_F(LifecycleTest, ANewNoteIsMadeMarkedAndSavedAtEveryKeystroke) {
  ol::ItemPtr mail = InboxItem(6);
  auto window = Open(mail);
  ASSERT_TRUE(window);
  EXPECT_EQ(window->frmState, kEditState);
  EXPECT_TRUE(window->new_note());
  EXPECT_EQ(Form(window).caption(), "Subject: Board slides");
  EXPECT_EQ(ItemProp(mail, "ZPNHasNote"), "TRUE");
  EXPECT_THAT(seams,
              ElementsAre("view button " + mail->EntryID(), "refresh (refreshing)"));
  Type(window, "a");
  EXPECT_EQ(Prop(mail, "ZPNFullBody"), "a");
  Type(window, "b");
  EXPECT_EQ(Prop(mail, "ZPNFullBody"), "ab");
  EXPECT_EQ(Prop(mail, "ZPNBody"), "ab");
  EXPECT_FALSE(window->new_note());
}

TEST_F(LifecycleTest, TheTitleIsTheFirstLineThatIsNotEmpty) {
  ol::ItemPtr mail = InboxItem(2);
  auto window = Open(mail);
  Key(window, "Enter");
  Key(window, "Enter");
  Type(window, "Call Dana");
  Key(window, "Enter");
  Type(window, "about lunch");
  EXPECT_EQ(Prop(mail, "ZPNFullBody"), "\r\n\r\nCall Dana\r\nabout lunch");
  EXPECT_EQ(Prop(mail, "ZPNBody"), "Call Dana");
}

TEST_F(LifecycleTest, AnUntouchedNewNoteGoesWhenClosedAndLeavesNothingBehind) {
  ol::ItemPtr mail = InboxItem(6);
  auto window = Open(mail);
  ASSERT_NE(NoteOf(mail), nullptr);
  seams.clear();
  size_t mark = Mark();
  CloseBox(window);
  EXPECT_EQ(NoteOf(mail), nullptr);
  EXPECT_TRUE(DeletedNode()->items.empty());
  EXPECT_EQ(ItemProp(mail, "ZPNHasNote"), "FALSE");
  // Moved to Deleted Items, and deleted there.
  EXPECT_EQ(Calls("Item.Move", mark), 1);
  EXPECT_EQ(Calls("Item.Delete", mark), 1);
  EXPECT_TRUE(ctx().note_windows->empty());
  EXPECT_THAT(seams, ElementsAre("add button " + mail->EntryID(), "refresh (refreshing)",
                                 "forget " + mail->EntryID()));
}

TEST_F(LifecycleTest, ANoteChangedOnceStaysEvenWhenItsTextIsGoneAgain) {
  ol::ItemPtr mail = InboxItem(6);
  auto window = Open(mail);
  Type(window, "x");
  Key(window, "Back");
  CloseBox(window);
  ASSERT_NE(NoteOf(mail), nullptr);
  EXPECT_EQ(Prop(mail, "ZPNFullBody"), "");
  EXPECT_EQ(ItemProp(mail, "ZPNHasNote"), "TRUE");
}

TEST_F(LifecycleTest, AnExistingNoteLoadsItsLookAndGetsTheDefaultsItLacks) {
  WriteText(world.registry, kNoteKey, "FontName", "Verdana");
  WriteText(world.registry, kNoteKey, "FontSize", "11");
  WriteText(world.registry, kNoteKey, "BackColor", std::to_string(0xCCFFCC));
  ol::ItemPtr mail = InboxItem(3);
  NewNote made = AddNewNoteItem(ctx(), mail);  // a note with a title only
  ASSERT_TRUE(made.note);
  auto window = Open(mail);
  EXPECT_EQ(window->frmState, kViewState);
  EXPECT_FALSE(window->new_note());
  EXPECT_EQ(Prop(mail, "ZPNFontName"), "Verdana");
  EXPECT_EQ(Prop(mail, "ZPNFontSize"), "11");
  EXPECT_EQ(Prop(mail, "ZPNBackColor"), std::to_string(0xCCFFCC));
  EXPECT_EQ(Prop(mail, "ZPNFullBody"), "");
  EXPECT_EQ(Prop(mail, "ZPNReminder"), "");
  EXPECT_EQ(Prop(mail, "ZPNOnTop"), "0");
  CloseBox(window);

  // Its own values win over the defaults from then on.
  sim::NodeOf(made.note)->FindProp("ZPNFullBody")->value = "Renew in May";
  sim::NodeOf(made.note)->FindProp("ZPNFontBold")->value = "True";
  WriteText(world.registry, kNoteKey, "FontName", "Tahoma");
  window = Open(mail);
  EXPECT_EQ(TextBox(window).text(), "Renew in May");
  EXPECT_EQ(TextBox(window).font.name, "Verdana");
  EXPECT_TRUE(TextBox(window).font.bold);
  EXPECT_EQ(Control<ui::TextBox>(window, "Text")->BackColor(), 0xCCFFCCu);
  EXPECT_EQ(Form(window).caption(), "Password expires in 5 days");
}

TEST_F(LifecycleTest, ADuplicateWindowClosesWithoutSavingAnything) {
  ol::ItemPtr mail = InboxItem(6);
  auto first = Open(mail);
  Type(first, "kept");
  WriteText(world.registry, kNoteKey, "NoteLeft", "111");
  WriteText(world.registry, kNoteKey, "NoteTop", "222");
  // A second window for the same note, as a stale caller could make one.
  auto second =
      std::dynamic_pointer_cast<frmComments>(ctx().subsystems.note_windows->Create(ctx()));
  second->strID = mail->EntryID();
  second->objOriginalNote = sim::WrapItem(&world, NoteOf(mail)->shared_from_this());
  second->objParentItem = mail;
  second->Show();
  EXPECT_FALSE(second->loaded());
  EXPECT_EQ(ctx().note_windows->size(), 1u);
  EXPECT_EQ(ReadText(world.registry, kNoteKey, "NoteLeft"), "111");
  EXPECT_EQ(ReadText(world.registry, kNoteKey, "NoteTop"), "222");
  EXPECT_EQ(Prop(mail, "ZPNFullBody"), "kept");
}

TEST_F(LifecycleTest, ClosingSavesThePlaceAndTheNextWindowOpensThere) {
  ol::ItemPtr mail = InboxItem(6);
  auto window = Open(mail);
  Type(window, "x");
  Do(window, sim::FormAction{sim::FormAction::Kind::kMove, "", "", 0, 1500, 900});
  CloseBox(window);
  EXPECT_EQ(ReadText(world.registry, kNoteKey, "NoteLeft"), "1500");
  EXPECT_EQ(ReadText(world.registry, kNoteKey, "NoteTop"), "900");
  window = Open(InboxItem(2));
  EXPECT_EQ(Place(window).left, 1500);
  EXPECT_EQ(Place(window).top, 900);
}

TEST_F(LifecycleTest, AWindowOffTheScreenIsBroughtOntoTheWorkAreaKeepingTheSavedPlace) {
  WriteText(world.registry, kNoteKey, "NoteLeft", "30000");
  WriteText(world.registry, kNoteKey, "NoteTop", "-2000");
  auto window = Open(InboxItem(6));
  Rect area = world.windows.work_area();
  Rect place = Place(window);
  EXPECT_EQ(place.left, area.left + area.width - place.width);
  EXPECT_EQ(place.top, 0);
  EXPECT_EQ(ReadText(world.registry, kNoteKey, "NoteLeft"), "30000");
}

// Stored places at or past the limits of a 32-bit number, or no number at
// all, still open the window on the screen, and only such a place is written
// back; without the work area the screen serves.
TEST_F(LifecycleTest, AStoredPlaceFarOutsideAnyScreenOpensOnTheScreen) {
  const std::pair<std::string, std::string> kPlaces[] = {
      {"2147483647", "2147483647"}, {"-2147483648", "-2147483648"}, {"1e300", "-1e300"},
      {"99999999999", "12"},        {"2147483000", "left"},         {"", "2147483647"}};
  for (bool with_work_area : {true, false}) {
    Rect area = with_work_area ? world.windows.work_area() : world.windows.screen();
    for (const auto& [left, top] : kPlaces) {
      SCOPED_TRACE(left + "," + top);
      WriteText(world.registry, kNoteKey, "NoteLeft", left);
      WriteText(world.registry, kNoteKey, "NoteTop", top);
      if (!with_work_area) world.faults.FailMember("SystemParametersInfo");
      auto window = Open(InboxItem(6));
      world.faults.Clear();
      Rect place = Place(window);
      EXPECT_GE(place.left, area.left);
      EXPECT_GE(place.top, area.top);
      EXPECT_LE(int64_t{place.left} + place.width, int64_t{area.left} + area.width);
      EXPECT_LE(int64_t{place.top} + place.height, int64_t{area.top} + area.height);
      CloseBox(window);
      EXPECT_EQ(ReadText(world.registry, kNoteKey, "NoteLeft"),
                std::to_string(place.left));
      EXPECT_EQ(ReadText(world.registry, kNoteKey, "NoteTop"), std::to_string(place.top));
    }
  }
}

TEST_F(LifecycleTest, ReusingTheOneWindowForItsOwnNoteChangesNothing) {
  WriteText(world.registry, kNoteKey, "NotesInOneWindow", "1");
  ol::ItemPtr mail = InboxItem(6);
  auto window = Open(mail);
  Type(window, "same");
  std::string id = mail->EntryID();
  size_t mark = Mark();
  window->ClearForm(id, nullptr, mail);
  EXPECT_EQ(Mark(), mark);  // not one host call
  EXPECT_EQ(TextBox(window).text(), "same");
}

TEST_F(LifecycleTest, TheOneWindowShowsTheNextNoteAndThrowsAwayAnUntouchedOneOnce) {
  WriteText(world.registry, kNoteKey, "NotesInOneWindow", "1");
  ol::ItemPtr first = InboxItem(6), second = InboxItem(2);
  auto window = Open(first);
  size_t mark = Mark();
  auto again = Open(second);
  EXPECT_EQ(again, window);
  EXPECT_EQ(ctx().note_windows->size(), 1u);
  EXPECT_EQ(window->strID, second->EntryID());
  EXPECT_EQ(NoteOf(first), nullptr);
  EXPECT_EQ(Calls("Item.Delete", mark), 1);
  EXPECT_TRUE(DeletedNode()->items.empty());
  Type(window, "second's");
  EXPECT_EQ(Prop(second, "ZPNFullBody"), "second's");
}

TEST_F(LifecycleTest, AStaleAddNoteOpensTheExistingNoteAndOverwritesNothing) {
  ol::ItemPtr mail = InboxItem(6);
  auto window = Open(mail);
  Type(window, "written earlier");
  CloseBox(window);
  size_t notes = NotesNode()->items.size();
  window = Open(mail, /*add=*/true);
  ASSERT_TRUE(window);
  EXPECT_FALSE(window->new_note());
  EXPECT_EQ(TextBox(window).text(), "written earlier");
  EXPECT_EQ(NotesNode()->items.size(), notes);  // no unlinked item kept
  CloseBox(window);
  EXPECT_EQ(Prop(mail, "ZPNFullBody"), "written earlier");
}

TEST_F(LifecycleTest, TextInAnyScriptRoundTrips) {
  ol::ItemPtr mail = InboxItem(6);
  auto window = Open(mail);
  const std::string text = "Γειά σου, Привет, 你好 😀";
  Type(window, text);
  CloseBox(window);
  EXPECT_EQ(Prop(mail, "ZPNFullBody"), text);
  window = Open(mail);
  EXPECT_EQ(TextBox(window).text(), text);
}

TEST_F(LifecycleTest, DocumentNotesAreWrittenThroughOneCdoUpdateAKeystroke) {
  auto doc = Inbox()->Items()->Add(std::string_view("IPM.Document.Word.Document.8"));
  doc->SetSubject("Plan.doc");
  doc->Save();
  auto window = Open(doc);
  ASSERT_TRUE(window);
  size_t mark = Mark();
  Type(window, "q");
  EXPECT_EQ(Calls("Message.Update", mark), 1);
  EXPECT_EQ(Calls("Item.Save", mark), 0);
  EXPECT_EQ(Prop(doc, "ZPNFullBody"), "q");
  EXPECT_EQ(Prop(doc, "ZPNBody"), "q");
  CloseBox(window);
  window = Open(doc);  // read back through CDO as well
  EXPECT_EQ(TextBox(window).text(), "q");
  EXPECT_FALSE(window->text_unread());
}

TEST_F(LifecycleTest, AKeystrokeWhoseSaveFailedIsSavedWhenTheWindowCloses) {
  ol::ItemPtr mail = InboxItem(6);
  auto window = Open(mail);
  Type(window, "ab");
  world.faults.FailMember("TextBox.Text", errors::kOperationFailed, 1);
  Type(window, "c");
  EXPECT_EQ(Prop(mail, "ZPNFullBody"), "ab");
  EXPECT_TRUE(window->save_pending());
  CloseBox(window);
  EXPECT_EQ(Prop(mail, "ZPNFullBody"), "abc");
}

TEST_F(LifecycleTest, ANoteThatCouldNotBeMadeAtOpeningIsMadeAtTheFirstKeystroke) {
  ol::ItemPtr mail = InboxItem(6);
  world.faults.FailMember("Items.Add", errors::kOperationFailed, 1);
  auto window = Open(mail);
  ASSERT_TRUE(window);
  EXPECT_EQ(NoteOf(mail), nullptr);
  Type(window, "not lost");
  EXPECT_EQ(Prop(mail, "ZPNFullBody"), "not lost");
  EXPECT_EQ(Prop(mail, "ZPNOnTop"), "0");
  EXPECT_EQ(ItemProp(mail, "ZPNHasNote"), "TRUE");
  EXPECT_EQ(NotesNode()->items.size(), 1u);
}

// The connection could not take the session's namespace, and Outlook keeps
// refusing it: no window takes typing that could not be stored, and the
// user is told why nothing opens.
TEST_F(LifecycleTest, NotesThatCannotBeReachedOpenNoWindowAndTheUserIsTold) {
  ol::ItemPtr mail = InboxItem(6);
  ol::ItemPtr other = InboxItem(2);
  auto first = Open(other);
  Type(first, "kept");
  CloseBox(first);
  ctx().name_space.reset();
  world.faults.FailMember("Application.GetNameSpace");
  world.message_boxes.QueueAnswer(mb::kOk);
  world.message_boxes.QueueAnswer(mb::kOk);
  EXPECT_EQ(Open(mail), nullptr);   // Add Note
  EXPECT_EQ(Open(other), nullptr);  // View Note
  ASSERT_EQ(world.message_boxes.shown().size(), 2u);
  for (const auto& box : world.message_boxes.shown()) {
    EXPECT_EQ(box.text, kNotesUnreachable);
    EXPECT_EQ(box.title, "Pinlet");
  }
  EXPECT_TRUE(ctx().note_windows->empty());
  for (const auto& form : world.ui.forms()) EXPECT_FALSE(form->visible());
  EXPECT_EQ(NoteOf(mail), nullptr);
  // Once Outlook gives the namespace again, it is taken when needed.
  world.faults.Clear();
  auto window = Open(mail);
  ASSERT_TRUE(window);
  Type(window, "stored");
  CloseBox(window);
  EXPECT_EQ(Prop(mail, "ZPNFullBody"), "stored");
  EXPECT_EQ(Prop(other, "ZPNFullBody"), "kept");
}

TEST_F(LifecycleTest, ANewNoteIsTriedOnceMoreBeforeTheUserIsTurnedAway) {
  ol::ItemPtr mail = InboxItem(6);
  world.faults.FailMember("NameSpace.GetFolderFromID", errors::kOperationFailed, 1);
  auto window = Open(mail);
  ASSERT_TRUE(window);
  EXPECT_TRUE(world.message_boxes.shown().empty());
  Type(window, "x");
  EXPECT_EQ(Prop(mail, "ZPNFullBody"), "x");
}

// Every save fails: the keystroke's and its retries at close. The user is
// asked while the text is on the screen; Cancel keeps the window with it,
// Yes tries again, and once saves work again the text is stored.
TEST_F(LifecycleTest, ATextThatCannotBeSavedKeepsItsWindowUntilItIsStored) {
  ol::ItemPtr mail = InboxItem(6);
  auto window = Open(mail);
  Type(window, "Check clause ");
  world.faults.FailMember("UserProperty.Value");
  Type(window, "7");
  world.message_boxes.QueueAnswer(mb::kCancel);
  CloseBox(window);
  ASSERT_EQ(world.message_boxes.shown().size(), 1u);
  const auto& box = world.message_boxes.shown()[0];
  EXPECT_EQ(box.title, "Pinlet");
  EXPECT_THAT(box.text, ::testing::HasSubstr("could not save"));
  EXPECT_EQ(box.style & 0xF, mb::kYesNoCancel);
  ASSERT_TRUE(window->loaded());
  EXPECT_EQ(TextBox(window).text(), "Check clause 7");
  // Yes tries again and, failing, asks again; Ctrl+F4 asks the same.
  world.message_boxes.QueueAnswer(mb::kYes);
  world.message_boxes.QueueAnswer(mb::kCancel);
  Key(window, "Ctrl+F4");
  EXPECT_EQ(world.message_boxes.shown().size(), 3u);
  EXPECT_TRUE(window->loaded());
  EXPECT_EQ(Prop(mail, "ZPNFullBody"), "Check clause ");
  world.faults.Clear();
  CloseBox(window);
  EXPECT_FALSE(window->loaded());
  EXPECT_EQ(world.message_boxes.shown().size(), 3u);
  EXPECT_EQ(Prop(mail, "ZPNFullBody"), "Check clause 7");
}

// No lets the changes go, and nothing more is asked; a box that cannot be
// shown (twice) keeps the window open with its text.
TEST_F(LifecycleTest, NoGivesTheChangesUpAndABoxThatCannotBeShownKeepsTheWindow) {
  ol::ItemPtr mail = InboxItem(6);
  auto window = Open(mail);
  Type(window, "kept");
  world.faults.FailMember("UserProperty.Value");
  Type(window, " and lost");
  world.faults.FailMember("MsgBox");
  CloseBox(window);
  ASSERT_TRUE(window->loaded());
  EXPECT_EQ(TextBox(window).text(), "kept and lost");
  EXPECT_EQ(Calls("MsgBox"), 2);
  world.faults.Clear();
  world.faults.FailMember("UserProperty.Value");
  world.message_boxes.QueueAnswer(mb::kNo);
  CloseBox(window);
  world.faults.Clear();
  EXPECT_FALSE(window->loaded());
  EXPECT_EQ(world.message_boxes.shown().size(), 1u);
  EXPECT_EQ(Prop(mail, "ZPNFullBody"), "kept");
}

// The one window keeps showing a note it cannot save when the user asks so,
// rather than switch to the next note.
TEST_F(LifecycleTest, TheOneWindowKeepsANoteThatCannotBeSavedWhenTheUserAsks) {
  WriteText(world.registry, kNoteKey, "NotesInOneWindow", "1");
  ol::ItemPtr first = InboxItem(6), second = InboxItem(2);
  auto window = Open(first);
  Type(window, "a");
  world.faults.FailMember("UserProperty.Value");
  Type(window, "b");
  world.message_boxes.QueueAnswer(mb::kCancel);
  EXPECT_EQ(Open(second), nullptr);
  ASSERT_EQ(window->strID, first->EntryID());
  EXPECT_EQ(TextBox(window).text(), "ab");
  world.faults.Clear();
  EXPECT_EQ(Open(second), window);
  EXPECT_EQ(Prop(first, "ZPNFullBody"), "ab");
  EXPECT_EQ(world.message_boxes.shown().size(), 1u);
}

// The add-in closes the window (Outlook shuts down): it cannot stay, so the
// box offers Retry or Cancel and shows the text that would be lost.
TEST_F(LifecycleTest, TheAddinClosingAWindowThatCannotSaveAsksRetryOrCancel) {
  ol::ItemPtr mail = InboxItem(6);
  auto window = Open(mail);
  Type(window, "first line");
  world.faults.FailMember("UserProperty.Value");
  Type(window, ", and more");
  EXPECT_TRUE(window->save_pending());
  world.message_boxes.QueueAnswer(mb::kRetry);
  world.message_boxes.QueueAnswer(mb::kCancel);
  window->Unload();
  world.faults.Clear();
  EXPECT_FALSE(window->loaded());
  ASSERT_EQ(world.message_boxes.shown().size(), 2u);
  for (const auto& box : world.message_boxes.shown()) {
    EXPECT_EQ(box.style & 0xF, mb::kRetryCancel);
    EXPECT_THAT(box.text, ::testing::HasSubstr("could not save"));
    EXPECT_THAT(box.text, ::testing::EndsWith("\r\n\r\nfirst line, and more"));
  }
  EXPECT_EQ(Prop(mail, "ZPNFullBody"), "first line");
  // A close that saves everything says nothing.
  window = Open(mail);
  Type(window, "!");
  CloseBox(window);
  EXPECT_EQ(world.message_boxes.shown().size(), 2u);
}

TEST_F(LifecycleTest, ATextThatCouldNotBeLoadedIsNeverOverwritten) {
  ol::ItemPtr mail = InboxItem(6);
  auto window = Open(mail);
  Type(window, "precious");
  CloseBox(window);
  // The box is emptied first, then given the note's text: that fails.
  world.faults.FailMember("TextBox.Text", errors::kOperationFailed, 2);
  window = Open(mail);
  EXPECT_TRUE(window->text_unread());
  EXPECT_TRUE(TextBox(window).locked);
  Hover(window, "Text");
  Click(window, "imgTextClearAll");
  CloseBox(window);
  EXPECT_EQ(Prop(mail, "ZPNFullBody"), "precious");
}

TEST_F(LifecycleTest, AWindowThatCouldNotBeBuiltIsTriedOnceMore) {
  world.faults.FailMember("Controls.Add", errors::kOperationFailed, 5);
  auto window = Open(InboxItem(6));
  ASSERT_TRUE(window);
  EXPECT_TRUE(window->loaded());
  EXPECT_TRUE(Form(window).visible());
  EXPECT_EQ(world.ui.forms().size(), 1u);  // the half-built form is gone
  EXPECT_EQ(NotesNode()->items.size(), 1u);
}

TEST_F(LifecycleTest, CtrlF4ClosesAndCtrlOOpensTheParent) {
  ol::ItemPtr mail = InboxItem(6);
  auto window = Open(mail);
  Type(window, "x");
  Key(window, "Ctrl+O");
  EXPECT_EQ(world.outlook->inspectors().size(), 1u);
  EXPECT_EQ(TextBox(window).text(), "x");  // the key was the window's
  Key(window, "Ctrl+F4");
  EXPECT_FALSE(window->loaded());
  EXPECT_TRUE(ctx().note_windows->empty());
}

TEST_F(LifecycleTest, ShutDownSavesWhatIsPendingAndKeepsChangedNotes) {
  ol::ItemPtr mail = InboxItem(6);
  auto window = Open(mail);
  Type(window, "a");
  world.faults.FailMember("UserProperty.Value", errors::kOperationFailed, 1);
  Type(window, "b");
  Open(InboxItem(2));  // an untouched one
  session->Stop();
  EXPECT_EQ(Prop(mail, "ZPNFullBody"), "ab");
  EXPECT_EQ(NotesNode()->items.size(), 1u);
}

TEST(GetNameTest, TheFileNameIsWhatFollowsTheLastSlash) {
  EXPECT_EQ(frmComments::GetName("C:\\Docs\\a\\report.doc"), "report.doc");
  EXPECT_EQ(frmComments::GetName("dir/sub\\x.txt"), "x.txt");
  EXPECT_EQ(frmComments::GetName("plain"), "plain");
  EXPECT_EQ(frmComments::GetName("C:\\folder\\"), "");
  // Only what Windows reads counts: the text before a NUL.
  using namespace std::string_literals;
  EXPECT_EQ(frmComments::GetName("C:\\evil\\run.exe\0.txt"s), "run.exe");
  EXPECT_EQ(frmComments::GetName("C:\\a\0\\b.txt"s), "a");
}

}  // namespace
}  // namespace pinlet
