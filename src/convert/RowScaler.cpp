#include "convert/RowScaler.h"

#include <algorithm>
#include <cmath>

namespace plume::convert {

std::vector<RowScaler::Tap> RowScaler::Taps(int src, int dst) {
  std::vector<Tap> taps(static_cast<std::size_t>(std::max(dst, 0)));
  if (src <= 0 || dst <= 0) return taps;
  const double scale = static_cast<double>(dst) / src;
  for (int i = 0; i < dst; ++i) {
    Tap& t = taps[static_cast<std::size_t>(i)];
    if (dst <= src) {
      // Area average over [i / scale, (i + 1) / scale).
      const double from = i / scale, to = std::min<double>((i + 1) / scale, src);
      t.first = static_cast<int>(std::floor(from));
      for (int j = t.first; j < to; ++j) {
        const double w = std::min<double>(j + 1, to) - std::max<double>(j, from);
        if (w > 0) t.weights.push_back(static_cast<float>(w * scale));
        else if (t.weights.empty()) ++t.first;
      }
    } else {
      const double centre = std::clamp((i + 0.5) / scale - 0.5, 0.0, static_cast<double>(src - 1));
      t.first = static_cast<int>(std::floor(centre));
      const double f = centre - t.first;
      t.weights.push_back(static_cast<float>(1 - f));
      if (t.first + 1 < src && f > 0) t.weights.push_back(static_cast<float>(f));
    }
    float total = 0;
    for (float w : t.weights) total += w;
    if (total > 0)
      for (float& w : t.weights) w /= total;
  }
  return taps;
}

RowScaler::RowScaler(int srcWidth, int srcHeight, int dstWidth, int dstHeight, RowSink sink)
    : srcWidth_(srcWidth),
      srcHeight_(srcHeight),
      dstWidth_(dstWidth),
      dstHeight_(dstHeight),
      sink_(std::move(sink)),
      across_(Taps(srcWidth, dstWidth)),
      down_(Taps(srcHeight, dstHeight)),
      scaled_(static_cast<std::size_t>(std::max(dstWidth, 0)) * 4),
      out_(static_cast<std::size_t>(std::max(dstWidth, 0))) {
  unpacked_.resize(static_cast<std::size_t>(std::max(srcWidth, 0)) * 4);
  tapStart_.push_back(0);
  for (const Tap& t : across_) {
    tapFirst_.push_back(t.first);
    tapWeights_.insert(tapWeights_.end(), t.weights.begin(), t.weights.end());
    tapStart_.push_back(tapWeights_.size());
  }
  lastSourceRow_.reserve(down_.size());
  for (const Tap& t : down_) lastSourceRow_.push_back(t.first + static_cast<int>(t.weights.size()) - 1);
}

void RowScaler::Push(std::span<const std::uint32_t> row) {
  if (taken_ >= srcHeight_ || row.size() < static_cast<std::size_t>(srcWidth_)) return;
  const int y = taken_++;
  // Unpack once, then every tap reads four floats in a row.
  for (int x = 0; x < srcWidth_; ++x) {
    const std::uint32_t p = row[static_cast<std::size_t>(x)];
    float* u = &unpacked_[static_cast<std::size_t>(x) * 4];
    u[0] = static_cast<float>(p >> 24);
    u[1] = static_cast<float>((p >> 16) & 0xFF);
    u[2] = static_cast<float>((p >> 8) & 0xFF);
    u[3] = static_cast<float>(p & 0xFF);
  }
  for (int x = 0; x < dstWidth_; ++x) {
    const std::size_t from = tapStart_[static_cast<std::size_t>(x)], to = tapStart_[static_cast<std::size_t>(x) + 1];
    const float* src = &unpacked_[static_cast<std::size_t>(tapFirst_[static_cast<std::size_t>(x)]) * 4];
    float c0 = 0, c1 = 0, c2 = 0, c3 = 0;
    for (std::size_t k = from; k < to; ++k, src += 4) {
      const float w = tapWeights_[k];
      c0 += w * src[0];
      c1 += w * src[1];
      c2 += w * src[2];
      c3 += w * src[3];
    }
    float* d = &scaled_[static_cast<std::size_t>(x) * 4];
    d[0] = c0, d[1] = c1, d[2] = c2, d[3] = c3;
  }
  // Output rows this source row reaches, opened in order.
  while (nextOutput_ < dstHeight_ && down_[static_cast<std::size_t>(nextOutput_)].first <= y) {
    pending_.push_back({nextOutput_, std::vector<float>(scaled_.size(), 0.0f)});
    ++nextOutput_;
  }
  for (Pending& p : pending_) {
    const Tap& t = down_[static_cast<std::size_t>(p.y)];
    const int k = y - t.first;
    if (k < 0 || k >= static_cast<int>(t.weights.size())) continue;
    const float w = t.weights[static_cast<std::size_t>(k)];
    for (std::size_t i = 0; i < scaled_.size(); ++i) p.sum[i] += w * scaled_[i];
  }
  while (!pending_.empty() && lastSourceRow_[static_cast<std::size_t>(pending_.front().y)] <= y) {
    Emit(pending_.front());
    pending_.pop_front();
  }
}

void RowScaler::Emit(Pending& row) {
  auto channel = [](float v) {
    const float r = v + 0.5f;
    return r <= 0.0f ? 0u : r >= 255.0f ? 255u : static_cast<std::uint32_t>(r);
  };
  for (int x = 0; x < dstWidth_; ++x) {
    const float* c = &row.sum[static_cast<std::size_t>(x) * 4];
    out_[static_cast<std::size_t>(x)] =
        (channel(c[0]) << 24) | (channel(c[1]) << 16) | (channel(c[2]) << 8) | channel(c[3]);
  }
  sink_(row.y, out_);
}

}  // namespace plume::convert
