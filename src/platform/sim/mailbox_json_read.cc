// Reading the mailbox file. nlohmann-json's SAX parser delivers the file as
// events; a stack of frames follows where in the mailbox each event belongs.
// Stores, folders and items are records: each is gathered into a small JSON
// object of its own and turned into its node as soon as it ends, so the memory
// used is the mailbox and the one record being read, and the time is linear in
// the file's size. The frames give every error its place in the file.
#include <nlohmann/json.hpp>
#include <unordered_set>
#include <vector>

#include "platform/sim/mailbox_json.h"
#include "platform/sim/real_files.h"

namespace pinlet::sim {
namespace {

using nlohmann::json;

constexpr std::string_view kFormat = "pinlet-mailbox";

struct LoadError {
  std::string where;  // the JSON path, "" for the file as a whole
  std::string what;
};

[[noreturn]] void Fail(std::string where, std::string what) {
  throw LoadError{std::move(where), std::move(what)};
}

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

// What a JSON value is, by where it stands in the mailbox.
enum class Kind : uint8_t {
  kValue,
  kRoot,
  kStores,
  kStore,
  kFolder,
  kItems,
  kItem,
  kFolders
};

bool IsRecord(Kind kind) {
  return kind == Kind::kRoot || kind == Kind::kStore || kind == Kind::kFolder ||
         kind == Kind::kItem;
}

struct Frame {
  Kind kind = Kind::kValue;
  bool is_array = false;
  json* node = nullptr;          // the container being filled; none for a list of records
  std::unique_ptr<json> record;  // a record's own object
  std::string key;               // in an object: the current key
  size_t index = 0;              // in an array: the element being read
  size_t folder_depth = 0;       // a folder's depth below its store's root
  // Lists of records read in a record, and what they have become.
  bool has_list = false;  // the root's stores, a folder's items
  bool has_folders = false;
  std::vector<std::shared_ptr<ItemNode>> items;
  std::vector<std::shared_ptr<FolderNode>>
      folders;  // a folder's children, a store's root
};

class Loader : public nlohmann::json_sax<json> {
 public:
  MailStore Take() { return std::move(loaded_); }

  bool null() override { return Scalar(json(nullptr)); }
  bool boolean(bool value) override { return Scalar(json(value)); }
  bool number_integer(number_integer_t value) override { return Scalar(json(value)); }
  bool number_unsigned(number_unsigned_t value) override { return Scalar(json(value)); }
  bool number_float(number_float_t value, const string_t&) override {
    return Scalar(json(value));
  }
  bool string(string_t& value) override { return Scalar(json(std::move(value))); }
  bool binary(binary_t&) override { Fail(Here(), "unexpected binary data"); }

  bool start_object(std::size_t) override { return Open(false); }
  bool start_array(std::size_t) override { return Open(true); }
  bool key(string_t& name) override {
    Frame& frame = frames_.back();
    frame.key = name;
    if (frame.node->contains(name)) Fail(Here(), "duplicate key");
    return true;
  }
  bool end_object() override { return Close(); }
  bool end_array() override { return Close(); }

  bool parse_error(std::size_t, const std::string&,
                   const nlohmann::detail::exception& ex) override {
    // "[json.exception.parse_error.101] parse error at line 1, column 5: syntax
    // error while parsing value - invalid literal; last read: '...'": the part after
    // the tag, without the text last read, which may hold anything.
    std::string what = ex.what();
    const size_t tag_end = what.find("] ");
    if (tag_end != std::string::npos) what.erase(0, tag_end + 2);
    const size_t read = what.find("; last read:");
    if (read != std::string::npos) {
      const size_t expected = what.find("; expected ", read);
      what = what.substr(0, read) +
             (expected == std::string::npos ? "" : what.substr(expected));
    }
    Fail(Here(), what);
  }

