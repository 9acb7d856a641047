#pragma once
// The store's own serial numbers. Every user, computer and process that fills
// one store takes its numbers from a small file in PLUMEDATA under a record
// lock, so two registrations never receive the same number and a user's
// counter that lags behind the store never overwrites a stored material.

#include <chrono>
#include <filesystem>
#include <optional>
#include <string_view>

#include "store/StorePaths.h"

namespace plume::store {

/// The file in the store root that holds the store's next number ("%08ld").
inline constexpr std::string_view kNextNumberFile = "NEXTNO";
/// The lock file in the store root guarding the next number.
inline constexpr std::string_view kNextNumberLock = "NEXTNO.lock";

/// The store's next number as recorded in its file; nullopt when the file is
/// missing or does not start with a digit.
std::optional<Serial> ReadStoreNextNumber(const std::filesystem::path& root);

/// The store's next number: the recorded one, else (no file yet) the highest
/// information file + 1 from one walk of KANRI (0 for an empty store).
Serial StoreNextNumber(const std::filesystem::path& root);

/// Where every walk over the serial numbers ends (exclusive): the larger of
/// the user's counter and the store's next number. The search, the store
/// check, the store listing and the owner checks all walk 0 .. this - 1, so a
/// material registered by another user or computer is found.
Serial SerialWalkEnd(const std::filesystem::path& root, Serial userCounter);

/// Reserves a number for one registration: under an exclusive lock on the
/// lock file, n := the first number at or above both `userCounter` and the
/// store's next number whose information file does not exist; the store's
/// next number becomes n + 1 before the lock is released. The lock is held
/// only for this call. Nullopt (nothing changed, message 30560 with the lock
/// file's path) when the lock cannot be had within `wait` or the next number
/// cannot be written.
std::optional<Serial> ReserveSerial(const std::filesystem::path& root, Serial userCounter,
                                    std::chrono::milliseconds wait = std::chrono::seconds(5));

}  // namespace plume::store
