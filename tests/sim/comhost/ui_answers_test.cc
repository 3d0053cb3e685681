// The real boxes and dialogs of the COM build (comserver/ui_seams.h),
// answered by the test host from the simulated machine and recorded there as
// linked in.
#include "sim/comhost/ui_answers.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <windows.h>

#include "comserver/shown_surface.h"
#include "comserver/ui_seams.h"
#include "platform/com/com_ptr.h"
#include "platform/platform.h"
#include "sim/machine/world.h"
#include "platform/wide_text.h"
#include "platform/win32/win32_message_boxes.h"
#include "win32/win32_fixture.h"

namespace pinlet::comhost {
namespace {

using ::testing::HasSubstr;
using ::testing::StartsWith;

class UiAnswersTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(answers.installed());
    seams.Fill(platform);
  }

  sim::World world;
  UiAnswers answers{world};
  comserver::UiSeams seams;
  Platform platform;
};

TEST_F(UiAnswersTest, TheAddinsBoxesAreAnsweredAndRecordedAsLinkedIn) {
  world.message_boxes.QueueAnswer(mb::kNo, "delete");
  int style = mb::kYesNoCancel | mb::kQuestion | mb::kDefaultButton2 | mb::kSetForeground;
  EXPECT_EQ(platform.message_boxes->Show("Delete the note?\nFor good.", "Pinlet", style),
            mb::kNo);
  // Nobody answered: the default button, as the simulated machine says.
  EXPECT_EQ(platform.message_boxes->Show("Saved.", "Pinlet", mb::kOkCancel), mb::kOk);
  const auto& shown = world.message_boxes.shown();
  ASSERT_EQ(shown.size(), 2u);
  EXPECT_EQ(shown[0].text, "Delete the note?\nFor good.");
  EXPECT_EQ(shown[0].title, "Pinlet");
  EXPECT_EQ(shown[0].style, style);
  EXPECT_TRUE(shown[0].answered);
  EXPECT_FALSE(shown[1].answered);
  EXPECT_EQ(answers.TakeTrouble(), "");
}

TEST_F(UiAnswersTest, TheMachinesOwnBoxesAreReadFromTheWindow) {
  world.message_boxes.QueueAnswer(mb::kRetry);
  Win32MessageBoxes unnoted;
  int style = mb::kRetryCancel | mb::kExclamation;
  EXPECT_EQ(unnoted.Show("The disk is full.", "Copy", style), mb::kRetry);
  EXPECT_EQ(
      unnoted.Show("Go on?", "Copy", mb::kYesNo | mb::kCritical | mb::kDefaultButton2),
      mb::kNo);
  const auto& shown = world.message_boxes.shown();
  ASSERT_EQ(shown.size(), 2u);
  EXPECT_EQ(shown[0].style, style);
  EXPECT_EQ(shown[1].style, mb::kYesNo | mb::kCritical | mb::kDefaultButton2);
}

TEST_F(UiAnswersTest, AColourIsTypedIntoTheRealDialog) {
  world.dialogs.QueueColor(0x336699);
  ColorDialog color;
  color.color = 0xCCFFCC;
  EXPECT_TRUE(platform.dialogs->ShowColor(color));
  EXPECT_EQ(color.color, 0x336699u);
  ASSERT_EQ(world.dialogs.shown().size(), 1u);
  EXPECT_EQ(world.dialogs.shown()[0].given, "flags 0x000001, colour 0xCCFFCC");
  world.dialogs.QueueCancel(sim::DialogKind::kColor);
  EXPECT_FALSE(platform.dialogs->ShowColor(color));
  EXPECT_EQ(answers.TakeTrouble(), "");
}

// Custom colours the user defines reach the add-in's sixteen, the others
// staying as offered.
TEST_F(UiAnswersTest, CustomColoursAreDefinedInTheRealDialog) {
  ColorDialog color;
  for (size_t i = 0; i < 16; ++i) color.custom_colors[i] = 0x010101 * (i + 1);
  std::array<uint32_t, 16> wanted = color.custom_colors;
  wanted[3] = 0x445566;
  wanted[9] = 0xCCFFCC;
  world.dialogs.QueueColor(0x112233, {{3, 0x445566}, {9, 0xCCFFCC}});
  EXPECT_TRUE(platform.dialogs->ShowColor(color));
  EXPECT_EQ(answers.TakeTrouble(), "");
  EXPECT_EQ(color.color, 0x112233u);
  EXPECT_EQ(color.custom_colors, wanted);

  // The last box, added after all the others.
  wanted[15] = 0x0000FF;
  world.dialogs.QueueColor(0x332211, {{15, 0x0000FF}});
  EXPECT_TRUE(platform.dialogs->ShowColor(color));
  EXPECT_EQ(color.custom_colors, wanted);
  EXPECT_EQ(answers.TakeTrouble(), "");
}

