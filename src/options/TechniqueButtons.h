#pragma once

#include <array>
#include <optional>

#include "options/FondexOptions.h"

namespace fondex::options {

// One technique radio button: where it sits and the pair of settings it stands for.
struct TechniqueButton {
  toolkit::RadioButton TOptBox::*button;
  THasardTech tech;
  std::optional<THasardLieu> lieu;  // none: the place keeps its value
  toolkit::Bounds bounds;
  const char* caption;
  const char* hint;
  int tabOrder;
};

// From top to bottom, the order in which a click looks for the checked button.
inline constexpr std::array<TechniqueButton, 7> kTechniqueButtons{{
    {&TOptBox::HasardGlobalRB,
     THasardTech::HasardGlobal,
     std::nullopt,
     {12, 35, 289, 17},
     "Au hasard quel que soit le r\xE9pertoire",
     "Choisit un papier peint au hasard parmi tous ceux de tous les r\xE9pertoires disponibles",
     0},
    {&TOptBox::HasardRepHasardRB,
     THasardTech::HasardDsRep,
     THasardLieu::RepHasard,
     {12, 65, 325, 17},
     "Au hasard dans un r\xE9pertoire au hasard",
     "Choisit d'abord un r\xE9pertoire au hasard, puis un papier peint au hasard dedans",
     5},
    {&TOptBox::HasardRepSuccRB,
     THasardTech::HasardDsRep,
     THasardLieu::RepSucc,
     {12, 93, 377, 17},
     "Au hasard dans chaque r\xE9pertoire successivement",
     "Parcourt tous les r\xE9pertoires en choisissant un papier pent dans chaque",
     6},
    {&TOptBox::HasardRepSelRB,
     THasardTech::HasardDsRep,
     THasardLieu::RepActif,
     {12, 121, 305, 21},
     "Au hasard dans le r\xE9pertoire s\xE9lectionn\xE9",
     "Choisit un papier peint au hasard dans le r\xE9"
     "epertoire s\xE9lectionn\xE9",
     1},
    {&TOptBox::SuccRepSelRB,
     THasardTech::Successif,
     THasardLieu::RepActif,
     {12, 154, 365, 17},
     "Successivement dans le r\xE9pertoire s\xE9lectionn\xE9",
     "Affiche successivement tous les papiers peints du r\xE9pertoire s\xE9lectionn\xE9 (ou le "
     "premier "
     "de la lste au d\xE9marrage)",
     2},
    {&TOptBox::SuccRepHasardRB,
     THasardTech::Successif,
     THasardLieu::RepHasard,
     {12, 182, 361, 17},
     "Successivement dans un r\xE9pertoire au hasard",
     "Choisit un r\xE9rpertoire au hasard puis affiche tous ses papiers peints successivement",
     3},
    {&TOptBox::SuccRepSuccRB,
     THasardTech::Successif,
     THasardLieu::RepSucc,
     {12, 211, 333, 17},
     "Successivement dans tous les r\xE9pertoires",
     "Affiche successivement tous les papiers peints de tous les r\xE9pertoires",
     4},
}};

// The order in which the buttons are set when the pair is shown.
inline constexpr std::array<int, 7> kShowOrder{0, 1, 3, 2, 4, 5, 6};

}  // namespace fondex::options
