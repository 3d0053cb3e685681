// Message boxes and common dialogs, shown for real and answered through
// their controls by a ModalAnswerer, as a user would answer them.
#include "platform/win32/win32_dialogs.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <windows.h>
// The common dialogs' control IDs, as the system's headers publish them;
// after windows.h, which they expect.
#include <colordlg.h>
#include <dlgs.h>

#include <chrono>
#include <cstdio>

#include "platform/wide_text.h"
#include "platform/host_error.h"
#include "platform/win32/modal_answerer.h"
#include "platform/win32/win32_files.h"
#include "platform/win32/win32_message_boxes.h"
#include "win32_fixture.h"

namespace pinlet {
namespace {

using ::testing::ElementsAre;
using ::testing::HasSubstr;
using ::testing::IsEmpty;

TEST(Win32MessageBoxesTest, AnsweredBoxesGiveTheButtonPressed) {
  struct Seen {
    std::string text, title;
    std::vector<int> buttons;
    int default_button;
  };
  std::vector<Seen> seen;
  std::vector<int> presses = {IDYES, IDNO};
  ModalAnswerer answerer([&](HWND box) {
    seen.push_back({dialog::MessageBoxText(box), dialog::Text(box),
                    dialog::MessageBoxButtons(box), dialog::DefaultButton(box)});
    return dialog::Press(box, presses[seen.size() - 1]);
  });
  ASSERT_TRUE(answerer.installed());
  Win32MessageBoxes boxes;
  auto start = std::chrono::steady_clock::now();
  EXPECT_EQ(boxes.Show("Delete the note?\nIt cannot be undone.", "Pinlet",
                       mb::kYesNo | mb::kQuestion),
            mb::kYes);
  auto took = std::chrono::steady_clock::now() - start;
  std::printf("one message box shown and answered in %.1f ms\n",
              std::chrono::duration<double, std::milli>(took).count());
  EXPECT_EQ(boxes.Show("Keep the n\xC3\xB6te?", "Pinlet \xE2\x80\x93 Notes",
                       mb::kYesNoCancel | mb::kDefaultButton2),
            mb::kNo);
  ASSERT_EQ(seen.size(), 2u);
  EXPECT_EQ(seen[0].text, "Delete the note?\nIt cannot be undone.");
  EXPECT_EQ(seen[0].title, "Pinlet");
  EXPECT_THAT(seen[0].buttons, ElementsAre(IDYES, IDNO));
  EXPECT_EQ(seen[0].default_button, IDYES);
  EXPECT_EQ(seen[1].text, "Keep the n\xC3\xB6te?");
  EXPECT_EQ(seen[1].title, "Pinlet \xE2\x80\x93 Notes");
  EXPECT_THAT(seen[1].buttons, ElementsAre(IDYES, IDNO, IDCANCEL));
  EXPECT_EQ(seen[1].default_button, IDNO);
  EXPECT_THAT(answerer.cancelled(), IsEmpty());
}

TEST(ModalAnswererTest, ADialogLeftUnansweredIsCancelledAndRecorded) {
  ModalAnswerer answerer([](HWND) { return false; });
  ModalAnswerer second([](HWND) { return true; });
  EXPECT_FALSE(second.installed());  // one per thread
  Win32MessageBoxes boxes;
  EXPECT_EQ(boxes.Show("Save changes?", "Pinlet", mb::kOkCancel), mb::kCancel);
  EXPECT_THAT(answerer.cancelled(), ElementsAre("[Pinlet] nothing to answer it with"));
}

TEST(ModalAnswererTest, ADialogStillUpAfterItsAnswerIsClosed) {
  // The callback claims an answer but gives none: the dialog is cancelled
  // after a while, and a box that has no Cancel is ended all the same.
  ModalAnswerer answerer([](HWND) { return true; }, 100);
  Win32MessageBoxes boxes;
  EXPECT_EQ(boxes.Show("Print it?", "Pinlet", mb::kOkCancel), mb::kCancel);
  // Cancelled by Wine, ended by Windows, which ignores IDCANCEL here.
  EXPECT_EQ(boxes.Show("Keep it?", "Pinlet", mb::kYesNo), mb::kCancel);
  EXPECT_THAT(answerer.cancelled(), ElementsAre("[Pinlet] still up after its answer",
                                                "[Pinlet] still up after its answer"));
}

TEST(ModalAnswererTest, ACallbackThatRaisesCancelsTheDialog) {
  ModalAnswerer answerer([](HWND) -> bool { throw HostError(5, "refused", "test"); });
  Win32MessageBoxes boxes;
  EXPECT_EQ(boxes.Show("Retry?", "Pinlet", mb::kRetryCancel), mb::kCancel);
  EXPECT_THAT(answerer.cancelled(), ElementsAre("[Pinlet] its answer failed"));
}

class Win32DialogsTest : public ::testing::Test {
 protected:
  Win32Dialogs dialogs;
};

TEST_F(Win32DialogsTest, ACancelledColourKeepsTheCustomColours) {
  int shown = 0;
  ModalAnswerer answerer(
      [&](HWND dialog) { return ++shown, dialog::Press(dialog, IDCANCEL); });
  ColorDialog color;
  color.color = 0x123456;
  for (uint32_t i = 0; i < 16; ++i) color.custom_colors[i] = 0x010101 * i;
  auto given = color.custom_colors;
  EXPECT_FALSE(dialogs.ShowColor(color));
  EXPECT_EQ(shown, 1);
  EXPECT_EQ(color.extended_error, cderr::kNone);
  EXPECT_EQ(color.color, 0x123456u);
  EXPECT_EQ(color.custom_colors, given);
}

TEST_F(Win32DialogsTest, AColourTypedIntoRedGreenAndBlue) {
  ModalAnswerer answerer([](HWND dialog) {
    dialog::SetItemText(dialog, COLOR_RED, "153");
    dialog::SetItemText(dialog, COLOR_GREEN, "102");
    dialog::SetItemText(dialog, COLOR_BLUE, "51");
    return dialog::Press(dialog, IDOK);
  });
  ColorDialog color;
  color.flags = cc::kRgbInit | cc::kFullOpen;
  color.color = 0xFFFFFF;
  EXPECT_TRUE(dialogs.ShowColor(color));
  EXPECT_EQ(color.color, 0x336699u);
  EXPECT_EQ(color.extended_error, cderr::kNone);
  EXPECT_THAT(answerer.cancelled(), IsEmpty());
}

TEST_F(Win32DialogsTest, AFontChosenThroughItsControls) {
  std::string chosen;
  const char* sizes[] = {"14", "13"};
  int shown = 0;
  ModalAnswerer answerer([&](HWND dialog) {
    // Whatever font this machine lists second, at a size of its list and
    // at one it does not list.
    wchar_t name[LF_FACESIZE] = {};
    SendDlgItemMessageW(dialog, cmb1, CB_GETLBTEXT, 1, reinterpret_cast<LPARAM>(name));
    chosen = Narrow(name);
    dialog::EnterComboText(dialog, cmb1, chosen);
    dialog::ChooseComboText(dialog, cmb2, "Bold");
    dialog::EnterComboText(dialog, cmb3, sizes[shown++]);
    if (shown == 1) dialog::SetCheck(dialog, chx2, true);  // underline
    dialog::ChooseComboData(dialog, cmb4, 0x800000);
    return dialog::Press(dialog, IDOK);
  });
  FontDialog font;
  font.flags = cf_font::kScreenFonts | cf_font::kEffects;
  font.font = Font{"Tahoma", 10, false, true, false, false, 0};
  EXPECT_TRUE(dialogs.ShowFont(font));
  EXPECT_EQ(font.font, (Font{chosen, 14, true, false, true, false, 0x800000}));
  font.flags = cf_font::kScreenFonts;  // no effects: the colour stays as given
  font.font.color = 0x0000FF;
  font.font.underline = false;
  EXPECT_TRUE(dialogs.ShowFont(font));
  EXPECT_EQ(font.font, (Font{chosen, 13, true, false, false, false, 0x0000FF}));
  EXPECT_THAT(answerer.cancelled(), IsEmpty());
}

TEST_F(Win32DialogsTest, SizeLimitsUpsideDownFailWithoutADialog) {
  int shown = 0;
  ModalAnswerer answerer(
      [&](HWND dialog) { return ++shown, dialog::Press(dialog, IDOK); });
  FontDialog font;
  font.flags = cf_font::kScreenFonts | cf_font::kLimitSize;
  font.min_size = 20;
  font.max_size = 8;
  font.font.name = "Tahoma";
  EXPECT_FALSE(dialogs.ShowFont(font));
  EXPECT_EQ(font.extended_error, cderr::kMaxLessThanMin);
  EXPECT_EQ(shown, 0);
  EXPECT_EQ(font.font.name, "Tahoma");
}

TEST(FilterListTest, PiecesEndedByZeroAndTheListByAnother) {
  EXPECT_EQ(FilterList("Text|*.txt|All|*.*"),
            std::wstring(L"Text\0*.txt\0All\0*.*\0\0", 20));
  EXPECT_EQ(FilterList(""), L"");
}

// The dialogs are given ofn::kNoChangeDir: otherwise the folder they end in
// becomes the process's current one, which the test could not remove.
class Win32FileDialogsTest : public Win32DialogsTest {
 protected:
  void SetUp() override {
    for (const char* name : {"a.txt", "b.log"}) testing::WriteRaw(dir / name, name);
  }
  testing::TestFolder dir;
};

TEST_F(Win32FileDialogsTest, OpenChoosesAFileTypedInTheInitialFolder) {
  std::string caption;
  ModalAnswerer answerer([&](HWND dialog) {
    caption = dialog::Text(dialog);
    return dialog::SetFileName(dialog, "b.log") && dialog::Press(dialog, IDOK);
  });
  FileDialog open;
  open.filter = "Text Files|*.txt|Logs|*.log|All Files|*.*";
  open.filter_index = 2;
  open.initial_folder = dir.path();
  open.flags = ofn::kFileMustExist | ofn::kHideReadOnly | ofn::kNoChangeDir;
  open.title = "Import a note";
  EXPECT_TRUE(dialogs.ShowOpen(open));
  EXPECT_EQ(caption, "Import a note");
  EXPECT_EQ(open.file_name, dir / "b.log");
  EXPECT_EQ(open.filter_index, 2);
  EXPECT_EQ(open.extended_error, cderr::kNone);
  EXPECT_THAT(answerer.cancelled(), IsEmpty());
}

TEST_F(Win32FileDialogsTest, SaveAsksBeforeReplacingAnExistingFile) {
  std::vector<std::string> prompts;
  ModalAnswerer answerer([&](HWND dialog) {
    if (!dialog::IsMessageBox(dialog))  // the Save As dialog
      return dialog::SetFileName(dialog, "a") && dialog::Press(dialog, IDOK);
    // The prompt: not that one, then another name with the default extension.
    prompts.push_back(dialog::MessageBoxText(dialog));
    HWND save = GetWindow(dialog, GW_OWNER);
    return dialog::Press(dialog, IDNO) && dialog::SetFileName(save, "c") &&
           dialog::Press(save, IDOK);
  });
  FileDialog save;
  save.filter = "Text Files|*.txt";
  save.initial_folder = dir.path();
  save.default_extension = "txt";
  save.flags = ofn::kOverwritePrompt | ofn::kHideReadOnly | ofn::kNoChangeDir;
  EXPECT_TRUE(dialogs.ShowSave(save));
  ASSERT_EQ(prompts.size(), 1u);
  EXPECT_THAT(prompts[0], HasSubstr("replace"));
  EXPECT_EQ(save.file_name, dir / "c.txt");
  EXPECT_EQ(testing::ReadRaw(dir / "c.txt"), "<none>");  // the dialog writes nothing
  EXPECT_THAT(answerer.cancelled(), IsEmpty());
}

TEST_F(Win32FileDialogsTest, ACancelledSaveLeavesTheNameAsGiven) {
  ModalAnswerer answerer([](HWND dialog) { return dialog::Press(dialog, IDCANCEL); });
  FileDialog save;
  save.file_name = "note.txt";
  save.initial_folder = dir.path();
  save.flags = ofn::kNoChangeDir;
  EXPECT_FALSE(dialogs.ShowSave(save));
  EXPECT_EQ(save.file_name, "note.txt");
  EXPECT_EQ(save.extended_error, cderr::kNone);
}

}  // namespace
}  // namespace pinlet
