#include "convert/ui/OdfWordWriter.h"

#include <QTextBlockFormat>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextDocumentWriter>

namespace plume::convert::ui {

bool WriteOdfDocument(const WordContent& content, const std::filesystem::path& path) {
  QTextDocument document;
  QTextCursor cursor(&document);
  bool firstBlock = true;
  for (std::size_t page = 0; page < content.pages.size(); ++page) {
    for (std::size_t line = 0; line < content.pages[page].size(); ++line) {
      QTextBlockFormat format;
      if (page > 0 && line == 0) format.setPageBreakPolicy(QTextFormat::PageBreak_AlwaysBefore);
      if (firstBlock) {
        cursor.setBlockFormat(format);
        firstBlock = false;
      } else {
        cursor.insertBlock(format);
      }
      cursor.insertText(QString::fromStdString(content.pages[page][line]));
    }
  }
  QTextDocumentWriter writer(QString::fromStdString(path.string()), "odf");
  return writer.write(&document);
}

}  // namespace plume::convert::ui
