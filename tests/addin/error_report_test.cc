#include "addin/error_report.h"

#include "addin_fixture.h"

namespace pinlet {
namespace {

class ErrorReportTest : public AddinTest {
 protected:
  void SetUp() override { StartHost(); }
  std::string LastLog() {
    auto log_text = world.files.ReadFile(world.support->log_path());
    if (!log_text) return "";
    std::string text = *log_text;
    text.resize(text.size() - 2);  // the last line's CR LF
    return text.substr(text.rfind('\n') + 1);
  }
};

TEST_F(ErrorReportTest, TagGetsTheLineNumberOnlyWhenItIsNotZero) {
  EXPECT_EQ(TagWithLine("basMainProc(Function NotesFolder)", 0),
            "basMainProc(Function NotesFolder)");
  EXPECT_EQ(TagWithLine("basMainProc(Function NotesFolder)", 120),
            "basMainProc(Function NotesFolder), 120");
}

TEST_F(ErrorReportTest,
       GuardedFailureIsLoggedWithLevelThreeAndFlagOneAndDefaultReturned) {
  int result = RunGuarded(ctx(), "basMainProc(Function GetNoteForm)", 7, [&](Proc& proc) {
    proc.line = 30;
    world.faults.FailMember("Folders.Item");
    ctx().name_space->GetDefaultFolder(6)->Folders()->Item("x");
    return 1;
  });
  world.faults.Clear();
  EXPECT_EQ(result, 7);
  EXPECT_EQ(
      world.support->calls().back(),
      "LogMsg 285212672 basMainProc(Function GetNoteForm), 30 | Simulated failure of "
      "Folders.Item | -2147467259 | 3 1");
  EXPECT_EQ(
      LastLog(),
      "12/7/2026 9:00:00 AM\tlevel 3\t-2147467259\tbasMainProc(Function GetNoteForm), "
      "30\tSimulated failure of Folders.Item");
}

TEST_F(ErrorReportTest, NothingIsLoggedWhileTheSupportLibraryObjectDoesNotExist) {
  ctx().support.reset();
  size_t before = world.support->calls().size();
  RunGuardedSub(ctx(), "basMainProc(Sub Filter_On)",
                [](Proc&) { throw HostError(5, "Invalid procedure call or argument"); });
  EXPECT_EQ(world.support->calls().size(), before);
}

TEST_F(ErrorReportTest, OurOwnFailuresAreNotHandledButRecordedAtTheHostBoundary) {
  // Inside the add-in only HostError is handled; a bug of ours goes on...
  EXPECT_THROW(RunGuarded(ctx(), "basMainProc(Function NoteFormExists)", false,
                          [](Proc&) -> bool { throw std::logic_error("boom"); }),
               std::logic_error);
  // ...to the host, which stops it there and records it as a defect.
  auto inspectors = ctx().application->Inspectors();
  Subscription sink = inspectors->OnNewInspector(
      [](ol::InspectorPtr) { throw std::logic_error("a broken invariant"); });
  session->outlook()->OpenInspector(
      ctx().name_space->GetDefaultFolder(6)->Items()->Add(ol::kMailItem));
  ASSERT_EQ(world.defects().size(), 1u);
  EXPECT_EQ(world.defects()[0],
            "Inspectors.NewInspector: a broken invariant reached the host");
  world.ClearDefects();
}

TEST_F(ErrorReportTest, MessagesCarryTheProductNameAsTitle) {
  world.message_boxes.QueueAnswer(mb::kNo);
  EXPECT_EQ(ShowMessage(ctx(), "Delete?", mb::kYesNo), mb::kNo);
  EXPECT_EQ(world.message_boxes.shown().back().title, "Pinlet");
  world.faults.FailMember("MsgBox");
  EXPECT_EQ(ShowMessage(ctx(), "Delete?", mb::kYesNo, mb::kNo), mb::kNo);
}

}  // namespace
}  // namespace pinlet
