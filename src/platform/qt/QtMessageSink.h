#pragma once
// Messages shown as modal QMessageBoxes with the application title as caption.

#include <QMessageBox>
#include <memory>

#include "platform/MessageSink.h"

namespace plume::platform {

class QtMessageSink : public MessageSink {
 public:
  MsgResult Show(const MessageRequest& request) override;

  /// The box Show() runs, set up but not shown (owner: the window behind
  /// request.owner, a QWidget*, or none).
  static std::unique_ptr<QMessageBox> BuildBox(const MessageRequest& request);
  /// The MsgResult for a QMessageBox button.
  static MsgResult ResultOf(int button);
};

}  // namespace plume::platform
