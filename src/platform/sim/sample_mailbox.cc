#include "platform/sim/sample_mailbox.h"

#include <string>

namespace pinlet::sim {
namespace {

struct Adder {
  MailStore& store;
  Date now;
  int minutes = 0;

  ItemNode& Add(FolderNode& folder, const char* message_class, std::string subject) {
    auto item = store.NewItem(folder, message_class);
    item->subject = std::move(subject);
    minutes += 37;
    store.SaveItem(item, Date(now.value() - 30 + minutes / 1440.0));
    return *item;
  }
  void Mail(FolderNode& folder, const char* from, std::string subject, const char* body) {
    ItemNode& item = Add(folder, "IPM.Note", std::move(subject));
    item.members["SenderName"] = Variant(from);
    item.members["To"] = Variant("Pat Kelly");
    item.members["Body"] = Variant(body);
  }
};

}  // namespace

void BuildSampleMailbox(MailStore& store, Date now) {
  Adder add{store, now};
  StoreNode& mailbox = store.AddStore("Mailbox - Pat Kelly", true);
  FolderNode& inbox = *mailbox.defaults[6];
  const char* mails[][3] = {
      {"Dana Whitfield", "Quarterly budget review",
       "Please look at the figures before Friday."},
      {"Ravi Menon", "Lunch on Thursday?", "The new place on Elm Street."},
      {"IT Helpdesk", "Password expires in 5 days", "Change it from the portal."},
      {"Lena Ortiz", "Draft contract for Hallam & Sons", "Attached is the second draft."},
      {"Tom Becker", "Re: Server migration weekend", "We start at 8 on Saturday."},
      {"Dana Whitfield", "Board slides", "Slides 4 to 9 need new charts."},
      {"Mia Chen", "Team offsite agenda", "Agenda and travel details inside."},
      {"Facilities", "Fire drill on Wednesday", "Leave by the east stairs."},
      {"Ravi Menon", "Customer visit: Norvale Ltd", "They arrive at 10:30."},
      {"Lena Ortiz", "Invoice 2214 <overdue>", "Second reminder & final notice."},
      {"Tom Becker", "Backup report", "All jobs completed."},
      {"Mia Chen", "Holiday rota", "Please add your dates."},
  };
  for (auto& m : mails) add.Mail(inbox, m[0], m[1], m[2]);
  FolderNode& projects = store.AddFolder(inbox, "Projects", 6);
  add.Mail(projects, "Dana Whitfield", "Project Atlas kickoff",
           "Kickoff on Monday 9:00.");
  add.Mail(projects, "Tom Becker", "Atlas: risks and issues", "Updated risk log.");
  add.Mail(projects, "Mia Chen", "Atlas: design review notes", "Notes from the review.");
  add.Add(projects, "IPM.Post", "Atlas: decisions so far").members["Body"] =
      Variant("Posted for the team.");

  for (const char* name : {"Dana Whitfield", "Ravi Menon", "Lena Ortiz", "Tom Becker"}) {
    ItemNode& contact = add.Add(*mailbox.defaults[10], "IPM.Contact", name);
    contact.members["FullName"] = Variant(name);
    contact.members["CompanyName"] = Variant("Northwind");
  }
  add.Add(*mailbox.defaults[10], "IPM.DistList", "Atlas team").members["DLName"] =
      Variant("Atlas team");
  add.Add(*mailbox.defaults[13], "IPM.Task", "Send budget figures");
  add.Add(*mailbox.defaults[13], "IPM.Task", "Book offsite venue");
  add.Add(*mailbox.defaults[9], "IPM.Appointment", "Weekly team meeting")
      .members["Location"] = Variant("Room 4");
  add.Add(*mailbox.defaults[9], "IPM.Appointment", "Dentist");
  add.Add(*mailbox.defaults[11], "IPM.Activity", "Phone call with Norvale Ltd");
  add.Add(*mailbox.defaults[12], "IPM.StickyNote", "Parking code 4417");

  StoreNode& archive = store.AddStore("Archive", false);
  FolderNode& year = store.AddFolder(*archive.root, "2025", 6);
  add.Mail(year, "Dana Whitfield", "2025 budget approved", "Approved as submitted.");
  add.Mail(year, "Tom Becker", "Old server retired", "Decommissioned today.");
}

}  // namespace pinlet::sim
