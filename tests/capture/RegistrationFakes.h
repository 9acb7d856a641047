#pragma once
// Hand-written stand-ins for everything the registration flows talk to: the
// document and view, the HTML and text areas, capture, PDF steps, pictures,
// downloads and the clipboard. Files they "produce" are small marker texts.

#include <filesystem>
#include <fstream>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "capture/ClipboardImagePort.h"
#include "capture/DownloadPort.h"
#include "capture/HtmlAreaPort.h"
#include "document/NodePicturePort.h"
#include "capture/PageCapturePort.h"
#include "capture/PdfStepsPort.h"
#include "capture/RegistrationHost.h"
#include "capture/TextAreaPort.h"
#include "platform/Messages.h"
#include "tests/support/FakePicture.h"

namespace plume::capture::test {

namespace fs = std::filesystem;

inline std::string ReadAll(const fs::path& file) {
  std::ifstream in(file, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

inline bool WriteAll(const fs::path& file, std::string_view bytes) {
  std::ofstream out(file, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  return static_cast<bool>(out);
}

class FakeHost : public RegistrationHost {
 public:
  FakeHost() : chart(document::ChartDocument::Create()) { chart->NewDocument(); }
  bool EnsureSaved() override { return saved; }
  fs::path DocumentPath() override { return path; }
  document::ChartDocument& Chart() override { return *chart; }
  void NodeAdded() override { ++repaints; }
  void StartDropTimer(std::chrono::milliseconds) override { timerRunning = true; }
  void StopDropTimer() override { timerRunning = false; }
  bool CaptureProgress(int done, int total) override {
    progress.emplace_back(done, total);
    return !cancelAt || done < cancelAt;
  }

  std::unique_ptr<document::ChartDocument> chart;
  bool saved = true;
  fs::path path = "/home/u/plan.pbd";
  int repaints = 0;
  bool timerRunning = false;
  std::vector<std::pair<int, int>> progress;
  int cancelAt = 0;  ///< the band at which the user presses Cancel; 0: never
};

class FakeHtml : public HtmlAreaPort {
 public:
  std::string PageType() override {
    std::string now = type;
    if (!typeAfterFirstLook.empty()) type = typeAfterFirstLook;  // the page moves on during EnsureSaved
    return now;
  }
  std::string PageTitle() override { return title; }
  std::string PageAddress() override { return shown.empty() ? address : "file://" + shown.string(); }
  void ShowFile(const fs::path& file) override { shown = file; }
  bool PdfTextTaken(const fs::path& file) override { 
    return textTaken && (takenFor.empty() || takenFor == file);
  }
  bool AreaShown() override { return shownOnScreen; }
  void GoBack() override {
    shown.clear();
    ++backs;
  }

  std::string type = "HTML";
  std::string typeAfterFirstLook;
  std::string title = "Page title";
  std::string address = "http://example.jp/page.html";
  fs::path shown;
  bool textTaken = false;
  fs::path takenFor;
  bool shownOnScreen = true;  ///< the file whose text was taken; empty: whatever is asked
  int backs = 0;
};

class FakeText : public TextAreaPort {
 public:
  std::string WholeText() override { return text; }
  std::string text;
};

class FakeCapture : public PageCapturePort {
 public:
  std::optional<int> CapturePage(bool whole, const fs::path& jpeg, const CaptureProgress& progress) override {
    if (duringCapture) duringCapture();
    for (int band = 1; band <= bands; ++band) {
      if (progress && !progress(band, bands)) return std::nullopt;
    }
    if (fail) {
      platform::ShowMessage(platform::StringId::PdfCreateFailed, "[Capture]\n");
      return std::nullopt;
    }
    WriteAll(jpeg, whole ? "jpeg:whole" : "jpeg:visible");
    return 800;
  }
  bool fail = false;
  int bands = 3;
  /// Runs inside the capture, as the event loop does while bands are drawn.
  std::function<void()> duringCapture;
};

/// PDF steps that write readable markers: "pdf(jpeg:whole)", "join(a|b)", "info(...)".
class FakePdf : public PdfStepsPort {
 public:
  bool JpegToPdf(const fs::path& pdf, const fs::path& jpeg) override {
    return WriteAll(pdf, "pdf(" + ReadAll(jpeg) + ")");
  }
  bool TextToPdf(const fs::path& text, const fs::path& pdf, std::uint16_t width) override {
    textWidth = width;
    return WriteAll(pdf, "text(" + ReadAll(text) + ")");
  }
  bool Join(const fs::path& a, const fs::path& b, const fs::path& out) override {
    return WriteAll(out, "join(" + ReadAll(a) + "|" + ReadAll(b) + ")");
  }
  bool AddInfo(const fs::path& src, const fs::path& dst, const convert::PdfInfoSource& info) override {
    if (failInfo) return false;
    return WriteAll(dst, "info[" + info.title + "](" + ReadAll(src) + ")");
  }
  bool failInfo = false;
  int textWidth = 0;
};

class FakePictures : public document::NodePicturePort {
 public:
  std::optional<document::NodePicture> LoadNodePicture(const fs::path& file, std::string_view, bool fit) override {
    if (fail) {
      platform::ShowMessage(platform::StringId::ImageLoadFailed, file.string() + "\n");
      return std::nullopt;
    }
    document::NodePicture p;
    p.picture = std::make_unique<testing::FakePicture>(64, 48, platform::Bytes{});
    p.pixelWidth = 640;
    p.pixelHeight = 480;
    p.displayWidth = fit ? 150 : 640;
    p.displayHeight = fit ? displayHeight : 480;
    return p;
  }
  bool fail = false;
  int displayHeight = 112;
};

/// Serves `files` by address into the work folder; anything else fails with 30076.
class FakeDownloads : public DownloadPort {
 public:
  fs::path DownloadToWork(std::string_view url, std::string_view typeWord) override {
    requested.emplace_back(url);
    const auto it = files.find(std::string(url));
    if (it == files.end() || it->second.starts_with("<")) {
      platform::ShowMessage(platform::StringId::DownloadFailed, {}, platform::MsgIcon::Information);
      return {};
    }
    const fs::path target = work / ("tmp." + std::string(typeWord));
    WriteAll(target, it->second);
    return target;
  }
  fs::path work;
  std::map<std::string, std::string> files;
  std::vector<std::string> requested;
};

class FakeClipboard : public ClipboardImagePort {
 public:
  ClipboardSave SaveClipboardImage(const fs::path& path, std::string_view typeWord) override {
    if (result == ClipboardSave::Saved) WriteAll(path, "clip:" + std::string(typeWord));
    return result;
  }
  bool ImageHasAlpha() override { return alpha; }
  bool alpha = false;
  ClipboardSave result = ClipboardSave::Saved;
};

}  // namespace plume::capture::test
