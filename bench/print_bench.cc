// Printing a note: building the page for mails of 1 KB and 1 MB (plain and
// rich text, where the RTF conversion is the cost), and the whole Print
// click (reading the mail, cleaning the temporary folder, reserving and
// writing the page, the shell) with 0 and 1 000 other files in the
// temporary folder. A click should stay well below the 100 ms a user notices
// and grow only linearly with the folder.
#include <benchmark/benchmark.h>

#include <memory>
#include <string>
#include <vector>

#include "addin/context.h"
#include "addin/settings.h"
#include "notewindow/frm_comments.h"
#include "notewindow/print_page.h"
#include "sim/machine/mail_content.h"
#include "sim/machine/sim_form.h"
#include "sim/machine/sim_outlook.h"
#include "store/note_windows.h"
#include "store/notes_folder.h"
#include "store/store_subsystems.h"

namespace pinlet {
namespace {

std::string Filler(size_t size, std::string_view line) {
  std::string text;
  while (text.size() < size) text += line;
  text.resize(size);
  return text;
}

std::string RtfOf(size_t size) {
  return "{\\rtf1\\ansi{\\fonttbl{\\f0 "
         "Arial;}}{\\colortbl;\\red0\\green0\\blue128;}\\f0 " +
         Filler(size, "Some \\b bold\\b0  and \\cf1 blue\\cf0  text <&>.\\par ") + "}";
}

// range(0): the body's size; range(1): 1 for a rich-text body.
void BM_BuildPrintPage(benchmark::State& state) {
  size_t size = static_cast<size_t>(state.range(0));
  PrintedNote note{
      "Subject: Board slides",           Date(46000), "Verdana", "10", 0x800000,
      Filler(1024, "Note text <b>\r\n"), {}};
  PrintedMail mail;
  mail.sender_name = "Mia Chen";
  mail.sent_on_behalf_of_name = "Dana Whitfield";
  mail.sent_on = Date(46000);
  mail.to = std::vector<std::string>{"pat.kelly@example.com"};
  mail.cc = std::vector<std::string>{"tom.becker@example.com"};
  mail.subject = "Board slides";
  if (state.range(1) == 1)
    mail.rtf_body = RtfOf(size);
  else
    mail.body = Filler(size, "Plain body line with <markup> & more.\r\n");
  note.mail = std::move(mail);
  size_t bytes = 0;
  for (auto _ : state) {
    std::string page = BuildPrintPage(note);
    bytes = page.size();
    benchmark::DoNotOptimize(page);
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) *
                          static_cast<int64_t>(size));
  state.counters["page_bytes"] = static_cast<double>(bytes);
}

// A mail with a 100 KB rich-text body and its note in an open window.
struct Fixture {
  explicit Fixture(int other_files) {
    world.store.AddStore("Mailbox", true);
    outlook = std::make_shared<sim::SimOutlook>(&world, std::vector<std::string>{});
    Subsystems subsystems;
    InstallStore(subsystems);
    InstallNoteWindow(subsystems);
    ctx = std::make_unique<AddinContext>(world.platform(), subsystems);
    ctx->name_space = outlook->GetNameSpace("MAPI");
    ctx->note_windows.emplace();
    world.Install("<view/>");
    WriteText(world.registry, kNoteKey, "PrintItem", "1");
    WriteText(world.registry, kNoteKey, "PrintDate", "1");
    NotesFolder(*ctx);
    sim::FolderNode* inbox = world.store.default_store()->defaults.at(ol::kFolderInbox);
    auto mail = world.store.NewItem(*inbox, "IPM.Note");
    mail->subject = "Board slides";
    mail->members["SenderName"] = Variant("Mia Chen");
    mail->members["SentOn"] = Variant(Date(46000));
    for (int i = 0; i < 20; ++i)
      mail->recipients.push_back(std::make_shared<sim::RecipientNode>(sim::RecipientNode{
          "Person " + std::to_string(i), "p" + std::to_string(i) + "@example.com",
          i < 10 ? 1 : 2, true}));
    sim::WriteRtfBody(*mail, RtfOf(100 * 1024));
    world.store.SaveItem(mail, world.clock.now());
    parent = sim::WrapItem(&world, mail);
    parent_id = mail->entry_id;
    std::string temp = world.shell.TempFolder();
    for (int i = 0; i < other_files; ++i)
      world.files.Store(temp + "other" + std::to_string(i) + ".tmp", "x");
  }
  std::shared_ptr<frmComments> OpenNote() {
    auto window = GetNoteForm(*ctx, parent_id, FindNote(*ctx, parent_id), parent);
    DisplayNote(*ctx, window);
    return std::dynamic_pointer_cast<frmComments>(window);
  }

  sim::World world;
  std::shared_ptr<sim::SimOutlook> outlook;
  std::unique_ptr<AddinContext> ctx;
  ol::ItemPtr parent;
  std::string parent_id;
};

void BM_PrintClick(benchmark::State& state) {
  Fixture f(static_cast<int>(state.range(0)));
  std::string error;
  for (auto _ : state) {
    state.PauseTiming();
    auto window = f.OpenNote();
    auto& form = static_cast<sim::SimForm&>(*window->form());
    state.ResumeTiming();
    f.world.ui.Perform(form, sim::FormAction::Click("imgTextPrint"), error);
    state.PauseTiming();
    if (window->printed_pages().size() != 1) state.SkipWithError("nothing was printed");
    window->Unload();
    state.ResumeTiming();
  }
  if (!f.world.defects().empty()) state.SkipWithError("a defect was recorded");
}

BENCHMARK(BM_BuildPrintPage)
    ->Args({1024, 0})
    ->Args({1024 * 1024, 0})
    ->Args({1024, 1})
    ->Args({1024 * 1024, 1})
    ->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_PrintClick)->Arg(0)->Arg(1000)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace pinlet
