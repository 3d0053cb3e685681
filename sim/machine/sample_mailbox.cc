#include "sim/machine/sample_mailbox.h"

#include <cctype>
#include <string>
#include <vector>

#include "platform/outlook_items.h"
#include "sim/machine/mail_content.h"

namespace pinlet::sim {
namespace {

constexpr const char* kOwner = "Pat Kelly";

// "dana.whitfield@northwind.example" for "Dana Whitfield".
std::string AddressOf(std::string_view name) {
  std::string local;
  for (char c : name) {
    if (c == ' ')
      local += '.';
    else if (std::isalnum(static_cast<unsigned char>(c)))
      local += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  }
  return local + "@northwind.example";
}

struct Mail {
  const char* from;
  std::string subject;
  const char* body;
  std::vector<const char*> cc = {};
  const char* html = nullptr;       // an HTML mail, with this body
  const char* on_behalf = nullptr;  // sent by `from` on behalf of this person
};

struct Adder {
  MailStore& store;
  Date now;
  int minutes = 0;

  ItemNode& Add(FolderNode& folder, const char* message_class, std::string subject) {
    auto item = store.NewItem(folder, message_class);
    item->subject = std::move(subject);
    minutes += 37;
    store.SaveItem(item, When());
    return *item;
  }
  Date When() const { return Date(now.value() - 30 + minutes / 1440.0); }

