#pragma once
// The document actions over the ChartDocument alone: new documents and the
// modified mark. Opening and saving files are not wired here; the document
// object's open and save flows take their place.

#include "document/ChartDocument.h"
#include "shell/DocumentActions.h"

namespace plume::shell {

class ChartDocumentActions final : public DocumentActions {
 public:
  explicit ChartDocumentActions(document::ChartDocument& chart) : chart_(chart) {}

  void New() override {
    chart_.NewDocument();
    path_.clear();
    modified_ = false;
  }
  bool Open(const std::filesystem::path&) override { return false; }
  bool Save() override { return false; }
  bool SaveAs() override { return false; }
  bool IsModified() const override { return modified_; }
  void MarkModified() override { modified_ = true; }
  std::filesystem::path Path() const override { return path_; }

 private:
  document::ChartDocument& chart_;
  std::filesystem::path path_;
  bool modified_ = false;
};

}  // namespace plume::shell
