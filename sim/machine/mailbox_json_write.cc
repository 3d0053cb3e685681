// Writing the mailbox file: the JSON text is produced as the mailbox is walked,
// laid out as one-blank indented JSON with each object's keys in sorted order.
#include <cmath>
#include <nlohmann/json.hpp>
#include <vector>

#include "sim/machine/mailbox_json.h"
#include "sim/machine/real_files.h"

namespace pinlet::sim {
namespace {

// Appends JSON text to a string, one member or element a line.
class JsonWriter {
 public:
  explicit JsonWriter(std::string& out) : out_(out) {}

  void BeginObject() { Open('{'); }
  void EndObject() { Close('}'); }
  void BeginArray() { Open('['); }
  void EndArray() { Close(']'); }
  void Key(std::string_view key) {
    NewLine();
    Quoted(key);
    out_ += ": ";
    after_key_ = true;
  }
  void Text(std::string_view text) {
    Place();
    Quoted(text);
  }
  // Text known to need no escaping (hexadecimal digits).
  void PlainText(std::string_view text) {
    Place();
    out_ += '"';
    out_ += text;
    out_ += '"';
  }
  void Number(int64_t n) {
    Place();
    out_ += std::to_string(n);
  }
  void Number(double n) {
    Place();
    out_ += nlohmann::json(n).dump();
  }
  void Bool(bool b) {
    Place();
    out_ += b ? "true" : "false";
  }
  void Null() {
    Place();
    out_ += "null";
  }

 private:
  void Quoted(std::string_view text) {
    out_ += nlohmann::json(std::string(text))
                .dump(-1, ' ', false, nlohmann::json::error_handler_t::replace);
  }
  void NewLine() {
    if (!first_.back()) out_ += ',';
    first_.back() = false;
    out_ += '\n';
    out_.append(first_.size() - 1, ' ');
  }
  // Before a value: after its key, or on its own line in an array.
  void Place() {
    if (after_key_) {
      after_key_ = false;
    } else if (first_.size() > 1) {
      NewLine();
    }
  }
  void Open(char c) {
    Place();
    out_ += c;
    first_.push_back(true);
  }
  void Close(char c) {
    const bool empty = first_.back();
    first_.pop_back();
    if (!empty) {
      out_ += '\n';
      out_.append(first_.size() - 1, ' ');
    }
    out_ += c;
  }

  std::string& out_;
  std::vector<bool> first_{true};  // per open container: nothing written in it yet
  bool after_key_ = false;
};

struct Refused {
  std::string why;
};

std::string Hex(const std::string& bytes) {
  static constexpr char kDigits[] = "0123456789abcdef";
  std::string out;
  out.reserve(bytes.size() * 2);
  for (unsigned char c : bytes) {
    out += kDigits[c >> 4];
    out += kDigits[c & 15];
  }
  return out;
}

class MailboxWriter {
 public:
  explicit MailboxWriter(std::string& out) : w_(out) {}

  void Mailbox(const MailStore& store) {
    w_.BeginObject();
    w_.Key("format");
    w_.Text("pinlet-mailbox");
    w_.Key("next_id");
    w_.Number(static_cast<int64_t>(store.id_counter()));
    w_.Key("stores");
    w_.BeginArray();
    for (const auto& s : store.stores()) {
      w_.BeginObject();
      w_.Key("kind");
      w_.Text(s->kind == StoreKind::kExchange ? "exchange" : "pst");
      w_.Key("name");
      w_.Text(s->name);
      w_.Key("root");
      Folder(*s->root, 0);
      w_.Key("store_id");
      w_.Text(s->store_id);
      w_.EndObject();
    }
    w_.EndArray();
    w_.Key("version");
    w_.Number(int64_t{1});
    w_.EndObject();
  }

 private:
  void Folder(const FolderNode& folder, size_t depth) {
    if (depth > kMaxFolderDepth)
      throw Refused{"folder " + folder.Path() + " is nested more than " +
                    std::to_string(kMaxFolderDepth) + " levels deep"};
    int default_number = 0;
    for (auto& [number, node] : folder.store->defaults)
      if (node == &folder) default_number = number;
    w_.BeginObject();
    w_.Key("current_view");
    w_.Text(folder.current_view);
    w_.Key("custom_views_only");
    w_.Bool(folder.custom_views_only);
    w_.Key("default");
    w_.Number(int64_t{default_number});
    w_.Key("description");
    w_.Text(folder.description);
    w_.Key("entry_id");
    w_.Text(folder.entry_id);
    w_.Key("folders");
    w_.BeginArray();
    for (const auto& child : folder.children) Folder(*child, depth + 1);
    w_.EndArray();
    w_.Key("items");
    w_.BeginArray();
    for (const auto& item : folder.items) Item(*item);
    w_.EndArray();
    w_.Key("kind");
    w_.Number(int64_t{folder.kind});
    w_.Key("name");
    w_.Text(folder.name);
    w_.Key("user_fields");
    w_.BeginArray();
    for (const std::string& field : folder.user_fields) w_.Text(field);
    w_.EndArray();
    w_.Key("views");
    w_.BeginArray();
    for (const ViewNode& v : folder.views) {
      w_.BeginObject();
      w_.Key("name");
      w_.Text(v.name);
      w_.Key("save_option");
      w_.Number(int64_t{v.save_option});
      w_.Key("type");
      w_.Number(int64_t{v.type});
      w_.Key("xml");
      w_.Text(v.xml);
      w_.EndObject();
    }
    w_.EndArray();
    w_.EndObject();
  }

