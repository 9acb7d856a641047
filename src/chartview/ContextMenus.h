#pragma once
// The right-button menus of the chart view with the state of their items:
// which commands are greyed or checked for the document and the outside
// facts at hand.

#include "commands/CommandTable.h"
#include "chartview/ContextMenu.h"
#include "chartview/ControllerHost.h"
#include "document/ChartDocument.h"

namespace plume::chartview {

class ContextMenus {
 public:
  /// Commands whose state the menus decide.
  static constexpr int kCmdPartialCapture = commands::Id(commands::CommandId::ID_NEW_NODE_VISIBLE_PDF);
  static constexpr int kCmdImageCapture = commands::Id(commands::CommandId::ID_NEW_NODE_HTML_IMAGE);
  static constexpr int kCmdImageCapturePart = commands::Id(commands::CommandId::ID_NEW_NODE_VISIBLE_IMAGE);
  static constexpr int kCmdPasteBitmap = commands::Id(commands::CommandId::ID_NEW_NODE_CLIP_IMAGE);
  static constexpr int kCmdPasteText = commands::Id(commands::CommandId::ID_NEW_SLIP_CLIP_TEXT);
  static constexpr int kCmdSelectAllNodes = commands::Id(commands::CommandId::ID_SELECT_ALL_NODES);
  static constexpr int kCmdSelectAllSlips = commands::Id(commands::CommandId::ID_SELECT_ALL_SLIPS);
  static constexpr int kCmdTransparentOff = commands::Id(commands::CommandId::ID_TRANS_OFF);
  static constexpr int kCmdPickColor = commands::Id(commands::CommandId::ID_TRANS_PICK);
  static constexpr int kCmdPictureFirst = commands::Id(commands::CommandId::ID_TRANS_BLACK);
  static constexpr int kCmdPictureLast = commands::Id(commands::CommandId::ID_TRANS_BLUE);
  static constexpr int kCmdPictureFile = commands::Id(commands::CommandId::ID_PICTURE_SAVE);
  static constexpr int kCmdSwapPair = commands::Id(commands::CommandId::ID_SWAP_PAIR);
  static constexpr int kCmdSelectNodesInBand = commands::Id(commands::CommandId::ID_SEL_NODES);
  static constexpr int kCmdSelectSlipsInBand = commands::Id(commands::CommandId::ID_SEL_SLIPS);
  static constexpr int kCmdConsoleAlwaysShown = commands::Id(commands::CommandId::ID_CONSOLE_ALWAYS);

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
