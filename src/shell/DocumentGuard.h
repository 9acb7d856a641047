#pragma once
// The window title of a document and the question before a modified document
// is closed or replaced.

#include <string>

#include "shell/DocumentActions.h"

namespace plume::shell {

/// Name shown for a document without a file.
inline constexpr const char* kUntitledName = "無題";

/// "<file name> - Plumeboard", with "*" after the name while modified.
std::string WindowTitle(const DocumentActions& document);

/// Before the document is closed or replaced: when it is modified, asks
/// 30340 with Yes (save), No (discard) and Cancel. True when the caller may go
/// on: not modified, discarded, or saved successfully.
bool ConfirmDiscard(DocumentActions& document);

}  // namespace plume::shell
