// The real boxes and dialogs of the COM build, called as the add-in's DLL
// calls them (the platform's Windows surfaces, watched here at the test
// program's own imports), answered by the test host from the simulated
// machine and recorded there as linked in.
#include "sim/comhost/ui_answers.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <windows.h>

#include <cstring>

#include "platform/platform.h"
#include "sim/machine/world.h"
#include "platform/win32/twips.h"
#include "platform/win32/win32_dialogs.h"
#include "platform/win32/win32_message_boxes.h"
#include "sim/comhost/shown_calls.h"

namespace pinlet::comhost {
namespace {

class UiAnswersTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(answers.installed());
    ASSERT_EQ(watched.error(), "");
    platform.message_boxes = &boxes;
    platform.dialogs = &dialogs;
  }

  sim::World world;
  UiAnswers answers{world};
  ShownCalls watched{GetModuleHandleW(nullptr)};
  Win32MessageBoxes boxes;
  Win32Dialogs dialogs;
  Platform platform;
};

// A box that no watched call shows, as the system's own boxes are.
int UnwatchedBox(const wchar_t* text, const wchar_t* title, UINT style) {
  auto box = reinterpret_cast<decltype(&MessageBoxW)>(reinterpret_cast<void*>(
      GetProcAddress(GetModuleHandleW(L"user32.dll"), "MessageBoxW")));
  return box(GetActiveWindow(), text, title, style);
}

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
  int style = mb::kRetryCancel | mb::kExclamation;
  EXPECT_EQ(UnwatchedBox(L"The disk is full.", L"Copy", style), mb::kRetry);
  EXPECT_EQ(UnwatchedBox(L"Go on?", L"Copy", mb::kYesNo | mb::kCritical | mb::kDefaultButton2),
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
  EXPECT_FALSE(ShownCalls::Take());  // the call is over
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

// What a dialog call carries, read back as the add-in described it: the
// filter's pairs, the texts, and a font's size through its height in
// pixels.
TEST(ShownCallsTest, ADialogsDescriptionIsReadFromItsCall) {
  const wchar_t filter[] = L"Text (*.txt)\0*.txt\0All\0*.*\0";
  wchar_t file[MAX_PATH] = L"x=y\\z.txt";
  OPENFILENAMEW open{};
  open.lpstrFilter = filter;
  open.nFilterIndex = 2;
  open.lpstrFile = file;
  open.lpstrInitialDir = L"C:\\a";
  open.lpstrTitle = L"Two\nlines";
  open.Flags = 0x80002;
  ShownSurface shown = ShownFile(open, true);
  EXPECT_EQ(shown.kind, ShownSurface::Kind::kSave);
  EXPECT_EQ(shown.file.filter, "Text (*.txt)|*.txt|All|*.*");
  EXPECT_EQ(shown.file.filter_index, 2);
  EXPECT_EQ(shown.file.file_name, "x=y\\z.txt");
  EXPECT_EQ(shown.file.initial_folder, "C:\\a");
  EXPECT_EQ(shown.file.title, "Two\nlines");
  EXPECT_EQ(shown.file.default_extension, "");
  EXPECT_EQ(shown.file.flags, 0x80002u);

  LOGFONTW logfont{};
  logfont.lfHeight = -TwipsToPixelsY(12 * 20);
  logfont.lfWeight = FW_BOLD;
  logfont.lfUnderline = 1;
  std::wcscpy(logfont.lfFaceName, L"Arial");
  CHOOSEFONTW choose{};
  choose.lpLogFont = &logfont;
  choose.Flags = CF_SCREENFONTS | CF_EFFECTS | CF_INITTOLOGFONTSTRUCT;
  choose.rgbColors = 0x800000;
  choose.nSizeMin = 8;
  shown = ShownFont(choose);
  EXPECT_EQ(shown.font.flags, cf_font::kScreenFonts | cf_font::kEffects);
  EXPECT_EQ(shown.font.font, (Font{"Arial", 12, true, false, true, false, 0x800000}));
  EXPECT_EQ(shown.font.min_size, 8);
}

}  // namespace
}  // namespace pinlet::comhost
