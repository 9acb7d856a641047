#pragma once
// The HTML area: a web engine view, or (in tests and where the web engine
// cannot run) a blank stand-in that only remembers the address.

#include <QUrl>
#include <QWidget>

namespace plume::shell {

class WebArea : public QWidget {
  Q_OBJECT
 public:
  /// `useEngine` false: no web engine is started.
  explicit WebArea(bool useEngine, QWidget* parent = nullptr);
  /// Shows the page or file at `url` (PDF files through the built-in viewer).
  void Load(const QUrl& url);
  /// The address on show.
  QUrl Url() const { return url_; }
  /// The title of the page on show (empty without the web engine).
  QString Title() const;
  bool UsesEngine() const { return engine_ != nullptr; }

 private:
  QWidget* engine_ = nullptr;
  QUrl url_;
};

}  // namespace plume::shell