  ItemNode& Add(FolderNode& folder, const Mail& mail) {
    ItemNode& item = Add(folder, "IPM.Note", mail.subject);
    Date sent = When();
    item.members["SenderName"] = Variant(mail.from);
    item.members["SenderEmailAddress"] = Variant(AddressOf(mail.from));
    if (mail.on_behalf) item.members["SentOnBehalfOfName"] = Variant(mail.on_behalf);
    item.members["SentOn"] = Variant(sent);
    item.members["ReceivedTime"] = Variant(Date(sent.value() + 1 / 1440.0));
    auto person = [](const char* name, int type) {
      return std::make_shared<RecipientNode>(
          RecipientNode{name, AddressOf(name), type, true});
    };
    item.recipients.push_back(person(kOwner, ol::kOlTo));
    for (const char* cc : mail.cc) item.recipients.push_back(person(cc, ol::kOlCC));
    if (mail.html)
      WriteHtmlBody(item, mail.html);
    else
      WriteBody(item, mail.body);
    return item;
  }
};

const char kOffsiteHtml[] =
    "<html><head><style>p{font-family:Arial}</style></head><body>"
    "<p>Hi all,</p><p>The <b>team offsite</b> is on the 14th at Lakeside Lodge.</p>"
    "<table><tr><td>9:00</td><td>Welcome &amp; coffee</td></tr>"
    "<tr><td>10:00</td><td>Roadmap</td></tr></table>"
    "<p>Travel details follow.<br>Mia</p></body></html>";
const char kVisitHtml[] =
    "<html><body><p>They arrive at <b>10:30</b>; lunch is booked for 12:30.</p>"
    "<p>Ravi</p></body></html>";
const char kFireDrillHtml[] =
    "<html><body><h2>Fire drill on Wednesday</h2>"
    "<p>Leave by the <i>east</i> stairs &ndash; do not use the lifts.</p></body></html>";
const char kContractRtf[] =
    "{\\rtf1\\ansi\\ansicpg1252\\deff0{\\fonttbl{\\f0\\fswiss Arial;}}"
    "{\\colortbl;\\red0\\green0\\blue128;}\r\n"
    "\\viewkind4\\uc1\\pard\\f0\\fs20 Attached is the \\b second draft\\b0  of the "
    "contract for Hallam & Sons.\\par\r\n"
    "\\cf1 Clause 7 (delivery) changed; the price schedule is attached too.\\cf0\\par\r\n"
    "Lena\\par\r\n}";
const char kContractDoc[] =
    "{\\rtf1\\ansi{\\fonttbl{\\f0 Times New Roman;}}\\f0\\fs24 "
    "\\b Supply agreement\\b0\\par Between Northwind and Hallam & Sons.\\par}";
const char kPriceCsv[] =
    "Item,Unit price,Quantity\r\nOak panel,42.50,120\r\nSteel bracket,3.10,800\r\n";

}  // namespace

void BuildSampleMailbox(MailStore& store, Date now) {
  Adder add{store, now};
  StoreNode& mailbox = store.AddStore("Mailbox - Pat Kelly", true);
  mailbox.kind = StoreKind::kExchange;
  FolderNode& inbox = *mailbox.defaults[ol::kFolderInbox];
  const Mail mails[] = {
      {"Dana Whitfield",
       "Quarterly budget review",
       "Please look at the figures before Friday.",
       {"Tom Becker"}},
      {"Ravi Menon", "Lunch on Thursday?", "The new place on Elm Street."},
      {"IT Helpdesk", "Password expires in 5 days", "Change it from the portal."},
      {"Lena Ortiz", "Draft contract for Hallam & Sons", ""},
      {"Tom Becker",
       "Re: Server migration weekend",
       "We start at 8 on Saturday.",
       {"Ravi Menon", "Mia Chen"}},
      {"Mia Chen",
       "Board slides",
       "Slides 4 to 9 need new charts.",
       {},
       nullptr,
       "Dana Whitfield"},
      {"Mia Chen", "Team offsite agenda", "", {"Dana Whitfield"}, kOffsiteHtml},
      {"Facilities", "Fire drill on Wednesday", "", {}, kFireDrillHtml},
      {"Ravi Menon", "Customer visit: Norvale Ltd", "", {"Lena Ortiz"}, kVisitHtml},
      {"Lena Ortiz", "Invoice 2214 <overdue>", "Second reminder & final notice."},
      {"Tom Becker", "Backup report", "All jobs completed."},
      {"Mia Chen", "Holiday rota", "Please add your dates."},
  };
  for (const Mail& m : mails) {
    ItemNode& item = add.Add(inbox, m);
    if (m.subject != "Draft contract for Hallam & Sons") continue;
    WriteRtfBody(item, kContractRtf);
    item.attachments.push_back({"Hallam contract v2.rtf", kContractDoc});
    item.attachments.push_back({"Price schedule.csv", kPriceCsv});
  }
  FolderNode& projects = store.AddFolder(inbox, "Projects", ol::kFolderInbox);
  add.Add(projects, {"Dana Whitfield",
                     "Project Atlas kickoff",
                     "Kickoff on Monday 9:00.",
                     {"Tom Becker", "Mia Chen"}});
  add.Add(projects, {"Tom Becker", "Atlas: risks and issues", "Updated risk log."});
  add.Add(projects, {"Mia Chen", "Atlas: design review notes", "Notes from the review."});
  add.Add(projects, "IPM.Post", "Atlas: decisions so far").members["Body"] =
      Variant("Posted for the team.");

  FolderNode& contacts = *mailbox.defaults[ol::kFolderContacts];
  for (const char* name : {"Dana Whitfield", "Ravi Menon", "Lena Ortiz", "Tom Becker"}) {
    ItemNode& contact = add.Add(contacts, "IPM.Contact", name);
    contact.members["FullName"] = Variant(name);
    contact.members["CompanyName"] = Variant("Northwind");
    contact.members["Email1Address"] = Variant(AddressOf(name));
  }
  add.Add(contacts, "IPM.DistList", "Atlas team").members["DLName"] =
      Variant("Atlas team");
  add.Add(*mailbox.defaults[ol::kFolderTasks], "IPM.Task", "Send budget figures");
  add.Add(*mailbox.defaults[ol::kFolderTasks], "IPM.Task", "Book offsite venue");
  add.Add(*mailbox.defaults[ol::kFolderCalendar], "IPM.Appointment",
          "Weekly team meeting")
      .members["Location"] = Variant("Room 4");
  add.Add(*mailbox.defaults[ol::kFolderCalendar], "IPM.Appointment", "Dentist");
  add.Add(*mailbox.defaults[ol::kFolderJournal], "IPM.Activity",
          "Phone call with Norvale Ltd");
  add.Add(*mailbox.defaults[ol::kFolderNotes], "IPM.StickyNote", "Parking code 4417");

  StoreNode& archive = store.AddStore("Archive", false);
  FolderNode& year = store.AddFolder(*archive.root, "2025", ol::kFolderInbox);
  add.Add(year, {"Dana Whitfield", "2025 budget approved", "Approved as submitted."});
  add.Add(year, {"Tom Becker", "Old server retired", "Decommissioned today."});
}

}  // namespace pinlet::sim
