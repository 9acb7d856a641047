#pragma once
// The pictures of the ribbon's page type display: 4 a web page, 5 a PDF
// document, 6 a picture file, 7 an unknown page.

#include <QIcon>

namespace plume::shell {

/// The picture `number` (4..7); other numbers give the unknown page.
QIcon PageTypeIcon(int number);

}  // namespace plume::shell
