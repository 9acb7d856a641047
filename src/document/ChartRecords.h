#pragma once
// The fixed-size records of a chart document. They are copied byte for byte
// to and from the chart data file, so field order, widths and padding are
// binding; the static_asserts below prove the layout. Integers are
// little-endian; text fields hold CP932 text ended by a NUL.

#include <bit>
#include <cstddef>
#include <cstdint>
#include <type_traits>

namespace plume::document {

static_assert(std::endian::native == std::endian::little,
              "chart records are stored in the machine's byte order, which must be little-endian");

/// A colour 0x00BBGGRR (red in the low byte); kNoColor means none.
using ColorRef = std::int32_t;
inline constexpr ColorRef kNoColor = -1;

constexpr ColorRef Rgb(int r, int g, int b) { return r | (g << 8) | (b << 16); }

/// Four i32: left, top, right, bottom.
struct Rect {
  std::int32_t left = 0;
  std::int32_t top = 0;
  std::int32_t right = 0;
  std::int32_t bottom = 0;

  constexpr std::int32_t Width() const { return right - left; }
  constexpr std::int32_t Height() const { return bottom - top; }
  friend constexpr bool operator==(const Rect&, const Rect&) = default;
};

/// The appearance block shared by nodes and slips. Field names are the names
/// of the settings keys that hold the defaults for new items.
struct ItemStyle {
  ColorRef refText;        ///< text colour
  std::int32_t FontBold;   ///< nonzero: bold
  std::uint16_t FontSize;  ///< points at zoom 100 %
  char FontName[32];       ///< face name, at most 31 bytes; empty draws "Meiryo UI"
  std::uint16_t AlineH;    ///< 0 left, 1 centre, 2 right
  std::uint16_t Yohaku;    ///< text margin in page units
  std::uint16_t reserved1;
  std::int32_t Wrap;       ///< nonzero: word wrap inside the box
  ColorRef refMen;         ///< fill colour, kNoColor for no fill
  std::int32_t Round;      ///< 0 rounded corners, nonzero square
  std::uint16_t Futosa;    ///< frame width in page units
  std::uint16_t reserved2;
  ColorRef refWaku;        ///< frame colour, kNoColor for no frame
};

/// The style new items get when no defaults are stored.
ItemStyle DefaultItemStyle();

struct DocHeader {
  std::uint16_t pageCount;    ///< 1..100
  std::uint16_t currentPage;  ///< 0-based index of the page shown
  std::uint16_t dialRadius;   ///< dial ring radius, 40..140
  std::uint16_t reserved;     ///< carried unchanged
};

struct PageRecord {
  std::uint16_t pageId;  ///< unique, never 0
  std::uint16_t reserved1;
  std::int32_t scrollX;  ///< scroll position when the page was last left or saved
  std::int32_t scrollY;
  std::int32_t reserved2;
  std::uint16_t pageWidth;  ///< page units
  std::uint16_t pageHeight;
  ColorRef backColor;
  ColorRef tabBackColor;
  ColorRef tabTextColor;
  char pageName[101];  ///< at most 100 bytes
  char reserved3[11];
};

struct ArcRecord {
  std::int32_t fromNode;  ///< nodeId where the arc starts
  std::int32_t toNode;    ///< nodeId the arrowhead points to
};

struct NodeRecord {
  std::int32_t nodeId;
  Rect rect;  ///< page units
  std::int32_t serial;  ///< material serial number
  char dataType[5];     ///< material type word, at most 4 bytes
  char reserved1;
  std::uint16_t pageId;
  std::int32_t hasImage;  ///< nonzero: the node shows a picture
  /// In memory: handle of the node's picture in the document's picture table
  /// (0: none). In a version 1 file: the byte length of the picture entry.
  std::uint32_t image;
  ColorRef transColor;  ///< picture colour drawn transparent, kNoColor for none
  char reserved2[6];
  char title[101];  ///< at most 100 bytes
  char reserved3;
  std::uint16_t titlePos;  ///< picture nodes: 0 no title, 1 above, 2 below
  std::uint16_t reserved4;
  ItemStyle style;
};

struct SlipRecord {
  Rect rect;
  std::int32_t selected;
  std::uint16_t pageId;
  char reserved1[6];
  char slipText[1001];  ///< at most 1000 bytes
  char reserved2[3];
  ItemStyle style;
};

/// Per-node view state, same index as the node; never stored.
struct NodeViewState {
  std::int32_t selected = 0;
  Rect titleRect;  ///< screen pixels where the title was last drawn; empty when none
};

// Layout proofs: sizes and offsets as stored in the chart data file.
static_assert(std::is_trivially_copyable_v<ItemStyle> && sizeof(ItemStyle) == 68);
static_assert(offsetof(ItemStyle, FontSize) == 8 && offsetof(ItemStyle, FontName) == 10 &&
              offsetof(ItemStyle, AlineH) == 42 && offsetof(ItemStyle, Yohaku) == 44 &&
              offsetof(ItemStyle, Wrap) == 48 && offsetof(ItemStyle, refMen) == 52 &&
              offsetof(ItemStyle, Round) == 56 && offsetof(ItemStyle, Futosa) == 60 &&
              offsetof(ItemStyle, refWaku) == 64);
static_assert(std::is_trivially_copyable_v<DocHeader> && sizeof(DocHeader) == 8);
static_assert(offsetof(DocHeader, currentPage) == 2 && offsetof(DocHeader, dialRadius) == 4);
static_assert(std::is_trivially_copyable_v<ArcRecord> && sizeof(ArcRecord) == 8);
static_assert(std::is_trivially_copyable_v<PageRecord> && sizeof(PageRecord) == 144);
static_assert(offsetof(PageRecord, scrollX) == 4 && offsetof(PageRecord, scrollY) == 8 &&
              offsetof(PageRecord, pageWidth) == 16 && offsetof(PageRecord, pageHeight) == 18 &&
              offsetof(PageRecord, backColor) == 20 && offsetof(PageRecord, tabBackColor) == 24 &&
              offsetof(PageRecord, tabTextColor) == 28 && offsetof(PageRecord, pageName) == 32);
static_assert(std::is_trivially_copyable_v<NodeRecord> && sizeof(NodeRecord) == 224);
static_assert(offsetof(NodeRecord, rect) == 4 && offsetof(NodeRecord, serial) == 20 &&
              offsetof(NodeRecord, dataType) == 24 && offsetof(NodeRecord, pageId) == 30 &&
              offsetof(NodeRecord, hasImage) == 32 && offsetof(NodeRecord, image) == 36 &&
              offsetof(NodeRecord, transColor) == 40 && offsetof(NodeRecord, title) == 50 &&
              offsetof(NodeRecord, titlePos) == 152 && offsetof(NodeRecord, style) == 156);
static_assert(std::is_trivially_copyable_v<SlipRecord> && sizeof(SlipRecord) == 1100);
static_assert(offsetof(SlipRecord, selected) == 16 && offsetof(SlipRecord, pageId) == 20 &&
              offsetof(SlipRecord, slipText) == 28 && offsetof(SlipRecord, style) == 1032);

}  // namespace plume::document
