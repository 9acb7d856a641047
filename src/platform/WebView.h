#pragma once
// The embedded web browser as the HTML area uses it: navigation, the address
// and title on show, the text size, the page's plain text and downloads with
// the browser's own cookies, and the events it reports. Addresses and texts
// are UTF-8. The rules built on it (page type, bookmarks, home page, the
// text area hand-over) see only this interface.

#include <filesystem>
#include <functional>
#include <string>

namespace plume::platform {

class WebView {
 public:
  virtual ~WebView() = default;

  /// Starts loading `address` (an absolute address; a local file as file://).
  virtual void Navigate(const std::string& address) = 0;
  virtual void Back() = 0;
  virtual void Forward() = 0;
  /// Stops the load in progress; nothing when none is.
  virtual void Stop() = 0;
  virtual void Reload() = 0;
  virtual bool CanGoBack() const = 0;
  virtual bool CanGoForward() const = 0;

  /// The address on show (empty before the first load).
  virtual std::string Address() const = 0;
  /// The page's title as the browser reports it (the address when it has none).
  virtual std::string Title() const = 0;

  /// Text size in five steps, 0 (smallest) to 4 (largest); 3 is the normal size.
  virtual void SetTextSize(int level) = 0;

  /// The plain text of the page on show, as select-all and copy would give it,
  /// lines ended by "\n"; `done` runs later on the calling thread. The
  /// clipboard is not touched.
  virtual void PageText(std::function<void(std::string text)> done) = 0;

  /// Downloads `address` with the browser's own session (cookies, logins)
  /// into `file`; `done` runs later with whether the whole file arrived.
  virtual void Download(const std::string& address, const std::filesystem::path& file,
                        std::function<void(bool ok)> done) = 0;

  /// Events, set by the owner; each may be left empty.
  /// A load has ended, successfully or not, at `address`.
  std::function<void(const std::string& address, bool ok)> loadFinished;
  /// The browser's status text: the address of the link under the pointer,
  /// empty when the pointer leaves it.
  std::function<void(const std::string& text)> statusText;
  std::function<void(const std::string& title)> titleChanged;
  /// A page asked for a new window for `address`, which was refused; `byUser`
  /// tells a click from a script acting alone.
  std::function<void(const std::string& address, bool byUser)> newWindowRefused;
  /// A navigation to `address` was refused because of its scheme or origin.
  std::function<void(const std::string& address)> navigationRefused;
};

}  // namespace plume::platform
