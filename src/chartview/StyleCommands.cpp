#include "chartview/StyleCommands.h"

#include <cstring>

#include "chartview/ItemMover.h"
#include "chartview/StyleDefaults.h"
#include "platform/Cp932.h"
#include "platform/Messages.h"

namespace plume::chartview {

namespace {
constexpr document::ColorRef kNone = -1;
}  // namespace

const std::vector<int>& StyleCommands::RibbonCommandIds() {
  static const std::vector<int> ids{kFontName, kFontSize,   kFontBold, kFontColour,  kAlignLeft,
                                    kAlignCentre, kAlignRight, kMargin, kWordWrap,   kFillColour,
                                    kNoFill,   kFrameColour, kNoFrame, kFrameWidth, kRound};
  return ids;
}

std::optional<std::uint16_t> StyleCommands::ParseEditNumber(std::string_view text) {
  if (text.empty()) return std::nullopt;
  std::uint16_t value = 0;
  for (char c : text) {
    if (c < '0' || c > '9') break;
    value = static_cast<std::uint16_t>(value * 10u + static_cast<unsigned>(c - '0'));
  }
  return value;
}

document::ItemStyle* StyleCommands::FocusedStyle() const {
  if (doc_.focusedNode >= 0 && doc_.focusedNode < doc_.nodeCount) return &doc_.nodes[doc_.focusedNode].style;
  if (doc_.focusedSlip >= 0 && doc_.focusedSlip < doc_.slipCount) return &doc_.slips[doc_.focusedSlip].style;
  return nullptr;
}

StyleCommandState StyleCommands::State(int id) const {
  const document::ItemStyle* focused = FocusedStyle();
  StyleCommandState s{focused != nullptr, false};
  switch (id) {
    case kFontBold: s.checked = state_.bold == 1; break;
    case kAlignLeft: s.checked = state_.alignment == 0; break;
    case kAlignCentre: s.checked = state_.alignment == 1; break;
    case kAlignRight: s.checked = state_.alignment == 2; break;
    case kWordWrap: s.checked = state_.wrap == 1; break;
    case kRound: s.checked = state_.round == 0; break;
    case kFillColour: s.enabled = true; break;
    case kNoFill: s.checked = focused && focused->refMen == kNone; break;
    case kNoFrame: s.checked = focused && focused->refWaku == kNone; break;
    default: break;
  }
  return s;
}

template <typename Field>
bool StyleCommands::ApplyToTargets(Field field) {
  bool changed = false;
  if (doc_.focusedNode >= 0) {
    for (int i = 0; i < doc_.nodeCount; ++i) {
      if (doc_.nodeStates[i].selected) changed = field(doc_.nodes[i].style) || changed;
    }
  } else {
    for (int i = 0; i < doc_.slipCount; ++i) {
      if (doc_.slips[i].selected) changed = field(doc_.slips[i].style) || changed;
    }
  }
  return changed;
}

void StyleCommands::Changed(document::EditStep step) {
  doc_.Changes().RequestRepaint();
  doc_.CommitEdit(step);
}

bool StyleCommands::SetFrameWidth(std::uint16_t width) {
  const ItemKind kind = doc_.focusedNode >= 0 ? ItemKind::Nodes : ItemKind::Slips;
  const ItemMover mover(doc_, host_.Zoom());
  bool changed = false;
  for (int i = 0; i < doc_.ItemCount(kind); ++i) {
    if (!doc_.ItemSelected(kind, i)) continue;
    document::ItemStyle& style = doc_.ItemStyleOf(kind, i);
    if (style.Futosa == width) continue;
    const bool wider = width > style.Futosa;
    style.Futosa = width;
    // A wider frame must stay on the page: clamp with the new width, no move.
    if (wider) {
      doc_.ItemRect(kind, i) = mover.MovedRect(kind, i, 0, 0);
    }
    changed = true;
  }
  return changed;
}

bool StyleCommands::Run(int id) {
  if (!AnyFocused()) {
    if (id != kFillColour) return false;
    doc_.CurrentPage().backColor = state_.fillColour;
    Changed(document::EditStep::PageColour);
    return true;
  }
  bool changed = false;
  auto setInt = [this](auto member, auto value) {
    return ApplyToTargets([member, value](document::ItemStyle& s) {
      if (s.*member == value) return false;
      s.*member = value;
      return true;
    });
  };
  auto toggle = [](int& flag) {
    flag = flag == 0 ? 1 : 0;
    return flag;
  };
  auto align = [this, &setInt](int value) {
    if (state_.alignment == value) return false;
    state_.alignment = value;
    return setInt(&document::ItemStyle::AlineH, static_cast<std::uint16_t>(value));
  };
  switch (id) {
    case kFontName: {
      if (state_.fontName.empty()) return false;
      if (state_.fontName.size() > platform::settings::kFontNameMaxBytes) {
        platform::ShowMessage(platform::StringId::FontNameTooLong, {}, platform::MsgIcon::Warning);
        return false;
      }
      const std::string name = state_.fontName;
      changed = ApplyToTargets([&name](document::ItemStyle& s) {
        if (platform::FieldText(s.FontName) == name) return false;
        platform::CopyToField(s.FontName, name);
        return true;
      });
      break;
    }
    case kFontSize:
    case kMargin:
    case kFrameWidth: {
      const std::string& text = id == kFontSize ? state_.fontSize : id == kMargin ? state_.margin : state_.frameWidth;
      const std::optional<std::uint16_t> value = ParseEditNumber(text);
      if (!value) return false;
      if (id == kFontSize) changed = setInt(&document::ItemStyle::FontSize, *value);
      if (id == kMargin) changed = setInt(&document::ItemStyle::Yohaku, *value);
      if (id == kFrameWidth) changed = SetFrameWidth(*value);
      break;
    }
    case kFontBold: changed = setInt(&document::ItemStyle::FontBold, toggle(state_.bold)); break;
    case kWordWrap: changed = setInt(&document::ItemStyle::Wrap, toggle(state_.wrap)); break;
    case kRound: changed = setInt(&document::ItemStyle::Round, toggle(state_.round)); break;
    case kFontColour: changed = setInt(&document::ItemStyle::refText, state_.textColour); break;
    case kFillColour: changed = setInt(&document::ItemStyle::refMen, state_.fillColour); break;
    case kFrameColour: changed = setInt(&document::ItemStyle::refWaku, state_.frameColour); break;
    case kAlignLeft: changed = align(0); break;
    case kAlignCentre: changed = align(1); break;
    case kAlignRight: changed = align(2); break;
    case kNoFill:
      FocusedStyle()->refMen = kNone;
      changed = true;
      break;
    case kNoFrame:
      FocusedStyle()->refWaku = kNone;
      changed = true;
      break;
    default: return false;
  }
  if (changed) Changed(document::EditStep::Style);
  return changed;
}

bool StyleCommands::RefreshState() {
  const document::ItemStyle* style = FocusedStyle();
  if (!style) {
    state_.fillColour = doc_.CurrentPage().backColor;
    return false;
  }
  state_.LoadFrom(*style);
  return true;
}

bool StyleCommands::SetTransparentColour(int id) {
  document::ColorRef colour = kNone;
  switch (id) {
    case kTransBlack: colour = 0; break;
    case kTransWhite: colour = 0x00FFFFFF; break;
    case kTransRed: colour = 0x000000FF; break;
    case kTransGreen: colour = 0x0000FF00; break;
    case kTransBlue: colour = 0x00FF0000; break;
    case kTransOff: colour = kNone; break;
    default: return false;
  }
  if (doc_.focusedNode < 0 || doc_.focusedNode >= doc_.nodeCount) return false;
  doc_.nodes[doc_.focusedNode].transColor = colour;
  Changed(document::EditStep::TransparentColour);
  return true;
}

bool StyleCommands::StoreDefault(platform::SettingsStore& store, platform::settings::StyleSection section) {
  const bool nodes = section == platform::settings::StyleSection::Node;
  const int focus = nodes ? doc_.focusedNode : doc_.focusedSlip;
  if (focus < 0 || focus >= (nodes ? doc_.nodeCount : doc_.slipCount)) return false;
  if (platform::ShowMessage(platform::StringId::ResetStyleDefaultsAsk, {}, platform::MsgIcon::Question,
                            platform::MsgButtons::YesNo) != platform::MsgResult::Yes) {
    return false;
  }
  StyleDefaults::Write(store, section, nodes ? doc_.nodes[focus].style : doc_.slips[focus].style);
  platform::ShowMessage(platform::StringId::StyleDefaultsReset, {}, platform::MsgIcon::Information);
  return true;
}

}  // namespace plume::chartview
