#include "toolkit/ModalHost.h"

namespace fondex::toolkit {

namespace {

struct ButtonInfo {
  const char* caption;
  int result;
};

// In the order of MessageButton.
constexpr ButtonInfo kButtons[] = {
    {"&Yes", 6},   {"&No", 7},     {"OK", 1},   {"Cancel", 2}, {"&Abort", 3},
    {"&Retry", 4}, {"&Ignore", 5}, {"&All", 8}, {"&Help", 0},
};

}  // namespace

const char* ButtonCaption(MessageButton button) {
  return kButtons[static_cast<int>(button)].caption;
}

int ButtonResult(MessageButton button) {
  return kButtons[static_cast<int>(button)].result;
}

}  // namespace fondex::toolkit
