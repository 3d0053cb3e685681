// A reply or forward with a note always keeps the mail's own content: when
// Pinlet cannot build its mail with all of it, Outlook's answer stays and the
// user is told; the files travel through folders of Pinlet's own, never the
// user's, and under names short enough for their path.
#include <gmock/gmock.h>

#include "inspector/attachment_copy.h"
#include "inspector/cls_reply_forward.h"
#include "inspector/note_insertion.h"
#include "inspector_fixture.h"
#include "platform/files.h"
#include "platform/text.h"

namespace pinlet {
namespace {

using ::testing::ElementsAre;
using ::testing::HasSubstr;
using ::testing::IsEmpty;

// The mail with two files of its own, "Hallam contract v2.rtf" and "Price
// schedule.csv".
constexpr size_t kContract = 3;

class ReplyAttachmentsTest : public InspectorTest {
 protected:
  void SetUp() override {
    InspectorTest::SetUp();
    Start();
    SetNote("ReplyForward", "1");
    SetNote("WarningOnNoteInsertion", "0");
    note = AddNoteWith(InboxNode(kContract), "Check clause 7");
    AttachTo(sim::NodeOf(note), "plan.txt", "step 1");
  }
  void AttachTo(const std::shared_ptr<sim::ItemNode>& item, const std::string& name,
                const std::string& bytes) {
    item->attachments.push_back({name, bytes});
  }
  std::vector<std::string> Files(const std::shared_ptr<const sim::ItemContent>& item) {
    std::vector<std::string> out;
    for (auto& a : item->attachments) out.push_back(a.file_name + "=" + a.content);
    return out;
  }
  std::vector<std::string> SourceFiles() { return Files(InboxNode(kContract)); }
  // Forwards the mail with the note as the user does, with the member's
  // nth call from the click on failing (none when `member` is empty).
  std::shared_ptr<sim::SimInspector> Forward(const std::string& member = "",
                                             int nth = 1) {
    Select({InboxNode(kContract)});
    world.message_boxes.QueueAnswer(mb::kOk, "could not be added");
    if (!member.empty()) world.faults.FailMember(member, errors::kOperationFailed, nth);
    return Answer(InboxNode(kContract), "Forward");
  }
  std::string Temp() { return world.install_dir + "Temp\\"; }

