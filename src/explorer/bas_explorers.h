// basExplorers: the explorer side's module procedures.
//
// Start-up creates the tracker with a wrapper for the main window that is
// open; a window's Close removes its wrapper, and the last one gone shuts the
// explorer and inspector trackers down. The note window reaches this side
// through two of them: the active explorer handling its selection again, and
// every wrapper forgetting an item it showed. AddCustomButton is the shared
// way of putting a button with a transparent face on a command bar.
#ifndef PINLET_EXPLORER_BAS_EXPLORERS_H_
#define PINLET_EXPLORER_BAS_EXPLORERS_H_

#include <string>
#include <string_view>

#include "addin/context.h"
#include "platform/command_bars.h"

namespace pinlet {

// Creates the tracker, holds Application.Explorers, and wraps the active
// explorer as window 1 (its menus added, its toolbar's state set). A failure
// is reported as "basExplorers(Sub Create_Explorers)".
void Create_Explorers(AddinContext& ctx);
// Removes the wrapper with that ID; with none left, Shut_Down.
void Close_CExplorer(AddinContext& ctx, int id);
// Every wrapper that last showed `entry_id` forgets it, so that the next
// selection of that item is handled as a new one.
void ClearExplorerEntryID(AddinContext& ctx, const std::string& entry_id);
// Releases the explorer tracker (its wrappers) and the inspector tracker.
void Shut_Down(AddinContext& ctx);
// After a note was made or deleted: the active explorer handles its
// selection again with the note-refresh flag set, so that its button and
// note display follow the changed note, and every other explorer's main
// button shows its own selection's note again. Nothing happens without a
// tracker.
void RefreshExplorers(AddinContext& ctx);

// Adds a temporary button to `bar` with `tag`, `tooltip`, `begin_group`,
// `style` (office::kButton...) and, for styles 2 and 3, `caption`; styles 1
// and 3 get `picture` pasted as the face, white transparent. Each step
// continues past errors, which are reported with the tag
// "basExplorers(Function AddCustomButton)"; returns the button (nullptr when
// it could not be added).
office::CommandBarControlPtr AddCustomButton(AddinContext& ctx,
                                             const office::CommandBarPtr& bar,
                                             const std::string& tag,
                                             const std::string& tooltip, bool begin_group,
                                             int style, const Picture& picture,
                                             const std::string& caption);

// A Tag for a button of the add-in's: `base`, '#' and a number no other
// button of this instance has. Office routes a click to the Click sinks of
// every button of the same Tag in its process, in every window and the
// empty Tag included, so each button held with events has a Tag of its own:
// one click acts once, in its own window.
std::string ControlTag(AddinContext& ctx, std::string_view base);
// Gives a button found on a bar (made before, perhaps by another window's
// wrapper) a Tag of its own; a failure leaves it as it was.
void GiveOwnTag(AddinContext& ctx, const office::CommandBarControlPtr& button,
                std::string_view base);
// `found` (a button left on `bar` before) with a Tag of its own; without
// one, a new button made by AddCustomButton that begins a group, shows the
// resource picture `face` and `caption`, and has a Tag of its own.
office::CommandBarControlPtr ReuseOrAddButton(AddinContext& ctx,
                                              const office::CommandBarPtr& bar,
                                              const office::CommandBarControlPtr& found,
                                              std::string_view base,
                                              const std::string& tooltip, const char* face,
                                              const std::string& caption);

// Installs the explorers as the core reaches them (Subsystems::Explorers):
// the tracker's creation, the active explorer's refresh and forgetting an
// item.
void InstallExplorer(Subsystems& subsystems);

}  // namespace pinlet

#endif  // PINLET_EXPLORER_BAS_EXPLORERS_H_
