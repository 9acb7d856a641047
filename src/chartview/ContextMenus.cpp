#include "chartview/ContextMenus.h"

#include "chartview/ChartView.h"

namespace plume::chartview {

ContextMenu ContextMenus::View(const document::ChartDocument& doc, const MenuFacts& facts) {
  const bool capturable = facts.htmlTypeWord.empty() || facts.htmlTypeWord == "HTML";
  return {MenuId::View,
          {{kCmdPartialCapture, capturable},
           {kCmdImageCapture, capturable},
           {kCmdImageCapturePart, capturable},
           {kCmdPasteBitmap, facts.clipboardHasBitmap},
           {kCmdPasteText, facts.clipboardHasText},
           {kCmdSelectAllNodes, doc.nodeCount > 0},
           {kCmdSelectAllSlips, doc.slipCount > 0}}};
}

ContextMenu ContextMenus::Node(const document::ChartDocument& doc, int index) {
  const bool picture =
      index >= 0 && index < doc.nodeCount && doc.nodes[index].hasImage != 0 && doc.NodePicture(index) != nullptr;
  int selected = 0;
  for (int i = 0; i < doc.nodeCount; ++i) selected += doc.nodeStates[i].selected ? 1 : 0;
  ContextMenu menu{MenuId::Node, {}};
  menu.items.push_back({kCmdTransparentOff, picture && doc.nodes[index].transColor != document::kNoColor});
  menu.items.push_back({kCmdPickColor, picture});
  for (int c = kCmdPictureFirst; c <= kCmdPictureLast; ++c) menu.items.push_back({c, picture});
  menu.items.push_back({kCmdPictureFile, picture});
  menu.items.push_back({kCmdSwapPair, selected == 2});
  return menu;
}

ContextMenu ContextMenus::Slip(const document::ChartDocument& doc) {
  int selected = 0;
  for (int i = 0; i < doc.slipCount; ++i) selected += doc.slips[i].selected ? 1 : 0;
  return {MenuId::Slip, {{kCmdSwapPair, selected == 2}}};
}

ContextMenu ContextMenus::Sel(int kinds) {
  return {MenuId::Sel, {{kCmdSelectNodesInBand, (kinds & 1) != 0}, {kCmdSelectSlipsInBand, (kinds & 2) != 0}}};
}

ContextMenu ContextMenus::Zoom(const MenuFacts& facts) {
  ContextMenu menu{MenuId::Zoom, {{kCmdConsoleAlwaysShown, true, facts.consoleAlwaysShown}}};
  for (int c = ChartView::kCmdZoom100; c <= ChartView::kCmdZoomFit; ++c) menu.items.push_back({c, true});
  return menu;
}

}  // namespace plume::chartview
