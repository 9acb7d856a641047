#include "convert/PictureFrame.h"

#include <algorithm>

namespace plume::convert {

platform::IntRect PictureRectInFrame(int w, int h, const platform::IntRect& frame) {
  const int fw = frame.Width(), fh = frame.Height();
  if (w <= 0 || h <= 0 || fw <= 0 || fh <= 0) return {};
  int dw = w, dh = h;
  if (!(w < fw && h < fh)) {
    const float scale = std::min(static_cast<float>(fw) / static_cast<float>(w),
                                 static_cast<float>(fh) / static_cast<float>(h));
    dw = std::min(fw, static_cast<int>(static_cast<float>(w) * scale));
    dh = std::min(fh, static_cast<int>(static_cast<float>(h) * scale));
  }
  const int left = frame.left + (fw - dw) / 2;
  const int top = frame.top + (fh - dh) / 2;
  return {left, top, left + dw, top + dh};
}

platform::IntRect DrawPictureInFrame(platform::Canvas& dc, platform::CanvasColor frameColour,
                                     const platform::Picture* picture, const platform::IntRect& frame,
                                     int frameWidth, document::ColorRef transColor, platform::ScratchSurface& scratch) {
  if (picture == nullptr) return {};
  const int w = picture->Width(), h = picture->Height();
  const platform::IntRect target = PictureRectInFrame(w, h, frame);
  if (target.IsEmpty()) return {};
  platform::Canvas* surface = scratch.Reset(dc, {w, h});
  if (surface == nullptr || !surface->DrawPicture(*picture, {0, 0, w, h}, platform::kNoCanvasColor)) return {};
  if (!dc.CopyFrom(*surface, {0, 0, w, h}, target, transColor)) return {};
  if (frameWidth > 0) dc.FrameRect(target.Inflated(1), frameColour);
  return target;
}

}  // namespace plume::convert
