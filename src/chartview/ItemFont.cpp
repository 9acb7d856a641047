#include "chartview/ItemFont.h"

#include <cstdlib>

#include "chartview/CanvasText.h"
#include "chartview/CoordinateMapping.h"
#include "platform/Cp932.h"

namespace plume::chartview {

int FontHeightForPoints(int points, int dpiY) {
  const long long product = static_cast<long long>(points) * dpiY;
  const long long rounded = (std::llabs(product) + 36) / 72;
  return static_cast<int>(product < 0 ? rounded : -rounded);
}

platform::FontSpec SelectItemFont(const document::ItemStyle& style, float zoom, const platform::Canvas& target) {
  platform::FontSpec font;
  const std::string_view face = platform::FieldText(style.FontName);
  font.face = face.empty() ? std::string(kDefaultFace) : ToCanvasText(face);
  font.weight = style.FontBold ? 700 : 400;
  const int points = target.IsPrinter() ? style.FontSize : ZoomLength(style.FontSize, zoom);
  font.height = FontHeightForPoints(points, target.DpiY());
  return font;
}

}  // namespace plume::chartview
