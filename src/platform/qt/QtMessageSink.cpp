#include "platform/qt/QtMessageSink.h"

#include <QAbstractButton>
#include <QWidget>

namespace plume::platform {
namespace {

QMessageBox::Icon IconOf(MsgIcon icon) {
  switch (icon) {
    case MsgIcon::Error: return QMessageBox::Critical;
    case MsgIcon::Warning: return QMessageBox::Warning;
    case MsgIcon::Question: return QMessageBox::Question;
    case MsgIcon::Information: return QMessageBox::Information;
    case MsgIcon::None: break;
  }
  return QMessageBox::NoIcon;
}

}  // namespace

std::unique_ptr<QMessageBox> QtMessageSink::BuildBox(const MessageRequest& request) {
  auto* parent = static_cast<QWidget*>(const_cast<void*>(request.owner));
  auto box = std::make_unique<QMessageBox>(parent);
  box->setWindowTitle(QString::fromStdString(request.caption));
  box->setText(QString::fromStdString(request.FullText()));
  box->setIcon(IconOf(request.icon));
  switch (request.buttons) {
    case MsgButtons::Ok:
      box->setStandardButtons(QMessageBox::Ok);
      break;
    case MsgButtons::YesNo:
      box->setStandardButtons(QMessageBox::Yes | QMessageBox::No);
      box->setDefaultButton(QMessageBox::Yes);
      break;
    case MsgButtons::YesNoCancel:
      box->setStandardButtons(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
      box->setDefaultButton(QMessageBox::Yes);
      break;
  }
  // Japanese captions whatever the translations loaded: the questions name them.
  const std::pair<QMessageBox::StandardButton, const char*> captions[] = {
      {QMessageBox::Ok, "OK"}, {QMessageBox::Yes, "はい"}, {QMessageBox::No, "いいえ"}, {QMessageBox::Cancel, "キャンセル"}};
  for (const auto& [which, caption] : captions) {
    if (QAbstractButton* button = box->button(which)) button->setText(QString::fromUtf8(caption));
  }
  return box;
}

MsgResult QtMessageSink::ResultOf(int button) {
  switch (button) {
    case QMessageBox::Yes: return MsgResult::Yes;
    case QMessageBox::No: return MsgResult::No;
    case QMessageBox::Cancel: return MsgResult::Cancel;
    default: return MsgResult::Ok;
  }
}

MsgResult QtMessageSink::Show(const MessageRequest& request) {
  auto box = BuildBox(request);
  const int button = box->exec();
  // Closing a question box with Escape or the window button answers Cancel
  // (Yes/No/Cancel) or No (Yes/No), never Yes.
  if (request.buttons == MsgButtons::YesNo && button != QMessageBox::Yes) return MsgResult::No;
  return ResultOf(button);
}

}  // namespace plume::platform
