#include "sim/app/sweep.h"

#include <map>
#include <ostream>
#include <set>
#include <sstream>
#include <vector>

#include "addin/settings.h"
#include "platform/display_text.h"

namespace pinlet::app {
namespace {

// What a note holds, as the sweep compares it.
struct NoteData {
  // The identifiers a failed call on the note or on its item may name: the
  // note's and the item's EntryIDs, present and former, and the item's folder.
  std::set<std::string> targets;
  std::map<std::string, std::string> fields;  // properties and attachments
};
// The notes, by the item they belong to.
using Notes = std::map<std::string, NoteData>;

// Every item of the mailbox under its EntryIDs, present and former.
using ItemsById = std::map<std::string, const sim::ItemNode*>;
ItemsById IndexItems(const sim::FolderNode& folder, ItemsById index = {}) {
  for (const auto& item : folder.items) {
    index[item->entry_id] = item.get();
    for (const std::string& id : item->former_ids) index[id] = item.get();
  }
  for (const auto& child : folder.children) index = IndexItems(*child, std::move(index));
  return index;
}

// How the sweep names an item across runs: EntryIDs given by moves depend
// on how many were given before, which a failed call can change, so an item
// is named by its search key and the folder it is in.
std::string ItemName(const sim::ItemNode& item) {
  return item.search_key + " in " + (item.folder ? item.folder->Path() : "(nowhere)");
}

// The item a note belongs to: the one its subject names, now or before a
// move; nullptr when there is none.
const sim::ItemNode* ItemOfNote(const ItemsById& items, const sim::ItemNode& note) {
  auto it = items.find(note.subject);
  return it == items.end() ? nullptr : it->second;
}

// The notes folder: the one the add-in's cache names, or, when the cache
// points at nothing (after a migration), the "Pinlet" folder under Notes.
sim::FolderNode* NotesFolderNode(sim::World& world) {
  auto id = world.registry.QueryValue(kFoldersKey, "EntryID");
  if (sim::FolderNode* folder = id ? world.store.FindFolder(id->data) : nullptr)
    return folder;
  sim::StoreNode* store = world.store.default_store();
  if (!store) return nullptr;
  auto notes = store->defaults.find(ol::kFolderNotes);
  return notes == store->defaults.end() ? nullptr : notes->second->Child("Pinlet");
}

// The notes in the notes folder, and those that followed their item into a
// store's Deleted Items (an item there whose subject names an item), read at
// the node level. Where a note lies is not its data: one that did not move
// is compared all the same. `names` gets the name of every item under each
// of its EntryIDs, for the notes typed into.
Notes TakeNotes(sim::World& world, std::map<std::string, std::string>* names = nullptr) {
  Notes notes;
  sim::FaultInjector::Pause pause(world.faults);
  ItemsById items_by_id;
  for (auto& store : world.store.stores())
    items_by_id = IndexItems(*store->root, std::move(items_by_id));
  if (names)
    for (auto& [id, item] : items_by_id) (*names)[id] = ItemName(*item);
  sim::FolderNode* folder = NotesFolderNode(world);
  std::vector<std::shared_ptr<sim::ItemNode>> items;
  if (folder) items = folder->items;
  for (auto& store : world.store.stores()) {
    auto deleted = store->defaults.find(ol::kFolderDeletedItems);
    if (deleted == store->defaults.end() || deleted->second == folder) continue;
    for (auto& item : deleted->second->items)
      if (!item->subject.empty() && ItemOfNote(items_by_id, *item)) items.push_back(item);
  }
  int unlinked = 0;
  for (auto& item : items) {
    const sim::ItemNode* parent = ItemOfNote(items_by_id, *item);
    std::string key = parent ? ItemName(*parent)
                      : item->subject.empty()
                          ? "(unlinked note " + std::to_string(++unlinked) + ")"
                          : item->subject;
    NoteData& note = notes[key];
    note.targets.insert(item->entry_id);
    note.targets.insert(item->former_ids.begin(), item->former_ids.end());
    note.targets.insert(item->subject);
    if (parent) {
      note.targets.insert(parent->entry_id);
      note.targets.insert(parent->former_ids.begin(), parent->former_ids.end());
      if (parent->folder) note.targets.insert(parent->folder->entry_id);
    }
    note.fields["message class"] = item->message_class;
    for (auto& prop : item->user_props) {
      // Where the note records its item to be is the item's, not the note's.
      if (prop.name == "ZPNStoreID" || prop.name == "ZPNKey") continue;
      note.fields["property " + prop.name] = ToText(prop.value);
    }
    for (size_t i = 0; i < item->attachments.size(); ++i)
      note.fields["attachment " + std::to_string(i + 1)] =
          item->attachments[i].file_name + " (" +
          std::to_string(item->attachments[i].content.size()) + " bytes, " +
          std::to_string(std::hash<std::string>{}(item->attachments[i].content)) + ")";
  }
  return notes;
}

// The files of Outlook's answers (replies and forwards) that no mail the
// user got holds, compared by their bytes: a mail made in place of an answer
// must carry all of the answer's own files.
std::vector<std::string> AnswerLosses(const sim::World& world) {
  std::vector<std::string> losses;
  for (size_t i = 0; i < world.answers.size(); ++i) {
    const sim::World::Answer& answer = world.answers[i];
    for (const sim::AttachmentNode& file : answer.files) {
      bool held = false;
      for (const auto& mail : answer.kept)
        for (const sim::AttachmentNode& a : mail->content().attachments)
          held = held || a.content == file.content;
      if (!held)
        losses.push_back("answer " + std::to_string(i + 1) + ": the mail's file \"" +
                         Printable(file.file_name) + "\" is in no mail the user got");
    }
  }
  return losses;
}

struct RunResult {
  bool opened = false;
  std::string open_error;
  Notes before, after;
  std::vector<std::string> answer_losses;
  std::vector<std::string> defects;
  int64_t calls = 0;
  std::vector<sim::FaultInjector::Failure> failures;
  std::set<std::string> typed;         // the notes whose window was typed into
  std::set<std::string> message_texts;  // what the message boxes told the user
};

// Runs the scenario with the calls `fail_from` .. `fail_from + count - 1`
// failing (none for fail_from 0).
RunResult Run(const std::string& script, const std::string& name,
              const DriverOptions& options, int64_t fail_from, int count) {
  RunResult result;
  std::ostringstream discard;
  Driver driver(discard, discard, options);
  if (!driver.Open(result.open_error)) return result;
  result.opened = true;
  result.before = TakeNotes(driver.world());
  driver.set_sweep_mode(true);
  for (int k = 0; fail_from > 0 && k < count; ++k)
    driver.world().faults.FailCall(fail_from + k);
  std::istringstream in(script);
  driver.RunScript(in, name);
  result.answer_losses = AnswerLosses(driver.world());
  std::string ignored;
  driver.Close(ignored);
  driver.world().faults.Clear();
  std::map<std::string, std::string> names;
  result.after = TakeNotes(driver.world(), &names);
  result.defects = driver.world().defects();
  result.calls = driver.world().faults.call_count();
  result.failures = driver.world().faults.failures();
  for (const std::string& id : driver.typed_notes()) {
    auto name = names.find(id);
    result.typed.insert(name == names.end() ? id : name->second);
  }
  for (const auto& box : driver.world().message_boxes.shown())
    result.message_texts.insert(box.text);
  return result;
}

// The dialogs and menus through which the user hands the add-in a choice (a
// file, a colour, a font, a shortcut menu's entry): when one fails, the
// choice never arrives, and what the user would have changed with it is not
// a loss.
bool BringsTheUsersChoice(const std::string& member) {
  static const char* const kDialogs[] = {"GetOpenFileName", "GetSaveFileName",
                                         "ChooseColor", "ChooseFont", "Form.PopupMenu"};
  for (const char* dialog : kDialogs)
    if (member == dialog) return true;
  return false;
}

// Whether `run` showed the user a message that the clean run did not.
bool ToldSomethingNew(const RunResult& clean, const RunResult& run) {
  for (const std::string& text : run.message_texts)
    if (clean.message_texts.count(text) == 0) return true;
  return false;
}

// Whether one of `failures` may have kept a change of the note of `key`
// from being stored: a failure on the note itself, or on the item it belongs
// to (whose subject and folder the note copies), or a dialog or menu whose
// choice never arrived.
bool MayKeepChangeOut(const std::vector<sim::FaultInjector::Failure>& failures,
                      const std::string& key, const NoteData& note, bool existed) {
  for (const auto& failure : failures) {
    const std::string& target = failure.target;
    if (!target.empty() && (target == key || note.targets.count(target) > 0)) return true;
    if (target == "(new item)" && !existed) return true;
    if (BringsTheUsersChoice(failure.member)) return true;
  }
  return false;
}

// What was lost in `run` compared with `clean`; empty when nothing was.
std::vector<std::string> Losses(const RunResult& clean, const RunResult& run) {
  std::vector<std::string> losses;
  std::set<std::string> keys;
  for (auto& [key, note] : clean.after) keys.insert(key);
  for (auto& [key, note] : run.after) keys.insert(key);
  for (const std::string& key : keys) {
    auto in_clean = clean.after.find(key);
    auto in_run = run.after.find(key);
    bool existed = clean.before.count(key) > 0;
    std::string label = "the note of " + Printable(key);
    if (in_run == run.after.end()) {
      if (existed) {
        losses.push_back(label + " is gone");
      } else if (in_clean != clean.after.end() && run.typed.count(key) > 0 &&
                 !ToldSomethingNew(clean, run)) {
        // What the user typed went nowhere, and nobody said so.
        losses.push_back(label + " was typed into and is not stored, and the user "
                                 "was not told");
      }
      continue;  // otherwise the failure kept it from being made
    }
    if (in_clean == clean.after.end()) {
      losses.push_back(label + " was made, and the clean run has none");
      continue;
    }
    if (MayKeepChangeOut(run.failures, key, in_run->second, existed)) continue;
    const auto& want = in_clean->second.fields;
    const auto& got = in_run->second.fields;
    std::set<std::string> fields;
    for (auto& [field, value] : want) fields.insert(field);
    for (auto& [field, value] : got) fields.insert(field);
    for (const std::string& field : fields) {
      auto w = want.find(field);
      auto g = got.find(field);
      std::string wanted =
          w == want.end() ? "(none)" : "\"" + Printable(w->second) + "\"";
      std::string found = g == got.end() ? "(none)" : "\"" + Printable(g->second) + "\"";
      if (wanted != found)
        losses.push_back(label + ": " + field + " is " + found + ", not " + wanted);
    }
  }
  return losses;
}

// How the failed calls of a run are named: "call 12 (Items.Item)", "calls
// 12 and 13 (Items.Item, Item.Save)"; a call the run never made is named
// without its member.
std::string FailedCalls(int64_t first, int count,
                        const std::vector<sim::FaultInjector::Failure>& failures) {
  std::string numbers = count == 1 ? "call " + std::to_string(first)
                                   : "calls " + std::to_string(first) + " and " +
                                         std::to_string(first + 1);
  std::string members;
  for (const auto& failure : failures)
    members += (members.empty() ? "" : ", ") + failure.member;
  return members.empty() ? numbers : numbers + " (" + members + ")";
}

}  // namespace

int RunFailureSweep(const std::string& script, const std::string& name,
                    DriverOptions options, std::ostream& out, std::ostream& err,
                    SweepKind kind) {
  options.keep_files = false;
  const int count = kind == SweepKind::kEachPair ? 2 : 1;
  RunResult clean = Run(script, name, options, 0, count);
  if (!clean.opened) {
    err << "pinlet: " << clean.open_error << "\n";
    return kBadCommand;
  }
  int status = kDone;
  int problems = 0;
  for (const std::string& defect : clean.defects) {
    out << name << ": without failures: defect: " << defect << "\n";
    status = kDefect;
    ++problems;
  }
  for (const std::string& loss : clean.answer_losses) {
    out << name << ": without failures: data lost: " << loss << "\n";
    if (status == kDone) status = kExpectationFailed;
    ++problems;
  }
  for (int64_t n = 1; n + count - 1 <= clean.calls; ++n) {
    RunResult run = Run(script, name, options, n, count);
    std::string failed = FailedCalls(n, count, run.failures);
    for (const std::string& defect : run.defects) {
      out << name << ": " << failed << " failing: defect: " << defect << "\n";
      status = kDefect;
      ++problems;
    }
    std::vector<std::string> losses = Losses(clean, run);
    losses.insert(losses.end(), run.answer_losses.begin(), run.answer_losses.end());
    for (const std::string& loss : losses) {
      out << name << ": " << failed << " failing: data lost: " << loss << "\n";
      if (status == kDone) status = kExpectationFailed;
      ++problems;
    }
  }
  out << name << ": " << clean.calls << " host calls, "
      << (count == 1 ? "each failed in turn" : "each pair of consecutive calls failed together")
      << ": "
      << (problems == 0 ? "no defect, no data lost"
                        : std::to_string(problems) + " problems")
      << "\n";
  return status;
}

}  // namespace pinlet::app
