#pragma once
// The right-button menus of the chart view with the state of their items:
// which commands are greyed or checked for the document and the outside
// facts at hand.

#include "chartview/ContextMenu.h"
#include "chartview/ControllerHost.h"
#include "document/ChartDocument.h"

namespace plume::chartview {

class ContextMenus {
 public:
  /// Commands whose state the menus decide.
  static constexpr int kCmdPartialCapture = 32798;
  static constexpr int kCmdImageCapture = 32825;
  static constexpr int kCmdImageCapturePart = 32826;
  static constexpr int kCmdPasteBitmap = 32786;
  static constexpr int kCmdPasteText = 32868;
  static constexpr int kCmdSelectAllNodes = 32784;
  static constexpr int kCmdSelectAllSlips = 32857;
  static constexpr int kCmdTransparentOff = 399;
  static constexpr int kCmdPickColor = 372;
  static constexpr int kCmdPictureFirst = 374;
  static constexpr int kCmdPictureLast = 378;
  static constexpr int kCmdPictureFile = 403;
  static constexpr int kCmdSwapPair = 32797;
  static constexpr int kCmdSelectNodesInBand = 32862;
  static constexpr int kCmdSelectSlipsInBand = 32863;
  static constexpr int kCmdConsoleAlwaysShown = 335;

  /// VIEW: the captures greyed unless the HTML area shows a web page or
  /// nothing; the pastes greyed without clipboard content; select-all greyed
  /// without items (counted over all pages).
  static ContextMenu View(const document::ChartDocument& doc, const MenuFacts& facts);
  /// NODE for node `index`: the picture commands greyed when it shows no
  /// picture (399 also without a transparent colour); 32797 unless exactly
  /// two nodes are selected.
  static ContextMenu Node(const document::ChartDocument& doc, int index);
  /// SLIP: 32797 unless exactly two slips are selected.
  static ContextMenu Slip(const document::ChartDocument& doc);
  /// SEL: each kind greyed unless the rubber band caught it (`kinds` 1, 2, 3).
  static ContextMenu Sel(int kinds);
  /// ZOOM: 335 checked while the console is always shown.
  static ContextMenu Zoom(const MenuFacts& facts);
};

}  // namespace plume::chartview
