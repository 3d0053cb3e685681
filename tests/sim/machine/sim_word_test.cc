// The simulated Word beside the simulated Outlook: its mail windows follow
// Outlook's Word-edited item windows, and the running Outlook is found
// through the platform.
#include "sim/machine/sim_word.h"

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
  EXPECT_EQ(windows[0]->Document()->MailEnvelope()->CommandBars(), first->CommandBars());
  EXPECT_TRUE(windows[0]->Document()->MailEnvelope()->Item()->IsSameObject(mail));
  EXPECT_FALSE(windows[0]->Document()->MailEnvelope()->Item()->IsSameObject(
      second->CurrentItem()));

  outlook->CloseInspector(first);
  EXPECT_EQ(word->WindowsCount(), 1);
  EXPECT_THROW(windows[0]->Caption(), HostError);
  (void)contact;
}

TEST_F(SimWordTest, BarsAreWordsAndTheEnvelopesAndChangesGoToTheCustomizationContext) {
  outlook->OpenInspector(NewMail("Plans"));
  ASSERT_EQ(windows.size(), 1u);
  word::DocumentPtr doc = windows[0]->Document();
  // Word's own bars, which documents show too; the envelope's are the mail window's.
  office::CommandBarsPtr app_bars = word->CommandBars();
  EXPECT_EQ(doc->CommandBars(), app_bars);
  EXPECT_EQ(app_bars->Item("Formatting")->Name(), "Formatting");
  EXPECT_THROW(app_bars->Item("E-mail"), HostError);
  office::CommandBarsPtr envelope = doc->MailEnvelope()->CommandBars();
  EXPECT_EQ(envelope->Item("E-mail")->Name(), "E-mail");
  EXPECT_THROW(envelope->Item("Formatting"), HostError);
  EXPECT_EQ(word->GetCustomizationContext()->Name(), "Normal.dot");
  EXPECT_TRUE(word->normal_dot().saved);

  // With the mail's document as the context, Normal.dot is untouched.
  word::CustomizationContextPtr normal = word->GetCustomizationContext();
  word->SetCustomizationContext(doc);
  envelope->Item("Standard")->Controls()->Add(office::kControlButton, 1, std::nullopt,
                                              false)->SetCaption("Kept in the mail");
  word->SetCustomizationContext(normal);
  EXPECT_TRUE(word->normal_dot().saved);
  EXPECT_THROW(word->SetCustomizationContext(nullptr), HostError);

  // With Normal.dot as the context, a temporary change marks it changed;
  // a lasting one is kept in it, whichever of Word's bars it is on.
  auto temporary = envelope->Item("Standard")->Controls()->Add(office::kControlButton, 1,
                                                               std::nullopt, true);
  EXPECT_FALSE(word->normal_dot().saved);
  EXPECT_TRUE(word->normal_dot().customizations.empty());
  temporary->SetCaption("Temporary");
  EXPECT_TRUE(word->normal_dot().customizations.empty());
  app_bars->Item("Standard")->Controls()->Add()->SetCaption("Everywhere");
  EXPECT_EQ(word->normal_dot().customizations,
            (std::vector<std::string>{"Standard: control 13 added",
                                      "Standard/Everywhere changed"}));
  // Outlook's own windows are no business of Word's.
  outlook->OpenExplorer()->CommandBars()->Item("Standard")->Controls()->Add();
  EXPECT_EQ(word->normal_dot().customizations.size(), 2u);
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
