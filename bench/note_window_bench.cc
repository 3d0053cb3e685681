// The note window's two costs that users feel: a keystroke (Text_Change with
// the save of the whole text) for notes of 1 KB and of 100 KB, and opening
// an existing note (finding it, building and loading its window) with
// 1 000 and with 100 000 notes in the notes folder. Each should stay near
// 1 ms and not grow with the number of notes.
#include <benchmark/benchmark.h>

#include <memory>
#include <string>
#include <vector>

#include "addin/context.h"
#include "notewindow/frm_comments.h"
#include "sim/machine/sim_controls.h"
#include "sim/machine/sim_form.h"
#include "sim/machine/sim_outlook.h"
#include "platform/text.h"
#include "store/note_windows.h"
#include "store/notes_folder.h"
#include "store/store_subsystems.h"

namespace pinlet {
namespace {

// A simulated Outlook whose notes folder holds `notes` notes, one of them
// the note of a mail in the Inbox with `text_size` bytes of text.
struct Fixture {
  Fixture(int notes, size_t text_size) {
    world.store.AddStore("Mailbox", true);
    outlook = std::make_shared<sim::SimOutlook>(&world, std::vector<std::string>{});
    Subsystems subsystems;
    InstallStore(subsystems);
    InstallNoteWindow(subsystems);
    ctx = std::make_unique<AddinContext>(world.platform(), subsystems);
    ctx->name_space = outlook->GetNameSpace("MAPI");
    ctx->note_windows.emplace();
    world.Install("<view/>");
    sim::FolderNode* folder = sim::NodeOf(NotesFolder(*ctx));
    sim::FolderNode* inbox = world.store.default_store()->defaults.at(ol::kFolderInbox);
    auto mail = world.store.NewItem(*inbox, "IPM.Note");
    mail->subject = "Board slides";
    world.store.SaveItem(mail, world.clock.now());
    parent = sim::WrapItem(&world, mail);
    parent_id = mail->entry_id;
    std::string text;
    while (text.size() < text_size)
      text += "The quick brown fox jumps over the lazy dog.\r\n";
    text.resize(text_size);
    for (int i = 0; i < notes; ++i) {
      auto note = world.store.NewItem(*folder, "IPM.Note");
      bool ours = i == notes / 2;
      note->subject = ours ? parent_id : world.store.NewEntryId();
      if (ours) {
        for (const char* name :
             {"ZPNTitle", "ZPNFontName", "ZPNFontBold", "ZPNFontItalic", "ZPNFontSize",
              "ZPNForeColor", "ZPNFontUnderline", "ZPNFontStrikethru", "ZPNBackColor",
              "ZPNReminder", "ZPNOnTop", "ZPNBody"})
          note->user_props.push_back({name, 1, Variant("0")});
        note->user_props.push_back({"ZPNFullBody", 1, Variant(text)});
      }
      world.store.SaveItem(note, world.clock.now());
    }
  }
  // What the note button does for an item with a note.
  std::shared_ptr<NoteWindow> OpenNote() {
    ol::ItemPtr note = FindNote(*ctx, parent_id);
    auto window = GetNoteForm(*ctx, parent_id, note, parent);
    DisplayNote(*ctx, window);
    return window;
  }

  sim::World world;
  std::shared_ptr<sim::SimOutlook> outlook;
  std::unique_ptr<AddinContext> ctx;
  ol::ItemPtr parent;
  std::string parent_id;
};

void BM_OpenExistingNote(benchmark::State& state) {
  Fixture f(static_cast<int>(state.range(0)), 1024);
  for (auto _ : state) {
    auto window = f.OpenNote();
    state.PauseTiming();
    window->Unload();
    state.ResumeTiming();
  }
}

// One keystroke in a note of range(0) bytes; range(1) is 1 for the edit
// state, 0 for the view state, which also measures the text for its
// more-text sign. The keystroke replaces the note's last character, so the
// note keeps its size
// (and changes: x and y take turns).
void BM_Keystroke(benchmark::State& state) {
  Fixture f(1000, static_cast<size_t>(state.range(0)));
  auto window = std::dynamic_pointer_cast<frmComments>(f.OpenNote());
  auto& form = static_cast<sim::SimForm&>(*window->form());
  std::string error;
  if (state.range(1) == 1)
    f.world.ui.Perform(
        form, sim::FormAction::Mouse(sim::FormAction::Kind::kHover, "Text"), error);
  auto* text = static_cast<sim::SimTextBox*>(form.Find("Text"));
  size_t end = Utf8ToUtf16(text->text()).size();
  const sim::FormAction keystrokes[] = {sim::FormAction::Type("Text", "x"),
                                        sim::FormAction::Type("Text", "y")};
  int64_t saves = 0;
  for (auto _ : state) {
    text->Select(end - 1, 1);
    f.world.ui.Perform(form, keystrokes[saves++ % 2], error);
  }
  if (!f.world.defects().empty() || window->save_pending() ||
      window->frmState != state.range(1))
    state.SkipWithError("the keystroke was not saved");
}

BENCHMARK(BM_OpenExistingNote)->Arg(1000)->Arg(100000)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_Keystroke)
    ->Args({1024, 1})
    ->Args({100 * 1024, 1})
    ->Args({1024, 0})
    ->Args({100 * 1024, 0})
    ->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace pinlet
