#pragma once
// One material on its way into the store, and the tail every registration
// flow ends in. The flow reserves the material's number, stores its files
// and describes the material; the tail then writes the information file,
// adds the node, repaints and marks the document modified, and takes the
// number for good. A registration that stops early removes the files it
// stored and leaves its number unused.

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "capture/MaterialRecord.h"
#include "capture/RegistrationPorts.h"
#include "store/StorePaths.h"

namespace plume::capture {

class MaterialRegistration {
 public:
  /// Reserves the store's next number; nullopt after a message.
  static std::optional<MaterialRegistration> Reserve(const RegistrationPorts& ports);

  /// Puts `source` into the store as this material's `typeWord` file.
  bool Store(std::string_view typeWord, const std::filesystem::path& source);
  /// Stores `file` as the material itself and describes it into `record`.
  bool StoreMaterial(std::string_view typeWord, const std::filesystem::path& file, MaterialRecord& record);
  /// The type, size and SHA-256 of the material's `file` into `record`, and
  /// for any type but a PDF its picture; false when the picture fails.
  bool Describe(std::string_view typeWord, const std::filesystem::path& file, MaterialRecord& record) const;
  /// Removes the files this registration stored; its number stays unused.
  void Abandon();
  /// Abandons the registration of a flow that stops here; always false.
  bool Fail();
  /// The common tail: information file, node, repaint and modified, counter.
  bool Register(MaterialRecord record);

 private:
  MaterialRegistration(const RegistrationPorts& ports, store::Serial serial);

  const RegistrationPorts* ports_;
  store::Serial serial_ = 0;
  std::string serialText_;
  std::vector<std::filesystem::path> written_;  ///< files this registration put into the store
};

}  // namespace plume::capture
