#include "inspector/frm_warning_on_note_insertion.h"

#include "addin/error_report.h"
#include "addin/pictures.h"
#include "addin/settings.h"
#include "addin/string_table.h"
#include "store/note_windows.h"

namespace pinlet {
namespace {

constexpr const char* kHelpPage = "Insert_Note_to_Reply_Forward_letter.htm";

template <typename T>
std::shared_ptr<T> Add(ui::Form& form, std::string_view name, int32_t left, int32_t top,
                       int32_t width, int32_t height) {
  std::shared_ptr<T> control = form.Add<T>(name);
  if (!control) throw InvalidArgumentError("Controls.Add");
  control->Move(left, top, width, height);
  return control;
}

}  // namespace

frmWarningOnNoteInsertion::~frmWarningOnNoteInsertion() { Release(); }

void frmWarningOnNoteInsertion::Release() {
  events_.clear();
  lblWarning1.reset();
  lblWarning2.reset();
  imgWarning.reset();
  chkDontAsk.reset();
  cmdYes.reset();
  cmdNo.reset();
  cmdViewNote.reset();
  cmdHelp.reset();
  form_.reset();
  note_.reset();
  item_.reset();
}

void frmWarningOnNoteInsertion::Build() {
  ui::Form& f = *form_;
  f.Move(3600, 3000, 5400, 2700);
  imgWarning = Add<ui::Image>(f, "imgWarning", 120, 120, 480, 480);
  lblWarning1 = Add<ui::Label>(f, "lblWarning1", 720, 120, 4440, 480);
  lblWarning2 = Add<ui::Label>(f, "lblWarning2", 720, 720, 4440, 255);
  chkDontAsk = Add<ui::CheckBox>(f, "chkDontAsk", 720, 1080, 4440, 495);
  cmdYes = Add<ui::CommandButton>(f, "cmdYes", 120, 1800, 1095, 375);
  cmdNo = Add<ui::CommandButton>(f, "cmdNo", 1440, 1800, 1095, 375);
  cmdViewNote = Add<ui::CommandButton>(f, "cmdViewNote", 2760, 1800, 1095, 375);
  cmdHelp = Add<ui::CommandButton>(f, "cmdHelp", 4080, 1800, 1095, 375);
  events_.push_back(cmdYes->OnClick([this] { cmdYes_Click(); }));
  events_.push_back(cmdNo->OnClick([this] { cmdNo_Click(); }));
  events_.push_back(cmdViewNote->OnClick([this] { cmdViewNote_Click(); }));
  events_.push_back(cmdHelp->OnClick([this] { cmdHelp_Click(); }));
  events_.push_back(f.OnUnload([this](int&) { Form_Unload(); }));
}

bool frmWarningOnNoteInsertion::Ask(const ol::ItemPtr& note, const ol::ItemPtr& item) {
  Release();
  note_ = note;
  item_ = item;
  answer_ = false;
  unloaded_ = false;
  form_ = ctx_.platform.forms->CreateForm("frmWarningOnNoteInsertion");
  if (!form_) return false;
  if (auto error = Attempt([&] { Build(); })) {
    IgnoreError([&] { form_->Unload(); });
    Release();
    return false;
  }
  Form_Load();
  IgnoreError([&] { form_->Show(ui::kModal); });
  // A window the user left some other way still writes its options once.
  if (!unloaded_) Form_Unload();
  IgnoreError([&] { form_->Unload(); });
  bool answer = answer_;
  Release();
  return answer;
}

void frmWarningOnNoteInsertion::Form_Load() {
  RunGuardedSub(ctx_, "frmWarningOnNoteInsertion(Sub Form_Load)", [&](Proc&) {
    form_->SetCaption(LoadResString(res::kProductName));
    lblWarning1->SetCaption(
        "The option is set that the related note would be inserted into this mail's "
        "body.");
    lblWarning2->SetCaption("Are you sure you want to insert the note?");
    chkDontAsk->SetCaption(
        "Don't ask this question again. (You may later change this option in \"Pinlet "
        "options\" window)");
    cmdYes->SetCaption("Yes");
    cmdNo->SetCaption("No");
    cmdViewNote->SetCaption(LoadResString(res::kViewNote));
    cmdHelp->SetCaption(LoadResString(res::kHelp));
    IgnoreError([&] { imgWarning->SetPicture("LOGO", LoadResPicture("LOGO")); });
    ctx_.platform.window_manager->SetWindowPos(
        form_->hWnd(), hwnd::kTopMost, 0, 0, 0, 0,
        swp::kNoMove | swp::kNoSize | swp::kNoActivate);
  });
}

void frmWarningOnNoteInsertion::Answer(bool yes) {
  answer_ = yes;
  Form_Unload();
  IgnoreError([&] { form_->Unload(); });
}

void frmWarningOnNoteInsertion::cmdYes_Click() { Answer(true); }

void frmWarningOnNoteInsertion::cmdNo_Click() { Answer(false); }

void frmWarningOnNoteInsertion::cmdViewNote_Click() {
  RunGuardedSub(ctx_, "frmWarningOnNoteInsertion(Sub cmdViewNote_Click)", [&](Proc&) {
    std::string id = Must(note_).Subject();
    std::shared_ptr<NoteWindow> window = GetNoteForm(ctx_, id, note_, item_);
    if (!window) return;
    DisplayNote(ctx_, window);
    SetTopMost(ctx_, window->hwnd(), true);
  });
}

void frmWarningOnNoteInsertion::cmdHelp_Click() {
  RunGuardedSub(ctx_, "frmWarningOnNoteInsertion(Sub cmdHelp_Click)", [&](Proc&) {
    if (ctx_.support) ctx_.support->ShowContextHelp(kHelpPage);
  });
}

void frmWarningOnNoteInsertion::Form_Unload() {
  if (unloaded_) return;
  unloaded_ = true;
  RunGuardedSub(ctx_, "frmWarningOnNoteInsertion(Sub Form_Unload)", [&](Proc&) {
    Registry& registry = ctx_.registry();
    bool ticked = chkDontAsk && chkDontAsk->Value() == 1;
    if (ticked) {
      WriteText(registry, kNoteKey, "WarningOnNoteInsertion", "0");
      if (!answer_) WriteText(registry, kNoteKey, "ReplyForward", "0");
    } else {
      WriteText(registry, kNoteKey, "WarningOnNoteInsertion", "1");
    }
  });
}

}  // namespace pinlet
