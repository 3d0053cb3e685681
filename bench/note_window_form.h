// A note window as the add-in lays it out in its edit state, built on the
// simulated forms for the benchmarks: both toolbars with their picture
// buttons, the text, the footer and the attachments panel.
#ifndef PINLET_BENCH_NOTE_WINDOW_FORM_H_
#define PINLET_BENCH_NOTE_WINDOW_FORM_H_

#include <string>

#include "addin/pictures.h"
#include "platform/sim/world.h"
#include "platform/ui_controls.h"

namespace pinlet::bench {

inline ui::FormPtr BuildNoteWindow(sim::World& world, int32_t left, int32_t top) {
  constexpr uint32_t kNoteColour = 0xCCFFFF;
  constexpr uint32_t kEditFrame = 0xC0FFFF;
  ui::FormPtr form = world.ui.CreateForm("frmComments");
  form->SetCaption("Quarterly budget review");
  form->Move(left, top, 5310, 4200);
  form->SetBackColor(kEditFrame);
  int32_t x = 60;
  for (const char* key : {"DELETE", "OPEN", "VIEW", "REMINDER", "ONTOP"}) {
    auto button = form->Add<ui::Image>(std::string("imgNote") + key);
    button->Move(x, 60, 240, 240);
    button->SetPicture(key, LoadResPicture(key));
    x += 300;
  }
  x = 60;
  for (const char* key :
       {"CUT", "COPY", "PASTE", "CLEARALL", "COPYALL", "UNDO", "FONT", "COLOR", "BROWSE",
        "DATE", "REMOVE_DISABLED", "SAVE_DISABLED", "PRINT"}) {
    auto button = form->Add<ui::Image>(std::string("imgText") + key);
    button->Move(x, 360, 240, 240);
    button->SetPicture(key, LoadResPicture(key));
    x += 270;
  }
  auto text = form->Add<ui::TextBox>("Text");
  text->Move(60, 660, 4955, 1800);
  text->SetBackColor(kNoteColour);
  text->SetFont({"Arial", 10, false, false, false, false});
  text->SetText(
      "Bring the figures for the third quarter.\r\nAsk Ravi about the travel budget "
      "and the new laptops before Thursday.\r\nPrint two copies.");
  auto footer = form->Add<ui::PictureBox>("picFooter");
  footer->Move(60, 2535, 4955, 300);
  footer->SetBackColor(kEditFrame);
  auto modified = form->Add<ui::Label>("lblLastModified", "picFooter");
  modified->Move(0, 30, 1200, 255);
  modified->SetCaption("Last Modified:");
  modified->SetBackColor(kEditFrame);
  auto time = form->Add<ui::Label>("lblTime", "picFooter");
  time->Move(1250, 30, 2000, 255);
  time->SetCaption("12/7/26 9:00 AM");
  time->SetBackColor(kEditFrame);
  auto count = form->Add<ui::Label>("lblAttachments", "picFooter");
  count->Move(4300, 30, 600, 255);
  count->SetCaption("2");
  count->SetBackColor(kEditFrame);
  auto panel = form->Add<ui::PictureBox>("picAttachments");
  panel->Move(60, 2885, 4955, 900);
  panel->SetBackColor(kEditFrame);
  auto title = form->Add<ui::Label>("Label1", "picAttachments");
  title->Move(0, 0, 1500, 255);
  title->SetCaption("Attachments:");
  title->SetBackColor(kEditFrame);
  auto list = form->Add<ui::ListBox>("lstAttachments", "picAttachments");
  list->Move(0, 270, 4940, 600);
  list->SetBackColor(kNoteColour);
  list->AddItem("budget.xls", -1);
  list->AddItem("travel.doc", -1);
  form->Add<ui::Timer>("Timer1");
  form->Show(ui::kModeless);
  return form;
}

}  // namespace pinlet::bench

#endif  // PINLET_BENCH_NOTE_WINDOW_FORM_H_
