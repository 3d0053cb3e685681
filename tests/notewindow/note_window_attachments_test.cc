// The note's attachments: files added (refused when unsafe, asked about when
// listed already), opened, saved elsewhere and removed, and hostile names
// that never choose where a file is written.
#include <gmock/gmock.h>

#include <set>

#include "note_window_fixture.h"
#include "notewindow/attachment_files.h"
#include "platform/shell.h"

namespace pinlet {
namespace {

using ::testing::ElementsAre;
using ::testing::HasSubstr;

constexpr const char* kUnsafe =
    "Pinlet regarded the file you are trying to add as potentially unsafe";
constexpr const char* kUnsafeToOpen =
    "Pinlet regarded the file you are trying to open as potentially unsafe and did not "
    "open it.\r\nIn the Save As window that follows you can save a copy of it to a "
    "folder of your choice, or click Cancel.";

class AttachmentsTest : public NoteWindowTest {
 protected:
  void SetUp() override {
    NoteWindowTest::SetUp();
    world.files.Store("C:\\Data\\plan.txt", "the plan");
    world.files.Store("C:\\Data\\photo.jpg", "jpeg bytes");
    world.files.Store("C:\\Data\\setup.EXE", "MZ");
    Start();
    mail = InboxItem(6);
    window = Open(mail);
  }
  // The user adds `path` with the Add attachment button.
  void Attach(const std::string& path) {
    world.dialogs.QueueFile(path, "Open");
    Click(window, "imgAddAtt");
  }
  std::vector<std::string> Listed() {
    sim::FaultInjector::Pause pause(world.faults);
    std::vector<std::string> names;
    auto list = Control<ui::ListBox>(window, "lstAttachments");
    for (int32_t i = 0; i < list->ListCount(); ++i) names.push_back(list->List(i));
    return names;
  }
  std::vector<std::string> Stored() {
    std::vector<std::string> names;
    for (const auto& a : NoteOf(mail)->attachments) names.push_back(a.file_name);
    return names;
  }
  // The support library's log lines.
  std::vector<std::string> Logged() {
    std::vector<std::string> lines;
    for (const std::string& call : world.support->calls())
      if (call.starts_with("LogMsg")) lines.push_back(call);
    return lines;
  }
  std::vector<std::string> Messages() {
    std::vector<std::string> texts;
    for (const auto& box : world.message_boxes.shown()) texts.push_back(box.text);
    return texts;
  }
  // A note that another client gave an attachment of that name.
  void Given(const std::string& file_name, const std::string& bytes = "data") {
    Type(window, "x");
    CloseBox(window);
    NoteOf(mail)->attachments.push_back({file_name, bytes});
    window = Open(mail);
  }
  void Select(int32_t entry) {
    Do(window, sim::FormAction::Choose("lstAttachments", "#" + std::to_string(entry)));
  }
  void KeyInList(const std::string& key) {
    Do(window, sim::FormAction::Key("lstAttachments", key));
  }
  // Where the copies of opened attachments are written.
  std::string CopyFolder() { return world.shell.TempFolder() + "Pinlet Attachments\\"; }
  std::vector<std::string> Opened() {
    std::vector<std::string> files;
    for (const auto& run : world.shell.executed()) files.push_back(run.file);
    return files;
  }

