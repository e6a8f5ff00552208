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
     "Au hasard quel que soit le répertoire",
     "Choisit un papier peint au hasard parmi tous ceux de tous les répertoires disponibles",
     0},
    {&TOptBox::HasardRepHasardRB,
     THasardTech::HasardDsRep,
     THasardLieu::RepHasard,
     {12, 65, 325, 17},
     "Au hasard dans un répertoire au hasard",
     "Choisit d'abord un répertoire au hasard, puis un papier peint au hasard dedans",
     5},
    {&TOptBox::HasardRepSuccRB,
     THasardTech::HasardDsRep,
     THasardLieu::RepSucc,
     {12, 93, 377, 17},
     "Au hasard dans chaque répertoire successivement",
     "Parcourt tous les répertoires en choisissant un papier pent dans chaque",
     6},
    {&TOptBox::HasardRepSelRB,
     THasardTech::HasardDsRep,
     THasardLieu::RepActif,
     {12, 121, 305, 21},
     "Au hasard dans le répertoire sélectionné",
     "Choisit un papier peint au hasard dans le ré"
     "epertoire sélectionné",
     1},
    {&TOptBox::SuccRepSelRB,
     THasardTech::Successif,
     THasardLieu::RepActif,
     {12, 154, 365, 17},
     "Successivement dans le répertoire sélectionné",
     "Affiche successivement tous les papiers peints du répertoire sélectionné (ou le "
     "premier "
     "de la lste au démarrage)",
     2},
    {&TOptBox::SuccRepHasardRB,
     THasardTech::Successif,
     THasardLieu::RepHasard,
     {12, 182, 361, 17},
     "Successivement dans un répertoire au hasard",
     "Choisit un rérpertoire au hasard puis affiche tous ses papiers peints successivement",
     3},
    {&TOptBox::SuccRepSuccRB,
     THasardTech::Successif,
     THasardLieu::RepSucc,
     {12, 211, 333, 17},
     "Successivement dans tous les répertoires",
     "Affiche successivement tous les papiers peints de tous les répertoires",
     4},
}};

// The order in which the buttons are set when the pair is shown.
inline constexpr std::array<int, 7> kShowOrder{0, 1, 3, 2, 4, 5, 6};

}  // namespace fondex::options
