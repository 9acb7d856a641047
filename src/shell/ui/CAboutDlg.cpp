#include "shell/ui/CAboutDlg.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>

#include "platform/Messages.h"

namespace plume::shell {

QString CAboutDlg::VersionNotes() {
  QStringList lines;
  for (int id = 30214; id >= 30200; --id) {
    const auto text = platform::StringText(id);
    lines << QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
  }
  return lines.join(QLatin1Char('\n'));
}

CAboutDlg::CAboutDlg(QWidget* parent) : QDialog(parent), notes_(new QPlainTextEdit(this)) {
  setWindowTitle(QStringLiteral("バージョン情報"));
  auto* layout = new QVBoxLayout(this);
  auto* head = new QHBoxLayout;
  auto* icon = new QLabel(this);
  const QIcon appIcon = qApp->windowIcon().isNull() ? style()->standardIcon(QStyle::SP_DesktopIcon) : qApp->windowIcon();
  icon->setPixmap(appIcon.pixmap(48, 48));
  head->addWidget(icon);
  QString heading = QStringLiteral("<b>%1</b>").arg(QString::fromUtf8(platform::kAppTitle));
  if (!QApplication::applicationVersion().isEmpty()) heading += QStringLiteral("<br>Version ") + QApplication::applicationVersion();
  auto* name = new QLabel(heading, this);
  head->addWidget(name, 1);
  layout->addLayout(head);
  notes_->setReadOnly(true);
  notes_->setPlainText(VersionNotes());
  notes_->setMinimumSize(460, 300);
  layout->addWidget(notes_);
  auto* ok = new QPushButton(QStringLiteral("確認 (&Y)"), this);
  ok->setDefault(true);
  auto* row = new QHBoxLayout;
  row->addStretch(1);
  row->addWidget(ok);
  layout->addLayout(row);
  connect(ok, &QPushButton::clicked, this, &QDialog::accept);
}

}  // namespace plume::shell
