#pragma once
// The kinds of edits the history records, each with the name its undo and
// redo buttons show.

#include <string>
#include <string_view>

namespace plume::document {

enum class EditStep {
  Move,
  Resize,
  DialTurn,
  DialSize,
  Align,
  NewNode,
  NewSlip,
  Arcs,
  DeleteNodes,
  DeleteSlips,
  Paste,
  Text,
  Style,
  Properties,
  DrawingOrder,
  TransparentColour,
  PageAdd,
  PageDelete,
  PageRename,
  PageMove,
  PageColour,
  PageSize,
};

/// The step's name (UTF-8), such as "移動".
std::string_view EditStepName(EditStep step);
/// "移動を元に戻す" and "移動をやり直す": the buttons' tooltips (UTF-8).
std::string UndoCaption(EditStep step);
std::string RedoCaption(EditStep step);

}  // namespace plume::document
