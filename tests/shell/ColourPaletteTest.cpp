// The colour buttons' drop-downs offer the standard colours above "その他の色(M)...".
#include <QMenu>
#include <QTest>
#include <QToolButton>
#include <QWidgetAction>

#include "ShellUiFixture.h"
#include "shell/ui/CMainFrame.h"
#include "shell/ui/CMyRibbonBar.h"
#include "shell/ui/CommandRouter.h"
#include "shell/ui/ColourPalette.h"

namespace plume::shell::testing {
namespace {

class ColourPaletteTest : public ShellUiTest {};

TEST_F(ColourPaletteTest, ASwatchColoursTheFocusedNodeFromEachColourButton) {
  auto app = MakeApp();
  ASSERT_TRUE(app->Start({}));
  CMainFrame* frame = app->Frame();
  document::ChartDocument& doc = *app->Chart();
  document::NodeRequest request;
  request.title = "n";
  ASSERT_TRUE(doc.AddNode(std::move(request)));
  frame->Router().Refresh();

  const QColor red(0xff, 0, 0);
  struct Case {
    int button;
    document::ColorRef document::ItemStyle::*field;
  };
  for (const Case& c : {Case{394, &document::ItemStyle::refMen}, Case{32815, &document::ItemStyle::refWaku},
                        Case{320, &document::ItemStyle::refText}}) {
    QMenu* menu = qobject_cast<QToolButton*>(frame->Ribbon()->Element(c.button))->menu();
    ASSERT_NE(menu, nullptr) << c.button;
    const QList<QAction*> actions = menu->actions();
    ASSERT_GE(actions.size(), 2);
    EXPECT_EQ(actions.back()->text(), QStringLiteral("その他の色(&M)..."));
    auto* palette = qobject_cast<ColourPalette*>(actions[actions.size() - 2]);
    ASSERT_NE(palette, nullptr) << c.button;
    menu->popup(QPoint(0, 0));
    QToolButton* swatch = nullptr;
    for (auto* b : menu->findChildren<QToolButton*>())
      if (b->property("colour").value<QColor>() == red) swatch = b;
    ASSERT_NE(swatch, nullptr);
    QTest::mouseClick(swatch, Qt::LeftButton);
    EXPECT_FALSE(menu->isVisible());
    EXPECT_EQ(doc.nodes[0].style.*c.field, document::Rgb(0xff, 0, 0)) << c.button;
  }
}

}  // namespace
}  // namespace plume::shell::testing
