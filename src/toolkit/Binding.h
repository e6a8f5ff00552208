#pragma once

#include <functional>

#include "toolkit/Signal.h"

namespace fondex::toolkit {

// Keeps a slot connected to a model's signal for exactly the lifetime of the view that owns it.
class Binding {
 public:
  Binding(Signal<>& signal, std::function<void()> slot)
      : signal_(signal), id_(signal.Connect(std::move(slot))) {}
  ~Binding() { signal_.Disconnect(id_); }
  Binding(const Binding&) = delete;
  Binding& operator=(const Binding&) = delete;

 private:
  Signal<>& signal_;
  int id_;
};

}  // namespace fondex::toolkit
