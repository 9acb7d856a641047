#pragma once
// The style commands of the ribbon (font, size, bold, text colour, alignment,
// margin, wrap, fill, frame and corners), no fill and no frame, the
// transparent colour commands of the node menu and the commands that store a
// node's or slip's style as the default for new items. The ribbon's values
// come from a RibbonStyleState that the ribbon fills before a command runs.

#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

#include "chartview/EditCommandHost.h"
#include "chartview/HitTester.h"
#include "chartview/RibbonStyleState.h"
#include "document/ChartDocument.h"
#include "platform/SettingsStore.h"
#include "platform/SettingsTable.h"

namespace plume::chartview {

struct StyleCommandState {
  bool enabled = false;
  bool checked = false;
};

class StyleCommands {
 public:
  // Ribbon commands.
  static constexpr int kFontName = 32847;
  static constexpr int kFontSize = 32846;
  static constexpr int kFontBold = 315;
  static constexpr int kFontColour = 320;
  static constexpr int kAlignLeft = 324;
  static constexpr int kAlignCentre = 325;
  static constexpr int kAlignRight = 326;
  static constexpr int kMargin = 347;
  static constexpr int kWordWrap = 373;
  static constexpr int kFillColour = 394;
  static constexpr int kNoFill = 380;
  static constexpr int kFrameColour = 32815;
  static constexpr int kNoFrame = 379;
  static constexpr int kFrameWidth = 32816;
  static constexpr int kRound = 344;
  // Menu commands of the chart view.
  static constexpr int kStoreSlipDefault = 400;
  static constexpr int kStoreNodeDefault = 401;
  static constexpr int kTransBlack = 374;
  static constexpr int kTransWhite = 375;
  static constexpr int kTransRed = 376;
  static constexpr int kTransGreen = 377;
  static constexpr int kTransBlue = 378;
  static constexpr int kTransOff = 399;

  StyleCommands(document::ChartDocument& doc, EditCommandHost& host, RibbonStyleState& state)
      : doc_(doc), host_(host), state_(state) {}

  /// The fifteen ribbon command ids.
  static const std::vector<int>& RibbonCommandIds();
  /// The leading decimal digits of an edit's text as an unsigned 16-bit
  /// number (0 without digits; larger numbers wrap modulo 65536); nullopt
  /// for an empty text, which cancels the command.
  static std::optional<std::uint16_t> ParseEditNumber(std::string_view text);

  /// Enabled and checked state of ribbon command `id`.
  StyleCommandState State(int id) const;
  /// Runs ribbon command `id` on the selection (or the page background);
  /// true when an item or the page changed.
  bool Run(int id);

  /// Copies the focused node's (else the focused slip's) style into the
  /// ribbon state; with nothing focused only the fill colour follows the
  /// current page's background. False when nothing is focused.
  bool RefreshState();

  /// Commands 374..378 and 399: the focused node's transparent colour.
  /// False when no node is focused or `id` is another command.
  bool SetTransparentColour(int id);
  /// Asks, then stores the focused node's (Node) or slip's (Slip) style as
  /// the default for new items of that kind. True when written.
  bool StoreDefault(platform::SettingsStore& store, platform::settings::StyleSection section);

 private:
  /// The item whose style the ribbon shows: the focused node, else the
  /// focused slip; nullptr when none.
  document::ItemStyle* FocusedStyle() const;
  bool AnyFocused() const { return FocusedStyle() != nullptr; }
  /// Sets one field on every target item that differs; true when one changed.
  template <typename Field>
  bool ApplyToTargets(Field field);
  bool SetFrameWidth(std::uint16_t width);
  void Changed();

  document::ChartDocument& doc_;
  EditCommandHost& host_;
  RibbonStyleState& state_;
};

}  // namespace plume::chartview
