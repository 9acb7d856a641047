#include "store/ui/CEditDlg.h"

#include <QEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "store/StoredText.h"

namespace plume::store {

CEditDlg::CEditDlg(EditMode mode, std::string& buffer, QWidget* parent)
    : QDialog(parent), mode_(mode), buffer_(buffer) {
  setWindowTitle(QStringLiteral("テキストの編集"));
  setWindowFlags(windowFlags() | Qt::WindowMaximizeButtonHint);

  edit_ = new QPlainTextEdit(this);
  edit_->setObjectName(QStringLiteral("edit"));
  edit_->setPlainText(QString::fromStdString(FromStoredText(buffer_)));
  edit_->installEventFilter(this);
  counter_ = new QLabel(this);
  counter_->setObjectName(QStringLiteral("counter"));

  auto* save = new QPushButton(QStringLiteral("保存終了(&S)"), this);
  save->setObjectName(QStringLiteral("save"));
  auto* cancel = new QPushButton(QStringLiteral("中止(&C)"), this);
  cancel->setObjectName(QStringLiteral("cancel"));
  // Enter makes a new line in the edit; saving is a deliberate click.
  save->setAutoDefault(false);
  cancel->setAutoDefault(false);
  connect(save, &QPushButton::clicked, this, &CEditDlg::SaveAndClose);
  connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
  connect(edit_, &QPlainTextEdit::textChanged, this, &CEditDlg::UpdateCounter);

  auto* bottom = new QHBoxLayout;
  bottom->addWidget(counter_);
  bottom->addStretch(1);
  bottom->addWidget(save);
  bottom->addWidget(cancel);
  auto* column = new QVBoxLayout(this);
  column->setContentsMargins(6, 6, 6, 6);
  column->addWidget(edit_, 1);
  column->addLayout(bottom);
  resize(mode_ == EditMode::Title ? QSize(420, 180) : QSize(480, 320));
  UpdateCounter();
}

QString CEditDlg::CounterText() const { return counter_->text(); }

void CEditDlg::UpdateCounter() {
  const std::size_t bytes = ToStoredText(edit_->toPlainText().toStdString()).size();
  counter_->setText(QString::fromStdString(EditCounterText(mode_, bytes)));
}

bool CEditDlg::eventFilter(QObject* watched, QEvent* event) {
  if (watched == edit_ && event->type() == QEvent::FocusIn) UpdateCounter();
  return QDialog::eventFilter(watched, event);
}

void CEditDlg::SaveAndClose() {
  auto text = AcceptEditedText(mode_, edit_->toPlainText().toStdString(), static_cast<const QWidget*>(this));
  if (!text) {
    edit_->setFocus();
    return;
  }
  buffer_ = std::move(*text);
  accept();
}

}  // namespace plume::store