  ol::ItemPtr note;
};

TEST_F(ReplyAttachmentsTest, WithNothingFailingTheMailHoldsBothKindsOfFiles) {
  auto mail = Forward();
  ASSERT_TRUE(mail);
  EXPECT_THAT(Member(mail, "Body"), HasSubstr("Check clause 7"));
  std::vector<std::string> want = SourceFiles();
  want.push_back("plan.txt=step 1");
  EXPECT_EQ(Files(NodeOf(mail)), want);
  EXPECT_THAT(Messages(), IsEmpty());
  // Nothing is left behind.
  EXPECT_THAT(world.files.Files(Temp()), IsEmpty());
  EXPECT_FALSE(world.files.IsFolder(Temp()));
}

// Each call on the way that concerns the mail's own content.
class SourceFailureTest : public ReplyAttachmentsTest,
                          public ::testing::WithParamInterface<const char*> {};

TEST_P(SourceFailureTest, LeavesOutlooksForwardWholeAndTellsTheUser) {
  auto mail = Forward(GetParam());
  ASSERT_TRUE(mail);
  ASSERT_EQ(outlook().inspectors().size(), 1u);
  // Outlook's own forward, with both of the mail's files and no note.
  EXPECT_EQ(NodeOf(mail)->subject, "FW: Draft contract for Hallam & Sons");
  EXPECT_EQ(Files(NodeOf(mail)), SourceFiles());
  EXPECT_THAT(Member(mail, "Body"), ::testing::Not(HasSubstr("Check clause 7")));
  ASSERT_EQ(world.message_boxes.shown().size(), 1u);
  EXPECT_EQ(world.message_boxes.shown()[0].text, kNoteNotAddedMessage);
  EXPECT_EQ(world.message_boxes.shown()[0].title, "Pinlet");
  EXPECT_THAT(Logged(), testing::Contains(HasSubstr("clsInspectors(Sub objMail_Open)")));
  EXPECT_THAT(world.files.Files(Temp()), IsEmpty());
}

INSTANTIATE_TEST_SUITE_P(EachCall, SourceFailureTest,
                         ::testing::Values("Item.Attachments", "Attachments.Count",
                                           "CreateDirectory", "Attachments.Item",
                                           "Attachment.FileName", "Attachment.SaveAsFile",
                                           "Attachments.Add", "Item.Subject",
                                           "Item.Display"));

TEST_F(ReplyAttachmentsTest, ANoteFileThatFailsLeavesTheMailsFilesAndTellsTheUser) {
  // The third file saved is the note's.
  auto mail = Forward("Attachment.SaveAsFile", 3);
  ASSERT_TRUE(mail);
  EXPECT_THAT(Member(mail, "Body"), HasSubstr("Check clause 7"));
  EXPECT_EQ(Files(NodeOf(mail)), SourceFiles());
  EXPECT_THAT(Messages(), ElementsAre(kNotePartlyAddedMessage));
}

TEST_F(ReplyAttachmentsTest, InButtonModeAFailureKeepsTheForwardOpen) {
  SetNote("ReplyForward", "0");
  auto forward = Forward();
  ASSERT_TRUE(forward);
  world.faults.FailMember("Attachments.Add", errors::kOperationFailed, 1);
  ClickIn(forward, "Insert Note");
  ASSERT_EQ(outlook().inspectors().size(), 1u);
  EXPECT_EQ(outlook().inspectors()[0], forward);
  EXPECT_EQ(Files(NodeOf(forward)), SourceFiles());
  EXPECT_TRUE(InspectorControl(forward, "Insert Note"));
  EXPECT_THAT(Messages(), ElementsAre(kNoteNotAddedMessage));
  // Tried again, it goes in, and only then does the forward close.
  ClickIn(forward, "Insert Note");
  ASSERT_EQ(outlook().inspectors().size(), 1u);
  EXPECT_NE(outlook().inspectors()[0], forward);
  EXPECT_EQ(Files(NodeOf(outlook().inspectors()[0])).size(), 3u);
}

TEST_F(ReplyAttachmentsTest, TheUsersFilesAndFoldersInTempAreNeverTouched) {
  // A folder where the first file would go, and the user's own file where
  // the second would.
  ASSERT_EQ(world.files.MakeFolders(Temp() + "1\\Hallam contract v2.rtf"),
            sim::FsError::kNone);
  ASSERT_EQ(world.files.Store(Temp() + "2\\Price schedule.csv", "mine"),
            sim::FsError::kNone);
  ASSERT_EQ(world.files.Store(Temp() + "3", "a file"), sim::FsError::kNone);
  auto mail = Forward();
  ASSERT_TRUE(mail);
  std::vector<std::string> want = SourceFiles();
  want.push_back("plan.txt=step 1");
  EXPECT_EQ(Files(NodeOf(mail)), want);
  EXPECT_THAT(Messages(), IsEmpty());
  EXPECT_EQ(world.files.Peek(Temp() + "2\\Price schedule.csv"), "mine");
  EXPECT_TRUE(world.files.IsFolder(Temp() + "1\\Hallam contract v2.rtf"));
  EXPECT_EQ(world.files.Peek(Temp() + "3"), "a file");
  EXPECT_EQ(world.files.Files(Temp()).size(), 2u);
}

TEST_F(ReplyAttachmentsTest, LongNamesAreShortenedToFitThePathAndKeepTheirExtension) {
  const std::string long_a = std::string(246, 'a') + ".txt";
  const std::string long_b = std::string(246, 'b') + ".csv";
  AttachTo(InboxNode(kContract), long_a, "mail a");
  AttachTo(sim::NodeOf(note), long_b, "note b");
  auto mail = Forward();
  ASSERT_TRUE(mail);
  const auto& got = NodeOf(mail)->attachments;
  ASSERT_EQ(got.size(), 5u);
  EXPECT_EQ(got[2].content, "mail a");
  EXPECT_EQ(got[4].content, "note b");
  for (size_t i : {2, 4}) {
    const std::string& name = got[i].file_name;
    EXPECT_LT(name.size(), 246u);
    EXPECT_EQ(name.substr(name.size() - 4), i == 2 ? ".txt" : ".csv");
    // The longest it could be: its folder and it fill the longest path.
    EXPECT_EQ((Temp() + "1\\" + name).size(), kMaxPathLength);
  }
  EXPECT_THAT(Messages(), IsEmpty());
}

TEST_F(ReplyAttachmentsTest, ACopyFailsWhenEveryFreshFolderIsTaken) {
  for (int n = 1; n <= 100; ++n)
    ASSERT_EQ(world.files.MakeFolders(Temp() + std::to_string(n)), sim::FsError::kNone);
  sim::FaultInjector::Pause pause(world.faults);
  ol::ItemPtr to = sim::WrapItem(&world, InboxNode(0));
  EXPECT_FALSE(CopyAttachmentsThrough(ctx(), note, to, Temp()));
  EXPECT_TRUE(
      CopyAttachmentsThrough(ctx(), sim::WrapItem(&world, InboxNode(1)), to, Temp()));
}

}  // namespace
}  // namespace pinlet
