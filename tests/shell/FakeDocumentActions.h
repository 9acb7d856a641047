#pragma once
// A document that only records what the shell asks of it.

#include <string>
#include <vector>

#include "document/ChartDocument.h"
#include "shell/DocumentActions.h"

namespace plume::shell::testing {

struct FakeDocumentActions : DocumentActions {
  std::filesystem::path path;
  bool modified = false;
  bool openSucceeds = true;
  bool saveSucceeds = true;
  int saves = 0;
  int saveAses = 0;
  std::vector<std::string> log;

  void New() override {
    log.push_back("new");
    path.clear();
    modified = false;
  }
  bool Open(const std::filesystem::path& p) override {
    log.push_back("open " + p.string());
    if (!openSucceeds) return false;
    path = p;
    modified = false;
    return true;
  }
  bool Save() override {
    ++saves;
    log.push_back("save");
    if (saveSucceeds) modified = false;
    return saveSucceeds;
  }
  bool SaveAs() override {
    ++saveAses;
    return Save();
  }
  /// Without a path, "saves" under `ensuredPath` when one is given.
  bool EnsureSaved() override {
    log.push_back("ensure saved");
    if (path.empty()) path = ensuredPath;
    return !path.empty();
  }
  std::filesystem::path ensuredPath;
  bool IsModified() const override { return modified; }
  /// Follows the edits announced by `chart` from now on.
  void Follow(document::ChartDocument& chart) {
    edits = chart.Changes().Subscribe([this](document::Change change) {
      if (change == document::Change::Modified) modified = true;
    });
  }
  document::DocumentChanges::Subscription edits;
  std::filesystem::path Path() const override { return path; }
};

}  // namespace plume::shell::testing
