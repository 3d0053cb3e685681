#include "explorer/cls_explorers.h"

#include "addin/error_report.h"

namespace pinlet {

void clsExplorers::Class_Initialize() {
  RunGuardedSub(ctx_, "clsExplorers(Sub Class_Initialize)", [&](Proc&) {
    fExplorers_events_.Reset();
    fExplorers_ = Must(ctx_.application).Explorers();
    fExplorers_events_ = Must(fExplorers_).OnNewExplorer([this](ol::ExplorerPtr explorer) {
      fExplorers_NewExplorer(explorer);
    });
  });
}

std::shared_ptr<clsExplorer> clsExplorers::get_ActiveExplorer() {
  return RunGuarded(ctx_, "clsExplorers(Function get_ActiveExplorer)",
                    std::shared_ptr<clsExplorer>(), [&](Proc&) {
                      for (const auto& wrapper : oExpCol_)
                        if (wrapper->GetID() == active_explorer_id) return wrapper;
                      return std::shared_ptr<clsExplorer>();
                    });
}

void clsExplorers::Close_fExps() {
  RunGuardedSub(ctx_, "clsExplorers(Sub Close_fExps)", [&](Proc&) {
    fExplorers_events_.Reset();
    fExplorers_.reset();
    // Last first; a wrapper's Class_Terminate runs as it leaves.
    while (!oExpCol_.empty()) oExpCol_.pop_back();
  });
}

bool clsExplorers::Remove(int id) {
  for (auto it = oExpCol_.begin(); it != oExpCol_.end(); ++it) {
    if ((*it)->GetID() != id) continue;
    // The wrapper may be the one whose Close is running: it goes once its
    // handler returns, not in the middle of it.
    std::shared_ptr<clsExplorer> leaving = *it;
    oExpCol_.erase(it);
    return true;
  }
  return false;
}

void clsExplorers::fExplorers_NewExplorer(const ol::ExplorerPtr& explorer) {
  RunGuardedSub(ctx_, "clsExplorers(Sub fExplorers_NewExplorer)", [&](Proc& proc) {
    proc.line = 10;
    if (fExID >= kLastId) throw HostError(errors::kOverflow, "Overflow");
    ++fExID;
    auto wrapper = std::make_shared<clsExplorer>(ctx_);
    // A wrapper whose window's events cannot be held is dropped again.
    proc.line = 20;
    wrapper->SetExplorer(explorer);
    wrapper->SetID(fExID);
    oExpCol_.push_back(wrapper);
  });
}

}  // namespace pinlet
