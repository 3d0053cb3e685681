// The simulated Word beside the simulated Outlook: its mail windows follow
// Outlook's Word-edited item windows, and the running Outlook is found
// through the platform.
#include "platform/sim/sim_word.h"

#include <gmock/gmock.h>

#include "sim_fixture.h"

namespace pinlet::sim {
namespace {

class SimWordTest : public SimTest {
 protected:
  SimWordTest() : word(std::make_shared<SimWord>(&world)) {
    outlook->set_word_mail_editor(true);
    activations =
        word->OnWindowActivate([this](word::DocumentPtr doc, word::WindowPtr wn) {
          seen.push_back(doc->Name() + " | " + wn->Caption() + " | " +
                         doc->MailEnvelope()->Item()->Subject());
          windows.push_back(wn);
        });
  }
  std::shared_ptr<SimWord> word;
  Subscription activations;
  std::vector<std::string> seen;
  std::vector<word::WindowPtr> windows;
};

TEST_F(SimWordTest, WordEditedMailWindowsAreWordWindowsSharingTheirBars) {
  ol::ItemPtr mail = NewMail("Plans");
  auto first = outlook->OpenInspector(mail);
  auto contact = outlook->OpenInspector(
      Default(ol::kFolderContacts)->Items()->Add(ol::kContactItem));
  auto second = outlook->OpenInspector(NewMail("Budget"));
  // Only mail windows are Word's; each activation is reported, once.
  EXPECT_THAT(seen,
              ::testing::ElementsAre("Plans | Plans - Message (Plain Text) | Plans",
                                     "Budget | Budget - Message (Plain Text) | Budget"));
  EXPECT_EQ(word->WindowsCount(), 2);
  outlook->ActivateInspector(first);
  ASSERT_EQ(windows.size(), 3u);
  EXPECT_EQ(windows[2], windows[0]);
  EXPECT_EQ(windows[0]->CommandBars(), first->CommandBars());
  EXPECT_TRUE(windows[0]->Document()->MailEnvelope()->Item()->IsSameObject(mail));
  EXPECT_FALSE(windows[0]->Document()->MailEnvelope()->Item()->IsSameObject(
      second->CurrentItem()));

  outlook->CloseInspector(first);
  EXPECT_EQ(word->WindowsCount(), 1);
  EXPECT_THROW(windows[0]->Caption(), HostError);
  (void)contact;
}

TEST_F(SimWordTest, TheRunningOutlookIsFoundThroughThePlatform) {
  Platform platform = world.platform();
  EXPECT_EQ(platform.get_active_object("Outlook.Application"), outlook);
  EXPECT_EQ(platform.get_active_object("Word.Application"), nullptr);
  world.faults.FailMember("GetActiveObject");
  EXPECT_EQ(platform.get_active_object("Outlook.Application"), nullptr);
  world.faults.Clear();
  outlook.reset();
  EXPECT_EQ(platform.get_active_object("Outlook.Application"), nullptr);
}

}  // namespace
}  // namespace pinlet::sim
