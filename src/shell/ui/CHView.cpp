#include "shell/ui/CHView.h"

#include <QMetaObject>
#include <QTimer>
#include <QVBoxLayout>
#include <QWebEngineView>

#include "platform/pdf/PopplerPdfText.h"
#include "platform/web/QtWebView.h"
#include "shell/BlankWebView.h"
#include "shell/HtmlAreaController.h"
#include "shell/ui/CTopBar.h"

namespace plume::shell {

namespace {
QString ToQString(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}
}  // namespace

CHView::CHView(platform::SettingsStore& store, bool useEngine, const std::filesystem::path& storageFolder,
               QWidget* parent)
    : QWidget(parent), pdfText_(std::make_unique<platform::PopplerPdfText>()) {
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  QWidget* content = nullptr;
  if (useEngine) {
    auto engine = std::make_unique<platform::QtWebView>(storageFolder, this);
    engine_ = engine.get();
    content = engine->View();
    web_ = std::move(engine);
  } else {
    web_ = std::make_unique<BlankWebView>();
    content = new QWidget(this);
    content->setAutoFillBackground(true);
    content->setStyleSheet(QStringLiteral("background: white;"));
  }
  const std::filesystem::path scratch =
      scratch_.isValid() ? std::filesystem::path(scratch_.path().toStdString()) : std::filesystem::path();
  controller_ = std::make_unique<HtmlAreaController>(*web_, store, *pdfText_, static_cast<HtmlAreaHost&>(*this), scratch);
  bar_ = new CTopBar(*controller_, store, this);
  layout->addWidget(bar_);
  layout->addWidget(content, 1);
  pdfTimer_ = new QTimer(this);
  pdfTimer_->setInterval(1000);
  connect(pdfTimer_, &QTimer::timeout, this, [this] { controller_->PdfTimerTick(); });
}

CHView::~CHView() {
  // The controller waits for its worker and lets go of the view's events
  // before the view goes.
  controller_.reset();
  web_.reset();
}

void CHView::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  if (started_) return;
  started_ = true;
  controller_->Start(!navigated_);
}

std::string CHView::GetPageType() const { return controller_->GetPageType(); }
std::string CHView::GetPageTitle() const { return controller_->GetPageTitle(); }
std::string CHView::GetLocation() const { return controller_->GetLocation(); }
bool CHView::Navigate(const std::string& address) {
  // An address asked for before the area was first shown replaces the home page.
  navigated_ = true;
  return controller_->Navigate(address);
}

QWebEngineView* CHView::EngineView() const { return engine_ ? engine_->View() : nullptr; }

void CHView::SetTextAreaText(std::string_view text) {
  if (textAreaText) textAreaText(ToQString(text));
}

void CHView::SetAddressField(std::string_view address) { bar_->SetAddress(ToQString(address)); }

void CHView::SetStatusPane(std::string_view text) {
  if (statusPane) statusPane(ToQString(text));
}

void CHView::ShowPageType(std::string_view pageType) {
  if (pageTypeShown) pageTypeShown(ToQString(pageType));
}

void CHView::StartPdfTimer() { pdfTimer_->start(); }

void CHView::StopPdfTimer() { pdfTimer_->stop(); }

void CHView::Post(std::function<void()> task) {
  // Dropped when the area is gone before the task runs.
  QMetaObject::invokeMethod(this, std::move(task), Qt::QueuedConnection);
}

}  // namespace plume::shell
