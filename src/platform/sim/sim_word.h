// The simulated Microsoft Word, running beside the simulated Outlook in one
// world as Outlook's e-mail editor.
//
// While Word runs (World::word), Outlook's Word-edited mail windows are
// also Word windows: each shares its inspector's command bars and edits
// that inspector's item, and Word raises WindowActivate(Doc, Wn) whenever
// Outlook activates such a window, the first time as it opens. Word's
// Version is that of the Outlook it edits for (one Office release). A closed
// inspector's Word window is gone from Word. Word has its own COM add-ins,
// so its own instance of the add-in, whose published object is not
// Outlook's.
#ifndef PINLET_PLATFORM_SIM_SIM_WORD_H_
#define PINLET_PLATFORM_SIM_SIM_WORD_H_

#include <memory>
#include <string>
#include <vector>

#include "platform/sim/world.h"
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

  // What Outlook tells Word (the simulated host's own work): a Word-edited
  // mail window came to the front (made on its first activation), or
  // closed.
  void InspectorActivated(const std::shared_ptr<SimInspector>& inspector);
  void InspectorClosed(const SimInspector* inspector);

  // Word's window for an inspector; nullptr when it has none.
  std::shared_ptr<SimWordWindow> WindowOf(const SimInspector* inspector) const;
  const std::vector<std::shared_ptr<SimWordWindow>>& windows() const { return windows_; }

 private:
  World* world_;
  std::shared_ptr<COMAddIns> addins_;
  std::vector<std::shared_ptr<SimWordWindow>> windows_;
  Event<word::DocumentPtr, word::WindowPtr> window_activate_;
};

class SimWordWindow : public word::Window {
 public:
  SimWordWindow(World* world, std::shared_ptr<SimInspector> inspector);
  std::string Caption() override;
  word::DocumentPtr Document() override;
  office::CommandBarsPtr CommandBars() override;

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

#endif  // PINLET_PLATFORM_SIM_SIM_WORD_H_
