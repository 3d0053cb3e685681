// Pictures of forms: their size, colours, text, pictures and the layering
// of their controls, from forms built here as the add-in builds its windows.
#include <gtest/gtest.h>

#include "render_fixture.h"

namespace pinlet::render {
namespace {

// Where a control's inside starts in a form's picture: the frame is 4
// pixels a side with a 22-pixel title bar.
constexpr int kInsideX = 4;
constexpr int kInsideY = 26;

int X(int32_t twips) { return kInsideX + twips / 15; }
int Y(int32_t twips) { return kInsideY + twips / 15; }

TEST_F(RenderTest, APicturesSizeFollowsTheWindowsTwipsAt96Dpi) {
  auto form = ShownForm("frmComments", 5310, 3300);
  Image image = Draw(form);
  EXPECT_EQ(image.width(), 354);
  EXPECT_EQ(image.height(), 220);
  auto window = renderer->Window(world, form->hWnd());
  ASSERT_TRUE(window);
  EXPECT_EQ(window->width(), 354);
  EXPECT_EQ(window->height(), 220);
  form->SetWidth(7000);
  EXPECT_EQ(Draw(form).width(), 466);
  Image screen = renderer->Screen(world);
  EXPECT_EQ(screen.width(), 1024);
  EXPECT_EQ(screen.height(), 768);
  EXPECT_FALSE(renderer->Window(world, 0x7777));
}

// A note window in both states: the view state all in the note colour, the
// edit state with a pale yellow frame around the text in the note colour.
TEST_F(RenderTest, TheNoteColourFillsTheViewStateAndThePaleFrameTheEditState) {
  constexpr uint32_t kNoteColour = 0xF0CAA6;  // blue
  constexpr uint32_t kEditFrame = 0xC0FFFF;
  auto form = ShownForm("frmComments", 5310, 3300);
  auto text = form->Add<ui::TextBox>("Text");
  text->Move(60, 450, 5000, 1800);
  text->SetBackColor(kNoteColour);
  auto footer = form->Add<ui::PictureBox>("picFooter");
  footer->Move(60, 2300, 5000, 300);
  for (bool edit : {false, true}) {
    uint32_t frame = edit ? kEditFrame : kNoteColour;
    form->SetBackColor(frame);
    footer->SetBackColor(frame);
    Image image = Draw(form);
    SCOPED_TRACE(edit ? "edit state" : "view state");
    EXPECT_EQ(image.Pixel(X(20), Y(20)), frame);            // the window
    EXPECT_EQ(image.Pixel(X(2000), Y(1700)), kNoteColour);  // inside the text
    EXPECT_EQ(image.Pixel(X(2500), Y(2450)), frame);        // the footer
  }
}

TEST_F(RenderTest, TextIsDrawnInItsFontColourAndStyle) {
  auto form = ShownForm("frmComments", 5310, 3300);
  auto text = form->Add<ui::TextBox>("Text");
  text->Move(60, 60, 5000, 1500);
  text->SetBackColor(0xFFFFFF);
  text->SetText("Call the printer people about the toner");
  Region area{X(60) + 3, Y(60) + 3, 5000 / 15 - 6, 1500 / 15 - 6};
  auto ink = [&](ui::Font font, uint32_t colour = 0) {
    text->SetFont(font);
    text->SetForeColor(colour);
    return Count(Draw(form), area, Ink);
  };
  ui::Font plain{"Arial", 10};
  int regular = ink(plain);
  EXPECT_GT(regular, 50);
  EXPECT_GT(ink({"Arial", 10, true}), regular);                       // bold
  EXPECT_GT(ink({"Arial", 10, false, false, true}), regular);         // underline
  EXPECT_GT(ink({"Arial", 10, false, false, false, true}), regular);  // strike-through
  EXPECT_GT(ink({"Arial", 16}), regular);                             // larger
  text->SetFont({"Arial", 10, false, true});
  Image italic = Draw(form);
  text->SetFont(plain);
  EXPECT_TRUE(Differ(italic, Draw(form), area));
  EXPECT_EQ(Count(Draw(form), area, Reddish), 0);
  text->SetForeColor(0x0000FF);  // red
  EXPECT_GT(Count(Draw(form), area, Reddish), 50);
  // The selection shows while the box has the focus.
  text->SetFocus();
  text->SetSelStart(0);
  text->SetSelLength(4);
  EXPECT_GT(Count(Draw(form), area, Is(0x6A240A)), 40);
  form->Add<ui::CommandButton>("cmdOther")->SetFocus();
  EXPECT_EQ(Count(Draw(form), area, Is(0x6A240A)), 0);
  // A multi-line box wraps its text; a single-line box keeps one line.
  text->SetForeColor(0);
  text->SetText(std::string(40, 'W') + " " + std::string(40, 'W'));
  Region lower{area.x, area.y + 30, area.w, area.h - 30};
  EXPECT_GT(Count(Draw(form), lower, Ink), 0);
  text->SetMultiLine(false);
  EXPECT_EQ(Count(Draw(form), lower, Ink), 0);
}

// Only the lines a box can show are laid out; what follows them must not
// change a pixel, whether the text breaks into words, paragraphs, or not at
// all, and a selection that runs past the box still shows in it.
TEST_F(RenderTest, TextBelowAWrappedBoxChangesNothingInIt) {
  auto form = ShownForm("frmComments", 5310, 3300);
  auto text = form->Add<ui::TextBox>("Text");
  text->Move(60, 60, 5000, 1500);
  text->SetMultiLine(true);
  std::string words;
  for (int i = 0; words.size() < 6000; ++i) words += "clause " + std::to_string(i) + " ";
  const std::string samples[] = {words, std::string(6000, 'W'),
                                 "first\r\n" + words + "\r\nlast", "caf\xC3\xA9 " + words};
  Region area{X(60) + 3, Y(60) + 3, 5000 / 15 - 6, 1500 / 15 - 6};
  for (const std::string& sample : samples) {
    text->SetText(sample);
    Image shown = Draw(form);
    EXPECT_GT(Count(shown, area, Ink), 200);
    text->SetText(sample + std::string(300000, 'x') + " end");
    EXPECT_FALSE(Differ(shown, Draw(form), {0, 0, shown.width(), shown.height()}));
  }
  text->SetFocus();
  text->SetSelStart(2);
  text->SetSelLength(1000000);
  EXPECT_GT(Count(Draw(form), area, Is(0x6A240A)), 400);
}

TEST_F(RenderTest, PictureButtonsShowTheirCurrentPictureWithMagentaTransparent) {
  auto form = ShownForm("frmComments", 5310, 3300);
  form->SetBackColor(0x00FF00);
  auto undo = form->Add<ui::Image>("imgTextUndo");
  undo->Move(300, 300, 240, 240);
  Region face{X(300), Y(300), 16, 16};
  undo->SetPicture("UNDO", LoadResPicture("UNDO"));
  Image normal = Draw(form);
  // The button picture's magenta background lets the form show through.
  EXPECT_EQ(normal.Pixel(X(300), Y(300)), 0x00FF00u);
  EXPECT_EQ(Count(normal, face, Is(kMagenta)), 0);
  undo->SetPicture("UNDO_DISABLED", LoadResPicture("UNDO_DISABLED"));
  EXPECT_TRUE(Differ(normal, Draw(form), face));
  for (const char* key : {"UNDO_OVER", "UNDO_DOWN"}) {
    undo->SetPicture(key, LoadResPicture(key));
    EXPECT_TRUE(Differ(normal, Draw(form), face)) << key;
  }
  // A picture named only by its key is looked up; a hidden button is not drawn.
  undo->SetPicture("UNDO", Picture{});
  EXPECT_FALSE(Differ(normal, Draw(form), face));
  undo->SetVisible(false);
  EXPECT_EQ(Count(Draw(form), face, Is(0x00FF00)), 16 * 16);
}

TEST_F(RenderTest, LabelsAndImagesLieUnderWindowedControlsAndContainersClip) {
  auto form = ShownForm("frmComments", 5310, 3300);
  auto panel = form->Add<ui::PictureBox>("picAttachments");
  panel->Move(600, 600, 1500, 1500);
  panel->SetBackColor(0x0000FF);
  // Made after the panel and over it, the label still lies under it.
  auto label = form->Add<ui::Label>("lblOver");
  label->Move(0, 0, 3000, 3000);
  label->SetBackColor(0xFF0000);
  auto inner = form->Add<ui::Label>("Label1", "picAttachments");
  inner->Move(150, 150, 3000, 300);
  inner->SetBackColor(0x00FF00);
  Image image = Draw(form);
  EXPECT_EQ(image.Pixel(X(300), Y(300)), 0xFF0000u);   // the label alone
  EXPECT_EQ(image.Pixel(X(700), Y(1200)), 0x0000FFu);  // the panel over it
  // The inner label sits at the panel's corner and is cut at its edge.
  EXPECT_EQ(image.Pixel(X(600 + 200), Y(600 + 200)), 0x00FF00u);
  EXPECT_EQ(image.Pixel(X(600 + 1450), Y(600 + 200)), 0x00FF00u);
  EXPECT_EQ(image.Pixel(X(600 + 1560), Y(600 + 200)), 0xFF0000u);
  panel->SetVisible(false);
  EXPECT_EQ(Draw(form).Pixel(X(600 + 200), Y(600 + 200)), 0xFF0000u);
}

TEST_F(RenderTest, DialogControlsShowTheirStateAndADisabledOneLooksGreyed) {
  auto form = ShownForm("frmOptions", 6000, 4500);
  auto check = form->Add<ui::CheckBox>("chkOnTop");
  check->Move(300, 300, 3000, 255);
  check->SetCaption("Note Always On Top");
  auto flags = form->Add<ui::ComboBox>("cboFlags");
  flags->Move(300, 900, 2500, 315);
  flags->AddItem("Red Flag", "");
  flags->SetListIndex(0);
  auto list = form->Add<ui::ListBox>("lstAttachments");
  list->Move(300, 1500, 2500, 900);
  list->AddItem("report.doc", -1);
  list->AddItem("budget.xls", -1);
  Region box{X(300) + 2, Y(300) + 4, 9, 9};  // inside the square
  Region rows{X(300) + 2, Y(1500) + 2, 2500 / 15 - 4, 900 / 15 - 4};
  Image before = Draw(form);
  EXPECT_EQ(Count(before, box, Ink), 0);
  EXPECT_EQ(Count(before, rows, Is(0x6A240A)), 0);
  check->SetValue(1);
  list->SetListIndex(1);
  Image after = Draw(form);
  EXPECT_GT(Count(after, box, Ink), 10);             // the check mark
  EXPECT_GT(Count(after, rows, Is(0x6A240A)), 100);  // the selected entry
  Region caption{X(300) + 17, Y(300), 2800 / 15, 17};
  int dark = Count(after, caption, Ink);
  EXPECT_GT(dark, 30);
  check->SetEnabled(false);
  EXPECT_LT(Count(Draw(form), caption, Ink), dark / 4);
  Region field{X(300) + 3, Y(900) + 3, 2000 / 15, 315 / 15 - 6};
  EXPECT_GT(Count(after, field, Ink), 10);  // the chosen flag's text
}

TEST_F(RenderTest, TheSelectedTabIsRaisedAndItsPanelShows) {
  auto form = ShownForm("frmOptions", 6000, 4500);
  auto tabs = form->Add<ui::TabStrip>("TabStrip1");
  tabs->Move(120, 120, 5500, 3500);
  tabs->AddTab("General");
  tabs->AddTab("Item Related");
  Region first{X(120), Y(120), 50, 4};
  Image general = Draw(form);
  tabs->SetSelectedTab(2);
  Image item_related = Draw(form);
  // The selected tab stands two pixels above the others.
  EXPECT_TRUE(Differ(general, item_related, first));
}

}  // namespace
}  // namespace pinlet::render
