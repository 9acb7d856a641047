#include "shell/ui/CMainSheet.h"

#include <QDialogButtonBox>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

#include "shell/ui/CPage1.h"
#include "shell/ui/CPage2.h"
#include "shell/ui/CPage3.h"
#include "shell/ui/CPage4.h"
#include "shell/ui/CPage5.h"
#include "shell/ui/CPage6.h"

namespace plume::shell {

CMainSheet::CMainSheet(platform::SettingsStore& settings, int animeCount, QWidget* parent)
    : QDialog(parent), settings_(settings), animeCount_(animeCount) {
  setWindowTitle(QStringLiteral("環境設定"));
  tabs_ = new QTabWidget(this);
  general_ = new CPage1(tabs_);
  web_ = new CPage4(tabs_);
  pdf_ = new CPage2(tabs_);
  image_ = new CPage3(tabs_);
  node_ = new CPage5(tabs_);
  search_ = new CPage6(tabs_);
  tabs_->addTab(general_, QStringLiteral("全般"));
  tabs_->addTab(web_, QStringLiteral("Ｗｅｂ"));
  tabs_->addTab(pdf_, QStringLiteral("ＰＤＦ"));
  tabs_->addTab(image_, QStringLiteral("イメージ"));
  tabs_->addTab(node_, QStringLiteral("ノード"));
  tabs_->addTab(search_, QStringLiteral("検索"));
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  buttons->button(QDialogButtonBox::Ok)->setText(QStringLiteral("OK"));
  buttons->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("キャンセル"));
  connect(buttons, &QDialogButtonBox::accepted, this, &CMainSheet::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &CMainSheet::reject);
  auto* column = new QVBoxLayout(this);
  column->addWidget(tabs_);
  column->addWidget(buttons);

  const SettingsSheetValues values = LoadSheetValues(settings_, animeCount_);
  general_->Load(values);
  web_->Load(values);
  pdf_->Load(values);
  image_->Load(values);
  node_->Load(values);
  search_->Load(values);
}

void CMainSheet::accept() {
  // A spin field still being typed in takes its typed value.
  if (QWidget* focus = focusWidget()) focus->clearFocus();
  SettingsSheetValues values = LoadSheetValues(settings_, animeCount_);
  general_->Save(values);
  web_->Save(values);
  pdf_->Save(values);
  image_->Save(values);
  node_->Save(values);
  search_->Save(values);
  result_ = SaveSheetValues(settings_, values, animeCount_);
  QDialog::accept();
}

}  // namespace plume::shell
