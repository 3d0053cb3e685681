// The simulated command bars: lookups and the host's errors, adding and
// resetting, protection, faces from the clipboard, clicks with their built-in
// actions, redraw events and the bars of each window.
#include "sim/machine/sim_command_bars.h"

#include <functional>
#include <stdexcept>
#include <vector>

#include "platform/dib.h"
#include "sim/machine/builtin_bars.h"
#include "sim_fixture.h"

namespace pinlet::sim {
namespace {

using Raise = std::pair<int32_t, std::string>;
const Raise kInvalidCall{5, "Invalid procedure call or argument"};

// What a call raises: its number and description; {0, ""} when it does not.
template <typename F>
Raise Raised(F&& call) {
  try {
    call();
  } catch (const HostError& e) {
    return {e.number(), e.description()};
  }
  return {0, ""};
}

Raise Failed(const std::string& member, const std::string& object) {
  return {errors::kOperationFailed,
          "Method '" + member + "' of object '" + object + "' failed"};
}

// 3 x 2 pixels; the white ones are to be transparent.
Picture Face() {
  return Picture{3, 2, 24, {0x0000FF, kWhite, 0x00FF00, kWhite, 0xFF0000, 0x123456}};
}

class CommandBarsTest : public SimTest {
 protected:
  CommandBarsTest()
      : explorer(outlook->OpenExplorer()),
        sim(explorer->command_bars()),
        bars(explorer->CommandBars()) {}

  office::CommandBarControlPtr Standard(int id) {
    return bars->Item("Standard")->FindControl(office::kControlButton, id);
  }
  // The first control of command `id` on the bar, its menus searched too.
  std::shared_ptr<ControlNode> Node(const std::string& bar, int id) {
    return sim->FindById(id, bar);
  }
  office::CommandBarControlsPtr Tools() {
    return bars->Item("Menu Bar")->Controls()->Item("&Tools")->Controls();
  }
  office::CommandBarControlPtr NewButton(const std::string& caption) {
    auto button = bars->Item("Standard")->Controls()->Add(office::kControlButton);
    button->SetCaption(caption);
    return button;
  }