int CALLBACK TakeFace(const LOGFONTW* font, const TEXTMETRICW*, DWORD type, LPARAM into) {
  if (!(type & TRUETYPE_FONTTYPE) || font->lfFaceName[0] == L'@') return 1;
  *reinterpret_cast<std::wstring*>(into) = font->lfFaceName;
  return 0;
}

// A TrueType font of this machine's screen.
std::string SomeScreenFont() {
  std::wstring face;
  HDC screen = GetDC(nullptr);
  EnumFontFamiliesW(screen, nullptr, TakeFace, reinterpret_cast<LPARAM>(&face));
  ReleaseDC(nullptr, screen);
  return Narrow(face);
}

TEST_F(UiAnswersTest, TheSimulatedFontChoiceIsMadeInTheRealDialog) {
  sim::FontChoice choice;
  choice.size = 12;
  choice.bold = true;
  choice.underline = true;
  choice.color = 0x800000;
  world.dialogs.QueueFont(choice);
  FontDialog font;
  font.flags = cf_font::kScreenFonts | cf_font::kEffects;
  font.font.name = SomeScreenFont();
  ASSERT_NE(font.font.name, "");
  EXPECT_TRUE(platform.dialogs->ShowFont(font));
  EXPECT_EQ(answers.TakeTrouble(), "");
  ASSERT_EQ(world.dialogs.shown().size(), 1u);
  EXPECT_EQ(font.font, world.dialogs.shown()[0].font.font);
  EXPECT_EQ(font.font, (Font{font.font.name, 12, true, false, true, false, 0x800000}));
}

TEST_F(UiAnswersTest, AFontThisMachineLacksIsTrouble) {
  sim::FontChoice choice;
  choice.name = "Palatino Linotype";
  world.dialogs.QueueFont(choice);
  FontDialog font;
  font.flags = cf_font::kScreenFonts;
  EXPECT_FALSE(platform.dialogs->ShowFont(font));
  EXPECT_EQ(answers.TakeTrouble(),
            "there is no font \"Palatino Linotype\" on this machine");
}

TEST_F(UiAnswersTest, SaveReplacesAFileOnceTheSimulatedUserAgreed) {
  // The file on both machines: the real dialog's and the simulated one's.
  testing::TestFolder dir;
  testing::WriteRaw(dir / "a.txt", "a");
  world.files.MakeFolders(dir.path());
  world.files.WriteFile(dir / "a.txt", "a");
  world.dialogs.QueueFile("a.txt");
  world.message_boxes.QueueAnswer(mb::kYes, "replace");
  FileDialog save;
  save.initial_folder = dir.path();
  save.flags = ofn::kOverwritePrompt | ofn::kNoChangeDir;
  EXPECT_TRUE(platform.dialogs->ShowSave(save));
  EXPECT_EQ(save.file_name, dir / "a.txt");
  ASSERT_EQ(world.message_boxes.shown().size(), 1u);
  EXPECT_THAT(world.message_boxes.shown()[0].text, StartsWith(dir / "a.txt"));
  EXPECT_EQ(answers.TakeTrouble(), "");
}

TEST(ShownSurfaceTest, ANoteKeepsEveryFieldThroughItsText) {
  comserver::ShownSurface file;
  file.kind = comserver::ShownSurface::Kind::kSave;
  file.file = FileDialog{42,      "Text|*.txt",     2, "C:\\a\\b", "x=y\\z.txt", "txt",
                         0x80002, "Two\nlines \\n", 0};
  auto back = comserver::DecodeShown(comserver::EncodeShown(file));
  ASSERT_TRUE(back);
  EXPECT_EQ(back->kind, file.kind);
  EXPECT_EQ(back->file.filter, "Text|*.txt");
  EXPECT_EQ(back->file.file_name, "x=y\\z.txt");
  EXPECT_EQ(back->file.title, "Two\nlines \\n");
  EXPECT_EQ(back->file.flags, 0x80002u);
  EXPECT_EQ(back->file.filter_index, 2);
  comserver::ShownSurface font;
  font.kind = comserver::ShownSurface::Kind::kFont;
  font.font.font = Font{"Arial", 10.5, true, false, true, false, 0x800000};
  font.font.min_size = 8;
  back = comserver::DecodeShown(comserver::EncodeShown(font));
  ASSERT_TRUE(back);
  EXPECT_EQ(back->font.font, font.font.font);
  EXPECT_EQ(back->font.min_size, 8);
  EXPECT_FALSE(comserver::DecodeShown("kind=sideways\n"));
}

}  // namespace
}  // namespace pinlet::comhost
