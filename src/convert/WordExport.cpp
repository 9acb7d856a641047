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
    std::size_t pos = 0;
    while (pos <= pdfText.size()) {
      std::size_t end = pdfText.find('\f', pos);
      if (end == std::string::npos) end = pdfText.size();
      const std::string page = pdfText.substr(pos, end - pos);
      // A form feed closing the last page starts no empty page.
      if (!(end == pdfText.size() && page.empty() && !content.pages.empty())) content.pages.push_back(SplitLines(page));
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
  for (const char* writer : {"soffice", "libreoffice", "lowriter"}) {
    const fs::path program = launcher.FindProgram(writer);
    if (!program.empty() && launcher.StartDetached(program, {"--writer", document.string()})) return true;
  }
  const fs::path mime = launcher.FindProgram("xdg-mime");
  const fs::path open = launcher.FindProgram("xdg-open");
  if (!mime.empty() && !open.empty()) {
    const std::optional<std::string> handler = launcher.RunAndRead(mime, {"query", "default", kOdfTextMime});
    if (handler && handler->find_first_not_of(" \r\n") != std::string::npos &&
        launcher.StartDetached(open, {document.string()}))
      return true;
  }
  platform::ShowMessage(platform::StringId::WordProcessorStartFailed, {}, platform::MsgIcon::Error);
  return false;
}

fs::path ExportToWord(const std::string& address, const std::string& pdfText, bool formatted, const fs::path& folder,
                      const WordExportServices& services) {
  const std::string name = WordDocumentName(address);
  if (name.empty() || pdfText.empty() || folder.empty() || !services.writeDocument) return {};
  const fs::path document = folder / (name + ".odt");
  if (!services.writeDocument(BuildWordContent(pdfText, formatted), document)) return {};
  if (services.launcher) OpenInWordProcessor(*services.launcher, document);
  return document;
}

}  // namespace plume::convert
