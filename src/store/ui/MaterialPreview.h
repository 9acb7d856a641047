#pragma once
// The picture preview of a material: the picture fitted into the frame with
// its proportions kept, or "No Image" on white.

#include <QFont>
#include <QWidget>

#include <memory>

#include "platform/Picture.h"
#include "platform/qt/QtScratchSurface.h"

namespace plume::store {

class MaterialPreview : public QWidget {
  Q_OBJECT
 public:
  explicit MaterialPreview(QWidget* parent = nullptr);
  /// Shows `picture` (null: "No Image") with `transparentColour` (0x00BBGGRR, -1 none) left out.
  void SetPicture(std::unique_ptr<platform::Picture> picture, int transparentColour = -1);
  const platform::Picture* Picture() const { return picture_.get(); }
  /// A node's look around the picture: a border (alpha 0 for none) and the
  /// title drawn on one line above (1) or below (2) the picture.
  void SetNodeLook(QColor border, QString title, QFont font, QColor textColour, Qt::Alignment align, int titlePos) {
    border_ = border;
    title_ = std::move(title);
    titleFont_ = font;
    titleColour_ = textColour;
    titleAlign_ = align;
    titlePos_ = titlePos;
    update();
  }
  /// Whether an empty frame says "No Image" (off: plain white, as for PDF materials).
  void SetNoImageText(bool shown) {
    noImageText_ = shown;
    update();
  }

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  std::unique_ptr<platform::Picture> picture_;
  platform::QtScratchSurface scratch_;
  int transparentColour_ = -1;
  bool noImageText_ = true;
  QColor border_ = Qt::black;
  QString title_;
  QFont titleFont_;
  QColor titleColour_;
  Qt::Alignment titleAlign_ = Qt::AlignLeft;
  int titlePos_ = 0;
};

}  // namespace plume::store
