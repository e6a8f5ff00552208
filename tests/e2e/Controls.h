#pragma once

// Where the controls of the program's windows lie, in client pixels (left, top, width, height),
// as the forms lay them out.

namespace fondex::e2e {

struct Bounds {
  int left = 0;
  int top = 0;
  int width = 0;
  int height = 0;
};

// A control placed inside a container, on the container's window.
constexpr Bounds Within(Bounds container, Bounds control) {
  return {container.left + control.left, container.top + control.top, control.width,
          control.height};
}
constexpr Bounds UpperHalf(Bounds b) {
  return {b.left, b.top, b.width, b.height / 2};
}
constexpr Bounds LowerHalf(Bounds b) {
  return {b.left, b.top + b.height / 2, b.width, b.height - b.height / 2};
}

// The box of a check box or radio button, at its left: a click past the end of the caption does
// not reach the control.
constexpr Bounds Indicator(Bounds b) {
  return {b.left, b.top, b.height, b.height};
}

// Row `index` of a list box whose rows are 16 pixels high, inside its frame.
constexpr Bounds ListRow(Bounds list, int index) {
  constexpr int kFrame = 2;
  constexpr int kRowHeight = 16;
  return {list.left + kFrame, list.top + kFrame + index * kRowHeight, list.width - 2 * kFrame,
          kRowHeight};
}

namespace main_window {
constexpr int kClientWidth = 465;
constexpr int kClientHeight = 253;
constexpr Bounds kFichListeBox{15, 40, 151, 116};
constexpr Bounds kDirListeBox{175, 40, 281, 116};
constexpr Bounds kEditChoisiBMP{15, 185, 236, 24};
constexpr Bounds kBBtnSelectRep{275, 183, 31, 31};
constexpr Bounds kBBtnSelectBMP{313, 183, 31, 31};
constexpr Bounds kBBtnNoWalp{368, 183, 31, 31};
constexpr Bounds kBBtnHasard{423, 183, 31, 31};
constexpr Bounds kBBtnOptions{375, 5, 31, 31};
constexpr Bounds kBBtnApropos{415, 5, 31, 31};
constexpr Bounds kGeleChBox{32, 224, 345, 17};
}  // namespace main_window

namespace options_dialog {
constexpr int kClientWidth = 579;
// The formats, notification, layout and screens areas below the hidden-files area add their
// heights and the room above each.
constexpr int kClientHeight = 974;
constexpr Bounds kChangeAutoGBox{32, 56, 389, 241};
constexpr Bounds kHasardGlobalRB = Within(kChangeAutoGBox, {12, 35, 289, 17});
constexpr Bounds kHasardRepHasardRB = Within(kChangeAutoGBox, {12, 65, 325, 17});
constexpr Bounds kHasardRepSuccRB = Within(kChangeAutoGBox, {12, 93, 377, 17});
constexpr Bounds kHasardRepSelRB = Within(kChangeAutoGBox, {12, 121, 305, 21});
constexpr Bounds kSuccRepSelRB = Within(kChangeAutoGBox, {12, 154, 365, 17});
constexpr Bounds kSuccRepHasardRB = Within(kChangeAutoGBox, {12, 182, 361, 17});
constexpr Bounds kSuccRepSuccRB = Within(kChangeAutoGBox, {12, 211, 333, 17});
constexpr Bounds kCompteBBtn = Within(kChangeAutoGBox, {292, 20, 89, 41});
constexpr Bounds kChBLancement{62, 320, 296, 21};
constexpr Bounds kChBAuto{62, 357, 105, 21};
constexpr Bounds kEdDelai{172, 357, 45, 24};
constexpr Bounds kSpBDelai{215, 357, 20, 25};
constexpr Bounds kChBFinNone{62, 394, 296, 21};
constexpr Bounds kChBCaches{88, 484, 266, 21};
constexpr Bounds kOKBtn{459, 120, 101, 99};
constexpr Bounds kCancelBtn{459, 335, 95, 33};
constexpr Bounds kHelpBtn{459, 479, 95, 33};
constexpr Bounds kChBAutresFormats{88, 573, 340, 21};
constexpr Bounds kChBIconeNotif{88, 662, 340, 21};
constexpr Bounds kDispositionListeBox{88, 751, 200, 100};
constexpr Bounds kChBParEcran{88, 919, 340, 21};
// A line of the layout list, 0 for the first: 16 pixels each inside the list's frame.
constexpr Bounds DispositionLine(int line) {
  return Within(kDispositionListeBox, {2, 2 + 16 * line, 196, 16});
}
}  // namespace options_dialog

}  // namespace fondex::e2e
