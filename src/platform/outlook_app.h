// Outlook's object model, window side: the application, the MAPI namespace,
// main windows (explorers) and item windows (inspectors) with their events.
//
// Members are named as the host names them; every member may raise a
// HostError. Event members return a Subscription that disconnects the handler
// when released ("held with events"). Cancel arguments are by reference: a
// handler that sets one stops what the event announced.
//
// Outlook raises the window events in this order (Outlook 2002/2003; the
// object model's reference says that SelectionChange also follows a folder
// switch, as Outlook selects the first item of the new folder):
// - A new main window: Explorers' NewExplorer, then the window's Activate as
//   it shows, then SelectionChange as its folder's first item is selected.
//   The window open at start-up did all this before any add-in was loaded;
//   its Activate comes again only when the user returns to it from another
//   window.
// - Another folder, chosen by the user or set as CurrentFolder:
//   BeforeFolderSwitch(NewFolder, Cancel). A cancelled switch ends there and
//   nothing changes. Otherwise the folder changes, FolderSwitch fires, then
//   SelectionChange (the first item the folder's view shows, or nothing in
//   an empty folder). A folder switch raises no view events; choosing the folder that
//   is shown raises nothing.
// - Another view, chosen by the user or set as CurrentView:
//   BeforeViewSwitch(NewView, Cancel); cancelled, nothing changes; otherwise
//   ViewSwitch. The selection keeps the items the new view shows; when none
//   is left, the view's first item is selected (SelectionChange either way
//   when it changed).
// - Other items selected: SelectionChange once per change; selecting what is
//   selected raises nothing. A selected item that is deleted or moved away
//   leaves the selection, and a saved change to a selected item redraws it;
//   both raise SelectionChange, synchronously, inside the call that caused
//   it.
// - An item window opening (Item.Display, Outlook's Reply, Reply to All and
//   Forward commands, the user opening an item): Inspectors' NewInspector,
//   then the item's Open(Cancel). A cancelled Open closes the window before
//   it shows: its Close fires and it leaves Inspectors. Otherwise the
//   window's Activate.
// - A window the user (or Activate) brings to the front: its Activate, when
//   it was not the active window already.
// - A window closing: its Close, after which it is gone from Explorers or
//   Inspectors.
#ifndef PINLET_PLATFORM_OUTLOOK_APP_H_
#define PINLET_PLATFORM_OUTLOOK_APP_H_

#include <functional>
#include <memory>
#include <string>
#include <string_view>

#include "platform/addin_host.h"
#include "platform/command_bars.h"
#include "platform/events.h"
#include "platform/outlook_items.h"
#include "platform/windows.h"

namespace pinlet::ol {

class NameSpace;
class Explorer;
class Explorers;
class Inspector;
class Inspectors;
class Selection;
using NameSpacePtr = std::shared_ptr<NameSpace>;
using ExplorerPtr = std::shared_ptr<Explorer>;
using ExplorersPtr = std::shared_ptr<Explorers>;
using InspectorPtr = std::shared_ptr<Inspector>;
using InspectorsPtr = std::shared_ptr<Inspectors>;
using SelectionPtr = std::shared_ptr<Selection>;

// Inspector editors (OlEditorType).
enum EditorType : int {
  kOlEditorText = 1,
  kOlEditorHTML = 2,
  kOlEditorRTF = 3,
  kOlEditorWord = 4,
};
// Save modes of Inspector.Close (OlInspectorClose).
enum InspectorClose : int { kOlSave = 0, kOlDiscard = 1, kOlPromptForSave = 2 };

class NameSpace {
 public:
  virtual ~NameSpace() = default;
  virtual FolderPtr GetDefaultFolder(int folder) = 0;
  // One root folder per store, in the profile's order.
  virtual FoldersPtr Folders() = 0;
  // Raises when no folder has that EntryID (in that store, when given).
  virtual FolderPtr GetFolderFromID(std::string_view entry_id,
                                    std::string_view store_id = "") = 0;
  virtual ItemPtr GetItemFromID(std::string_view entry_id,
                                std::string_view store_id = "") = 0;
  virtual std::string CurrentProfileName() = 0;
};

// The items selected in a main window, as they were when it was asked for.
class Selection {
 public:
  virtual ~Selection() = default;
  virtual int Count() = 0;
  virtual ItemPtr Item(int index) = 0;  // 1-based; raises out of range
};

// CommandBars: the window's own bars (office::Window).
class Explorer : public office::Window {
 public:
  virtual ~Explorer() = default;
  virtual int Class() = 0;  // 34
  // "<folder name> - Microsoft Outlook".
  virtual std::string Caption() = 0;
  virtual FolderPtr CurrentFolder() = 0;
  // Switches folder as the user does (events above); a switch that a
  // BeforeFolderSwitch handler cancels leaves the folder as it was.
  // Raises 424 for Nothing or an object that is not a folder.
  virtual void SetCurrentFolder(const FolderPtr& folder) = 0;
  // The name of the view the window shows.
  virtual std::string CurrentView() = 0;
  // Switches to the folder's view of that name (events above); raises when
  // the folder has no such view.
  virtual void SetCurrentView(std::string_view view_name) = 0;
  virtual SelectionPtr Selection() = 0;
  // Brings the window to the front.
  virtual void Activate() = 0;
  virtual WindowHandle Hwnd() = 0;
  virtual void Close() = 0;

