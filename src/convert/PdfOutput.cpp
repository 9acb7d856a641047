#include "convert/PdfOutput.h"

#include <fcntl.h>
#include <unistd.h>

#include <charconv>
#include <optional>

#include "platform/DurableFiles.h"
#include "platform/FileDescriptor.h"
#include "platform/UserOutput.h"

namespace plume::convert {

std::string DecimalText(long long value) {
  char buffer[24];
  const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
  return std::string(buffer, result.ptr);
}

PdfOutput::~PdfOutput() { Abandon(); }

void PdfOutput::Abandon() {
  if (file_) std::fclose(file_);
  file_ = nullptr;
  if (!temp_.empty()) unlink(temp_.c_str());
  temp_.clear();
}

bool PdfOutput::Open(const std::filesystem::path& path, bool durable) {
  Abandon();
  durable_ = durable;
  position_ = 0;
  offsets_.clear();
  failed_ = false;
  const std::optional<std::filesystem::path> target = platform::ResolveOutputTarget(path, true);
  if (!target) return false;
  target_ = *target;
  platform::RemoveDeadTemporaries(target_);
  const std::filesystem::path temp = platform::TemporarySibling(target_);
  platform::FileDescriptor fd = platform::FileDescriptor::CreateExclusive(temp, 0600, true);
  if (!fd.IsOpen()) return false;
  temp_ = temp;
  file_ = fdopen(fd.Get(), "wb+");
  if (!file_) {
    fd.Close();
    Abandon();
    return false;
  }
  fd.Release();  // the stream closes it
  // A large buffer keeps the many short lines to a few system calls.
  std::setvbuf(file_, nullptr, _IOFBF, 1 << 16);
  return true;
}

bool PdfOutput::Close() {
  if (!file_) return !failed_;
  if (std::fflush(file_) != 0 || std::ferror(file_) || (durable_ && fsync(fileno(file_)) != 0)) failed_ = true;
  if (std::fclose(file_) != 0) failed_ = true;
  file_ = nullptr;
  if (!failed_ && (!platform::CopyPermissions(target_, temp_) || rename(temp_.c_str(), target_.c_str()) != 0))
    failed_ = true;
  if (!failed_) temp_.clear();
  Abandon();
  return !failed_;
}

void PdfOutput::Write(const void* data, std::size_t size) {
  if (size == 0) return;
  if (!file_ || std::fwrite(data, 1, size, file_) != size) failed_ = true;
  position_ += size;
}

void PdfOutput::Write(std::string_view bytes) { Write(bytes.data(), bytes.size()); }

void PdfOutput::WriteNumber(long long value) { Write(DecimalText(value)); }

void PdfOutput::BeginObject(int number) {
  if (number < 1) return;
  const auto index = static_cast<std::size_t>(number - 1);
  if (offsets_.size() <= index) offsets_.resize(index + 1, 0);
  offsets_[index] = position_;
}

std::uint64_t PdfOutput::ObjectOffset(int number) const {
  if (number < 1 || static_cast<std::size_t>(number - 1) >= offsets_.size()) return 0;
  return offsets_[static_cast<std::size_t>(number - 1)];
}

void PdfOutput::WriteXrefAndTrailer(int objectCount) {
  const std::uint64_t xrefOffset = position_;
  Write("xref\n0 ");
  WriteNumber(objectCount + 1);
  Write("\n0000000000 65535 f \n");
  std::string line;
  for (int n = 1; n <= objectCount; ++n) {
    // "%0.10d 00000 n \n": ten digits, zero padded, 20 bytes a line.
    char digits[24];
    std::snprintf(digits, sizeof digits, "%010llu", static_cast<unsigned long long>(ObjectOffset(n)));
    line.assign(digits);
    line += " 00000 n \n";
    Write(line);
  }
  Write("trailer\n<<\n/Size ");
  WriteNumber(objectCount + 1);
  Write("\n/Root 1 0 R\n>>\nstartxref\n");
  WriteNumber(static_cast<long long>(xrefOffset));
  Write("\n%%EOF\n");
}

}  // namespace plume::convert
