#include "platform/sim/mailbox_json.h"

#include <filesystem>
#include <fstream>
#include <nlohmann/json.hpp>
#include <set>
#include <sstream>

#include "platform/sim/real_files.h"

namespace pinlet::sim {
namespace {

using nlohmann::json;

constexpr const char* kFormat = "pinlet-mailbox";

json FromVariant(const Variant& v) {
  if (v.IsText()) return v.text();
  if (v.IsLong()) return v.long_value();
  if (v.IsDouble()) return v.double_value();
  if (v.IsBool()) return v.bool_value();
  return nullptr;
}

Variant ToVariant(const json& j) {
  if (j.is_string()) return Variant(j.get<std::string>());
  if (j.is_boolean()) return Variant(j.get<bool>());
  if (j.is_number_integer()) {
    auto n = j.get<int64_t>();
    if (n < INT32_MIN || n > INT32_MAX) throw std::runtime_error("integer out of range");
    return Variant(static_cast<int32_t>(n));
  }
  if (j.is_number()) return Variant(j.get<double>());
  if (j.is_null()) return Variant();
  throw std::runtime_error("a value must be text, a number, a Boolean or null");
}

std::string Hex(const std::string& bytes) {
  static const char* kDigits = "0123456789abcdef";
  std::string out;
  for (unsigned char c : bytes) {
    out += kDigits[c >> 4];
    out += kDigits[c & 15];
  }
  return out;
}

std::string Unhex(const std::string& text) {
  if (text.size() % 2)
    throw std::runtime_error("attachment content has an odd number of digits");
  std::string out;
  for (size_t i = 0; i < text.size(); i += 2) {
    int value = 0;
    for (int k = 0; k < 2; ++k) {
      char c = text[i + k];
      int digit = c >= '0' && c <= '9'   ? c - '0'
                  : c >= 'a' && c <= 'f' ? c - 'a' + 10
                                         : -1;
      if (digit < 0) throw std::runtime_error("attachment content is not hexadecimal");
      value = value * 16 + digit;
    }
    out += static_cast<char>(value);
  }
  return out;
}

json ItemJson(const ItemNode& item) {
  json props = json::array();
  for (const PropNode& p : item.user_props)
    props.push_back(
        {{"name", p.name}, {"type", p.type}, {"value", FromVariant(p.value)}});
  json members = json::object();
  for (auto& [name, value] : item.members) members[name] = FromVariant(value);
  json mapi = json::object();
  for (auto& [tag, value] : item.mapi_props)
    mapi[std::to_string(tag)] = FromVariant(value);
  json attachments = json::array();
  for (const AttachmentNode& a : item.attachments)
    attachments.push_back({{"file_name", a.file_name}, {"content_hex", Hex(a.content)}});
  return {{"class", item.cls},
          {"message_class", item.message_class},
          {"subject", item.subject},
          {"entry_id", item.entry_id},
          {"last_modified", item.last_modified.value()},
          {"user_properties", props},
          {"members", members},
          {"mapi", mapi},
          {"attachments", attachments}};
}

json FolderJson(const FolderNode& folder) {
  json views = json::array();
  for (const ViewNode& v : folder.views)
    views.push_back({{"name", v.name},
                     {"type", v.type},
                     {"xml", v.xml},
                     {"save_option", v.save_option}});
  json items = json::array();
  for (const auto& item : folder.items) items.push_back(ItemJson(*item));
  json children = json::array();
  for (const auto& child : folder.children) children.push_back(FolderJson(*child));
  int default_number = 0;
  for (auto& [number, node] : folder.store->defaults)
    if (node == &folder) default_number = number;
  return {{"name", folder.name},
          {"entry_id", folder.entry_id},
          {"kind", folder.kind},
          {"default", default_number},
          {"current_view", folder.current_view},
          {"custom_views_only", folder.custom_views_only},
          {"user_fields", folder.user_fields},
          {"views", views},
          {"items", items},
          {"folders", children}};
}

// Rebuilds a folder and everything below it; throws on malformed input.
struct Loader {
  MailStore& store;
  std::set<std::string> ids;

  void Id(const std::string& id, const char* what) {
    if (id.empty()) throw std::runtime_error(std::string(what) + " without entry_id");
    if (!ids.insert(id).second) throw std::runtime_error("duplicate entry_id " + id);
    // New identifiers must never repeat a loaded one: they count on from the
    // highest counter found in the loaded identifiers.
    if (id.size() >= 16 &&
        id.find_first_not_of("0123456789ABCDEF", id.size() - 16) == std::string::npos)
      store.BumpIdCounter(std::stoull(id.substr(id.size() - 16), nullptr, 16));
  }

