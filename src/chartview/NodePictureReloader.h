#pragma once
// Re-renders a picture node's picture at the node's size from its material's
// data file: after a resize (quietly) and from the node properties dialog
// (with messages). The old picture is released only once the new one has
// been loaded and redrawn; after a failure the node keeps its picture (drawn
// stretched to its new size) and its transparency colour.

#include "chartview/MaterialAccess.h"
#include "document/PictureLoader.h"
#include "document/ChartDocument.h"

namespace plume::chartview {

class NodePictureReloader {
 public:
  NodePictureReloader(document::ChartDocument& doc, MaterialAccess& materials, document::PictureLoader& loader)
      : doc_(doc), materials_(materials), loader_(loader) {}

  /// Reloads node `index`. Failures show 30038 (material unknown, data file
  /// missing) or "[サイズ調整]" with 30028 (not loaded or not redrawn) when
  /// `showMessages`; returns false.
  bool ReloadNodePicture(int index, bool showMessages);

 private:
  /// Drops the node's picture; a picture another node still shows is kept in the table.
  void DropPicture(int index);

  document::ChartDocument& doc_;
  MaterialAccess& materials_;
  document::PictureLoader& loader_;
};

}  // namespace plume::chartview
