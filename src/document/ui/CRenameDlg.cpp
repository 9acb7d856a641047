#include "document/ui/CRenameDlg.h"

#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>

#include "document/PageTabs.h"
#include "platform/Cp932.h"
#include "platform/qt/QtConvert.h"

namespace plume::document {

CRenameDlg::CRenameDlg(const QString& initial, QPoint anchor, QWidget* parent)
    : QDialog(parent), edit_(new QLineEdit(initial, this)), anchor_(anchor) {
  setWindowTitle(QStringLiteral("名前の入力"));
  auto* ok = new QPushButton(QStringLiteral("OK(&S)"), this);
  ok->setDefault(true);
  auto* layout = new QHBoxLayout(this);
  layout->addWidget(edit_, 1);
  layout->addWidget(ok);
  edit_->setMinimumWidth(260);
  edit_->selectAll();
  connect(ok, &QPushButton::clicked, this, &CRenameDlg::accept);
}

QString CRenameDlg::Text() const { return edit_->text(); }

void CRenameDlg::accept() {
  if (const auto refusal = PageTabs::CheckName(platform::ToCp932(edit_->text()))) {
    platform::ShowMessage(*refusal, {}, platform::MsgIcon::Error, platform::MsgButtons::Ok, this);
    edit_->setFocus();
    return;
  }
  QDialog::accept();
}

void CRenameDlg::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  if (!anchor_.isNull()) move(anchor_.x(), anchor_.y() - frameGeometry().height());
  edit_->setFocus();
}

}  // namespace plume::document
