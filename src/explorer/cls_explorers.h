// clsExplorers: the tracker of Outlook's main windows.
//
// One tracker per loaded add-in holds a wrapper (clsExplorer) for every main
// window, in creation order, numbers them (the start-up window is 1, every
// later window the last number handed out plus one; numbers are never
// reused), follows Explorers' NewExplorer to wrap each new window, and
// answers which wrapper belongs to the window the user activated last.
#ifndef PINLET_EXPLORER_CLS_EXPLORERS_H_
#define PINLET_EXPLORER_CLS_EXPLORERS_H_

#include <memory>
#include <vector>

#include "addin/context.h"
#include "explorer/cls_explorer.h"

namespace pinlet {

class clsExplorers {
 public:
  // The largest number a wrapper can get (the tracker counts in 16 bits).
  static constexpr int kLastId = 32767;

  explicit clsExplorers(AddinContext& ctx) : ctx_(ctx) {}
  // Releases the Explorers collection and the wrappers (last first).
  ~clsExplorers() { Close_fExps(); }
  clsExplorers(const clsExplorers&) = delete;
  clsExplorers& operator=(const clsExplorers&) = delete;

  // Holds Application.Explorers with events (NewExplorer). A failure ends it
  // and is reported with the tag "clsExplorers(Sub Class_Initialize)"; the
  // tracker then wraps no later window.
  void Class_Initialize();
  // The first wrapper whose ID is the active-explorer ID; nullptr when none.
  // Reports with "clsExplorers(Function get_ActiveExplorer)".
  std::shared_ptr<clsExplorer> get_ActiveExplorer();
  // Releases the Explorers collection, then every wrapper from the last to
  // the first. Reports with "clsExplorers(Sub Close_fExps)".
  void Close_fExps();

  // oExpCol: the wrappers in creation order.
  std::vector<std::shared_ptr<clsExplorer>>& wrappers() { return oExpCol_; }
  // Removes the wrapper with that ID; false when none has it.
  bool Remove(int id);

  // fExID: the last ID handed out.
  int fExID = 1;
  // The ID of the wrapper whose window was activated last.
  int active_explorer_id = 0;

 private:
  void fExplorers_NewExplorer(const ol::ExplorerPtr& explorer);

  AddinContext& ctx_;
  std::vector<std::shared_ptr<clsExplorer>> oExpCol_;
  ol::ExplorersPtr fExplorers_;
  Subscription fExplorers_events_;
};

}  // namespace pinlet

#endif  // PINLET_EXPLORER_CLS_EXPLORERS_H_
