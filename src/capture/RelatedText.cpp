#include "capture/RelatedText.h"

#include <fstream>
#include <string>
#include <system_error>

#include "capture/TextAreaPort.h"
#include "platform/Messages.h"

namespace plume::capture {

namespace fs = std::filesystem;

bool RelatedText::Write(const fs::path& path, std::string_view text) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  if (!out) {
    platform::ShowMessage(platform::StringId::FileOpenFailed);
    return false;
  }
  std::string crlf;
  crlf.reserve(text.size() + text.size() / 16);
  for (std::size_t i = 0; i < text.size(); ++i) {
    // A line feed becomes CR LF; one that already follows a CR stays single.
    if (text[i] == '\n' && (i == 0 || text[i - 1] != '\r')) crlf += '\r';
    crlf += text[i];
  }
  out.write(crlf.data(), static_cast<std::streamsize>(crlf.size()));
  out.close();
  if (!out) {
    platform::ShowMessage(platform::StringId::FileOpenFailed);
    return false;
  }
  return true;
}

bool RelatedText::Reset() {
  const fs::path work = ports_.workFolder();
  if (work.empty()) return false;
  std::error_code ec;
  fs::remove(work / "tmp.txt", ec);
  return !ec;
}

fs::path RelatedText::FromTextArea() {
  const std::string text = ports_.text.WholeText();
  if (text.empty()) return {};
  const fs::path work = ports_.workFolder();
  if (work.empty()) return {};
  const fs::path path = work / "tmp.txt";
  return Write(path, text) ? path : fs::path();
}

}  // namespace plume::capture
