#pragma once
// The palette in the drop-down of a colour button: the usual standard colours
// as swatches, above "その他の色(M)...". Choosing one closes the menu.

#include <QColor>
#include <QWidgetAction>

#include <vector>

namespace plume::shell {

class ColourPalette : public QWidgetAction {
  Q_OBJECT
 public:
  explicit ColourPalette(QObject* parent);
  /// The colours in the palette, row by row.
  static const std::vector<QColor>& Colours();

 signals:
  void picked(const QColor& colour);

 protected:
  QWidget* createWidget(QWidget* parent) override;
};

}  // namespace plume::shell
