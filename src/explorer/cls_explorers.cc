#include "explorer/cls_explorers.h"

#include "addin/error_report.h"

namespace pinlet {

void clsExplorers::SetExplorers(ol::ExplorersPtr explorers) {
  fExplorers_events_.Reset();
  fExplorers_ = std::move(explorers);
  fExplorers_events_ = Must(fExplorers_).OnNewExplorer([this](ol::ExplorerPtr explorer) {
    fExplorers_NewExplorer(explorer);
  });
}

std::shared_ptr<clsExplorer> clsExplorers::get_ActiveExplorer() {
  for (const auto& wrapper : oExpCol_)
    if (wrapper->GetID() == active_explorer_id) return wrapper;
  return nullptr;
}

void clsExplorers::Close_fExps() {
  fExplorers_events_.Reset();
  fExplorers_.reset();
  // Last first; a wrapper's Class_Terminate runs as it leaves.
  while (!oExpCol_.empty()) oExpCol_.pop_back();
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
