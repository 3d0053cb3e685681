// The contract of the forms and their controls (platform/ui.h and
// platform/ui_controls.h), one suite for every backend: what the add-in's
// code sees of a form when it sets its controls and when the user acts on
// them. A backend is a type with
//   ui::FormPtr NewForm(std::string_view design_name);
//                      // hidden, with no controls; unloaded after the test
//   bool Do(ui::Form& form, const sim::FormAction& action, std::string& error);
//                      // the user's action on a shown form, done with its
//                      // handlers when it returns; false when the user
//                      // could not do it
//   Clipboard& clipboard();        // the machine's clipboard
//   void HoldClipboard(bool held); // another program holds it open
//   bool WaitFor(int milliseconds, const std::function<bool()>& done);
//                      // time passes until `done`, at most that long;
//                      // answers whether `done` did
// instantiated with INSTANTIATE_TYPED_TEST_SUITE_P(Name, FormsContract, Backend).
// A backend fails the test on a defect its forms stopped.
#ifndef PINLET_TESTS_CONTRACT_FORMS_CONTRACT_H_
#define PINLET_TESTS_CONTRACT_FORMS_CONTRACT_H_

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/clipboard.h"
#include "platform/host_error.h"
#include "platform/ui_controls.h"
#include "sim/machine/sim_ui.h"

namespace pinlet::contract {

using Action = sim::FormAction;
using Strings = std::vector<std::string>;

template <typename Backend>
class FormsContract : public ::testing::Test {
 protected:
  ui::FormPtr NewForm(std::string_view name = "frmTest") {
    return backend_.NewForm(name);
  }
  // The user's action, which the test expects the user can do.
  void Do(const ui::FormPtr& form, const Action& action) {
    std::string error;
    EXPECT_TRUE(backend_.Do(*form, action, error)) << action.ToString() << ": " << error;
  }
  bool WaitFor(int milliseconds, const std::function<bool()>& done) {
    return backend_.WaitFor(milliseconds, done);
  }
  void HoldClipboard(bool held) { backend_.HoldClipboard(held); }
  // Puts Unicode text on the clipboard as another program would.
  void PutOnClipboard(std::string_view text) {
    Clipboard& clipboard = backend_.clipboard();
    ASSERT_TRUE(clipboard.Open());
    clipboard.Empty();
    clipboard.SetData(cf::kUnicodeText, UnicodeTextBlock(text));
    clipboard.Close();
  }
  std::optional<std::string> ClipboardText() {
    Clipboard& clipboard = backend_.clipboard();
    if (!clipboard.Open()) return std::nullopt;
    auto block = clipboard.GetData(cf::kUnicodeText);
    clipboard.Close();
    if (!block) return std::nullopt;
    return TextFromUnicodeBlock(*block);
  }

 private:
  Backend backend_;
};

// The HostError number `call` raised; 0 when it raised none.
inline int32_t ErrorOf(const std::function<void()>& call) {
  auto error = Attempt(call);
  return error ? error->number() : 0;
}

// A shown form with one text box, counting its Change events.
template <typename Backend>
class TextBoxContract : public FormsContract<Backend> {
 protected:
  TextBoxContract() {
    form_ = this->NewForm("frmComments");
    box_ = form_->template Add<ui::TextBox>("Text");
    form_->Show(ui::kModeless);
    change_ = box_->OnChange([this] { ++changes_; });
  }
  void Type(const std::string& text) { this->Do(form_, Action::Type("Text", text)); }
  void Key(const std::string& key) { this->Do(form_, Action::Key("Text", key)); }
  void Select(int32_t start, int32_t length) {
    box_->SetSelStart(start);
    box_->SetSelLength(length);
  }

