#include "store/parent_marking.h"

#include <gmock/gmock.h>

#include "addin/settings.h"
#include "sim/machine/sim_mapi_helpers.h"
#include "store_fixture.h"

namespace pinlet {
namespace {

class ParentMarkingTest : public StoreTest {
 protected:
  void SetUp() override {
    StoreTest::SetUp();
    Start();
  }
  void Option(const char* name, const char* value) {
    WriteText(world.registry, kNoteKey, name, value);
  }
  int32_t MapiProp(const ol::ItemPtr& item, uint32_t tag) {
    auto node = sim::NodeOf(item);
    auto it = node->mapi_props.find(tag);
    return it == node->mapi_props.end() ? -1 : ToLong(it->second);
  }
  void UserFlag(const ol::ItemPtr& mail) {
    mail->Put("FlagStatus", Variant(int32_t{2}));
    mail->Put("FlagIcon", Variant(int32_t{5}));
    mail->Put("FlagRequest", Variant("Call back"));
    mail->Save();
  }
};

TEST_F(ParentMarkingTest, MarkingSetsTheMarkerAndSavesOnlyWhenSomethingChanged) {
  auto mail = InboxItem(1);
  Date before = mail->LastModificationTime();
  world.clock.AdvanceSeconds(60);
  SetParentItemProperties(ctx(), mail, true);
  EXPECT_FALSE(ctx().item_update);  // held only while it wrote
  EXPECT_EQ(Prop(mail, "ZPNHasNote"), "TRUE");
  EXPECT_EQ(Prop(mail, "ZPNFlag"), "(none)");
  Date saved = mail->LastModificationTime();
  EXPECT_FALSE(saved == before);
  world.clock.AdvanceSeconds(60);
  SetParentItemProperties(ctx(), mail, true);  // nothing to change: no save
  EXPECT_EQ(mail->LastModificationTime(), saved);
  SetParentItemProperties(ctx(), mail, false);
  EXPECT_EQ(Prop(mail, "ZPNHasNote"), "FALSE");  // kept, not removed
  Date unmarked = mail->LastModificationTime();
  world.clock.AdvanceSeconds(60);
  SetParentItemProperties(ctx(), mail, false);  // already FALSE: nothing happens
  EXPECT_EQ(mail->LastModificationTime(), unmarked);
  EXPECT_THAT(Node(Inbox())->user_fields, ::testing::Contains("ZPNHasNote"));
}

TEST_F(ParentMarkingTest, AnUnmarkedItemWithoutTheMarkerStaysWithout) {
  auto mail = InboxItem(2);
  SetParentItemProperties(ctx(), mail, false);
  EXPECT_EQ(Prop(mail, "ZPNHasNote"), "(none)");
}

TEST_F(ParentMarkingTest, FlaggingAMailUsesItsFlagMembersAndUnmarkingClearsThem) {
  Option("MarkWithFlag", "1");
  Option("FlagIndex", "4");
  auto mail = InboxItem(3);
  SetParentItemProperties(ctx(), mail, true);
  EXPECT_EQ(mail->Get("FlagStatus"), Variant(int32_t{2}));
  EXPECT_EQ(mail->Get("FlagIcon"), Variant(int32_t{4}));
  EXPECT_EQ(mail->Get("FlagRequest"), Variant("Item with note"));
  EXPECT_EQ(Prop(mail, "ZPNFlag"), "TRUE");
  SetParentItemProperties(ctx(), mail, false);
  EXPECT_EQ(mail->Get("FlagStatus"), Variant(int32_t{0}));
  EXPECT_EQ(mail->Get("FlagIcon"), Variant(int32_t{0}));
  EXPECT_EQ(mail->Get("FlagRequest"), Variant(""));
  EXPECT_EQ(Prop(mail, "ZPNFlag"), "(none)");
}

TEST_F(ParentMarkingTest, TheUsersOwnFlagStaysUnlessOverwriteIsOn) {
  Option("MarkWithFlag", "1");
  Option("FlagIndex", "6");
  auto mail = InboxItem(4);
  UserFlag(mail);
  SetParentItemProperties(ctx(), mail, true);
  EXPECT_EQ(Prop(mail, "ZPNHasNote"), "TRUE");
  EXPECT_EQ(Prop(mail, "ZPNFlag"), "(none)");
  EXPECT_EQ(mail->Get("FlagIcon"), Variant(int32_t{5}));
  SetParentItemProperties(ctx(), mail, false);
  EXPECT_EQ(mail->Get("FlagStatus"), Variant(int32_t{2}));
  EXPECT_EQ(mail->Get("FlagRequest"), Variant("Call back"));

  Option("OverwriteFlag", "1");
  auto other = InboxItem(5);
  UserFlag(other);
  SetParentItemProperties(ctx(), other, true);
  EXPECT_EQ(other->Get("FlagIcon"), Variant(int32_t{6}));
  EXPECT_EQ(other->Get("FlagRequest"), Variant("Item with note"));
  EXPECT_EQ(Prop(other, "ZPNFlag"), "TRUE");
  SetParentItemProperties(ctx(), other, false);
  EXPECT_EQ(other->Get("FlagStatus"), Variant(int32_t{0}));
}

TEST_F(ParentMarkingTest, OtherClassesAreFlaggedThroughTheMapiProperties) {
  Option("MarkWithFlag", "1");
  Option("FlagIndex", "2");
  for (int folder : {ol::kFolderCalendar, ol::kFolderContacts}) {
    auto item = ns()->GetDefaultFolder(folder)->Items()->Item(1);
    SetParentItemProperties(ctx(), item, true);
    EXPECT_EQ(MapiProp(item, kPrFlagStatus), 2);
    EXPECT_EQ(MapiProp(item, kPrFlagIcon), 2);
    SetParentItemProperties(ctx(), item, false);
    EXPECT_EQ(MapiProp(item, kPrFlagStatus), 0);
    EXPECT_EQ(MapiProp(item, kPrFlagIcon), 0);
  }
  auto contact = ns()->GetDefaultFolder(ol::kFolderContacts)->Items()->Item(1);
  EXPECT_EQ(contact->Get("FlagRequest"), Variant(""));
}

TEST_F(ParentMarkingTest, WithoutRedemptionOnlyMailIsFlaggedAndTheUserIsToldOnce) {
  Option("MarkWithFlag", "1");
  Option("FlagIndex", "3");
  static_cast<sim::SimObjectFactory&>(*world.objects).redemption_installed = false;
  world.message_boxes.QueueAnswer(mb::kOk, "Redemption");
  // A mail's flag is read and written through its own members: the user's
  // flag is still seen and kept, an unflagged mail gets the add-in's.
  auto flagged = InboxItem(4);
  UserFlag(flagged);
  SetParentItemProperties(ctx(), flagged, true);
  EXPECT_EQ(Prop(flagged, "ZPNFlag"), "(none)");
  EXPECT_EQ(flagged->Get("FlagIcon"), Variant(int32_t{5}));
  auto mail = InboxItem(5);
  SetParentItemProperties(ctx(), mail, true);
  EXPECT_EQ(mail->Get("FlagStatus"), Variant(int32_t{2}));
  EXPECT_EQ(mail->Get("FlagIcon"), Variant(int32_t{3}));
  EXPECT_EQ(Prop(mail, "ZPNFlag"), "TRUE");
  EXPECT_TRUE(world.message_boxes.shown().empty());
  // Other items are marked but not flagged, nor claimed to be.
  for (int i : {1, 2}) {
    auto contact = ns()->GetDefaultFolder(ol::kFolderContacts)->Items()->Item(i);
    SetParentItemProperties(ctx(), contact, true);
    EXPECT_EQ(Prop(contact, "ZPNHasNote"), "TRUE");
    EXPECT_EQ(Prop(contact, "ZPNFlag"), "(none)");
    EXPECT_EQ(MapiProp(contact, kPrFlagStatus), -1);
    EXPECT_EQ(contact->Get("FlagRequest"), Variant(""));
  }
  ASSERT_EQ(world.message_boxes.shown().size(), 1u);
  EXPECT_THAT(world.message_boxes.shown()[0].text,
              ::testing::HasSubstr("www.dimastr.com/redemption"));
}

TEST_F(ParentMarkingTest, FlagIndexThatIsNotAByteGivesNoColour) {
  Option("MarkWithFlag", "1");
  for (const char* index : {"red", "300", "-1"}) {
    auto mail = Inbox()->Items()->Add(ol::kMailItem);
    mail->Save();
    Option("FlagIndex", index);
    SetParentItemProperties(ctx(), mail, true);
    EXPECT_EQ(mail->Get("FlagStatus"), Variant(int32_t{2})) << index;
    EXPECT_EQ(mail->Get("FlagIcon"), Variant(int32_t{0})) << index;
  }
}

TEST_F(ParentMarkingTest, DocumentsAreMarkedThroughCdoFields) {
  auto doc = Inbox()->Items()->Add(std::string_view("IPM.Document.Word.Document.8"));
  doc->Save();
  Option("MarkWithFlag", "1");
  SetParentItemProperties(ctx(), doc, true);
  auto node = sim::NodeOf(doc);
  ASSERT_TRUE(node->FindProp("ZPNHasNote"));
  EXPECT_EQ(node->FindProp("ZPNHasNote")->value, Variant("TRUE"));
  EXPECT_EQ(node->FindProp("ZPNFlag")->value, Variant("TRUE"));
  EXPECT_EQ(MapiProp(doc, kPrFlagStatus), 2);
  SetParentItemProperties(ctx(), doc, false);
  EXPECT_EQ(node->FindProp("ZPNHasNote")->value, Variant("FALSE"));
  EXPECT_EQ(node->FindProp("ZPNFlag"), nullptr);
  EXPECT_EQ(MapiProp(doc, kPrFlagStatus), 0);
  SetParentItemProperties(ctx(), doc, true);  // marked again, flagged again
  EXPECT_EQ(MapiProp(doc, kPrFlagStatus), 2);
}

TEST_F(ParentMarkingTest, WhileANoteLoadsItsParentIsLeftAlone) {
  auto mail = InboxItem(6);
  ctx().note_loading = true;
  SetParentItemProperties(ctx(), mail, true);
  EXPECT_EQ(Prop(mail, "ZPNHasNote"), "(none)");
  EXPECT_FALSE(ctx().item_update);
}

TEST_F(ParentMarkingTest, AWriterInsideAnotherLeavesTheOuterWritersFlagSet) {
  auto mail = InboxItem(6);
  {
    ItemUpdateScope outer(ctx());
    SetParentItemProperties(ctx(), mail, true);
    EXPECT_TRUE(ctx().item_update);
    {
      FlagScope refreshing(ctx().note_refresh);
      SetParentItemProperties(ctx(), mail, false);
    }
    EXPECT_TRUE(ctx().item_update);
    EXPECT_FALSE(ctx().note_refresh);
  }
  EXPECT_FALSE(ctx().item_update);
  EXPECT_EQ(Prop(mail, "ZPNHasNote"), "FALSE");
}

TEST_F(ParentMarkingTest, AnItemThatRefusesEverythingIsLeftAsFarAsItGot) {
  Option("MarkWithFlag", "1");
  auto mail = InboxItem(7);
  world.faults.FailMember("Item.Save");
  world.faults.FailMember("CreateObject Redemption.MAPIUtils");
  EXPECT_NO_THROW(SetParentItemProperties(ctx(), mail, true));
  world.faults.Clear();
  EXPECT_EQ(Prop(mail, "ZPNHasNote"), "TRUE");  // set in memory, never saved
}

}  // namespace
}  // namespace pinlet
