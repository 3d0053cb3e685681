// The controls of frmComments at their design places, and the building of
// the window: its form, its controls and the events it answers.
#include "notewindow/frm_comments_design.h"

#include "addin/pictures.h"
#include "notewindow/frm_comments.h"
#include "platform/host_error.h"

namespace pinlet {
namespace design {
namespace {

constexpr std::string_view kImage = ui::Image::kTypeName;
constexpr std::string_view kPicture = ui::PictureBox::kTypeName;
constexpr std::string_view kLabel = ui::Label::kTypeName;

// Note toolbar buttons are 315 square at the top; text toolbar buttons sit
// every 330 from 195 on the 330 high strip, separators 45 wide between
// groups; both rows are placed again by the layout.
constexpr ControlPlace kControls[] = {
    {"imgNoteDelete", kImage, "", 120, 60, 315, 315, true},
    {"imgNoteSep1", kImage, "", 450, 60, 45, 315, true},
    {"imgNoteOpen", kImage, "", 510, 60, 315, 315, true},
    {"imgNoteSep2", kImage, "", 840, 60, 45, 315, true},
    {"imgNoteReminder", kImage, "", 900, 60, 315, 315, true},
    {"imgNoteSep3", kImage, "", 1230, 60, 45, 315, true},
    {"imgNoteOnTop", kImage, "", 1290, 60, 315, 315, true},
    {"imgNoteSep4", kImage, "", kWidth - kNoteSep4FromRight, 60, 45, 315, true},
    {"imgNoteView", kImage, "", kWidth - kViewButtonFromRight, 60, 315, 315, true},
    {"imgTextToolbar", kImage, "", 120, 420, kWidth - kWidthLess, 330, true},
    {"imgTextToolbarLeft", kImage, "", 120, 435, 60, 300, true},
    {"imgTextToolbarRight", kImage, "",
     120 + kWidth - kWidthLess - kToolbarRightFromRight, 420, 60, 330, true},
    {"imgTextUndo", kImage, "", 195, 420, 315, 315, true},
    {"imgTextSep1", kImage, "", 525, 495, 45, 180, true},
    {"imgTextCut", kImage, "", 585, 420, 315, 315, true},
    {"imgTextCopy", kImage, "", 915, 420, 315, 315, true},
    {"imgTextPaste", kImage, "", 1245, 420, 315, 315, true},
    {"imgTextSep2", kImage, "", 1575, 495, 45, 180, true},
    {"imgTextClearAll", kImage, "", 1635, 420, 315, 315, true},
    {"imgTextCopyAll", kImage, "", 1965, 420, 315, 315, true},
    {"imgAddDate", kImage, "", 2295, 420, 315, 315, true},
    {"imgTextSep3", kImage, "", 2625, 495, 45, 180, true},
    {"imgTextFont", kImage, "", 2685, 420, 315, 315, true},
    {"imgTextColor", kImage, "", 3015, 420, 315, 315, true},
    {"imgTextSep4", kImage, "", 3345, 495, 45, 180, true},
    {"imgAddAtt", kImage, "", 3405, 420, 315, 315, true},
    {"imgSaveAtt", kImage, "", 3735, 420, 315, 315, true},
    {"imgDeleteAtt", kImage, "", 4065, 420, 315, 315, true},
    {"imgTextSep5", kImage, "", 4395, 495, 45, 180, true},
    {"imgTextPrint", kImage, "", 4455, 420, 315, 315, true},
    {"Text", ui::TextBox::kTypeName, "", kTextLeft, kEditTextTop, kWidth - kWidthLess,
     kTextHeight, true},
    // Along the right side of the text in the view state only.
    {"picScrollBar", kPicture, "", kWidth - kWidthLess - kScrollBarInset, kEditTextTop,
     kScrollBarWidth, kTextHeight, false},
    {"transScroll", kImage, "picScrollBar", 0, kTextHeight - kIndicatorSize - 45,
     kScrollBarWidth, kIndicatorSize, false},
    {"picFooter", kPicture, "", kTextLeft, kEditTextTop + kTextHeight + kFooterBelowText,
     kWidth - kWidthLess, kFooterHeight, true},
    {"lblLastModified", kLabel, "picFooter", 0, 0, 1200, kFooterHeight, true},
    {"lblTime", kLabel, "picFooter", 1215, 0, 1800, kFooterHeight, true},
    {"transReminder", kImage, "picFooter", 3300, 0, kIndicatorSize, kIndicatorSize,
     false},
    {"lblAttachments", kLabel, "picFooter", kWidth - kWidthLess - kAttachCountFromRight,
     0, 700, kFooterHeight, true},
    {"transAttachments", kImage, "picFooter", kWidth - kWidthLess - kPanelToggleFromRight,
     0, kIndicatorSize, kIndicatorSize, true},
    {"picAttachments", kPicture, "", kTextLeft,
     kEditTextTop + kTextHeight + kFooterBelowText + kFooterHeight + kPanelBelowFooter,
     kWidth - kWidthLess, kPanelHeight, false},
    {"Label1", kLabel, "picAttachments", 60, 30, 1500, 255, true},
    {"Line1", kLabel, "picAttachments", 0, 300, kWidth - kWidthLess, 15, true},
    {"lstAttachments", ui::ListBox::kTypeName, "picAttachments", 0, 330,
     kWidth - kWidthLess - 15, 885, true},
};

constexpr PictureButton kButtons[] = {
    {"imgTextUndo", "UNDO", "UNDO_DISABLED", "Undo"},
    {"imgTextCut", "CUT", "", "Cut"},
    {"imgTextCopy", "COPY", "", "Copy"},
    {"imgTextPaste", "PASTE", "", "Paste"},
    {"imgTextClearAll", "CLEARALL", "", "Clear all text"},
    {"imgTextCopyAll", "COPYALL", "", "Copy all text"},
    {"imgTextPrint", "PRINT", "", "Print"},
    {"imgTextFont", "FONT", "", "Font..."},
    {"imgTextColor", "COLOR", "", "Color"},
    {"imgAddAtt", "BROWSE", "", "Add attachment"},
    {"imgAddDate", "DATE", "", "Insert Date"},
    {"imgSaveAtt", "SAVE", "SAVE_DISABLED", "Save attachment as..."},
    {"imgDeleteAtt", "REMOVE", "REMOVE_DISABLED", "Delete attachment"},
    {"imgNoteDelete", "DELETE", "", "Delete note"},
    {"imgNoteOpen", "OPEN", "OPEN_DISABLED", "Open parent item"},
    {"imgNoteReminder", "REMINDER", "REMINDER_DISABLED", "Set reminder"},
    {"imgNoteOnTop", "ONTOP", "", "Always on top"},
    {"imgNoteView", "VIEW", "", ""},
};

constexpr std::string_view kHoverEnders[] = {
    "imgNoteSep1", "imgNoteSep2",    "imgNoteSep3",        "imgNoteSep4",
    "imgTextSep1", "imgTextSep2",    "imgTextSep3",        "imgTextSep4",
    "imgTextSep5", "imgTextToolbar", "imgTextToolbarLeft", "imgTextToolbarRight"};

constexpr std::string_view kNoteToolbar[] = {
    "imgNoteDelete", "imgNoteOpen", "imgNoteView", "imgNoteReminder", "imgNoteOnTop",
    "imgNoteSep1",   "imgNoteSep2", "imgNoteSep3", "imgNoteSep4"};

constexpr std::string_view kTextToolbar[] = {
    "imgTextToolbar", "imgTextToolbarLeft", "imgTextToolbarRight", "imgTextSep1",
    "imgTextSep2",    "imgTextSep3",        "imgTextSep4",         "imgTextSep5",
    "imgTextCut",     "imgTextCopy",        "imgTextPaste",        "imgTextClearAll",
    "imgTextCopyAll", "imgTextUndo",        "imgTextFont",         "imgTextColor",
    "imgAddAtt",      "imgAddDate",         "imgDeleteAtt",        "imgSaveAtt",
    "imgTextPrint"};

}  // namespace

std::span<const ControlPlace> Controls() { return kControls; }
std::span<const PictureButton> Buttons() { return kButtons; }
std::span<const std::string_view> HoverEnders() { return kHoverEnders; }
std::span<const std::string_view> NoteToolbar() { return kNoteToolbar; }
std::span<const std::string_view> TextToolbar() { return kTextToolbar; }

const PictureButton* FindButton(std::string_view name) {
  for (const PictureButton& button : kButtons)
    if (button.name == name) return &button;
  return nullptr;
}

}  // namespace design

template <typename... Args>
std::function<void(Args...)> frmComments::Handler(void (frmComments::*method)(Args...)) {
  std::weak_ptr<frmComments> weak = weak_from_this();
  return [weak, method](Args... args) {
    // The window lives at least as long as its handler runs, even when the
    // handler takes it out of the registry's list.
    if (auto self = weak.lock()) ((*self).*method)(args...);
  };
}

std::shared_ptr<ui::Image> frmComments::Img(std::string_view name) const {
  auto it = images_.find(name);
  return it == images_.end() ? nullptr : it->second;
}

bool frmComments::Build() {
  bool built = IgnoreError([&] {
    if (!ctx_.platform.forms) throw ObjectRequiredError();
    form_ = ctx_.platform.forms->CreateForm("frmComments");
    form_->SetCaption(design::kCaption);
    form_->SetKeyPreview(true);
    CreateControls();
    // The window is made at its design size (its place comes with the note),
    // before it answers its Resize.
    form_->Move(form_->Left(), form_->Top(), design::kWidth, design::kHeight);
    SubscribeEvents();
    hwnd_ = form_->hWnd();
  });
  if (!built) {
    if (form_) IgnoreError([&] { form_->Unload(); });
    Release();
  }
  return built;
}

void frmComments::CreateControls() {
  for (const design::ControlPlace& place : design::Controls()) {
    ui::ControlPtr control = form_->AddControl(place.kind, place.name, place.container);
    control->Move(place.left, place.top, place.width, place.height);
    if (!place.visible) control->SetVisible(false);
    if (place.kind == ui::Image::kTypeName) {
      auto image = std::dynamic_pointer_cast<ui::Image>(control);
      images_[std::string(place.name)] = image;
      if (const design::PictureButton* button = design::FindButton(place.name))
        image->SetPicture(button->key, LoadResPicture(button->key));
    }
  }
  auto get = [&]<typename T>(std::shared_ptr<T>& field, std::string_view name) {
    field = std::dynamic_pointer_cast<T>(form_->Control(name));
    if (!field) throw NotSupportedError(std::string(name));
  };
  get(Text, "Text");
  get(picFooter, "picFooter");
  get(picAttachments, "picAttachments");
  get(picScrollBar, "picScrollBar");
  get(lblLastModified, "lblLastModified");
  get(lblTime, "lblTime");
  get(lblAttachments, "lblAttachments");
  get(Label1, "Label1");
  get(Line1, "Line1");
  get(lstAttachments, "lstAttachments");
  transScroll = Img("transScroll");
  transAttachments = Img("transAttachments");
  transReminder = Img("transReminder");
  Timer1 = form_->Add<ui::Timer>("Timer1");
  Timer2 = form_->Add<ui::Timer>("Timer2");
  Must(Timer1).SetEnabled(false);
  Timer1->SetInterval(design::kTimer1Interval);
  Must(Timer2).SetEnabled(false);
  lblLastModified->SetCaption("Last Modified:");
  Label1->SetCaption("Attachments:");
  Line1->SetCaption("");
  Text->SetMultiLine(true);
}

void frmComments::SubscribeEvents() {
  auto add = [&](Subscription s) { events_.push_back(std::move(s)); };
  add(form_->OnClick(Handler(&frmComments::Form_Click)));
  add(form_->OnMouseMove(Handler(&frmComments::BackgroundMouseMove)));
  add(form_->OnKeyDown(Handler(&frmComments::Form_KeyDown)));
  add(form_->OnResize(Handler(&frmComments::Form_Resize)));
  add(form_->OnGotFocus(Handler(&frmComments::Form_GotFocus)));
  add(form_->OnUnload(Handler(&frmComments::OnFormUnload)));
  add(Text->OnChange(Handler(&frmComments::Text_Change)));
  add(Text->OnMouseMove(Handler(&frmComments::Text_MouseMove)));
  add(picAttachments->OnClick(Handler(&frmComments::picAttachments_Click)));
  add(picAttachments->OnMouseDown(Handler(&frmComments::BackgroundMouseMove)));
  add(picScrollBar->OnClick(Handler(&frmComments::picScrollBar_Click)));
  add(transScroll->OnClick(Handler(&frmComments::picScrollBar_Click)));
  add(lstAttachments->OnClick(Handler(&frmComments::lstAttachments_Click)));
  add(transAttachments->OnClick(Handler(&frmComments::transAttachments_Click)));
  add(Timer1->OnTimer(Handler(&frmComments::Timer1_Timer)));
  add(Timer2->OnTimer(Handler(&frmComments::Timer2_Timer)));
  for (std::string_view name : design::HoverEnders())
    add(Img(name)->OnMouseMove(Handler(&frmComments::BackgroundMouseMove)));
  std::weak_ptr<frmComments> weak = weak_from_this();
  for (const design::PictureButton& button : design::Buttons()) {
    std::shared_ptr<ui::Image> image = Img(button.name);
    if (button.name == "imgNoteOnTop") {
      add(image->OnMouseDown(Handler(&frmComments::imgNoteOnTop_MouseDown)));
      add(image->OnMouseMove(Handler(&frmComments::imgNoteOnTop_MouseMove)));
      add(image->OnMouseUp(Handler(&frmComments::imgNoteOnTop_MouseMove)));
      continue;
    }
    std::string name(button.name);
    auto on = [weak, name](void (frmComments::*method)(const std::string&)) {
      return [weak, name, method](int, int, int, int) {
        if (auto self = weak.lock()) ((*self).*method)(name);
      };
    };
    add(image->OnMouseDown(on(&frmComments::ButtonMouseDown)));
    add(image->OnMouseMove(on(&frmComments::ButtonMouseMove)));
    add(image->OnMouseUp(on(&frmComments::ButtonMouseUp)));
    add(image->OnClick([weak, name] {
      if (auto self = weak.lock()) self->ButtonClick(name);
    }));
  }
}

void frmComments::Release() {
  events_.clear();
  images_.clear();
  Text.reset();
  picFooter.reset();
  picAttachments.reset();
  picScrollBar.reset();
  lblLastModified.reset();
  lblTime.reset();
  lblAttachments.reset();
  Label1.reset();
  Line1.reset();
  lstAttachments.reset();
  transScroll.reset();
  transAttachments.reset();
  transReminder.reset();
  Timer1.reset();
  Timer2.reset();
  form_.reset();
  hwnd_ = 0;
  timer1_running_ = false;
}

}  // namespace pinlet
