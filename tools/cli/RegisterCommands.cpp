// register and url: a file or a web link becomes a material and a node, by
// the same flows as a drop on the chart view; url shows what a dropped link
// would register.

#include <charconv>
#include <cstdio>
#include <iostream>
#include <optional>
#include <string>
#include <system_error>

#include <nlohmann/json.hpp>

#include "CliCommands.h"
#include "convert/DetectType.h"
#include "capture/HtmlAreaPort.h"
#include "convert/NodePictureLoader.h"
#include "capture/PageCapturePort.h"
#include "capture/ProgramPdfSteps.h"
#include "capture/RegistrationFlows.h"
#include "capture/RegistrationHost.h"
#include "capture/TextAreaPort.h"
#include "capture/UrlRules.h"
#include "capture/ui/QtClipboardImage.h"
#include "capture/ui/QtDownloader.h"
#include "chartview/StoredDefaultsHooks.h"
#include "document/ChartDocument.h"
#include "platform/Cp932.h"
#include "platform/FileDescriptor.h"
#include "platform/Messages.h"
#include "platform/SettingsTable.h"
#include "platform/qt/QtSettingsStore.h"
#include "store/MaterialStore.h"

namespace plume::cli {
namespace {

namespace fs = std::filesystem;
using nlohmann::ordered_json;

std::string Dump(const ordered_json& j) { return j.dump(-1, ' ', false, ordered_json::error_handler_t::replace); }

/// The user's settings with the store folder of --store put in front.
class StoreOverride : public platform::SettingsStore {
 public:
  StoreOverride(platform::SettingsStore& inner, std::optional<std::string> storePath)
      : inner_(inner), storePath_(std::move(storePath)) {}
  std::optional<int> ReadInt(std::string_view section, std::string_view key) const override {
    return inner_.ReadInt(section, key);
  }
  std::optional<std::string> ReadString(std::string_view section, std::string_view key) const override {
    if (storePath_ && section == platform::settings::KanSet::StorePath.section &&
        key == platform::settings::KanSet::StorePath.key) {
      return storePath_;
    }
    return inner_.ReadString(section, key);
  }
  void WriteInt(std::string_view section, std::string_view key, int value) override {
    inner_.WriteInt(section, key, value);
  }
  void WriteString(std::string_view section, std::string_view key, std::string_view value) override {
    inner_.WriteString(section, key, value);
  }
  void Remove(std::string_view section, std::string_view key) override { inner_.Remove(section, key); }
  bool Flush() override { return inner_.Flush(); }

 private:
  platform::SettingsStore& inner_;
  std::optional<std::string> storePath_;
};

/// The document of the command line: always saved, nothing to repaint.
class ToolHost : public capture::RegistrationHost {
 public:
  ToolHost(document::ChartDocument& chart, fs::path path) : chart_(chart), path_(std::move(path)) {}
  bool EnsureSaved() override { return true; }
  fs::path DocumentPath() override { return path_; }
  document::ChartDocument& Chart() override { return chart_; }
  void NodeAdded() override {}
  void StartDropTimer(std::chrono::milliseconds) override {}
  void StopDropTimer() override {}

 private:
  document::ChartDocument& chart_;
  fs::path path_;
};

class ToolText : public capture::TextAreaPort {
 public:
  std::string WholeText() override { return text; }
  std::string text;
};

/// The "HTML area" of the command line shows the source being registered; a
/// shown PDF's text goes into the text area at once.
class ToolHtml : public capture::HtmlAreaPort {
 public:
  explicit ToolHtml(ToolText& text) : text_(text) {}
  std::string PageType() override { return convert::DetectType(address); }
  std::string PageTitle() override { return title; }
  std::string PageAddress() override { return address; }
  void ShowFile(const fs::path& file) override {
    address = platform::Utf8ToCp932("file://" + file.string());
    title = platform::Utf8ToCp932(file.filename().string());
    text_.text = PdfTextOfFile ? PdfTextOfFile(file) : std::string();
  }
  bool PdfTextTaken(const fs::path&) override { return true; }
  void GoBack() override {}
  bool AreaShown() override { return true; }

  std::string title;
  std::string address;
  /// The text (CP932) of a PDF file; none when not set.
  std::function<std::string(const fs::path&)> PdfTextOfFile;

