#pragma once
// The page tabs of a document and the page commands behind them: switching,
// adding, renaming, recolouring, moving and deleting pages, the page list's
// counts. Holds the captions the tab bar shows; the Qt bar only draws them.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "document/ChartDocument.h"
#include "document/PageTabsHost.h"
#include "platform/Messages.h"

namespace plume::document {

class PageTabs {
 public:
  static constexpr int kMaxNameBytes = 100;  ///< longest page name

  /// Counts shown by the page list for one page.
  struct PageCounts {
    int withoutPicture = 0;  ///< nodes without a picture ("ＰＤＦ")
    int withPicture = 0;     ///< nodes with a picture ("イメージ")
    int slips = 0;
    int total = 0;           ///< nodes plus slips
  };

  /// Enabling of the tab menu's page commands.
  struct MenuState {
    bool canDelete = false;     ///< more than one page
    bool canMoveLeft = false;   ///< not the first tab
    bool canMoveRight = false;  ///< not the last tab
  };

  PageTabs(ChartDocument& doc, PageTabsHost& host, int captionLength = 10);

  /// The tab caption of a page name (CP932) for a caption length in bytes:
  /// names longer than the length are cut on a character boundary and end in "…".
  static std::string Caption(std::string_view nameCp932, int captionLength);
  /// The message the name dialog shows for `nameCp932`: 30007 for an empty
  /// name, 30008 for one of 101 bytes or more; nullopt for a good name.
  static std::optional<platform::StringId> CheckName(std::string_view nameCp932);

  int CaptionLength() const { return captionLength_; }
  /// Sets the caption length (clamped to 4..50); a change rebuilds every caption.
  void SetCaptionLength(int length);
  /// One tab per page with its shortened caption (a document is shown).
  void Rebuild();

  const std::vector<std::string>& Captions() const { return captions_; }
  int Count() const { return static_cast<int>(captions_.size()); }
  int Current() const { return doc_.header.currentPage; }
  /// The full name of page `tab` (the tooltip's text); empty for no page.
  std::string FullName(int tab) const;

  /// Left click on a tab: shows that page, storing the scroll of the page left.
  void Click(int tab);
  /// Right click on a tab: makes its page current without storing the scroll,
  /// clearing the selection or marking the document modified.
  void RightClick(int tab);
  MenuState MenuEnabling() const;

  /// Inserts a new page before or after the current one, asking for its name.
  bool AddPage(bool after);
  /// Renames the current page, asking for the new name.
  bool RenamePage();
  void SetTabBackColor(ColorRef color);
  void SetTabTextColor(ColorRef color);
  /// Exchanges the current page with its left (right) neighbour.
  bool MoveLeft();
  bool MoveRight();
  /// Deletes the current page after asking; its nodes (and, on "Yes", their
  /// materials), the arcs touching those nodes and its slips go with it.
  bool DeleteCurrentPage();
  /// Page list double click: shows page `index`.
  void ShowPage(int index);
  PageCounts CountsOf(int index) const;

 private:
  void MakeCurrent(int index, bool storeScroll);
  bool Move(int delta);
  void Changed();

  ChartDocument& doc_;
  PageTabsHost& host_;
  int captionLength_;
  std::vector<std::string> captions_;
};

}  // namespace plume::document
