// The mailbox file: what it keeps, and how a malformed or hostile file is refused.
#include "sim/machine/mailbox_json.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <nlohmann/json.hpp>

#include "sim/machine/sample_mailbox.h"
#include "sim/machine/sim_outlook.h"

namespace pinlet::sim {
namespace {

using nlohmann::json;

std::string ToJson(const MailStore& store) {
  std::string text, error;
  EXPECT_TRUE(MailboxToJson(store, text, &error)) << error;
  return text;
}

// The error for `text`, checking that a refused file leaves the store as it was.
std::string Refusal(const std::string& text) {
  MailStore store;
  store.AddStore("Keep", true);
  std::string error;
  EXPECT_FALSE(MailboxFromJson(text, store, &error)) << text.substr(0, 200);
  EXPECT_EQ(store.stores().size(), 1u);
  EXPECT_EQ(store.stores()[0]->name, "Keep");
  return error;
}

// A small mailbox: one store, its root folder with one subfolder and one item.
json Minimal() {
  json item = {{"class", 43},
               {"message_class", "IPM.Note"},
               {"subject", "Hi"},
               {"entry_id", "00000000000000000000000000000007"},
               {"members", json::object()}};
  json sub = {
      {"name", "Sub"},          {"entry_id", "F2"},       {"kind", 6},
      {"views", json::array()}, {"items", json::array()}, {"folders", json::array()}};
  json root = {{"name", "Mailbox"},      {"entry_id", "F1"}, {"kind", 6},
               {"views", json::array()}, {"items", {item}},  {"folders", {sub}}};
  return {{"format", "pinlet-mailbox"},
          {"version", 1},
          {"next_id", 10},
          {"stores", {{{"name", "Mailbox"}, {"store_id", "5101"}, {"root", root}}}}};
}

std::string With(const std::function<void(json&)>& change) {
  json j = Minimal();
  change(j);
  return j.dump();
}

json& Item(json& j) { return j["stores"][0]["root"]["items"][0]; }

TEST(MailboxJsonTest, EverythingTheObjectModelSeesSurvivesARoundTrip) {
  World world;
  BuildSampleMailbox(world.store, world.clock.now());
  FolderNode* inbox = world.store.default_store()->defaults[6];
  ItemNode& mail = *inbox->items.front();
  mail.user_props.push_back({"ZPNHasNote", 1, Variant("TRUE")});
  mail.user_props.push_back({"Reminder", 5, Variant(Date::FromParts(2027, 1, 2, 9, 30))});
  mail.user_props.push_back({"Ratio", 3, Variant(0.1)});
  mail.mapi_props[kPrFlagStatus] = Variant(int32_t{2});
  mail.mapi_props[0xFFFFFFFF] = Variant("highest tag");
  mail.members["Empty"] = Variant();
  mail.attachments.push_back({"a.bin", std::string("\0\x01\xff", 3)});
  mail.attachments.push_back({"link.txt", "", "Linked", "C:\\link.txt", 4});
  mail.recipients.push_back(std::make_shared<RecipientNode>(
      RecipientNode{"Dana", "dana@example.com", 2, true}));
  inbox->description = "Mail received";
  inbox->views.push_back({"Items with Notes", 0, "<view/>", 1});
  inbox->current_view = "Items with Notes";
  const std::string text = ToJson(world.store);
  // Laid out as files were before: one blank of indentation, keys sorted.
  EXPECT_EQ(json::parse(text).dump(1) + "\n", text);

  MailStore loaded;
  std::string error;
  ASSERT_TRUE(MailboxFromJson(text, loaded, &error)) << error;
  EXPECT_EQ(ToJson(loaded), text);
  auto found = loaded.FindItem(mail.entry_id);
  ASSERT_TRUE(found);
  EXPECT_EQ(found->attachments[0].content, std::string("\0\x01\xff", 3));
  const AttachmentNode& link = found->attachments.back();
  EXPECT_EQ(link.path_name + link.display_name + std::to_string(link.type),
            "C:\\link.txtLinked4");
  EXPECT_EQ(found->recipients.back()->address, "dana@example.com");
  EXPECT_TRUE(found->recipients.back()->resolved);
  EXPECT_EQ(found->folder->description, "Mail received");
  EXPECT_EQ(found->user_props[1].value, Variant(Date::FromParts(2027, 1, 2, 9, 30)));
  EXPECT_EQ(found->mapi_props[0xFFFFFFFF], Variant("highest tag"));
  EXPECT_EQ(loaded.FindBySubject(*found->folder, mail.subject), found.get());
  EXPECT_EQ(loaded.default_store()->defaults[3]->name, "Deleted Items");
  EXPECT_EQ(loaded.default_store()->defaults[3]->store, loaded.default_store());
  // New identifiers never repeat loaded ones.
  EXPECT_FALSE(loaded.FindItem(loaded.NewEntryId()));
  // The kinds of stores, and what moves keep of an item.
  EXPECT_EQ(loaded.default_store()->kind, StoreKind::kExchange);
  EXPECT_EQ(loaded.stores().back()->kind, StoreKind::kPst);
  EXPECT_EQ(found->search_key, mail.search_key);
  EXPECT_EQ(found->created, mail.created);
}

TEST(MailboxJsonTest, AFileFromBeforeStoreKindsLoadsAsPersonalFolders) {
  MailStore loaded;
  std::string error;
  ASSERT_TRUE(MailboxFromJson(Minimal().dump(), loaded, &error)) << error;
  EXPECT_EQ(loaded.default_store()->kind, StoreKind::kPst);
  ItemNode& item = *loaded.default_store()->root->items.front();
  EXPECT_EQ(item.search_key, item.entry_id);
  EXPECT_EQ(item.created, item.last_modified);
  EXPECT_NE(Refusal(With([](json& j) { j["stores"][0]["kind"] = "imap"; })).find("kind"),
            std::string::npos);
  EXPECT_NE(Refusal(With([](json& j) {
              Item(j)["search_key"] = "not hex";
            })).find("search_key"),
            std::string::npos);
}

TEST(MailboxJsonTest, MalformedFilesAreRefusedNamingWhereAndWhat) {
  const std::string item = "stores[0].root.items[0]";
  struct Case {
    std::string text;
    std::string error;
  } cases[] = {
      {"[]", "expected a JSON object"},
      {"7", "expected a JSON object"},
      {With([](json& j) { j["format"] = "other"; }),
       "format: not a pinlet mailbox (expected \"pinlet-mailbox\")"},
      {With([](json& j) { j.erase("format"); }),
       "format: not a pinlet mailbox (expected \"pinlet-mailbox\")"},
      {With([](json& j) { j["version"] = 2; }),
       "version: expected 1, the version this program reads"},
      {With([](json& j) { j.erase("stores"); }), "stores: missing"},
      {With([](json& j) { j["stores"] = json::object(); }), "stores: expected an array"},
      {With([](json& j) { j["stores"][0]["root"]["items"] = 5; }),
       "stores[0].root.items: expected an array"},
      {With([](json& j) { j["stores"][0]["root"]["items"][0] = 5; }),
       item + ": expected an object"},
      {With([](json& j) { j["stores"][0]["root"]["folders"][0]["kind"] = "6"; }),
       "stores[0].root.folders[0].kind: expected a 32-bit whole number"},
      {With([](json& j) { Item(j)["class"] = "43"; }),
       item + ".class: expected a 32-bit whole number"},
      {With([](json& j) { Item(j)["class"] = 4294967339; }),
       item + ".class: expected a 32-bit whole number"},
      {With([](json& j) { Item(j)["class"] = 43.5; }),
       item + ".class: expected a 32-bit whole number"},
      {With([](json& j) { Item(j).erase("subject"); }), item + ".subject: missing"},
      {With([](json& j) { Item(j)["mapi"]["4294967296"] = 1; }),
       item + ".mapi.4294967296: a MAPI property tag over 32 bits"},
      {With([](json& j) { Item(j)["mapi"]["0x10"] = 1; }),
       item + ".mapi.0x10: expected a MAPI property tag in decimal digits"},
      {With([](json& j) { Item(j)["mapi"]["7"] = 1, Item(j)["mapi"]["07"] = 2; }),
       item + ".mapi.7: duplicate MAPI property tag"},
      {With([](json& j) { Item(j)["members"]["Body"] = json::array({1}); }),
       item + ".members.Body: expected text, a number, true or false, null or {\"date\": "
              "N}"},
      {With([](json& j) {
         Item(j)["members"]["Sent"] = {{"date", "today"}};
       }),
       item + ".members.Sent.date: expected a date value from -657434 to below 2958466 "
              "(1/1/100 to 12/31/9999)"},
      {With([](json& j) { Item(j)["last_modified"] = 1e308; }),
       item + ".last_modified: expected a date value from -657434 to below 2958466 "
              "(1/1/100 to 12/31/9999)"},
      {With([](json& j) { Item(j)["last_modified"] = -657435; }),
       item + ".last_modified: expected a date value from -657434 to below 2958466 "
              "(1/1/100 to 12/31/9999)"},
      {With([](json& j) {
         Item(j)["attachments"] = {{{"file_name", "a"}, {"content_hex", "abc"}}};
       }),
       item + ".attachments[0].content_hex: expected hexadecimal digits in pairs"},
      {With([](json& j) {
         Item(j)["user_properties"] = {{{"name", "P"}}};
       }),
       item + ".user_properties[0].value: missing"},
      {With([](json& j) { j["stores"][0]["root"]["folders"][0]["entry_id"] = "F1"; }),
       "stores[0].root.entry_id: duplicate entry_id F1"},
      {With([](json& j) { j["stores"][1] = j["stores"][0]; }),
       "stores[1].root.folders[0].entry_id: duplicate entry_id F2"},
      {With([](json& j) {
         j["stores"][1] = {
             {"name", "B"}, {"store_id", "5101"}, {"root", j["stores"][0]["root"]}};
         j["stores"][1]["root"]["entry_id"] = "A1";
         j["stores"][1]["root"]["folders"] = json::array();
         j["stores"][1]["root"]["items"] = json::array();
       }),
       "stores[1].store_id: duplicate store_id 5101"},
      {With([](json& j) {
         j["stores"][0]["root"]["default"] = 6;
         j["stores"][0]["root"]["folders"][0]["default"] = 6;
       }),
       "stores[0].root.default: default folder 6 is already another folder of the store"},
      {With([](json& j) { j["stores"][0]["store_id"] = ""; }),
       "stores[0].store_id: expected an identifier of hexadecimal digits"},
      // An EntryID becomes a registry value name and is printed: only hex digits.
      {With([](json& j) { Item(j)["entry_id"] = "00AB\n[HKEY_CURRENT_USER\\X]"; }),
       item + ".entry_id: expected an identifier of hexadecimal digits"},
      {With([](json& j) { j["stores"][0]["root"]["entry_id"] = "\x1b]0;F1"; }),
       "stores[0].root.entry_id: expected an identifier of hexadecimal digits"},
  };
  for (const Case& c : cases) EXPECT_EQ(Refusal(c.text), c.error);
}

TEST(MailboxJsonTest, SyntaxDuplicateKeysAndInvalidUtf8AreRefusedWhereTheyAre) {
  const std::string text = Minimal().dump();
  std::string twice = text;
  twice.insert(twice.find("\"subject\""), "\"subject\":\"other\",");
  EXPECT_EQ(Refusal(twice), "stores[0].root.items[0].subject: duplicate key");
  std::string invalid = text;
  invalid.replace(invalid.find("\"Hi\""), 4, "\"H\xff\"");
  EXPECT_EQ(
      Refusal(invalid).rfind("stores[0].root.items[0].subject: parse error at line 1", 0),
      0u);
  EXPECT_NE(Refusal(invalid).find("ill-formed UTF-8"), std::string::npos);
  EXPECT_EQ(Refusal(invalid).find('\xff'), std::string::npos)
      << "no hostile bytes echoed";
  EXPECT_EQ(
      Refusal(""),
      "parse error at line 1, column 1: syntax error while parsing value - unexpected "
      "end of input; expected '[', '{', or a literal");
  EXPECT_NE(Refusal(text + "x").find("expected end of input"), std::string::npos);
  // Every truncation of a valid file is refused.
  const std::string whole = Minimal().dump(1);
  for (size_t cut = 0; cut + 1 < whole.size(); ++cut) Refusal(whole.substr(0, cut));
}

TEST(MailboxJsonTest, NestingIsLimitedAndRefusedWithoutDescending) {
  // Folders nested 8 000 deep, and 60 000 arrays in a member: refused at the limit.
  std::string deep = Minimal().dump();
  const std::string folder =
      "{\"name\":\"D\",\"entry_id\":\"X\",\"kind\":6,\"views\":[],\"items\":[],"
      "\"folders\":[";
  std::string nested;
  for (int i = 0; i < 8000; ++i) nested += folder;
  deep.insert(deep.find("\"folders\":[") + 11, nested);
  std::string path = "stores[0].root";
  for (int i = 0; i <= 100; ++i) path += ".folders[0]";
  EXPECT_EQ(Refusal(deep), path + ": folders nested more than 100 levels deep");
  std::string arrays = Minimal().dump();
  arrays.insert(arrays.find("\"members\":{") + 11, "\"M\":" + std::string(60000, '['));
  const std::string refused = Refusal(arrays);
  EXPECT_EQ(refused.rfind("stores[0].root.items[0].members.M[0][0][0]", 0), 0u)
      << refused;
  EXPECT_TRUE(refused.ends_with("[0]: nested more than 216 levels deep")) << refused;

  // 100 levels of folders are kept; a 101st cannot be saved, and the save says so.
  MailStore store;
  FolderNode* f = store.AddStore("Deep", false).root.get();
  for (size_t i = 0; i < kMaxFolderDepth; ++i) f = &store.AddFolder(*f, "L", 6);
  std::string text, error;
  ASSERT_TRUE(MailboxToJson(store, text, &error)) << error;
  MailStore loaded;
  ASSERT_TRUE(MailboxFromJson(text, loaded, &error)) << error;
  store.AddFolder(*f, "Too deep", 6);
  EXPECT_FALSE(MailboxToJson(store, text, &error));
  EXPECT_NE(error.find("\\Too deep is nested more than 100 levels deep"),
            std::string::npos)
      << error;
}

TEST(MailboxJsonTest, HugeStringsLoadWhole) {
  const std::string subject(4 << 20, 'S');
  const std::string hex(4 << 20, 'a');
  MailStore store;
  std::string error;
  ASSERT_TRUE(MailboxFromJson(
      With([&](json& j) {
        Item(j)["subject"] = subject;
        Item(j)["attachments"] = {{{"file_name", "x"}, {"content_hex", hex}}};
      }),
      store, &error))
      << error;
  auto item = store.FindItem("00000000000000000000000000000007");
  ASSERT_TRUE(item);
  EXPECT_EQ(item->subject, subject);
  EXPECT_EQ(item->attachments[0].content, std::string(2 << 20, '\xaa'));
}

TEST(MailboxJsonTest, IdentifiersNeverRepeatWhateverTheCounterSays) {
  // A counter below the identifiers in use is repaired from them.
  MailStore store;
  std::string error;
  ASSERT_TRUE(MailboxFromJson(With([](json& j) { j["next_id"] = 1; }), store, &error))
      << error;
  EXPECT_EQ(store.id_counter(), 8u);
  EXPECT_FALSE(store.FindItem(store.NewEntryId()));
  // Impossible counters are refused; so is an identifier at the counter's end.
  for (json next : {json(0), json(-1), json(1.5), json("1"), json(9223372036854775808u)})
    EXPECT_EQ(Refusal(With([&](json& j) { j["next_id"] = next; })),
              "next_id: expected a whole number from 1 to 9223372036854775807");
  EXPECT_EQ(
      Refusal(With([](json& j) { Item(j)["entry_id"] = "0000FFFFFFFFFFFFFFFF"; })),
      "stores[0].root.items[0].entry_id: the identifier's counter leaves no room for "
      "new identifiers");
  ASSERT_TRUE(MailboxFromJson(
      With([](json& j) { Item(j)["entry_id"] = "7FFFFFFFFFFFFFFE"; }), store, &error))
      << error;
  EXPECT_EQ(store.NewEntryId().substr(36), "7FFFFFFFFFFFFFFF");
  // A store added later never takes a loaded store's identifier.
  store.AddStore("Second", false);
  EXPECT_NE(store.stores()[1]->store_id, store.stores()[0]->store_id);
}

TEST(MailboxJsonTest, WhatCouldNotBeReadBackIsNeverWritten) {
  World world;
  BuildSampleMailbox(world.store, world.clock.now());
  ItemNode& mail = *world.store.default_store()->defaults[6]->items.front();
  std::string text, error;
  mail.last_modified = Date(1e308);
  EXPECT_FALSE(MailboxToJson(world.store, text, &error));
  EXPECT_EQ(error,
            "item " + mail.entry_id + " holds a date outside the years 100 to 9999");
  mail.last_modified = Date();
  mail.user_props.push_back({"N", 3, Variant(std::nan(""))});
  EXPECT_FALSE(MailboxToJson(world.store, text, &error));
  EXPECT_EQ(error, "item " + mail.entry_id + " holds a number that is not finite");
}

}  // namespace
}  // namespace pinlet::sim