 private:
  ToolText& text_;
};

struct RegisterArgs {
  std::string document;
  std::string source;
  std::optional<std::string> store;
  int page = 0;  ///< 1-based; 0: the document's current page
  int x = 100;
  int y = 100;
};

std::optional<RegisterArgs> ParseRegisterArgs(const std::vector<std::string_view>& args) {
  if (args.size() < 2) return std::nullopt;
  RegisterArgs parsed{std::string(args[0]), std::string(args[1])};
  for (std::size_t i = 2; i < args.size(); ++i) {
    const bool hasValue = i + 1 < args.size();
    if (args[i] == "--store" && hasValue) {
      parsed.store = std::string(args[++i]);
    } else if (args[i] == "--page" && hasValue) {
      if (!ParseInt(args[++i], parsed.page) || parsed.page < 1) return std::nullopt;
    } else if (args[i] == "--at" && hasValue) {
      const std::string_view at = args[++i];
      const std::size_t comma = at.find(',');
      if (comma == std::string_view::npos || !ParseInt(at.substr(0, comma), parsed.x) ||
          !ParseInt(at.substr(comma + 1), parsed.y)) {
        return std::nullopt;
      }
    } else {
      return std::nullopt;
    }
  }
  return parsed;
}

bool IsWebAddress(std::string_view text) {
  std::string lower(text.substr(0, 8));
  for (char& c : lower) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return lower.starts_with("http://") || lower.starts_with("https://");
}

}  // namespace

int RunRegister(const std::vector<std::string_view>& args, const ToolCodecs& codecs) {
  const auto parsed = ParseRegisterArgs(args);
  if (!parsed) {
    std::cerr << "usage: plumeboard-tool register DOC.pbd SOURCE [--store STORE] [--page N] [--at X,Y]\n";
    return 2;
  }
  auto doc = document::ChartDocument::Create();
  if (!doc) return 1;
  doc->NewDocument();
  std::error_code ec;
  const fs::path docPath = fs::absolute(fs::path(parsed->document), ec);
  if (!IsDocumentFile(parsed->document)) {
    std::cerr << "plumeboard-tool: " << parsed->document << " is no .pbd document\n";
    return 2;
  }
  // A document that does not exist yet starts empty and is created by the save.
  if (fs::exists(docPath, ec) && !OpenDocumentFile(*doc, docPath.string(), codecs.pictures)) return 1;
  if (parsed->page > doc->header.pageCount) {
    std::cerr << "plumeboard-tool: the document has " << doc->header.pageCount << " pages\n";
    return 2;
  }
  if (parsed->page > 0) doc->header.currentPage = static_cast<decltype(doc->header.currentPage)>(parsed->page - 1);

  platform::QtSettingsStore userSettings;
  StoreOverride settings(userSettings, parsed->store);
  // New nodes get the user's stored styles and title position, as in the window.
  chartview::StoredDefaultsHooks defaults(settings);
  doc->SetHooks(&defaults);
  store::MaterialStore store(settings);
  ToolHost host(*doc, docPath);
  ToolText text;
  ToolHtml html(text);
  html.PdfTextOfFile = PdfTextForRegister;
  capture::NoPageCapture capture;
  capture::ProgramPdfSteps pdf;
  // The loader reads the settings of this command's store, so it is the command's own.
  convert::NodePictureLoader pictures(codecs.pixels, settings);
  capture::ui::QtDownloader::Options downloadOptions;
  downloadOptions.showProgress = false;
  capture::ui::QtDownloader downloads(downloadOptions);
  capture::ui::QtClipboardImage clipboard(settings);
  capture::RegistrationFlows flows(
      capture::RegistrationPorts{host, store, settings, html, text, capture, pdf, pictures, downloads, clipboard, {}});

  const int before = doc->nodeCount;
  const capture::InsertionPoint at{parsed->x, parsed->y};
  bool ok = false;
  if (IsWebAddress(parsed->source)) {
    // The command line has no page on show: the source stands in for it.
    html.address = parsed->source;
    html.title = platform::Utf8ToCp932(parsed->source.substr(parsed->source.find_last_of('/') + 1));
    ok = flows.DropLink(platform::Utf8ToCp932(parsed->source), at);
  } else {
    const fs::path source = fs::absolute(fs::path(parsed->source), ec);
    if (!platform::IsRegularFile(source)) {
      std::cerr << "plumeboard-tool: no file " << parsed->source << "\n";
      return 1;
    }
    html.address = platform::Utf8ToCp932("file://" + source.string());
    html.title = platform::Utf8ToCp932(source.filename().string());
    ok = flows.DropFiles({source}, at);
    while (ok && flows.DropPending()) ok = flows.DropTimerTick() || flows.DropPending();
  }
  if (!ok || doc->nodeCount != before + 1) return 1;
  settings.Flush();
  if (!SaveDocumentFile(*doc, docPath.string(), codecs.pictures)) return 1;
  const document::NodeRecord& node = doc->nodes[doc->nodeCount - 1];
  ordered_json j;
  j["serial"] = store::FormatSerial(node.serial);
  j["type"] = std::string(platform::FieldText(node.dataType));
  j["title"] = platform::Cp932ToUtf8(platform::FieldText(node.title));
  std::cout << Dump(j) << "\n";
  return 0;
}

int RunUrl(const std::vector<std::string_view>& args, const ToolCodecs& /*codecs*/) {
  const std::string text = platform::Utf8ToCp932(args[0]);
  std::string link = text;
  const std::string linkType = capture::DetectUrlType(link);
  if (!linkType.empty() && link.find('%') != std::string::npos) link = capture::DecodeUrlText(link);
  std::string hex;
  for (const unsigned char c : capture::DecodeUrlText(text)) {
    char pair[3];
    std::snprintf(pair, sizeof pair, "%02x", c);
    hex += pair;
  }
  ordered_json j;
  j["pageType"] = convert::DetectType(text);
  j["linkType"] = linkType;
  j["link"] = linkType.empty() ? std::string() : platform::Cp932ToUtf8(link);
  j["decodedHex"] = hex;
  std::cout << Dump(j) << "\n";
  return 0;
}

}  // namespace plume::cli