  void Folder(const json& j, FolderNode& folder, StoreNode& owner, FolderNode* parent) {
    folder.name = j.at("name").get<std::string>();
    folder.entry_id = j.at("entry_id").get<std::string>();
    Id(folder.entry_id, "a folder");
    folder.kind = j.at("kind").get<int>();
    folder.store = &owner;
    folder.parent = parent;
    folder.current_view = j.value("current_view", "");
    folder.custom_views_only = j.value("custom_views_only", false);
    folder.user_fields = j.value("user_fields", std::vector<std::string>{});
    int default_number = j.value("default", 0);
    if (default_number) owner.defaults[default_number] = &folder;
    for (const json& v : j.at("views"))
      folder.views.push_back({v.at("name").get<std::string>(), v.at("type").get<int>(),
                              v.at("xml").get<std::string>(), v.value("save_option", 0)});
    store.RegisterFolderId(folder);
    for (const json& item_json : j.at("items")) {
      auto item = std::make_shared<ItemNode>();
      item->cls = item_json.at("class").get<int>();
      item->message_class = item_json.at("message_class").get<std::string>();
      item->subject = item_json.at("subject").get<std::string>();
      item->entry_id = item_json.at("entry_id").get<std::string>();
      Id(item->entry_id, "an item");
      item->last_modified = Date(item_json.value("last_modified", 0.0));
      item->folder = &folder;
      const json props = item_json.value("user_properties", json::array());
      for (const json& p : props)
        item->user_props.push_back({p.at("name").get<std::string>(), p.value("type", 1),
                                    ToVariant(p.at("value"))});
      const json members = item_json.value("members", json::object());
      for (auto& [name, value] : members.items()) item->members[name] = ToVariant(value);
      const json mapi = item_json.value("mapi", json::object());
      for (auto& [tag, value] : mapi.items())
        item->mapi_props[static_cast<uint32_t>(std::stoul(tag))] = ToVariant(value);
      const json attachments = item_json.value("attachments", json::array());
      for (const json& a : attachments)
        item->attachments.push_back(
            {a.at("file_name").get<std::string>(), Unhex(a.value("content_hex", ""))});
      store.AdoptItem(item);
    }
    for (const json& child_json : j.at("folders")) {
      auto child = std::make_shared<FolderNode>();
      Folder(child_json, *child, owner, &folder);
      folder.children.push_back(child);
    }
  }
};

}  // namespace

std::string MailboxToJson(const MailStore& store) {
  json stores = json::array();
  for (const auto& s : store.stores())
    stores.push_back(
        {{"name", s->name}, {"store_id", s->store_id}, {"root", FolderJson(*s->root)}});
  json root = {{"format", kFormat},
               {"version", 1},
               {"next_id", store.id_counter()},
               {"stores", stores}};
  return root.dump(1, ' ', false, json::error_handler_t::replace) + "\n";
}

bool MailboxFromJson(const std::string& text, MailStore& store, std::string* error) {
  try {
    json root = json::parse(text);
    if (root.value("format", "") != kFormat)
      throw std::runtime_error(
          "not a pinlet mailbox (\"format\" is not \"pinlet-mailbox\")");
    MailStore loaded;
    Loader loader{loaded, {}};
    for (const json& s : root.at("stores")) {
      auto node = std::make_unique<StoreNode>();
      node->name = s.at("name").get<std::string>();
      node->store_id = s.at("store_id").get<std::string>();
      node->root = std::make_shared<FolderNode>();
      StoreNode& owner = loaded.AdoptStore(std::move(node));
      loader.Folder(s.at("root"), *owner.root, owner, nullptr);
    }
    loaded.BumpIdCounter(root.value("next_id", uint64_t{1}) - 1);
    store = std::move(loaded);
    return true;
  } catch (const std::exception& e) {
    if (error) *error = e.what();
    return false;
  }
}

bool SaveMailbox(const MailStore& store, const std::string& path, std::string* error) {
  return WriteFileAtomically(path, MailboxToJson(store), error);
}

bool LoadMailbox(const std::string& path, MailStore& store, std::string* error) {
  std::string text;
  if (!ReadWholeFile(path, text, error)) return false;
  std::string why;
  if (!MailboxFromJson(text, store, &why)) {
    if (error) *error = path + ": " + why;
    return false;
  }
  return true;
}

}  // namespace pinlet::sim
