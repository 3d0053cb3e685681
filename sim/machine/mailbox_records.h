// The records of the mailbox file (the root, stores, folders and items, each a
// JSON object) turned into the mailbox's nodes, with every check on their
// members. Private to the mailbox file's reader (mailbox_json_read.cc), which
// hands each record over as soon as it has been read.
#ifndef PINLET_SIM_MACHINE_MAILBOX_RECORDS_H_
#define PINLET_SIM_MACHINE_MAILBOX_RECORDS_H_

#include <memory>
#include <nlohmann/json.hpp>
#include <string>
#include <unordered_set>
#include <utility>
#include <vector>

#include "sim/machine/mail_store.h"

namespace pinlet::sim::mailbox_file {

// Why the file is refused: where (a JSON path such as "stores[0].root.kind",
// "" for the file as a whole) and what was expected there.
struct LoadError {
  std::string where;
  std::string what;
};

[[noreturn]] inline void Fail(std::string where, std::string what) {
  throw LoadError{std::move(where), std::move(what)};
}

// Builds the mailbox record by record, children before their parents. Each
// call throws LoadError for a record that is wrong.
class MailboxBuilder {
 public:
  // The lists of a folder record, read before the folder itself ends.
  struct Lists {
    bool has_items = false;  // "items" was an array
    bool has_folders = false;
    std::vector<std::shared_ptr<ItemNode>> items;
    std::vector<std::shared_ptr<FolderNode>> folders;
  };

  std::shared_ptr<ItemNode> Item(const nlohmann::json& object, const std::string& where);
  // A folder with its items filed and its subfolders attached.
  std::shared_ptr<FolderNode> Folder(const nlohmann::json& object,
                                     const std::string& where, const Lists& lists);
  // A store with its root folder (nullptr when the record had none).
  void Store(const nlohmann::json& object, const std::string& where,
             std::shared_ptr<FolderNode> root);
  // The file's root object, after all its stores.
  void Mailbox(const nlohmann::json& object, bool has_stores);

  MailStore Take() { return std::move(loaded_); }

 private:
  void Id(const std::string& id, const std::string& where);

  MailStore loaded_;
  std::unordered_set<std::string> ids_;
  std::unordered_set<std::string> store_ids_;
  std::vector<std::pair<int32_t, FolderNode*>> defaults_;  // of the store being read
};

}  // namespace pinlet::sim::mailbox_file

#endif  // PINLET_SIM_MACHINE_MAILBOX_RECORDS_H_
