// The note model without a window: saves that fail stay pending until a
// flush does them with what is current then, the appearance read back as it
// was written, a note whose text could not be read never written over, and
// a new note deleted by the EntryID it was recorded with.
#include "notewindow/note_model.h"

#include <gmock/gmock.h>

#include "note_window_fixture.h"
#include "store/notes_folder.h"

namespace pinlet {
namespace {

using ::testing::HasSubstr;

class NoteModelTest : public NoteWindowTest {
 protected:
  void SetUp() override {
    NoteWindowTest::SetUp();
    Start();
    mail = InboxItem(6);
    note = AddNewNoteItem(ctx(), mail).note;
    ASSERT_TRUE(note);
    target = note;
  }
  // A model bound to the test's text, on-top state and note, as a window
  // binds one to its controls.
  std::unique_ptr<NoteModel> Model() {
    NoteModel::Binding binding;
    binding.text = [this] {
      ++text_reads;
      return text;
    };
    binding.title = [] { return std::string("Subject: the mail"); };
    binding.on_top = [this] { return on_top; };
    binding.note = [this] { return target; };
    binding.parent = [this] { return mail; };
    return std::make_unique<NoteModel>(ctx(), std::move(binding));
  }
  size_t Reports() const { return world.support->calls().size(); }

  ol::ItemPtr mail, note;
  ol::ItemPtr target;  // what the binding answers as the note to save to
  std::string text;
  bool on_top = false;
  int text_reads = 0;
};

TEST_F(NoteModelTest, AFailedSaveStaysPendingAndTheFlushSavesWhatIsCurrentThen) {
  auto model = Model();
  // No note to save to yet: the saves fail, are reported and stay pending.
  target = nullptr;
  text = "first";
  size_t reports = Reports();
  EXPECT_FALSE(model->Store(NoteModel::kPendingText, "tag(Text)"));
  model->back_colour = 0x00FF00;
  EXPECT_FALSE(model->Store(NoteModel::kPendingBackColor, "tag(Colour)"));
  EXPECT_TRUE(model->pending(NoteModel::kPendingText | NoteModel::kPendingBackColor));
  EXPECT_FALSE(model->pending(NoteModel::kPendingFont));
  ASSERT_EQ(Reports(), reports + 2);
  EXPECT_THAT(world.support->calls().back(), HasSubstr("tag(Colour)"));
  // A host failure keeps the save pending the same way.
  target = note;
  world.faults.FailMember("Item.Save", errors::kOperationFailed, 1);
  EXPECT_FALSE(model->Store(NoteModel::kPendingText, "tag(Text)"));
  EXPECT_EQ(Prop(mail, "ZPNFullBody"), "(none)");
  // The flush writes the text as it is now and the colour, once each.
  text = "first\r\nsecond";
  int reads = text_reads;
  model->FlushPendingSaves("tag(Flush)");
  EXPECT_FALSE(model->save_pending());
  EXPECT_EQ(text_reads, reads + 1);
  EXPECT_EQ(Prop(mail, "ZPNFullBody"), "first\r\nsecond");
  EXPECT_EQ(Prop(mail, "ZPNBody"), "first");
  EXPECT_EQ(Prop(mail, "ZPNBackColor"), std::to_string(0x00FF00));
  // Nothing is pending: a second flush saves nothing.
  size_t calls = Mark();
  model->FlushPendingSaves("tag(Flush)");
  EXPECT_EQ(Calls("Item.Save", calls), 0);
  EXPECT_EQ(text_reads, reads + 1);
}

TEST_F(NoteModelTest, ChangesGivenUpOrForgottenAreNotSavedLater) {
  auto model = Model();
  target = nullptr;
  model->reminder = "12/24/2026";
  EXPECT_FALSE(model->Store(NoteModel::kPendingReminder, "tag"));
  model->GiveUpPending();
  EXPECT_FALSE(model->save_pending());
  target = note;
  model->FlushPendingSaves("tag");
  EXPECT_EQ(Prop(mail, "ZPNReminder"), "(none)");
  // The window turns to another note: nothing of the last one is saved.
  target = nullptr;
  model->font.name = "Courier New";
  model->LockText();
  EXPECT_FALSE(model->Store(NoteModel::kPendingFont, "tag"));
  model->Forget();
  EXPECT_FALSE(model->save_pending());
  EXPECT_FALSE(model->text_unread());
  EXPECT_EQ(model->reminder, "");
  EXPECT_EQ(model->font.name, "Courier New");  // shown until the next load
  target = note;
  model->FlushPendingSaves("tag");
  EXPECT_EQ(Prop(mail, "ZPNFontName"), "(none)");
}

TEST_F(NoteModelTest, TheAppearanceReadsBackAsWritten) {
  auto writer = Model();
  writer->font = {"Courier New", 10.5, true, false, true, true};
  writer->fore_colour = 0x7F123456;  // only the colour's 24 bits are kept
  writer->back_colour = 0xCCFFCC;
  writer->reminder = "12/24/2026 9:30 AM";
  ASSERT_TRUE(writer->Store(NoteModel::kPendingFont, "tag"));
  ASSERT_TRUE(writer->Store(NoteModel::kPendingBackColor, "tag"));
  ASSERT_TRUE(writer->Store(NoteModel::kPendingReminder, "tag"));
  std::string title = Prop(mail, "ZPNTitle");

  auto reader = Model();
  reader->LoadDefaults();
  NoteModel::Loaded loaded = reader->Load(note);
  EXPECT_EQ(reader->font, writer->font);
  EXPECT_EQ(reader->fore_colour, 0x123456u);
  EXPECT_EQ(reader->back_colour, 0xCCFFCCu);
  EXPECT_EQ(reader->reminder, "12/24/2026 9:30 AM");
  EXPECT_EQ(loaded.title, std::optional<std::string>(title));
  // The text was never written: the note is given the one shown, empty.
  EXPECT_EQ(loaded.text, std::optional<std::string>(""));
  EXPECT_FALSE(reader->text_unread());
  EXPECT_EQ(Prop(mail, "ZPNFullBody"), "");
}

TEST_F(NoteModelTest, ANewNoteIsGivenItsAppearanceAndTheOnTopSetting) {
  WriteText(world.registry, kNoteKey, "NoteOnTop", "1");
  WriteText(world.registry, kNoteKey, "FontName", "Arial");
  WriteText(world.registry, kNoteKey, "FontSize", "12");
  auto model = Model();
  model->LoadDefaults();
  EXPECT_EQ(model->font.name, "Arial");
  EXPECT_EQ(model->font.size, 12.0);
  model->RecordNew(note, std::nullopt);
  EXPECT_EQ(Prop(mail, "ZPNOnTop"), "1");
  EXPECT_EQ(Prop(mail, "ZPNFontName"), "Arial");
  EXPECT_TRUE(model->LoadOnTop(note));
  // What the window says wins over the setting.
  model->RecordNew(note, false);
  EXPECT_FALSE(model->LoadOnTop(note));
  on_top = true;
  ASSERT_TRUE(model->Store(NoteModel::kPendingOnTop, "tag"));
  EXPECT_EQ(Prop(mail, "ZPNOnTop"), "1");
}

TEST_F(NoteModelTest, ANoteWithoutTheOnTopPropertyIsGivenTheSetting) {
  WriteText(world.registry, kNoteKey, "NoteOnTop", "1");
  auto model = Model();
  ASSERT_EQ(Prop(mail, "ZPNOnTop"), "(none)");
  EXPECT_TRUE(model->LoadOnTop(note));
  EXPECT_EQ(Prop(mail, "ZPNOnTop"), "1");
  // A read that fails is no absent property: the setting answers and the
  // note keeps its own.
  WriteText(world.registry, kNoteKey, "NoteOnTop", "0");
  world.faults.FailMember("UserProperties.Find", errors::kOperationFailed, 1);
  size_t calls = Mark();
  EXPECT_FALSE(model->LoadOnTop(note));
  EXPECT_EQ(Calls("Item.Save", calls), 0);
  EXPECT_EQ(Prop(mail, "ZPNOnTop"), "1");
}

TEST_F(NoteModelTest, ANoteWhoseTextCouldNotBeReadIsNotOverwritten) {
  {
    auto writer = Model();
    writer->RecordNew(note, false);
    text = "kept";
    ASSERT_TRUE(writer->Store(NoteModel::kPendingText, "tag"));
  }
  auto model = Model();
  // The tenth property read is the text's.
  world.faults.FailMember("UserProperties.Find", errors::kOperationFailed, 10);
  size_t calls = Mark();
  NoteModel::Loaded loaded = model->Load(note);
  ASSERT_FALSE(loaded.text);
  EXPECT_TRUE(loaded.title);
  EXPECT_TRUE(model->text_unread());
  EXPECT_EQ(Calls("Item.Save", calls), 0);  // not taken for a missing property
  // Saving the text completes without reading or writing it.
  text = "";
  int reads = text_reads;
  EXPECT_TRUE(model->Store(NoteModel::kPendingText, "tag"));
  EXPECT_EQ(text_reads, reads);
  EXPECT_EQ(Prop(mail, "ZPNFullBody"), "kept");
  // The other saves still go to the note.
  model->font.bold = true;
  EXPECT_TRUE(model->Store(NoteModel::kPendingFont, "tag"));
  EXPECT_EQ(Prop(mail, "ZPNFontBold"), "True");
  EXPECT_EQ(Prop(mail, "ZPNFullBody"), "kept");
}

TEST_F(NoteModelTest, ANoteWhoseEntryIdCannotBeReadIsDeletedOnlyWhenRecordedNew) {
  auto model = Model();
  model->RecordNew(note, false);
  model->Forget();  // the window turned to another note
  world.faults.FailMember("Item.EntryID", errors::kOperationFailed, 1);
  EXPECT_FALSE(model->DeleteNote(note));
  EXPECT_NE(NoteOf(mail), nullptr);
  model->RecordNew(note, false);
  world.faults.FailMember("Item.EntryID", errors::kOperationFailed, 1);
  EXPECT_TRUE(model->DeleteNote(note));
  EXPECT_EQ(NoteOf(mail), nullptr);
  EXPECT_TRUE(DeletedNode()->items.empty());
}

}  // namespace
}  // namespace pinlet
