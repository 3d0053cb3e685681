#include "addin/string_table.h"

#include <map>

namespace pinlet {
namespace {

const std::map<int, const char*>& Table() {
  static const std::map<int, const char*> kTable = {
      {1, "Pinlet"},
      {2, "PNX"},
      {3, "Pinlet"},
      {4, "Zarvo Options"},
      {5, "Pinlet Options..."},
      {6, "About Pinlet"},
      {101, "Options"},
      {102, "Help"},
      {103, "About"},
      {104, "Menu Bar"},
      {105, "Add Note"},
      {106, "Add new note"},
      {107, "Standard"},
      {108, "ItemNumber"},
      {109, "NoteID"},
      {110, "ContextNote"},
      {111, "Context Menu"},
      {112, "View Note"},
      {113, "Display a note when an Outlook item with a saved note is selected"},
      {114, "Display a note when an Outlook item with a saved note is been opened"},
      {115, "Always display a new note when an Outlook is been opened"},
      {116, "Editor"},
      {117, "OK"},
      {118, "Close"},
      {119, "Add"},
      {120, "Remove"},
      {121, "Add/Edit Template Note"},
      {122, "Saved and Templates Notes Editor"},
      {123, "Notes Editor"},
      {124, "Template Notes Editor"},
      {125, "Edit"},
      {126, "Delete"},
      {127, "General"},
      {128, "Pinlet General Settings"},
      {129, "Template Notes"},
      {130, "Attach File(s):"},
      {131, "Text Font..."},
      {132, "Note Color..."},
      {133, "Attachments"},
      {134, "Type"},
      {135, "ZPNFolder"},
      {136, "of"},
      {137, "Open"},
      {138, "Save As..."},
      {139, "Add..."},
      {140, "Save"},
      {141, "Subject"},
      {142, "AttachmentsPNX"},
      {143, "&Tools"},
      {144, "&Help"},
      {145,
       "To view the notes properly, please change your view to \"Pinlet\". Click on Help "
       "button for more information."},
      {146, "Color..."},
      {147, "Font..."},
      {148, "Note Text Font"},
      {149, "Do you want to save the changes you made to"},
      {150, "Are you sure you want to delete the note "},
      {151, "FolderPath"},
      {152, "Open Item"},
      {153, "Last Modified"},
      {154, "ZPNFullBody"},
      {155, "ZPNTitle"},
      {156, "File(s)"},
      {157, "Remove"},
      {158, "Parent Item"},
      {159, "Note"},
      {160, "Last Modify"},
      {161, "ZPNFontName"},
      {162, "ZPNBackColor"},
      {163, "ZPNFontBold"},
      {164, "ZPNFontItalic"},
      {165, "ZPNFontSize"},
      {166, "ZPNForeColor"},
      {167, "ZPNFontUnderline"},
      {168, "ZPNFontStrikethru"},
      {169, "Pinlet ToolBar"},
      {170, "Preview"},
      {171, "ZPNNewNote"},
      {172, "ZPNPreview"},
      {173, "Language"},
      {174, "Default Note Appearance"},
      {175, "Default Note Background"},
      {176, "Pinlet Status Flag"},
      {177, "Enable Flag Marking"},
      {178, "Do not change custom Flag color"},
      {179, "Do not change custom Flag text"},
      {180, "Color of Note Flag"},
      {181, "Filter"},
      {182, "Filter"},
      {183, "Show items which have notes"},
      {184, "ZPNBody"},
      {185, "(Open Note Edit form together with the Item in the Outlook explorer.)"},
      {186,
       "(Insert Note text to the Body of the Reply (to All)/Forward letter and attach "
       "files "
       "from the Note.)"},
      {187, "Insert Note to Reply (to All)/Forward letter"},
      {188, "Open a Note with an Item"},
      {189, "Show Note Preview"},
      {190, "Cancel"},
      {191, "View related note"},
      {192,
       "Pinlet regarded the file you are trying to open as potentially unsafe and did "
       "not open it.\r\nIn the Save As window that follows you can save a copy of it "
       "to a folder of your choice, or click Cancel."},
      {201,
       "Outlook Redemption is not installed on this computer. Pinlet still makes, "
       "shows and saves your notes, but without Redemption it cannot flag items "
       "other than mail (nor, on Outlook 2002, colour a mail's flag), and a "
       "printed note leaves out the item's sender and recipients.\r\nOutlook Redemption can be downloaded from its maker's web "
       "site, www.dimastr.com/redemption. Install it, then restart Outlook."},
      {202,
       "Collaboration Data Objects (CDO 1.21) are not installed on this computer. "
       "Pinlet still makes, shows and saves notes of documents, but without CDO it "
       "cannot mark a document as having a note (the \"Items with Notes\" view does "
       "not list it), nor read the notes it made for documents with CDO.\r\nCDO is "
       "part of Microsoft Office: in Control Panel, Add or Remove Programs, change "
       "your Office installation, and among Outlook's features choose "
       "Collaboration Data Objects, \"Run from My Computer\". Then restart Outlook."},
      {203,
       "Outlook Redemption is not installed (Redemption.RDOSession, "
       "Redemption.MAPIUtils, Redemption.SafeMailItem)"},
      {204, "CDO 1.21 is not installed (MAPI.Session)"},
      {205,
       "Outlook's own notes cannot have a Pinlet note: Outlook keeps nothing else "
       "with them. Please add the note to another item."},
  };
  return kTable;
}

}  // namespace

std::string LoadResString(int id) {
  auto it = Table().find(id);
  return it == Table().end() ? std::string() : std::string(it->second);
}

bool HasResString(int id) { return Table().count(id) > 0; }

}  // namespace pinlet
