#include "inspector/cls_reply_forward.h"

#include "addin/error_report.h"
#include "addin/string_table.h"
#include "explorer/bas_explorers.h"
#include "inspector/note_insertion.h"

namespace pinlet {
namespace {

constexpr const char* kInsertNote = "Insert Note";
constexpr const char* kInsertNoteTag = "butInsertNote";
constexpr const char* kInsertNoteTip = "Insert related Note";

}  // namespace

clsReplyForward::~clsReplyForward() { objInspector_Close(); }

void clsReplyForward::SetUp(ol::ItemPtr note, ol::ItemPtr mail) {
  objNote_ = std::move(note);
  objMail_ = std::move(mail);
  RunGuardedSub(ctx_, "clsReplyForward(Sub SetUp)", [&](Proc& proc) {
    proc.line = 10;
    objInspector_ = Must(objMail_).GetInspector();
    objInspector_events_ = Must(objInspector_).OnClose([this] { objInspector_Close(); });
    bar_ = objInspector_->CommandBars()->Item(LoadResString(res::kStandard));
    proc.line = 20;
    if (objInspector_->EditorType() == ol::kOlEditorWord) return;
    office::CommandBarControlPtr button =
        TryGet([&] { return Must(bar_).Controls()->Item(kInsertNote); });
    button = ReuseOrAddButton(ctx_, bar_, button, kInsertNoteTag, kInsertNoteTip, "INSERT",
                              kInsertNote);
    proc.line = 30;
    if (!button) return;
    cmdInsertNote_.Hold(button, [this](office::CommandBarControlPtr ctrl, bool& cancel) {
      cmdInsertNote_Click(ctrl, cancel);
    });
  });
}

void clsReplyForward::cmdInsertNote_Click(const office::CommandBarControlPtr&, bool&) {
  // Closing the reply releases what this object holds: it lives on here.
  std::shared_ptr<clsReplyForward> self = shared_from_this();
  RunGuardedSub(ctx_, "clsReplyForward(Sub cmdInsertNote_Click)", [&](Proc& proc) {
    if (!objNote_) return;
    ol::ItemPtr mail = objMail_;
    proc.line = 5;
    // The user may have typed into the reply since it opened, and the helper
    // library reads only what is stored: the reply is saved to Drafts first,
    // as Outlook's AutoSave of unsent mail would. A draft saved only for
    // this goes once the mail replacing the reply shows.
    bool drafted = Must(mail).EntryID().empty();
    if (!mail->Saved()) mail->Save();
    proc.line = 10;
    // The reply goes only once the mail replacing it shows.
    if (!ReplaceWithNoteMail(ctx_, proc, mail, objNote_)) return;
    proc.line = 20;
    office::CommandBarPtr bar = bar_;
    ol::InspectorPtr reply = objInspector_;
    IgnoreError([&] {
      office::CommandBarControlPtr control = Must(bar).Controls()->Item(kInsertNote);
      if (control) control->Delete();
    });
    proc.line = 30;
    if (reply) reply->Close(ol::kOlDiscard);
    if (drafted) IgnoreError([&] { mail->Delete(); });
  });
}

void clsReplyForward::objInspector_Close() {
  bar_.reset();
  cmdInsertNote_.Release();
  objInspector_events_.Reset();
  objInspector_.reset();
  objMail_.reset();
  objNote_.reset();
}

}  // namespace pinlet
