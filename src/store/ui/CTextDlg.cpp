#include "store/ui/CTextDlg.h"

#include <QHBoxLayout>
#include <QPushButton>
#include <QTextCursor>
#include <QTextEdit>
#include <QTimer>
#include <QVBoxLayout>

#include "platform/SettingsTable.h"
#include "store/RelatedTextFile.h"
#include "store/StoredText.h"
#include "store/ui/DialogPlacement.h"

namespace plume::store {

namespace placement = platform::settings::TextDlg;

CTextDlg::CTextDlg(std::filesystem::path folder, std::filesystem::path file, platform::SettingsStore& settings,
                   QTextEdit* textArea, QWidget* parent)
    : QDialog(parent), folder_(std::move(folder)), file_(std::move(file)), settings_(settings), textArea_(textArea) {
  setWindowTitle(QStringLiteral("関連テキスト"));
  setWindowFlags(windowFlags() | Qt::WindowMaximizeButtonHint | Qt::WindowMinimizeButtonHint);

  auto* takeOver = new QPushButton(QStringLiteral("テキストエリアのテキストをこの下の欄にセットする(&T)"), this);
  takeOver->setObjectName(QStringLiteral("takeOver"));
  takeOver->setEnabled(textArea_ != nullptr);
  auto* clear = new QPushButton(QStringLiteral("テキスト削除(&D)"), this);
  clear->setObjectName(QStringLiteral("clear"));
  auto* save = new QPushButton(QStringLiteral("保存して終了(&H)"), this);
  save->setObjectName(QStringLiteral("save"));
  auto* cancel = new QPushButton(QStringLiteral("中止(&C)"), this);
  cancel->setObjectName(QStringLiteral("cancel"));
  // Enter belongs to the pane: no button is the default.
  for (QPushButton* button : {takeOver, clear, save, cancel}) button->setAutoDefault(false);
  connect(takeOver, &QPushButton::clicked, this, &CTextDlg::TakeOverTextArea);
  connect(clear, &QPushButton::clicked, this, &CTextDlg::ClearPane);
  connect(save, &QPushButton::clicked, this, &CTextDlg::SaveAndClose);
  connect(cancel, &QPushButton::clicked, this, &QDialog::reject);

  pane_ = new QTextEdit(this);
  pane_->setObjectName(QStringLiteral("pane"));
  pane_->setAcceptRichText(false);
  pane_->setFont(QFont(QStringLiteral("Meiryo UI"), 10));

  auto* buttons = new QHBoxLayout;
  buttons->setContentsMargins(6, 6, 6, 4);
  buttons->addWidget(takeOver);
  buttons->addWidget(clear);
  buttons->addStretch(1);
  buttons->addWidget(save);
  buttons->addWidget(cancel);
  // The pane keeps its top and left and fills the rest less one pixel a side.
  auto* column = new QVBoxLayout(this);
  column->setContentsMargins(1, 0, 1, 1);
  column->setSpacing(0);
  column->addLayout(buttons);
  column->addWidget(pane_, 1);

  pane_->setPlainText(QString::fromStdString(FromStoredText(LoadRelatedText(file_))));
  RestorePlacement();
}

void CTextDlg::RestorePlacement() {
  // The designed size is the smallest the user may make the dialog.
  const QSize designed = sizeHint().expandedTo(QSize(480, 240));
  setMinimumSize(designed);
  RestoreDialogPlacement(*this, settings_, placement::Placement, designed, designed);
}

void CTextDlg::StorePlacement() { StoreDialogPlacement(*this, settings_, placement::Placement); }

void CTextDlg::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  if (caretPlaced_) return;
  caretPlaced_ = true;
  // The pane selects its text when it gets the focus; the caret goes to the start afterwards.
  QTimer::singleShot(10, this, [this] {
    pane_->moveCursor(QTextCursor::Start);
    pane_->setFocus();
  });
}

void CTextDlg::TakeOverTextArea() {
  if (!textArea_) return;
  if (!ConfirmTextTakeOver(pane_->toPlainText().isEmpty(), static_cast<const QWidget*>(this))) return;
  pane_->setPlainText(textArea_->toPlainText());
}

void CTextDlg::ClearPane() { pane_->clear(); }

void CTextDlg::SaveAndClose() {
  const std::string bytes = ToStoredText(pane_->toPlainText().toStdString());
  if (SaveRelatedText(folder_, file_, bytes, static_cast<const QWidget*>(this)) == RelatedTextSave::Saved) accept();
}

void CTextDlg::done(int result) {
  StorePlacement();
  QDialog::done(result);
}

}  // namespace plume::store