 private:
  std::string Here() const { return PathOf(frames_.size()); }
  // The path of the value being read in frame n - 1.
  std::string PathOf(size_t n) const {
    std::string path;
    for (size_t i = 0; i < n; ++i) {
      const Frame& f = frames_[i];
      if (f.is_array) {
        path += "[" + std::to_string(f.index) + "]";
      } else {
        if (!path.empty()) path += '.';
        path += f.key;
      }
    }
    return path;
  }

  Kind ChildKind(const Frame& parent, bool is_array) const {
    switch (parent.kind) {
      case Kind::kStores:
      case Kind::kItems:
      case Kind::kFolders:
        if (is_array) Fail(Here(), "expected an object");
        return parent.kind == Kind::kStores  ? Kind::kStore
               : parent.kind == Kind::kItems ? Kind::kItem
                                             : Kind::kFolder;
      case Kind::kRoot:
        return is_array && parent.key == "stores" ? Kind::kStores : Kind::kValue;
      case Kind::kStore:
        return !is_array && parent.key == "root" ? Kind::kFolder : Kind::kValue;
      case Kind::kFolder:
        if (is_array && parent.key == "items") return Kind::kItems;
        if (is_array && parent.key == "folders") return Kind::kFolders;
        return Kind::kValue;
      default:
        return Kind::kValue;
    }
  }

  // Puts a value into the current container; returns it.
  json* Insert(Frame& frame, json value) {
    if (frame.is_array) {
      frame.node->push_back(std::move(value));
      return &frame.node->back();
    }
    json& slot = (*frame.node)[frame.key];
    slot = std::move(value);
    return &slot;
  }

  bool Scalar(json value) {
    if (frames_.empty()) Fail("", "expected a JSON object");
    Frame& frame = frames_.back();
    if (!frame.node) Fail(Here(), "expected an object");
    Insert(frame, std::move(value));
    if (frame.is_array) ++frame.index;
    return true;
  }

  bool Open(bool is_array) {
    if (frames_.size() >= kMaxJsonDepth)
      Fail(Here(), "nested more than " + std::to_string(kMaxJsonDepth) + " levels deep");
    Frame child;
    child.is_array = is_array;
    if (frames_.empty()) {
      if (is_array) Fail("", "expected a JSON object");
      child.kind = Kind::kRoot;
    } else {
      Frame& parent = frames_.back();
      child.kind = ChildKind(parent, is_array);
      if (child.kind == Kind::kFolder) {
        child.folder_depth = parent.kind == Kind::kStore
                                 ? 0
                                 : frames_[frames_.size() - 2].folder_depth + 1;
        if (child.folder_depth > kMaxFolderDepth)
          Fail(Here(), "folders nested more than " + std::to_string(kMaxFolderDepth) +
                           " levels deep");
      }
      if (child.kind == Kind::kValue) {
        child.node = Insert(parent, is_array ? json::array() : json::object());
      } else if (parent.node) {
        // A list of records or a store's root folder: a mark in the parent, so
        // that its key counts as given, and the content kept apart.
        Insert(parent, json());
        if (child.kind == Kind::kFolders) {
          parent.has_folders = true;
        } else {
          parent.has_list = true;
        }
      }
    }
    if (IsRecord(child.kind)) {
      child.record = std::make_unique<json>(json::object());
      child.node = child.record.get();
    }
    frames_.push_back(std::move(child));
    return true;
  }

  bool Close() {
    Frame frame = std::move(frames_.back());
    frames_.pop_back();
    if (IsRecord(frame.kind)) {
      const std::string where = PathOf(frames_.size());
      switch (frame.kind) {
        case Kind::kItem:
          frames_[frames_.size() - 2].items.push_back(BuildItem(*frame.record, where));
          break;
        case Kind::kFolder: {
          auto folder = BuildFolder(frame, where);
          Frame& parent = frames_.back().kind == Kind::kStore
                              ? frames_.back()
                              : frames_[frames_.size() - 2];
          parent.folders.push_back(std::move(folder));
          break;
        }
        case Kind::kStore:
          BuildStore(frame, where);
          break;
        default:
          BuildMailbox(frame);
          break;
      }
    }
    if (!frames_.empty() && frames_.back().is_array) ++frames_.back().index;
    return true;
  }

