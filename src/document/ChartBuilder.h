#pragma once
// Building a chart in code (demonstration charts, tools): items are added to
// the current page from UTF-8 texts, each call giving what it added.

#include <cstdint>
#include <memory>
#include <string_view>

#include "document/ChartDocument.h"

namespace plume::document {

/// Adds a node of material type `type` titled `titleUtf8` and gives it `rect`; its node id.
std::int32_t AddTextNode(ChartDocument& doc, std::string_view type, std::int32_t serial, std::string_view titleUtf8,
                         Rect rect);

/// What a picture node shows: its material, title, picture and transparent colour.
struct PictureNodeSpec {
  std::int32_t serial = 0;
  std::string_view titleUtf8;
  std::unique_ptr<platform::Picture> picture;
  ColorRef transColor = kNoColor;
};

/// Adds a JPEG picture node dropped at (x, y), sized as a new node is; its node id.
std::int32_t AddPictureNode(ChartDocument& doc, PictureNodeSpec spec, int x, int y);
/// Adds a JPEG picture node and gives it `rect`; its node id.
std::int32_t AddPictureNode(ChartDocument& doc, PictureNodeSpec spec, Rect rect);

/// Adds a slip with `textUtf8` ("\n" breaks lines) and gives it `rect`.
void AddSlip(ChartDocument& doc, std::string_view textUtf8, Rect rect);

/// Adds a page named `nameUtf8` after the last with the tab colours given.
void AddPage(ChartDocument& doc, std::string_view nameUtf8, ColorRef tabBack, ColorRef tabText = 0);

}  // namespace plume::document
