// The note window's layout: the two display states and the switches between
// them, the minimum sizes, the attachments panel, the more-text indicator,
// and the picture buttons' looks.
#include <gmock/gmock.h>

#include "note_window_fixture.h"

namespace pinlet {
namespace {

class LayoutTest : public NoteWindowTest {
 protected:
  void SetUp() override {
    NoteWindowTest::SetUp();
    Start();
  }
  // An existing note, opened in the view state.
  std::shared_ptr<frmComments> OpenExisting(int index, const std::string& text = "x") {
    ol::ItemPtr mail = InboxItem(index);
    auto window = Open(mail);
    Type(window, text);
    CloseBox(window);
    return Open(mail);
  }
  void Resize(const std::shared_ptr<frmComments>& w, int32_t width, int32_t height) {
    Do(w, sim::FormAction::Resize(width, height));
  }
};

TEST_F(LayoutTest, TheStatesShowTheirToolbarsColoursAndHeights) {
  WriteText(world.registry, kNoteKey, "BackColor", std::to_string(0xCCFFCC));
  auto window = OpenExisting(6);
  EXPECT_EQ(window->frmState, kViewState);
  EXPECT_FALSE(Shown(window, "imgNoteDelete"));
  EXPECT_FALSE(Shown(window, "imgTextCut"));
  EXPECT_EQ(Form(window).back_colour, 0xCCFFCCu);
  EXPECT_EQ(Form(window).Find("picFooter")->back_colour, 0xCCFFCCu);
  EXPECT_EQ(Form(window).Find("Text")->rect.top, 60);
  EXPECT_EQ(Place(window).height, 2990);

  Hover(window, "Text");
  EXPECT_EQ(window->frmState, kEditState);
  EXPECT_TRUE(Shown(window, "imgNoteDelete"));
  EXPECT_TRUE(Shown(window, "imgTextCut"));
  EXPECT_EQ(Form(window).back_colour, kFrameColour);
  EXPECT_EQ(Form(window).Find("Text")->back_colour,
            0xCCFFCCu);  // the note keeps its colour
  EXPECT_EQ(Form(window).Find("Text")->rect.top, 810);
  EXPECT_EQ(Form(window).Find("imgTextToolbarLeft")->rect.top, 435);
  EXPECT_EQ(Form(window).Find("imgTextSep1")->rect.top, 495);
  EXPECT_EQ(Place(window).height, 3735);

  Click(window, "imgNoteView");
  EXPECT_EQ(window->frmState, kViewState);
  EXPECT_EQ(Place(window).height, 2990);
}

TEST_F(LayoutTest, ClicksOnTheBackgroundOpenTheEditState) {
  for (const char* target : {"frmComments", "picScrollBar"}) {
    auto window = OpenExisting(6);
    Click(window, target);
    EXPECT_EQ(window->frmState, kEditState) << target;
    CloseBox(window);
  }
}

TEST_F(LayoutTest, TheNoteFoldsBackOnlyAfterTheUserLeftIt) {
  auto window = OpenExisting(6);
  Hover(window, "Text");
  world.ui.AdvanceTime(3000);
  EXPECT_EQ(window->frmState, kEditState);  // not armed: nothing was done yet
  Type(window, "y");
  world.ui.AdvanceTime(3000);
  EXPECT_EQ(window->frmState, kEditState);  // still the active window
  world.windows.Activate(world.outlook->explorers().front()->Hwnd());
  world.ui.AdvanceTime(1000);
  EXPECT_EQ(window->frmState, kViewState);
}

TEST_F(LayoutTest, ResizingBelowTheMinimumSnapsBackAndLaysOutThere) {
  ol::ItemPtr mail = InboxItem(6);
  auto window = OpenExisting(6);
  Resize(window, 3000, 1000);
  EXPECT_EQ(Place(window).width, 5310);
  EXPECT_EQ(Place(window).height, 2100);
  EXPECT_EQ(Form(window).Find("Text")->rect.height, 1210);
  Hover(window, "Text");
  Resize(window, 5310, 1000);
  EXPECT_EQ(Place(window).height, 3300);
  CloseBox(window);
  NoteOf(mail)->attachments.push_back({"plan.txt", "plan"});
  window = Open(mail);
  ASSERT_TRUE(window->panel_shown());
  Resize(window, 5310, 1000);
  EXPECT_EQ(Place(window).height, 3700);
  Hover(window, "Text");
  Resize(window, 5310, 1000);
  EXPECT_EQ(Place(window).height, 5000);
}

TEST_F(LayoutTest, ALargerWindowStretchesTheTextAndMovesWhatIsOnTheRight) {
  auto window = OpenExisting(6);
  Resize(window, 8000, 5000);
  sim::SimForm& form = Form(window);
  EXPECT_EQ(form.Find("Text")->rect.width, 8000 - 355);
  EXPECT_EQ(form.Find("Text")->rect.height, 5000 - 890);
  EXPECT_EQ(form.Find("picFooter")->rect.top, 60 + 4110 + 75);
  EXPECT_EQ(form.Find("imgNoteView")->rect.left, 8000 - 555);
  Hover(window, "Text");  // the text keeps its height; the window grows
  EXPECT_EQ(Place(window).height, 4110 + 1635);
}

TEST_F(LayoutTest, ThePanelFollowsTheNotesAttachmentsAndTheToggle) {
  ol::ItemPtr mail = InboxItem(6);
  auto window = Open(mail);
  Type(window, "with files");
  CloseBox(window);
  sim::ItemNode* note = NoteOf(mail);
  note->attachments.push_back({"plan.txt", "plan"});
  note->attachments.push_back({"photo.jpg", "jpeg"});
  window = Open(mail);
  EXPECT_TRUE(window->panel_shown());
  EXPECT_TRUE(Shown(window, "lstAttachments"));
  auto list = Control<ui::ListBox>(window, "lstAttachments");
  EXPECT_EQ(list->ListCount(), 2);
  EXPECT_EQ(list->List(0), "plan.txt");
  EXPECT_EQ(list->ListIndex(), 0);
  EXPECT_EQ(Control<ui::Label>(window, "lblAttachments")->Caption(), "2");
  EXPECT_EQ(Place(window).height, 2990 + 1215);
  EXPECT_EQ(Picture(window, "imgSaveAtt"), "SAVE");
  // The View button keeps the panel as it is.
  Hover(window, "Text");
  Click(window, "transAttachments");
  EXPECT_FALSE(window->panel_shown());
  Click(window, "imgNoteView");
  EXPECT_FALSE(window->panel_shown());
  EXPECT_EQ(Place(window).height, 2990);
}

// The toggle folds only the panel: it stays, with the count, for the click
// that brings the panel back, in either state and after the fold-back.
TEST_F(LayoutTest, ThePanelToggleStaysAndASecondClickRestoresThePanel) {
  ol::ItemPtr mail = InboxItem(6);
  auto window = Open(mail);
  Type(window, "with a file");
  CloseBox(window);
  NoteOf(mail)->attachments.push_back({"plan.txt", "plan"});
  window = Open(mail);
  const int32_t view_with_panel = Place(window).height;
  auto toggle_twice = [&](int32_t panel_adds) {
    const int32_t height_with_panel = Place(window).height;
    Click(window, "transAttachments");
    EXPECT_FALSE(window->panel_shown());
    EXPECT_FALSE(Shown(window, "picAttachments"));
    EXPECT_TRUE(Shown(window, "transAttachments"));
    EXPECT_TRUE(Shown(window, "lblAttachments"));
    EXPECT_EQ(Place(window).height, height_with_panel - panel_adds);
    Click(window, "transAttachments");
    EXPECT_TRUE(window->panel_shown());
    EXPECT_TRUE(Shown(window, "picAttachments"));
    EXPECT_EQ(Place(window).height, height_with_panel);
  };
  toggle_twice(1215);
  Hover(window, "Text");
  toggle_twice(1215 + 105);
  // Folded in the edit state, the panel comes back after the fold-back too.
  Type(window, "!");
  Click(window, "transAttachments");
  world.windows.Activate(world.outlook->explorers().front()->Hwnd());
  world.ui.AdvanceTime(3000);
  ASSERT_EQ(window->frmState, kViewState);
  EXPECT_TRUE(Shown(window, "transAttachments"));
  EXPECT_EQ(Control<ui::Label>(window, "lblAttachments")->Caption(), "1");
  Click(window, "transAttachments");
  EXPECT_TRUE(window->panel_shown());
  EXPECT_EQ(Place(window).height, view_with_panel);
}

TEST_F(LayoutTest, AnEmptyNoteHasNoPanelAndNoAttachmentButtons) {
  auto window = Open(InboxItem(6));
  EXPECT_FALSE(window->panel_shown());
  EXPECT_FALSE(Shown(window, "transAttachments"));
  EXPECT_EQ(Picture(window, "imgDeleteAtt"), "REMOVE_DISABLED");
  EXPECT_FALSE(Form(window).Find("imgDeleteAtt")->enabled);
}

TEST_F(LayoutTest, TheMoreTextSignDependsOnTheTextAndTheFont) {
  auto window = OpenExisting(6, "short");
  EXPECT_FALSE(Shown(window, "transScroll"));
  CloseBox(window);
  std::string lines;
  for (int i = 0; i < 12; ++i) lines += "line\n";
  window = OpenExisting(2, lines);
  EXPECT_TRUE(Shown(window, "transScroll"));  // 13 lines of 198 in 2040
  CloseBox(window);
  WriteText(world.registry, kNoteKey, "FontSize", "4");
  window = OpenExisting(3, lines);
  EXPECT_FALSE(Shown(window, "transScroll"));  // the same lines, smaller
  // A long text needs more room; a long run of blanks before one word does not.
  for (const std::string& text :
       {std::string(20000, 'w'), std::string(9000, ' ') + "end"}) {
    CloseBox(window);
    NoteOf(InboxItem(3))->FindProp("ZPNFullBody")->value = text;
    window = Open(InboxItem(3));
    EXPECT_EQ(Shown(window, "transScroll"), text.back() == 'w') << text.size();
  }
}

TEST_F(LayoutTest, MovingFromButtonToButtonRestoresTheFirstOne) {
  auto window = Open(InboxItem(6));
  Hover(window, "imgTextCut");
  EXPECT_EQ(Picture(window, "imgTextCut"), "CUT_OVER");
  Hover(window, "imgTextCopy");
  EXPECT_EQ(Picture(window, "imgTextCut"), "CUT");
  EXPECT_EQ(Picture(window, "imgTextCopy"), "COPY_OVER");
  Do(window, sim::FormAction::Mouse(sim::FormAction::Kind::kMouseDown, "imgTextCopy"));
  EXPECT_EQ(Picture(window, "imgTextCopy"), "COPY_DOWN");
  Do(window, sim::FormAction::Mouse(sim::FormAction::Kind::kMouseUp, "imgTextCopy"));
  EXPECT_EQ(Picture(window, "imgTextCopy"), "COPY_OVER");
  Hover(window, "imgTextSep2");
  EXPECT_EQ(Picture(window, "imgTextCopy"), "COPY");
}

TEST_F(LayoutTest, TheOnTopButtonRestsOnItsTurnedPictureWhileOn) {
  ol::ItemPtr mail = InboxItem(6);
  auto window = Open(mail);
  EXPECT_EQ(Picture(window, "imgNoteOnTop"), "ONTOP");
  Do(window, sim::FormAction::Mouse(sim::FormAction::Kind::kMouseDown, "imgNoteOnTop"));
  EXPECT_TRUE(window->blnOnTop);  // on mouse down, before the click
  EXPECT_EQ(Picture(window, "imgNoteOnTop"), "ONTOP_DOWN");
  EXPECT_TRUE(world.windows.Find(window->hwnd())->top_most);
  EXPECT_EQ(Prop(mail, "ZPNOnTop"), "1");
  Do(window, sim::FormAction::Mouse(sim::FormAction::Kind::kMouseUp, "imgNoteOnTop"));
  EXPECT_EQ(Picture(window, "imgNoteOnTop"), "ONTOP_TURNED_OVER");
  Hover(window, "frmComments");
  EXPECT_EQ(Picture(window, "imgNoteOnTop"), "ONTOP_TURNED_DOWN");
  Click(window, "imgNoteOnTop");
  EXPECT_FALSE(world.windows.Find(window->hwnd())->top_most);
  EXPECT_EQ(Prop(mail, "ZPNOnTop"), "0");
  Hover(window, "imgNoteSep1");
  EXPECT_EQ(Picture(window, "imgNoteOnTop"), "ONTOP");
}

TEST_F(LayoutTest, ANoteKeptOnTopOpensAboveEverything) {
  WriteText(world.registry, kNoteKey, "NoteOnTop", "1");
  ol::ItemPtr mail = InboxItem(6);
  auto window = Open(mail);
  EXPECT_TRUE(window->blnOnTop);
  EXPECT_TRUE(world.windows.Find(window->hwnd())->top_most);
  EXPECT_EQ(Picture(window, "imgNoteOnTop"), "ONTOP_TURNED_DOWN");
  EXPECT_EQ(Prop(mail, "ZPNOnTop"), "1");
}

TEST_F(LayoutTest, EveryButtonHasItsToolTip) {
  auto window = Open(InboxItem(6));
  sim::SimForm& form = Form(window);
  EXPECT_EQ(form.Find("imgTextFont")->tool_tip, "Font...");
  EXPECT_EQ(form.Find("imgSaveAtt")->tool_tip, "Save attachment as...");
  EXPECT_EQ(form.Find("imgNoteOnTop")->tool_tip, "Always on top");
  EXPECT_EQ(form.Find("transAttachments")->tool_tip, "Attachments Panel On/Off");
  EXPECT_EQ(form.Find("imgNoteView")->tool_tip, "");
}

}  // namespace
}  // namespace pinlet
