// A note window's life as one state: what the window's handlers are told
// at each step, and what its note asks of it when it goes.
#include "notewindow/note_window_life.h"

#include <gtest/gtest.h>

#include <string>

namespace pinlet {
namespace {

using Phase = NoteWindowLife::Phase;
using Keeping = NoteWindowLife::Keeping;

// Up, has a note, busy: what each step of a window showing a note, then
// another, then closing, answers.
TEST(NoteWindowLifeTest, EachStepAnswersWhetherTheUserOrTheWindowIsAtWork) {
  NoteWindowLife life;
  auto answers = [&] {
    return std::string(life.Up() ? "up" : "-") + (life.HasNote() ? ",note" : ",-") +
           (life.Busy() ? ",busy" : ",-") + (life.Gone() ? ",gone" : ",-");
  };
  EXPECT_EQ(answers(), "-,-,-,-");
  life.Built();
  EXPECT_EQ(answers(), "up,-,busy,-");  // the note's text going in is no edit
  life.NoteIn();
  EXPECT_EQ(answers(), "up,note,busy,-");
  life.Settled();
  EXPECT_EQ(answers(), "up,note,-,-");  // now the user's changes count
  life.Leave();
  EXPECT_EQ(answers(), "up,note,busy,-");
  life.Refill();
  EXPECT_EQ(answers(), "up,-,busy,-");
  life.Close();
  EXPECT_EQ(answers(), "-,-,busy,gone");  // nothing reaches the note while it goes
  life.Unloaded();
  EXPECT_EQ(answers(), "-,-,busy,gone");
  EXPECT_EQ(life.phase(), Phase::kClosed);
}

// A new note goes when the window closes untouched, once; the user's first
// change keeps it. A window keeping nothing stays so whatever is changed.
TEST(NoteWindowLifeTest, ANewNoteIsThrownAwayOnceAndOnlyUntouched) {
  NoteWindowLife life;
  life.ShowsNew();
  EXPECT_TRUE(life.UntouchedNew());
  EXPECT_TRUE(life.ThrowAwayUntouched());
  EXPECT_FALSE(life.ThrowAwayUntouched());

  life.ShowsNew();
  EXPECT_EQ(life.UserChanged(), Keeping::kUntouchedNew);
  EXPECT_EQ(life.UserChanged(), Keeping::kChanged);
  EXPECT_TRUE(life.Changed());
  EXPECT_FALSE(life.ThrowAwayUntouched());

  life.KeepNothing();
  EXPECT_EQ(life.UserChanged(), Keeping::kNothing);
  EXPECT_TRUE(life.KeepsNothing());
  life.Abandon();
  EXPECT_EQ(life.phase(), Phase::kNew);
  EXPECT_EQ(life.keeping(), Keeping::kExisting);
}

}  // namespace
}  // namespace pinlet
