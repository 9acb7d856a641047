#pragma once
// The work behind the processing dialog: packing one file into a document
// cabinet, or unpacking a document cabinet into a folder, with progress.
// Failures are shown here, so any runner (the dialog, a script, a test) only
// runs the job and reads its result.

#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "platform/IoStep.h"
#include "platform/Cabinet.h"

namespace plume::document {

class ShoriJob {
 public:
  enum class Mode { Pack, Unpack };
  /// Percent done, 0..100, rising.
  using ProgressFn = std::function<void(int percent)>;

  /// Packs `source` under `storedName` into the cabinet `cabinetFolder` /
  /// `storedName`. The cabinet is written to a temporary file in that folder,
  /// flushed and renamed over any file there, so the old file stays whole
  /// until the new one is complete. Shows 30035 (information icon) on failure.
  static ShoriJob Pack(const platform::Cabinet& cabinet, std::filesystem::path source, std::string storedName,
                       std::filesystem::path cabinetFolder);
  /// Unpacks every file of `cabinetFolder` / `cabinetName` into `destination`.
  /// Shows the failed step's tag line above 30036, above 30304 for a stored
  /// name that cannot be used, and 30303 for a cabinet without files.
  static ShoriJob Unpack(const platform::Cabinet& cabinet, std::filesystem::path destination,
                         std::string cabinetName, std::filesystem::path cabinetFolder);

  /// Called before each file-system step of packing (tests fail or stop there).
  void SetIoSteps(platform::IoStepFn steps) { steps_ = std::move(steps); }
  /// Unpack: refuse with 30583, before anything is written, a cabinet whose
  /// files add up to more than `bytes` (0: no limit).
  void SetMaxBytes(std::uint64_t bytes) { maxBytes_ = bytes; }

  /// Does the whole job; true on success.
  bool Run(const ProgressFn& progress = {});

  /// Unpack: the last file placed, a regular file directly inside the
  /// destination folder; nullopt before a successful run.
  const std::optional<std::filesystem::path>& LastExtracted() const { return lastExtracted_; }
  /// Unpack: every file placed, in order (the cabinet service's report).
  const std::vector<std::filesystem::path>& Extracted() const { return extracted_; }

 private:
  ShoriJob(const platform::Cabinet& cabinet, Mode mode, std::filesystem::path first, std::string name,
           std::filesystem::path folder)
      : cabinet_(&cabinet), mode_(mode), first_(std::move(first)), name_(std::move(name)), folder_(std::move(folder)) {}
  bool RunPack(const ProgressFn& progress);
  bool RunUnpack(const ProgressFn& progress);

  const platform::Cabinet* cabinet_;
  Mode mode_;
  std::filesystem::path first_;  ///< pack: the source file; unpack: the destination folder
  std::string name_;             ///< stored name and cabinet file name
  std::filesystem::path folder_; ///< the cabinet's folder
  platform::IoStepFn steps_;
  std::uint64_t maxBytes_ = 0;
  std::optional<std::filesystem::path> lastExtracted_;
  std::vector<std::filesystem::path> extracted_;
};

}  // namespace plume::document
