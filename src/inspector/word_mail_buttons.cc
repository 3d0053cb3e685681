#include "inspector/word_mail_buttons.h"

#include "addin/error_report.h"
#include "addin/settings.h"
#include "addin/string_table.h"
#include "explorer/bas_explorers.h"
#include "explorer/bas_icons.h"
#include "inspector/attachment_copy.h"
#include "inspector/bas_inspectors.h"
#include "inspector/note_insertion.h"
#include "store/parent_marking.h"

namespace pinlet {
namespace {

constexpr const char* kInsertNote = "Insert Note";
constexpr const char* kInsertNoteTag = "butInsertNote";
constexpr const char* kInsertNoteTip = "Insert related Note";

// The button captioned `caption` on `bar` (left there by an instance
// loaded before), given a Tag of its own; else a new one.
office::CommandBarControlPtr ButtonOn(AddinContext& ctx, const office::CommandBarPtr& bar,
                                      const char* tag, const std::string& tip,
                                      const std::string& face,
                                      const std::string& caption) {
  office::CommandBarControlPtr button =
      TryGet([&] { return Must(bar).Controls()->Item(caption); });
  return ReuseOrAddButton(ctx, bar, button, tag, tip, face.c_str(), caption);
}

}  // namespace

bool MarkedWithNote(const ol::ItemPtr& item) {
  return TryGet([&] {
    ol::UserPropertyPtr prop = Must(item).UserProperties()->Find(kHasNoteProperty);
    return prop && ToText(prop->Value()) == "TRUE";
  });
}

CWordMailButtons::~CWordMailButtons() {
  word_events_.Reset();
  for (auto& window : windows_) {
    window->add_note.Release();
    window->insert_note.Release();
  }
}

void CWordMailButtons::Start() {
  word_events_ =
      Must(word_).OnWindowActivate([this](word::DocumentPtr doc, word::WindowPtr wn) {
        word_WindowActivate(doc, wn);
      });
}

void CWordMailButtons::ForgetClosedWindows() {
  // A closed Word window raises on every member.
  std::erase_if(windows_, [](const std::shared_ptr<MailWindow>& w) {
    return !w->window || Attempt([&] { w->window->Caption(); }).has_value();
  });
}

bool CWordMailButtons::InMailContext(const word::DocumentPtr& doc,
                                     const std::function<void()>& change) {
  word::CustomizationContextPtr before =
      TryGet([&] { return Must(word_).GetCustomizationContext(); });
  if (!before || !doc ||
      !IgnoreError([&] { word_->SetCustomizationContext(doc); }))
    return false;
  struct PutBack {
    const word::ApplicationPtr& word;
    const word::CustomizationContextPtr& before;
    ~PutBack() {
      IgnoreError([&] { word->SetCustomizationContext(before); });
    }
  } put_back{word_, before};
  change();
  return true;
}

std::shared_ptr<CWordMailButtons::MailWindow> CWordMailButtons::WindowFor(
    const word::DocumentPtr& doc, const word::WindowPtr& wn, const ol::ItemPtr& mail) {
  for (auto& window : windows_)
    if (window->mail->IsSameObject(mail)) return window;
  auto window = std::make_shared<MailWindow>();
  window->window = wn;
  window->document = doc;
  window->mail = mail;
  office::CommandBarControlPtr add, insert;
  bool changed = InMailContext(doc, [&] {
    office::CommandBarPtr bar =
        Must(doc).MailEnvelope()->CommandBars()->Item(LoadResString(res::kStandard));
    // From Outlook 12 on, Outlook's item window gives the mail its note button.
    if (HostMajorVersion(ctx_) < kWordButtonsFromVersion) {
      NoteButtonLook look = NoteButtonLookOf(false);
      add = ButtonOn(ctx_, bar, kWordNoteButtonTag, look.tooltip, "ADD", look.caption);
    }
    insert = ButtonOn(ctx_, bar, kInsertNoteTag, kInsertNoteTip, "INSERT", kInsertNote);
  });
  if (!changed) return nullptr;
  std::weak_ptr<MailWindow> weak = window;
  if (add)
    window->add_note.Hold(add, [this, weak](office::CommandBarControlPtr, bool&) {
      if (auto w = weak.lock()) cmdAddNote_Click(w);
    });
  if (insert)
    window->insert_note.Hold(insert, [this, weak](office::CommandBarControlPtr, bool&) {
      if (auto w = weak.lock()) cmdInsertNote_Click(w);
    });
  windows_.push_back(window);
  return window;
}

void CWordMailButtons::ShowNoteState(MailWindow& window) {
  if (!window.add_note.control) return;
  bool has_note = MarkedWithNote(window.mail);
  InMailContext(window.document,
                [&] { ApplyNoteButtonLook(ctx_, window.add_note.control, has_note); });
}

void CWordMailButtons::word_WindowActivate(const word::DocumentPtr& doc,
                                           const word::WindowPtr& wn) {
  RunGuardedSub(ctx_, "CWordConnect(Sub m_objWord_WindowActivate)", [&](Proc& proc) {
    proc.line = 10;
    // Documents that are no mail have no envelope.
    ol::ItemPtr mail = TryGet([&] { return Must(doc).MailEnvelope()->Item(); });
    if (!mail) return;
    ForgetClosedWindows();
    proc.line = 20;
    Must(wn);
    std::shared_ptr<MailWindow> window = WindowFor(doc, wn, mail);
    if (!window) return;
    proc.line = 30;
    ShowNoteState(*window);
  });
}

void CWordMailButtons::cmdAddNote_Click(const std::shared_ptr<MailWindow>& window) {
  RunGuardedSub(ctx_, "CWordConnect(Sub cmdAddNote_Click)", [&](Proc& proc) {
    std::shared_ptr<AddInConnector> outlook = outlook_ ? outlook_() : nullptr;
    if (!outlook) throw ObjectRequiredError();
    proc.line = 10;
    bool has_note = MarkedWithNote(window->mail);
    bool close_form = false;
    outlook->PinletClick(NoteButtonLookOf(has_note).caption, true, window->mail, nullptr,
                         close_form, nullptr);
    proc.line = 20;
    ShowNoteState(*window);
  });
}

void CWordMailButtons::cmdInsertNote_Click(const std::shared_ptr<MailWindow>& window) {
  RunGuardedSub(ctx_, "CWordConnect(Sub cmdInsertNote_Click)", [&](Proc& proc) {
    std::shared_ptr<AddInConnector> outlook = outlook_ ? outlook_() : nullptr;
    if (!outlook) throw ObjectRequiredError();
    proc.line = 10;
    ol::ItemPtr note;
    // The same mail as Outlook's own item window holds it: the one Word's
    // envelope gives is outside Outlook 2003's trust, whose guard asks the
    // user before its bodies are read.
    ol::ItemPtr trusted_mail;
    for (const auto& form : outlook->GetReplyForms()) {
      IgnoreError([&] {
        if (note || !form->objNote()) return;
        ol::ItemPtr current = Must(form->objInspector()).CurrentItem();
        if (!Must(current).IsSameObject(window->mail)) return;
        note = form->objNote();
        trusted_mail = current;
      });
    }
    // A mail that answers no item with a note has nothing to insert.
    if (!note) return;
    proc.line = 20;
    ol::Item& mail = *trusted_mail;
    std::string html = NoteIntoHTML(ctx_, note, ToText(mail.Get("HTMLBody")));
    if (!html.empty()) {
      mail.Put("HTMLBody", Variant(html));
    } else {
      std::string text = TryGet([&] {
        ol::UserPropertyPtr prop =
            note->UserProperties()->Find(LoadResString(res::kZpnFullBody));
        return prop ? ToText(prop->Value()) : std::string();
      });
      mail.Put("Body", Variant(text + "\r\n" + ToText(mail.Get("Body"))));
    }
    proc.line = 30;
    std::string dir = GetInstallDir(ctx_.registry());
    if (!dir.empty() && dir.back() != '\\') dir += '\\';
    if (!CopyAttachmentsThrough(ctx_, note, trusted_mail, dir + "Temp\\"))
      ShowMessage(ctx_, kNotePartlyAddedMessage, mb::kOkOnly | mb::kExclamation);
    proc.line = 40;
    // The note goes in once: the button leaves the window.
    office::CommandBarControlPtr button = window->insert_note.control;
    window->insert_note.Release();
    if (button)
      InMailContext(window->document, [&] { IgnoreError([&] { button->Delete(); }); });
  });
}

namespace {

class WordEditorSubsystem : public Subsystems::WordEditor {
 public:
  void Start(AddinContext& ctx, const HostApplicationPtr& host,
             std::function<std::shared_ptr<AddInConnector>()> outlook) override {
    auto word = std::dynamic_pointer_cast<word::Application>(host);
    if (!word) return;
    auto buttons = std::make_shared<CWordMailButtons>(ctx, word, std::move(outlook));
    buttons->Start();
    ctx.word_buttons = buttons;
  }
  void Stop(AddinContext& ctx) override { ctx.word_buttons.reset(); }
};

}  // namespace

void InstallWordEditor(Subsystems& subsystems) {
  subsystems.word_editor = std::make_shared<WordEditorSubsystem>();
}

}  // namespace pinlet