  void Id(const std::string& id, const std::string& where) {
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

  std::shared_ptr<ItemNode> BuildItem(const json& object, const std::string& where) {
    Record r(object, where);
    auto item = std::make_shared<ItemNode>();
    item->cls = r.Int32("class");
    item->message_class = r.Text("message_class");
    item->subject = r.Text("subject");
    item->entry_id = r.Text("entry_id");
    Id(item->entry_id, r.Where("entry_id"));
    if (const json* date = r.Find("last_modified"))
      item->last_modified = DateOf(*date, r.Where("last_modified"));
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
        item->attachments.push_back(
            {a.Text("file_name"),
             Unhex(a.TextOr("content_hex", ""), a.Where("content_hex"))});
      }
    }
    return item;
  }

  std::shared_ptr<FolderNode> BuildFolder(Frame& frame, const std::string& where) {
    Record r(*frame.record, where);
    auto folder = std::make_shared<FolderNode>();
    folder->name = r.Text("name");
    folder->entry_id = r.Text("entry_id");
    Id(folder->entry_id, r.Where("entry_id"));
    folder->kind = r.Int32("kind");
    folder->current_view = r.TextOr("current_view", "");
    folder->custom_views_only = r.BoolOr("custom_views_only", false);
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
    if (!frame.has_list)
      Fail(r.Where("items"), r.Find("items") ? "expected an array" : "missing");
    if (!frame.has_folders)
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
    for (auto& item : frame.items) {
      item->folder = folder.get();
      loaded_.AdoptItem(item);
    }
    for (auto& child : frame.folders) {
      child->parent = folder.get();
      folder->children.push_back(std::move(child));
    }
    return folder;
  }

  void BuildStore(Frame& frame, const std::string& where) {
    Record r(*frame.record, where);
    auto store = std::make_unique<StoreNode>();
    store->name = r.Text("name");
    store->store_id = r.Text("store_id");
    if (!IsIdentifier(store->store_id))
      Fail(r.Where("store_id"), "expected an identifier of hexadecimal digits");
    if (!store_ids_.insert(store->store_id).second)
      Fail(r.Where("store_id"), "duplicate store_id " + store->store_id);
    if (frame.folders.empty())
      Fail(r.Where("root"), r.Find("root") ? "expected an object" : "missing");
    store->root = std::move(frame.folders.front());
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

  void BuildMailbox(Frame& frame) {
    const std::string top;
    Record r(*frame.record, top);
    if (r.TextOr("format", "") != kFormat)
      Fail("format", "not a pinlet mailbox (expected \"pinlet-mailbox\")");
    if (r.Find("version") && Record::Int32Of(r.Required("version"), "version") != 1)
      Fail("version", "expected 1, the version this program reads");
    if (!frame.has_list)
      Fail("stores", r.Find("stores") ? "expected an array" : "missing");
    if (const json* next = r.Find("next_id")) {
      const bool fits = next->is_number_unsigned() && next->get<uint64_t>() >= 1 &&
                        next->get<uint64_t>() <= MailStore::kMaxIdCounter;
      if (!fits)
        Fail("next_id", "expected a whole number from 1 to " +
                            std::to_string(MailStore::kMaxIdCounter));
      loaded_.BumpIdCounter(next->get<uint64_t>() - 1);
    }
  }

  std::vector<Frame> frames_;
  MailStore loaded_;
  std::unordered_set<std::string> ids_;
  std::unordered_set<std::string> store_ids_;
  std::vector<std::pair<int32_t, FolderNode*>> defaults_;  // of the store being read
};

}  // namespace

bool MailboxFromJson(std::string_view text, MailStore& store, std::string* error) {
  Loader loader;
  try {
    json::sax_parse(text.begin(), text.end(), &loader);
  } catch (const LoadError& e) {
    if (error) *error = e.where.empty() ? e.what : e.where + ": " + e.what;
    return false;
  }
  store = loader.Take();
  return true;
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
