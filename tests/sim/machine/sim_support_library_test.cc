// The simulated support library: its about box, its help pages, and that
// what it does for a call is the machine's own work, not the add-in's.
#include "sim/machine/sim_support_library.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "sim/machine/sim_form.h"
#include "platform/support_library_texts.h"
#include "platform/version.h"
#include "sim_fixture.h"

namespace pinlet::sim {
namespace {

using ::testing::ElementsAre;
using ::testing::HasSubstr;
using Action = FormAction;
namespace texts = support_texts;

class SimSupportLibraryTest : public WorldTest {
 protected:
  SimSupportLibraryTest() { world.Install("<view/>"); }
  SimSupportLibrary& library() { return *world.support; }
  std::string Page(std::string_view page) {
    return world.install_dir + "help\\" + std::string(page);
  }
  static Action Look() {
    Action look;
    look.kind = Action::Kind::kShow;
    return look;
  }
  std::vector<std::string> Opened() {
    std::vector<std::string> files;
    for (const auto& call : world.shell.executed()) {
      EXPECT_EQ(call.verb, "open");
      files.push_back(call.file);
    }
    return files;
  }
};

TEST_F(SimSupportLibraryTest, TheInstallerPutsEveryHelpPageIntoTheHelpFolder) {
  const auto& pages = ShippedHelpPages();
  ASSERT_EQ(pages.size(), 5u);
  EXPECT_EQ(pages.front().file, texts::kHelpIndex);
  for (const HelpPage& page : pages) {
    auto content = world.files.Peek(Page(page.file));
    ASSERT_TRUE(content) << page.file;
    EXPECT_THAT(*content, HasSubstr("<title>" + std::string(page.title) + "</title>"));
  }
  EXPECT_EQ(world.files.Files(world.install_dir + "help").size(), pages.size());
}

// The box as the user sees it, its Help that leaves it open, and OK.
TEST_F(SimSupportLibraryTest, TheAboutBoxShowsTheProductAndItsHelpOpensTheIndex) {
  world.ui.QueueFormAnswer("About Pinlet",
                           {Look(), Action::Click("cmdHelp"), Action::Click("cmdHelp"),
                            Action::Click("cmdOK")});
  EXPECT_EQ(library().ShowAbout(1), 0);
  EXPECT_THAT(library().calls(), ElementsAre("ShowAbout"));
  ASSERT_EQ(world.ui.modal_forms().size(), 1u);
  const SimUi::ModalRecord& shown = world.ui.modal_forms()[0];
  EXPECT_EQ(shown.form, "frmAbout");
  EXPECT_EQ(shown.caption, "About Pinlet");
  EXPECT_EQ(shown.outcome, "unloaded");
  ASSERT_EQ(shown.snapshots.size(), 1u);
  const std::string& box = shown.snapshots[0];
  EXPECT_THAT(box, HasSubstr("lblProduct"));
  EXPECT_THAT(box, HasSubstr("\"" PINLET_PRODUCT_NAME "\""));
  EXPECT_THAT(box, HasSubstr("\"Version " PINLET_VERSION_TEXT "\""));
  EXPECT_THAT(box, HasSubstr("\"" PINLET_DESCRIPTION "\""));
  EXPECT_THAT(box, HasSubstr("cmdHelp"));
  EXPECT_THAT(box, HasSubstr("cmdOK"));
  // Help twice, the box open all along; nothing else was opened.
  EXPECT_THAT(Opened(), ElementsAre(Page("index.htm"), Page("index.htm")));
  EXPECT_TRUE(world.ui.forms().empty()) << "the box is unloaded";
  // Inside the work area, the same margin on either side.
  const FormLook& look = shown.looks.front();
  const Rect area = world.windows.work_area();
  EXPECT_EQ(look.rect.left - area.left,
            area.left + area.width - (look.rect.left + look.rect.width));
}

TEST_F(SimSupportLibraryTest, TheAboutBoxClosesWithItsCloseBoxAndReturnsToItsOwner) {
  WindowHandle owner = world.windows.Create("Inbox - Microsoft Outlook");
  world.ui.QueueFormAnswer("frmAbout", {Action::Close()});
  library().ShowAbout(1);
  EXPECT_EQ(world.ui.modal_forms()[0].outcome, "unloaded");
  EXPECT_EQ(world.windows.active(), owner);
  EXPECT_TRUE(Opened().empty());
}

// The library's box and form are answered like the add-in's: one nobody
// answered is a defect of the run; the about box is closed by the host.
TEST_F(SimSupportLibraryTest, WhatNobodyAnsweredIsADefect) {
  library().ShowAbout(1);
  EXPECT_THAT(TakeDefects(), ElementsAre(HasSubstr("modal form frmAbout")));
  EXPECT_TRUE(world.ui.forms().empty());
  world.files.RemoveFile(Page("index.htm"));
  library().ShowContextHelp(1, "index.htm");
  EXPECT_THAT(TakeDefects(), ElementsAre(HasSubstr("a message box nobody answered")));
}

TEST_F(SimSupportLibraryTest, AnInstalledPageOpensThroughTheShell) {
  EXPECT_EQ(library().ShowContextHelp(1, "About_Pinlet.htm"), 0);
  EXPECT_THAT(library().calls(), ElementsAre("ShowContextHelp About_Pinlet.htm"));
  ASSERT_THAT(Opened(), ElementsAre(Page("About_Pinlet.htm")));
  EXPECT_EQ(world.shell.executed()[0].show_command, se::kShowNormal);
  EXPECT_TRUE(world.message_boxes.shown().empty());
}

// A missing page, a folder of that name, no name at all or a path that
// leads out of the help folder to a file that is there: never opened, the
// user told where the page was looked for.
TEST_F(SimSupportLibraryTest, APageThatIsNotInstalledGivesTheMessageBoxInstead) {
  ASSERT_TRUE(world.files.RemoveFile(Page("About_Pinlet.htm")));
  world.files.MakeFolders(Page("Folder.htm"));
  for (std::string_view page : {"About_Pinlet.htm", "Folder.htm", "", "..\\PNX.xml"}) {
    SCOPED_TRACE(page);
    world.message_boxes.QueueAnswer(mb::kOk);
    library().ShowContextHelp(1, page);
    const auto& box = world.message_boxes.shown().back();
    EXPECT_EQ(box.title, texts::kHelpMissingCaption);
    EXPECT_EQ(box.text, texts::MissingPageText(page, Page(page)));
    EXPECT_EQ(box.style, mb::kOkOnly | mb::kExclamation);
  }
  EXPECT_TRUE(Opened().empty());
  EXPECT_EQ(world.message_boxes.shown().size(), 4u);
}

// The about box's Help, with the index gone: the box over the about box,
// which stays open for OK.
TEST_F(SimSupportLibraryTest, TheAboutBoxsHelpTellsOfAMissingIndexAndStaysOpen) {
  world.files.RemoveFile(Page("index.htm"));
  world.message_boxes.QueueAnswer(mb::kOk, "index.htm");
  world.ui.QueueFormAnswer("frmAbout",
                           {Action::Click("cmdHelp"), Action::Click("cmdOK")});
  library().ShowAbout(1);
  EXPECT_EQ(world.ui.modal_forms()[0].outcome, "unloaded");
  ASSERT_EQ(world.message_boxes.shown().size(), 1u);
  EXPECT_EQ(world.message_boxes.shown()[0].modal_forms_before, 1u);
  EXPECT_TRUE(Opened().empty());
}

// Only the call itself is the add-in's: it alone is counted and may fail,
// and a failed call shows and records nothing. What the library then does
// is neither counted nor failed.
TEST_F(SimSupportLibraryTest, OnlyTheCallIsTheAddInsAndItMayFail) {
  world.faults.FailMember("LibZarvoShowAbout", errors::kOperationFailed, 1);
  world.faults.FailMember("LibZarvoShowContextHelp", errors::kOperationFailed, 1);
  EXPECT_THROW(library().ShowAbout(1), HostError);
  EXPECT_THROW(library().ShowContextHelp(1, "index.htm"), HostError);
  EXPECT_TRUE(library().calls().empty());
  EXPECT_TRUE(world.ui.modal_forms().empty());
  EXPECT_TRUE(Opened().empty());

  for (const char* member : {"Forms.Add", "Control.Advise", "Form.Show", "ShellExecute"})
    world.faults.FailMember(member);
  const int64_t before = world.faults.call_count();
  world.ui.QueueFormAnswer("frmAbout",
                           {Action::Click("cmdHelp"), Action::Click("cmdOK")});
  library().ShowAbout(1);
  library().ShowContextHelp(1, "About_Pinlet.htm");
  EXPECT_EQ(world.faults.call_count(), before + 2);
  EXPECT_THAT(Opened(), ElementsAre(Page("index.htm"), Page("About_Pinlet.htm")));
  EXPECT_EQ(world.ui.modal_forms()[0].outcome, "unloaded");
}

}  // namespace
}  // namespace pinlet::sim
