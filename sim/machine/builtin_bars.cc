#include "sim/machine/builtin_bars.h"

#include <string>

namespace pinlet::sim {
namespace {

using office::kBarTypeMenuBar;
using office::kBarTypePopup;
using office::kButtonIconAndCaption;

// The few shapes a definition takes.
ControlDef Button(int id, std::string caption, bool begin_group = false,
                  int style = office::kButtonAutomatic) {
  ControlDef def;
  def.id = id;
  def.caption = std::move(caption);
  def.begin_group = begin_group;
  def.style = style;
  return def;
}
ControlDef Menu(int id, std::string caption, std::vector<ControlDef> items,
                bool begin_group = false) {
  ControlDef def;
  def.type = office::kControlPopup;
  def.id = id;
  def.caption = std::move(caption);
  def.items = std::move(items);
  def.begin_group = begin_group;
  return def;
}
BarDef Bar(std::string name, std::vector<ControlDef> controls, int row = 1) {
  BarDef def;
  def.name = std::move(name);
  def.controls = std::move(controls);
  def.row_index = row;
  return def;
}

ControlDef HelpMenu(std::string help_caption, std::string about_caption) {
  return Menu(
      command::kHelpMenu, "&Help",
      {Button(command::kOfficeHelp, std::move(help_caption)),
       Button(2, "Show the &Office Assistant"),
       Button(7342, "Microsoft Office &Online", true), Button(7729, "&Contact Us"),
       Button(7343, "Check for &Updates"), Button(2537, "Detect and &Repair...", true),
       Button(7730, "Acti&vate Product..."),
       Button(7731, "Customer &Feedback Options...", true),
       Button(command::kAbout, std::move(about_caption), true)});
}

ControlDef OutlookFileMenu() {
  return Menu(
      command::kFileMenu, "&File",
      {Menu(30037, "Ne&w",
            {Button(1757, "&Mail Message"), Button(1752, "&Post in This Folder")}),
       Button(23, "&Open"), Button(command::kSave, "&Save", true),
       Button(748, "Save &As..."), Button(command::kPrint, "&Print...", true),
       Button(752, "E&xit", true)});
}

}  // namespace

std::vector<BarDef> OutlookExplorerBars() {
  BarDef menu_bar = Bar(
      "Menu Bar",
      {OutlookFileMenu(),
       Menu(command::kEditMenu, "&Edit",
            {Button(21, "Cu&t"), Button(19, "&Copy"), Button(22, "&Paste"),
             Button(command::kDelete, "&Delete", true),
             Button(1744, "Mo&ve to Folder...")}),
       Menu(command::kViewMenu, "&View",
            {Menu(30132, "Arran&ge By", {Button(5580, "&Date"), Button(5581, "&From")}),
             Button(5594, "Navigation Pa&ne", true), Button(5593, "Rea&ding Pane")}),
       Menu(30407, "&Go",
            {Button(5595, "&Mail"), Button(5596, "&Calendar"), Button(5597, "C&ontacts"),
             Button(5598, "&Tasks"), Button(5599, "&Notes")}),
       Menu(
           command::kToolsMenu, "&Tools",
           {Menu(7095, "Send/Recei&ve", {Button(5488, "Send/Receive &All")}),
            Button(command::kAddressBook, "Address &Book...", true),
            Button(5603, "&Rules and Alerts...", true),
            Button(5604, "Mailbo&x Cleanup..."),
            Button(5605, "Empty \"De&leted Items\" Folder"),
            Menu(30017, "&Macro",
                 {Button(186, "&Macros..."), Button(1695, "&Visual Basic Editor")}, true),
            Button(5606, "E-mail &Accounts...", true),
            Button(command::kCustomize, "&Customize..."),
            Button(command::kOptions, "&Options...")}),
       Menu(command::kActionsMenu, "&Actions",
            {Button(1757, "New &Mail Message"), Button(command::kReply, "&Reply", true),
             Button(command::kReplyAll, "Reply to A&ll"),
             Button(command::kForward, "For&ward")}),
       HelpMenu("Microsoft Office Outlook &Help", "&About Microsoft Office Outlook")});
  menu_bar.type = kBarTypeMenuBar;
  menu_bar.position = office::kBarTop;

  BarDef standard =
      Bar("Standard",
          {Button(1757, "&New", false, kButtonIconAndCaption),
           Button(command::kPrint, "&Print", true, office::kButtonIcon),
           Button(1744, "Mo&ve to Folder", false, office::kButtonIcon),
           Button(command::kDelete, "&Delete", false, office::kButtonIcon),
           Button(command::kReply, "&Reply", true, kButtonIconAndCaption),
           Button(command::kReplyAll, "Reply to A&ll", false, kButtonIconAndCaption),
           Button(command::kForward, "For&ward", false, kButtonIconAndCaption),
           Button(5488, "Send/Re&ceive", true, kButtonIconAndCaption),
           Button(5592, "Fin&d", true, kButtonIconAndCaption),
           Button(command::kAddressBook, "Address &Book", true, office::kButtonIcon),
           Button(command::kOfficeHelp, "Microsoft Office Outlook &Help", true,
                  office::kButtonIcon)},
          2);

  BarDef advanced = Bar("Advanced",
                        {Button(5607, "Outlook T&oday"), Button(5608, "&Back", true),
                         Button(5609, "&Forward"), Button(5610, "&Up One Level")},
                        3);
  advanced.visible = false;

  BarDef context = Bar(
      "Context Menu",
      {Button(23, "&Open"), Button(command::kPrint, "&Print"),
       Button(command::kReply, "&Reply", true),
       Button(command::kReplyAll, "Reply to A&ll"), Button(command::kForward, "For&ward"),
       Menu(7478, "Follow &Up", {Button(7479, "&Red Flag")}, true),
       Button(5611, "Categor&ies..."), Button(5612, "Mar&k as Unread"),
       Button(command::kDelete, "&Delete", true), Button(1744, "Mo&ve to Folder..."),
       Button(5613, "Op&tions...", true)});
  context.type = kBarTypePopup;
  context.position = office::kBarPopup;
  context.visible = false;

  return {menu_bar, standard, advanced, context};
}

std::vector<BarDef> OutlookInspectorBars() {
  BarDef menu_bar = Bar(
      "Menu Bar",
      {OutlookFileMenu(),
       Menu(command::kEditMenu, "&Edit",
            {Button(21, "Cu&t"), Button(19, "&Copy"), Button(22, "&Paste")}),
       Menu(command::kViewMenu, "&View",
            {Button(5614, "&Previous"), Button(5615, "Ne&xt")}),
       Menu(command::kInsertMenu, "&Insert", {Button(1079, "&File...")}),
       Menu(command::kFormatMenu, "F&ormat", {Button(5616, "&Plain Text")}),
       Menu(command::kToolsMenu, "&Tools",
            {Button(command::kAddressBook, "Address &Book..."),
             Button(command::kOptions, "&Options...", true)}),
       Menu(command::kActionsMenu, "&Actions",
            {Button(command::kReply, "&Reply"),
             Button(command::kReplyAll, "Reply to A&ll"),
             Button(command::kForward, "For&ward")}),
       HelpMenu("Microsoft Office Outlook &Help", "&About Microsoft Office Outlook")});
  menu_bar.type = kBarTypeMenuBar;

  BarDef standard =
      Bar("Standard",
          {Button(command::kReply, "&Reply", false, kButtonIconAndCaption),
           Button(command::kReplyAll, "Reply to A&ll", false, kButtonIconAndCaption),
           Button(command::kForward, "For&ward", false, kButtonIconAndCaption),
           Button(command::kSave, "&Save", true, office::kButtonIcon),
           Button(command::kPrint, "&Print", false, office::kButtonIcon),
           Button(1744, "Mo&ve to Folder", true, office::kButtonIcon),
           Button(command::kDelete, "&Delete", false, office::kButtonIcon),
           Button(5614, "Pre&vious Item", true, office::kButtonIcon),
           Button(5615, "Ne&xt Item", false, office::kButtonIcon),
           Button(command::kOfficeHelp, "Microsoft Office Outlook &Help", true,
                  office::kButtonIcon)},
          2);
  return {menu_bar, standard};
}

std::vector<BarDef> WordMailBars() {
  BarDef menu_bar =
      Bar("Menu Bar",
          {Menu(command::kFileMenu, "&File",
                {Button(18, "&New..."), Button(command::kSave, "&Save", true),
                 Button(command::kPrint, "&Print...", true)}),
           Menu(command::kEditMenu, "&Edit",
                {Button(128, "&Undo"), Button(21, "Cu&t", true), Button(19, "&Copy"),
                 Button(22, "&Paste")}),
           Menu(command::kInsertMenu, "&Insert", {Button(1079, "Fi&le...")}),
           Menu(command::kFormatMenu, "F&ormat", {Button(253, "&Font...")}),
           Menu(command::kToolsMenu, "&Tools",
                {Button(2566, "&Spelling and Grammar..."),
                 Button(command::kOptions, "&Options...", true)}),
           HelpMenu("Microsoft Office Word &Help", "&About Microsoft Office Word")});
  menu_bar.type = kBarTypeMenuBar;

  BarDef standard =
      Bar("Standard",
          {Button(2520, "&New Blank Document", false, office::kButtonIcon),
           Button(23, "&Open...", false, office::kButtonIcon),
           Button(command::kSave, "&Save", false, office::kButtonIcon),
           Button(2521, "&Print", true, office::kButtonIcon),
           Button(109, "Print Pre&view", false, office::kButtonIcon),
           Button(2566, "&Spelling and Grammar...", false, office::kButtonIcon),
           Button(21, "Cu&t", true, office::kButtonIcon),
           Button(19, "&Copy", false, office::kButtonIcon),
           Button(22, "&Paste", false, office::kButtonIcon),
           Button(128, "&Undo", true, office::kButtonIcon),
           Button(129, "&Redo", false, office::kButtonIcon),
           Button(command::kOfficeHelp, "Microsoft Office Word &Help", true,
                  office::kButtonIcon)},
          2);

  BarDef mail = Bar("E-mail",
                    {Button(command::kSend, "&Send", false, kButtonIconAndCaption),
                     Button(1079, "Insert Fi&le", true, office::kButtonIcon),
                     Button(5617, "Chec&k Names", false, office::kButtonIcon),
                     Button(5618, "Importance: &High", true, office::kButtonIcon),
                     Button(5619, "Importance: &Low", false, office::kButtonIcon),
                     Button(5620, "Op&tions...", true, kButtonIconAndCaption)},
                    3);
  return {menu_bar, standard, mail};
}

std::vector<BarDef> WordDocumentBars() {
  std::vector<BarDef> bars = WordMailBars();
  bars.pop_back();  // the envelope's "E-mail"
  bars.push_back(Bar("Formatting",
                     {Button(253, "&Font...", false, office::kButtonIcon),
                      Button(113, "&Bold", true, office::kButtonIcon),
                      Button(114, "&Italic", false, office::kButtonIcon)},
                     2));
  return bars;
}

}  // namespace pinlet::sim
