#pragma once
// "ノードのプロパティ": the focused node's master file, source and sizes, the
// commands that resize the node from its master file, and the node's title
// position and transparent colour, changed here directly.

#include <QDialog>

#include <filesystem>
#include <functional>
#include <optional>

#include "document/ChartDocument.h"
#include "platform/SettingsStore.h"
#include "store/MaterialStore.h"
#include "store/ui/DbDlgHooks.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace plume::store {

class MaterialPreview;

/// What the node dialog needs of the chart.
struct NodeDialogHooks {
  /// Re-renders node `index`'s picture from its master file at its size (with messages).
  std::function<bool(int index)> reloadPicture;
  /// Redraws the chart and marks the document modified.
  std::function<void()> chartChanged;
};

class CPropertyNode : public QDialog {
  Q_OBJECT
 public:
  CPropertyNode(document::ChartDocument& doc, int index, MaterialStore& store, platform::SettingsStore& settings,
                DbDlgHooks hooks, NodeDialogHooks chart, QWidget* parent = nullptr);

  /// 1001: reload at the node's current size.
  void ReloadAtCurrentSize();
  /// 1003: the node's width from its height and the master file's ratio.
  void MatchMasterRatio();
  /// 1004: the node as large as the master file.
  void MatchMasterSize();
  /// Title position chosen (0..2): given to every selected node.
  void SetTitlePos(int pos);
  /// Transparent colour chosen (0x00BBGGRR, -1 none).
  void SetTransColor(document::ColorRef colour);

  QLabel* Field(int id) const;

 private:
  void ShowPictureSizes();
  void ShowTransColor();
  void RefreshPreview();
  void ResizeTo(const document::Rect& rect);
  QSize MasterSize() const;

  document::ChartDocument& doc_;
  int index_;
  MaterialStore& store_;
  platform::SettingsStore& settings_;
  DbDlgHooks hooks_;
  NodeDialogHooks chart_;
  std::optional<std::filesystem::path> root_;  ///< the store root, resolved once
  std::filesystem::path folder_;
  std::filesystem::path master_;
  bool masterExists_ = false;
  QWidget* pictureSection_ = nullptr;
  MaterialPreview* preview_ = nullptr;
  QComboBox* titlePos_ = nullptr;
  QPushButton* colourButton_ = nullptr;
  QPushButton* resize_[3] = {};
};

}  // namespace plume::store
