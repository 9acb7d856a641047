#pragma once
// The zoom console's pictures, drawn in memory: the face (a shaded green disc
// with a blue plus sign near the top and a red minus sign near the bottom on
// a transparent key colour), the strip of the ten red seven-segment digits,
// and the composition of the face with a zoom percentage written into it.
// All positions are pixels of the 130 x 130 console picture.

#include "chartview/ConsoleBitmap.h"
#include "platform/CanvasTypes.h"

namespace plume::chartview {

class ConsoleArt {
 public:
  /// Width and height of the face and of the composition.
  static constexpr int kSize = 130;
  /// Colour of the face outside the disc, left out when the console is drawn.
  static constexpr platform::CanvasColor kFaceKey = 0x00FFF7FF;
  /// Background of the digit strip, left out when digits are written.
  static constexpr platform::CanvasColor kDigitKey = 0x00808000;
  static constexpr int kDigitWidth = 32;
  static constexpr int kDigitHeight = 50;
  /// Top of the digits in the composition, and the pitch from one to the next.
  static constexpr int kDigitTop = 40;
  static constexpr int kDigitPitch = 34;
  /// The two bars of the plus button and the bar of the minus button.
  static constexpr platform::IntRect kPlusUpright{59, 5, 71, 35};
  static constexpr platform::IntRect kPlusCrossbar{50, 14, 80, 26};
  static constexpr platform::IntRect kMinusBar{50, 104, 80, 116};

  /// The 130 x 130 face.
  static ConsoleBitmap Face();
  /// The 320 x 50 strip: digit d in the cell starting at x = 32 d.
  static ConsoleBitmap DigitStrip();
  /// Left of the first digit of a number with `digits` digits: 49, 31 or 15,
  /// so one to three digits sit centred on the face.
  static int FirstDigitLeft(int digits);
  /// The face with the decimal digits of `percent` (0 .. 999) written in.
  static ConsoleBitmap Compose(const ConsoleBitmap& face, const ConsoleBitmap& strip, int percent);
};

}  // namespace plume::chartview
