#pragma once
// The picture preview of a material: the picture fitted into the frame with
// its proportions kept, or "No Image" on white.

#include <QWidget>

#include <memory>

#include "platform/Picture.h"

namespace plume::store {

class MaterialPreview : public QWidget {
  Q_OBJECT
 public:
  explicit MaterialPreview(QWidget* parent = nullptr);
  /// Shows `picture` (null: "No Image") with `transparentColour` (0x00BBGGRR, -1 none) left out.
  void SetPicture(std::unique_ptr<platform::Picture> picture, int transparentColour = -1);
  const platform::Picture* Picture() const { return picture_.get(); }
  /// Whether an empty frame says "No Image" (off: plain white, as for PDF materials).
  void SetNoImageText(bool shown) {
    noImageText_ = shown;
    update();
  }

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  std::unique_ptr<platform::Picture> picture_;
  int transparentColour_ = -1;
  bool noImageText_ = true;
};

}  // namespace plume::store
