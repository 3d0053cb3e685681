// The window's "Pinlet ToolBar", its menu entries, the toolbar's enabled
// state per folder and its position kept across windows.
#include "addin/error_report.h"
#include "addin/pictures.h"
#include "addin/settings.h"
#include "addin/string_table.h"
#include "explorer/bas_explorers.h"
#include "explorer/bas_icons.h"
#include "explorer/cls_explorer.h"
#include "store/filter_view.h"
#include "store/folder_identity.h"

namespace pinlet {
namespace {

// Office's command numbers the add-in looks up.
constexpr int kHelpFace = 984;
constexpr int kHelpMenuId = 30010;
constexpr int kAboutId = 927;
constexpr int kReplyId = 354;
constexpr int kReplyAllId = 355;
constexpr int kForwardId = 356;

constexpr const char* kStandardBar = "Standard";

// The bases of the Tags of the window's buttons (ControlTag).
constexpr const char* kNewNoteTag = "Pinlet.NewNote";
constexpr const char* kFilterTag = "Pinlet.Filter";
constexpr const char* kHelpTag = "Pinlet.Help";
constexpr const char* kSettingsTag = "Pinlet.Settings";
constexpr const char* kOtherHelpTag = "Pinlet.OtherHelp";
constexpr const char* kAboutTag = "Pinlet.About";
constexpr const char* kOptionsItemTag = "Pinlet.OptionsItem";
constexpr const char* kAboutItemTag = "Pinlet.AboutItem";
constexpr const char* kSettingsCaption = "Settings...";
constexpr const char* kZarvoAbout = "Zarvo About";

// The toolbar's position values, in the order they are written and read.
constexpr const char* kBarLeft = "BarLeft";
constexpr const char* kBarTop = "BarTop";
constexpr const char* kBarPosition = "BarPosition";
constexpr const char* kBarRowIndex = "BarRowIndex";

// The control of that caption on `controls`, or nullptr.
office::CommandBarControlPtr Lookup(const office::CommandBarControlsPtr& controls,
                                    const std::string& caption) {
  return TryGet([&] { return Must(controls).Item(caption); });
}

// A stored toolbar position value as a whole number; nullopt when it is
// missing or not a number.
std::optional<int> StoredNumber(Registry& registry, const char* name) {
  Variant value = ReadValue(registry, RootKey::kCurrentUser, kNoteKey, name);
  if (value.IsLong()) return value.long_value();
  if (!value.IsText()) return std::nullopt;
  std::optional<double> number = ParseNumber(value.text());
  if (!number || *number < INT32_MIN || *number > INT32_MAX) return std::nullopt;
  return static_cast<int>(*number);
}

}  // namespace

void clsExplorer::CreatePNXToolBar() {
  ReportedSteps step(ctx_, "clsExplorer(Sub CreatePNXToolBar)");
  const std::string toolbar_name = LoadResString(res::kToolbarName);
  step([&] {
    objCmdBars_events_.Reset();
    objCmdBars_ = Must(m_objExplorer_).CommandBars();
    objCmdBars_events_ = Must(objCmdBars_).OnUpdate([this] { objCmdBars_OnUpdate(); });
  });
  step([&] {
    if (auto old = TryGet([&] { return Must(objCmdBars_).Item(toolbar_name); }))
      old->Delete();
  });
  step([&] {
    toolbar_ = Must(objCmdBars_).Add(toolbar_name, office::kBarTop, false, true);
  });
  RestoreBarPosition();
  if (!toolbar_built_ && toolbar_) {
    office::CommandBarControlsPtr controls = TryGet([&] { return toolbar_->Controls(); });
    // The main button.
    step([&] {
      office::CommandBarControlPtr found = Lookup(controls, LoadResString(res::kAddNote));
      if (!found) found = Lookup(controls, LoadResString(res::kViewNote));
      cmdNewNote_.Hold(ReuseOrAddButton(ctx_, toolbar_, found, kNewNoteTag,
                                        LoadResString(res::kAddNewNote), "ADD",
                                        LoadResString(res::kAddNote)),
                       Bind(&clsExplorer::cmdNewNote_Click));
    });
    SetBtnFace(ctx_, cmdNewNote_.control, LoadResPicture("ADD"),
               LoadResPicture("ADD_MASK"));
    // The Filter button, pressed while the window shows the filter view.
    step([&] {
      office::CommandBarControlPtr found =
          Lookup(controls, LoadResString(res::kFilterCaption));
      cmdFilter_.Hold(ReuseOrAddButton(ctx_, toolbar_, found, kFilterTag,
                                       LoadResString(res::kFilterTooltip), "FILTER",
                                       LoadResString(res::kFilterCaption)),
                      Bind(&clsExplorer::cmdFilter_Click));
    });
    step([&] {
      bool filtered = Must(m_objExplorer_).CurrentView() == kFilterViewName;
      Must(cmdFilter_.control)
          .SetState(filtered ? office::kButtonDown : office::kButtonUp);
    });
    SetBtnFace(ctx_, cmdFilter_.control, LoadResPicture("FILTER"),
               LoadResPicture("FILTER_MASK"));
    // The Help button, with Office's own help face.
    step([&] {
      cmdHelp_.Hold(Must(controls).Add(office::kControlButton, office::kCustomControlId,
                                       std::nullopt, true),
                    Bind(&clsExplorer::cmdHelp_Click));
    });
    step([&] { Must(cmdHelp_.control).SetTag(ControlTag(ctx_, kHelpTag)); });
    step([&] { Must(cmdHelp_.control).SetFaceId(kHelpFace); });
    step([&] { Must(cmdHelp_.control).SetBeginGroup(true); });
    step([&] { Must(cmdHelp_.control).SetStyle(office::kButtonIcon); });
    step(
        [&] { Must(cmdHelp_.control).SetTooltipText(LoadResString(res::kHelp)); });
    // The popup with Settings, Help and About.
    step([&] {
      toolbar_popup_ = Must(controls).Add(office::kControlPopup, office::kCustomControlId,
                                          std::nullopt, true);
    });
    step([&] { Must(toolbar_popup_).SetCaption(" "); });
    step([&] { Must(toolbar_popup_).SetBeginGroup(false); });
    office::CommandBarPtr menu =
        TryGet([&] { return Must(toolbar_popup_).CommandBar(); });
    step([&] {
      cmdSettings_.Hold(AddCustomButton(ctx_, menu, ControlTag(ctx_, kSettingsTag),
                                        "Settings", false,
                                        office::kButtonIconAndCaption,
                                        LoadResPicture("SETTINGS"), kSettingsCaption),
                        Bind(&clsExplorer::cmdSettings_Click));
    });
    SetBtnFace(ctx_, cmdSettings_.control, LoadResPicture("SETTINGS"),
               LoadResPicture("SETTINGS_MASK"));
    step([&] {
      cmdOtherHelp_.Hold(AddCustomButton(ctx_, menu, ControlTag(ctx_, kOtherHelpTag),
                                         LoadResString(res::kHelp), false,
                                         office::kButtonIconAndCaption, Picture(),
                                         LoadResString(res::kHelp)),
                         Bind(&clsExplorer::cmdOtherHelp_Click));
    });
    step([&] { Must(cmdOtherHelp_.control).SetFaceId(kHelpFace); });
    step([&] {
      cmdAbout_.Hold(
          AddCustomButton(ctx_, menu, ControlTag(ctx_, kAboutTag), "About", true,
                          office::kButtonIconAndCaption, LoadResPicture("OPTIONS"),
                          "About"),
          Bind(&clsExplorer::cmdAbout_Click));
    });
    SetBtnFace(ctx_, cmdAbout_.control, LoadResPicture("OPTIONS"),
               LoadResPicture("OPTIONS_MASK"));
    for (HeldControl* item : {&cmdSettings_, &cmdOtherHelp_, &cmdAbout_})
      step([&] { Must(item->control).SetVisible(true); });
    toolbar_built_ = true;
  }
  step([&] { Must(toolbar_).SetVisible(true); });
  // Outlook's Reply, Reply to All and Forward, whose clicks hand the note over.
  office::CommandBarPtr standard =
      TryGet([&] { return Must(objCmdBars_).Item(kStandardBar); });
  std::pair<HeldControl*,
            void (clsExplorer::*)(const office::CommandBarControlPtr&, bool&)>
      hooks[] = {{&cmdReply_, &clsExplorer::cmdReply_Click},
                 {&cmdReplyAll_, &clsExplorer::cmdReplyAll_Click},
                 {&cmdForward_, &clsExplorer::cmdForward_Click}};
  const int ids[] = {kReplyId, kReplyAllId, kForwardId};
  for (size_t i = 0; i < 3; ++i) {
    step([&] {
      hooks[i].first->Hold(Must(standard).FindControl(std::nullopt, ids[i]),
                           Bind(hooks[i].second));
    });
  }
  step([&] {
    if (!IsNotesFolder(ctx_, Must(m_objExplorer_).CurrentFolder()))
      ChangeCaption(cmdNewNote_.control);
  });
  // A window that opens on an excluded folder starts with its toolbar off.
  ApplyToolbarEnabled();
}

void clsExplorer::AddMenu() {
  ReportedSteps step(ctx_, "clsExplorer(Sub AddMenu)");
  step([&] {
    menu_bar_name_ = LoadResString(res::kMenuBar);
    office::CommandBarPtr menu_bar =
        TryGet([&] { return Must(m_objExplorer_).CommandBars()->Item(menu_bar_name_); });
    if (!menu_bar) return;
    office::CommandBarControlPtr help =
        menu_bar->FindControl(office::kControlPopup, kHelpMenuId);
    if (!help) return;
    const std::string zarvo_options = LoadResString(res::kZarvoOptions);
    // Tools: "Zarvo Options" before the menu's last entry.
    step([&] {
      office::CommandBarControlsPtr tools =
          menu_bar->Controls()->Item(LoadResString(res::kToolsMenu))->Controls();
      office::CommandBarControlPtr submenu = Lookup(tools, zarvo_options);
      if (!submenu)
        submenu = tools->Add(office::kControlPopup, office::kCustomControlId,
                             tools->Count(), true);
      if (!submenu) return;
      step([&] { submenu->SetBeginGroup(true); });
      step([&] { submenu->SetCaption(zarvo_options); });
      step([&] { submenu->SetTag(zarvo_options); });
      const std::string caption = LoadResString(res::kPinletOptions);
      office::CommandBarControlPtr item =
          Lookup(TryGet([&] { return submenu->Controls(); }), caption);
      bool made = !item;
      if (made)
        AddMenuItem(submenu, caption, true, false, LoadResPicture("OPTIONS"), item);
      GiveOwnTag(ctx_, item, kOptionsItemTag);
      step([&] { menOptions_.Hold(item, Bind(&clsExplorer::menOptions_Click)); });
      if (made)
        SetBtnFace(ctx_, item, LoadResPicture("OPTIONS"), LoadResPicture("OPTIONS_MASK"));
    });
    // Help: "Zarvo About" right after Outlook's About entry.
    step([&] {
      office::CommandBarControlsPtr items = help->Controls();
      office::CommandBarControlPtr submenu = Lookup(items, kZarvoAbout);
      if (!submenu) {
        office::CommandBarControlPtr about =
            help->CommandBar()->FindControl(office::kControlButton, kAboutId);
        submenu = items->Add(office::kControlPopup, office::kCustomControlId,
                             Must(about).Index() + 1, true);
        step([&] { Must(submenu).SetBeginGroup(true); });
        step([&] { Must(submenu).SetCaption(kZarvoAbout); });
        step([&] { Must(submenu).SetTag(kZarvoAbout); });
      }
      const std::string caption = LoadResString(res::kAboutPinlet);
      office::CommandBarControlPtr item =
          Lookup(TryGet([&] { return Must(submenu).Controls(); }), caption);
      if (!item) {
        AddMenuItem(submenu, caption, true, false, LoadResPicture("OPTIONS"), item);
        SetBtnFace(ctx_, item, LoadResPicture("OPTIONS"), LoadResPicture("OPTIONS_MASK"));
      }
      GiveOwnTag(ctx_, item, kAboutItemTag);
      menAbout_.Hold(item, Bind(&clsExplorer::menAbout_Click));
    });
  });
  menu_added_ = true;
}

void clsExplorer::AddMenuItem(const office::CommandBarControlPtr& popup,
                              const std::string& caption, bool enabled, bool begin_group,
                              const Picture& picture,
                              office::CommandBarControlPtr& button) {
  RunGuardedSub(ctx_, "clsExplorer(Function AddMenuItem)", [&](Proc& proc) {
    proc.line = 10;
    button = Must(popup).Controls()->Add(office::kControlButton);
    proc.line = 20;
    button->SetStyle(office::kButtonIconAndCaption);
    button->SetCaption(caption);
    button->SetEnabled(enabled);
    button->SetBeginGroup(begin_group);
    proc.line = 30;
    if (!picture.empty()) PasteButtonFace(ctx_, button, picture, kMagenta);
  });
}

void clsExplorer::FolderChanged() {
  RunGuardedSub(ctx_, "clsExplorer(Sub FolderChanged)", [&](Proc& proc) {
    proc.line = 10;
    if (!menu_added_) AddMenu();
    proc.line = 20;
    // The toolbar exists from the window's first activation, which builds
    // it in the right state; until then there is nothing to set.
    if (toolbar_)
      toolbar_->SetEnabled(!IsExcludedFolder(ctx_, Must(m_objExplorer_).CurrentFolder()));
  });
}

void clsExplorer::ApplyToolbarEnabled() {
  IgnoreError([&] {
    bool excluded = IsExcludedFolder(ctx_, Must(m_objExplorer_).CurrentFolder());
    Must(toolbar_).SetEnabled(!excluded);
  });
}

void clsExplorer::SaveBarPosition() {
  Registry& registry = ctx_.registry();
  std::pair<const char*, int (office::CommandBar::*)()> values[] = {
      {kBarLeft, &office::CommandBar::Left},
      {kBarTop, &office::CommandBar::Top},
      {kBarPosition, &office::CommandBar::Position},
      {kBarRowIndex, &office::CommandBar::RowIndex}};
  for (auto& [name, member] : values)
    IgnoreError([&, name = name, member = member] {
      WriteText(registry, kNoteKey, name, std::to_string((Must(toolbar_).*member)()));
    });
}

void clsExplorer::RestoreBarPosition() {
  Registry& registry = ctx_.registry();
  std::pair<const char*, void (office::CommandBar::*)(int)> values[] = {
      {kBarLeft, &office::CommandBar::SetLeft},
      {kBarTop, &office::CommandBar::SetTop},
      {kBarPosition, &office::CommandBar::SetPosition},
      {kBarRowIndex, &office::CommandBar::SetRowIndex}};
  for (auto& [name, member] : values) {
    std::optional<int> stored = StoredNumber(registry, name);
    if (!stored) continue;
    IgnoreError([&, member = member] { (Must(toolbar_).*member)(*stored); });
  }
}

}  // namespace pinlet
