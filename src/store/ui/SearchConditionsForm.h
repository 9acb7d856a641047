#pragma once
// The conditions part of the material search dialog: type, capture dates,
// text and the full-text choice. Its controls belong to the dialog; the last
// search's conditions are kept in the section Kensaku.

#include "platform/SettingsStore.h"
#include "store/SearchRules.h"

class QCheckBox;
class QComboBox;
class QDateEdit;
class QGridLayout;
class QLineEdit;
class QWidget;

namespace plume::platform {
class BalloonTip;
}

namespace plume::store {

class SearchConditionsForm {
 public:
  /// Makes the controls as children of `owner`; the full-text choice is
  /// offered only when `fullTextOffered`.
  SearchConditionsForm(QWidget& owner, bool fullTextOffered);

  /// Shows the stored conditions of the last search.
  void Restore(platform::SettingsStore& settings);
  /// The conditions shown, stored as the last search's.
  SearchConditions Take(platform::SettingsStore& settings) const;
  /// Lays out the rows "1 種別" to "3 テキスト" as rows 0 to 2 of `grid`.
  void AddTo(QGridLayout& grid) const;
  /// Shows the controls' tips through `tip`.
  void WatchTips(platform::BalloonTip& tip) const;

 private:
  QWidget& owner_;
  QComboBox* types_ = nullptr;
  QCheckBox* hasDate1_ = nullptr;
  QCheckBox* hasDate2_ = nullptr;
  QDateEdit* date1_ = nullptr;
  QDateEdit* date2_ = nullptr;
  QLineEdit* text_ = nullptr;
  QCheckBox* fullText_ = nullptr;
};

}  // namespace plume::store
