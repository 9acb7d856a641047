#include "DemoChart.h"

#include <QImage>
#include <QPainter>
#include <QRadialGradient>

#include "document/ChartBuilder.h"
#include "platform/qt/QtPictureCodec.h"

namespace plume::cli {
namespace {

using document::ChartDocument;

std::unique_ptr<platform::Picture> SunsetJpeg() {
  QImage image(240, 160, QImage::Format_RGB32);
  QPainter p(&image);
  QLinearGradient sky(0, 0, 0, 160);
  sky.setColorAt(0, QColor(40, 60, 140));
  sky.setColorAt(0.7, QColor(250, 150, 80));
  sky.setColorAt(1, QColor(120, 60, 40));
  p.fillRect(image.rect(), sky);
  p.setBrush(QColor(255, 220, 120));
  p.setPen(Qt::NoPen);
  p.drawEllipse(QPoint(120, 115), 30, 30);
  p.fillRect(0, 120, 240, 40, QColor(30, 40, 60));
  p.end();
  platform::Bytes jpeg = platform::EncodeImage(image, "JPEG", 85);
  return platform::QtPictureCodec().Decode(jpeg);
}

// A round badge on magenta; magenta is the transparent colour of its node.
std::unique_ptr<platform::Picture> BadgeBmp() {
  QImage image(120, 120, QImage::Format_RGB32);
  image.fill(QColor(255, 0, 255));
  QPainter p(&image);
  p.setRenderHint(QPainter::Antialiasing, false);
  p.setBrush(QColor(30, 140, 90));
  p.setPen(QPen(QColor(10, 60, 40), 4));
  p.drawEllipse(10, 10, 100, 100);
  p.setPen(Qt::white);
  p.setFont(QFont("Sans", 28, QFont::Bold));
  p.drawText(QRect(10, 10, 100, 100), Qt::AlignCenter, "OK");
  p.end();
  return platform::QtPictureCodec().Decode(platform::EncodeImage(image, "BMP"));
}

}  // namespace

void BuildDemoChart(ChartDocument& doc) {
  using namespace document;
  doc.NewDocument();
  AddPage(doc, "調査メモ", document::Rgb(255, 240, 200));
  AddPage(doc, "資料一覧", document::Rgb(220, 240, 255));

  doc.header.currentPage = 0;
  const int weather = AddTextNode(doc, "HTML", 1, "東京の天気（週間予報）", {60, 60, 220, 120});
  const int minutes = AddTextNode(doc, "PDF", 2, "会議資料 第3回", {320, 60, 470, 120});
  const int photo = AddPictureNode(doc, {3, "夕焼けの写真", SunsetJpeg()}, 200, 300);
  const int badge = AddPictureNode(doc, {4, "確認済みバッジ", BadgeBmp(), document::Rgb(255, 0, 255)}, 520, 300);
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

}  // namespace plume::cli
