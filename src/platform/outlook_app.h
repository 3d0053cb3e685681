// Outlook's object model, window side: the application, the MAPI namespace,
// main windows (explorers) and item windows (inspectors) with their events.
//
// Members are named as the host names them; every member may raise a
// HostError. Event members return a Subscription that disconnects the handler
// when released ("held with events").
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
using NameSpacePtr = std::shared_ptr<NameSpace>;
using ExplorerPtr = std::shared_ptr<Explorer>;
using ExplorersPtr = std::shared_ptr<Explorers>;
using InspectorPtr = std::shared_ptr<Inspector>;
using InspectorsPtr = std::shared_ptr<Inspectors>;

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

// CommandBars: the window's own bars (office::Window).
class Explorer : public office::Window {
 public:
  virtual ~Explorer() = default;
  virtual int Class() = 0;  // 34
  virtual std::string Caption() = 0;
  virtual FolderPtr CurrentFolder() = 0;
  virtual void SetCurrentFolder(const FolderPtr& folder) = 0;
  // The name of the view the window shows.
  virtual std::string CurrentView() = 0;
  // Switches to the folder's view of that name; raises when it has none.
  virtual void SetCurrentView(std::string_view view_name) = 0;
  virtual WindowHandle Hwnd() = 0;
  virtual void Close() = 0;
  virtual Subscription OnClose(std::function<void()> handler) = 0;
  virtual Subscription OnSelectionChange(std::function<void()> handler) = 0;
  virtual Subscription OnFolderSwitch(std::function<void()> handler) = 0;
  virtual Subscription OnViewSwitch(std::function<void()> handler) = 0;
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
  virtual std::string Caption() = 0;
  virtual ItemPtr CurrentItem() = 0;
  virtual WindowHandle Hwnd() = 0;
  virtual void Close(int save_mode) = 0;
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
  // The main window that has the focus, nullptr when there is none.
  virtual ExplorerPtr ActiveExplorer() = 0;
  // The namespace of `type`; only "MAPI" exists.
  virtual NameSpacePtr GetNameSpace(std::string_view type) = 0;
};

using ApplicationPtr = std::shared_ptr<Application>;

}  // namespace pinlet::ol

#endif  // PINLET_PLATFORM_OUTLOOK_APP_H_
