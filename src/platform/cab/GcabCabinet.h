#pragma once
// The cabinet service on libgcab. Holds no state; every call opens, uses and
// releases its own library objects.

#include "platform/Cabinet.h"

namespace plume::platform {

class GcabCabinet : public Cabinet {
 public:
  CabinetResult WriteSingleFile(const std::filesystem::path& source, std::string_view storedName,
                                const std::filesystem::path& cabinetPath) const override;

  /// Unpacks through a private staging folder made inside `targetFolder`
  /// (removed afterwards): libgcab writes there, and each finished file is
  /// renamed into place. Progress counts bytes of the cabinet file read.
  ExtractResult ExtractAll(const std::filesystem::path& cabinetPath,
                           const std::filesystem::path& targetFolder,
                           const ExtractOptions& options) const override;
};

}  // namespace plume::platform
