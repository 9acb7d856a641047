#include "chartview/RibbonStyleState.h"

#include "platform/Cp932.h"

namespace plume::chartview {

void RibbonStyleState::LoadFrom(const document::ItemStyle& style) {
  fontName = std::string(platform::FieldText(style.FontName));
  fontSize = std::to_string(style.FontSize);
  bold = style.FontBold;
  textColour = style.refText;
  margin = std::to_string(style.Yohaku);
  alignment = style.AlineH;
  wrap = style.Wrap;
  fillColour = style.refMen;
  frameColour = style.refWaku;
  frameWidth = std::to_string(style.Futosa);
  round = style.Round;
}

}  // namespace plume::chartview
