#pragma once
// The browser bar over the HTML area: back, forward, stop, home, set home,
// larger and smaller text, the bookmark menu, go and the address field, each
// with its tooltip. Every action goes to the HTML area's controller.

#include <QWidget>

#include <map>

class QLineEdit;
class QMenu;
class QToolButton;

namespace plume::platform {
class SettingsStore;
}

namespace plume::shell {

class HtmlAreaController;

class CTopBar : public QWidget {
  Q_OBJECT
 public:
  /// Control ids of the bar.
  enum Control {
    kAddress = 1000,
    kBack = 1004,
    kForward = 1005,
    kGo = 1006,
    kStop = 1007,
    kHome = 1008,
    kSetHome = 1009,
    kBookmarks = 1010,
    kLarger = 1011,
    kSmaller = 1012,
  };

  CTopBar(HtmlAreaController& area, platform::SettingsStore& store, QWidget* parent = nullptr);

  /// The button of `id`, or nullptr (the address field is AddressField()).
  QToolButton* Button(int id) const;
  QLineEdit* AddressField() const { return address_; }
  void SetAddress(const QString& address);

  /// The bookmark menu: one entry per bookmark (command 9000 + slot) with
  /// its shortened caption, then "現頁を追加 (削除 Ctrl+Click)" (9099). The
  /// caller owns it.
  QMenu* BuildBookmarkMenu();
  /// Runs a bookmark menu command; with Ctrl held a bookmark entry is deleted.
  void RunBookmarkCommand(int id, bool ctrlHeld);

 private:
  QToolButton* AddButton(int id, const QIcon& icon);
  void ShowBookmarkMenu();

  HtmlAreaController& area_;
  platform::SettingsStore& store_;
  std::map<int, QToolButton*> buttons_;
  QLineEdit* address_ = nullptr;
};

}  // namespace plume::shell
