#include "inspector/cls_inspectors.h"

#include "addin/error_report.h"
#include "addin/settings.h"
#include "addin/string_table.h"
#include "inspector/cls_reply_forward.h"
#include "inspector/note_insertion.h"
#include "store/folder_identity.h"
#include "store/note_link.h"
#include "store/note_windows.h"
#include "store/notes_folder.h"

namespace pinlet {

int SuppressionSlot(int cls) {
  switch (cls) {
    case ol::kMail:
      return 0;
    case ol::kPost:
      return 1;
    case ol::kAppointment:
      return 2;
    case ol::kContact:
      return 3;
    case ol::kDistList:
      return 4;
    case ol::kTask:
      return 5;
    case ol::kJournal:
      return 6;
    case ol::kDocument:
      return 7;
    default:
      return -1;
  }
}

void clsInspectors::HeldItem::Hold(ol::ItemPtr i, std::function<void(bool&)> on_open) {
  events.Reset();
  item = std::move(i);
  events = Must(item).OnOpen(std::move(on_open));
}

void clsInspectors::HeldItem::Release() {
  events.Reset();
  item.reset();
}

clsInspectors::~clsInspectors() {
  fInspectors_events_.Reset();
  fInspectors_.reset();
  for (HeldItem& slot : slots_) slot.Release();
  objMail_.Release();
}

void clsInspectors::SetInspectors(ol::InspectorsPtr inspectors) {
  fInspectors_events_.Reset();
  fInspectors_ = std::move(inspectors);
  fInspectors_events_ =
      Must(fInspectors_).OnNewInspector([this](ol::InspectorPtr inspector) {
        fInspectors_NewInspector(inspector);
      });
}

std::shared_ptr<clsInspector> clsInspectors::Track(const ol::InspectorPtr& inspector,
                                                   const ol::ItemPtr& item) {
  auto wrapper = std::make_shared<clsInspector>(ctx_);
  wrapper->SetInspector(inspector);
  wrapper->SetItem(item);
  wrapper->SetID(++window_count_);
  if (ctx_.inspector_wrappers) ctx_.inspector_wrappers->push_back(wrapper);
  return wrapper;
}

void clsInspectors::fInspectors_NewInspector(const ol::InspectorPtr& inspector) {
  RunGuardedSub(ctx_, "clsInspectors(Sub fInspectors_NewInspector)", [&](Proc& proc) {
    proc.line = 10;
    ol::ItemPtr item = Must(inspector).CurrentItem();
    int cls = Must(item).Class();
    // Only a new mail answers: a saved mail opening while the hand-over is
    // pending (Outlook's command made no window) ends the hand-over instead.
    if (ctx_.handover && cls == ol::kMail &&
        !TryGet([&] { return item->EntryID(); }).empty())
      ctx_.handover = false;
    if (cls == ol::kMail && ctx_.handover) {
      // The reply or forward the explorer side announced.
      proc.line = 50;
      ctx_.handover = false;
      std::shared_ptr<clsInspector> wrapper = Track(inspector, item);
      wrapper->AddNoteButton(LoadResString(res::kAddNote));
      wrapper->SetNoteItem(nullptr);
      objMail_.Hold(item, [this](bool& cancel) { objMail_Open(cancel); });
      return;
    }
    proc.line = 20;
    // An item of the notes folder is a note: the note window shows it. The
    // item's own folder tells, wherever the main window is.
    ol::FolderPtr folder = TryGet([&] { return item->Parent(); });
    if (folder && TryGet([&] { return IsNotesFolder(ctx_, folder); })) {
      OpenNotesFolderItem(folder, item, cls);
      return;
    }
    proc.line = 30;
    std::shared_ptr<clsInspector> wrapper = Track(inspector, item);
    proc.line = 40;
    std::string entry_id = TryGet([&] { return item->EntryID(); });
    ol::ItemPtr note = FindNoteOf(ctx_, item).note;
    if (!note) {
      wrapper->AddNoteButton(LoadResString(res::kAddNote));
      wrapper->SetNoteItem(nullptr);
      return;
    }
    wrapper->AddNoteButton(LoadResString(res::kViewNote));
    wrapper->SetNoteItem(note);
    if (ctx_.parent_opening) return;
    if (ReadNumber(ctx_.registry(), kNoteKey, "ItemOpen") <= 0) return;
    proc.line = 45;
    if (std::shared_ptr<NoteWindow> window = GetNoteForm(ctx_, entry_id, note, item))
      DisplayNote(ctx_, window);
  });
}

void clsInspectors::OpenNotesFolderItem(const ol::FolderPtr& folder,
                                        const ol::ItemPtr& item, int cls) {
  std::shared_ptr<NoteWindow> window;
  IgnoreError([&] {
    std::string subject = item->Subject();
    ol::ItemPtr note = TryGet([&] { return folder->Items()->Item(subject); });
    window = GetNoteForm(ctx_, subject, note ? note : item, nullptr);
  });
  IgnoreError([&] {
    int slot = SuppressionSlot(cls);
    if (slot < 0) return;
    if (slot == kMailSlot)
      slots_[slot].Hold(item, [this](bool& cancel) { objOpeningNoteMail_Open(cancel); });
    else
      slots_[slot].Hold(item, [](bool& cancel) { cancel = true; });
  });
  if (window) DisplayNote(ctx_, window);
}

void clsInspectors::objOpeningNoteMail_Open(bool& cancel) {
  RunGuardedSub(ctx_, "clsInspectors(Sub objOpeningNoteMail_Open)", [&](Proc&) {
    ol::ItemPtr item = slots_[kMailSlot].item;
    std::string subject = Must(item).Subject();
    if (std::shared_ptr<NoteWindow> window = GetNoteForm(ctx_, subject, item, nullptr))
      DisplayNote(ctx_, window);
  });
  // Outlook's own window of a note never shows, whatever failed above.
  cancel = true;
}

void clsInspectors::objMail_Open(bool& cancel) {
  // The reply's Open comes once; a later opening of the same mail (saved as
  // a draft and opened again) is an ordinary item window.
  ol::ItemPtr reply = objMail_.item;
  objMail_.events.Reset();
  RunGuardedSub(ctx_, "clsInspectors(Sub objMail_Open)", [&](Proc& proc) {
    ol::ItemPtr note = ctx_.handover_note;
    if (!note) return;
    Registry& registry = ctx_.registry();
    proc.line = 10;
    if (!ReadCheck(registry, kNoteKey, "ReplyForward")) return SetReplyForwardObject();
    proc.line = 20;
    if (ReadCheck(registry, kNoteKey, "WarningOnNoteInsertion") &&
        !warning_.Ask(note, ctx_.handover_item))
      return SetReplyForwardObject();
    proc.line = 30;
    // Outlook's reply is dropped only once the mail replacing it shows.
    if (ReplaceWithNoteMail(ctx_, proc, reply, note)) cancel = true;
  });
  objMail_.Release();
}

void clsInspectors::SetReplyForwardObject() {
  RunGuardedSub(ctx_, "clsInspectors(Sub SetReplyForwardObject)", [&](Proc&) {
    auto reply_forward = std::make_shared<clsReplyForward>(ctx_);
    if (ctx_.reply_forwards) ctx_.reply_forwards->push_back(reply_forward);
    reply_forward->SetUp(ctx_.handover_note, objMail_.item);
  });
}

}  // namespace pinlet
