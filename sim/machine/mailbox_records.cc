#include "sim/machine/mailbox_records.h"

namespace pinlet::sim::mailbox_file {
namespace {

using nlohmann::json;

constexpr std::string_view kFormat = "pinlet-mailbox";

std::string Join(const std::string& where, std::string_view key) {
  return where.empty() ? std::string(key) : where + "." + std::string(key);
}

// Typed reading of one JSON object whose place in the file is `where`.
class Record {
 public:
  Record(const json& object, const std::string& where) : object_(object), where_(where) {}

  std::string Where(std::string_view key) const { return Join(where_, key); }
  const json* Find(std::string_view key) const {
    auto it = object_.find(std::string(key));
    return it == object_.end() ? nullptr : &*it;
  }
  const json& Required(std::string_view key) const {
    const json* j = Find(key);
    if (!j) Fail(Where(key), "missing");
    return *j;
  }
  std::string Text(std::string_view key) const { return TextOf(Required(key), key); }
  std::string TextOr(std::string_view key, std::string fallback) const {
    const json* j = Find(key);
    return j ? TextOf(*j, key) : fallback;
  }
  int32_t Int32(std::string_view key) const { return Int32Of(Required(key), Where(key)); }
  int32_t Int32Or(std::string_view key, int32_t fallback) const {
    const json* j = Find(key);
    return j ? Int32Of(*j, Where(key)) : fallback;
  }
  bool BoolOr(std::string_view key, bool fallback) const {
    const json* j = Find(key);
    if (!j) return fallback;
    if (!j->is_boolean()) Fail(Where(key), "expected true or false");
    return j->get<bool>();
  }
  // The array or object at `key`; nullptr when absent.
  const json* ArrayOr(std::string_view key) const {
    const json* j = Find(key);
    if (j && !j->is_array()) Fail(Where(key), "expected an array");
    return j;
  }
  const json* ObjectOr(std::string_view key) const {
    const json* j = Find(key);
    if (j && !j->is_object()) Fail(Where(key), "expected an object");
    return j;
  }

  static int32_t Int32Of(const json& j, const std::string& where) {
    bool fits = false;
    int64_t n = 0;
    if (j.is_number_unsigned()) {
      fits = j.get<uint64_t>() <= uint64_t{INT32_MAX};
      n = fits ? static_cast<int64_t>(j.get<uint64_t>()) : 0;
    } else if (j.is_number_integer()) {
      n = j.get<int64_t>();
      fits = n >= INT32_MIN && n <= INT32_MAX;
    }
    if (!fits) Fail(where, "expected a 32-bit whole number");
    return static_cast<int32_t>(n);
  }

 private:
  std::string TextOf(const json& j, std::string_view key) const {
    if (!j.is_string()) Fail(Where(key), "expected text");
    return j.get<std::string>();
  }

