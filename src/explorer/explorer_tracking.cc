// The wrapper's life: holding its window with events, its activation, its
// window's Close, and what it does as it is released.
#include "addin/error_report.h"
#include "addin/string_table.h"
#include "explorer/bas_explorers.h"
#include "explorer/cls_explorer.h"
#include "explorer/cls_explorers.h"

namespace pinlet {

void HeldControl::Hold(office::CommandBarControlPtr c, office::ClickHandler handler) {
  events.Reset();
  control = std::move(c);
  events = Must(control).OnClick(std::move(handler));
}

void HeldControl::Release() {
  events.Reset();
  control.reset();
}

clsExplorer::~clsExplorer() {
  if (toolbar_) SaveBarPosition();
  explorer_events_.clear();
  menOptions_.Release();
  menAbout_.Release();
  m_objExplorer_.reset();
  cmdNewNote_.Release();
  cmdFilter_.Release();
  cmdHelp_.Release();
  objCmdBars_events_.Reset();
  objCmdBars_.reset();
  toolbar_popup_.reset();
  cmdSettings_.Release();
  cmdOtherHelp_.Release();
  cmdAbout_.Release();
  context_popup_.reset();
  toolbar_.reset();
  cmdForward_.Release();
  cmdReply_.Release();
  cmdReplyAll_.Release();
  cmdContextNewNote_.Release();
}

void clsExplorer::SetExplorer(ol::ExplorerPtr explorer) {
  explorer_events_.clear();
  m_objExplorer_ = std::move(explorer);
  if (!m_objExplorer_) return;
  ol::Explorer& e = *m_objExplorer_;
  explorer_events_.push_back(e.OnActivate([this] { m_objExplorer_Activate(); }));
  explorer_events_.push_back(
      e.OnBeforeFolderSwitch([this](const ol::FolderPtr& folder, bool& cancel) {
        m_objExplorer_BeforeFolderSwitch(folder, cancel);
      }));
  explorer_events_.push_back(
      e.OnBeforeViewSwitch([this](const std::string& view, bool& cancel) {
        m_objExplorer_BeforeViewSwitch(view, cancel);
      }));
  explorer_events_.push_back(e.OnClose([this] { m_objExplorer_Close(); }));
  explorer_events_.push_back(e.OnFolderSwitch([this] { m_objExplorer_FolderSwitch(); }));
  explorer_events_.push_back(
      e.OnSelectionChange([this] { m_objExplorer_SelectionChange(); }));
}

void clsExplorer::m_objExplorer_Activate() {
  RunGuardedSub(ctx_, "clsExplorer(Sub m_objExplorer_Activate)", [&](Proc& proc) {
    proc.line = 10;
    if (ctx_.explorer_tracker) ctx_.explorer_tracker->active_explorer_id = id_;
    proc.line = 20;
    if (!toolbar_) CreatePNXToolBar();
    // A window opened later gets its menu entries as it first shows, not
    // only at its first folder switch.
    proc.line = 30;
    if (!menu_added_) AddMenu();
  });
}

void clsExplorer::m_objExplorer_Close() {
  // Leaving the tracker releases the wrapper: it lives until this returns.
  std::shared_ptr<clsExplorer> self = shared_from_this();
  ReportedSteps step(ctx_, "clsExplorer(Sub m_objExplorer_Close)");
  Close_CExplorer(ctx_, id_);
  menOptions_.Release();
  if (menAbout_.control) step([&] { menAbout_.control->Delete(); });
  menAbout_.Release();
  cmdNewNote_.Release();
  explorer_events_.clear();
  m_objExplorer_.reset();
}

office::ClickHandler clsExplorer::Bind(
    void (clsExplorer::*handler)(const office::CommandBarControlPtr&, bool&)) {
  return [this, handler](office::CommandBarControlPtr ctrl, bool& cancel_default) {
    (this->*handler)(ctrl, cancel_default);
  };
}

}  // namespace pinlet
