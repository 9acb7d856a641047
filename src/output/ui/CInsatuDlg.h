#pragma once
// The print dialog ("印刷"): printer orientation and setup, the range of
// sheets, the margins, and a live preview of one sheet with the paper, its
// shadow, the printable area and draggable dotted margin lines (a
// PrintPreview). The layout maths is output/PrintLayout; printing is ChartPrinter.

#include <QDialog>

#include <functional>

#include "platform/SettingsStore.h"
#include "output/PrintLayout.h"
#include "output/ui/ChartPrinter.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPrinter;
class QRadioButton;
class QSpinBox;

namespace plume::output::ui {

class PrintPreview;

class CInsatuDlg : public QDialog {
  Q_OBJECT
 public:
  /// `printer` is the application's printer (PDF printers in tests); `page`
  /// the current page's size in page units; `paint` draws it.
  CInsatuDlg(QPrinter& printer, platform::SettingsStore& settings, platform::Size page, PagePaint paint,
             QWidget* parent = nullptr);
  ~CInsatuDlg() override;

  // Read by tests and the screenshot tool.
  SheetGrid Grid() const { return grid_; }
  int PreviewSheet() const { return previewSheet_; }
  Margins CurrentMargins() const { return margins_; }
  MinMargins Minimum() const { return min_; }
  QRect PaperRect() const;
  QRect PrintableArea() const;
  QWidget* Preview() const;
  /// The number of sheets the last print produced (-1: not started).
  int SheetsPrinted() const { return printed_; }
  /// Where a print to a PDF file goes when the printer came without a file;
  /// an empty answer prints nothing. Unset: a file chooser asks.
  std::function<QString()> askPdfFile;

 protected:
  void done(int result) override;

 private:
  QWidget* BuildPrinterGroup();
  QWidget* BuildRangeGroup();
  QWidget* BuildMarginGroup();
  QWidget* BuildPreviewGroup();
  void RestorePlacement();
  void StoreOnClose();
  /// Lays out and renders again.
  void Relayout();
  bool Layout();
  void MarginEdited(int index, int value);
  void SheetEdited(int value);
  void RangeChosen(PrintRange range);
  void OrientationChosen(int orientation);
  void SetupPrinter();
  /// 0: the printer the dialog came with, 1: a PDF file.
  void DestinationChosen(int index);
  QString AskPdfFile();
  void Print();
  void ShowPaperName();
  int MinFor(int index) const { return index < 2 ? min_.x : min_.y; }

  QPrinter& printer_;
  platform::SettingsStore& settings_;
  platform::Size page_;
  PagePaint paint_;

  // Controls.
  QRadioButton* portrait_ = nullptr;
  QRadioButton* landscape_ = nullptr;
  QLabel* printerName_ = nullptr;
  QLabel* paperName_ = nullptr;
  QLabel* paperSize_ = nullptr;
  QComboBox* destination_ = nullptr;
  QRadioButton* rangeAll_ = nullptr;
  QRadioButton* rangeCurrent_ = nullptr;
  QRadioButton* rangeFromTo_ = nullptr;
  QLineEdit* first_ = nullptr;
  QLineEdit* last_ = nullptr;
  QCheckBox* allOneBox_ = nullptr;
  QSpinBox* marginSpin_[4] = {};  ///< left, right, top, bottom
  QLabel* gridText_ = nullptr;
  QSpinBox* sheetSpin_ = nullptr;
  QLabel* sheetCount_ = nullptr;
  QCheckBox* showMarginsBox_ = nullptr;
  PrintPreview* preview_ = nullptr;

  // State.
  MinMargins min_;
  Margins margins_;
  float paperW_ = 0.0f;
  float paperH_ = 0.0f;
  SheetGrid grid_;
  int previewSheet_ = 1;
  bool allOne_ = false;
  int orientation_ = 1;
  int paperCode_ = 9;
  bool ready_ = false;  ///< fields are validated only once the dialog is built
  bool layoutOk_ = false;
  int printed_ = -1;
  QString printerChoice_;  ///< the real printer the dialog came with; empty: none
  QString presetPdf_;      ///< the PDF file the printer came with (the tool, tests)
};

}  // namespace plume::output::ui
