// The real desktop as the test host sees it: the host's windows stand in
// among the real forms in one z-order, and the forms' popup menus are
// answered from the queued answers, never waited on.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "sim/comhost/real_forms.h"
#include "platform/display_text.h"
#include "sim/machine/world.h"
#include "win32ui/form_fixture.h"

namespace pinlet::comhost {
namespace {

class RealDesktopTest : public testing::FormTest {
 protected:
  ui::FormPtr Shown(std::string_view design, std::string_view caption) {
    ui::FormPtr form = NewForm(design);
    form->SetCaption(caption);
    form->Move(1500, 750, 3000, 2250);
    form->Show(ui::kModeless);
    return form;
  }
  // Each window as "title (form): visible, top-most, active", front to back.
  std::vector<std::string> Desktop() {
    std::vector<std::string> lines;
    for (const app::DesktopWindow& w : forms.Desktop()) {
      std::string line = w.title;
      if (!w.design_name.empty()) line += " (" + w.design_name + ")";
      line += w.visible ? ": visible" : ": hidden";
      if (w.top_most) line += ", top-most";
      if (w.active) line += ", active";
      lines.push_back(line);
    }
    return lines;
  }

  sim::World world;
  WindowHandle explorer = world.windows.Create("Inbox - Microsoft Outlook");
  RealForms forms{world};
};

using Lines = std::vector<std::string>;

TEST_F(RealDesktopTest, TheHostsWindowsAndTheFormsShareOneOrder) {
  ui::FormPtr note = Shown("frmComments", "Subject: Board slides");
  EXPECT_EQ(Desktop(), (Lines{"Subject: Board slides (frmComments): visible, active",
                              "Inbox - Microsoft Outlook: visible"}));
  // An item window opens hidden above the note, then shows and takes the
  // activation from it.
  WindowHandle item = world.windows.Create("Board slides - Message", false);
  EXPECT_EQ(Desktop(), (Lines{"Board slides - Message: hidden",
                              "Subject: Board slides (frmComments): visible, active",
                              "Inbox - Microsoft Outlook: visible"}));
  world.windows.SetVisible(item, true, true);
  EXPECT_EQ(Desktop(), (Lines{"Board slides - Message: visible, active",
                              "Subject: Board slides (frmComments): visible",
                              "Inbox - Microsoft Outlook: visible"}));
  // The note kept on top stays above whatever the user activates.
  SetWindowPos(reinterpret_cast<HWND>(note->hWnd()), HWND_TOPMOST, 0, 0, 0, 0,
               SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  world.windows.Activate(explorer);
  EXPECT_EQ(Desktop(), (Lines{"Subject: Board slides (frmComments): visible, top-most",
                              "Inbox - Microsoft Outlook: visible, active",
                              "Board slides - Message: visible"}));
  world.windows.Destroy(item);
  EXPECT_EQ(Desktop().size(), 2u);
  // A host window put behind another keeps its place behind it.
  WindowHandle second = world.windows.Create("Sent Items - Microsoft Outlook");
  world.windows.SetWindowPos(second, explorer, 0, 0, 0, 0,
                             swp::kNoMove | swp::kNoSize | swp::kNoActivate);
  EXPECT_EQ(Desktop()[2], "Sent Items - Microsoft Outlook: visible, active");
}

TEST_F(RealDesktopTest, AFormIsListedWithItsHandlePlaceAndSize) {
  ui::FormPtr note = Shown("frmComments", "Note");
  std::vector<app::DesktopWindow> desktop = forms.Desktop();
  ASSERT_EQ(desktop.size(), 2u);
  EXPECT_EQ(desktop[0].handle, note->hWnd());
  EXPECT_EQ(RectText(desktop[0].rect), RectText(Rect{1500, 750, 3000, 2250}));
  EXPECT_EQ(desktop[1].handle, explorer);
  EXPECT_EQ(RectText(desktop[1].rect), RectText(world.windows.Find(explorer)->rect));
  note->Hide();
  EXPECT_FALSE(forms.Desktop()[0].visible);
}

class RealPopupMenuTest : public RealDesktopTest {
 protected:
  RealPopupMenuTest() {
    form = Shown("frmComments", "Note");
    menu = form->Add<ui::Menu>("mnuAttachPopup");
    for (auto [name, caption] : {std::pair{"mnuPopupOpen", "&Open"},
                                 {"mnuPopupSaveAs", "Save &As..."},
                                 {"mnuPopupRemove", "&Remove"}}) {
      auto entry = form->Add<ui::Menu>(name, "mnuAttachPopup");
      entry->SetCaption(caption);
      clicks.push_back(entry->OnClick([this, name = std::string(name)] {
        clicked.push_back(name);
      }));
      entries.push_back(entry);
    }
    entries[1]->SetEnabled(false);
  }

  ui::FormPtr form;
  std::shared_ptr<ui::Menu> menu;
  std::vector<std::shared_ptr<ui::Menu>> entries;
  std::vector<Subscription> clicks;
  std::vector<std::string> clicked;
};

TEST_F(RealPopupMenuTest, TheQueuedEntryIsChosenWithTheUsersKeys) {
  world.ui.QueueMenuAnswer("remove");
  form->PopupMenu(menu);
  EXPECT_EQ(clicked, std::vector<std::string>{"mnuPopupRemove"});
  EXPECT_EQ(forms.TakeTrouble(), "");
  ASSERT_EQ(world.ui.menus().size(), 1u);
  const sim::SimUi::MenuRecord& record = world.ui.menus()[0];
  EXPECT_EQ(record.form, "frmComments");
  EXPECT_EQ(record.entries,
            (std::vector<std::string>{"&Open", "Save &As... (disabled)", "&Remove"}));
  EXPECT_EQ(record.chosen, "&Remove");
  EXPECT_NE(record.unseen, "") << "its names are not seen from outside";

  world.ui.QueueMenuAnswer("");  // none: dismissed
  form->PopupMenu(menu);
  EXPECT_EQ(clicked.size(), 1u);
  EXPECT_EQ(forms.TakeTrouble(), "");
  EXPECT_EQ(world.ui.menus().size(), 2u);
}

TEST_F(RealPopupMenuTest, WhatCannotBeChosenIsTroubleAndTheMenuIsDismissed) {
  form->PopupMenu(menu);  // nothing queued
  EXPECT_EQ(forms.TakeTrouble(),
            "a popup menu of frmComments was shown with no answer queued");
  for (const char* answer : {"Save As...", "mnuPopupRemove", "Rename"}) {
    world.ui.QueueMenuAnswer(answer);
    form->PopupMenu(menu);
    EXPECT_EQ(forms.TakeTrouble(), "the real popup menu of frmComments has no enabled "
                                   "entry \"" + std::string(answer) +
                                       "\" (it shows captions only)");
  }
  EXPECT_TRUE(clicked.empty());
  EXPECT_TRUE(world.ui.queued_menu_answers().empty());
}

}  // namespace
}  // namespace pinlet::comhost
