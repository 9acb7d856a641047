#pragma once
// The Windows paper numbering (1..41) the printer settings keep in
// Insatu/PaperSize: each code's display name and its standard page size. The
// page sizes are our own ids; platform/qt maps them to QPageSize.

#include <optional>
#include <string_view>

namespace plume::platform {

/// Standard page sizes the paper codes name, in code order.
enum class PageSizeId {
  Letter, LetterSmall, Tabloid, Ledger, Legal, Statement, Executive, A3, A4, A4Small, A5, B4, JisB5,
  FanFoldGermanLegal, Quarto, Imperial10x14, Tabloid11x17, Note, Envelope9, Envelope10, Envelope11, Envelope12,
  Envelope14, AnsiC, AnsiD, AnsiE, EnvelopeDL, EnvelopeC5, EnvelopeC3, EnvelopeC4, EnvelopeC6, EnvelopeC65,
  EnvelopeB4, EnvelopeB5, EnvelopeB6, EnvelopeItalian, EnvelopeMonarch, EnvelopePersonal, FanFoldUS,
  FanFoldGerman, FanFoldGermanLegal13,
};

inline constexpr int kFirstPaperCode = 1;
inline constexpr int kLastPaperCode = 41;
inline constexpr int kA4PaperCode = 9;

/// The page size of paper code 1..41; nullopt for any other code.
std::optional<PageSizeId> PaperCodePageSize(int code);
/// The name shown for a paper code ("A4Sheet, 210x297mm"); "etc." for an unknown code.
std::string_view PaperCodeName(int code);

}  // namespace plume::platform
