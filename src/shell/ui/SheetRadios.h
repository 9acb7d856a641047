#pragma once
// A titled row of radio buttons for the settings sheet pages; button ids are
// their index.

#include <QButtonGroup>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QRadioButton>
#include <QStringList>

namespace plume::shell {

inline QButtonGroup* AddRadioGroup(QWidget* page, QLayout* layout, const QString& title, const QStringList& captions,
                                   const QString& name) {
  auto* box = new QGroupBox(title, page);
  auto* row = new QHBoxLayout(box);
  auto* group = new QButtonGroup(page);
  group->setObjectName(name);
  for (int i = 0; i < captions.size(); ++i) {
    auto* b = new QRadioButton(captions[i], box);
    group->addButton(b, i);
    row->addWidget(b);
  }
  row->addStretch(1);
  layout->addWidget(box);
  return group;
}

/// Checks button `id` of `group`.
inline void CheckRadio(QButtonGroup* group, int id) {
  if (QAbstractButton* b = group->button(id)) b->setChecked(true);
}

}  // namespace plume::shell
