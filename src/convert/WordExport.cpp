#include "convert/WordExport.h"

#include <algorithm>

#include "platform/Messages.h"

namespace plume::convert {

namespace fs = std::filesystem;

namespace {

constexpr std::size_t kSampleCharacters = 1000;
constexpr const char* kOdfTextMime = "application/vnd.oasis.opendocument.text";

// Byte length of the first `count` UTF-8 characters of `text`.
std::size_t Utf8Prefix(const std::string& text, std::size_t count) {
  std::size_t i = 0;
  for (std::size_t n = 0; i < text.size() && n < count; ++n) {
    ++i;
    while (i < text.size() && (static_cast<unsigned char>(text[i]) & 0xC0) == 0x80) ++i;
  }
  return i;
}

std::string ReplaceAll(const std::string& text, const std::string& from, const std::string& to) {
  std::string out;
  out.reserve(text.size());
  std::size_t pos = 0;
  for (std::size_t hit; (hit = text.find(from, pos)) != std::string::npos; pos = hit + from.size()) {
    out.append(text, pos, hit - pos);
    out += to;
  }
  out.append(text, pos, std::string::npos);
  return out;
}

std::vector<std::string> SplitLines(const std::string& text) {
  std::vector<std::string> lines;
  std::size_t pos = 0;
  while (pos <= text.size()) {
    std::size_t end = text.find('\n', pos);
    if (end == std::string::npos) end = text.size();
    std::string line = text.substr(pos, end - pos);
    if (!line.empty() && line.back() == '\r') line.pop_back();
    lines.push_back(std::move(line));
    pos = end + 1;
  }
  return lines;
}

}  // namespace

std::string PrepareTextOnly(std::string text) {
  const std::string sample = ReplaceAll(text.substr(0, Utf8Prefix(text, kSampleCharacters)), "  ", "");
  const auto breaks = std::count(sample.begin(), sample.end(), '\n');
  const auto blanks = std::count(sample.begin(), sample.end(), ' ');
  if (blanks >= breaks) return text;
  text = ReplaceAll(ReplaceAll(text, "\r\n", " "), "\n", " ");
  return ReplaceAll(text, " . ", ".\r\n");
}

WordContent BuildWordContent(const std::string& pdfText, bool formatted) {
  WordContent content;
  content.formatted = formatted;
  if (formatted) {
    // Each page's text may end with a form feed of its own before the one
    // that separates it from the next: the pair is one page break, not an
    // empty page between the two.
    const std::string text = ReplaceAll(pdfText, "\f\f", "\f");
    std::size_t pos = 0;
    while (pos <= text.size()) {
      std::size_t end = text.find('\f', pos);
      if (end == std::string::npos) end = text.size();
      const std::string page = text.substr(pos, end - pos);
      // A form feed closing the last page starts no empty page.
      if (!(end == text.size() && page.empty() && !content.pages.empty())) {
        std::vector<std::string> lines = SplitLines(page);
        // The line break that ends a page's last line is no paragraph of its
        // own: kept, it would spill onto a page of its own before the next break.
        if (lines.size() > 1 && lines.back().empty()) lines.pop_back();
        content.pages.push_back(std::move(lines));
      }
      pos = end + 1;
    }
    return content;
  }
  std::string text = pdfText;
  std::replace(text.begin(), text.end(), '\f', '\n');
  content.pages.push_back(SplitLines(PrepareTextOnly(std::move(text))));
  return content;
}

std::string WordDocumentName(const std::string& address) {
  std::size_t sep = address.rfind('\\');
  if (sep == std::string::npos) sep = address.rfind('/');
  if (sep == std::string::npos) return {};
  std::string name = address.substr(sep + 1);
  const std::size_t dot = name.rfind('.');
  if (dot == std::string::npos) return {};
  return name.substr(0, dot);
}

WordOptionToggle ToggleWordOption(int current) {
  if (current == 1) return {0, "TEXT", 11};
  return {current == 0 ? 1 : 0, "書式付", 10};
}

bool OpenInWordProcessor(platform::ProcessLauncher& launcher, const fs::path& document) {
  bool found = false;
  for (const char* writer : {"soffice", "libreoffice", "lowriter"}) {
    const fs::path program = launcher.FindProgram(writer);
    if (program.empty()) continue;
    found = true;
    // "-n": the file is a template, so the user gets a new untitled document to save where they like.
    if (launcher.StartDetached(program, {"--writer", "-n", document.string()})) return true;
  }
  const fs::path mime = launcher.FindProgram("xdg-mime");
  const fs::path open = launcher.FindProgram("xdg-open");
  if (!mime.empty() && !open.empty()) {
    const std::optional<std::string> handler = launcher.RunAndRead(mime, {"query", "default", kOdfTextMime});
    if (handler && handler->find_first_not_of(" \r\n") != std::string::npos) {
      found = true;
      if (launcher.StartDetached(open, {document.string()})) return true;
    }
  }
  if (found) {
    platform::ShowMessage(platform::StringId::WordProcessorStartFailed, {}, platform::MsgIcon::Error);
  } else {
    platform::ShowMessage(platform::StringId::WordProcessorMissing, {}, platform::MsgIcon::Error);
  }
  return false;
}

fs::path FreeDocumentPath(const fs::path& folder, const std::string& name) {
  std::error_code ec;
  fs::path path = folder / (name + ".odt");
  for (int n = 2; fs::exists(path, ec) || ec; ++n) path = folder / (name + "-" + std::to_string(n) + ".odt");
  return path;
}

fs::path ExportToWord(const std::string& address, const std::string& pdfText, bool formatted, const fs::path& folder,
                      const WordExportServices& services) {
  const std::string name = WordDocumentName(address);
  if (name.empty() || pdfText.empty() || folder.empty() || !services.writeDocument) return {};
  const fs::path document = FreeDocumentPath(folder, name);
  if (!services.writeDocument(BuildWordContent(pdfText, formatted), document)) {
    platform::ShowMessage(platform::StringId::WordFileWriteFailed, {}, platform::MsgIcon::Error);
    return {};
  }
  if (services.launcher) OpenInWordProcessor(*services.launcher, document);
  return document;
}

}  // namespace plume::convert
