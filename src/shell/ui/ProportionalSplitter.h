#pragma once
// Makes a QSplitter share a change of its size among its areas in proportion
// to their sizes, instead of giving it all to one area.

#include <QObject>

class QSplitter;

namespace plume::shell {

class ProportionalSplitter : public QObject {
  Q_OBJECT
 public:
  /// Watches `splitter`; the watcher lives as long as the splitter.
  static void Keep(QSplitter* splitter);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  explicit ProportionalSplitter(QSplitter* splitter);
  QSplitter* splitter_;
};

}  // namespace plume::shell
