// make-manual IN.txt OUT.pdf: writes the user manual (UTF-8 text) as PDF
// pages with the program's own text-to-PDF writer, at build time.

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "convert/CTxt2Pdf.h"
#include "platform/Cp932.h"

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: make-manual IN.txt OUT.pdf\n");
    return 2;
  }
  std::ifstream in(argv[1], std::ios::binary);
  const std::string utf8((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  if (!in.good() && !in.eof()) return 1;
  // The writer takes CP932 text with CR LF line ends.
  std::string text;
  for (char c : plume::platform::Utf8ToCp932(utf8)) {
    if (c == '\n') text += '\r';
    text += c;
  }
  const std::filesystem::path out(argv[2]);
  const std::filesystem::path cp932 = out.string() + ".txt";
  std::ofstream(cp932, std::ios::binary) << text;
  const bool ok = plume::convert::CTxt2Pdf().Convert(cp932, out, 595);
  std::filesystem::remove(cp932);
  return ok ? 0 : 1;
}
