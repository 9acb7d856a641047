#pragma once
// "データのプロパティ": what the store knows about one material of the search
// list: its values, a preview, its owners, and its folder, related text and
// source.

#include <QDialog>

#include <array>
#include <string>
#include <vector>

#include "platform/Picture.h"
#include "platform/SettingsStore.h"
#include "store/MaterialStore.h"
#include "store/ui/DbDlgHooks.h"

class QTableWidget;

namespace plume::store {

class MaterialPreview;

/// The eight values copied from a search row and the owners (CP932).
struct DataProperties {
  /// type word, serial text, title, size in KB, width, height, capture date, source
  std::array<std::string, 8> values;
  std::vector<std::string> owners;
};

class CPropertyData : public QDialog {
  Q_OBJECT
 public:
  static constexpr int kMaxOwners = 100;

  /// `pictures` decodes the preview; it must outlive the dialog.
  CPropertyData(DataProperties props, MaterialStore& store, platform::SettingsStore& settings,
                const platform::PictureCodec& pictures, DbDlgHooks hooks, QWidget* parent = nullptr);

  QTableWidget* Owners() const { return owners_; }
  const MaterialPreview* Preview() const { return preview_; }

  /// 1024: the source in the HTML area (nothing when empty).
  void ShowSource();
  /// 1002: the material's storage folder in the file manager, or 30061.
  void OpenStorageFolder();
  /// 1005: the related text dialog.
  void ShowRelatedText();

 private:
  DataProperties props_;
  MaterialStore& store_;
  platform::SettingsStore& settings_;
  DbDlgHooks hooks_;
  QTableWidget* owners_ = nullptr;
  MaterialPreview* preview_ = nullptr;
};

}  // namespace plume::store
