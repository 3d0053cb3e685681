// Outlook's object model guard as the simulated Outlook 2002 and 2003 apply
// it: which reads ask, in which box, what a No does, and what never asks.
#include "sim/machine/object_model_guard.h"

#include <gmock/gmock.h>

#include "platform/mapi_helpers.h"
#include "platform/windows.h"
#include "sim_fixture.h"

namespace pinlet::sim {
namespace {

using ::testing::HasSubstr;

class ObjectModelGuardTest : public SimTest {
 protected:
  // A received mail from Dana to Pat, with a body; saved.
  ol::ItemPtr Mail() {
    ol::ItemPtr mail = NewMail("Rota");
    FaultInjector::Pause pause(world.faults);
    mail->Put("To", Variant("Pat Kelly"));
    mail->Put("Body", Variant("See you at nine."));
    mail->Save();
    NodeOf(mail)->members["SenderName"] = Variant("Dana Whitfield");
    return mail;
  }
  size_t Prompts() const {
    size_t n = 0;
    for (const auto& box : world.message_boxes.shown())
      if (box.text == kAddressPrompt) ++n;
    return n;
  }
};

TEST_F(ObjectModelGuardTest, Outlook2002AsksBeforeEveryAddressAndNotBeforeABody) {
  outlook->set_version("10.0.0.6626");
  ol::ItemPtr mail = Mail();
  world.message_boxes.QueueAnswer(mb::kYes);
  EXPECT_EQ(ToText(mail->Get("To")), "Pat Kelly");
  ASSERT_EQ(Prompts(), 1u);
  const auto& box = world.message_boxes.shown().back();
  EXPECT_EQ(box.title, "Microsoft Outlook");
  EXPECT_EQ(box.style & 0xF, mb::kYesNo);
  EXPECT_TRUE(box.answered);

  // No: the read fails as Outlook fails it, and nothing is read.
  world.message_boxes.QueueAnswer(mb::kNo);
  try {
    mail->Get("SenderName");
    ADD_FAILURE() << "a refused read answered";
  } catch (const HostError& e) {
    EXPECT_EQ(e.number(), kGuardRefused);
  }
  // Outlook 2002 guards no body, and no write.
  EXPECT_EQ(ToText(mail->Get("Body")), "See you at nine.");
  mail->Put("CC", Variant("Tom Becker"));
  EXPECT_EQ(Prompts(), 2u);

  // An address read through Outlook's recipients asks; Redemption's never.
  world.message_boxes.QueueAnswer(mb::kYes);
  world.message_boxes.QueueAnswer(mb::kYes);
  ol::RecipientPtr first = mail->Recipients()->Item(1);
  EXPECT_EQ(Prompts(), 3u);
  first->Address();
  auto safe = world.objects->CreateSafeMailItem();
  safe->SetItem(mail);
  safe->Recipients()->Item(1)->Address();
  EXPECT_EQ(safe->SenderName(), "Dana Whitfield");
  EXPECT_EQ(Prompts(), 4u);
  EXPECT_EQ(world.message_boxes.queued_answers(), 0u);
}

TEST_F(ObjectModelGuardTest, Outlook2003AsksOnlyOutsideItsTrustAndGuardsBodiesThere) {
  ol::ItemPtr mail = Mail();  // derived from the Application: trusted
  EXPECT_EQ(ToText(mail->Get("To")), "Pat Kelly");
  EXPECT_EQ(ToText(mail->Get("Body")), "See you at nine.");
  EXPECT_EQ(ToText(mail->Get("HTMLBody")), "");
  EXPECT_EQ(Prompts(), 0u);

  ol::ItemPtr untrusted = WrapUntrustedObject(&world, ObjectOf(mail));
  for (const char* member : {"Body", "HTMLBody", "To"}) {
    world.message_boxes.QueueAnswer(mb::kYes);
    untrusted->Get(member);
  }
  EXPECT_EQ(Prompts(), 3u);
  EXPECT_EQ(world.message_boxes.shown().back().title, "Microsoft Office Outlook");
  // Its subject and its answers' subjects are no address.
  EXPECT_EQ(untrusted->Subject(), "Rota");
  ol::ItemPtr reply = untrusted->Reply();
  world.message_boxes.QueueAnswer(mb::kNo);
  EXPECT_THROW(reply->Get("Body"), HostError);  // an answer stays outside the trust
  EXPECT_EQ(Prompts(), 4u);
}

TEST_F(ObjectModelGuardTest, ABoxNobodyAnswersIsADefectAndTheHostsOwnWorkNeverAsks) {
  outlook->set_version("10.0.0.6626");
  ol::ItemPtr mail = Mail();
  {
    FaultInjector::Pause pause(world.faults);
    EXPECT_EQ(ToText(mail->Get("To")), "Pat Kelly");
  }
  EXPECT_EQ(Prompts(), 0u);
  EXPECT_THROW(mail->Get("To"), HostError);  // the default button is No
  std::vector<std::string> defects = TakeDefects();
  ASSERT_EQ(defects.size(), 1u);
  EXPECT_THAT(defects[0], HasSubstr("A program is trying to access e-mail addresses"));
}

TEST_F(ObjectModelGuardTest, CdoGuardsItsAddressFieldsOnEveryVersion) {
  EXPECT_TRUE(IsCdoGuardedField("&H0C1A001E"));  // PR_SENDER_NAME
  EXPECT_TRUE(IsCdoGuardedField("0x0E04001E"));  // PR_DISPLAY_TO
  EXPECT_FALSE(IsCdoGuardedField("ZPNHasNote"));
  EXPECT_FALSE(IsCdoGuardedField("&H0037001E"));  // PR_SUBJECT
  ol::ItemPtr mail = Mail();
  auto session = world.objects->CreateCdoSession();
  session->Logon(false, false);
  auto message = session->GetMessage(mail->EntryID(), mail->Parent()->StoreID());
  // Outlook 2003 trusts the add-in's own objects; CDO asks all the same.
  world.message_boxes.QueueAnswer(mb::kNo);
  try {
    message->Fields()->Item("&H0C1A001E");
    ADD_FAILURE();
  } catch (const HostError& e) {
    EXPECT_EQ(e.number(), kCdoGuardRefused);
  }
  EXPECT_EQ(Prompts(), 1u);
  EXPECT_THROW(message->Fields()->Item("ZPNHasNote"), HostError);  // absent, unasked
  EXPECT_EQ(Prompts(), 1u);
}

}  // namespace
}  // namespace pinlet::sim
