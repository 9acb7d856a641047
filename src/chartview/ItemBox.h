#pragma once
// The parts of a node or slip box shared by both painters: the selection
// halo, the box shape and the handles, with the colours and patterns of the
// chart view.

#include "platform/Canvas.h"

namespace plume::chartview {

inline constexpr platform::CanvasColor kWhite = 0x00FFFFFF;
inline constexpr platform::CanvasColor kNavy = 0x00800000;
inline constexpr platform::CanvasColor kMagenta = 0x00FF00FF;
/// Interior of a box without fill: white ANDed with what is underneath.
inline constexpr platform::Pattern2x2 kNoFillPattern{kWhite, kWhite, kWhite, kWhite};
inline constexpr platform::Pattern2x2 kFocusPattern{kWhite, kNavy, kNavy, kWhite};
inline constexpr platform::Pattern2x2 kSelectionPattern{kWhite, kMagenta, kMagenta, kWhite};

/// Fills the halo of a selected item: `box` grown by lineWidth / 2 and 4
/// pixels, with the focus pattern for the main selection, else the selection pattern.
void DrawSelectionHalo(platform::Canvas& canvas, const platform::IntRect& box, int lineWidth, bool focused);

/// The box with square corners or corners rounded by a corner x corner ellipse.
void DrawBoxShape(platform::Canvas& canvas, const platform::IntRect& box, bool square, int corner,
                  const platform::Pen& pen, const platform::Brush& brush);

/// Draws the box in mask mode with the no-fill pattern (the interior stays,
/// the outline is ANDed with the pixels underneath), then returns to copy mode.
void DrawMaskedBox(platform::Canvas& canvas, const platform::IntRect& box, bool square, int corner,
                   const platform::Pen& pen);

/// Eight handles centred on the corners (10 x 10) and edge midpoints (6 x 6)
/// of `box` grown by lineWidth / 2.
void DrawHandles(platform::Canvas& canvas, const platform::IntRect& box, int lineWidth, bool focused);

/// How far beyond the box a selected item paints (halo and handles).
inline int SelectionReach(int lineWidth) { return lineWidth / 2 + 5 + 4; }

/// Text flags for an AlineH value (0 left, 1 centre, 2 right; others left).
unsigned AlignFlags(int alineH);

}  // namespace plume::chartview
