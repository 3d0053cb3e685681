#include "sim/app/effects.h"

#include <ostream>

#include "platform/display_text.h"
#include "sim/machine/sim_controls.h"

namespace pinlet::app {

Effects::Effects(sim::World& world)
    : world_(world),
      messages_(world.message_boxes.shown().size()),
      modal_forms_(world.ui.modal_forms().size()),
      support_calls_(world.support->calls().size()),
      defects_(world.defects().size()) {}

void Effects::Print(std::ostream& out) const {
  const auto& messages = world_.message_boxes.shown();
  for (size_t i = messages_; i < messages.size(); ++i) {
    const auto& box = messages[i];
    out << "message box " << QuotedText(box.title) << ": " << QuotedText(box.text)
        << " -> " << sim::SimMessageBoxes::ButtonName(box.answer)
        << (box.answered ? "" : " (nobody answered)") << "\n";
  }
  const auto& forms = world_.ui.modal_forms();
  for (size_t i = modal_forms_; i < forms.size(); ++i) PrintModalForm(forms[i], out);
  const auto& calls = world_.support->calls();
  for (size_t i = support_calls_; i < calls.size(); ++i)
    if (calls[i].rfind("LogMsg", 0) != 0) out << "support library: " << calls[i] << "\n";
  ReportDefects(world_, defects_, out);
}

void ReportDefects(sim::World& world, size_t before, std::ostream& out) {
  const auto& defects = world.defects();
  for (size_t i = before; i < defects.size(); ++i)
    out << "DEFECT: " << defects[i] << "\n";
}

void PrintModalForm(const sim::SimUi::ModalRecord& shown, std::ostream& out) {
  out << "modal " << shown.form << " " << QuotedText(shown.caption) << ": ";
  for (size_t i = 0; i < shown.actions.size(); ++i)
    out << (i ? "; " : "") << shown.actions[i];
  out << (shown.actions.empty() ? "" : " -> ") << shown.outcome << "\n";
  for (std::string snapshot : shown.snapshots) {
    while (!snapshot.empty() && snapshot.back() == '\n') snapshot.pop_back();
    out << "  as shown:\n    " << PrintableLines(snapshot, "    ") << "\n";
  }
}

}  // namespace pinlet::app
