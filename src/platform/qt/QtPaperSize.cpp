#include "platform/qt/QtPaperSize.h"

#include "platform/PaperCodes.h"

namespace plume::platform {

namespace {

QPageSize::PageSizeId ToQtId(PageSizeId id) {
  switch (id) {
    case PageSizeId::Letter: return QPageSize::Letter;
    case PageSizeId::LetterSmall: return QPageSize::LetterSmall;
    case PageSizeId::Tabloid: return QPageSize::Tabloid;
    case PageSizeId::Ledger: return QPageSize::Ledger;
    case PageSizeId::Legal: return QPageSize::Legal;
    case PageSizeId::Statement: return QPageSize::Statement;
    case PageSizeId::Executive: return QPageSize::ExecutiveStandard;
    case PageSizeId::A3: return QPageSize::A3;
    case PageSizeId::A4: return QPageSize::A4;
    case PageSizeId::A4Small: return QPageSize::A4Small;
    case PageSizeId::A5: return QPageSize::A5;
    case PageSizeId::B4: return QPageSize::B4;
    case PageSizeId::JisB5: return QPageSize::JisB5;
    case PageSizeId::FanFoldGermanLegal: return QPageSize::FanFoldGermanLegal;
    case PageSizeId::Quarto: return QPageSize::Quarto;
    case PageSizeId::Imperial10x14: return QPageSize::Imperial10x14;
    case PageSizeId::Tabloid11x17: return QPageSize::Tabloid;
    case PageSizeId::Note: return QPageSize::Note;
    case PageSizeId::Envelope9: return QPageSize::Envelope9;
    case PageSizeId::Envelope10: return QPageSize::Envelope10;
    case PageSizeId::Envelope11: return QPageSize::Envelope11;
    case PageSizeId::Envelope12: return QPageSize::Envelope12;
    case PageSizeId::Envelope14: return QPageSize::Envelope14;
    case PageSizeId::AnsiC: return QPageSize::AnsiC;
    case PageSizeId::AnsiD: return QPageSize::AnsiD;
    case PageSizeId::AnsiE: return QPageSize::AnsiE;
    case PageSizeId::EnvelopeDL: return QPageSize::EnvelopeDL;
    case PageSizeId::EnvelopeC5: return QPageSize::EnvelopeC5;
    case PageSizeId::EnvelopeC3: return QPageSize::EnvelopeC3;
    case PageSizeId::EnvelopeC4: return QPageSize::EnvelopeC4;
    case PageSizeId::EnvelopeC6: return QPageSize::EnvelopeC6;
    case PageSizeId::EnvelopeC65: return QPageSize::EnvelopeC65;
    case PageSizeId::EnvelopeB4: return QPageSize::EnvelopeB4;
    case PageSizeId::EnvelopeB5: return QPageSize::EnvelopeB5;
    case PageSizeId::EnvelopeB6: return QPageSize::EnvelopeB6;
    case PageSizeId::EnvelopeItalian: return QPageSize::EnvelopeItalian;
    case PageSizeId::EnvelopeMonarch: return QPageSize::EnvelopeMonarch;
    case PageSizeId::EnvelopePersonal: return QPageSize::EnvelopePersonal;
    case PageSizeId::FanFoldUS: return QPageSize::FanFoldUS;
    case PageSizeId::FanFoldGerman: return QPageSize::FanFoldGerman;
    case PageSizeId::FanFoldGermanLegal13: return QPageSize::FanFoldGermanLegal;
  }
  return QPageSize::A4;
}

}  // namespace

QPageSize ToQPageSize(int code) {
  const std::optional<PageSizeId> id = PaperCodePageSize(code);
  return QPageSize(id ? ToQtId(*id) : QPageSize::A4);
}

int PaperCodeOf(const QPageSize& size) {
  for (int code = kFirstPaperCode; code <= kLastPaperCode; ++code)
    if (ToQPageSize(code).id() == size.id()) return code;
  return 0;
}

}  // namespace plume::platform
