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

#include "commands/CommandTable.h"
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
  static constexpr int kFontName = commands::Id(commands::CommandId::ID_FONT_NAME);
  static constexpr int kFontSize = commands::Id(commands::CommandId::ID_FONT_SIZE);
  static constexpr int kFontBold = commands::Id(commands::CommandId::ID_FONT_BOLD);
  static constexpr int kFontColour = commands::Id(commands::CommandId::ID_FONT_COL);
  static constexpr int kAlignLeft = commands::Id(commands::CommandId::ID_H_LEFT);
  static constexpr int kAlignCentre = commands::Id(commands::CommandId::ID_H_CEN);
  static constexpr int kAlignRight = commands::Id(commands::CommandId::ID_H_RIGHT);
  static constexpr int kMargin = commands::Id(commands::CommandId::ID_MARGIN_L);
  static constexpr int kWordWrap = commands::Id(commands::CommandId::ID_WORD_WRAP);
  static constexpr int kFillColour = commands::Id(commands::CommandId::ID_BK_COL);
  static constexpr int kNoFill = commands::Id(commands::CommandId::ID_BK_COL_NON);
  static constexpr int kFrameColour = commands::Id(commands::CommandId::ID_LINE_COL);
  static constexpr int kNoFrame = commands::Id(commands::CommandId::ID_LINE_COL_NON);
  static constexpr int kFrameWidth = commands::Id(commands::CommandId::ID_LINE_SIZE);
  static constexpr int kRound = commands::Id(commands::CommandId::ID_ROUND);
  // Menu commands of the chart view.
  static constexpr int kStoreSlipDefault = commands::Id(commands::CommandId::ID_SLIP_DEFAULT);
  static constexpr int kStoreNodeDefault = commands::Id(commands::CommandId::ID_NODE_DEFAULT);
  static constexpr int kTransBlack = commands::Id(commands::CommandId::ID_TRANS_BLACK);
  static constexpr int kTransWhite = commands::Id(commands::CommandId::ID_TRANS_WHITE);
  static constexpr int kTransRed = commands::Id(commands::CommandId::ID_TRANS_RED);
  static constexpr int kTransGreen = commands::Id(commands::CommandId::ID_TRANS_GREEN);
  static constexpr int kTransBlue = commands::Id(commands::CommandId::ID_TRANS_BLUE);
  static constexpr int kTransOff = commands::Id(commands::CommandId::ID_TRANS_OFF);

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
  void Changed(document::EditStep step);

  document::ChartDocument& doc_;
  EditCommandHost& host_;
  RibbonStyleState& state_;
};

}  // namespace plume::chartview
