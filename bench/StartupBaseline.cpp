// The yardstick for plumeboard's start-up: a minimal Qt program that shows an
// empty web engine view and prints the time from main() to its first painted
// frame, as "plumeboard --timing" does. Run both under the same display:
//   startup_baseline ; plumeboard --timing --screenshot /tmp/x.png
#include <QApplication>
#include <QElapsedTimer>
#include <QEvent>
#include <QTimer>
#include <QWebEngineView>

#include <cstdio>

namespace {
class FirstPaint : public QObject {
 public:
  explicit FirstPaint(const QElapsedTimer& clock) : clock_(clock) {}
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::Paint && !done_) {
      done_ = true;
      std::printf("first painted frame after %lld ms\n", static_cast<long long>(clock_.elapsed()));
      std::fflush(stdout);
      QTimer::singleShot(0, qApp, &QCoreApplication::quit);
    }
    return QObject::eventFilter(watched, event);
  }

 private:
  const QElapsedTimer& clock_;
  bool done_ = false;
};
}  // namespace

int main(int argc, char** argv) {
  QElapsedTimer clock;
  clock.start();
  QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
  QApplication app(argc, argv);
  FirstPaint firstPaint(clock);
  app.installEventFilter(&firstPaint);
  QWebEngineView view;
  view.resize(1280, 800);
  view.show();
  return QApplication::exec();
}
