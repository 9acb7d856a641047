#include "store/ui/SearchConditionsForm.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>

#include <algorithm>
#include <string>

#include "platform/Messages.h"
#include "platform/SettingsTable.h"
#include "platform/qt/BalloonTip.h"
#include "platform/qt/QtConvert.h"

namespace plume::store {

namespace kensaku = platform::settings::Kensaku;
using platform::StringId;
using platform::settings::Get;
using platform::settings::Set;

namespace {

/// A stored date "YYYY.MM.DD" as a date; invalid for no bound or a damaged value.
QDate StoredDate(const std::string& text) {
  if (text.size() < 10 || text == kNoLowerDate || text == kNoUpperDate) return {};
  bool okY = false, okM = false, okD = false;
  const int y = QString::fromStdString(text.substr(0, 4)).toInt(&okY);
  const int m = QString::fromStdString(text.substr(5, 2)).toInt(&okM);
  const int d = QString::fromStdString(text.substr(8, 2)).toInt(&okD);
  if (!okY || !okM || !okD || y < 1900 || m < 1 || m > 12 || d < 1 || d > 31) return {};
  return QDate(y, m, d);
}

}  // namespace

SearchConditionsForm::SearchConditionsForm(QWidget& owner, bool fullTextOffered) : owner_(owner) {
  types_ = new QComboBox(&owner);
  types_->setObjectName(QStringLiteral("types"));
  for (int i = 0; i < 7; ++i) types_->addItem(QString::fromUtf8(TypeCaption(i).data(), TypeCaption(i).size()));
  types_->setCurrentIndex(0);
  types_->setToolTip(platform::UiText(StringId::TypeListTip));
  auto makeDate = [&owner](const char* name, QCheckBox*& box, QDateEdit*& edit, const QString& caption) {
    box = new QCheckBox(caption, &owner);
    box->setObjectName(QString::fromLatin1(name) + QStringLiteral("On"));
    edit = new QDateEdit(QDate::currentDate(), &owner);
    edit->setObjectName(QString::fromLatin1(name));
    edit->setDisplayFormat(QStringLiteral("yyyy.MM.dd"));
    edit->setCalendarPopup(true);
    edit->setEnabled(false);
    box->setToolTip(platform::UiText(StringId::DatePickerTip));
    edit->setToolTip(platform::UiText(StringId::DatePickerTip));
    QObject::connect(box, &QCheckBox::toggled, edit, &QWidget::setEnabled);
  };
  makeDate("date1", hasDate1_, date1_, QStringLiteral("(自)"));
  makeDate("date2", hasDate2_, date2_, QStringLiteral("(至)"));
  text_ = new QLineEdit(&owner);
  text_->setObjectName(QStringLiteral("text"));
  text_->setToolTip(platform::UiText(StringId::SearchTextTip));
  fullText_ = new QCheckBox(platform::UiText(StringId::FullTextCheck), &owner);
  fullText_->setObjectName(QStringLiteral("fullText"));
  fullText_->setToolTip(platform::UiText(StringId::FullTextTip));
  fullText_->setEnabled(fullTextOffered);
}

void SearchConditionsForm::Restore(platform::SettingsStore& settings) {
  const int type = Get(settings, kensaku::Type);
  types_->setCurrentIndex(type >= 0 && type < 7 ? type : 0);
  const QDate d1 = StoredDate(Get(settings, kensaku::Date1));
  const QDate d2 = StoredDate(Get(settings, kensaku::Date2));
  if (d1.isValid()) {
    date1_->setDate(d1);
    hasDate1_->setChecked(true);
  }
  if (d2.isValid()) {
    date2_->setDate(d2);
    hasDate2_->setChecked(true);
  }
  text_->setText(platform::FromCp932(Get(settings, kensaku::Text)));
  fullText_->setChecked(fullText_->isEnabled() && Get(settings, kensaku::FullText) == 1);
}

SearchConditions SearchConditionsForm::Take(platform::SettingsStore& settings) const {
  SearchConditions c;
  c.typeIndex = std::max(0, types_->currentIndex());
  Set(settings, kensaku::Type, c.typeIndex);
  c.date1 = hasDate1_->isChecked() ? date1_->date().toString(QStringLiteral("yyyy.MM.dd")).toStdString()
                                   : std::string(kNoLowerDate);
  c.date2 = hasDate2_->isChecked() ? date2_->date().toString(QStringLiteral("yyyy.MM.dd")).toStdString()
                                   : std::string(kNoUpperDate);
  Set(settings, kensaku::Date1, c.date1);
  Set(settings, kensaku::Date2, c.date2);
  c.text = platform::Utf8ToCp932(text_->text().toStdString());
  Set(settings, kensaku::Text, c.text);
  c.fullText = fullText_->isEnabled() && fullText_->isChecked();
  Set(settings, kensaku::FullText, c.fullText ? 1 : 0);
  return c;
}

void SearchConditionsForm::AddTo(QGridLayout& grid) const {
  grid.addWidget(new QLabel(QStringLiteral("1 種別："), &owner_), 0, 0);
  grid.addWidget(types_, 0, 1, 1, 2);
  grid.addWidget(new QLabel(QStringLiteral("2 取得日時："), &owner_), 1, 0);
  auto* dates = new QHBoxLayout;
  dates->addWidget(hasDate1_);
  dates->addWidget(date1_);
  dates->addWidget(hasDate2_);
  dates->addWidget(date2_);
  dates->addStretch(1);
  grid.addLayout(dates, 1, 1, 1, 2);
  grid.addWidget(new QLabel(QStringLiteral("3 テキスト："), &owner_), 2, 0);
  grid.addWidget(text_, 2, 1);
  grid.addWidget(fullText_, 2, 2);
}

void SearchConditionsForm::WatchTips(platform::BalloonTip& tip) const {
  for (QWidget* tipped :
       std::initializer_list<QWidget*>{types_, hasDate1_, date1_, hasDate2_, date2_, text_, fullText_}) {
    tip.Watch(*tipped);
  }
}

}  // namespace plume::store
