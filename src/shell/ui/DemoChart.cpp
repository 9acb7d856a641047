#include "shell/ui/DemoChart.h"

#include <QImage>
#include <QLinearGradient>
#include <QPainter>

#include "document/ChartBuilder.h"
#include "platform/Cp932.h"
#include "platform/qt/QtPictureCodec.h"

namespace plume::shell {

namespace {

using document::ChartDocument;
using document::AddPictureNode;
using document::AddTextNode;
using platform::Utf8ToCp932;

// A landscape photograph as a JPEG material would bring it.
std::unique_ptr<platform::Picture> LandscapeJpeg() {
  QImage image(240, 160, QImage::Format_RGB32);
  QPainter p(&image);
  QLinearGradient sky(0, 0, 0, 160);
  sky.setColorAt(0, QColor(40, 70, 150));
  sky.setColorAt(0.7, QColor(250, 160, 90));
  p.fillRect(image.rect(), sky);
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(255, 225, 130));
  p.drawEllipse(QPoint(160, 110), 26, 26);
  p.setBrush(QColor(40, 70, 60));
  p.drawPolygon(QPolygon({QPoint(0, 160), QPoint(70, 90), QPoint(140, 160)}));
  p.fillRect(0, 130, 240, 30, QColor(30, 45, 70));
  p.end();
  return platform::QtPictureCodec().Decode(platform::EncodeImage(image, "JPEG", 85));
}

// A bar chart on magenta; magenta is the transparent colour of its node.
std::unique_ptr<platform::Picture> BarChartBmp() {
  QImage image(160, 120, QImage::Format_RGB32);
  image.fill(QColor(255, 0, 255));
  QPainter p(&image);
  const QColor colours[] = {QColor(60, 120, 200), QColor(230, 120, 40), QColor(80, 170, 90), QColor(200, 60, 70)};
  const int heights[] = {60, 95, 40, 80};
  for (int i = 0; i < 4; ++i) p.fillRect(14 + i * 36, 110 - heights[i], 26, heights[i], colours[i]);
  p.fillRect(8, 110, 144, 3, QColor(40, 40, 40));
  p.end();
  return platform::QtPictureCodec().Decode(platform::EncodeImage(image, "BMP"));
}

}  // namespace

void FillDemoChart(ChartDocument& doc) {
  using document::Rgb;
  struct Page {
    const char* name;
    document::ColorRef back;
    document::ColorRef text;
  };
  const Page pages[] = {{"企画の概要", Rgb(255, 255, 255), 0},
                        {"市場調査と競合分析", Rgb(255, 242, 204), Rgb(128, 64, 0)},
                        {"参考資料", Rgb(221, 235, 247), 0},
                        {"スケジュール", Rgb(226, 239, 218), Rgb(0, 96, 0)},
                        {"ＷＥＢで集めた画像とＰＤＦのまとめ", Rgb(255, 255, 255), Rgb(160, 0, 0)},
                        {"メモ", Rgb(242, 242, 242), 0}};
  doc.NewDocument();
  // The new document's first page takes the first name; the rest are added.
  ChartDocument::InitPage(doc.pages[0], doc.pages[0].pageId, Utf8ToCp932(pages[0].name));
  doc.pages[0].tabBackColor = pages[0].back;
  doc.pages[0].tabTextColor = pages[0].text;
  for (std::size_t i = 1; i < std::size(pages); ++i) document::AddPage(doc, pages[i].name, pages[i].back, pages[i].text);

  doc.header.currentPage = 2;
  const std::int32_t plan = AddTextNode(doc, "TXT", 1, "企画書（第2版）", {100, 800, 280, 870});

  doc.header.currentPage = 1;
  const std::int32_t survey = AddTextNode(doc, "HTML", 2, "業界レポート 2024年版", {60, 60, 240, 130});
  const std::int32_t minutes = AddTextNode(doc, "PDF", 3, "競合各社の決算資料", {340, 60, 520, 130});
  const std::int32_t photo = AddPictureNode(doc, {4, "店頭の様子（写真）", LandscapeJpeg()}, {60, 240, 300, 400});
  const std::int32_t chart =
      AddPictureNode(doc, {5, "売上の推移", BarChartBmp(), Rgb(255, 0, 255)}, {380, 250, 540, 370});
  document::AddSlip(doc, "付箋：来週の会議までに\n数字を確認すること", {600, 80, 780, 160});

  const std::pair<std::int32_t, std::int32_t> arcs[] = {
      {survey, minutes}, {survey, photo}, {minutes, chart}, {photo, chart}, {plan, survey}};
  for (auto [from, to] : arcs) doc.arcs[doc.arcCount++] = {from, to};

  doc.header.currentPage = 1;
  doc.ClearSelection();
}

}  // namespace plume::shell