  using FolderSwitchHandler =
      std::function<void(const FolderPtr& new_folder, bool& cancel)>;
  using ViewSwitchHandler =
      std::function<void(const std::string& new_view, bool& cancel)>;
  virtual Subscription OnActivate(std::function<void()> handler) = 0;
  virtual Subscription OnBeforeFolderSwitch(FolderSwitchHandler handler) = 0;
  virtual Subscription OnFolderSwitch(std::function<void()> handler) = 0;
  virtual Subscription OnBeforeViewSwitch(ViewSwitchHandler handler) = 0;
  virtual Subscription OnViewSwitch(std::function<void()> handler) = 0;
  virtual Subscription OnSelectionChange(std::function<void()> handler) = 0;
  virtual Subscription OnClose(std::function<void()> handler) = 0;
};

class Explorers {
 public:
  virtual ~Explorers() = default;
  virtual int Count() = 0;
  virtual ExplorerPtr Item(int index) = 0;  // 1-based
  virtual Subscription OnNewExplorer(std::function<void(ExplorerPtr)> handler) = 0;
};

// CommandBars: the window's own bars (office::Window).
class Inspector : public office::Window {
 public:
  virtual ~Inspector() = default;
  virtual int Class() = 0;  // 35
  // "<subject> - <kind>": "Untitled - Message (Plain Text)", "Board slides -
  // Message (HTML)", "Dana Whitfield - Contact", ...
  virtual std::string Caption() = 0;
  virtual ItemPtr CurrentItem() = 0;
  // The editor of the window (EditorType): Word for mail when Word is the
  // e-mail editor, else the mail's body format; rich text for other items.
  virtual int EditorType() = 0;
  // Brings the window to the front.
  virtual void Activate() = 0;
  virtual WindowHandle Hwnd() = 0;
  // Closes the window (InspectorClose): kOlSave saves the item first,
  // kOlDiscard drops its unsaved changes, kOlPromptForSave asks the user
  // when the item has unsaved changes (Yes saves, No discards, Cancel keeps
  // the window open).
  virtual void Close(int save_mode) = 0;
  virtual Subscription OnActivate(std::function<void()> handler) = 0;
  virtual Subscription OnClose(std::function<void()> handler) = 0;
};

class Inspectors {
 public:
  virtual ~Inspectors() = default;
  virtual int Count() = 0;
  virtual InspectorPtr Item(int index) = 0;  // 1-based
  virtual Subscription OnNewInspector(std::function<void(InspectorPtr)> handler) = 0;
};

class Application : public HostApplication {
 public:
  virtual ExplorersPtr Explorers() = 0;
  virtual InspectorsPtr Inspectors() = 0;
  // The main window activated last, nullptr when there is none.
  virtual ExplorerPtr ActiveExplorer() = 0;
  // The item window activated last, nullptr when there is none.
  virtual InspectorPtr ActiveInspector() = 0;
  // The namespace of `type`; only "MAPI" exists.
  virtual NameSpacePtr GetNameSpace(std::string_view type) = 0;
};

using ApplicationPtr = std::shared_ptr<Application>;

}  // namespace pinlet::ol

#endif  // PINLET_PLATFORM_OUTLOOK_APP_H_
