// How this layer reaches the subsystems built on top of it: one small
// interface per subsystem, declared here and implemented above (the note
// store, the note window, the explorers, the item windows, Word's editor,
// the sharing product). Whoever assembles the add-in installs them
// (Install... of each layer); a subsystem that is not installed is a null
// pointer, and what would reach it does nothing.
#ifndef PINLET_ADDIN_SUBSYSTEMS_H_
#define PINLET_ADDIN_SUBSYSTEMS_H_

#include <functional>
#include <memory>
#include <string>

#include "addin/note_window.h"
#include "platform/addin_host.h"
#include "platform/addin_object.h"
#include "platform/outlook_app.h"

namespace pinlet {

struct AddinContext;

struct Subsystems {
  // The note store (store/): the notes folder and the note window registry.
  class Store {
   public:
    virtual ~Store() = default;
    // Finds or creates the notes folder and caches its identifiers.
    virtual ol::FolderPtr NotesFolder(AddinContext& ctx) = 0;
    // The window for the note of `id` (the note `note` of `parent`), made
    // and listed when there is none; nullptr when none can be made.
    virtual std::shared_ptr<NoteWindow> GetNoteForm(AddinContext& ctx, const std::string& id,
                                                    ol::ItemPtr note, ol::ItemPtr parent) = 0;
    // Shows a listed window.
    virtual void DisplayNote(AddinContext& ctx, const std::shared_ptr<NoteWindow>& window) = 0;
    // Puts back on top the window whose parent item's window closed.
    virtual void ParentItemClosed(AddinContext& ctx, const std::string& id) = 0;
  };

  // The note window (notewindow/).
  class NoteWindows {
   public:
    virtual ~NoteWindows() = default;
    // A new note window (frmComments), not yet loaded or listed.
    virtual std::shared_ptr<NoteWindow> Create(AddinContext& ctx) = 0;
    // At start-up: deletes the temporary files an earlier session left (the
    // copies of opened attachments).
    virtual void DeleteStaleFiles(AddinContext& ctx) = 0;
  };

  // The explorers (explorer/), for the connector and the note window.
  class Explorers {
   public:
    virtual ~Explorers() = default;
    // Creates the explorer tracker with a wrapper for the open main window.
    virtual void Create(AddinContext& ctx) = 0;
    // The active explorer handles its selection again (its note display,
    // its "Add Note"/"View Note" button), and the other explorers' buttons
    // follow their selections again.
    virtual void RefreshActive(AddinContext& ctx) = 0;
    // Every explorer forgets an item it showed automatically.
    virtual void ForgetEntryId(AddinContext& ctx, const std::string& entry_id) = 0;
  };

  // The item windows (inspector/), for the connector and the note window.
  class Inspectors {
   public:
    virtual ~Inspectors() = default;
    // Creates the inspector tracker and hands it Application.Inspectors.
    virtual void CreateTracker(AddinContext& ctx, const ol::InspectorsPtr& inspectors) = 0;
    // The note button of the parent's open item window shows "View Note"
    // (`has_note`) or "Add Note".
    virtual void SetNoteButton(AddinContext& ctx, const ol::ItemPtr& parent,
                               bool has_note) = 0;
  };

  // Word's editor (inspector/), in Word's instance of the add-in.
  class WordEditor {
   public:
    virtual ~WordEditor() = default;
    // Its mail-window buttons start once Word's connector reached Outlook's
    // (`outlook` answers that connector, nullptr once it is gone)...
    virtual void Start(AddinContext& ctx, const HostApplicationPtr& word,
                       std::function<std::shared_ptr<AddInConnector>()> outlook) = 0;
    // ... and stop at shut-down.
    virtual void Stop(AddinContext& ctx) = 0;
  };

  // The sharing product (sharing/): its files and extension prepared, its
  // entries assigned.
  class Sharing {
   public:
    virtual ~Sharing() = default;
    virtual void Prepare(AddinContext& ctx) = 0;
    virtual void AssignItems(AddinContext& ctx) = 0;
  };

  std::shared_ptr<Store> store;
  std::shared_ptr<NoteWindows> note_windows;
  std::shared_ptr<Explorers> explorers;
  std::shared_ptr<Inspectors> inspectors;
  std::shared_ptr<WordEditor> word_editor;
  std::shared_ptr<Sharing> sharing;
};

}  // namespace pinlet

#endif  // PINLET_ADDIN_SUBSYSTEMS_H_
