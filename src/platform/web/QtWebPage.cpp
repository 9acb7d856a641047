#include "platform/web/QtWebPage.h"

#include <QCheckBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QSet>
#include <QVBoxLayout>
#include <QWebEngineView>
#include <QWidget>

#include "platform/Messages.h"

namespace plume::platform {

namespace {

/// Schemes a top-level page may show.
bool IsPageScheme(const QString& scheme) {
  static const QSet<QString> kSchemes{QStringLiteral("http"), QStringLiteral("https"), QStringLiteral("file"),
                                      QStringLiteral("about"), QStringLiteral("data"), QStringLiteral("blob")};
  return kSchemes.contains(scheme);
}

/// Schemes the engine uses inside a page (its PDF viewer among them); none
/// of them hands the address to another program.
bool IsFrameScheme(const QString& scheme) {
  static const QSet<QString> kSchemes{QStringLiteral("chrome"), QStringLiteral("chrome-extension"),
                                      QStringLiteral("qrc"), QStringLiteral("javascript")};
  return IsPageScheme(scheme) || kSchemes.contains(scheme);
}

QString Text(StringId id) {
  const std::string_view text = StringText(id);
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace

QtWebPage::QtWebPage(QWebEngineProfile* profile, QObject* parent) : QWebEnginePage(profile, parent) {
  // A new page on show starts with its dialogs allowed again.
  connect(this, &QWebEnginePage::loadStarted, this, [this] {
    silenced_ = false;
    dialogsShown_ = 0;
  });
}

bool QtWebPage::MayNavigate(const QUrl& from, const QUrl& to, NavigationType type, bool isMainFrame) {
  const QString scheme = to.scheme().toLower();
  if (!(isMainFrame ? IsPageScheme(scheme) : IsFrameScheme(scheme))) return false;
  // Local files are reached only from local pages or by the program itself
  // (address field, bookmarks, history).
  if (scheme == QLatin1String("file")) {
    const bool fromLocal = from.isEmpty() || from.isLocalFile() || from.scheme() == QLatin1String("about");
    return fromLocal || type == NavigationTypeTyped || type == NavigationTypeBackForward;
  }
  return true;
}

bool QtWebPage::acceptNavigationRequest(const QUrl& url, NavigationType type, bool isMainFrame) {
  if (MayNavigate(this->url(), url, type, isMainFrame)) return true;
  if (refused) refused(url);
  return false;
}

void QtWebPage::javaScriptConsoleMessage(JavaScriptConsoleMessageLevel, const QString&, int, const QString&) {}

void QtWebPage::javaScriptAlert(const QUrl& origin, const QString& message) {
  if (!DialogsRefused()) AskUser(DialogKind::Alert, origin, message, nullptr);
}

bool QtWebPage::javaScriptConfirm(const QUrl& origin, const QString& message) {
  return !DialogsRefused() && AskUser(DialogKind::Confirm, origin, message, nullptr);
}

bool QtWebPage::javaScriptPrompt(const QUrl& origin, const QString& message, const QString& defaultValue,
                                 QString* result) {
  if (DialogsRefused() || result == nullptr) return false;
  *result = defaultValue;
  return AskUser(DialogKind::Prompt, origin, message, result);
}

bool QtWebPage::AskUser(DialogKind kind, const QUrl& origin, const QString& message, QString* text) {
  QPointer<QtWebPage> self(this);
  QWidget* owner = QWebEngineView::forPage(this);
  QDialog dialog(owner != nullptr ? owner->window() : nullptr);
  dialog.setWindowTitle(origin.host().isEmpty() ? QString::fromUtf8(kAppTitle) : origin.host());
  auto* layout = new QVBoxLayout(&dialog);
  auto* label = new QLabel(message, &dialog);
  label->setTextFormat(Qt::PlainText);
  label->setWordWrap(true);
  layout->addWidget(label);
  QLineEdit* edit = nullptr;
  if (kind == DialogKind::Prompt) {
    edit = new QLineEdit(*text, &dialog);
    layout->addWidget(edit);
  }
  // From the second dialog of a page on: the way out of a page that never stops asking.
  QCheckBox* stop = nullptr;
  if (++dialogsShown_ > 1) {
    stop = new QCheckBox(Text(StringId::NoMoreDialogs), &dialog);
    layout->addWidget(stop);
  }
  auto* buttons = new QDialogButtonBox(&dialog);
  buttons->addButton(QStringLiteral("OK"), QDialogButtonBox::AcceptRole);
  if (kind != DialogKind::Alert) buttons->addButton(QStringLiteral("キャンセル"), QDialogButtonBox::RejectRole);
  connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
  layout->addWidget(buttons);
  const bool accepted = dialog.exec() == QDialog::Accepted;
  if (!self) return false;
  if (stop != nullptr && stop->isChecked()) silenced_ = true;
  if (edit != nullptr && accepted) *text = edit->text();
  return accepted;
}

}  // namespace plume::platform
