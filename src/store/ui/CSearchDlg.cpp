#include "store/ui/CSearchDlg.h"

#include <QCheckBox>
#include <QEvent>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStyle>
#include <QTextCursor>
#include <QTextEdit>

#include "platform/Messages.h"
#include "platform/SettingsTable.h"
#include "store/TextSearch.h"

namespace plume::store {

namespace settings = platform::settings;

CSearchDlg::CSearchDlg(platform::SettingsStore& settings, QTextEdit& target, QWidget* parent)
    : QDialog(parent), settings_(settings), target_(target) {
  setWindowTitle(QStringLiteral("文字列検索"));

  edit_ = new QLineEdit(this);
  edit_->setObjectName(QStringLiteral("searchText"));
  edit_->setText(QString::fromStdString(settings::Get(settings_, settings::Last::SearchText)));
  edit_->installEventFilter(this);
  edit_->setMinimumWidth(260);

  matchCase_ = new QCheckBox(QStringLiteral("大文字・小文字を区別する(&C)"), this);
  matchCase_->setObjectName(QStringLiteral("matchCase"));
  matchCase_->setChecked(settings::Get(settings_, settings::Last::SearchKubetu) == 1);
  wholeWord_ = new QCheckBox(QStringLiteral("単語単位(&W)"), this);
  wholeWord_->setObjectName(QStringLiteral("wholeWord"));
  wholeWord_->setChecked(settings::Get(settings_, settings::Last::SearchTango) == 1);
  connect(matchCase_, &QCheckBox::clicked, this,
          [this](bool on) { settings::Set(settings_, settings::Last::SearchKubetu, on ? 1 : 0); });
  connect(wholeWord_, &QCheckBox::clicked, this,
          [this](bool on) { settings::Set(settings_, settings::Last::SearchTango, on ? 1 : 0); });

  previous_ = new QPushButton(style()->standardIcon(QStyle::SP_ArrowBack), QString(), this);
  previous_->setObjectName(QStringLiteral("previous"));
  previous_->setToolTip(QStringLiteral("前を検索"));
  next_ = new QPushButton(style()->standardIcon(QStyle::SP_ArrowForward), QString(), this);
  next_->setObjectName(QStringLiteral("next"));
  next_->setToolTip(QStringLiteral("次を検索"));
  next_->setDefault(true);
  connect(previous_, &QPushButton::clicked, this, [this] { SearchPrevious(); });
  connect(next_, &QPushButton::clicked, this, [this] { SearchNext(); });

  auto* grid = new QGridLayout(this);
  grid->addWidget(new QLabel(QStringLiteral("検索文字列"), this), 0, 0);
  grid->addWidget(edit_, 0, 1, 1, 2);
  grid->addWidget(previous_, 0, 3);
  grid->addWidget(next_, 0, 4);
  grid->addWidget(matchCase_, 1, 1);
  grid->addWidget(wholeWord_, 1, 2);
  grid->setColumnStretch(1, 1);
  setSizeGripEnabled(false);
}

bool CSearchDlg::eventFilter(QObject* watched, QEvent* event) {
  if (watched == edit_ && event->type() == QEvent::FocusOut) StoreSearchText();
  return QDialog::eventFilter(watched, event);
}

void CSearchDlg::StoreSearchText() {
  settings::Set(settings_, settings::Last::SearchText, edit_->text().toStdString());
}

bool CSearchDlg::SearchNext() { return Search(false); }
bool CSearchDlg::SearchPrevious() { return Search(true); }

bool CSearchDlg::Search(bool backward) {
  // The buttons need not take the focus, so the string is taken here as well.
  StoreSearchText();
  const QString needle = edit_->text();
  // Plain-text indexes and cursor positions agree one to one.
  const std::u16string text = target_.toPlainText().toStdU16String();
  const QTextCursor cursor = target_.textCursor();
  const TextRange selection{static_cast<std::size_t>(cursor.selectionStart()),
                            static_cast<std::size_t>(cursor.selectionEnd())};
  const TextSearchOptions options{matchCase_->isChecked(), wholeWord_->isChecked()};
  const std::u16string needleText = needle.toStdU16String();
  const auto found = backward ? FindPrevious(text, needleText, selection, options)
                              : FindNext(text, needleText, selection, options);
  if (!found) {
    platform::ShowMessage(platform::StringId::SearchTextNotFound, "『" + needle.toStdString() + "』\n",
                          platform::MsgIcon::Error, platform::MsgButtons::Ok, static_cast<const QWidget*>(this));
    return false;
  }
  QTextCursor match(target_.document());
  match.setPosition(static_cast<int>(found->start));
  match.setPosition(static_cast<int>(found->end), QTextCursor::KeepAnchor);
  target_.setTextCursor(match);
  target_.ensureCursorVisible();
  return true;
}

}  // namespace plume::store
