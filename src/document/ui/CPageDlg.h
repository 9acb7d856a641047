#pragma once
// The page list: one row per page with its name and item counts; a double
// click on a row shows that page and leaves the dialog open.

#include <QDialog>

#include <functional>

class QTableWidget;

namespace plume::document {

class PageTabs;

class CPageDlg : public QDialog {
  Q_OBJECT
 public:
  /// `shown` runs after a double click made a page current.
  CPageDlg(PageTabs& tabs, std::function<void()> shown, QWidget* parent = nullptr);
  QTableWidget* List() const { return list_; }
  /// What a double click on `row` does.
  void ActivateRow(int row);

 private:
  void Fill();

  PageTabs& tabs_;
  std::function<void()> shown_;
  QTableWidget* list_;
};

}  // namespace plume::document