  const json& object_;
  const std::string& where_;
};

Date DateOf(const json& j, const std::string& where) {
  Date date(j.is_number() ? j.get<double>() : 0);
  if (!j.is_number() || !date.InHostRange())
    Fail(where,
         "expected a date value from -657434 to below 2958466 (1/1/100 to 12/31/9999)");
  return date;
}

Variant VariantOf(const json& j, const std::string& where) {
  if (j.is_string()) return Variant(j.get<std::string>());
  if (j.is_boolean()) return Variant(j.get<bool>());
  if (j.is_number_integer()) return Variant(Record::Int32Of(j, where));
  if (j.is_number_float()) return Variant(j.get<double>());
  if (j.is_null()) return Variant();
  if (j.is_object() && j.size() == 1 && j.contains("date"))
    return Variant(DateOf(j.at("date"), Join(where, "date")));
  Fail(where, "expected text, a number, true or false, null or {\"date\": N}");
}

std::string Unhex(const std::string& text, const std::string& where) {
  if (text.size() % 2) Fail(where, "expected hexadecimal digits in pairs");
  std::string out;
  out.reserve(text.size() / 2);
  for (size_t i = 0; i < text.size(); i += 2) {
    int value = 0;
    for (size_t k = i; k < i + 2; ++k) {
      const char c = text[k];
      const int digit = c >= '0' && c <= '9'   ? c - '0'
                        : c >= 'a' && c <= 'f' ? c - 'a' + 10
                        : c >= 'A' && c <= 'F' ? c - 'A' + 10
                                               : -1;
      if (digit < 0) Fail(where, "expected hexadecimal digits");
      value = value * 16 + digit;
    }
    out += static_cast<char>(value);
  }
  return out;
}

// EntryIDs and StoreIDs are the host's hexadecimal strings.
bool IsIdentifier(const std::string& id) {
  return !id.empty() &&
         id.find_first_not_of("0123456789ABCDEFabcdef") == std::string::npos;
}

}  // namespace

void MailboxBuilder::Id(const std::string& id, const std::string& where) {
  if (!IsIdentifier(id)) Fail(where, "expected an identifier of hexadecimal digits");
  if (!ids_.insert(id).second) Fail(where, "duplicate entry_id " + id);
  // New identifiers count on after the highest counter found in loaded ones.
  if (id.size() < 16) return;
  uint64_t counter = 0;
  for (size_t i = id.size() - 16; i < id.size(); ++i) {
    const char c = id[i];
    const int digit = c >= '0' && c <= '9'   ? c - '0'
                      : c >= 'A' && c <= 'F' ? c - 'A' + 10
                      : c >= 'a' && c <= 'f' ? c - 'a' + 10
                                             : -1;
    if (digit < 0) return;
    counter = counter * 16 + static_cast<uint64_t>(digit);
  }
  if (!loaded_.BumpIdCounter(counter))
    Fail(where, "the identifier's counter leaves no room for new identifiers");
}

std::shared_ptr<ItemNode> MailboxBuilder::Item(const json& object,
                                               const std::string& where) {
  Record r(object, where);
  auto item = std::make_shared<ItemNode>();
  item->cls = r.Int32("class");
  item->message_class = r.Text("message_class");
  item->subject = r.Text("subject");
  item->entry_id = r.Text("entry_id");
  Id(item->entry_id, r.Where("entry_id"));
  if (const json* date = r.Find("last_modified"))
    item->last_modified = DateOf(*date, r.Where("last_modified"));
  // Mailboxes written before search keys and creation times were kept give
  // each item its EntryID as its search key and its last change as its
  // creation.
  item->search_key = r.TextOr("search_key", item->entry_id);
  if (item->search_key.empty() || !IsIdentifier(item->search_key))
    Fail(r.Where("search_key"), "expected hexadecimal digits");
  item->created = item->last_modified;
  if (const json* date = r.Find("created"))
    item->created = DateOf(*date, r.Where("created"));
  if (const json* props = r.ArrayOr("user_properties")) {
    for (size_t i = 0; i < props->size(); ++i) {
      const std::string at = r.Where("user_properties") + "[" + std::to_string(i) + "]";
      if (!(*props)[i].is_object()) Fail(at, "expected an object");
      Record p((*props)[i], at);
      item->user_props.push_back({p.Text("name"), p.Int32Or("type", 1),
                                  VariantOf(p.Required("value"), p.Where("value"))});
    }
  }
  if (const json* members = r.ObjectOr("members")) {
    for (auto& [name, value] : members->items())
      item->members[name] = VariantOf(value, Join(r.Where("members"), name));
  }
  if (const json* mapi = r.ObjectOr("mapi")) {
    for (auto& [tag, value] : mapi->items()) {
      const std::string at = Join(r.Where("mapi"), tag);
      uint64_t number = 0;
      if (tag.empty() || tag.size() > 10 ||
          tag.find_first_not_of("0123456789") != std::string::npos)
        Fail(at, "expected a MAPI property tag in decimal digits");
      number = std::stoull(tag);
      if (number > 0xFFFFFFFF) Fail(at, "a MAPI property tag over 32 bits");
      if (!item->mapi_props.emplace(static_cast<uint32_t>(number), VariantOf(value, at))
               .second)
        Fail(at, "duplicate MAPI property tag");
    }
  }
  if (const json* attachments = r.ArrayOr("attachments")) {
    for (size_t i = 0; i < attachments->size(); ++i) {
      const std::string at = r.Where("attachments") + "[" + std::to_string(i) + "]";
      if (!(*attachments)[i].is_object()) Fail(at, "expected an object");
      Record a((*attachments)[i], at);
      AttachmentNode node{a.Text("file_name"),
                          Unhex(a.TextOr("content_hex", ""), a.Where("content_hex"))};
      node.display_name = a.TextOr("display_name", "");
      node.path_name = a.TextOr("path_name", "");
      node.type = a.Int32Or("type", 1);
      item->attachments.push_back(std::move(node));
    }
  }
  if (const json* recipients = r.ArrayOr("recipients")) {
    for (size_t i = 0; i < recipients->size(); ++i) {
      const std::string at = r.Where("recipients") + "[" + std::to_string(i) + "]";
      if (!(*recipients)[i].is_object()) Fail(at, "expected an object");
      Record p((*recipients)[i], at);
      int32_t type = p.Int32Or("type", 1);
      if (type < 1 || type > 3)
        Fail(p.Where("type"), "expected 1 (To), 2 (Cc) or 3 (Bcc)");
      item->recipients.push_back(std::make_shared<RecipientNode>(RecipientNode{
          p.Text("name"), p.TextOr("address", ""), type, p.BoolOr("resolved", false)}));
    }
  }
  return item;
}

std::shared_ptr<FolderNode> MailboxBuilder::Folder(const json& object,
                                                   const std::string& where,
                                                   const Lists& lists) {
  Record r(object, where);
  auto folder = std::make_shared<FolderNode>();
  folder->name = r.Text("name");
  folder->entry_id = r.Text("entry_id");
  Id(folder->entry_id, r.Where("entry_id"));
  folder->kind = r.Int32("kind");
  folder->current_view = r.TextOr("current_view", "");
  folder->custom_views_only = r.BoolOr("custom_views_only", false);
  folder->description = r.TextOr("description", "");
  if (const json* fields = r.ArrayOr("user_fields")) {
    for (size_t i = 0; i < fields->size(); ++i) {
      if (!(*fields)[i].is_string())
        Fail(r.Where("user_fields") + "[" + std::to_string(i) + "]", "expected text");
      folder->user_fields.push_back((*fields)[i].get<std::string>());
    }
  }
  const json& views = r.Required("views");
  if (!views.is_array()) Fail(r.Where("views"), "expected an array");
  for (size_t i = 0; i < views.size(); ++i) {
    const std::string at = r.Where("views") + "[" + std::to_string(i) + "]";
    if (!views[i].is_object()) Fail(at, "expected an object");
    Record v(views[i], at);
    folder->views.push_back(
        {v.Text("name"), v.Int32("type"), v.Text("xml"), v.Int32Or("save_option", 0)});
  }
  if (!lists.has_items)
    Fail(r.Where("items"), r.Find("items") ? "expected an array" : "missing");
  if (!lists.has_folders)
    Fail(r.Where("folders"), r.Find("folders") ? "expected an array" : "missing");
  const int32_t default_number = r.Int32Or("default", 0);
  if (default_number != 0) {
    for (auto& [number, node] : defaults_)
      if (number == default_number)
        Fail(r.Where("default"), "default folder " + std::to_string(number) +
                                     " is already another folder of the store");
    defaults_.emplace_back(default_number, folder.get());
  }
  loaded_.RegisterFolderId(*folder);
  for (const auto& item : lists.items) {
    item->folder = folder.get();
    loaded_.AdoptItem(item);
  }
  for (const auto& child : lists.folders) {
    child->parent = folder.get();
    folder->children.push_back(child);
  }
  return folder;
}

void MailboxBuilder::Store(const json& object, const std::string& where,
                           std::shared_ptr<FolderNode> root) {
  Record r(object, where);
  auto store = std::make_unique<StoreNode>();
  store->name = r.Text("name");
  const std::string kind = r.TextOr("kind", "pst");
  if (kind != "pst" && kind != "exchange")
    Fail(r.Where("kind"), "expected \"pst\" or \"exchange\"");
  store->kind = kind == "exchange" ? StoreKind::kExchange : StoreKind::kPst;
  store->store_id = r.Text("store_id");
  if (!IsIdentifier(store->store_id))
    Fail(r.Where("store_id"), "expected an identifier of hexadecimal digits");
  if (!store_ids_.insert(store->store_id).second)
    Fail(r.Where("store_id"), "duplicate store_id " + store->store_id);
  if (!root) Fail(r.Where("root"), r.Find("root") ? "expected an object" : "missing");
  store->root = std::move(root);
  // Every folder of the tree belongs to the store.
  std::vector<FolderNode*> pending{store->root.get()};
  while (!pending.empty()) {
    FolderNode* folder = pending.back();
    pending.pop_back();
    folder->store = store.get();
    for (auto& child : folder->children) pending.push_back(child.get());
  }
  for (auto& [number, folder] : defaults_) store->defaults[number] = folder;
  defaults_.clear();
  loaded_.AdoptStore(std::move(store));
}

void MailboxBuilder::Mailbox(const json& object, bool has_stores) {
  const std::string top;
  Record r(object, top);
  if (r.TextOr("format", "") != kFormat)
    Fail("format", "not a pinlet mailbox (expected \"pinlet-mailbox\")");
  if (r.Find("version") && Record::Int32Of(r.Required("version"), "version") != 1)
    Fail("version", "expected 1, the version this program reads");
  if (!has_stores) Fail("stores", r.Find("stores") ? "expected an array" : "missing");
  if (const json* next = r.Find("next_id")) {
    const bool fits = next->is_number_unsigned() && next->get<uint64_t>() >= 1 &&
                      next->get<uint64_t>() <= MailStore::kMaxIdCounter;
    if (!fits)
      Fail("next_id", "expected a whole number from 1 to " +
                          std::to_string(MailStore::kMaxIdCounter));
    loaded_.BumpIdCounter(next->get<uint64_t>() - 1);
  }
}

}  // namespace pinlet::sim::mailbox_file
