#include "store/ui/IndexStatusLabel.h"

#include <QLocale>
#include <QTimer>

#include "platform/Messages.h"
#include "store/index/IndexService.h"

namespace plume::store {

namespace {

QString Text(platform::StringId id) {
  const std::string_view text = platform::StringText(id);
  return QString::fromUtf8(text.data(), static_cast<int>(text.size()));
}

QString Count(std::int64_t n) { return QLocale(QLocale::C).toString(static_cast<qlonglong>(n)); }

}  // namespace

IndexStatusLabel::IndexStatusLabel(index::IndexService& index, QWidget* parent) : QLabel(parent), index_(index) {
  setObjectName(QStringLiteral("INDEX"));
  auto* timer = new QTimer(this);
  connect(timer, &QTimer::timeout, this, &IndexStatusLabel::Refresh);
  timer->start(500);
}

void IndexStatusLabel::Refresh() {
  const index::KeeperStatus status = index_.Status();
  if (status.walking) {
    setText(Text(platform::StringId::IndexUpdating) + QStringLiteral(" %1 / %2").arg(Count(status.walked), Count(status.total)));
  } else if (status.readingBodies) {
    setText(Text(platform::StringId::IndexReadingBodies) +
            QStringLiteral(" %1 / %2").arg(Count(status.bodiesDone), Count(status.materials)));
  } else {
    setText(QString());
  }
}

}  // namespace plume::store
