#include "notewindow/note_window_report.h"

#include <memory>

#include "platform/display_text.h"

namespace pinlet {
namespace {

// The control of that design name, or nullptr (ui::Form::Control raises).
ui::ControlPtr Find(ui::Form& form, std::string_view name) {
  for (ui::ControlPtr& control : form.Controls())
    if (control->Name() == name) return control;
  return nullptr;
}

template <typename T>
std::shared_ptr<T> Get(ui::Form& form, std::string_view name) {
  return std::dynamic_pointer_cast<T>(Find(form, name));
}

std::string CaptionOf(ui::Form& form, std::string_view name) {
  auto label = Get<ui::Label>(form, name);
  return label ? label->Caption() : std::string();
}

}  // namespace

std::string NoteWindowKind(const frmComments& window) {
  return window.new_note() ? ", a new note" : ", the item's note";
}

std::string DescribeNoteWindow(ui::Form& form, const frmComments* window,
                               const NoteWindowPlace& place) {
  std::string out =
      "note window " + QuotedText(Printable(form.Caption())) + " " +
      HandleText(place.handle) + ": " + (place.visible ? "visible" : "hidden") +
      (place.active ? ", active" : "") + (place.top_most ? ", top-most" : "") + "\n";
  if (window) {
    Rect rect{form.Left(), form.Top(), form.Width(), form.Height()};
    out += "  state: " + std::string(window->frmState == kEditState ? "edit" : "view") +
           ", " + RectText(rect) + (window->blnOnTop ? ", kept on top" : "") + "\n";
    out += "  note: " + std::string(window->new_note() ? "new, untouched" : "saved") +
           (window->save_pending() ? ", a save is pending" : "") +
           (window->text_unread() ? ", its text could not be read (locked)" : "") + "\n";
    out += "  colours: note " + ColourText(window->back_colour()) + ", text " +
           ColourText(window->fore_colour()) + "; font " + FontText(window->font()) +
           "\n";
  }
  if (auto text = Get<ui::TextBox>(form, "Text"))
    out += "  text: \"" + PrintableLines(text->Text(), "        ") + "\"\n";
  out += "  buttons:";
  int shown = 0;
  for (const ui::ControlPtr& control : form.Controls()) {
    auto image = std::dynamic_pointer_cast<ui::Image>(control);
    if (!image) continue;
    std::string name = control->Name();
    std::string key = image->PictureKey();
    if (!place.shown(name) || key.empty()) continue;
    out += (shown++ % 4 == 0 ? "\n    " : ", ") + name + " " + key +
           (place.usable(name) ? "" : " (disabled)");
  }
  out += shown ? "\n" : " (none shown)\n";
  out += "  footer: " + Printable(CaptionOf(form, "lblLastModified")) + " " +
         Printable(CaptionOf(form, "lblTime"));
  if (Find(form, "lblAttachments") && place.shown("lblAttachments"))
    out += "; attachments " + Printable(CaptionOf(form, "lblAttachments"));
  out += "\n";
  if (window) {
    out += "  reminder: " +
           (window->reminder().empty() ? "none" : Printable(window->reminder())) +
           (Find(form, "transReminder") && place.shown("transReminder")
                ? " (indicator shown)"
                : "") +
           "\n";
  }
  auto list = Get<ui::ListBox>(form, "lstAttachments");
  out += "  attachments panel: " +
         std::string(window && window->panel_shown() ? "shown" : "hidden");
  if (list && list->ListCount() > 0) {
    out += ";";
    for (int32_t i = 0; i < list->ListCount(); ++i) out += " " + Printable(list->List(i));
  }
  return out + "\n";
}

}  // namespace pinlet
