#pragma once
// The settings table: every section, key, type and default the program keeps
// in the settings store, as typed constexpr descriptors. Every read and write
// goes through Get/Set below, so a misspelt key does not compile.
//
//   int quality = settings::Get(store, settings::KanSet::Quality);
//   settings::Set(store, settings::Last::Zoom, 125);
//   std::string face = settings::Get(store, settings::NODE.FontName);  // CP932
//
// Text encodings: the store keeps UTF-8. String settings marked Cp932 are
// program text and are converted on every Get and Set, so callers see CP932
// bytes: NODE/SLIP FontName, BM_NAME captions and Kensaku/Text. All other
// string settings (paths, addresses, search words typed into Qt widgets,
// ASCII words and dates) are UTF-8 in the program as well and pass unchanged.

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <variant>

#include "platform/SettingsStore.h"

namespace plume::platform::settings {

/// How the program holds the text of a string setting.
enum class TextEncoding {
  Utf8,   ///< used as stored
  Cp932,  ///< converted from and to the store's UTF-8 on every Get and Set
};

/// An integer setting, stored as an integer.
struct IntSetting {
  std::string_view section;
  std::string_view key;
  int def;
};

/// A string setting. The default is ASCII, the same in both encodings.
struct StringSetting {
  std::string_view section;
  std::string_view key;
  std::string_view def;
  TextEncoding encoding = TextEncoding::Utf8;
  std::size_t maxBytes = 0;  ///< Cp932 only: longest CP932 text in bytes, 0 = no limit
};

/// A colour 0x00BBGGRR (-1 = none), stored as decimal text ("8388608", "-1").
struct ColorSetting {
  std::string_view section;
  std::string_view key;
  std::int32_t def;
};

/// Any descriptor, for walking the whole table.
using AnySetting = std::variant<IntSetting, StringSetting, ColorSetting>;

/// Section names, exactly as the store spells them.
namespace section {
inline constexpr std::string_view kKanSet = "KanSet";
inline constexpr std::string_view kLast = "Last";
inline constexpr std::string_view kSub = "SUB";
inline constexpr std::string_view kNode = "NODE";
inline constexpr std::string_view kSlip = "SLIP";
inline constexpr std::string_view kInsatu = "Insatu";
inline constexpr std::string_view kKensaku = "Kensaku";
inline constexpr std::string_view kDbDlg = "DbDlg";
inline constexpr std::string_view kTextDlg = "TextDlg";
inline constexpr std::string_view kSys = "Sys";
inline constexpr std::string_view kBmName = "BM_NAME";
inline constexpr std::string_view kBmUrl = "BM_URL";
inline constexpr std::string_view kRecentFileList = "Recent File List";
}  // namespace section

/// The web search site: its start page is the default home page, and web
/// searches go to this address + "search?q=..." (with "tbm" and "tbs" for
/// image and photo searches).
inline constexpr std::string_view kWebSearchSite = "https://www.google.com/";

/// Placement of a resizable window: position, size and maximised flag.
struct WindowPlacementSettings {
  IntSetting PX;
  IntSetting PY;
  IntSetting SX;
  IntSetting SY;
  IntSetting Zoomed;
};

/// The placement keys of `sectionName` with the common defaults 0, 0, 640, 480, 0.
constexpr WindowPlacementSettings MakeWindowPlacement(std::string_view sectionName) {
  return {{sectionName, "PX", 0},
          {sectionName, "PY", 0},
          {sectionName, "SX", 640},
          {sectionName, "SY", 480},
          {sectionName, "Zoomed", 0}};
}

/// Environment settings, edited in the settings sheet.
namespace KanSet {
inline constexpr StringSetting StorePath{section::kKanSet, "StorePath", ""};  ///< folder holding PLUMEDATA
inline constexpr IntSetting FirstOpen{section::kKanSet, "FirstOpen", 0};      ///< 1: reopen the latest document
inline constexpr IntSetting ViewW{section::kKanSet, "ViewW", 1000};           ///< new page width, 500..5000
inline constexpr IntSetting ViewH{section::kKanSet, "ViewH", 1000};           ///< new page height, 500..5000
inline constexpr IntSetting PlayAnime{section::kKanSet, "PlayAnime", 3};      ///< pointer animation trails, 0 off
inline constexpr IntSetting MakeBackup{section::kKanSet, "MakeBackup", 1};    ///< 1: keep a backup on save
inline constexpr IntSetting ImageW{section::kKanSet, "ImageW", 1000};         ///< whole-page capture width, px
inline constexpr IntSetting Quality{section::kKanSet, "Quality", 70};         ///< JPEG quality: 100, 70 or 40
inline constexpr StringSetting ImageType{section::kKanSet, "ImageType", "JPEG"};  ///< pasted image format
inline constexpr IntSetting ImageDefW{section::kKanSet, "ImageDefW", 150};    ///< pasted image node width, px
inline constexpr StringSetting Home{section::kKanSet, "Home", kWebSearchSite};  ///< home page of the HTML area
inline constexpr IntSetting MenuLen{section::kKanSet, "MenuLen", 40};         ///< bookmark menu caption bytes
inline constexpr IntSetting NodeWClick{section::kKanSet, "NodeWClick", 1};    ///< 0 nothing, 1 source, 2 properties
inline constexpr IntSetting NodeWidth{section::kKanSet, "NodeWidth", 100};    ///< new text node width
inline constexpr IntSetting NodeHeight{section::kKanSet, "NodeHeight", 50};   ///< new text node height
inline constexpr IntSetting SlipWidth{section::kKanSet, "SlipWidth", 100};    ///< new slip width
inline constexpr IntSetting SlipHeight{section::kKanSet, "SlipHeight", 50};   ///< new slip height
inline constexpr IntSetting TateYokoKotei{section::kKanSet, "TateYokoKotei", 1};  ///< 1: keep picture aspect
inline constexpr IntSetting RefleshPic{section::kKanSet, "RefleshPic", 1};    ///< 1: reload picture on resize
inline constexpr IntSetting HitMax{section::kKanSet, "HitMax", 500};          ///< search hits: 500, 1000, 3000
inline constexpr IntSetting Fukugen{section::kKanSet, "Fukugen", 1};          ///< 1: restore last search
inline constexpr IntSetting Kakunin{section::kKanSet, "Kakunin", 1};          ///< 1: confirm before searching
inline constexpr IntSetting RecoveryMin{section::kKanSet, "RecoveryMin", 1};  ///< minutes between recovery copies, 1..60
inline constexpr IntSetting FullText{section::kKanSet, "FullText", 1};        ///< 1: read the text inside materials
}  // namespace KanSet

/// Last state of the main window, views and bars.
namespace Last {
inline constexpr StringSetting FilePath{section::kLast, "FilePath", ""};  ///< document saved last
inline constexpr IntSetting Zoom{section::kLast, "Zoom", 100};             ///< chart zoom, percent
inline constexpr IntSetting ZoomX{section::kLast, "ZoomX", 79};            ///< zoom console centre, client px
inline constexpr IntSetting ZoomY{section::kLast, "ZoomY", 79};
inline constexpr IntSetting DocType{section::kLast, "DocType", 0};         ///< web search kind 0..3
inline constexpr IntSetting cxCur{section::kLast, "cxCur", 400};           ///< left column width
inline constexpr IntSetting cyCur{section::kLast, "cyCur", 400};           ///< HTML area height
inline constexpr WindowPlacementSettings Placement = MakeWindowPlacement(section::kLast);  ///< main window
inline constexpr IntSetting PX = Placement.PX;
inline constexpr IntSetting PY = Placement.PY;
inline constexpr IntSetting SX = Placement.SX;
inline constexpr IntSetting SY = Placement.SY;
inline constexpr IntSetting Zoomed = Placement.Zoomed;
inline constexpr IntSetting PageTileLen{section::kLast, "PageTileLen", 10};  ///< tab caption bytes, 4..50
inline constexpr ColorSetting TipTextColor{section::kLast, "TipTextColor", 0};
inline constexpr IntSetting TipMargin{section::kLast, "TipMargin", 2};       ///< tab tooltip margin, 0..20
inline constexpr ColorSetting TipBkColor{section::kLast, "TipBkColor", 16777215};
inline constexpr StringSetting WebGoku{section::kLast, "WebGoku", ""};       ///< last web search words
inline constexpr IntSetting OptWord{section::kLast, "OptWord", 1};           ///< 1: word export with formatting
inline constexpr IntSetting SearchKubetu{section::kLast, "SearchKubetu", 0};  ///< text search: match case
inline constexpr IntSetting SearchTango{section::kLast, "SearchTango", 0};    ///< text search: whole words
inline constexpr StringSetting SearchText{section::kLast, "SearchText", ""};  ///< text search: last string
}  // namespace Last

namespace SUB {
inline constexpr IntSetting TitlePos{section::kSub, "TitlePos", 2};  ///< titlePos of new picture nodes
}  // namespace SUB

/// The style defaults of new nodes (NODE) or new slips (SLIP); the field
/// names are the keys.
struct StyleSettings {
  ColorSetting refText;
  IntSetting FontBold;
  IntSetting FontSize;
  StringSetting FontName;  ///< CP932, cut to 31 bytes (the record field holds 32 with its NUL)
  IntSetting AlineH;
  IntSetting Yohaku;
  IntSetting Wrap;
  ColorSetting refMen;
  IntSetting Round;
  IntSetting Futosa;
  ColorSetting refWaku;
};

/// Longest FontName in bytes.
inline constexpr std::size_t kFontNameMaxBytes = 31;

/// The style keys of `sectionName`; nodes and slips share the defaults.
constexpr StyleSettings MakeStyleSettings(std::string_view sectionName) {
  return {{sectionName, "refText", 8388608},
          {sectionName, "FontBold", 0},
          {sectionName, "FontSize", 8},
          {sectionName, "FontName", "Meiryo UI", TextEncoding::Cp932, kFontNameMaxBytes},
          {sectionName, "AlineH", 1},
          {sectionName, "Yohaku", 5},
          {sectionName, "Wrap", 1},
          {sectionName, "refMen", 16773100},
          {sectionName, "Round", 0},
          {sectionName, "Futosa", 1},
          {sectionName, "refWaku", 8388608}};
}

inline constexpr StyleSettings NODE = MakeStyleSettings(section::kNode);
inline constexpr StyleSettings SLIP = MakeStyleSettings(section::kSlip);

enum class StyleSection { Node, Slip };

/// NODE or SLIP, for code that serves both.
constexpr const StyleSettings& Style(StyleSection which) {
  return which == StyleSection::Node ? NODE : SLIP;
}

/// The print dialog and the printer setup.
namespace Insatu {
inline constexpr IntSetting PaperSize{section::kInsatu, "PaperSize", 9};     ///< paper code, 9 = A4
inline constexpr IntSetting Orientation{section::kInsatu, "Orientation", 1};  ///< 1 portrait, 2 landscape
inline constexpr IntSetting MarginLmm{section::kInsatu, "MarginLmm", 25};
inline constexpr IntSetting MarginRmm{section::kInsatu, "MarginRmm", 10};
inline constexpr IntSetting MarginTmm{section::kInsatu, "MarginTmm", 25};
inline constexpr IntSetting MarginBmm{section::kInsatu, "MarginBmm", 10};
inline constexpr IntSetting AllOne{section::kInsatu, "AllOne", 0};        ///< 1: whole page on one sheet
inline constexpr IntSetting Hani{section::kInsatu, "Hani", 1};            ///< 1 all, 2 current, 3 from-to
inline constexpr IntSetting DspYohaku{section::kInsatu, "DspYohaku", 0};  ///< 1: margin lines in preview
inline constexpr WindowPlacementSettings Placement = MakeWindowPlacement(section::kInsatu);
inline constexpr IntSetting PX = Placement.PX;
inline constexpr IntSetting PY = Placement.PY;
inline constexpr IntSetting SX = Placement.SX;
inline constexpr IntSetting SY = Placement.SY;
inline constexpr IntSetting Zoomed = Placement.Zoomed;
}  // namespace Insatu

/// The last conditions of the material search.
namespace Kensaku {
inline constexpr IntSetting Type{section::kKensaku, "Type", 0};          ///< type list index
inline constexpr StringSetting Date1{section::kKensaku, "Date1", ""};    ///< "%Y.%m.%d" or "0000.00.00"
inline constexpr StringSetting Date2{section::kKensaku, "Date2", ""};    ///< "%Y.%m.%d" or "9999.99.99"
inline constexpr StringSetting Text{section::kKensaku, "Text", "", TextEncoding::Cp932};  ///< text filter
inline constexpr IntSetting FullText{section::kKensaku, "FullText", 0};  ///< 1: also search inside materials
}  // namespace Kensaku

/// The material search dialog's placement.
namespace DbDlg {
inline constexpr WindowPlacementSettings Placement = MakeWindowPlacement(section::kDbDlg);
inline constexpr IntSetting PX = Placement.PX;
inline constexpr IntSetting PY = Placement.PY;
inline constexpr IntSetting SX = Placement.SX;
inline constexpr IntSetting SY = Placement.SY;
inline constexpr IntSetting Zoomed = Placement.Zoomed;
}  // namespace DbDlg

/// The related text dialog's placement.
namespace TextDlg {
inline constexpr WindowPlacementSettings Placement = MakeWindowPlacement(section::kTextDlg);
inline constexpr IntSetting PX = Placement.PX;
inline constexpr IntSetting PY = Placement.PY;
inline constexpr IntSetting SX = Placement.SX;
inline constexpr IntSetting SY = Placement.SY;
inline constexpr IntSetting Zoomed = Placement.Zoomed;
}  // namespace TextDlg

namespace Sys {
inline constexpr StringSetting No{section::kSys, "No", "00000000"};  ///< next serial, "%08ld"
}  // namespace Sys

/// Number of entries of the recent file list.
inline constexpr int kRecentFileCount = 10;
/// Number of bookmark slots.
inline constexpr int kBookmarkCount = 16;
/// Longest bookmark caption in bytes (the page title is cut to it when added).
inline constexpr std::size_t kBookmarkNameMaxBytes = 202;

namespace detail {
inline constexpr std::string_view kRecentFileKeys[kRecentFileCount] = {
    "File1", "File2", "File3", "File4", "File5", "File6", "File7", "File8", "File9", "File10"};
inline constexpr std::string_view kSlotKeys[kBookmarkCount] = {
    "0", "1", "2", "3", "4", "5", "6", "7", "8", "9", "10", "11", "12", "13", "14", "15"};
}  // namespace detail

/// Entry `number` (1..10) of the recent file list (section "Recent File List",
/// key "File<number>"), a document path. Any other number gives a descriptor
/// with an empty key: it reads as empty and Set ignores it.
constexpr StringSetting RecentFile(int number) {
  const bool valid = number >= 1 && number <= kRecentFileCount;
  return {section::kRecentFileList, valid ? detail::kRecentFileKeys[number - 1] : std::string_view(), ""};
}

/// Caption of bookmark slot `slot` (0..15, 0 the newest), CP932. Any other
/// slot gives a descriptor with an empty key, as RecentFile does.
constexpr StringSetting BookmarkName(int slot) {
  const bool valid = slot >= 0 && slot < kBookmarkCount;
  return {section::kBmName, valid ? detail::kSlotKeys[slot] : std::string_view(), "", TextEncoding::Cp932,
          kBookmarkNameMaxBytes};
}

/// Address of bookmark slot `slot` (0..15). Other slots as BookmarkName.
constexpr StringSetting BookmarkUrl(int slot) {
  const bool valid = slot >= 0 && slot < kBookmarkCount;
  return {section::kBmUrl, valid ? detail::kSlotKeys[slot] : std::string_view(), ""};
}

/// Every descriptor of the table, indexed keys and both style sections
/// included, in table order. Section and key pairs are unique.
std::span<const AnySetting> AllSettings();

/// The stored integer; the default when the key is absent or not a number.
int Get(const SettingsStore& store, const IntSetting& setting);
/// The stored text in the setting's encoding (CP932 cut to maxBytes, or
/// UTF-8); the default when the key is absent.
std::string Get(const SettingsStore& store, const StringSetting& setting);
/// The stored colour; the default when the key is absent or not a decimal
/// number in the range of a 32-bit integer.
std::int32_t Get(const SettingsStore& store, const ColorSetting& setting);

/// Writes the integer.
void Set(SettingsStore& store, const IntSetting& setting, int value);
/// Writes text given in the setting's encoding (CP932 is cut to maxBytes first
/// and stored as UTF-8).
void Set(SettingsStore& store, const StringSetting& setting, std::string_view value);
/// Writes the colour as decimal text.
void Set(SettingsStore& store, const ColorSetting& setting, std::int32_t value);

/// Removes the key, so that it reads as its default again.
void Reset(SettingsStore& store, const AnySetting& setting);

std::string_view SectionOf(const AnySetting& setting);
std::string_view KeyOf(const AnySetting& setting);

/// The current value as UTF-8 text (the default when absent), for listings.
std::string ValueText(const SettingsStore& store, const AnySetting& setting);
/// The default as text, for listings.
std::string DefaultText(const AnySetting& setting);

}  // namespace plume::platform::settings
