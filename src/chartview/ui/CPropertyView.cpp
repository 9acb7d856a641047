#include "chartview/ui/CPropertyView.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QLocale>
#include <QPushButton>
#include <QVBoxLayout>

#include "chartview/ViewProperties.h"
#include "chartview/ui/PageSizeSpinBox.h"

namespace plume::chartview {

CPropertyView::CPropertyView(int width, int height, QWidget* parent)
    : QDialog(parent), width_(new PageSizeSpinBox(this)), height_(new PageSizeSpinBox(this)) {
  setWindowTitle(QStringLiteral("プロパティ"));
  width_->setObjectName(QStringLiteral("viewWidth"));
  height_->setObjectName(QStringLiteral("viewHeight"));
  width_->setValue(width);
  height_->setValue(height);

  auto* grid = new QGridLayout;
  const QLocale grouped(QLocale::English);
  const QString range = QStringLiteral("(%1 ～ %2)")
                            .arg(grouped.toString(ViewProperties::kMinSize), grouped.toString(ViewProperties::kMaxSize));
  int row = 0;
  for (auto [caption, edit] : {std::pair{QStringLiteral("1 ビューの幅"), width_},
                               std::pair{QStringLiteral("2 ビューの高さ"), height_}}) {
    auto* label = new QLabel(caption, this);
    label->setBuddy(edit);
    edit->setMinimumWidth(90);
    grid->addWidget(label, row, 0);
    grid->addWidget(edit, row, 1);
    grid->addWidget(new QLabel(range, this), row, 2);
    ++row;
  }
  auto* buttons = new QDialogButtonBox(this);
  buttons->addButton(QStringLiteral("保存終了(&S)"), QDialogButtonBox::AcceptRole)->setDefault(true);
  buttons->addButton(QStringLiteral("中止(&C)"), QDialogButtonBox::RejectRole);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

  auto* column = new QVBoxLayout(this);
  column->addLayout(grid);
  column->addSpacing(8);
  column->addWidget(buttons);
}

int CPropertyView::PageWidth() const { return width_->value(); }
int CPropertyView::PageHeight() const { return height_->value(); }

bool CPropertyView::EditPage(document::ChartDocument& doc, float zoom, QWidget* parent) {
  const document::PageRecord& page = doc.CurrentPage();
  CPropertyView dialog(page.pageWidth, page.pageHeight, parent);
  if (dialog.exec() != QDialog::Accepted) return false;
  return ViewProperties::Apply(doc, dialog.PageWidth(), dialog.PageHeight(), zoom);
}

}  // namespace plume::chartview
