#include "shell/ui/DemoChart.h"

#include "platform/Cp932.h"

namespace plume::shell {

void FillDemoChart(document::ChartDocument& doc) {
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
  std::uint16_t id = 1;
  int index = 0;
  for (const Page& page : pages) {
    document::ChartDocument::InitPage(doc.pages[index], id++, platform::Utf8ToCp932(page.name));
    doc.pages[index].tabBackColor = page.back;
    doc.pages[index].tabTextColor = page.text;
    ++index;
  }
  doc.header.pageCount = static_cast<std::uint16_t>(index);
  doc.header.currentPage = 1;
}

}  // namespace plume::shell
