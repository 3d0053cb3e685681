// Word's objects across COM, when Word is Outlook's e-mail editor: the
// application with WindowActivate, its command bars and customization
// context, its windows, documents and envelopes.
#include "com_fixture.h"
#include "platform/com/com_word.h"
#include "sim/machine/sim_word.h"

namespace pinlet::com {
namespace {

using Answers = std::vector<std::string>;

// Opens a Word-edited mail and reads what WindowActivate brings.
void WordSteps(word::Application& word, SimHost& sim, Answers& out) {
  sim.outlook->set_word_mail_editor(true);
  out.push_back(word.Name() + "|" + word.Version() + "|" +
                std::to_string(word.WindowsCount()) + "|" +
                std::to_string(word.GetCOMAddIns()->Count()));
  // One subscription: a second would be one more Advise linked in, and none
  // over COM, where the client's sink is connected once.
  word::CustomizationContextPtr normal;
  bool second = false;
  Subscription activate =
      word.OnWindowActivate([&](word::DocumentPtr doc, word::WindowPtr window) {
        out.push_back(doc->Name() + "|" + window->Caption() + "|" +
                      doc->MailEnvelope()->Item()->Subject() + "|" +
                      window->Document()->Name() + "|" +
                      doc->MailEnvelope()->CommandBars()->Item("E-mail")->Name() + "|" +
                      doc->CommandBars()->Item("Formatting")->Name());
        if (!second) return;
        // The mail's document as the context, and the template back.
        word.SetCustomizationContext(doc);
        out.push_back(word.GetCustomizationContext()->Name());
        word.SetCustomizationContext(normal);
        out.push_back(word.GetCustomizationContext()->Name());
      });
  out.push_back(word.CommandBars()->Item("Standard")->Name() + "|" +
                word.GetCustomizationContext()->Name());
  auto inspector = sim.outlook->OpenItem(sim.Default(ol::kFolderInbox)->items.front());
  out.push_back(std::to_string(word.WindowsCount()));
  normal = word.GetCustomizationContext();
  second = true;
  sim.outlook->ActivateInspector(sim.outlook->OpenItem(
      sim.Default(ol::kFolderInbox)->items.back()));
  sim.outlook->CloseInspector(inspector);
  out.push_back(std::to_string(word.WindowsCount()));
}

TEST_F(ComObjectsTest, WordMembersAndWindowActivateAnswerAsTheHost) {
  SimHost direct, over_com;
  Answers direct_answers, com_answers;
  {
    auto word = std::make_shared<sim::SimWord>(&direct.world);
    WordSteps(*word, direct, direct_answers);
  }
  {
    auto word = std::make_shared<sim::SimWord>(&over_com.world);
    WordSteps(*Client<word::Application>(word), over_com, com_answers);
  }
  EXPECT_EQ(direct_answers, com_answers);
  EXPECT_EQ(direct.Calls(), over_com.Calls());
  EXPECT_EQ(com_answers.size(), 8u);  // the events came through
}

TEST_F(ComObjectsTest, WordIsToldApartFromOutlookWithoutACall) {
  auto word = std::make_shared<sim::SimWord>(&host.world);
  host.outlook->set_word_mail_editor(true);
  word::WindowPtr window;
  Subscription activate = Client<word::Application>(word)->OnWindowActivate(
      [&](word::DocumentPtr, word::WindowPtr wn) { window = wn; });
  host.outlook->OpenItem(host.Default(ol::kFolderInbox)->items.front());
  ASSERT_TRUE(window);
  int64_t before = host.count();
  auto as_host = ToPlatform<HostApplication>(ToDispatch<HostApplication>(word));
  EXPECT_TRUE(std::dynamic_pointer_cast<word::Application>(as_host));
  EXPECT_FALSE(std::dynamic_pointer_cast<ol::Application>(as_host));
  // A Word window handed back is the same window, and no Outlook window.
  auto as_window = ToPlatform<word::Window>(ToDispatch(window));
  EXPECT_EQ(as_window, window);
  EXPECT_FALSE(std::dynamic_pointer_cast<ol::Inspector>(as_window));
  EXPECT_EQ(host.count(), before);
  activate.Reset();
  window.reset();
  as_window.reset();
}

TEST_F(ComObjectsTest, AClosedWordWindowRaisesThroughItsClient) {
  auto word = std::make_shared<sim::SimWord>(&host.world);
  host.outlook->set_word_mail_editor(true);
  word::WindowPtr window;
  {
    Subscription activate = Client<word::Application>(word)->OnWindowActivate(
        [&](word::DocumentPtr, word::WindowPtr wn) { window = wn; });
    host.outlook->OpenItem(host.Default(ol::kFolderInbox)->items.front());
  }
  ASSERT_TRUE(window);
  host.outlook->CloseInspector(host.outlook->inspectors().front());
  EXPECT_EQ(ErrorOf([&] { window->Caption(); }),
            "error " + std::to_string(errors::kOperationFailed));
  window.reset();
}

}  // namespace
}  // namespace pinlet::com
