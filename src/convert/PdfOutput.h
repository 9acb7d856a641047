#pragma once
// The byte-counting output of the PDF writers: every text goes through Write,
// so object offsets are known without asking the file, and both writers share
// one cross-reference and trailer layout.

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace plume::convert {

class PdfOutput {
 public:
  PdfOutput() = default;
  ~PdfOutput();
  PdfOutput(const PdfOutput&) = delete;
  PdfOutput& operator=(const PdfOutput&) = delete;

  /// Starts writing `path` under the rule for files the user chooses (see
  /// platform/UserOutput.h): the bytes go to an exclusive temporary file
  /// beside the target (symlinks followed); false when the target may not be
  /// written or the temporary file cannot be created. A scratch file (not
  /// `durable`: read back by this process and removed) is not forced to the disk.
  bool Open(const std::filesystem::path& path, bool durable = true);
  /// Flushes the file (to the disk when durable) and renames it over the
  /// target; false (the target left as it was) when any write so far, the
  /// flush or the rename failed.
  bool Close();

  /// Writes the bytes as they stand.
  void Write(std::string_view bytes);
  void Write(const void* data, std::size_t size);
  /// Writes `value` as a signed decimal without padding ("%d").
  void WriteNumber(long long value);

  /// Records the current position as the offset of object `number` (from 1).
  void BeginObject(int number);
  /// Current position: the number of bytes written so far.
  std::uint64_t Position() const { return position_; }

  /// Writes "xref", one line per object 1..objectCount with its recorded
  /// offset, and the trailer naming object 1 as the root.
  void WriteXrefAndTrailer(int objectCount);

  /// The recorded offset of object `number` (0 when it was never begun).
  std::uint64_t ObjectOffset(int number) const;

 private:
  void Abandon();

  std::FILE* file_ = nullptr;
  std::filesystem::path target_;
  std::filesystem::path temp_;
  std::uint64_t position_ = 0;
  std::vector<std::uint64_t> offsets_;  // index: object number - 1
  bool failed_ = false;
  bool durable_ = true;
};

/// `value` as "%d" would write it.
std::string DecimalText(long long value);

}  // namespace plume::convert
