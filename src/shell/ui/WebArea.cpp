#include "shell/ui/WebArea.h"

#include <QVBoxLayout>
#include <QWebEngineSettings>
#include <QWebEngineView>

namespace plume::shell {

WebArea::WebArea(bool useEngine, QWidget* parent) : QWidget(parent) {
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  if (useEngine) {
    auto* view = new QWebEngineView(this);
    view->settings()->setAttribute(QWebEngineSettings::PluginsEnabled, true);
    view->settings()->setAttribute(QWebEngineSettings::PdfViewerEnabled, true);
    engine_ = view;
    layout->addWidget(view);
  } else {
    auto* blank = new QWidget(this);
    blank->setAutoFillBackground(true);
    blank->setStyleSheet(QStringLiteral("background: white;"));
    layout->addWidget(blank);
  }
}

void WebArea::Load(const QUrl& url) {
  url_ = url;
  if (auto* view = qobject_cast<QWebEngineView*>(engine_)) view->load(url);
}

QString WebArea::Title() const {
  if (auto* view = qobject_cast<QWebEngineView*>(engine_)) return view->title();
  return {};
}

}  // namespace plume::shell