  ui::FormPtr form_;
  std::shared_ptr<ui::TextBox> box_;
  int changes_ = 0;
  Subscription change_;
};

TYPED_TEST_SUITE_P(FormsContract);
TYPED_TEST_SUITE_P(TextBoxContract);

// Undo takes back the last edit and a second undo takes it back again; the
// user's typing is one edit until the caret moves. Setting the text, or a
// replacement without undo, empties the undo buffer.
TYPED_TEST_P(TextBoxContract, UndoTogglesBetweenTheLastEditAndWhatWasBefore) {
  auto& box = *this->box_;
  box.SetText("Note");
  EXPECT_FALSE(box.CanUndo());
  box.SetSelStart(4);
  this->Type(" one");
  ASSERT_TRUE(box.CanUndo());
  EXPECT_TRUE(box.Undo());
  EXPECT_EQ(box.Text(), "Note");
  EXPECT_TRUE(box.CanUndo());
  EXPECT_TRUE(box.Undo());
  EXPECT_EQ(box.Text(), "Note one");

  this->Key("Left");
  this->Type("!");
  EXPECT_EQ(box.Text(), "Note on!e");
  this->Key("Ctrl+Z");
  EXPECT_EQ(box.Text(), "Note one");

  this->Select(0, 4);
  box.SetSelText("A");
  EXPECT_EQ(box.Text(), "A one");
  EXPECT_EQ(box.SelStart(), 1);  // the caret after the replacement
  EXPECT_TRUE(box.Undo());
  EXPECT_EQ(box.Text(), "Note one");

  EXPECT_TRUE(box.ReplaceSel("X", false));
  EXPECT_FALSE(box.CanUndo());
  EXPECT_FALSE(box.Undo());
  box.SetText("new text");
  EXPECT_FALSE(box.Undo());
  EXPECT_EQ(box.SelStart(), 0);
  EXPECT_EQ(box.SelLength(), 0);
}

// Change fires once for every edit that alters the text, whoever made it,
// and never for one that does not.
TYPED_TEST_P(TextBoxContract, ChangeFiresOncePerEditThatAltersTheText) {
  auto& box = *this->box_;
  box.SetText("ab");  // 1
  box.SetText("ab");  // the same text is no change
  box.SetSelStart(2);
  this->Type("cd");   // 2, 3
  this->Key("Back");  // 4
  this->Select(0, 1);
  box.SetSelText("A");  // 5
  box.SetSelLength(0);
  box.SetSelText("");        // nothing selected, nothing removed
  box.ReplaceSel("", true);  // nor here
  this->Select(0, 1);
  EXPECT_TRUE(box.Copy());
  EXPECT_TRUE(box.Cut());  // 6
  box.SetSelStart(2);
  EXPECT_TRUE(box.Paste());  // 7
  EXPECT_TRUE(box.Undo());   // 8
  EXPECT_EQ(this->changes_, 8);
  EXPECT_EQ(box.Text(), "bc");

  // A locked box still takes the code's edits; a single-line one too.
  box.SetLocked(true);
  box.SetText("locked");  // 9
  box.SetLocked(false);
  box.SetMultiLine(false);
  EXPECT_FALSE(box.MultiLine());
  EXPECT_EQ(box.Text(), "locked");
  box.SetText("single");  // 10
  box.SetSelStart(6);
  this->Type("s");  // 11
  EXPECT_EQ(this->changes_, 11);
}

// Cut, Copy and Paste use the machine's clipboard as Unicode text, which
// other programs share; while another program holds it, nothing is cut.
TYPED_TEST_P(TextBoxContract, CutCopyAndPasteGoThroughTheClipboardAsUnicodeText) {
  auto& box = *this->box_;
  box.SetText("cut this");
  EXPECT_FALSE(box.Copy()) << "nothing selected";
  this->Select(0, 4);
  ASSERT_TRUE(box.Cut());
  EXPECT_EQ(box.Text(), "this");
  EXPECT_EQ(this->ClipboardText(), "cut ");
  box.SetSelStart(4);
  ASSERT_TRUE(box.Paste());
  EXPECT_EQ(box.Text(), "thiscut ");
  EXPECT_TRUE(box.Undo());
  EXPECT_EQ(box.Text(), "this");

  this->PutOnClipboard("\xC3\xA9t\xC3\xA9");  // "été", from another program
  box.SetSelStart(0);
  ASSERT_TRUE(box.Paste());
  EXPECT_EQ(box.Text(), "\xC3\xA9t\xC3\xA9this");
  EXPECT_EQ(box.SelStart(), 3);  // UTF-16 units: the caret follows the paste
  this->Select(0, 3);
  ASSERT_TRUE(box.Copy());
  EXPECT_EQ(this->ClipboardText(), "\xC3\xA9t\xC3\xA9");

  this->HoldClipboard(true);
  EXPECT_FALSE(box.Cut());
  EXPECT_FALSE(box.Copy());
  EXPECT_FALSE(box.Paste());
  this->HoldClipboard(false);
  EXPECT_EQ(box.Text(), "\xC3\xA9t\xC3\xA9this");

  // A single-line box pastes the first line only.
  this->PutOnClipboard("one\r\ntwo");
  box.SetMultiLine(false);
  box.SetText("");
  ASSERT_TRUE(box.Paste());
  EXPECT_EQ(box.Text(), "one");
  box.SetMultiLine(true);
  ASSERT_TRUE(box.Paste());
  EXPECT_EQ(box.Text(), "oneone\r\ntwo");
}

// A locked box lets the user select and copy, and nothing else; the code
// still edits it.
TYPED_TEST_P(TextBoxContract, ALockedBoxRefusesTheUserButNotTheCode) {
  auto& box = *this->box_;
  box.SetText("keep");
  box.SetSelStart(4);
  this->Type("!");
  box.SetLocked(true);
  EXPECT_TRUE(box.Locked());
  this->Type("x");
  this->Key("Back");
  EXPECT_EQ(box.Text(), "keep!");
  this->Select(0, 4);
  EXPECT_FALSE(box.Cut());
  EXPECT_TRUE(box.Copy());
  EXPECT_EQ(this->ClipboardText(), "keep");
  EXPECT_FALSE(box.Paste());
  EXPECT_FALSE(box.Undo());
  EXPECT_EQ(box.Text(), "keep!");
  EXPECT_TRUE(box.ReplaceSel("code", true));
  EXPECT_EQ(box.Text(), "code!");
}

// Positions count UTF-16 units, stop at the end of the text, and may not be
// negative; a multi-line box takes the Enter key as a line break.
TYPED_TEST_P(TextBoxContract, PositionsCountUtf16UnitsAndStopAtTheEnd) {
  auto& box = *this->box_;
  box.SetText(
      "a\xF0\x9F\x98\x80"
      "b");  // U+1F600 takes two units
  this->Select(1, 2);
  EXPECT_EQ(box.SelText(), "\xF0\x9F\x98\x80");
  box.SetSelStart(100);
  EXPECT_EQ(box.SelStart(), 4);
  box.SetSelStart(3);
  box.SetSelLength(100);
  EXPECT_EQ(box.SelLength(), 1);
  EXPECT_EQ(ErrorOf([&] { box.SetSelStart(-1); }), errors::kInvalidPropertyValue);
  EXPECT_EQ(ErrorOf([&] { box.SetSelLength(-1); }), errors::kInvalidPropertyValue);

  box.SetText("a");
  box.SetSelStart(1);
  this->Key("Enter");
  this->Type("de");
  this->Key("Shift+Home");
  EXPECT_EQ(box.Text(), "a\r\nde");
  EXPECT_EQ(box.SelText(), "de");
}

// KeyPress may drop or change a key; under KeyPreview the form sees a key
// first, and a key it drops never reaches the control.
TYPED_TEST_P(TextBoxContract, KeyHandlersDropOrChangeKeysAndTheFormMaySeeThemFirst) {
  auto& box = *this->box_;
  auto press = box.OnKeyPress([](int& key) {
    if (key == 'x') key = 0;
    if (key == 'a') key = 'b';
  });
  this->Type("xa");
  EXPECT_EQ(box.Text(), "b");
  EXPECT_EQ(this->changes_, 1);

  int box_keys = 0;
  auto box_down = box.OnKeyDown([&](int&, int&) { ++box_keys; });
  auto form_down = this->form_->OnKeyDown([](int& key, int&) {
    if (key == ui::key::kDelete) key = 0;
  });
  this->form_->SetKeyPreview(true);
  box.SetSelStart(0);
  this->Key("Delete");
  EXPECT_EQ(box.Text(), "b");
  EXPECT_EQ(box_keys, 0);
  this->form_->SetKeyPreview(false);
  this->Key("Delete");
  EXPECT_EQ(box.Text(), "");
  EXPECT_EQ(box_keys, 1);
}

// A member the kind lacks raises 438, an impossible one 5; once the form is
// unloaded, the form's and its controls' members raise 364, and the code's
// own unloading asks nobody.
TYPED_TEST_P(FormsContract, AnUnloadedFormRaises364AndAMissingMember438) {
  auto form = this->NewForm();
  auto box = form->template Add<ui::TextBox>("Text");
  auto image = form->template Add<ui::Image>("imgFace");
  auto timer = form->template Add<ui::Timer>("Timer1");
  auto menu = form->template Add<ui::Menu>("mnuPopup");
  EXPECT_EQ(ErrorOf([&] { form->template Add<ui::Label>("TEXT"); }),
            errors::kInvalidArgument);
  EXPECT_EQ(ErrorOf([&] { form->template Add<ui::Label>("lbl", "Text"); }),
            errors::kInvalidArgument);
  EXPECT_EQ(ErrorOf([&] { form->Control("nothing"); }), errors::kControlNotFound);
  EXPECT_EQ(form->Control("text").get(), static_cast<ui::Control*>(box.get()));
  EXPECT_EQ(ErrorOf([&] { image->SetBackColor(0xFF); }), errors::kNotSupported);
  EXPECT_EQ(ErrorOf([&] { image->SetFocus(); }), errors::kNotSupported);
  EXPECT_EQ(ErrorOf([&] { timer->SetVisible(true); }), errors::kNotSupported);
  EXPECT_EQ(ErrorOf([&] { menu->SetWidth(10); }), errors::kNotSupported);
  EXPECT_EQ(ErrorOf([&] { box->SetFocus(); }), errors::kInvalidArgument)
      << "the form is hidden";
  form->Show(ui::kModeless);
  box->SetFocus();
  box->SetVisible(false);
  EXPECT_EQ(ErrorOf([&] { box->SetFocus(); }), errors::kInvalidArgument);
  EXPECT_EQ(form->Controls().size(), 4u);

  int queries = 0;
  auto query = form->OnQueryUnload([&](int&, int) { ++queries; });
  form->Unload();
  EXPECT_EQ(queries, 0);
  EXPECT_EQ(ErrorOf([&] { form->Caption(); }), errors::kObjectUnloaded);
  EXPECT_EQ(ErrorOf([&] { form->Show(ui::kModeless); }), errors::kObjectUnloaded);
  EXPECT_EQ(ErrorOf([&] { box->Text(); }), errors::kObjectUnloaded);
  EXPECT_EQ(ErrorOf([&] { image->PictureKey(); }), errors::kObjectUnloaded);
  EXPECT_EQ(ErrorOf([&] { timer->SetInterval(10); }), errors::kObjectUnloaded);
  EXPECT_FALSE(box->Copy());  // the edit messages answer instead
  EXPECT_FALSE(box->CanUndo());
}

// The close box asks QueryUnload, then Unload; either may keep the form.
TYPED_TEST_P(FormsContract, TheCloseBoxAsksQueryUnloadThenUnloadEitherMayCancel) {
  auto form = this->NewForm();
  form->Show(ui::kModeless);
  Strings calls;
  int cancel_query = 1, cancel_unload = 1;
  auto query = form->OnQueryUnload([&](int& cancel, int mode) {
    calls.push_back("query " + std::to_string(mode));
    cancel = cancel_query;
  });
  auto unload = form->OnUnload([&](int& cancel) {
    calls.push_back("unload");
    cancel = cancel_unload;
  });
  this->Do(form, Action::Close());
  EXPECT_TRUE(form->Visible());
  cancel_query = 0;
  this->Do(form, Action::Close());
  EXPECT_TRUE(form->Visible());
  cancel_unload = 0;
  this->Do(form, Action::Close());
  EXPECT_EQ(ErrorOf([&] { form->Visible(); }), errors::kObjectUnloaded);
  EXPECT_EQ(calls, (Strings{"query 0", "query 0", "unload", "query 0", "unload"}));
}

// A timer ticks while it is enabled with an interval, and not otherwise.
TYPED_TEST_P(FormsContract, ATimerTicksWhileEnabledWithAnInterval) {
  auto form = this->NewForm();
  auto timer = form->template Add<ui::Timer>("Timer1");
  int ticks = 0;
  auto tick = timer->OnTimer([&] { ++ticks; });
  EXPECT_FALSE(this->WaitFor(100, [&] { return ticks > 0; })) << "no interval, no tick";
  timer->SetInterval(20);
  EXPECT_TRUE(this->WaitFor(2000, [&] { return ticks >= 3; }));
  timer->SetEnabled(false);
  int stopped_at = ticks;
  this->WaitFor(120, nullptr);
  EXPECT_EQ(ticks, stopped_at);
  timer->SetEnabled(true);
  EXPECT_TRUE(this->WaitFor(2000, [&] { return ticks > stopped_at; }));
  EXPECT_EQ(ErrorOf([&] { timer->SetInterval(65536); }), errors::kInvalidPropertyValue);
  EXPECT_EQ(ErrorOf([&] { timer->SetInterval(-1); }), errors::kInvalidPropertyValue);
  form->Unload();
  stopped_at = ticks;
  this->WaitFor(120, nullptr);
  EXPECT_EQ(ticks, stopped_at) << "an unloaded form's timers stop";
}

// The lists and the check box click once for each change of their choice,
// whoever made it, and never for a change that is none.
TYPED_TEST_P(FormsContract, ChecksCombosListsAndTabsClickWhenTheirChoiceChanges) {
  auto form = this->NewForm("frmOptions");
  auto check = form->template Add<ui::CheckBox>("chkInsert");
  auto colours = form->template Add<ui::ComboBox>("cboColors");
  auto list = form->template Add<ui::ListBox>("lstAttachments");
  auto tabs = form->template Add<ui::TabStrip>("TabStrip1");
  Strings heard;
  std::vector<Subscription> subs;
  auto hear = [&](const std::shared_ptr<ui::Control>& c, const std::string& name) {
    subs.push_back(c->OnClick([&heard, name] { heard.push_back(name + " click"); }));
  };
  hear(check, "check");
  hear(colours, "combo");
  hear(list, "list");
  hear(tabs, "tabs");
  subs.push_back(colours->OnChange([&] { heard.push_back("combo change"); }));
  for (const char* c : {"Blue", "Green", "Custom"}) colours->AddItem(c, "");
  list->AddItem("a.txt", -1);
  list->AddItem("b.doc", -1);
  EXPECT_EQ(tabs->SelectedTab(), 0);
  tabs->AddTab("General");
  tabs->AddTab("Item Related");
  EXPECT_EQ(tabs->SelectedTab(), 1) << "the first tab is selected without a click";
  form->Show(ui::kModeless);

  check->SetValue(1);  // the code's change of Value clicks too
  check->SetValue(1);
  this->Do(form, Action::Click("chkInsert"));
  EXPECT_EQ(check->Value(), 0);
  colours->SetText("green");  // selects the entry, keeps the text as given
  EXPECT_EQ(colours->ListIndex(), 1);
  EXPECT_EQ(colours->Text(), "green");
  this->Do(form, Action::Choose("cboColors", "#2"));
  list->SetListIndex(1);
  list->SetListIndex(1);
  list->RemoveItem(0);  // the selection follows its entry, with no click
  EXPECT_EQ(list->ListIndex(), 0);
  this->Do(form, Action::Key("lstAttachments", "Down"));  // already the last entry
  list->AddItem("c.txt", -1);
  this->Do(form, Action::Choose("lstAttachments", "c.txt"));
  this->Do(form, Action::Choose("TabStrip1", "item related"));
  EXPECT_EQ(tabs->SelectedTab(), 2);
  EXPECT_EQ(tabs->TabCaption(1), "General");
  EXPECT_EQ(heard, (Strings{"check click", "check click", "combo click", "combo change",
                            "combo click", "combo change", "list click", "list click",
                            "tabs click"}));
  EXPECT_EQ(colours->Text(), "Custom");
  EXPECT_EQ(ErrorOf([&] { check->SetValue(3); }), errors::kInvalidPropertyValue);
  EXPECT_EQ(ErrorOf([&] { list->SetListIndex(2); }), errors::kInvalidPropertyValue);
  EXPECT_EQ(ErrorOf([&] { list->RemoveItem(2); }), errors::kInvalidArgument);
  EXPECT_EQ(ErrorOf([&] { colours->SetListIndex(3); }), errors::kInvalidPropertyValue);
  EXPECT_EQ(ErrorOf([&] { tabs->SetSelectedTab(3); }), errors::kIndexOutOfBounds);
}

// A drop-down list takes a text only when it is an entry's. (What the
// user's typing picks in it is no part of the contract: the system's image
// combo may not search its entries.)
TYPED_TEST_P(FormsContract, ADropDownListTakesOnlyItsEntries) {
  auto form = this->NewForm("frmOptions");
  auto flags = form->template Add<ui::ComboBox>("cboFlags");
  for (const char* f : {"Red Flag", "Blue Flag", "Yellow Flag", "Purple Flag"})
    flags->AddItem(f, std::string(f).substr(0, std::string(f).find(' ')));
  flags->SetListIndex(0);
  int clicks = 0;
  auto click = flags->OnClick([&] { ++clicks; });
  flags->SetStyle(ui::ComboBox::kDropDownList);
  EXPECT_EQ(flags->Style(), ui::ComboBox::kDropDownList);
  EXPECT_EQ(flags->ListIndex(), 0);
  EXPECT_EQ(clicks, 0) << "restyling changes nothing the add-in sees";
  EXPECT_EQ(ErrorOf([&] { flags->SetText("Black Flag"); }), errors::kPropertyReadOnly);
  flags->SetText("blue flag");
  EXPECT_EQ(flags->Text(), "Blue Flag");
  EXPECT_EQ(clicks, 1);
  EXPECT_EQ(flags->ItemPicture(flags->ListIndex()), "Blue");
  form->Show(ui::kModeless);
  auto discard = flags->OnKeyPress([](int& key) { key = 0; });
  this->Do(form, Action::Type("cboFlags", "r"));
  EXPECT_EQ(flags->Text(), "Blue Flag") << "a key the add-in drops does nothing";
  EXPECT_EQ(clicks, 1);
  EXPECT_EQ(ErrorOf([&] { flags->SetStyle(3); }), errors::kInvalidPropertyValue);
}

REGISTER_TYPED_TEST_SUITE_P(TextBoxContract,
                            UndoTogglesBetweenTheLastEditAndWhatWasBefore,
                            ChangeFiresOncePerEditThatAltersTheText,
                            CutCopyAndPasteGoThroughTheClipboardAsUnicodeText,
                            ALockedBoxRefusesTheUserButNotTheCode,
                            PositionsCountUtf16UnitsAndStopAtTheEnd,
                            KeyHandlersDropOrChangeKeysAndTheFormMaySeeThemFirst);
REGISTER_TYPED_TEST_SUITE_P(FormsContract, AnUnloadedFormRaises364AndAMissingMember438,
                            TheCloseBoxAsksQueryUnloadThenUnloadEitherMayCancel,
                            ATimerTicksWhileEnabledWithAnInterval,
                            ChecksCombosListsAndTabsClickWhenTheirChoiceChanges,
                            ADropDownListTakesOnlyItsEntries);

}  // namespace pinlet::contract

#endif  // PINLET_TESTS_CONTRACT_FORMS_CONTRACT_H_
