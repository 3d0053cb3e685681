#include "addin/outlook_connect.h"

#include "addin/error_report.h"
#include "addin/session.h"
#include "addin/settings.h"
#include "addin/string_table.h"

namespace pinlet {

// ---- OutAddIn ----

OutAddIn::~OutAddIn() {
  objInsp_events_.Reset();
  objInsp_.reset();
  colInsp_events_.Reset();
  colInsp_.reset();
  context_.sharing_registration.reset();
  context_.sharing_product.reset();
  context_.sharing_extension.reset();
}

void OutAddIn::InitHandler(ol::ApplicationPtr application, std::string prog_id) {
  application_ = std::move(application);
  prog_id_ = std::move(prog_id);
  colInsp_ = Must(application_).Inspectors();
  colInsp_events_ = colInsp_->OnNewInspector(
      [this](ol::InspectorPtr inspector) { colInsp_NewInspector(inspector); });
}

void OutAddIn::UnInitHandler() {
  context_.explorer_tracker.reset();
  context_.inspector_tracker.reset();
  objInsp_events_.Reset();
  objInsp_.reset();
  current_item_.reset();
  colInsp_events_.Reset();
  colInsp_.reset();
  application_.reset();
  context_.support.reset();
  context_.name_space.reset();
  context_.handover_item.reset();
  context_.handover_note.reset();
}

void OutAddIn::colInsp_NewInspector(const ol::InspectorPtr& inspector) {
  objInsp_events_.Reset();
  objInsp_ = inspector;
  IgnoreError(
      [&] { objInsp_events_ = Must(objInsp_).OnClose([this] { objInsp_Close(); }); });
  IgnoreError([&] { current_item_ = Must(objInsp_).CurrentItem(); });
}

void OutAddIn::objInsp_Close() {
  IgnoreError([&] {
    if (!current_item_ || !context_.subsystems.store) return;
    context_.subsystems.store->ParentItemClosed(context_, current_item_->EntryID());
  });
}

// ---- COutlookConnect ----

namespace {

// Removes the entries of a process-wide list from the last to the first,
// then releases the list.
template <typename List>
void EmptyLastFirst(std::optional<List>& list) {
  if (!list) return;
  while (!list->empty()) list->pop_back();
  list.reset();
}

}  // namespace

COutlookConnect::~COutlookConnect() {
  if (context_->outlook_connector == this) context_->outlook_connector = nullptr;
}

OutAddIn& COutlookConnect::GetOutAddIn() {
  if (!out_addin_) out_addin_ = std::make_unique<OutAddIn>(*context_);
  return *out_addin_;
}

void COutlookConnect::OnConnection(HostApplicationPtr application, int,
                                   std::shared_ptr<COMAddIn> addin_inst, Custom&) {
  AddinContext& ctx = *context_;
  auto outlook = std::dynamic_pointer_cast<ol::Application>(application);
  // Steps 1 to 4 run with errors ignored, each failing step skipped.
  IgnoreError([&] {
    ctx.application = outlook;
    ctx.host = outlook;
    m_app_ = outlook;
    ctx.outlook_connector = this;
  });
  ctx.note_windows.emplace();
  ctx.reply_forwards.emplace();
  ctx.inspector_wrappers.emplace();
  IgnoreError([&] {
    if (!outlook) throw ObjectRequiredError();
    ctx.name_space = outlook->GetNameSpace("MAPI");
  });
  IgnoreError([&] {
    if (ctx.subsystems.sharing) ctx.subsystems.sharing->Prepare(ctx);
  });
  // From here the first error silently ends the connection, which stays
  // uninitialised.
  IgnoreError([&] {
    if (ctx.subsystems.sharing) ctx.subsystems.sharing->AssignItems(ctx);
    ctx.install_dir = GetInstallDir(ctx.registry());
    ctx.user_dir = GetMyDir(ctx.registry());
    // The notes folder is found or created, and its identifiers cached, at every start.
    IgnoreError([&] {
      if (ctx.subsystems.store) ctx.subsystems.store->NotesFolder(ctx);
    });
    if (!outlook) throw ObjectRequiredError();
    if (outlook->Explorers()->Count() == 0 && outlook->Inspectors()->Count() == 0) return;
    GetOutAddIn().InitHandler(outlook, addin_inst ? addin_inst->ProgId() : "");
    initialized_ = true;
  });
}

void COutlookConnect::OnStartupComplete(Custom&) {
  AddinContext& ctx = *context_;
  IgnoreError([&] {
    auto library = ctx.platform.load_support_library();
    ctx.support = std::make_unique<CLibZarvo>(library);
    ctx.support->Init(kModuleHandle, ctx.application);
  });
  IgnoreError([&] {
    if (ctx.subsystems.explorers) ctx.subsystems.explorers->Create(ctx);
  });
  IgnoreError([&] {
    if (ctx.subsystems.inspectors)
      ctx.subsystems.inspectors->CreateTracker(ctx, Must(ctx.application).Inspectors());
  });
  IgnoreError([&] {
    if (ctx.subsystems.note_windows) ctx.subsystems.note_windows->DeleteStaleFiles(ctx);
  });
}

void COutlookConnect::OnBeginShutdown(Custom&) {
  AddinContext& ctx = *context_;
  if (ctx.note_windows) {
    // Last opened first; a window that fails to unload still leaves the list.
    while (!ctx.note_windows->empty()) {
      std::shared_ptr<NoteWindow> window = ctx.note_windows->back();
      IgnoreError([&] { window->Unload(); });
      if (!ctx.note_windows->empty() && ctx.note_windows->back() == window)
        ctx.note_windows->pop_back();
    }
    ctx.note_windows.reset();
  }
  EmptyLastFirst(ctx.reply_forwards);
  EmptyLastFirst(ctx.inspector_wrappers);
}

void COutlookConnect::OnDisconnection(int, Custom&) {
  AddinContext& ctx = *context_;
  IgnoreError([&] {
    if (out_addin_) out_addin_->UnInitHandler();
  });
  out_addin_.reset();
  ctx.application.reset();
  ctx.host.reset();
  m_app_.reset();
  if (ctx.outlook_connector == this) ctx.outlook_connector = nullptr;
  initialized_ = false;
}

ReplyForms COutlookConnect::GetReplyForms() {
  return context_->reply_forwards ? *context_->reply_forwards : ReplyForms();
}

void COutlookConnect::PinletClick(const std::string& caption, bool,
                                  const ol::ItemPtr& mail, const std::shared_ptr<void>&,
                                  bool&, const std::shared_ptr<void>&) {
  AddinContext& ctx = *context_;
  RunGuardedSub(ctx, "Connect(Sub COutlookConnect)", [&](Proc& proc) {
    if (!mail) throw ObjectRequiredError();
    Subsystems::Store* store = ctx.subsystems.store.get();
    if (caption == LoadResString(res::kViewNote)) {
      proc.line = 10;
      if (!store) return;
      ol::FolderPtr folder = store->NotesFolder(ctx);
      // Looked for once more before the user is told it cannot be reached.
      if (!folder) folder = store->NotesFolder(ctx);
      if (!folder) return TellNotesUnreachable(ctx);
      std::string id = mail->EntryID();
      ol::ItemPtr note = folder->Items()->Item(id);
      proc.line = 20;
      if (auto window = store->GetNoteForm(ctx, id, note, mail))
        store->DisplayNote(ctx, window);
      return;
    }
    proc.line = 30;
    if (mail->EntryID().empty()) {
      std::string caption_text = Must(mail->GetInspector()).Caption();
      std::string text =
          "In order to add a new note to the '" + caption_text +
          "' item,you should first save this item.\n\rWould you like to do that now?";
      int answer = ctx.platform.message_boxes->Show(
          text, LoadResString(res::kProductName),
          mb::kYesNo | mb::kQuestion | mb::kSetForeground);
      if (answer != mb::kYes) return;
      proc.line = 40;
      mail->Save();
    }
    proc.line = 50;
    if (!store) return;
    if (auto window = store->GetNoteForm(ctx, mail->EntryID(), nullptr, mail))
      store->DisplayNote(ctx, window);
  });
}

}  // namespace pinlet
