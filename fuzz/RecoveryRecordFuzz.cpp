// The record beside a recovery copy: any bytes parse to a whole record or to
// none, and a record that parses writes back to text that parses alike.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "document/RecoveryRecord.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  const auto record = plume::document::ParseRecoveryRecord(text);
  if (!record) return 0;
  const auto again = plume::document::ParseRecoveryRecord(plume::document::FormatRecoveryRecord(*record));
  if (!again || again->original != record->original || again->copy != record->copy || again->time != record->time ||
      again->base != record->base)
    std::abort();
  return 0;
}
