#include "platform/PaperCodes.h"

#include <array>

namespace plume::platform {

namespace {

struct PaperCode {
  PageSizeId size;
  std::string_view name;
};

// Index = code - 1.
constexpr std::array<PaperCode, kLastPaperCode> kPaperCodes{{
    {PageSizeId::Letter, "Letter, 81/2x11inch"},
    {PageSizeId::LetterSmall, "LetterSmall, 81/2x11inch"},
    {PageSizeId::Tabloid, "Tabloid, 11x17inch"},
    {PageSizeId::Ledger, "Ledger, 17x11inch"},
    {PageSizeId::Legal, "Legal, 81/2x14inch"},
    {PageSizeId::Statement, "Statement, 51/2x81/2inch"},
    {PageSizeId::Executive, "Executive, 71/4x101/2inch"},
    {PageSizeId::A3, "A3Sheet, 297x420mm"},
    {PageSizeId::A4, "A4Sheet, 210x297mm"},
    {PageSizeId::A4Small, "A4smallSheet, 210x297mm"},
    {PageSizeId::A5, "A5Sheet, 148x210mm"},
    {PageSizeId::B4, "B4Sheet, 250x354mm"},
    {PageSizeId::JisB5, "B5Sheet, 182x257mm"},
    {PageSizeId::FanFoldGermanLegal, "Folio, 81/2x13inch"},
    {PageSizeId::Quarto, "Quarto, 215x275mm"},
    {PageSizeId::Imperial10x14, "10x14inchSheet"},
    {PageSizeId::Tabloid11x17, "11x17inchSheet"},
    {PageSizeId::Note, "Note, 81/2x11inch"},
    {PageSizeId::Envelope9, "#9Envelope, 37/8x87/8inch"},
    {PageSizeId::Envelope10, "#10Envelope, 41/8x91/2inch"},
    {PageSizeId::Envelope11, "#11Envelope, 41/2x103/8inch"},
    {PageSizeId::Envelope12, "#12Envelope, 43/4x11inch"},
    {PageSizeId::Envelope14, "#14Envelope, 5x111/2inch"},
    {PageSizeId::AnsiC, "CSheet, 17x22inch"},
    {PageSizeId::AnsiD, "DSheet, 22x34inch"},
    {PageSizeId::AnsiE, "ESheet, 34x44inch"},
    {PageSizeId::EnvelopeDL, "DLEnvelope, 110x220mm"},
    {PageSizeId::EnvelopeC5, "C5Envelope, 162x229mm"},
    {PageSizeId::EnvelopeC3, "C3Envelope, 324x458mm"},
    {PageSizeId::EnvelopeC4, "C4Envelope, 229x324mm"},
    {PageSizeId::EnvelopeC6, "C6Envelope, 114x162mm"},
    {PageSizeId::EnvelopeC65, "C65Envelope, 114x229mm"},
    {PageSizeId::EnvelopeB4, "B4Envelope, 250x353mm"},
    {PageSizeId::EnvelopeB5, "B5Envelope, 176x250mm"},
    {PageSizeId::EnvelopeB6, "B6Envelope, 176x125mm"},
    {PageSizeId::EnvelopeItalian, "ItalyEnvelope, 110x230mm"},
    {PageSizeId::EnvelopeMonarch, "MonarchEnvelope, 37/8x71/2inch"},
    {PageSizeId::EnvelopePersonal, "63/4Envelope, 35/8x61/2inch"},
    {PageSizeId::FanFoldUS, "USStdFanfold, 147/8x11inch"},
    {PageSizeId::FanFoldGerman, "GermanStdFanfold, 81/2x12inch"},
    {PageSizeId::FanFoldGermanLegal13, "GermanLegalFanfold, 81/2x13inch"},
}};

bool Known(int code) { return code >= kFirstPaperCode && code <= kLastPaperCode; }

}  // namespace

std::optional<PageSizeId> PaperCodePageSize(int code) {
  if (!Known(code)) return std::nullopt;
  return kPaperCodes[static_cast<std::size_t>(code - 1)].size;
}

std::string_view PaperCodeName(int code) {
  return Known(code) ? kPaperCodes[static_cast<std::size_t>(code - 1)].name : std::string_view("etc.");
}

}  // namespace plume::platform
