#pragma once
// The result list of the material search dialog: one row a material, the
// cells kept as their CP932 bytes, a check box in the number column, the text
// around a full-text hit shown as the row's tip.

#include <QTableWidget>

#include <string>

#include "store/SearchRow.h"

namespace plume::store {

class MaterialList : public QTableWidget {
  Q_OBJECT
 public:
  explicit MaterialList(QWidget* parent = nullptr);

  /// Adds `row` at the end, unchecked.
  void AppendRow(const SearchRow& row);
  /// Numbers the rows again from 1 in their present order.
  void Renumber();
  /// Orders the rows by the CP932 text of `column` (stable), keeping their
  /// checks and hit texts, and numbers them again.
  void SortBy(int column, bool ascending);

  /// The CP932 text of a cell; empty for no cell.
  std::string Cell(int row, int column) const;
  bool IsChecked(int row) const;
  void SetChecked(int row, bool checked);
};

}  // namespace plume::store
