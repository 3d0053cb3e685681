// The names of the host members the simulated host offers the add-in, as the
// host names them. The fault injector accepts exactly these: `fail member`
// refuses any other name, and a simulated member that passes the injector
// under a name missing here is reported as a defect of the simulation.
#include <algorithm>
#include <string_view>
#include <vector>

#include "platform/sim/fault_injector.h"

namespace pinlet::sim {
namespace {

constexpr std::string_view kMembers[] = {
    // The application and the add-in host.
    "Application.ActiveExplorer",
    "Application.COMAddIns",
    "Application.Explorers",
    "Application.GetNameSpace",
    "Application.Inspectors",
    "Application.Name",
    "Application.Version",
    "COMAddIn.Connect",
    "COMAddIn.Description",
    "COMAddIn.Object",
    "COMAddIn.ProgId",
    "COMAddIns.Count",
    "COMAddIns.Item",
    // The namespace.
    "NameSpace.CurrentProfileName",
    "NameSpace.Folders",
    "NameSpace.GetDefaultFolder",
    "NameSpace.GetFolderFromID",
    "NameSpace.GetItemFromID",
    // Windows of Outlook.
    "Explorer.Advise",
    "Explorer.Caption",
    "Explorer.Class",
    "Explorer.Close",
    "Explorer.CurrentFolder",
    "Explorer.CurrentView",
    "Explorers.Advise",
    "Explorers.Count",
    "Explorers.Item",
    "IOleWindow.GetWindow",
    "Inspector.Advise",
    "Inspector.Caption",
    "Inspector.Class",
    "Inspector.Close",
    "Inspector.CurrentItem",
    "Inspectors.Advise",
    "Inspectors.Count",
    "Inspectors.Item",
    // Folders and their collections.
    "Folder.Class",
    "Folder.CurrentView",
    "Folder.CustomViewsOnly",
    "Folder.Delete",
    "Folder.EntryID",
    "Folder.FolderPath",
    "Folder.Folders",
    "Folder.Items",
    "Folder.Name",
    "Folder.Parent",
    "Folder.StoreID",
    "Folder.Views",
    "Folders.Add",
    "Folders.Count",
    "Folders.Item",
    "Items.Add",
    "Items.Count",
    "Items.Item",
    "View.Name",
    "View.Save",
    "View.ViewType",
    "View.XML",
    "Views.Add",
    "Views.Count",
    "Views.Item",
    "Views.Remove",
    // Items, their user properties and attachments.
    "Item.Attachments",
    "Item.Class",
    "Item.Delete",
    "Item.Display",
    "Item.EntryID",
    "Item.GetInspector",
    "Item.LastModificationTime",
    "Item.MessageClass",
    "Item.Move",
    "Item.Parent",
    "Item.Save",
    "Item.Saved",
    "Item.Subject",
    "Item.UserProperties",
    "UserProperties.Add",
    "UserProperties.Count",
    "UserProperties.Find",
    "UserProperties.Item",
    "UserProperties.Remove",
    "UserProperty.Delete",
    "UserProperty.Name",
    "UserProperty.Type",
    "UserProperty.Value",
    "Attachment.Delete",
    "Attachment.DisplayName",
    "Attachment.FileName",
    "Attachment.Index",
    "Attachment.SaveAsFile",
    "Attachments.Add",
    "Attachments.Count",
    "Attachments.Item",
    "Attachments.Remove",
    // Members that depend on the item's class, called late-bound.
    "Item.Body",
    "Item.CC",
    "Item.Categories",
    "Item.CompanyName",
    "Item.DLName",
    "Item.DueDate",
    "Item.Duration",
    "Item.Email1Address",
    "Item.End",
    "Item.FlagDueBy",
    "Item.FlagIcon",
    "Item.FlagRequest",
    "Item.FlagStatus",
    "Item.FullName",
    "Item.HTMLBody",
    "Item.Location",
    "Item.MemberCount",
    "Item.ReceivedTime",
    "Item.ReminderMinutesBeforeStart",
    "Item.ReminderSet",
    "Item.ReminderTime",
    "Item.SenderName",
    "Item.Start",
    "Item.StartDate",
    "Item.Status",
    "Item.To",
    "Item.Type",
    "Item.UnRead",
    // The MAPI helper libraries.
    "CreateObject MAPI.Session",
    "CreateObject Redemption.MAPIUtils",
    "CreateObject Redemption.RDOSession",
    "Field.Delete",
    "Field.Name",
    "Field.Value",
    "Fields.Add",
    "Fields.Count",
    "Fields.Item",
    "MAPIUtils.HrGetOneProp",
    "MAPIUtils.HrSetOneProp",
    "Message.Fields",
    "Message.Update",
    "RDOSession.GetFolderFromID",
    "RDOSession.MAPIOBJECT",
    "RDOSession.ProfileName",
    "Session.GetMessage",
    "Session.Logon",
    // Windows services.
    "CloseClipboard",
    "EmptyClipboard",
    "EnumClipboardFormats",
    "GetClipboardData",
    "IsClipboardFormatAvailable",
    "OpenClipboard",
    "RegisterClipboardFormat",
    "SetClipboardData",
    "FileExists",
    "LibZarvoInit",
    "LibZarvoLogMsg",
    "LibZarvoShowAbout",
    "LibZarvoShowContextHelp",
    "LoadLibrary LibZarvo.dll",
    "MsgBox",
    "Now",
    "ReadFile",
    "RegDeleteValue",
    "RegEnumKeyEx",
    "RegEnumValue",
    "RegOpenKeyEx",
    "RegQueryValueEx",
    "RegSetValueEx",
    "SetWindowPos",
    "WriteFile",
};

}  // namespace

const std::vector<std::string_view>& HostMembers() {
  static const std::vector<std::string_view> kSorted = [] {
    std::vector<std::string_view> names(std::begin(kMembers), std::end(kMembers));
    std::sort(names.begin(), names.end());
    names.erase(std::unique(names.begin(), names.end()), names.end());
    return names;
  }();
  return kSorted;
}

bool IsHostMember(std::string_view member) {
  const auto& names = HostMembers();
  return std::binary_search(names.begin(), names.end(), member);
}

}  // namespace pinlet::sim
