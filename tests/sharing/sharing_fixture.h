// The add-in with the store and the sharing extension installed, in a
// simulated Outlook on the sample mailbox, with the sharing product's
// stand-in installed or not.
#ifndef PINLET_TESTS_SHARING_SHARING_FIXTURE_H_
#define PINLET_TESTS_SHARING_SHARING_FIXTURE_H_

#include <string>
#include <vector>

#include "addin/settings.h"
#include "sim/machine/sim_mapi_helpers.h"
#include "sharing/c_lib_addin.h"
#include "sharing/sharing_startup.h"
#include "store/notes_folder.h"
#include "store/parent_marking.h"
#include "store/store_fixture.h"

namespace pinlet {

class SharingTest : public StoreTest {
 protected:
  SharingTest() {
    install_more = [](Subsystems& s) { InstallSharing(s); };
  }

  // The personal folder the sample machine gives (mode 1).
  static constexpr const char* kPersonal =
      "C:\\Documents and Settings\\User\\Application Data\\Pinlet\\";
  static constexpr const char* kDatabase =
      "C:\\Documents and Settings\\User\\Application Data\\Pinlet\\"
      "UserOutlookrelaybook.mdb";

  // A note for `parent`, made and marked as the note window does.
  ol::ItemPtr AddNote(const ol::ItemPtr& parent) {
    NewNote made = AddNewNoteItem(ctx(), parent);
    SetParentItemProperties(ctx(), parent, true);
    return made.note;
  }
  // A saved document in the Inbox.
  ol::ItemPtr NewDocument(const std::string& subject) {
    auto doc = Inbox()->Items()->Add(std::string_view("IPM.Document.Word.Document.8"));
    doc->SetSubject(subject);
    doc->Save();
    return doc;
  }
  std::optional<sim::SimSharing::Deletion> DeleteShared(const ol::ItemPtr& item) {
    return world.sharing.DeleteSharedItem(sim::NodeOf(item));
  }
  cLibAddin& Extension() { return *ctx().sharing_extension; }
  // Names and values under "\Shared", as "EntryID=StoreID".
  std::vector<std::string> SharedEntries() {
    std::vector<std::string> out;
    for (const std::string& name :
         world.registry.EnumValueNames(kSharedKey).value_or(std::vector<std::string>{}))
      out.push_back(name + "=" + world.registry.QueryValue(kSharedKey, name)->data);
    return out;
  }
  std::vector<std::string> Reported() {
    std::vector<std::string> out;
    for (const auto& folder : world.sharing.reported_folders())
      out.push_back(folder.entry_id + "=" + folder.store_id);
    return out;
  }
  std::vector<std::string> MessagesShown() {
    std::vector<std::string> out;
    for (const auto& box : world.message_boxes.shown()) out.push_back(box.text);
    return out;
  }
  sim::SimObjectFactory& Factory() {
    return static_cast<sim::SimObjectFactory&>(*world.objects);
  }
};

}  // namespace pinlet

#endif  // PINLET_TESTS_SHARING_SHARING_FIXTURE_H_
