// SHA-256 as FIPS 180-4 defines it: a portable compression routine and one for
// the x86 SHA extensions, compiled with target attributes so the rest of the
// build needs no special flags.

#include "store/Sha256.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <vector>

#if defined(__x86_64__) || defined(__i386__)
#define PLUME_SHA256_X86 1
#include <cpuid.h>
#include <immintrin.h>
#endif

#include "platform/FileDescriptor.h"

namespace plume::store {
namespace {

constexpr std::uint32_t kRound[64] = {
    0x428a2f98, 0x71374491, 0xb5c0fbcf, 0xe9b5dba5, 0x3956c25b, 0x59f111f1, 0x923f82a4, 0xab1c5ed5,
    0xd807aa98, 0x12835b01, 0x243185be, 0x550c7dc3, 0x72be5d74, 0x80deb1fe, 0x9bdc06a7, 0xc19bf174,
    0xe49b69c1, 0xefbe4786, 0x0fc19dc6, 0x240ca1cc, 0x2de92c6f, 0x4a7484aa, 0x5cb0a9dc, 0x76f988da,
    0x983e5152, 0xa831c66d, 0xb00327c8, 0xbf597fc7, 0xc6e00bf3, 0xd5a79147, 0x06ca6351, 0x14292967,
    0x27b70a85, 0x2e1b2138, 0x4d2c6dfc, 0x53380d13, 0x650a7354, 0x766a0abb, 0x81c2c92e, 0x92722c85,
    0xa2bfe8a1, 0xa81a664b, 0xc24b8b70, 0xc76c51a3, 0xd192e819, 0xd6990624, 0xf40e3585, 0x106aa070,
    0x19a4c116, 0x1e376c08, 0x2748774c, 0x34b0bcb5, 0x391c0cb3, 0x4ed8aa4a, 0x5b9cca4f, 0x682e6ff3,
    0x748f82ee, 0x78a5636f, 0x84c87814, 0x8cc70208, 0x90befffa, 0xa4506ceb, 0xbef9a3f7, 0xc67178f2};

constexpr std::array<std::uint32_t, 8> kInitial = {0x6a09e667, 0xbb67ae85, 0x3c6ef372, 0xa54ff53a,
                                                   0x510e527f, 0x9b05688c, 0x1f83d9ab, 0x5be0cd19};

constexpr std::uint32_t Rotr(std::uint32_t x, int n) { return (x >> n) | (x << (32 - n)); }

std::uint32_t LoadBigEndian(const std::uint8_t* p) {
  return (std::uint32_t{p[0]} << 24) | (std::uint32_t{p[1]} << 16) | (std::uint32_t{p[2]} << 8) | p[3];
}

void CompressPortable(std::uint32_t* state, const std::uint8_t* data, std::size_t blocks) {
  for (; blocks > 0; --blocks, data += 64) {
    std::uint32_t w[64];
    for (int t = 0; t < 16; ++t) w[t] = LoadBigEndian(data + 4 * t);
    for (int t = 16; t < 64; ++t) {
      const std::uint32_t s0 = Rotr(w[t - 15], 7) ^ Rotr(w[t - 15], 18) ^ (w[t - 15] >> 3);
      const std::uint32_t s1 = Rotr(w[t - 2], 17) ^ Rotr(w[t - 2], 19) ^ (w[t - 2] >> 10);
      w[t] = w[t - 16] + s0 + w[t - 7] + s1;
    }
    std::uint32_t a = state[0], b = state[1], c = state[2], d = state[3];
    std::uint32_t e = state[4], f = state[5], g = state[6], h = state[7];
    for (int t = 0; t < 64; ++t) {
      const std::uint32_t t1 = h + (Rotr(e, 6) ^ Rotr(e, 11) ^ Rotr(e, 25)) + ((e & f) ^ (~e & g)) + kRound[t] + w[t];
      const std::uint32_t t2 = (Rotr(a, 2) ^ Rotr(a, 13) ^ Rotr(a, 22)) + ((a & b) ^ (a & c) ^ (b & c));
      h = g;
      g = f;
      f = e;
      e = d + t1;
      d = c;
      c = b;
      b = a;
      a = t1 + t2;
    }
    state[0] += a;
    state[1] += b;
    state[2] += c;
    state[3] += d;
    state[4] += e;
    state[5] += f;
    state[6] += g;
    state[7] += h;
  }
}

#ifdef PLUME_SHA256_X86

bool DetectShaNi() {
  unsigned a = 0, b = 0, c = 0, d = 0;
  if (!__get_cpuid(1, &a, &b, &c, &d)) return false;
  const bool ssse3 = (c & (1u << 9)) != 0;
  const bool sse41 = (c & (1u << 19)) != 0;
  if (!__get_cpuid_count(7, 0, &a, &b, &c, &d)) return false;
  const bool sha = (b & (1u << 29)) != 0;
  return ssse3 && sse41 && sha;
}

// Four rounds: the message schedule words live in four registers that rotate;
// msg2 finishes the next group's words, msg1 starts the ones after.
#define PLUME_SHA_QUAD(g, cur, prev, next)                                                        \
  do {                                                                                                  \
    msg = _mm_add_epi32(cur, _mm_loadu_si128(reinterpret_cast<const __m128i*>(&kRound[4 * (g)])));      \
    state1 = _mm_sha256rnds2_epu32(state1, state0, msg);                                                \
    if ((g) >= 3 && (g) <= 14) {                                                                        \
      next = _mm_add_epi32(next, _mm_alignr_epi8(cur, prev, 4));                                        \
      next = _mm_sha256msg2_epu32(next, cur);                                                           \
    }                                                                                                   \
    msg = _mm_shuffle_epi32(msg, 0x0E);                                                                 \
    state0 = _mm_sha256rnds2_epu32(state0, state1, msg);                                                \
    if ((g) >= 1 && (g) <= 12) prev = _mm_sha256msg1_epu32(prev, cur);                                 \
  } while (0)

__attribute__((target("sha,sse4.1,ssse3"))) void CompressShaNi(std::uint32_t* state, const std::uint8_t* data,
                                                                std::size_t blocks) {
  const __m128i byteSwap = _mm_set_epi64x(0x0c0d0e0f08090a0bULL, 0x0405060700010203ULL);
  __m128i tmp = _mm_loadu_si128(reinterpret_cast<const __m128i*>(&state[0]));
  __m128i state1 = _mm_loadu_si128(reinterpret_cast<const __m128i*>(&state[4]));
  tmp = _mm_shuffle_epi32(tmp, 0xB1);            // CDAB
  state1 = _mm_shuffle_epi32(state1, 0x1B);      // EFGH
  __m128i state0 = _mm_alignr_epi8(tmp, state1, 8);  // ABEF
  state1 = _mm_blend_epi16(state1, tmp, 0xF0);   // CDGH

  for (; blocks > 0; --blocks, data += 64) {
    const __m128i abefSave = state0;
    const __m128i cdghSave = state1;
    __m128i msg;
    __m128i m0 = _mm_shuffle_epi8(_mm_loadu_si128(reinterpret_cast<const __m128i*>(data + 0)), byteSwap);
    __m128i m1 = _mm_shuffle_epi8(_mm_loadu_si128(reinterpret_cast<const __m128i*>(data + 16)), byteSwap);
    __m128i m2 = _mm_shuffle_epi8(_mm_loadu_si128(reinterpret_cast<const __m128i*>(data + 32)), byteSwap);
    __m128i m3 = _mm_shuffle_epi8(_mm_loadu_si128(reinterpret_cast<const __m128i*>(data + 48)), byteSwap);
    PLUME_SHA_QUAD(0, m0, m3, m1);
    PLUME_SHA_QUAD(1, m1, m0, m2);
    PLUME_SHA_QUAD(2, m2, m1, m3);
    PLUME_SHA_QUAD(3, m3, m2, m0);
    PLUME_SHA_QUAD(4, m0, m3, m1);
    PLUME_SHA_QUAD(5, m1, m0, m2);
    PLUME_SHA_QUAD(6, m2, m1, m3);
    PLUME_SHA_QUAD(7, m3, m2, m0);
    PLUME_SHA_QUAD(8, m0, m3, m1);
    PLUME_SHA_QUAD(9, m1, m0, m2);
    PLUME_SHA_QUAD(10, m2, m1, m3);
    PLUME_SHA_QUAD(11, m3, m2, m0);
    PLUME_SHA_QUAD(12, m0, m3, m1);
    PLUME_SHA_QUAD(13, m1, m0, m2);
    PLUME_SHA_QUAD(14, m2, m1, m3);
    PLUME_SHA_QUAD(15, m3, m2, m0);
    state0 = _mm_add_epi32(state0, abefSave);
    state1 = _mm_add_epi32(state1, cdghSave);
  }

  tmp = _mm_shuffle_epi32(state0, 0x1B);         // FEBA
  state1 = _mm_shuffle_epi32(state1, 0xB1);      // DCHG
  state0 = _mm_blend_epi16(tmp, state1, 0xF0);   // DCBA
  state1 = _mm_alignr_epi8(state1, tmp, 8);      // ABEF
  _mm_storeu_si128(reinterpret_cast<__m128i*>(&state[0]), state0);
  _mm_storeu_si128(reinterpret_cast<__m128i*>(&state[4]), state1);
}
#undef PLUME_SHA_QUAD

#else
bool DetectShaNi() { return false; }
#endif

Sha256Engine Resolve(Sha256Engine wanted) {
  if (wanted == Sha256Engine::Portable) return Sha256Engine::Portable;
  return Sha256HasShaNi() ? Sha256Engine::ShaNi : Sha256Engine::Portable;
}

}  // namespace

bool Sha256HasShaNi() {
  static const bool has = DetectShaNi();
  return has;
}

Sha256::Sha256(Sha256Engine engine) : state_(kInitial), engine_(Resolve(engine)) {}

void Sha256::Compress(const std::uint8_t* blocks, std::size_t count) {
#ifdef PLUME_SHA256_X86
  if (engine_ == Sha256Engine::ShaNi) {
    CompressShaNi(state_.data(), blocks, count);
    return;
  }
#endif
  CompressPortable(state_.data(), blocks, count);
}

void Sha256::Update(std::span<const std::uint8_t> bytes) {
  const std::uint8_t* p = bytes.data();
  std::size_t left = bytes.size();
  totalBytes_ += left;
  if (buffered_ > 0) {
    const std::size_t take = std::min(left, buffer_.size() - buffered_);
    std::memcpy(buffer_.data() + buffered_, p, take);
    buffered_ += take;
    p += take;
    left -= take;
    if (buffered_ < buffer_.size()) return;
    Compress(buffer_.data(), 1);
    buffered_ = 0;
  }
  const std::size_t whole = left / 64;
  if (whole > 0) Compress(p, whole);
  p += whole * 64;
  left -= whole * 64;
  if (left > 0) std::memcpy(buffer_.data(), p, left);
  buffered_ = left;
}

Sha256::Digest Sha256::Final() {
  const std::uint64_t bits = totalBytes_ * 8;
  buffer_[buffered_++] = 0x80;
  if (buffered_ > 56) {
    std::memset(buffer_.data() + buffered_, 0, 64 - buffered_);
    Compress(buffer_.data(), 1);
    buffered_ = 0;
  }
  std::memset(buffer_.data() + buffered_, 0, 56 - buffered_);
  for (int i = 0; i < 8; ++i) buffer_[56 + i] = static_cast<std::uint8_t>(bits >> (56 - 8 * i));
  Compress(buffer_.data(), 1);
  buffered_ = 0;
  Digest digest;
  for (int i = 0; i < 8; ++i) {
    for (int j = 0; j < 4; ++j) digest[4 * i + j] = static_cast<std::uint8_t>(state_[i] >> (24 - 8 * j));
  }
  return digest;
}

std::string Sha256::ToHex(const Digest& digest) {
  static constexpr char kHex[] = "0123456789ABCDEF";
  std::string text;
  text.reserve(64);
  for (std::uint8_t byte : digest) {
    text.push_back(kHex[byte >> 4]);
    text.push_back(kHex[byte & 0x0F]);
  }
  return text;
}

std::string Sha256::HexOf(std::span<const std::uint8_t> bytes, Sha256Engine engine) {
  Sha256 hasher(engine);
  hasher.Update(bytes);
  return ToHex(hasher.Final());
}

std::string FileSha256(const std::filesystem::path& path, Sha256Engine engine) {
  const platform::FileDescriptor fd = platform::FileDescriptor::OpenForReading(path);
  if (!fd.IsOpen()) return {};
#ifdef POSIX_FADV_SEQUENTIAL
  ::posix_fadvise(fd.Get(), 0, 0, POSIX_FADV_SEQUENTIAL);
#endif
  Sha256 hasher(engine);
  // Large reads keep the system call cost far below the hashing cost.
  std::vector<std::uint8_t> buffer(std::size_t{1} << 20);
  bool ok = true;
  for (;;) {
    const ssize_t got = ::read(fd.Get(), buffer.data(), buffer.size());
    if (got == 0) break;
    if (got < 0) {
      if (errno == EINTR) continue;
      ok = false;  // a folder, or an I/O error part way
      break;
    }
    hasher.Update(buffer.data(), static_cast<std::size_t>(got));
  }
  return ok ? Sha256::ToHex(hasher.Final()) : std::string();
}

}  // namespace plume::store
