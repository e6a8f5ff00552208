#pragma once

#include <functional>
#include <map>

namespace fondex::toolkit {

// A list of callbacks that a model calls when it changes; views connect to it.
template <typename... Args>
class Signal {
 public:
  using Slot = std::function<void(Args...)>;

  int Connect(Slot slot) {
    slots_.emplace(next_, std::move(slot));
    return next_++;
  }
  void Disconnect(int id) { slots_.erase(id); }

  void Emit(Args... args) const {
    const auto slots = slots_;  // a slot may disconnect itself
    for (const auto& [id, slot] : slots) {
      slot(args...);
    }
  }

 private:
  std::map<int, Slot> slots_;
  int next_ = 0;
};

}  // namespace fondex::toolkit
