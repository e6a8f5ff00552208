#include "toolkit/FormKeys.h"

#include <algorithm>
#include <limits>

namespace fondex::toolkit {
namespace {

// Siblings in tab order; those that are no tab stop follow in construction order.
std::vector<const Control*> InTabOrder(const Control& parent) {
  std::vector<const Control*> children(parent.Children().begin(), parent.Children().end());
  std::stable_sort(children.begin(), children.end(), [](const Control* a, const Control* b) {
    const auto rank = [](const Control* c) {
      return c->tabOrder < 0 ? std::numeric_limits<int>::max() : c->tabOrder;
    };
    return rank(a) < rank(b);
  });
  return children;
}

void AppendTabChain(const Control& parent, std::vector<const Control*>& chain) {
  for (const Control* child : InTabOrder(parent)) {
    if (!child->Children().empty()) {
      AppendTabChain(*child, chain);
    } else if (TakesFocus(child->Kind()) && child->tabOrder >= 0) {
      chain.push_back(child);
    }
  }
}

BitButton* FirstWithRole(bool BitButton::*role, const std::vector<Control*>& controls,
                         const std::function<bool(const Control&)>& clickable) {
  for (Control* control : controls) {
    if (control->Kind() != ControlKind::kBitButton) {
      continue;
    }
    auto* button = static_cast<BitButton*>(control);
    if (button->*role && clickable(*button)) {
      return button;
    }
  }
  return nullptr;
}

}  // namespace

bool TakesFocus(ControlKind kind) {
  switch (kind) {
    case ControlKind::kEditBox:
    case ControlKind::kCheckBox:
    case ControlKind::kRadioButton:
    case ControlKind::kListBox:
    case ControlKind::kFileListBox:
    case ControlKind::kBitButton:
      return true;
    default:
      return false;
  }
}

std::vector<const Control*> TabChain(const Control& form) {
  std::vector<const Control*> chain;
  AppendTabChain(form, chain);
  return chain;
}

bool StartsGroup(const std::vector<const Control*>& chain, std::size_t index) {
  const Control* control = chain[index];
  return index == 0 || control->Kind() != ControlKind::kRadioButton ||
         chain[index - 1]->Kind() != ControlKind::kRadioButton ||
         chain[index - 1]->Parent() != control->Parent();
}

std::vector<const Control*> TabStops(const std::vector<const Control*>& chain) {
  std::vector<const Control*> stops;
  for (std::size_t first = 0; first < chain.size();) {
    std::size_t end = first + 1;
    while (end < chain.size() && !StartsGroup(chain, end)) {
      ++end;
    }
    const Control* stop = chain[first];
    for (std::size_t i = first; i < end; ++i) {
      if (chain[i]->Kind() == ControlKind::kRadioButton &&
          static_cast<const RadioButton*>(chain[i])->Checked()) {
        stop = chain[i];
      }
    }
    stops.push_back(stop);
    first = end;
  }
  return stops;
}

const Control* ArrowTarget(const std::vector<const Control*>& chain, std::size_t index,
                           bool forward, const std::function<bool(const Control&)>& choosable) {
  std::size_t first = index;
  while (!StartsGroup(chain, first)) {
    --first;
  }
  std::size_t end = index + 1;
  while (end < chain.size() && !StartsGroup(chain, end)) {
    ++end;
  }
  const std::size_t size = end - first;
  for (std::size_t step = 1; step < size; ++step) {
    const std::size_t offset = forward ? step : size - step;
    const Control* candidate = chain[first + (index - first + offset) % size];
    if (choosable(*candidate)) {
      return candidate;
    }
  }
  return chain[index];
}

BitButton* DialogButtonFor(int virtualKey, Control* focused, const std::vector<Control*>& controls,
                           const std::function<bool(const Control&)>& clickable) {
  if (virtualKey == vk::kReturn) {
    if (focused != nullptr && focused->Kind() == ControlKind::kBitButton) {
      return static_cast<BitButton*>(focused);
    }
    return FirstWithRole(&BitButton::isDefault, controls, clickable);
  }
  if (virtualKey == vk::kEscape) {
    return FirstWithRole(&BitButton::isCancel, controls, clickable);
  }
  return nullptr;
}

std::string GlyphOf(const BitButton& button) {
  if (!button.glyph.empty()) {
    return button.glyph;
  }
  switch (button.buttonKind) {
    case BitButtonKind::kOK:
      return "ok";
    case BitButtonKind::kCancel:
      return "annuler";
    case BitButtonKind::kHelp:
      return "aide";
    case BitButtonKind::kRetry:
      return "recommencer";
    case BitButtonKind::kCustom:
      break;
  }
  return {};
}

}  // namespace fondex::toolkit
