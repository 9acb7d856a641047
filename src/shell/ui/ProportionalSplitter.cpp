#include "shell/ui/ProportionalSplitter.h"

#include <QResizeEvent>
#include <QSplitter>

#include "shell/AreaLayout.h"

namespace plume::shell {

ProportionalSplitter::ProportionalSplitter(QSplitter* splitter) : QObject(splitter), splitter_(splitter) {
  splitter->installEventFilter(this);
}

void ProportionalSplitter::Keep(QSplitter* splitter) { new ProportionalSplitter(splitter); }

bool ProportionalSplitter::eventFilter(QObject* watched, QEvent* event) {
  if (watched != splitter_ || event->type() != QEvent::Resize) return false;
  // The areas still have their old sizes here; the splitter lays them out
  // right after, keeping sizes that already fill it.
  const QSize size = static_cast<QResizeEvent*>(event)->size();
  const int extent = splitter_->orientation() == Qt::Horizontal ? size.width() : size.height();
  const int handles = splitter_->handleWidth() * std::max(0, static_cast<int>(splitter_->count()) - 1);
  if (extent - handles <= 0) return false;  // nothing to share: keep the proportions for later
  const QList<int> old = splitter_->sizes();
  const std::vector<int> shared = ShareInProportion(std::vector<int>(old.begin(), old.end()), extent - handles);
  splitter_->setSizes(QList<int>(shared.begin(), shared.end()));
  return false;
}

}  // namespace plume::shell
