#pragma once
// SHA-256 (FIPS 180-4), streaming. Uses the CPU's SHA instructions (x86 SHA-NI)
// when the processor has them, chosen at run time; a portable path otherwise.

#include <array>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <span>
#include <string>

namespace plume::store {

/// Which compression routine a hasher uses.
enum class Sha256Engine {
  Auto,      ///< SHA-NI when the CPU has it, else Portable
  Portable,  ///< plain C++ (every CPU)
  ShaNi,     ///< x86 SHA extensions; falls back to Portable where unavailable
};

/// True when this CPU (and build) can run the SHA-NI routine.
bool Sha256HasShaNi();

/// One running SHA-256 computation: Update with the message in any pieces,
/// then Final once.
class Sha256 {
 public:
  using Digest = std::array<std::uint8_t, 32>;

  explicit Sha256(Sha256Engine engine = Sha256Engine::Auto);

  /// Feeds the next bytes of the message.
  void Update(std::span<const std::uint8_t> bytes);
  void Update(const void* data, std::size_t size) {
    Update(std::span<const std::uint8_t>(static_cast<const std::uint8_t*>(data), size));
  }
  /// Pads the message and returns its digest; the hasher is spent afterwards.
  Digest Final();

  /// The engine actually in use (Auto and an unavailable ShaNi resolved).
  Sha256Engine Engine() const { return engine_; }

  /// The digest as 64 upper-case hexadecimal digits.
  static std::string ToHex(const Digest& digest);
  /// Digest of a whole message held in memory, as upper-case hex.
  static std::string HexOf(std::span<const std::uint8_t> bytes, Sha256Engine engine = Sha256Engine::Auto);

 private:
  void Compress(const std::uint8_t* blocks, std::size_t count);

  std::array<std::uint32_t, 8> state_;
  std::array<std::uint8_t, 64> buffer_{};
  std::size_t buffered_ = 0;
  std::uint64_t totalBytes_ = 0;
  Sha256Engine engine_;
};

/// SHA-256 of a file's bytes as 64 upper-case hexadecimal digits; empty when
/// the file cannot be opened or read (a folder, a missing file, a read error).
std::string FileSha256(const std::filesystem::path& path, Sha256Engine engine = Sha256Engine::Auto);

}  // namespace plume::store
