// Host events as owned subscriptions.
//
// A host object "held with events" is an Event the add-in subscribes to; the
// returned Subscription disconnects when it is destroyed or reset, so releasing
// the holder releases the sink. Events fire synchronously, in subscription
// order, on the one thread there is. A handler may subscribe or unsubscribe
// while the event fires; a handler removed during firing is not called after.
#ifndef PINLET_PLATFORM_EVENTS_H_
#define PINLET_PLATFORM_EVENTS_H_

#include <functional>
#include <memory>
#include <utility>
#include <vector>

namespace pinlet {

class Subscription {
 public:
  Subscription() = default;
  explicit Subscription(std::function<void()> cancel) : cancel_(std::move(cancel)) {}
  Subscription(Subscription&& other) noexcept
      : cancel_(std::exchange(other.cancel_, {})) {}
  Subscription& operator=(Subscription&& other) noexcept {
    if (this != &other) {
      Reset();
      cancel_ = std::exchange(other.cancel_, {});
    }
    return *this;
  }
  Subscription(const Subscription&) = delete;
  Subscription& operator=(const Subscription&) = delete;
  ~Subscription() { Reset(); }

  // Disconnects the handler; does nothing when already disconnected.
  void Reset() {
    if (cancel_) std::exchange(cancel_, {})();
  }
  bool connected() const { return static_cast<bool>(cancel_); }

 private:
  std::function<void()> cancel_;
};

template <typename... Args>
class Event {
 public:
  using Handler = std::function<void(Args...)>;

  Subscription Subscribe(Handler handler) {
    int id = state_->next_id++;
    state_->slots.push_back({id, std::make_shared<Handler>(std::move(handler))});
    std::weak_ptr<State> weak = state_;
    return Subscription([weak, id] {
      if (auto state = weak.lock()) {
        for (auto it = state->slots.begin(); it != state->slots.end(); ++it) {
          if (it->id == id) {
            state->slots.erase(it);
            break;
          }
        }
      }
    });
  }

  // Calls every connected handler in subscription order.
  void Fire(Args... args) const {
    auto state = state_;
    std::vector<Slot> snapshot = state->slots;
    for (const Slot& slot : snapshot) {
      if (!Connected(*state, slot.id)) continue;
      (*slot.handler)(args...);
    }
  }

  size_t handler_count() const { return state_->slots.size(); }

 private:
  struct Slot {
    int id;
    std::shared_ptr<Handler> handler;
  };
  struct State {
    int next_id = 1;
    std::vector<Slot> slots;
  };
  static bool Connected(const State& state, int id) {
    for (const Slot& slot : state.slots)
      if (slot.id == id) return true;
    return false;
  }
  std::shared_ptr<State> state_ = std::make_shared<State>();
};

}  // namespace pinlet

#endif  // PINLET_PLATFORM_EVENTS_H_
