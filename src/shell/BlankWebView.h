#pragma once
// A web view that shows nothing: it remembers the address it was sent to and
// reports its load as completed at once, with an empty page. The HTML area
// uses it where no web engine may start (tests of the window that do not browse).

#include "platform/WebView.h"

namespace plume::shell {

class BlankWebView : public platform::WebView {
 public:
  void Navigate(const std::string& address) override {
    address_ = address;
    if (loadFinished) loadFinished(address_, true);
  }
  void Back() override {}
  void Forward() override {}
  void Stop() override {}
  void Reload() override {}
  bool CanGoBack() const override { return false; }
  bool CanGoForward() const override { return false; }
  std::string Address() const override { return address_; }
  std::string Title() const override { return {}; }
  void SetTextSize(int) override {}
  void PageText(std::function<void(std::string)> done) override { done({}); }
  void Download(const std::string&, const std::filesystem::path&, std::function<void(bool)> done) override {
    done(false);
  }

 private:
  std::string address_;
};

}  // namespace plume::shell
