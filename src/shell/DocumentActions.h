#pragma once
// What the main frame needs from the document's open and save flows. The
// frame calls these for the file commands, the recent file entries and the
// start-up; the document object implements them.

#include <filesystem>

namespace plume::shell {

class DocumentActions {
 public:
  virtual ~DocumentActions() = default;
  /// A new empty document without a path.
  virtual void New() = 0;
  /// Opens a document file; false (after its message) leaves the document as
  /// it was. The caller shows the opened document.
  virtual bool Open(const std::filesystem::path& path) = 0;
  /// Saves to the current path, or asks for one; false when not saved.
  virtual bool Save() = 0;
  /// Asks for a path and saves; false when not saved.
  virtual bool SaveAs() = 0;
  /// Every command that needs a document on disk asks this first: without a
  /// path, the question "save first?" and then the save; true when the
  /// document has a file afterwards.
  virtual bool EnsureSaved() = 0;
  /// The chart document's modified flag (edits mark it through its changes).
  virtual bool IsModified() const = 0;
  /// The document's file; empty for a document never saved.
  virtual std::filesystem::path Path() const = 0;
};

}  // namespace plume::shell
