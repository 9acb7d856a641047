#include "document/DemoChart.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <iterator>
#include <utility>

#include "document/ChartBuilder.h"
#include "platform/BmpFile.h"
#include "platform/Cp932.h"

namespace plume::document {

namespace {

using platform::PixelImage;

constexpr std::uint32_t Argb(int r, int g, int b) {
  return 0xFF000000u | (static_cast<std::uint32_t>(r) << 16) | (static_cast<std::uint32_t>(g) << 8) |
         static_cast<std::uint32_t>(b);
}
constexpr std::uint32_t kMagenta = Argb(255, 0, 255);

struct Stop {
  double at;
  std::uint32_t colour;
};

int Channel(std::uint32_t c, int shift) { return static_cast<int>((c >> shift) & 0xFF); }

std::uint32_t Mix(std::uint32_t a, std::uint32_t b, double t) {
  auto mix = [&](int shift) {
    return static_cast<int>(std::lround(Channel(a, shift) + (Channel(b, shift) - Channel(a, shift)) * t));
  };
  return Argb(mix(16), mix(8), mix(0));
}

/// A top-to-bottom gradient through `stops` (ascending), padded with the end colours.
template <std::size_t N>
void FillVerticalGradient(PixelImage& image, const Stop (&stops)[N]) {
  for (int y = 0; y < image.height; ++y) {
    const double t = (y + 0.5) / image.height;
    std::uint32_t colour = t <= stops[0].at ? stops[0].colour : stops[N - 1].colour;
    for (std::size_t i = 1; i < N; ++i) {
      if (t >= stops[i - 1].at && t < stops[i].at) {
        colour = Mix(stops[i - 1].colour, stops[i].colour, (t - stops[i - 1].at) / (stops[i].at - stops[i - 1].at));
        break;
      }
    }
    std::fill_n(image.Row(y), image.width, colour);
  }
}

/// Fills the pixels whose centres `inside` accepts.
template <typename Inside>
void FillWhere(PixelImage& image, std::uint32_t colour, Inside inside) {
  for (int y = 0; y < image.height; ++y)
    for (int x = 0; x < image.width; ++x)
      if (inside(x + 0.5, y + 0.5)) image.At(x, y) = colour;
}

void FillRect(PixelImage& image, int left, int top, int width, int height, std::uint32_t colour) {
  FillWhere(image, colour, [=](double x, double y) { return x >= left && x < left + width && y >= top && y < top + height; });
}

void FillDisc(PixelImage& image, double cx, double cy, double r, std::uint32_t colour) {
  FillWhere(image, colour, [=](double x, double y) { return (x - cx) * (x - cx) + (y - cy) * (y - cy) <= r * r; });
}

/// A stroke `width` pixels wide from (x0, y0) to (x1, y1).
void FillStroke(PixelImage& image, double x0, double y0, double x1, double y1, double width, std::uint32_t colour) {
  const double dx = x1 - x0, dy = y1 - y0, length2 = dx * dx + dy * dy;
  FillWhere(image, colour, [=](double x, double y) {
    const double t = std::clamp(((x - x0) * dx + (y - y0) * dy) / length2, 0.0, 1.0);
    const double ex = x - (x0 + t * dx), ey = y - (y0 + t * dy);
    return ex * ex + ey * ey <= width * width / 4;
  });
}

std::unique_ptr<platform::Picture> AsJpeg(const PixelImage& image, const platform::PixelCodec& codec) {
  return codec.DecodePicture(codec.EncodeJpeg(image, 85));
}

std::unique_ptr<platform::Picture> AsBmp(const PixelImage& image, const platform::PixelCodec& codec) {
  return codec.DecodePicture(
      platform::EncodeBmp24(image.width, image.height, [&image](int x, int y) { return image.At(x, y) & 0xFFFFFF; }));
}

// A landscape photograph as a JPEG material would bring it.
std::unique_ptr<platform::Picture> LandscapeJpeg(const platform::PixelCodec& codec) {
  PixelImage image(240, 160);
  FillVerticalGradient(image, {{0, Argb(40, 70, 150)}, {0.7, Argb(250, 160, 90)}});
  FillDisc(image, 160, 110, 26, Argb(255, 225, 130));
  // A hill rising from the bottom left corner to (70, 90).
  FillWhere(image, Argb(40, 70, 60), [](double x, double y) { return y >= 90 && x >= 160 - y && x <= y - 20; });
  FillRect(image, 0, 130, 240, 30, Argb(30, 45, 70));
  return AsJpeg(image, codec);
}

// A bar chart on magenta; magenta is the transparent colour of its node.
std::unique_ptr<platform::Picture> BarChartBmp(const platform::PixelCodec& codec) {
  PixelImage image(160, 120, kMagenta);
  const std::uint32_t colours[] = {Argb(60, 120, 200), Argb(230, 120, 40), Argb(80, 170, 90), Argb(200, 60, 70)};
  const int heights[] = {60, 95, 40, 80};
  for (int i = 0; i < 4; ++i) FillRect(image, 14 + i * 36, 110 - heights[i], 26, heights[i], colours[i]);
  FillRect(image, 8, 110, 144, 3, Argb(40, 40, 40));
  return AsBmp(image, codec);
}

// A sunset over the sea as a JPEG material would bring it.
std::unique_ptr<platform::Picture> SunsetJpeg(const platform::PixelCodec& codec) {
  PixelImage image(240, 160);
  FillVerticalGradient(image, {{0, Argb(40, 60, 140)}, {0.7, Argb(250, 150, 80)}, {1, Argb(120, 60, 40)}});
  FillDisc(image, 120, 115, 30, Argb(255, 220, 120));
  FillRect(image, 0, 120, 240, 40, Argb(30, 40, 60));
  return AsJpeg(image, codec);
}

// A round badge with a tick on magenta; magenta is the transparent colour of its node.
std::unique_ptr<platform::Picture> BadgeBmp(const platform::PixelCodec& codec) {
  PixelImage image(120, 120, kMagenta);
  FillDisc(image, 60, 60, 52, Argb(10, 60, 40));
  FillDisc(image, 60, 60, 48, Argb(30, 140, 90));
  FillStroke(image, 34, 62, 52, 80, 12, Argb(255, 255, 255));
  FillStroke(image, 52, 80, 86, 40, 12, Argb(255, 255, 255));
  return AsBmp(image, codec);
}

}  // namespace

void FillDemoChart(ChartDocument& doc, const platform::PixelCodec& codec) {
  struct Page {
    const char* name;
    ColorRef back;
    ColorRef text;
  };
  const Page pages[] = {{"企画の概要", Rgb(255, 255, 255), 0},
                        {"市場調査と競合分析", Rgb(255, 242, 204), Rgb(128, 64, 0)},
                        {"参考資料", Rgb(221, 235, 247), 0},
                        {"スケジュール", Rgb(226, 239, 218), Rgb(0, 96, 0)},
                        {"ＷＥＢで集めた画像とＰＤＦのまとめ", Rgb(255, 255, 255), Rgb(160, 0, 0)},
                        {"メモ", Rgb(242, 242, 242), 0}};
  doc.NewDocument();
  // The new document's first page takes the first name; the rest are added.
  ChartDocument::InitPage(doc.pages[0], doc.pages[0].pageId, platform::Utf8ToCp932(pages[0].name));
  doc.pages[0].tabBackColor = pages[0].back;
  doc.pages[0].tabTextColor = pages[0].text;
  for (std::size_t i = 1; i < std::size(pages); ++i) AddPage(doc, pages[i].name, pages[i].back, pages[i].text);

  doc.header.currentPage = 2;
  const std::int32_t plan = AddTextNode(doc, "TXT", 1, "企画書（第2版）", {100, 800, 280, 870});

  doc.header.currentPage = 1;
  const std::int32_t survey = AddTextNode(doc, "HTML", 2, "業界レポート 2024年版", {60, 60, 240, 130});
  const std::int32_t minutes = AddTextNode(doc, "PDF", 3, "競合各社の決算資料", {340, 60, 520, 130});
  const std::int32_t photo = AddPictureNode(doc, {4, "店頭の様子（写真）", LandscapeJpeg(codec)}, {60, 240, 300, 400});
  const std::int32_t chart =
      AddPictureNode(doc, {5, "売上の推移", BarChartBmp(codec), Rgb(255, 0, 255)}, {380, 250, 540, 370});
  AddSlip(doc, "付箋：来週の会議までに\n数字を確認すること", {600, 80, 780, 160});

  const std::pair<std::int32_t, std::int32_t> arcs[] = {
      {survey, minutes}, {survey, photo}, {minutes, chart}, {photo, chart}, {plan, survey}};
  for (auto [from, to] : arcs) doc.arcs[doc.arcCount++] = {from, to};

  doc.header.currentPage = 1;
  doc.ClearSelection();
}

void FillSmallDemoChart(ChartDocument& doc, const platform::PixelCodec& codec) {
  doc.NewDocument();
  AddPage(doc, "調査メモ", Rgb(255, 240, 200));
  AddPage(doc, "資料一覧", Rgb(220, 240, 255));

  doc.header.currentPage = 0;
  const int weather = AddTextNode(doc, "HTML", 1, "東京の天気（週間予報）", {60, 60, 220, 120});
  const int minutes = AddTextNode(doc, "PDF", 2, "会議資料 第3回", {320, 60, 470, 120});
  const int photo = AddPictureNode(doc, {3, "夕焼けの写真", SunsetJpeg(codec)}, 200, 300);
  const int badge = AddPictureNode(doc, {4, "確認済みバッジ", BadgeBmp(codec), Rgb(255, 0, 255)}, 520, 300);
  AddSlip(doc, "付箋：来週までに\n資料を確認すること", {600, 60, 760, 140});

  doc.header.currentPage = 1;
  const int memo = AddTextNode(doc, "TXT", 5, "聞き取りメモ", {100, 100, 260, 160});
  const int summary = AddTextNode(doc, "PDF", 6, "まとめ (Summary)", {400, 240, 560, 300});
  AddSlip(doc, "ページをまたぐ矢印の例", {100, 400, 300, 460});

  doc.header.currentPage = 2;
  const int list = AddTextNode(doc, "GIF", 7, "資料一覧表", {80, 80, 240, 140});

  const std::pair<int, int> arcs[] = {{weather, minutes}, {minutes, photo}, {photo, badge},
                                      {memo, summary},    {weather, memo},  {summary, list}};
  for (auto [from, to] : arcs) doc.arcs[doc.arcCount++] = {from, to};

  doc.header.currentPage = 0;
  doc.ClearSelection();
}

}  // namespace plume::document
