#include "store/note_windows.h"

#include <gmock/gmock.h>

#include "addin/settings.h"
#include "store_fixture.h"

namespace pinlet {
namespace {

using ::testing::ElementsAre;

class NoteWindowsTest : public StoreTest {
 protected:
  void SetUp() override {
    StoreTest::SetUp();
    Start();
  }
  std::shared_ptr<NoteWindow> Open(const std::string& id) {
    auto window = GetNoteForm(ctx(), id, nullptr, nullptr);
    DisplayNote(ctx(), window);
    return window;
  }
  std::vector<std::string> Ids() {
    std::vector<std::string> ids;
    for (auto& w : *ctx().note_windows) ids.push_back(w->strID);
    return ids;
  }
};

TEST_F(NoteWindowsTest, PerNoteModeOpensOneWindowPerItemAndBringsItBackUp) {
  auto a = Open("A");
  auto b = Open("B");
  EXPECT_NE(a, b);
  EXPECT_THAT(Ids(), ElementsAre("A", "B"));
  a->blnOnTop = true;
  auto again = GetNoteForm(ctx(), "A", nullptr, nullptr);
  EXPECT_EQ(again, a);
  log.clear();
  DisplayNote(ctx(), again);
  EXPECT_THAT(log, ElementsAre("w1 Show A"));
  EXPECT_THAT(world.windows.top_most_calls(),
              ElementsAre(std::make_pair(a->hwnd(), true)));
  EXPECT_THAT(Ids(), ElementsAre("A", "B"));
}

TEST_F(NoteWindowsTest, AnOutlookNoteGetsNoNoteWindowAndTheUserIsToldWhy) {
  auto sticky = ns()->GetDefaultFolder(ol::kFolderNotes)->Items()->Item(1);
  auto mail = InboxItem(1);
  world.message_boxes.QueueAnswer(mb::kOk);
  for (const char* mode : {"0", "1"}) {
    WriteText(world.registry, kNoteKey, "NotesInOneWindow", mode);
    EXPECT_EQ(GetNoteForm(ctx(), sticky->EntryID(), nullptr, sticky), nullptr) << mode;
    world.message_boxes.QueueAnswer(mb::kOk);
  }
  ASSERT_EQ(world.message_boxes.shown().size(), 2u);
  EXPECT_THAT(world.message_boxes.shown()[0].text,
              ::testing::HasSubstr("Outlook's own notes cannot have a Pinlet note"));
  // Any other item still gets its window.
  EXPECT_NE(GetNoteForm(ctx(), mail->EntryID(), nullptr, mail), nullptr);
  EXPECT_EQ(world.message_boxes.shown().size(), 2u);
}

TEST_F(NoteWindowsTest, OneWindowModeReusesTheLastWindow) {
  WriteText(world.registry, kNoteKey, "NotesInOneWindow", "1");
  auto first = Open("A");
  auto second = Open("B");
  EXPECT_EQ(first, second);
  EXPECT_THAT(log, ElementsAre("w1 Show A", "w1 ClearForm B", "w1 Show B"));
  EXPECT_THAT(Ids(), ElementsAre("B"));
}

TEST_F(NoteWindowsTest, OneWindowModeWithLeftoverWindowsTakesTheLastOne) {
  Open("A");
  auto b = Open("B");
  WriteText(world.registry, kNoteKey, "NotesInOneWindow", "1");  // read at each call
  auto reused = Open("C");
  EXPECT_EQ(reused, b);
  EXPECT_THAT(Ids(), ElementsAre("A", "C"));
}

TEST_F(NoteWindowsTest, ClosingAnItemWithoutANoteWindowChangesNothing) {
  Open("A");
  log.clear();
  CloseNote(ctx(), "nobody");
  EXPECT_TRUE(log.empty());
  EXPECT_THAT(Ids(), ElementsAre("A"));
}

TEST_F(NoteWindowsTest, CloseNoteRemovesExactlyTheClosingWindow) {
  // The closing window takes itself out of the list as it unloads; the list
  // must not lose its neighbour as well.
  Open("A");
  Open("B");
  Open("C");
  CloseNote(ctx(), "B");
  EXPECT_THAT(Ids(), ElementsAre("A", "C"));
  CloseNote(ctx(), "A");
  EXPECT_THAT(Ids(), ElementsAre("C"));
}

TEST_F(NoteWindowsTest, RemoveNoteFormRemovesByIdentity) {
  auto a1 = Open("A");
  WriteText(world.registry, kNoteKey, "NotesInOneWindow", "0");
  auto b = Open("B");
  b->strID = "A";  // two windows under one key
  RemoveNoteForm(ctx(), b.get());
  ASSERT_EQ(ctx().note_windows->size(), 1u);
  EXPECT_EQ(ctx().note_windows->front(), a1);
  RemoveNoteForm(ctx(), b.get());  // gone already: nothing happens
  EXPECT_EQ(ctx().note_windows->size(), 1u);
}

TEST_F(NoteWindowsTest, ParentItemClosedPutsAnOnTopWindowBackOnTopOnce) {
  auto a = Open("A");
  a->blnOnTop = true;
  a->blnParentOpened = true;
  ParentItemClosed(ctx(), "A");
  EXPECT_FALSE(a->blnParentOpened);
  ParentItemClosed(ctx(), "A");
  EXPECT_THAT(world.windows.top_most_calls(),
              ElementsAre(std::make_pair(a->hwnd(), true)));
  EXPECT_TRUE(world.windows.Find(a->hwnd())->top_most);
  auto b = Open("B");
  b->blnParentOpened = true;  // not on top: nothing to restore
  ParentItemClosed(ctx(), "B");
  EXPECT_TRUE(b->blnParentOpened);
}

TEST_F(NoteWindowsTest, ClosingAnItemWindowReachesTheRegistryThroughTheConnector) {
  auto mail = InboxItem(1);
  auto window = Open(mail->EntryID());
  window->blnOnTop = true;
  window->blnParentOpened = true;
  mail->Display();
  session->outlook()->CloseInspector(session->outlook()->inspectors().back());
  EXPECT_FALSE(window->blnParentOpened);
}

TEST_F(NoteWindowsTest, ShutDownUnloadsSelfRemovingWindowsLastFirst) {
  Open("A");
  Open("B");
  log.clear();
  session->Stop();
  EXPECT_THAT(log, ElementsAre("w2 Unload", "w1 Unload"));
  EXPECT_FALSE(ctx().note_windows);
}

TEST_F(NoteWindowsTest, WithoutANoteWindowFactoryNothingIsShown) {
  addin->context().subsystems.note_windows = nullptr;
  EXPECT_EQ(GetNoteForm(ctx(), "A", nullptr, nullptr), nullptr);
  DisplayNote(ctx(), nullptr);
  EXPECT_TRUE(ctx().note_windows->empty());
}

TEST_F(NoteWindowsTest, AFailingListIsReportedWithTheProceduresTag) {
  ctx().note_windows.reset();
  EXPECT_FALSE(NoteFormExists(ctx(), "A"));
  EXPECT_THAT(Logged().back(),
              ::testing::HasSubstr("basMainProc(Function NoteFormExists)"));
  WriteText(world.registry, kNoteKey, "NotesInOneWindow", "1");
  EXPECT_EQ(GetNoteForm(ctx(), "A", nullptr, nullptr), nullptr);
  EXPECT_THAT(Logged().back(),
              ::testing::HasSubstr("basMainProc(Function GetLastNoteForm)"));
}

}  // namespace
}  // namespace pinlet
