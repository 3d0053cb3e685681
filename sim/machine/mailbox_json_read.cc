// Reading the mailbox file. nlohmann-json's SAX parser delivers the file as
// events; a stack of frames follows where in the mailbox each event belongs.
// Stores, folders and items are records: each is gathered into a small JSON
// object of its own and turned into its node as soon as it ends, so the memory
// used is the mailbox and the one record being read, and the time is linear in
// the file's size. The frames give every error its place in the file;
// mailbox_records.cc checks each record and builds its node.
#include <nlohmann/json.hpp>
#include <vector>

#include "sim/machine/mailbox_json.h"
#include "sim/machine/mailbox_records.h"
#include "sim/machine/real_files.h"

namespace pinlet::sim {
namespace {

using mailbox_file::Fail;
using mailbox_file::LoadError;
using mailbox_file::MailboxBuilder;
using nlohmann::json;

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
  // The lists of records read in a record, and what they have become: a
  // folder's items and subfolders; the root's stores count as its items, and a
  // store's root folder is kept among the store's folders.
  MailboxBuilder::Lists lists;
};

class Loader : public nlohmann::json_sax<json> {
 public:
  MailStore Take() { return builder_.Take(); }

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
          parent.lists.has_folders = true;
        } else {
          parent.lists.has_items = true;
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
          frames_[frames_.size() - 2].lists.items.push_back(
              builder_.Item(*frame.record, where));
          break;
        case Kind::kFolder: {
          auto folder = builder_.Folder(*frame.record, where, frame.lists);
          Frame& parent = frames_.back().kind == Kind::kStore
                              ? frames_.back()
                              : frames_[frames_.size() - 2];
          parent.lists.folders.push_back(std::move(folder));
          break;
        }
        case Kind::kStore:
          builder_.Store(
              *frame.record, where,
              frame.lists.folders.empty() ? nullptr : frame.lists.folders.front());
          break;
        default:
          builder_.Mailbox(*frame.record, frame.lists.has_items);
          break;
      }
    }
    if (!frames_.empty() && frames_.back().is_array) ++frames_.back().index;
    return true;
  }

  std::vector<Frame> frames_;
  MailboxBuilder builder_;
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
