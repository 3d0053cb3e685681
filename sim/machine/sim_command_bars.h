// The simulated command bars of one window: the bars, their controls and
// what the user does with them.
//
// A window (an Explorer, an Inspector, Word's mail window) owns one
// SimCommandBars, built at its creation from bar definitions (builtin_bars.h)
// and handed to the add-in as its CommandBars. Objects handed out are handles
// on the nodes below, so two handles on the same control see the same state.
// Each member the add-in calls passes the world's fault injector once, first,
// under its host name ("CommandBars.Item", "CommandBarControls.Add",
// "CommandBarButton.Caption", "CommandBarPopup.Controls"; a control's members
// are named after its kind). A member the control's kind lacks is refused
// with 438 before any call is made, as IDispatch refuses an unknown name, and
// is not counted.
//
// Below the interface is the machine's side, which is not a call of the
// add-in's and is neither counted nor failed: the owner of the bars sets the
// built-in actions of commands, a driver clicks controls as the user does and
// redraws the bars (OnUpdate), shows them as text, and reads the records of
// every click, every face set and every control added or deleted.
//
// The windows of one Office process (Outlook's, or Word's when it edits
// mail) share one BarProcess. Office routes a click of a caller's control by
// its Tag across all of that process's windows: the Click sinks of every
// caller's button with the same Tag, the empty Tag included, hear it (see
// CommandBarControl::OnClick). Built-in controls share by their Id within
// one window's bars.
#ifndef PINLET_SIM_MACHINE_SIM_COMMAND_BARS_H_
#define PINLET_SIM_MACHINE_SIM_COMMAND_BARS_H_

#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/command_bars.h"
#include "platform/host_error.h"

