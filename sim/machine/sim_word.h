// The simulated Microsoft Word, running beside the simulated Outlook in one
// world as Outlook's e-mail editor.
//
// While Word runs (World::word), Outlook's Word-edited mail windows are
// also Word windows: each edits its inspector's item, its envelope's
// CommandBars are its inspector's, and Word raises WindowActivate(Doc, Wn) whenever
// Outlook activates such a window, the first time as it opens. Word's
// Version is that of the Outlook it edits for (one Office release). A closed
// inspector's Word window is gone from Word. Word has its own COM add-ins,
// so its own instance of the add-in, whose published object is not
// Outlook's.
//
// Word's bars are one Office process of their own (BarProcess): its
// application bars ("Menu Bar", "Standard", "Formatting"), which every
// ordinary document shows and Document.CommandBars answers too, and the
// bars of every mail window. A Word Window has no CommandBars. Every change
// the add-in makes to any of these bars goes to the customization context:
// while that is Normal.dot (Word's default), the template is marked changed
// (Word saves or offers to save it at exit), and a change that is not
// temporary is kept in it. A document as the context keeps the changes
// itself; a mail's document goes with its mail.
#ifndef PINLET_SIM_MACHINE_SIM_WORD_H_
#define PINLET_SIM_MACHINE_SIM_WORD_H_

#include <memory>
#include <string>
#include <vector>

#include "sim/machine/sim_command_bars.h"
#include "sim/machine/world.h"
#include "platform/word_app.h"

namespace pinlet::sim {

class SimInspector;
class SimWordWindow;

class SimWord : public word::Application, public std::enable_shared_from_this<SimWord> {
 public:
  explicit SimWord(World* world);
  ~SimWord() override;

  std::string Name() override;
  std::string Version() override;
  std::shared_ptr<COMAddIns> GetCOMAddIns() override;
  int WindowsCount() override;
  Subscription OnWindowActivate(WindowActivateHandler handler) override;
  office::CommandBarsPtr CommandBars() override;
  word::CustomizationContextPtr GetCustomizationContext() override;
  void SetCustomizationContext(const word::CustomizationContextPtr& context) override;

  // Makes a mail window's bars Word's: one of its process's windows, whose
  // changes go to the customization context.
  void AdoptMailBars(SimCommandBars& bars);
  // Word's own bars (the machine's view).
  const std::shared_ptr<SimCommandBars>& app_bars() const { return app_bars_; }
  // Normal.dot as Word would save it: whether it is unchanged since Word
  // started, and the lasting changes made while it was the context.
  struct Template {
    bool saved = true;
    std::vector<std::string> customizations;
  };
  const Template& normal_dot() const { return normal_dot_; }

  // What Outlook tells Word (the simulated host's own work): a Word-edited
  // mail window came to the front (made on its first activation), or
  // closed.
  void InspectorActivated(const std::shared_ptr<SimInspector>& inspector);
  void InspectorClosed(const SimInspector* inspector);

  // Word's window for an inspector; nullptr when it has none.
  std::shared_ptr<SimWordWindow> WindowOf(const SimInspector* inspector) const;
  const std::vector<std::shared_ptr<SimWordWindow>>& windows() const { return windows_; }

 private:
  // A change to Word's bars, for the customization context.
  void Customize(const std::string& what, bool lasting);

  World* world_;
  std::shared_ptr<COMAddIns> addins_;
  std::shared_ptr<BarProcess> process_ = std::make_shared<BarProcess>();
  std::shared_ptr<SimCommandBars> app_bars_;
  word::CustomizationContextPtr normal_;
  word::CustomizationContextPtr context_;
  Template normal_dot_;
  std::vector<std::shared_ptr<SimWordWindow>> windows_;
  Event<word::DocumentPtr, word::WindowPtr> window_activate_;
};

class SimWordWindow : public word::Window {
 public:
  SimWordWindow(World* world, std::shared_ptr<SimInspector> inspector);
  std::string Caption() override;
  word::DocumentPtr Document() override;

  const SimInspector* inspector() const { return inspector_.get(); }
  // Word has closed the window: its members raise from now on.
  void Closed() { closed_ = true; }

 private:
  void Enter(const char* member) const;
  World* world_;
  std::shared_ptr<SimInspector> inspector_;
  bool closed_ = false;
};

}  // namespace pinlet::sim

#endif  // PINLET_SIM_MACHINE_SIM_WORD_H_
