// The built-in command bars of the windows the simulated hosts open, as
// Outlook 2002/2003 and Word 2003 show them: each window's SimCommandBars is
// built from one of these lists when the window is created.
//
// Controls carry Office's command numbers where the add-in looks them up by
// Id (below); the other entries are there so that the bars look as the user
// knows them (lookups by caption and position have something to pass by).
#ifndef PINLET_SIM_MACHINE_BUILTIN_BARS_H_
#define PINLET_SIM_MACHINE_BUILTIN_BARS_H_

#include <vector>

#include "sim/machine/sim_command_bars.h"

namespace pinlet::sim {

// Command numbers (control Ids) of built-in commands.
namespace command {
constexpr int kSave = 3;
constexpr int kPrint = 4;
constexpr int kAddressBook = 353;
constexpr int kReply = 354;
constexpr int kReplyAll = 355;
constexpr int kForward = 356;
constexpr int kDelete = 478;
constexpr int kOptions = 522;
constexpr int kCustomize = 797;
constexpr int kAbout = 927;
constexpr int kOfficeHelp = 984;
constexpr int kSend = 2617;
constexpr int kFileMenu = 30002;
constexpr int kEditMenu = 30003;
constexpr int kViewMenu = 30004;
constexpr int kInsertMenu = 30005;
constexpr int kFormatMenu = 30006;
constexpr int kToolsMenu = 30007;
constexpr int kHelpMenu = 30010;
constexpr int kActionsMenu = 30131;
}  // namespace command

// An Outlook main window: "Menu Bar" (with the Tools menu, whose last entry
// is "Options...", and the Help menu 30010 whose last entry is About 927),
// "Standard" (Reply 354, Reply to All 355, Forward 356 among others),
// "Advanced" (hidden) and the item shortcut menu "Context Menu".
std::vector<BarDef> OutlookExplorerBars();
// An Outlook item window edited by Outlook itself: "Menu Bar" and "Standard".
std::vector<BarDef> OutlookInspectorBars();
// Word's mail window, which is also what a Word-edited Outlook 2003 mail
// window shows: Word's "Menu Bar", its "Standard" toolbar, and the
// envelope's "E-mail" toolbar.
std::vector<BarDef> WordMailBars();
// Word's own bars, which every ordinary document window shows: "Menu Bar"
// and "Standard" as a mail window has them, and "Formatting".
std::vector<BarDef> WordDocumentBars();

}  // namespace pinlet::sim

#endif  // PINLET_SIM_MACHINE_BUILTIN_BARS_H_
