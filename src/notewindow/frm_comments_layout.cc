// The note window's two display states and its layout: the toolbars, the
// text, the footer and the attachments panel, the window's minimum size,
// the more-text indicator and the fold-back to the view state.
#include <algorithm>

#include "addin/error_report.h"
#include "notewindow/frm_comments.h"
#include "notewindow/frm_comments_design.h"
#include "store/note_windows.h"

namespace pinlet {

using namespace design;

int32_t frmComments::TextTop() const {
  return frmState == kEditState ? kEditTextTop : kNoteToolbarTop;
}

int32_t frmComments::Chrome() const {
  if (frmState == kEditState)
    return m_blnPanelShown ? kPanelHeight + kEditChromeWithPanel : kEditChrome;
  return m_blnPanelShown ? kPanelHeight + kViewChrome : kViewChrome;
}

int32_t frmComments::FooterGap() const {
  // The gap measured at load is the design's, the edit state's without the
  // panel; the other states add what their height rule adds.
  return m_sngFooterGap - kEditChrome + Chrome();
}

int32_t frmComments::MinHeight() const {
  if (frmState == kEditState) return m_blnPanelShown ? kMinEditWithPanel : kMinEdit;
  return m_blnPanelShown ? kMinViewWithPanel : kMinView;
}

void frmComments::ShowNoteToolbar(bool visible) {
  for (std::string_view name : NoteToolbar())
    IgnoreError([&] { Img(name)->SetVisible(visible); });
}

void frmComments::ShowTextToolbar(bool visible) {
  for (std::string_view name : TextToolbar())
    IgnoreError([&] { Img(name)->SetVisible(visible); });
}

void frmComments::PositionTextToolbar(int32_t top) {
  for (std::string_view name : TextToolbar()) {
    int32_t at = top;
    if (name == "imgTextToolbarLeft") at = top + 15;
    if (name.starts_with("imgTextSep")) at = top + 75;
    IgnoreError([&] { Img(name)->SetTop(at); });
  }
}

void frmComments::ApplyBackColor(uint32_t colour) {
  // The note colour or the frame's yellow everywhere but the text and the
  // list, which always carry the note colour. The indicators are images,
  // which have no background of their own.
  IgnoreError([&] { form_->SetBackColor(colour); });
  ui::Control* const controls[] = {
      lblLastModified.get(), lblTime.get(), lblAttachments.get(), picAttachments.get(),
      picScrollBar.get(),    Label1.get(),  picFooter.get()};
  for (ui::Control* control : controls)
    IgnoreError([&] { Must(control).SetBackColor(colour); });
}

void frmComments::PlaceBelowText() {
  int32_t footer_top = TextTop() + m_textHeight + kFooterBelowText;
  IgnoreError([&] { picFooter->SetTop(footer_top); });
  IgnoreError(
      [&] { picAttachments->SetTop(footer_top + kFooterHeight + kPanelBelowFooter); });
}

void frmComments::FitHeight() {
  int32_t footer_bottom = TextTop() + m_textHeight + kFooterBelowText + kFooterHeight;
  IgnoreError([&] { form_->SetHeight(footer_bottom + FooterGap()); });
}

void frmComments::SetPanelShown(bool shown) {
  m_blnPanelShown = shown;
  TryTwice([&] { picAttachments->SetVisible(shown); });
}

void frmComments::ShowPanelToggle(bool visible) {
  IgnoreError([&] { lblAttachments->SetVisible(visible); });
  IgnoreError([&] { transAttachments->SetVisible(visible); });
}

void frmComments::ShowPanel(bool shown) {
  SetPanelShown(shown);
  ShowPanelToggle(shown);
}

void frmComments::Resize() {
  if (m_blnLayoutBusy || !form_) return;
  m_blnLayoutBusy = true;
  if (frmState == kViewState) {
    ShowNoteToolbar(false);
    ShowTextToolbar(false);
    IgnoreError([&] { Text->SetTop(kNoteToolbarTop); });
    PlaceBelowText();
    // The panel follows the attachments, unless the window is only being
    // switched to the view state.
    if (!m_blnViewSwitch) {
      int32_t entries = TryGet([&] { return lstAttachments->ListCount(); });
      if (entries == 0 && m_blnPanelShown) ShowPanel(false);
      if (entries > 0 && !m_blnPanelShown) ShowPanel(true);
    }
    FitHeight();
    ApplyBackColor(model_.back_colour);
    IgnoreError([&] {
      picScrollBar->Move(TryGet([&] { return Text->Width(); }) - kScrollBarInset,
                         kNoteToolbarTop, kScrollBarWidth, m_textHeight);
    });
    IgnoreError([&] { transScroll->SetTop(m_textHeight - kIndicatorSize - 45); });
    IgnoreError([&] { picScrollBar->SetVisible(true); });
    CheckForScrollBar();
  } else {
    IgnoreError([&] { picScrollBar->SetVisible(false); });
    ShowNoteToolbar(true);
    ShowTextToolbar(true);
    ApplyBackColor(kFrameColour);
    PositionTextToolbar(kTextToolbarTop);
    IgnoreError([&] { Text->SetTop(kEditTextTop); });
    PlaceBelowText();
    FitHeight();
    if (life_.HasNote()) m_blnCollapseArmed = true;
  }
  UpdateTimer1();
  m_blnLayoutBusy = false;
}

void frmComments::Form_Resize() {
  if (m_blnResizing || !form_) return;
  RunGuardedSub(ctx_, "frmComments(Sub Form_Resize)", [&](Proc&) {
    int32_t width = form_->Width(), height = form_->Height();
    // Too small a window snaps back to the minimum and is laid out there.
    int32_t min_height = MinHeight();
    if (width < kWidth || height < min_height) {
      width = std::max(width, kWidth);
      height = std::max(height, min_height);
      m_blnResizing = true;
      auto error = Attempt([&] {
        form_->SetWidth(width);
        form_->SetHeight(height);
      });
      m_blnResizing = false;
      if (error) throw *error;
    }
    int32_t inner = width - kWidthLess;
    Text->SetWidth(inner);
    int32_t text_height =
        height - TextTop() - kFooterBelowText - kFooterHeight - FooterGap();
    if (text_height >= kMinTextHeight) {
      Text->SetHeight(text_height);
      m_textHeight = text_height;
    }
    PlaceBelowText();
    picFooter->SetWidth(inner);
    lblAttachments->SetLeft(inner - kAttachCountFromRight);
    transAttachments->SetLeft(inner - kPanelToggleFromRight);
    picAttachments->SetWidth(inner);
    Line1->SetWidth(inner);
    lstAttachments->SetWidth(inner - 15);
    Img("imgTextToolbar")->SetWidth(inner);
    Img("imgTextToolbarRight")->SetLeft(kTextLeft + inner - kToolbarRightFromRight);
    Img("imgNoteView")->SetLeft(width - kViewButtonFromRight);
    Img("imgNoteSep4")->SetLeft(width - kNoteSep4FromRight);
    picScrollBar->SetLeft(inner - kScrollBarInset);
    picScrollBar->SetHeight(m_textHeight);
    transScroll->SetTop(m_textHeight - kIndicatorSize - 45);
  });
}

void frmComments::CheckForScrollBar() {
  // Only whether the text needs more room than the box shows matters, so a
  // long text is measured by its beginning first: when that alone needs
  // more, so does the whole.
  constexpr size_t kMeasureFirst = 8192;  // bytes of UTF-8
  IgnoreError([&] {
    picScrollBar->SetFont(model_.font);
    int32_t width = std::max(Text->Width() - 120, 1);  // less the frame and margins
    int32_t shown = m_textHeight - 60;
    std::string text = Text->Text();
    bool more = false;
    if (text.size() > kMeasureFirst) {
      size_t cut = kMeasureFirst;
      while (cut > 0 && (static_cast<unsigned char>(text[cut]) & 0xC0) == 0x80) --cut;
      more = shown < picScrollBar->WrappedTextHeight(
                         std::string_view(text).substr(0, cut), width);
    }
    if (!more) more = shown < picScrollBar->WrappedTextHeight(text, width);
    transScroll->SetVisible(more);
  });
}

void frmComments::SwitchToEdit() {
  if (frmState == kEditState || m_blnBusy) return;
  frmState = kEditState;
  Resize();
}

void frmComments::SwitchToView() {
  m_blnCollapseArmed = false;
  frmState = kViewState;
  m_blnViewSwitch = true;
  Resize();
  m_blnViewSwitch = false;
}

void frmComments::Form_Click() { SwitchToEdit(); }
void frmComments::picAttachments_Click() { SwitchToEdit(); }
void frmComments::picScrollBar_Click() { SwitchToEdit(); }

void frmComments::Text_MouseMove(int, int, int, int) {
  RunGuardedSub(ctx_, "frmComments(Sub Resize)", [&](Proc&) {
    ResetHoverButton();
    SwitchToEdit();
  });
}

void frmComments::imgNoteView_Click() { SwitchToView(); }

void frmComments::Timer1_Timer() {
  if (m_blnPrintWait) {
    // The wait after printing is over.
    m_blnPrintWait = false;
    if (!m_blnOnTopPending) IgnoreError([&] { Timer1->SetInterval(kTimer1Interval); });
  }
  IgnoreError([&] {
    if (m_blnOnTopPending) {
      Timer1->SetInterval(10);
      if (Must(ctx_.platform.window_manager).GetActiveWindow() == hwnd_) {
        MakeTopMost();
        m_blnOnTopPending = false;
        Timer1->SetInterval(kTimer1Interval);
      }
    }
  });
  // The note folds back some time after the user left it.
  if (m_blnCollapseArmed && frmState == kEditState && !ctx_.item_update &&
      !m_blnOnTopPending && !m_blnBusy) {
    WindowHandle active = hwnd_;
    IgnoreError([&] { active = Must(ctx_.platform.window_manager).GetActiveWindow(); });
    if (active != hwnd_) SwitchToView();
  }
  UpdateTimer1();
}

void frmComments::UpdateTimer1() {
  bool run = form_ && (frmState == kEditState || m_blnOnTopPending);
  if (run == timer1_running_) return;
  if (IgnoreError([&] { Timer1->SetEnabled(run); })) timer1_running_ = run;
}

void frmComments::transAttachments_Click() {
  // Only the panel folds; the toggle and the count stay, so that a second
  // click brings the panel back.
  SetPanelShown(!m_blnPanelShown);
  bool busy = m_blnLayoutBusy;
  m_blnLayoutBusy = true;
  FitHeight();
  m_blnLayoutBusy = busy;
}

}  // namespace pinlet
