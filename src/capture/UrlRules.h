#pragma once
// What a dropped link points to: the type word of the file behind an address
// (also when the file's address is buried in another address, as in an image
// search result), and the decoding of percent-encoded Japanese text. Texts
// are bytes in the program's encoding (CP932).

#include <string>
#include <string_view>

namespace plume::capture {

/// The type word of the file `url` links to: by its last five or four
/// characters (".JPEG", ".TIFF", ".PDF", ".JPG", ".GIF", ".BMP", ".PNG",
/// ".TIF", any case), else by the first of "JPEG", "PDF", "JPG", "GIF", "BMP",
/// "PNG", "TIFF", "TIF" for which FindEmbeddedUrl finds an address, which
/// then replaces `url`. "JPG" gives "JPEG" and "TIF" "TIFF". Empty when none.
std::string DetectUrlType(std::string& url);

/// The innermost address starting with "http://" or "https://" (any case)
/// that ends with the first "." + `typeWord` of `url`, decoding it while it
/// holds a "%"; empty when there is none.
std::string FindEmbeddedUrl(std::string_view url, std::string_view typeWord);

/// Decodes percent escapes: "%E3" with the next two escapes is one UTF-8
/// character, converted to CP932 (a blank when it has no CP932 form); an
/// escape of a CP932 lead byte takes the next escape as its second byte; any
/// other escape is one byte. Empty when an escape is cut short, is not
/// hexadecimal, or a lead byte has no second escape.
std::string DecodeUrlText(std::string_view text);

}  // namespace plume::capture
