#pragma once
// What the ribbon's style controls hold: the texts of the font combo and the
// three numeric edits (read from the controls when a command runs), the
// colours chosen in the three colour buttons and the toggle states, which are
// the program's own values rather than read back from the controls.

#include <string>

#include "document/ChartRecords.h"

namespace plume::chartview {

struct RibbonStyleState {
  std::string fontName = "Meiryo UI";  ///< CP932 text of the font combo
  std::string fontSize = "8";          ///< text of the size edit
  int bold = 0;                        ///< 0 or 1
  document::ColorRef textColour = 8388608;
  int alignment = 1;                   ///< 0 left, 1 centre, 2 right
  std::string margin = "5";            ///< text of the margin edit
  int wrap = 1;                        ///< 0 or 1
  document::ColorRef fillColour = 16773100;
  document::ColorRef frameColour = 8388608;
  std::string frameWidth = "1";        ///< text of the frame width edit
  int round = 0;                       ///< the Round value, 0 or 1

  /// Copies an item's style into every control, numbers shown as "%d".
  void LoadFrom(const document::ItemStyle& style);
};

}  // namespace plume::chartview