  ol::ItemPtr mail;
  std::shared_ptr<frmComments> window;
};

TEST_F(AttachmentsTest, BlockFileRefusesTheListedEndingsInAnyCaseAndHiddenOnes) {
  AddinContext& c = ctx();
  EXPECT_EQ(BlockedPatterns().size(), 71u);
  for (const char* refused : {"setup.EXE", "Report.Lnk", "lemonade", "macro.VSMACROS",
                              "run.exe.", "run.exe ", "run.exe . .", "x.js"})
    EXPECT_TRUE(BlockFile(c, refused)) << refused;
  for (const char* accepted :
       {"notes.txt", "photo.jpg", "exe", "js", "report.exe.txt", "archive.zip"})
    EXPECT_FALSE(BlockFile(c, accepted)) << accepted;
}

TEST_F(AttachmentsTest, BlockFileRefusesTheSameWithoutTheRegularExpressionObject) {
  world.faults.FailMember("CreateObject VBScript.RegExp");
  EXPECT_TRUE(BlockFile(ctx(), "setup.EXE"));
  EXPECT_TRUE(BlockFile(ctx(), "lemonade"));
  EXPECT_TRUE(BlockFile(ctx(), "run.exe."));
  EXPECT_FALSE(BlockFile(ctx(), "notes.txt"));
  EXPECT_FALSE(BlockFile(ctx(), "\nexe"));  // "." matches no line feed
  world.faults.Clear();
  ASSERT_EQ(Logged().size(), 5u);
  EXPECT_THAT(Logged()[0], HasSubstr("basMainProc(Function BlockFile)"));
}

TEST_F(AttachmentsTest, AddingAFileStoresItsBytesListsItAndShowsThePanel) {
  Attach("C:\\Data\\plan.txt");
  EXPECT_THAT(Listed(), ElementsAre("plan.txt"));
  ASSERT_THAT(Stored(), ElementsAre("plan.txt"));
  EXPECT_EQ(NoteOf(mail)->attachments[0].content, "the plan");
  EXPECT_FALSE(sim::ObjectOf(window->objMyNote)->changed());  // saved
  EXPECT_FALSE(window->new_note());  // a note with a file is kept
  EXPECT_TRUE(window->panel_shown());
  EXPECT_EQ(Picture(window, "imgSaveAtt"), "SAVE");
  EXPECT_EQ(Picture(window, "imgDeleteAtt"), "REMOVE");
  EXPECT_EQ(Control<ui::Label>(window, "lblAttachments")->Caption(), "1");
  // Only the window's first file dialog starts in My Documents.
  Attach("C:\\Data\\photo.jpg");
  ASSERT_EQ(world.dialogs.shown().size(), 2u);
  EXPECT_EQ(world.dialogs.shown()[0].file.initial_folder, "%USERPROFILE%\\My Documents");
  EXPECT_EQ(world.dialogs.shown()[1].file.initial_folder, "");
  EXPECT_EQ(world.dialogs.shown()[0].file.filter,
            "All Files(*.*)|*.*|Text Files(*.txt)|*.txt|Picture Files(*.bmp;*.jpg)|"
            "*.bmp;*.jpg|");
  EXPECT_THAT(Listed(), ElementsAre("plan.txt", "photo.jpg"));
  EXPECT_EQ(Control<ui::Label>(window, "lblAttachments")->Caption(), "2");
}

TEST_F(AttachmentsTest, ARefusedFileOrARefusedDuplicateLeavesTheNoteUnchanged) {
  world.message_boxes.QueueAnswer(mb::kOk);
  Attach("C:\\Data\\setup.EXE");
  EXPECT_THAT(Messages(), ElementsAre(kUnsafe));
  EXPECT_EQ(world.message_boxes.shown()[0].style, mb::kOkOnly | mb::kExclamation);
  EXPECT_TRUE(Listed().empty());
  EXPECT_TRUE(window->new_note());
  Attach("C:\\Data\\plan.txt");
  world.message_boxes.QueueAnswer(mb::kNo);
  Attach("C:\\Data\\plan.txt");
  ASSERT_EQ(Messages().size(), 2u);
  EXPECT_EQ(Messages()[1],
            "The name of the file you are about to attach already exists in the "
            "attachments list.\r\nAre you sure you want to add this file?");
  EXPECT_EQ(world.message_boxes.shown()[1].style, mb::kYesNo | mb::kExclamation);
  EXPECT_THAT(Stored(), ElementsAre("plan.txt"));
  world.message_boxes.QueueAnswer(mb::kYes);
  Attach("C:\\Data\\plan.txt");
  EXPECT_THAT(Stored(), ElementsAre("plan.txt", "plan.txt"));
  EXPECT_THAT(Listed(), ElementsAre("plan.txt", "plan.txt"));
}

TEST_F(AttachmentsTest, ACancelledOpenDialogAddsNothingAndIsOnlyLogged) {
  world.dialogs.QueueCancel(sim::DialogKind::kOpen, "Open");
  Click(window, "imgAddAtt");
  EXPECT_TRUE(Stored().empty());
  EXPECT_TRUE(world.message_boxes.shown().empty());
  ASSERT_EQ(Logged().size(), 1u);
  EXPECT_THAT(Logged()[0], HasSubstr("frmComments(Sub AddAttachment)"));
}

TEST_F(AttachmentsTest, RemovingTheLastAttachmentDisablesSaveAndDeleteAndHidesThePanel) {
  Attach("C:\\Data\\plan.txt");
  Attach("C:\\Data\\photo.jpg");
  Select(0);
  KeyInList("Delete");
  EXPECT_THAT(Stored(), ElementsAre("photo.jpg"));
  EXPECT_THAT(Listed(), ElementsAre("photo.jpg"));
  EXPECT_TRUE(window->panel_shown());
  Hover(window, "imgDeleteAtt");
  Click(window, "imgDeleteAtt");
  EXPECT_TRUE(Stored().empty());
  EXPECT_FALSE(sim::ObjectOf(window->objMyNote)->changed());
  EXPECT_FALSE(window->panel_shown());
  EXPECT_FALSE(Shown(window, "lstAttachments"));
  EXPECT_EQ(Picture(window, "imgSaveAtt"), "SAVE_DISABLED");
  EXPECT_EQ(Picture(window, "imgDeleteAtt"), "REMOVE_DISABLED");
  Hover(window, "imgTextCut");  // the hover ends on the disabled picture
  EXPECT_EQ(Picture(window, "imgDeleteAtt"), "REMOVE_DISABLED");
}

TEST_F(AttachmentsTest, AListThatNoLongerMatchesTheNoteIsFilledAgainNotActedOn) {
  Attach("C:\\Data\\plan.txt");
  Attach("C:\\Data\\photo.jpg");
  // Another client removed the first file meanwhile.
  NoteOf(mail)->attachments.erase(NoteOf(mail)->attachments.begin());
  Select(0);
  KeyInList("Delete");
  EXPECT_THAT(Stored(), ElementsAre("photo.jpg"));
  EXPECT_THAT(Listed(), ElementsAre("photo.jpg"));
}

TEST_F(AttachmentsTest, OpeningRunsACopyInTheTemporaryFolderOrOffersSaveAs) {
  Attach("C:\\Data\\plan.txt");
  Do(window, sim::FormAction::Mouse(sim::FormAction::Kind::kDblClick, "lstAttachments"));
  std::string temp = CopyFolder();
  ASSERT_EQ(world.shell.executed().size(), 1u);
  const auto& run = world.shell.executed()[0];
  EXPECT_EQ(run.verb, "open");
  EXPECT_EQ(run.file, temp + "plan.txt");
  EXPECT_EQ(run.folder, temp);
  EXPECT_EQ(run.show_command, se::kShowNormal);
  EXPECT_EQ(world.files.Peek(temp + "plan.txt"), "the plan");
  // No program for the type: the Save As dialog instead.
  world.shell.QueueExecuteResult(se::kNoAssociation);
  world.dialogs.QueueFile("C:\\Data\\kept.txt", "Save As");
  KeyInList("Enter");
  ASSERT_EQ(world.dialogs.shown().size(), 2u);
  const auto& save = world.dialogs.shown()[1];
  EXPECT_EQ(save.kind, sim::DialogKind::kSave);
  EXPECT_EQ(save.title, "Save As...");
  EXPECT_EQ(save.file.file_name, "C:\\Data\\kept.txt");
  EXPECT_EQ(save.file.flags, 0x8806u);
  EXPECT_EQ(save.file.initial_folder, "");  // the add dialog was the first
  EXPECT_EQ(world.files.Peek("C:\\Data\\kept.txt"), "the plan");
}

TEST_F(AttachmentsTest, ACancelledSaveAsSavesNothing) {
  Attach("C:\\Data\\plan.txt");
  size_t files = world.files.Folders("C:\\").size();
  world.dialogs.QueueCancel(sim::DialogKind::kSave, "Save As");
  Click(window, "imgSaveAtt");
  ASSERT_EQ(world.dialogs.shown().size(), 2u);
  EXPECT_EQ(world.dialogs.shown()[1].file.file_name, "plan.txt");
  EXPECT_FALSE(
      world.files.Peek("C:\\Documents and Settings\\User\\My Documents\\plan.txt"));
  EXPECT_EQ(world.files.Folders("C:\\").size(), files);
}

TEST_F(AttachmentsTest, ABlockedFileAnotherClientAttachedIsNeverRun) {
  for (const char* name : {"run.exe.", "tool.EXE", "..\\Startup\\x.lnk"}) {
    SCOPED_TRACE(name);
    Given(name);
    world.dialogs.QueueCancel(sim::DialogKind::kSave, "Save As");
    world.message_boxes.QueueAnswer(mb::kOk);
    size_t boxes = Messages().size();
    Do(window,
       sim::FormAction::Mouse(sim::FormAction::Kind::kDblClick, "lstAttachments"));
    EXPECT_TRUE(world.shell.executed().empty());
    ASSERT_EQ(Messages().size(), boxes + 1);
    EXPECT_EQ(Messages().back(), kUnsafeToOpen);
    EXPECT_EQ(world.dialogs.shown().back().kind, sim::DialogKind::kSave);
    CloseBox(window);
    NoteOf(mail)->attachments.clear();
    window = Open(mail);
  }
}

// Windows reads a path only up to a NUL, so an ending after it hides
// nothing: the link below runs "run.exe" and is refused like it.
TEST_F(AttachmentsTest, ALinkWhosePathHidesARefusedEndingBehindANulIsNeverRun) {
  using namespace std::string_literals;
  Type(window, "x");
  CloseBox(window);
  NoteOf(mail)->attachments.push_back(
      {"report.txt", "", "", "C:\\evil\\run.exe\0.txt"s, 4});
  window = Open(mail);
  world.dialogs.QueueCancel(sim::DialogKind::kSave, "Save As");
  world.message_boxes.QueueAnswer(mb::kOk);
  Do(window, sim::FormAction::Mouse(sim::FormAction::Kind::kDblClick, "lstAttachments"));
  EXPECT_TRUE(world.shell.executed().empty());
  EXPECT_THAT(Messages(), ElementsAre(kUnsafeToOpen));
  auto attachment = Must(window->objMyNote).Attachments()->Item(1);
  EXPECT_TRUE(AttachmentBlocked(ctx(), attachment));
  EXPECT_EQ(AttachmentOpen(ctx(), attachment), se::kAccessDenied);
  // The same name as a file name of its own is refused too.
  EXPECT_TRUE(BlockFile(ctx(), frmComments::GetName("run.exe\0.txt"s)));
}

TEST_F(AttachmentsTest, TheContextMenuFollowsTheSelectionAndRunsItsCommands) {
  Attach("C:\\Data\\plan.txt");
  world.ui.QueueMenuAnswer("Remove");
  Do(window, sim::FormAction::Click("lstAttachments", ui::mouse::kRight));
  ASSERT_EQ(world.ui.menus().size(), 1u);
  EXPECT_THAT(world.ui.menus()[0].entries, ElementsAre("Open", "Save As...", "Remove"));
  EXPECT_TRUE(Stored().empty());
  // In the view state the right button shows no menu.
  Attach("C:\\Data\\plan.txt");
  Click(window, "imgNoteView");
  Do(window, sim::FormAction::Click("lstAttachments", ui::mouse::kRight));
  EXPECT_EQ(world.ui.menus().size(), 1u);
}

TEST_F(AttachmentsTest, AFailedSaveKeepsTheFileAndIsDoneAgain) {
  Type(window, "x");
  std::string id = NoteOf(mail)->entry_id;
  world.faults.FailMember("Item.Save");
  Attach("C:\\Data\\plan.txt");
  world.faults.Clear();
  EXPECT_TRUE(window->save_pending());
  EXPECT_THAT(Listed(), ElementsAre("plan.txt"));
  CloseBox(window);
  EXPECT_THAT(Stored(), ElementsAre("plan.txt"));
  EXPECT_FALSE(window->save_pending());
}

// Two attachments whose names differ only in case, or are the same, never
// share a copy: the second opening writes a copy of its own beside the
// first, which its program may still hold, and so does opening one again.
TEST_F(AttachmentsTest, EachOpeningWritesItsOwnCopy) {
  Type(window, "x");
  CloseBox(window);
  NoteOf(mail)->attachments.push_back({"Report.txt", "first"});
  NoteOf(mail)->attachments.push_back({"report.TXT", "second"});
  NoteOf(mail)->attachments.push_back({"Report.txt", "third"});
  window = Open(mail);
  const std::string temp = CopyFolder();
  for (int entry : {0, 1, 2, 0}) {
    Select(entry);
    KeyInList("Enter");
  }
  std::vector<std::string> opened;
  for (const auto& run : world.shell.executed()) opened.push_back(run.file);
  EXPECT_THAT(opened, ElementsAre(temp + "Report.txt", temp + "report (2).TXT",
                                  temp + "Report (3).txt", temp + "Report (4).txt"));
  EXPECT_EQ(world.files.Peek(temp + "Report.txt"), "first");
  EXPECT_EQ(world.files.Peek(temp + "report (2).TXT"), "second");
  EXPECT_EQ(world.files.Peek(temp + "Report (3).txt"), "third");
  EXPECT_EQ(world.files.Peek(temp + "Report (4).txt"), "first");
  // The number goes before the extension and within the longest path.
  const std::string long_name(296, 'b');
  Given(long_name + ".txt");
  Select(3);
  KeyInList("Enter");
  KeyInList("Enter");
  const std::string second = world.shell.executed().back().file;
  EXPECT_EQ(second.size(), kMaxPathLength);
  EXPECT_TRUE(second.ends_with("b (2).txt")) << second;
  EXPECT_EQ(world.files.Peek(second), "data");
}

// The host may fail to give the temporary folder or its listing: nothing is
// opened, nothing written, and the window goes on.
TEST_F(AttachmentsTest, OpeningWithoutTheTemporaryFolderOpensNothing) {
  Given("plan.txt", "the plan");
  for (const char* member : {"GetTempPath", "FindFirstFile"}) {
    SCOPED_TRACE(member);
    world.faults.FailMember(member);
    KeyInList("Enter");
    world.faults.Clear();
    EXPECT_TRUE(world.shell.executed().empty());
    EXPECT_FALSE(world.files.Peek(CopyFolder() + "plan.txt"));
  }
  KeyInList("Enter");
  EXPECT_EQ(world.shell.executed().size(), 1u);
}

// Hostile names, as another client may store them: the copy opened always
// lies in the temporary folder under a plain name, and Save As proposes
// only that name.
TEST_F(AttachmentsTest, HostileNamesNeverLeaveTheirFolder) {
  const std::pair<std::string, std::string> kNames[] = {
      {"..\\..\\Start Menu\\Programs\\Startup\\x.txt", "x.txt"},
      {"../../Start Menu/Programs/Startup/x.txt", "x.txt"},
      {"C:\\Windows\\win.txt", "win.txt"},
      {"C:boot.txt", "C_boot.txt"},
      {"\\\\server\\share\\doc.txt", "doc.txt"},
      {"notes.txt. . ", "notes.txt"},
      {"REPORT.TXT", "REPORT.TXT"},
      {"CON", "_CON"},
      {"nul.txt", "_nul.txt"},
      {"COM1", "_COM1"},
      {"x.exe::$DATA", "x.exe__$DATA"},
      {"", "attachment"},
      {"...", "attachment"},
      {"..", "attachment"},
  };
  const std::string temp = CopyFolder();
  auto all_files = [&] {
    std::set<std::string> paths;
    for (const std::string& folder : world.files.Folders("C:\\")) {
      auto entries = world.files.Entries(folder);
      for (const FileEntry& e : *entries)
        if (!e.folder)
          paths.insert(folder + (folder.ends_with("\\") ? "" : "\\") + e.name);
    }
    return paths;
  };
  const std::set<std::string> before = all_files();
  for (const auto& [hostile, safe] : kNames) {
    SCOPED_TRACE(hostile);
    EXPECT_EQ(AttachmentFileName(hostile), safe);
    Given(hostile);
    Do(window,
       sim::FormAction::Mouse(sim::FormAction::Kind::kDblClick, "lstAttachments"));
    ASSERT_FALSE(world.shell.executed().empty());
    EXPECT_EQ(world.shell.executed().back().file, temp + safe);
    EXPECT_EQ(world.files.Peek(temp + safe), "data");
    world.files.RemoveFile(temp + safe);  // the next name may reduce to the same
    world.dialogs.QueueCancel(sim::DialogKind::kSave, "Save As");
    Hover(window, "Text");  // the edit state, with the Save button
    Click(window, "imgSaveAtt");
    EXPECT_EQ(world.dialogs.shown().back().file.file_name, safe);
    CloseBox(window);
    NoteOf(mail)->attachments.clear();
    window = Open(mail);
  }
  // A long name is shortened to fit the folder, before its extension.
  const std::string long_name(296, 'a');
  EXPECT_EQ(AttachmentFileName(long_name + ".txt"), std::string(251, 'a') + ".txt");
  Given(long_name + ".txt");
  Do(window, sim::FormAction::Mouse(sim::FormAction::Kind::kDblClick, "lstAttachments"));
  const std::string opened = world.shell.executed().back().file;
  EXPECT_EQ(opened.size(), kMaxPathLength);
  EXPECT_TRUE(opened.starts_with(temp + "aaa")) << opened;
  EXPECT_TRUE(opened.ends_with("a.txt")) << opened;
  EXPECT_EQ(world.files.Peek(opened), "data");
  // Nothing was written but the copies in the temporary folder.
  for (const std::string& path : all_files()) {
    if (!before.count(path)) {
      EXPECT_TRUE(path.starts_with(temp)) << path;
    }
  }
}

// The copies a window opened go when it closes; the user's own file of the
// same name in the temporary folder is never touched.
TEST_F(AttachmentsTest, ClosingDeletesTheCopiesTheWindowOpened) {
  const std::string mine = world.shell.TempFolder() + "plan.txt";
  world.files.Store(mine, "the user's own");
  world.files.Store(CopyFolder() + "plan.txt", "an earlier session's");
  Attach("C:\\Data\\plan.txt");
  KeyInList("Enter");
  KeyInList("Enter");
  EXPECT_THAT(Opened(), ElementsAre(CopyFolder() + "plan (2).txt",
                                    CopyFolder() + "plan (3).txt"));
  CloseBox(window);
  EXPECT_FALSE(world.files.Peek(CopyFolder() + "plan (2).txt"));
  EXPECT_FALSE(world.files.Peek(CopyFolder() + "plan (3).txt"));
  // Only what this window wrote: the earlier session's copy waits for a start.
  EXPECT_EQ(world.files.Peek(CopyFolder() + "plan.txt"), "an earlier session's");
  EXPECT_EQ(world.files.Peek(mine), "the user's own");
  EXPECT_EQ(NoteOf(mail)->attachments.size(), 1u);
}

// A copy that cannot be deleted at close (its program may hold it open) is
// no error to the user, and goes at the add-in's next start with the folder;
// the user's files stay.
TEST_F(AttachmentsTest, ACopyLeftAtCloseGoesAtTheNextStart) {
  const std::string mine = world.shell.TempFolder() + "plan.txt";
  world.files.Store(mine, "the user's own");
  Attach("C:\\Data\\plan.txt");
  KeyInList("Enter");
  const size_t logged = Logged().size();
  world.faults.FailMember("DeleteFile");
  CloseBox(window);
  world.faults.Clear();
  EXPECT_EQ(world.files.Peek(CopyFolder() + "plan.txt"), "the plan");
  EXPECT_TRUE(Messages().empty());
  EXPECT_EQ(Logged().size(), logged);
  session->Stop();
  // A start that cannot delete leaves the copy for the one after.
  world.faults.FailMember("DeleteFile");
  Start();
  world.faults.Clear();
  EXPECT_EQ(world.files.Peek(CopyFolder() + "plan.txt"), "the plan");
  EXPECT_TRUE(Messages().empty());
  session->Stop();
  Start();
  EXPECT_FALSE(world.files.Peek(CopyFolder() + "plan.txt"));
  EXPECT_FALSE(world.files.IsFolder(CopyFolder()));
  EXPECT_EQ(world.files.Peek(mine), "the user's own");
  EXPECT_EQ(NoteOf(mail)->attachments.size(), 1u);
}

}  // namespace
}  // namespace pinlet
