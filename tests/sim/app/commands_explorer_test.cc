// The main-window and options commands: finding what the user clicks, and
// what the commands print.
#include <gmock/gmock.h>

#include <sstream>

#include "sim/app/driver.h"
#include "sim/app/resolve.h"
#include "started_driver.h"

namespace pinlet::app {
namespace {

using ::testing::HasSubstr;

class ExplorerCommandsTest : public StartedDriverTest {
 protected:
  // The path of the control `what` names on the active window, or the error.
  std::string Resolved(const std::string& what) {
    std::string error;
    auto window = ActiveExplorer(driver, error);
    auto control = ResolveControl(*window->command_bars(), what, error);
    return control ? window->command_bars()->PathOf(*control) : error;
  }
};

TEST_F(ExplorerCommandsTest, ControlsAreFoundByCaptionPathOrTip) {
  EXPECT_EQ(Resolved("add note"), "Pinlet ToolBar/Add Note");
  EXPECT_EQ(Resolved("Menu Bar/Tools/Zarvo Options/Pinlet Options..."),
            "Menu Bar/&Tools/Zarvo Options/Pinlet Options...");
  // A path goes down one menu at a time; a caption alone looks everywhere.
  EXPECT_EQ(Resolved("Pinlet ToolBar/Help"), "Pinlet ToolBar/");  // the tip "Help"
  EXPECT_EQ(Resolved("Pinlet ToolBar/ /Help"), "Pinlet ToolBar/ /Help");
  // A caption alone names one control: "Help" is the menu bar's popup, the
  // toolbar button's tip and an entry of the toolbar's menu.
  EXPECT_EQ(Resolved("Help"),
            "'Help' names 3 controls; give the path of one: \"Menu Bar/&Help\" "
            "\"Pinlet ToolBar/(tip \"Help\")\" \"Pinlet ToolBar/ /Help\"");
  EXPECT_EQ(Run("click Help"), 2);
  EXPECT_EQ(Resolved("Menu Bar/Pinlet Options..."),
            "no control 'Menu Bar/Pinlet Options...' on the window's bars (see show "
            "explorer)");
  // Toolbars and menus come before the shortcut menus.
  ASSERT_EQ(Run("select Inbox 1"), 0);
  ASSERT_EQ(Run("context menu"), 0);
  EXPECT_EQ(Resolved("Add Note"), "Pinlet ToolBar/Add Note");
  EXPECT_EQ(Resolved("Context Menu/Pinlet/Add Note"), "Context Menu/Pinlet/Add Note");
  // By Office ID: anywhere, or on one bar.
  EXPECT_EQ(Resolved("#354"), "Menu Bar/&Actions/&Reply");
  EXPECT_EQ(Resolved("Standard/#354"), "Standard/&Reply");
  for (const char* wrong :
       {"#0", "#354x", "#", "Standard/Actions/#354", "Pinlet ToolBar/#354"})
    EXPECT_THAT(Resolved(wrong), HasSubstr("no control")) << wrong;
}

TEST_F(ExplorerCommandsTest, ClickingSaysWhatCameUpAndRefusesWhatCannotBeClicked) {
  ASSERT_EQ(Run("select Inbox none"), 0);
  EXPECT_THAT(out.str(), HasSubstr("selected: nothing"));
  ASSERT_EQ(Run("answer ok"), 0);
  ASSERT_EQ(Run("click \"Add Note\""), 0);
  EXPECT_EQ(
      out.str(),
      "clicked Pinlet ToolBar/Add Note\n"
      "message box \"Pinlet\": \"Please, select the item you wish to add note to.\" "
      "-> OK\n");
  ASSERT_EQ(Run("click \"Pinlet ToolBar/Help\""), 0);
  EXPECT_EQ(out.str(),
            "clicked Pinlet ToolBar/(tip \"Help\")\n"
            "support library: ShowContextHelp About_Pinlet.htm\n");
  // What the bars refuse is a refusal line; the run goes on.
  EXPECT_EQ(Run("click Tools"), 0);
  EXPECT_THAT(out.str(), HasSubstr("refused: cannot click Menu Bar/&Tools: it is a popup"));
}

TEST_F(ExplorerCommandsTest, WindowsAreOpenedActivatedAndClosedByNumber) {
  ASSERT_EQ(Run("open explorer \"Sent Items\""), 0);
  EXPECT_EQ(out.str(), "main window 2 opened on \\\\Mailbox - Pat Kelly\\Sent Items\n");
  // What the add-in made of the windows is its own: show addin tells.
  ASSERT_EQ(Run("show addin"), 0);
  EXPECT_THAT(out.str(), HasSubstr("explorer 1 wraps main window 1: toolbar built, "
                                   "menus added\n"
                                   "explorer 2 wraps main window 2 (the active "
                                   "explorer): toolbar built, menus added\n"));
  ASSERT_EQ(Run("close explorer 2"), 0);
  EXPECT_EQ(out.str(), "main window 2 closed; 1 main window open\n");
  EXPECT_EQ(Run("activate explorer 2"), 2);
  EXPECT_THAT(err.str(), HasSubstr("no main window 2 (1 open)"));
  ASSERT_EQ(Run("close explorer"), 0);
  ASSERT_EQ(Run("show addin"), 0);
  EXPECT_THAT(out.str(), HasSubstr("explorer side: shut down"));
}

TEST_F(ExplorerCommandsTest, TheOptionsCommandSaysWhatTheDialogStored) {
  ASSERT_EQ(Run("answer form frmOptions set chkOnTop 1 ; click cmdOK"), 0);
  ASSERT_EQ(Run("options"), 0);
  EXPECT_THAT(out.str(),
              HasSubstr("clicked Menu Bar/&Tools/Zarvo Options/Pinlet Options...\n"
                        "modal frmOptions \"Pinlet Options\": set chkOnTop \"1\"; "
                        "click cmdOK -> unloaded\n"
                        "stored:\n"));
  EXPECT_THAT(out.str(), HasSubstr("  NoteOnTop: (absent) -> \"1\"\n"));
  ASSERT_EQ(Run("answer form frmOptions click cmdCancel"), 0);
  ASSERT_EQ(Run("options toolbar"), 0);
  EXPECT_THAT(out.str(), HasSubstr("no option was stored"));
  // OK rewrites every value; with nothing changed each is stored as it was.
  ASSERT_EQ(Run("answer form frmOptions click cmdOK"), 0);
  ASSERT_EQ(Run("options"), 0);
  EXPECT_THAT(out.str(), HasSubstr("stored as they were: PrintItem, PrintDate, NoteOnTop,"));
  EXPECT_THAT(out.str(), HasSubstr(", FlagIndex\n"));
  EXPECT_THAT(out.str(), ::testing::Not(HasSubstr("no option was stored")));
  EXPECT_THAT(out.str(), ::testing::Not(HasSubstr("stored:\n")));
  ASSERT_EQ(Run("show options"), 0);
  EXPECT_THAT(out.str(), HasSubstr("  NoteOnTop = \"1\"\n"));
}

}  // namespace
}  // namespace pinlet::app
