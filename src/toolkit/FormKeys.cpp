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