  std::shared_ptr<SimExplorer> explorer;
  std::shared_ptr<SimCommandBars> sim;
  office::CommandBarsPtr bars;
};

TEST_F(CommandBarsTest, AClickRunsTheBuiltInActionUnlessAHandlerCancelsTheDefault) {
  int replies = 0;
  sim->SetAction(command::kReply, [&] { ++replies; });
  bool cancel = true;
  std::vector<std::string> heard;
  auto reply = Standard(command::kReply);
  Subscription sink =
      reply->OnClick([&](office::CommandBarControlPtr ctrl, bool& cancel_default) {
        // The control's bar, and the bar's window, as the hooked Reply reads them.
        heard.push_back(ctrl->Parent()->Name());
        EXPECT_EQ(std::dynamic_pointer_cast<ol::Explorer>(ctrl->Parent()->Parent()),
                  explorer);
        cancel_default = cancel;
      });

  auto cancelled = sim->Click(Node("Standard", command::kReply));
  EXPECT_TRUE(cancelled.cancelled);
  EXPECT_EQ(replies, 0);
  cancel = false;
  auto done = sim->Click(Node("Standard", command::kReply));
  EXPECT_TRUE(done.refused.empty());
  EXPECT_TRUE(done.action_ran);
  EXPECT_EQ(replies, 1);
  EXPECT_EQ(heard, (std::vector<std::string>{"Standard", "Standard"}));
  ASSERT_EQ(sim->clicks().size(), 2u);
  EXPECT_EQ(sim->clicks()[0].control, "Standard/&Reply");
  EXPECT_TRUE(sim->clicks()[0].cancelled);
  EXPECT_TRUE(sim->clicks()[1].action_ran);
  // A released sink hears nothing.
  sink.Reset();
  sim->Click(Node("Standard", command::kReply));
  EXPECT_EQ(heard.size(), 2u);
  EXPECT_EQ(replies, 2);
}

TEST_F(CommandBarsTest, HandlersHearEveryControlOfTheirCommandOrTag) {
  std::vector<std::string> heard;
  auto record = [&](office::CommandBarControlPtr ctrl, bool&) {
    heard.push_back(ctrl->Parent()->Name() + "/" + ctrl->Caption());
  };
  Subscription reply = Standard(command::kReply)->OnClick(record);
  // Actions > Reply is the same command: the hooked toolbar button hears it,
  // with the control actually clicked.
  auto actions = bars->Item("Menu Bar")->Controls()->Item("Actions");
  auto menu_reply = actions->Controls()->Item("Reply");
  EXPECT_EQ(menu_reply->Parent()->Name(), "&Actions");
  sim->Click(Node("Menu Bar", command::kReply));
  EXPECT_EQ(heard, (std::vector<std::string>{"&Actions/&Reply"}));

  // The caller's controls share by their Tag.
  auto one = NewButton("One"), two = NewButton("Two"), three = NewButton("Three");
  one->SetTag("Pinlet");
  two->SetTag("Pinlet");
  Subscription a = one->OnClick(record), c = three->OnClick(record);
  heard.clear();
  sim->Click(sim->FindByCaption("Two"));
  sim->Click(sim->FindByCaption("Three"));
  EXPECT_EQ(heard, (std::vector<std::string>{"Standard/Two", "Standard/Three"}));
}

TEST_F(CommandBarsTest, ACallersClickReachesEveryButtonOfItsTagInEveryOutlookWindow) {
  auto other = outlook->OpenExplorer();
  auto item = outlook->OpenInspector(NewMail("Plans"));
  std::vector<std::string> heard;
  auto sink = [&](const std::string& who) {
    return [&heard, who](office::CommandBarControlPtr ctrl, bool&) {
      heard.push_back(who + " <- " + ctrl->Caption());
    };
  };
  auto add = [](const office::CommandBarsPtr& to, const std::string& caption,
                const std::string& tag) {
    auto button = to->Item("Standard")->Controls()->Add(office::kControlButton);
    button->SetCaption(caption);
    button->SetTag(tag);
    return button;
  };
  // The same Tag in three windows of one Outlook: every sink hears, with the
  // button clicked.
  auto mine = add(bars, "Mine", "Note"), theirs = add(other->CommandBars(), "Theirs", "Note");
  auto inspectors = add(item->CommandBars(), "Item's", "Note");
  Subscription a = mine->OnClick(sink("explorer 1")),
               b = theirs->OnClick(sink("explorer 2")),
               c = inspectors->OnClick(sink("inspector"));
  other->command_bars()->Click(other->command_bars()->FindByCaption("Theirs"));
  EXPECT_EQ(heard, (std::vector<std::string>{"explorer 2 <- Theirs", "explorer 1 <- Theirs",
                                             "inspector <- Theirs"}));
  // The empty Tag is a Tag too.
  auto plain = add(bars, "Plain", ""), bare = add(item->CommandBars(), "Bare", "");
  Subscription d = plain->OnClick(sink("plain")), e = bare->OnClick(sink("bare"));
  heard.clear();
  sim->Click(sim->FindByCaption("Plain"));
  EXPECT_EQ(heard, (std::vector<std::string>{"plain <- Plain", "bare <- Plain"}));
  // Tags of their own keep each click in its window; a closed window hears nothing.
  inspectors->SetTag("Note 2");
  heard.clear();
  sim->Click(sim->FindByCaption("Mine"));
  EXPECT_EQ(heard, (std::vector<std::string>{"explorer 1 <- Mine", "explorer 2 <- Mine"}));
  outlook->CloseExplorer(other);
  heard.clear();
  sim->Click(sim->FindByCaption("Mine"));
  EXPECT_EQ(heard, (std::vector<std::string>{"explorer 1 <- Mine"}));
}

TEST_F(CommandBarsTest, ResetRemovesWhatWasAddedAndRestoresTheBuiltInControls) {
  auto menu = bars->Item("Context Menu");
  int built_in = menu->Controls()->Count();
  auto popup = menu->Controls()->Add(office::kControlPopup);
  popup->SetCaption("Pinlet");
  popup->SetTag("NotesContextMenu");
  popup->Controls()->Add()->SetCaption("Add Note");
  auto print = menu->Controls()->Item("&Print");
  print->Delete();
  menu->Controls()->Item("Reply")->SetCaption("Changed");
  EXPECT_EQ(menu->Controls()->Count(), built_in);

  menu->Reset();
  EXPECT_EQ(menu->Controls()->Count(), built_in);
  EXPECT_EQ(Raised([&] { menu->Controls()->Item("Pinlet"); }), kInvalidCall);
  EXPECT_EQ(menu->FindControl(std::nullopt, std::nullopt, "NotesContextMenu"), nullptr);
  EXPECT_EQ(menu->Controls()->Item(2)->Caption(), "&Print");
  EXPECT_EQ(menu->Controls()->Item(3)->Caption(), "&Reply");
  // Handles on the controls that were there before are dead.
  EXPECT_EQ(Raised([&] { popup->Caption(); }), Failed("Caption", "CommandBarPopup"));
  EXPECT_EQ(sim->changes().back().kind, SimCommandBars::ChangeRecord::kReset);

  // Only built-in bars have something to go back to.
  auto own = bars->Add("Pinlet ToolBar", office::kBarTop, false, true);
  EXPECT_EQ(Raised([&] { own->Reset(); }), Failed("Reset", "CommandBar"));
  EXPECT_EQ(Raised([&] { menu->Delete(); }), Failed("Delete", "CommandBar"));
  own->Delete();
  EXPECT_EQ(Raised([&] { bars->Item("Pinlet ToolBar"); }), kInvalidCall);
}

TEST_F(CommandBarsTest, LookupsThatFindNothingRaiseTheHostsError) {
  EXPECT_EQ(Raised([&] { bars->Item("No Such Bar"); }), kInvalidCall);
  EXPECT_EQ(Raised([&] { bars->Item(bars->Count() + 1); }), kInvalidCall);
  auto controls = bars->Item("standard")->Controls();  // names ignore case
  EXPECT_EQ(Raised([&] { controls->Item("Missing"); }), kInvalidCall);
  EXPECT_EQ(Raised([&] { controls->Item(0); }), kInvalidCall);
  EXPECT_EQ(errors::kCommandBarItemNotFound, 5);
  // Captions match without their access keys and case.
  EXPECT_EQ(bars->Item("Menu Bar")->Controls()->Item("tools")->Id(), command::kToolsMenu);
  EXPECT_EQ(controls->Item("REPLY TO ALL")->Id(), command::kReplyAll);
  // FindControl answers Nothing instead.
  EXPECT_EQ(bars->FindControl(std::nullopt, 99999), nullptr);
  EXPECT_EQ(bars->Item("Standard")->FindControl(office::kControlPopup, command::kReply),
            nullptr);
  // Enumerating by index sees each bar once.
  std::vector<std::string> names;
  for (int i = 1; i <= bars->Count(); ++i) names.push_back(bars->Item(i)->Name());
  EXPECT_EQ(names, (std::vector<std::string>{"Menu Bar", "Standard", "Advanced",
                                             "Context Menu"}));
  EXPECT_EQ(bars->Item("Context Menu")->Index(), 4);
}

TEST_F(CommandBarsTest, AddPlacesTheControlBeforeTheGivenPosition) {
  auto tools = Tools();
  int count = tools->Count();
  auto submenu = tools->Add(office::kControlPopup, office::kCustomControlId, count, true);
  submenu->SetCaption("Zarvo Options");
  EXPECT_EQ(submenu->Index(), count);
  EXPECT_EQ(tools->Item(count + 1)->Caption(), "&Options...");
  EXPECT_EQ(tools->Item("Zarvo Options")->Index(), count);
  EXPECT_EQ(submenu->CommandBar()->Name(), "Zarvo Options");
  EXPECT_EQ(submenu->CommandBar()->Index(), 0);

  // Directly after About: at its Index + 1, which is the end of the menu.
  auto help =
      bars->Item("Menu Bar")->FindControl(office::kControlPopup, command::kHelpMenu);
  auto about = help->CommandBar()->FindControl(office::kControlButton, command::kAbout);
  auto after = help->Controls()->Add(office::kControlPopup, 1, about->Index() + 1, true);
  EXPECT_EQ(after->Index(), about->Index() + 1);
  EXPECT_EQ(Raised([&] { tools->Add(office::kControlButton, 1, 0); }), kInvalidCall);
  EXPECT_EQ(Raised([&] { tools->Add(office::kControlButton, 1, tools->Count() + 2); }),
            kInvalidCall);
  EXPECT_EQ(Raised([&] { tools->Add(4); }), kInvalidCall);  // a combo box

  // A built-in command added by Id is that command.
  int replies = 0;
  sim->SetAction(command::kReply, [&] { ++replies; });
  auto copy = tools->Add(office::kControlButton, command::kReply, 1);
  EXPECT_TRUE(copy->BuiltIn());
  EXPECT_EQ(copy->Caption(), "&Reply");
  EXPECT_EQ(copy->FaceId(), command::kReply);
  sim->Click(Node("Menu Bar", command::kReply));  // the copy, first in Tools
  EXPECT_EQ(replies, 1);
  EXPECT_EQ(Raised([&] { tools->Add(office::kControlButton, 424242); }), kInvalidCall);
  ASSERT_EQ(sim->changes().size(), 3u);
  EXPECT_EQ(sim->changes()[0].bar, "Menu Bar/&Tools");
  EXPECT_EQ(sim->changes()[0].index, count);
  EXPECT_TRUE(sim->changes()[0].temporary);
}

TEST_F(CommandBarsTest, TemporaryBarsAndControlsGoWhenTheHostExits) {
  auto toolbar = bars->Add("Pinlet ToolBar", office::kBarTop, false, true);
  toolbar->Controls()->Add(office::kControlButton, 1, std::nullopt, true);
  auto kept = bars->Item("Standard")->Controls()->Add(office::kControlButton);
  kept->SetCaption("Kept");
  auto popup = Tools()->Add(office::kControlPopup, 1, std::nullopt, true);
  auto inside = popup->Controls()->Add();  // not temporary, but in a temporary popup
  sim->RemoveTemporary();
  EXPECT_EQ(Raised([&] { bars->Item("Pinlet ToolBar"); }), kInvalidCall);
  EXPECT_EQ(kept->Caption(), "Kept");
  EXPECT_EQ(Raised([&] { inside->Caption(); }), Failed("Caption", "CommandBarButton"));
  EXPECT_EQ(Raised([&] { toolbar->Name(); }), Failed("Name", "CommandBar"));
}

TEST_F(CommandBarsTest, FindControlMatchesTypeIdTagAndVisibility) {
  auto menu_bar = bars->Item("Menu Bar");
  EXPECT_EQ(menu_bar->FindControl(office::kControlPopup, command::kHelpMenu)->Caption(),
            "&Help");
  // About sits inside the Help menu: only a recursive search reaches it.
  EXPECT_EQ(menu_bar->FindControl(office::kControlButton, command::kAbout), nullptr);
  auto about = menu_bar->FindControl(office::kControlButton, command::kAbout,
                                     std::nullopt, false, true);
  ASSERT_NE(about, nullptr);
  EXPECT_EQ(about->Parent()->Name(), "&Help");
  auto tagged = NewButton("Tagged");
  tagged->SetTag("butInsertNote");
  EXPECT_EQ(bars->FindControl(std::nullopt, std::nullopt, "butInsertNote")->Caption(),
            "Tagged");
  tagged->SetVisible(false);
  EXPECT_EQ(bars->FindControl(std::nullopt, std::nullopt, "butInsertNote", true),
            nullptr);
  // Of several controls of one command, the first in bar order.
  EXPECT_EQ(bars->FindControl(office::kControlButton, command::kReply)->Parent()->Name(),
            "&Actions");
}

TEST_F(CommandBarsTest, AProtectedBarRefusesCustomisationUntilTheBitIsCleared) {
  auto menu = bars->Item("Context Menu");
  menu->SetProtection(office::kBarNoCustomize | office::kBarNoMove);
  auto refuse_add = Failed("Add", "CommandBarControls");
  EXPECT_EQ(Raised([&] { menu->Controls()->Add(office::kControlPopup); }), refuse_add);
  auto open = menu->Controls()->Item("&Open");
  EXPECT_EQ(Raised([&] { open->Delete(); }), Failed("Delete", "CommandBarButton"));
  open->SetCaption("Open it");  // properties stay settable
  EXPECT_TRUE(sim->changes().empty());

  menu->SetProtection(menu->Protection() & ~office::kBarNoCustomize);
  auto popup = menu->Controls()->Add(office::kControlPopup);
  menu->SetProtection(menu->Protection() | office::kBarNoCustomize);
  // The popup's own bar is not protected by its parent's flag.
  popup->Controls()->Add()->SetCaption("Add Note");
  EXPECT_EQ(menu->Protection(), office::kBarNoCustomize | office::kBarNoMove);
  menu->Reset();  // Reset is not customising
  EXPECT_EQ(menu->Controls()->Item(1)->Caption(), "&Open");
}

TEST_F(CommandBarsTest, PasteFaceTakesTheToolbarFormatsWithTheMasksTransparency) {
  uint32_t face_format = world.clipboard.RegisterFormat("Toolbar Button Face");
  uint32_t mask_format = world.clipboard.RegisterFormat("Toolbar Button Mask");
  std::string mask_block = MaskDibFromPicture(Face(), kWhite) + std::string(2, '\0');
  world.clipboard.Put({{cf::kDib, DibFromPicture(Face())},
                       {face_format, DibFromPicture(Face())},
                       {mask_format, mask_block}});
  auto saved = world.clipboard.contents();
  auto button = NewButton("Add Note");
  button->SetFaceId(984);
  button->PasteFace();
  EXPECT_EQ(button->FaceId(), 0);
  EXPECT_EQ(button->Picture().pixels, Face().pixels);
  EXPECT_EQ(button->Mask().pixels,
            (std::vector<uint32_t>{kBlack, kWhite, kBlack, kWhite, kBlack, kBlack}));
  EXPECT_EQ(world.clipboard.contents(), saved);
  ASSERT_EQ(sim->faces().size(), 1u);
  EXPECT_EQ(sim->faces()[0].control, "Standard/Add Note");
  EXPECT_EQ(sim->faces()[0].source, "Toolbar Button Face");
}

TEST_F(CommandBarsTest, PasteFaceFromAPlainBitmapHasNoMaskAndNeedsAPicture) {
  auto button = NewButton("Add Note");
  world.clipboard.Put({{cf::kBitmap, DibFromPicture(Face())}});  // offered as CF_DIB too
  button->PasteFace();
  EXPECT_EQ(button->Picture().pixels, Face().pixels);
  EXPECT_TRUE(button->Mask().empty());
  EXPECT_EQ(sim->faces().back().source, "CF_DIB");

  auto refused = Failed("PasteFace", "CommandBarButton");
  world.clipboard.Put({{cf::kText, TextBlock("not a picture")}});
  EXPECT_EQ(Raised([&] { button->PasteFace(); }), refused);
  world.clipboard.Put({{cf::kDib, "truncated"}});
  EXPECT_EQ(Raised([&] { button->PasteFace(); }), refused);
  // Office cannot read a clipboard that someone holds open.
  world.clipboard.Put({{cf::kDib, DibFromPicture(Face())}});
  ASSERT_TRUE(world.clipboard.Open());
  EXPECT_EQ(Raised([&] { button->PasteFace(); }), refused);
  world.clipboard.Close();
  button->PasteFace();
}

TEST_F(CommandBarsTest, PictureAndMaskAreSetByNameFromOffice10On) {
  auto button = NewButton("View Note");
  Picture mask{3, 2, 24, {kWhite, kBlack, kBlack, kBlack, kBlack, kWhite}};
  button->SetPicture(Face());
  button->SetMask(mask);
  EXPECT_EQ(button->Picture().pixels, Face().pixels);
  EXPECT_EQ(button->Mask().pixels, mask.pixels);
  EXPECT_EQ(Raised([&] { button->SetPicture(Picture{}); }), kInvalidCall);

  outlook->set_version("9.0.0.2711");  // Office 2000 has no such members
  const Raise lacks{errors::kNotSupported,
                    "Object doesn't support this property or method"};
  EXPECT_EQ(Raised([&] { button->SetPicture(Face()); }), lacks);
  EXPECT_EQ(Raised([&] { button->Mask(); }), lacks);
  world.clipboard.Put({{cf::kDib, DibFromPicture(Face())}});
  button->PasteFace();  // the way faces are set there
}

TEST_F(CommandBarsTest, MembersOfTheOtherKindOfControlRaise438) {
  auto popup = Tools()->Add(office::kControlPopup);
  auto button = NewButton("B");
  int64_t calls = world.faults.call_count();
  for (auto call : std::vector<std::function<void()>>{
           [&] { popup->Style(); }, [&] { popup->PasteFace(); },
           [&] { popup->OnClick([](office::CommandBarControlPtr, bool&) {}); },
           [&] { button->Controls(); }, [&] { button->CommandBar(); }})
    EXPECT_EQ(Raised(call).first, errors::kNotSupported);
  EXPECT_EQ(world.faults.call_count(), calls);  // refused before any call
  EXPECT_EQ(Raised([&] { button->SetStyle(7); }), kInvalidCall);
  EXPECT_EQ(Raised([&] { button->SetState(1); }), kInvalidCall);
  button->SetState(office::kButtonDown);
  EXPECT_EQ(button->State(), office::kButtonDown);
}

TEST_F(CommandBarsTest, EachMemberPassesTheFaultInjectorOnceUnderItsHostName) {
  auto popup = Tools()->Add(office::kControlPopup);
  auto button = NewButton("B");
  world.faults.set_logging(true);
  size_t from = world.faults.calls().size();
  popup->Caption();
  button->SetCaption("C");
  popup->Controls()->Count();
  bars->Item("Standard")->Reset();
  std::vector<std::string> names;
  for (size_t i = from; i < world.faults.calls().size(); ++i)
    names.emplace_back(world.faults.calls()[i].member);
  EXPECT_EQ(names, (std::vector<std::string>{
                       "CommandBarPopup.Caption", "CommandBarButton.Caption",
                       "CommandBarPopup.Controls", "CommandBarControls.Count",
                       "CommandBars.Item", "CommandBar.Reset"}));
  EXPECT_TRUE(world.defects().empty());  // every name is in the host's table

  world.faults.FailMember("CommandBarControls.Add", errors::kOperationFailed, 1);
  EXPECT_EQ(Raised([&] { Tools()->Add(); }).first, errors::kOperationFailed);
  Tools()->Add();
  world.faults.FailMember("Explorer.CommandBars");
  EXPECT_THROW(explorer->CommandBars(), HostError);
  world.faults.Clear();
  // The driver's own work is no call of the add-in's.
  int64_t calls = world.faults.call_count();
  sim->Click(sim->FindById(command::kForward));
  sim->Update();
  sim->Show();
  EXPECT_EQ(world.faults.call_count(), calls);
}

TEST_F(CommandBarsTest, ClicksTheUserCannotMakeAreRefused) {
  auto button = NewButton("Filter");
  button->SetEnabled(false);
  EXPECT_EQ(sim->Click(sim->FindByCaption("Filter")).refused, "is disabled");
  button->SetEnabled(true);
  bars->Item("Standard")->SetEnabled(false);
  EXPECT_EQ(sim->Click(sim->FindByCaption("Filter")).refused, "is on a disabled bar");
  auto tools = sim->FindByCaption("&Tools");
  EXPECT_EQ(sim->Click(tools).refused, "is a popup, which opens its menu");
  tools->visible = false;
  EXPECT_EQ(sim->Click(sim->FindByCaption("&Options...")).refused, "is in a hidden menu");
  // The shortcut menu is hidden until it opens, and can be clicked all the same.
  EXPECT_EQ(sim->Click(sim->FindBar("Context Menu")->controls[0]).refused, "");
  auto gone = sim->FindByCaption("Filter");
  button->Delete();
  EXPECT_EQ(sim->Click(gone).refused, "has been deleted");
  EXPECT_EQ(sim->clicks().size(), 1u);
}

TEST_F(CommandBarsTest, OnUpdateFiresOnRedrawAndNotAgainWhileItsHandlersRun) {
  int updates = 0;
  Subscription sink = bars->OnUpdate([&] {
    ++updates;
    // Rebuilding the shortcut menu, as a handler does, redraws nothing more.
    auto menu = bars->Item("Context Menu");
    menu->Reset();
    menu->Controls()->Add(office::kControlPopup)->SetCaption("Pinlet");
    sim->Update();
  });
  sim->Update();
  sim->Update();
  EXPECT_EQ(updates, 2);
  EXPECT_EQ(sim->FindBar("Context Menu")->controls.back()->caption, "Pinlet");
  EXPECT_EQ(bars->Item("Context Menu")->Controls()->Count(), 12);
}

TEST_F(CommandBarsTest, WhatAHandlerThrowsIsStoppedAtTheBoundaryAndRecorded) {
  int forwards = 0;
  sim->SetAction(command::kForward, [&] { ++forwards; });
  Subscription click = Standard(command::kForward)
                           ->OnClick([](office::CommandBarControlPtr, bool& cancel) {
                             cancel = true;
                             throw std::runtime_error("boom");
                           });
  Subscription update = bars->OnUpdate([] { throw HostError(91, "Object not set"); });
  auto result = sim->Click(sim->FindById(command::kForward));
  EXPECT_TRUE(result.cancelled);
  sim->Update();
  EXPECT_EQ(world.defects(),
            (std::vector<std::string>{
                "CommandBarButton.Click: boom reached the host",
                "CommandBars.OnUpdate: HostError 91 Object not set reached the host"}));
  world.ClearDefects();
  EXPECT_EQ(forwards, 0);
}

TEST_F(CommandBarsTest, ShowGivesEachBarAndControl) {
  auto toolbar = bars->Add("Pinlet ToolBar", office::kBarTop, false, true);
  auto note = toolbar->Controls()->Add(office::kControlButton, 1, std::nullopt, true);
  note->SetCaption("Add Note");
  note->SetTooltipText("Add new note");
  note->SetStyle(office::kButtonIconAndCaption);
  note->SetBeginGroup(true);
  world.clipboard.Put({{cf::kDib, DibFromPicture(Face())}});
  note->PasteFace();
  auto filter = toolbar->Controls()->Add();
  filter->SetCaption("Filter");
  filter->SetPicture(Face());
  filter->SetMask(Picture{3, 2, 24, {kWhite, kBlack, kBlack, kBlack, kBlack, kWhite}});
  filter->SetState(office::kButtonDown);
  auto popup = toolbar->Controls()->Add(office::kControlPopup);
  popup->SetCaption(" ");
  auto help = popup->Controls()->Add();
  help->SetFaceId(984);
  help->SetTag("help");
  help->SetEnabled(false);
  toolbar->SetVisible(true);
  EXPECT_EQ(
      sim->Show(*sim->FindBar("Pinlet ToolBar")),
      "bar \"Pinlet ToolBar\": toolbar, added, temporary, visible, position 1, row 1,"
      " left 0, top 0\n"
      "  1. button \"Add Note\", custom, tip \"Add new note\", face CF_DIB 3x2, opaque,"
      " style icon and caption, begins group, temporary\n"
      "  2. button \"Filter\", custom, face Picture 3x2, mask 3x2 (2 transparent),"
      " style automatic, down\n"
      "  3. popup \" \", custom\n"
      "     1. button \"\", custom, tag \"help\", face 984, style automatic, disabled\n");
  EXPECT_EQ(toolbar->Controls()->Item(1)->TooltipText(), "Add new note");
  EXPECT_EQ(Standard(command::kReplyAll)->TooltipText(), "Reply to All");
}

TEST_F(CommandBarsTest, EachWindowHasItsOwnBarsAndWordEditedMailShowsWords) {
  auto second = outlook->OpenExplorer();
  second->CommandBars()->Item("Standard")->Controls()->Add()->SetCaption("Only here");
  EXPECT_EQ(Raised([&] { bars->Item("Standard")->Controls()->Item("Only here"); }),
            kInvalidCall);

  auto mail = NewMail("Hello");
  auto inspector = outlook->OpenInspector(mail);
  auto standard = inspector->CommandBars()->Item("Standard");
  EXPECT_EQ(standard->Controls()->Item(1)->Id(), command::kReply);
  EXPECT_EQ(std::dynamic_pointer_cast<ol::Inspector>(standard->Parent()), inspector);
  EXPECT_EQ(Raised([&] { inspector->CommandBars()->Item("E-mail"); }), kInvalidCall);

  outlook->set_word_mail_editor(true);
  // A second mail: opening the first again would bring its window forward.
  auto word = outlook->OpenInspector(NewMail("Word-edited"));
  EXPECT_EQ(word->CommandBars()->Item("E-mail")->Controls()->Item(1)->Id(),
            command::kSend);
  EXPECT_EQ(word->CommandBars()->Item("Standard")->Controls()->Item(1)->Caption(),
            "&New Blank Document");
  auto word_bars = word->CommandBars();
  auto word_standard = word_bars->Item("Standard");
  outlook->CloseInspector(word);
  EXPECT_EQ(standard->Parent(), inspector);  // still open
  // What the closed window had is dead.
  EXPECT_EQ(Raised([&] { word_standard->Parent(); }), Failed("Parent", "CommandBar"));
  EXPECT_EQ(Raised([&] { word_bars->Count(); }), Failed("Count", "CommandBars"));
}

}  // namespace
}  // namespace pinlet::sim
