#include "document/EditStep.h"

namespace plume::document {

std::string_view EditStepName(EditStep step) {
  switch (step) {
    case EditStep::Move: return "移動";
    case EditStep::Resize: return "サイズ変更";
    case EditStep::DialTurn: return "ダイヤルの回転";
    case EditStep::DialSize: return "ダイヤルの大きさの変更";
    case EditStep::Align: return "配置";
    case EditStep::NewNode: return "ノードの追加";
    case EditStep::NewSlip: return "付箋の追加";
    case EditStep::Arcs: return "アークの変更";
    case EditStep::DeleteNodes: return "ノードの削除";
    case EditStep::DeleteSlips: return "付箋の削除";
    case EditStep::Paste: return "貼り付け";
    case EditStep::Text: return "テキストの編集";
    case EditStep::Style: return "スタイルの変更";
    case EditStep::Properties: return "プロパティの変更";
    case EditStep::DrawingOrder: return "表示順の入れ替え";
    case EditStep::TransparentColour: return "透過色の変更";
    case EditStep::PageAdd: return "ページの追加";
    case EditStep::PageDelete: return "ページの削除";
    case EditStep::PageRename: return "ページ名の変更";
    case EditStep::PageMove: return "ページの移動";
    case EditStep::PageColour: return "ページの色の変更";
    case EditStep::PageSize: return "ページサイズの変更";
  }
  return "編集";
}

std::string UndoCaption(EditStep step) { return std::string(EditStepName(step)) + "を元に戻す"; }

std::string RedoCaption(EditStep step) { return std::string(EditStepName(step)) + "をやり直す"; }

}  // namespace plume::document
