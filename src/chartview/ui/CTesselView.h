#pragma once
// The chart area: a scroll area over the current page. For now it paints the
// page as a white area of the page's size; the page painter takes over here.

#include <QAbstractScrollArea>

namespace plume::document {
class ChartDocument;
}

namespace plume::chartview {

class CTesselView : public QAbstractScrollArea {
  Q_OBJECT
 public:
  explicit CTesselView(QWidget* parent = nullptr);

  /// The document whose current page is shown; nullptr shows nothing.
  void SetDocument(const document::ChartDocument* doc);
  /// Takes the page size and the stored scroll position of the current page.
  void ShowCurrentPage();
  /// Scroll position in screen pixels.
  QPoint ScrollPosition() const;
  void ScrollTo(QPoint position);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

 private:
  QSize PageSize() const;
  void UpdateRanges();

  const document::ChartDocument* doc_ = nullptr;
};

}  // namespace plume::chartview
