#pragma once
// Rules for addresses the HTML area is asked to show: what the address field
// makes of typed text, which schemes may be shown, web search addresses and
// the page type display.

#include <string>
#include <string_view>

namespace plume::shell {

/// The address to load for text typed into the address field: trimmed; an
/// absolute path becomes a file:// address; text without a scheme (such as
/// "example.com" or "localhost:8000/x") gets "http://". Empty stays empty.
std::string AddressFromTyped(std::string_view typed);

/// The file:// address of an absolute local path, percent-encoded.
std::string FileAddress(std::string_view path);
/// The local path of a file:// address (percent-decoded); empty for any
/// other address or a file on another host.
std::string LocalPathOf(std::string_view address);

/// The scheme of `address` in lower case ("http", "about"); empty when none.
std::string SchemeOf(std::string_view address);

/// Whether the address field, bookmarks, the web search and the program's
/// own flows may show `address`: http, https, file and about addresses only.
bool IsNavigable(std::string_view address);

/// Kinds of web search (setting DocType).
enum class SearchKind { All = 0, Images = 1, Photos = 2, Pdf = 3 };

/// The web search address for `words` (UTF-8, as typed) of `kind`: the
/// search site + "search?q=" + the words, with " filetype:pdf" after the
/// words for PDF documents, "&tbm=isch" for images and
/// "&tbm=isch&tbs=itp:photo" for photos. Characters that would end the
/// query value early ("&", "#", "+", "%") are percent-encoded; spaces and
/// everything else stay as typed.
std::string WebSearchAddress(std::string_view words, SearchKind kind);

/// The word the ribbon's page type display shows: the type word, "不明" when
/// there is none.
std::string PageTypeLabel(std::string_view pageType);
/// The picture beside it: 4 for "HTML", 5 for "PDF", 6 for other types, 7
/// for none.
int PageTypePicture(std::string_view pageType);

/// Converts text with "\n" or "\r\n" line ends into the text area's tidied
/// form (TidyPageText), returned with "\n" line ends.
std::string TidyForTextArea(std::string_view utf8Text);

}  // namespace plume::shell