namespace pinlet::sim {

class World;

// A built-in control as a bar definition gives it; a popup lists its items.
struct ControlDef {
  int type = office::kControlButton;
  int id = office::kCustomControlId;
  std::string caption;
  int style = office::kButtonAutomatic;
  bool begin_group = false;
  std::vector<ControlDef> items;
};

// A built-in bar with the controls Reset gives it back.
struct BarDef {
  std::string name;
  int type = office::kBarTypeNormal;
  int position = office::kBarTop;
  bool visible = true;
  int row_index = 1;
  std::vector<ControlDef> controls;
};

struct BarNode;

struct ControlNode {
  int type = office::kControlButton;
  int id = office::kCustomControlId;
  bool built_in = false;
  bool temporary = false;
  std::string caption;
  std::string tag;
  std::string tooltip;  // "" answers the caption, as Office does
  bool visible = true;
  bool enabled = true;
  bool begin_group = false;
  int style = office::kButtonAutomatic;
  int state = office::kButtonUp;
  int face_id = 0;
  // A face of the caller's (face_id 0): how it came ("Picture",
  // "Toolbar Button Face", "CF_DIB", "" for none), its pixels and its mask
  // (white transparent; empty when the face has no transparency).
  std::string face_source;
  Picture face;
  Picture mask;
  std::weak_ptr<BarNode> bar;          // the bar the control is on
  std::shared_ptr<BarNode> popup_bar;  // a popup's own bar
  bool deleted = false;
  Event<office::CommandBarControlPtr, bool&> click;
};

struct BarNode {
  std::string name;
  int type = office::kBarTypeNormal;
  bool built_in = false;
  bool temporary = false;
  bool visible = true;
  bool enabled = true;
  int left = 0;
  int top = 0;
  int position = office::kBarTop;
  int row_index = 1;
  int protection = office::kBarNoProtection;
  std::vector<std::shared_ptr<ControlNode>> controls;
  std::vector<ControlDef> defaults;  // what Reset restores (built-in bars)
  std::weak_ptr<ControlNode> popup;  // the popup whose bar this is
  bool deleted = false;
};

// The host's errors for command bars (see command_bars.h).
HostError ItemNotFoundError(const std::string& source);
// E_FAIL as Office reports it: "Method 'Add' of object 'CommandBarControls' failed".
HostError MethodFailedError(std::string_view member, std::string_view object);
// The number before the first '.' of a version text ("11.0.0.8217" gives 11).
int MajorVersion(std::string_view version);
HostError InvalidArgumentError(const std::string& source);
// The caption as shown: the '&' marking an access key dropped ("&&" is "&").
std::string WithoutAccessKeys(std::string_view caption);
// The caption as Office compares it: without access keys, case folded.
std::string CaptionKey(std::string_view caption);
// The first control on `bar` (depth first through popups when `recursive`)
// that matches every criterion given; nullptr when none. With
// `visible_only`, hidden controls and the items of hidden popups are passed by.
std::shared_ptr<ControlNode> FindControlIn(const BarNode& bar, std::optional<int> type,
                                           std::optional<int> id,
                                           const std::optional<std::string>& tag,
                                           bool visible_only, bool recursive);

class SimCommandBars;

// The bars of every window of one Office process.
struct BarProcess {
  std::vector<std::weak_ptr<SimCommandBars>> windows;
};

class SimCommandBars : public office::CommandBars,
                       public std::enable_shared_from_this<SimCommandBars> {
 public:
  struct ClickRecord {
    std::string control;  // path, as PathOf gives it
    int id = 0;
    bool cancelled = false;
    bool action_ran = false;
  };
  struct FaceRecord {
    std::string control;
    std::string source;  // "Toolbar Button Face", "CF_DIB", "Picture" or "Mask"
    Picture face;        // the picture set (the mask, for "Mask")
    Picture mask;        // the transparency pasted with the face, if any
  };
  struct ChangeRecord {
    enum Kind { kAdded, kDeleted, kReset };
    Kind kind = kAdded;
    std::string bar;  // path of the bar
    int index = 0;    // the control's position on it (0 for a reset)
    int type = 0;
    int id = 0;
    bool temporary = false;
    std::string caption;  // the deleted control's
  };
  struct ClickResult {
    std::string refused;  // why the user cannot click it; "" when clicked
    bool cancelled = false;
    bool action_ran = false;
  };

  // The bars of `bars`, on `world`. `office_version` answers the host's
  // major version (Picture and Mask need 10 or later).
  static std::shared_ptr<SimCommandBars> Create(World* world,
                                                const std::vector<BarDef>& bars,
                                                std::function<int()> office_version);
  SimCommandBars(World* world, std::function<int()> office_version);

  // office::CommandBars
  int Count() override;
  office::CommandBarPtr Item(int index) override;
  office::CommandBarPtr Item(std::string_view name) override;
  office::CommandBarPtr Add(std::string_view name, int position, bool menu_bar,
                            bool temporary) override;
  office::CommandBarControlPtr FindControl(std::optional<int> type, std::optional<int> id,
                                           std::optional<std::string> tag,
                                           bool visible_only) override;
  Subscription OnUpdate(std::function<void()> handler) override;

  // --- The machine's side.
  // The window the bars belong to (what a bar's Parent answers).
  void set_parent(std::weak_ptr<office::Window> parent) { parent_ = std::move(parent); }
  office::WindowPtr parent() const { return parent_.lock(); }
  World* world() const { return world_; }
  int office_version() const { return office_version_ ? office_version_() : 11; }
  // Makes these bars one window's of `process`: clicks are routed by Tag
  // across the process. Bars in no process route within themselves.
  void JoinProcess(const std::shared_ptr<BarProcess>& process);
  // Whoever keeps the customizations of these bars (Word's customization
  // context) hears of every change the caller makes through the interface:
  // `what` names it, `lasting` is false when it goes with the session (a
  // temporary bar or control).
  using ChangeObserver = std::function<void(const std::string& what, bool lasting)>;
  void set_change_observer(ChangeObserver observer) { observer_ = std::move(observer); }
  void NoteChange(const std::string& what, bool lasting) {
    if (observer_) observer_(what, lasting);
  }
  // What the host does for the built-in command `id` when the user clicks a
  // control with that Id and no Click handler cancelled the default.
  void SetAction(int id, std::function<void()> action);

  const std::vector<std::shared_ptr<BarNode>>& bars() const { return bars_; }
  std::shared_ptr<BarNode> FindBar(std::string_view name) const;
  // The first control, depth first through the menus, with that caption
  // (compared as Office compares captions) or Id, on the bar named `bar` or,
  // when it is empty, on any bar; nullptr when none.
  std::shared_ptr<ControlNode> FindByCaption(std::string_view caption,
                                             std::string_view bar = "") const;
  std::shared_ptr<ControlNode> FindById(int id, std::string_view bar = "") const;
  // Clicks the control as the user does: fires Click (see
  // CommandBarControl::OnClick for whose handlers hear it), then runs the
  // built-in action unless a handler cancelled the default. A control the
  // user cannot reach (hidden, disabled, deleted, a popup, on a hidden or
  // disabled bar) is not clicked; `refused` says why. Requires a control.
  ClickResult Click(const std::shared_ptr<ControlNode>& control);
  // Redraws the bars: fires OnUpdate, unless it is already being delivered.
  void Update();

  // The menus the user has open: a shortcut menu at a place in the window,
  // and the popups opened one inside the other, outermost first.
  struct OpenMenus {
    std::shared_ptr<BarNode> shortcut;  // a bar of type popup, or nullptr
    int x = 0, y = 0;                   // where it opened, pixels inside the window
    std::vector<std::shared_ptr<ControlNode>> popups;
    bool empty() const { return !shortcut && popups.empty(); }
  };
  // The user opens a popup control's menu (a menu of the menu bar, a
  // submenu): the popups it is in open too, and menus elsewhere close. A
  // popup inside the open shortcut menu keeps it open. `refused` says why
  // nothing opened (not a popup, hidden, disabled, deleted, on a hidden or
  // disabled bar, in a shortcut menu that is not open); "" when it opened.
  std::string OpenMenu(const std::shared_ptr<ControlNode>& popup);
  // The user right-clicks: the bars are redrawn (OnUpdate, as Office does
  // before it shows a shortcut menu), then the shortcut menu `bar` (a bar of
  // type popup) opens at (x, y). Other menus close first. Answers why
  // nothing opened, or "".
  std::string OpenShortcutMenu(const std::shared_ptr<BarNode>& bar, int x, int y);
  // Every open menu closes, as Escape or a click elsewhere does; a click of
  // a control closes them too.
  void CloseMenus() { open_ = {}; }
  const OpenMenus& open_menus() const { return open_; }
  // What the host does when it exits: temporary bars and controls go.
  void RemoveTemporary();
  // The window has closed: every bar and control of it is dead, and so are
  // the CommandBars (their members raise errors::kOperationFailed).
  void WindowClosed();

  // "Standard/&Reply", "Menu Bar/&Tools/Zarvo Options/Pinlet Options...".
  std::string PathOf(const ControlNode& control) const;
  std::string PathOf(const BarNode& bar) const;
  // The bar as text, one line for the bar and one per control, items of a
  // popup indented under it; `Show()` gives every bar.
  std::string Show(const BarNode& bar) const;
  std::string Show() const;
  // One control as Show(bar) gives it (numbered by its place on its bar),
  // with a popup's items below it: a menu of a menu bar.
  std::string Show(const ControlNode& control) const;

  const std::vector<ClickRecord>& clicks() const { return clicks_; }
  const std::vector<FaceRecord>& faces() const { return faces_; }
  const std::vector<ChangeRecord>& changes() const { return changes_; }

  // --- Used by the handles on these bars.
  office::CommandBarPtr WrapBar(std::shared_ptr<BarNode> bar);
  office::CommandBarControlsPtr WrapControls(std::shared_ptr<BarNode> bar);
  office::CommandBarControlPtr WrapControl(std::shared_ptr<ControlNode> control);
  // Controls.Add on `bar`, after its checks; see CommandBarControls::Add.
  std::shared_ptr<ControlNode> AddControl(const std::shared_ptr<BarNode>& bar, int type,
                                          int id, std::optional<int> before,
                                          bool temporary);
  // Removes the control from its bar and marks it (and a popup's items) deleted.
  void RemoveControl(const std::shared_ptr<ControlNode>& control);
  void ResetBar(const std::shared_ptr<BarNode>& bar);
  void DeleteBar(const std::shared_ptr<BarNode>& bar);
  // 1-based position of a top-level bar, 0 for a popup's bar.
  int IndexOf(const BarNode& bar) const;
  void RecordFace(FaceRecord record) { faces_.push_back(std::move(record)); }

 private:
  std::shared_ptr<ControlNode> Instantiate(const ControlDef& def,
                                           const std::shared_ptr<BarNode>& bar);
  std::string WhyUnclickable(const ControlNode& control) const;
  // Why the user cannot reach the control (hidden, disabled, deleted, on a
  // hidden or disabled bar); "" when it can be reached.
  std::string WhyUnreachable(const ControlNode& control) const;
  // The controls whose Click handlers hear a click of `control`, it first:
  // the built-in controls of its Id on these bars, or the caller's buttons
  // of its Tag on the bars of every window of the process.
  std::vector<std::shared_ptr<ControlNode>> Sinks(
      const std::shared_ptr<ControlNode>& control) const;
  // Visits the controls depth first (of the bar named `bar` only, unless it
  // is empty) until `visit` answers true.
  void ForEachControl(
      std::string_view bar,
      const std::function<bool(const std::shared_ptr<ControlNode>&)>& visit) const;
  void Enter(const char* member);

  World* world_;
  std::function<int()> office_version_;
  std::weak_ptr<office::Window> parent_;
  std::shared_ptr<BarProcess> process_;
  ChangeObserver observer_;
  std::vector<std::shared_ptr<BarNode>> bars_;
  std::map<int, ControlDef> catalogue_;  // built-in commands by Id, for Add
  std::map<int, std::function<void()>> actions_;
  Event<> update_;
  bool updating_ = false;
  bool closed_ = false;
  OpenMenus open_;
  std::vector<ClickRecord> clicks_;
  std::vector<FaceRecord> faces_;
  std::vector<ChangeRecord> changes_;
};

}  // namespace pinlet::sim

#endif  // PINLET_SIM_MACHINE_SIM_COMMAND_BARS_H_
