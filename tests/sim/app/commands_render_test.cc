// The picture commands: what they write, and what they refuse.
#include <gmock/gmock.h>

#include <filesystem>
#include <sstream>

#include "sim/app/driver.h"
#include "platform/ui_controls.h"
#include "sim/render/image.h"

namespace pinlet::app {
namespace {

using ::testing::HasSubstr;

class RenderCommandsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string error;
    ASSERT_TRUE(driver.Open(error)) << error;
    folder = std::filesystem::temp_directory_path() /
             ("pinlet_render_commands_" + std::to_string(::getpid()));
    std::filesystem::create_directories(folder);
  }
  void TearDown() override { std::filesystem::remove_all(folder); }
  int Run(const std::string& line) {
    std::istringstream in(line + "\n");
    out.str("");
    err.str("");
    return driver.RunScript(in, "test");
  }
  std::string File(const std::string& name) { return (folder / name).string(); }
  // The size of the PNG file, or 0 by 0 when it cannot be read.
  std::pair<int, int> SizeOf(const std::string& path) {
    std::string error;
    auto image = render::Image::ReadPng(path, error);
    return image ? std::pair{image->width(), image->height()} : std::pair{0, 0};
  }

  std::ostringstream out, err;
  Driver driver{out, err, {}};
  std::filesystem::path folder;
};

TEST_F(RenderCommandsTest, TheScreenAndAWindowAreWrittenAsPngFiles) {
  ASSERT_EQ(Run("show screen --png " + File("empty.png")), 0) << err.str();
  EXPECT_EQ(out.str(), "wrote " + File("empty.png") + ": 1024x768 pixels\n");
  EXPECT_EQ(SizeOf(File("empty.png")), (std::pair{1024, 768}));
  ASSERT_EQ(Run("start"), 0) << err.str();
  ASSERT_EQ(Run("show explorer --png " + File("explorer.png")), 0) << err.str();
  EXPECT_EQ(SizeOf(File("explorer.png")), (std::pair{640, 480}));
  EXPECT_EQ(Run("show explorer 2 --png " + File("x.png")), 2);
  EXPECT_THAT(err.str(),
              HasSubstr("'2' is not the number of an open main window (1 to 1)"));
}

TEST_F(RenderCommandsTest, ANoteWindowIsDrawnAtItsSizeInTwips) {
  EXPECT_EQ(Run("show note --png " + File("note.png")), 2);
  EXPECT_THAT(err.str(), HasSubstr("no note window is open"));
  ui::FormPtr note = driver.world().ui.CreateForm("frmComments");
  note->Move(600, 600, 5310, 3300);
  note->Show(ui::kModeless);
  ASSERT_EQ(Run("show note --png " + File("note.png")), 0) << err.str();
  EXPECT_EQ(SizeOf(File("note.png")), (std::pair{354, 220}));
  EXPECT_EQ(Run("show note frmNothing --png " + File("x.png")), 2);
  EXPECT_THAT(err.str(), HasSubstr("no form 'frmNothing' is loaded"));
}

TEST_F(RenderCommandsTest, APictureCommandNeedsItsFileAndAWritablePlace) {
  EXPECT_EQ(Run("show screen"), 2);
  EXPECT_THAT(err.str(), HasSubstr("--png FILE is missing"));
  EXPECT_EQ(Run("show screen --png"), 2);
  EXPECT_THAT(err.str(), HasSubstr("--png takes one FILE"));
  EXPECT_EQ(Run("show screen --png " + File("no/such/folder/x.png")), 2);
  EXPECT_THAT(err.str(), HasSubstr("cannot write"));
}

TEST_F(RenderCommandsTest, TheDialogShownLastIsDrawnAsItWasSeen) {
  EXPECT_EQ(Run("show dialog --png " + File("d.png")), 2);
  EXPECT_THAT(err.str(), HasSubstr("no dialog or message box has been shown"));
  driver.world().message_boxes.QueueAnswer(mb::kOk);
  driver.world().message_boxes.Show("The note could not be saved.", "Pinlet",
                                    mb::kOkOnly | mb::kExclamation);
  ASSERT_EQ(Run("show dialog --png " + File("box.png")), 0) << err.str();
  ASSERT_EQ(Run("show dialog message --png " + File("box2.png")), 0) << err.str();
  EXPECT_EQ(SizeOf(File("box.png")), SizeOf(File("box2.png")));
  ui::FormPtr options = driver.world().ui.CreateForm("frmOptions");
  options->SetCaption("Pinlet Options");
  options->Move(0, 0, 6000, 4500);
  auto ok = options->Add<ui::CommandButton>("cmdOK");
  Subscription closes = ok->OnClick([&] { options->Unload(); });
  ASSERT_EQ(Run("answer form frmOptions click cmdOK"), 0);
  options->Show(ui::kModal);
  ASSERT_EQ(Run("show dialog --png " + File("options.png")), 0) << err.str();
  EXPECT_EQ(SizeOf(File("options.png")), (std::pair{400, 300}));
  ASSERT_EQ(Run("show dialog \"Pinlet Options\" --png " + File("by_caption.png")), 0);
  EXPECT_EQ(Run("show dialog frmReminder --png " + File("x.png")), 2);
}

TEST_F(RenderCommandsTest, MenusOpenByTheirPathAndCloseAgain) {
  EXPECT_EQ(Run("open menu \"Menu Bar/Tools\""), 2);
  EXPECT_THAT(err.str(), HasSubstr("Outlook is not running"));
  ASSERT_EQ(Run("start"), 0) << err.str();
  ASSERT_EQ(Run("open menu \"Menu Bar/Tools/Macro\""), 0) << err.str();
  EXPECT_EQ(out.str(), "opened Menu Bar/Tools/Macro\n");
  EXPECT_EQ(Run("open menu \"Menu Bar/Tools/Nothing\""), 2);
  EXPECT_THAT(err.str(), HasSubstr("no control 'Nothing' in Menu Bar/Tools/Nothing"));
  EXPECT_EQ(Run("open menu \"Menu Bar/File/Open/x\""), 2);
  EXPECT_THAT(err.str(), HasSubstr("'Open' in Menu Bar/File/Open/x is not a menu"));
  // A toolbar does not open as a shortcut menu: the screen refuses it.
  EXPECT_EQ(Run("open menu Standard"), 0);
  EXPECT_THAT(out.str(), HasSubstr("refused: "));
  EXPECT_THAT(out.str(), HasSubstr("it is not a shortcut menu"));
  ASSERT_EQ(Run("open menu \"Context Menu\" 200 120"), 0) << err.str();
  ASSERT_EQ(Run("close menu"), 0);
  EXPECT_EQ(out.str(), "the menus are closed\n");
}

}  // namespace
}  // namespace pinlet::app