  void Item(const ItemNode& item) {
    where_ = &item;
    w_.BeginObject();
    w_.Key("attachments");
    w_.BeginArray();
    for (const AttachmentNode& a : item.attachments) {
      w_.BeginObject();
      w_.Key("content_hex");
      w_.PlainText(Hex(a.content));
      w_.Key("display_name");
      w_.Text(a.display_name);
      w_.Key("file_name");
      w_.Text(a.file_name);
      w_.Key("path_name");
      w_.Text(a.path_name);
      w_.Key("type");
      w_.Number(int64_t{a.type});
      w_.EndObject();
    }
    w_.EndArray();
    w_.Key("class");
    w_.Number(int64_t{item.cls});
    w_.Key("created");
    DateValue(item.created);
    w_.Key("entry_id");
    w_.Text(item.entry_id);
    w_.Key("last_modified");
    DateValue(item.last_modified);
    w_.Key("mapi");
    w_.BeginObject();
    for (auto& [tag, value] : item.mapi_props) {
      w_.Key(std::to_string(tag));
      Value(value);
    }
    w_.EndObject();
    w_.Key("members");
    w_.BeginObject();
    for (auto& [name, value] : item.members) {
      w_.Key(name);
      Value(value);
    }
    w_.EndObject();
    w_.Key("message_class");
    w_.Text(item.message_class);
    w_.Key("recipients");
    w_.BeginArray();
    for (const auto& shared : item.recipients) {
      const RecipientNode& recipient = *shared;
      w_.BeginObject();
      w_.Key("address");
      w_.Text(recipient.address);
      w_.Key("name");
      w_.Text(recipient.name);
      w_.Key("resolved");
      w_.Bool(recipient.resolved);
      w_.Key("type");
      w_.Number(int64_t{recipient.type});
      w_.EndObject();
    }
    w_.EndArray();
    w_.Key("search_key");
    w_.Text(item.search_key);
    w_.Key("subject");
    w_.Text(item.subject);
    w_.Key("user_properties");
    w_.BeginArray();
    for (const PropNode& p : item.user_props) {
      w_.BeginObject();
      w_.Key("name");
      w_.Text(p.name);
      w_.Key("type");
      w_.Number(int64_t{p.type});
      w_.Key("value");
      Value(p.value);
      w_.EndObject();
    }
    w_.EndArray();
    w_.EndObject();
  }

  void Value(const Variant& v) {
    if (v.IsText()) return w_.Text(v.text());
    if (v.IsLong()) return w_.Number(int64_t{v.long_value()});
    if (v.IsBool()) return w_.Bool(v.bool_value());
    if (v.IsDouble()) {
      if (!std::isfinite(v.double_value()))
        throw Refused{"item " + where_->entry_id + " holds a number that is not finite"};
      return w_.Number(v.double_value());
    }
    if (v.IsDate()) {
      w_.BeginObject();
      w_.Key("date");
      DateValue(v.date_value());
      return w_.EndObject();
    }
    w_.Null();
  }

  void DateValue(Date date) {
    if (!date.InHostRange())
      throw Refused{"item " + where_->entry_id +
                    " holds a date outside the years 100 to 9999"};
    w_.Number(date.value());
  }

  JsonWriter w_;
  const ItemNode* where_ = nullptr;
};

}  // namespace

bool MailboxToJson(const MailStore& store, std::string& json, std::string* error) {
  std::string out;
  try {
    MailboxWriter(out).Mailbox(store);
  } catch (const Refused& refused) {
    if (error) *error = refused.why;
    return false;
  }
  out += '\n';
  json = std::move(out);
  return true;
}

bool SaveMailbox(const MailStore& store, const std::string& path, std::string* error) {
  std::string json, why;
  if (!MailboxToJson(store, json, &why)) {
    if (error) *error = "cannot save " + path + ": " + why + "; the file is unchanged";
    return false;
  }
  return WriteFileAtomically(path, json, error);
}

}  // namespace pinlet::sim
