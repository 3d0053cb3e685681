#include "platform/sim/mailbox_json.h"

#include <gtest/gtest.h>

#include "platform/sim/sample_mailbox.h"
#include "platform/sim/sim_outlook.h"

namespace pinlet::sim {
namespace {

TEST(MailboxJsonTest, EverythingTheObjectModelSeesSurvivesARoundTrip) {
  World world;
  BuildSampleMailbox(world.store, world.clock.now());
  FolderNode* inbox = world.store.default_store()->defaults[6];
  ItemNode& mail = *inbox->items.front();
  mail.user_props.push_back({"ZPNHasNote", 1, Variant("TRUE")});
  mail.mapi_props[kPrFlagStatus] = Variant(int32_t{2});
  mail.attachments.push_back({"a.bin", std::string("\0\x01\xff", 3)});
  inbox->views.push_back({"Items with Notes", 0, "<view/>", 1});
  inbox->current_view = "Items with Notes";
  std::string json = MailboxToJson(world.store);

  MailStore loaded;
  std::string error;
  ASSERT_TRUE(MailboxFromJson(json, loaded, &error)) << error;
  EXPECT_EQ(MailboxToJson(loaded), json);
  auto found = loaded.FindItem(mail.entry_id);
  ASSERT_TRUE(found);
  EXPECT_EQ(found->attachments[0].content, std::string("\0\x01\xff", 3));
  EXPECT_EQ(loaded.FindBySubject(*found->folder, mail.subject), found.get());
  EXPECT_EQ(loaded.default_store()->defaults[3]->name, "Deleted Items");
  // New identifiers never repeat loaded ones.
  EXPECT_FALSE(loaded.FindItem(loaded.NewEntryId()));
}

TEST(MailboxJsonTest, MalformedFilesAreRefusedAndTheStoreKept) {
  MailStore store;
  store.AddStore("Keep", true);
  std::string error;
  for (const char* text :
       {"", "{", "[]", "{\"format\":\"other\"}", "{\"format\":\"pinlet-mailbox\"}",
        "{\"format\":\"pinlet-mailbox\",\"stores\":[{\"name\":1}]}"}) {
    EXPECT_FALSE(MailboxFromJson(text, store, &error)) << text;
    EXPECT_FALSE(error.empty());
  }
  EXPECT_EQ(store.stores().size(), 1u);
  World world;
  BuildSampleMailbox(world.store, world.clock.now());
  std::string json = MailboxToJson(world.store);
  std::string id = world.store.default_store()->defaults[6]->items[1]->entry_id;
  std::string first = world.store.default_store()->defaults[6]->items[0]->entry_id;
  json.replace(json.find(id), id.size(), first);  // two items with one EntryID
  EXPECT_FALSE(MailboxFromJson(json, store, &error));
  EXPECT_NE(error.find("duplicate entry_id"), std::string::npos);
}

}  // namespace
}  // namespace pinlet::sim
