#include "store/ui/DbListCommands.h"

#include <cstdlib>
#include <filesystem>
#include <string>

#include "platform/Messages.h"
#include "store/InfoFile.h"
#include "store/OwnerLookup.h"
#include "store/ui/CPropertyData.h"
#include "store/ui/CTextDlg.h"
#include "store/ui/MaterialList.h"

namespace plume::store {

using platform::MsgButtons;
using platform::MsgIcon;
using platform::MsgResult;
using platform::ShowMessage;
using platform::StringId;

void DbListCommands::DeleteChecked() {
  bool any = false;
  for (int r = 0; r < list_.rowCount() && !any; ++r) any = list_.IsChecked(r);
  if (!any) {
    ShowMessage(StringId::NothingChecked, {}, MsgIcon::Error, MsgButtons::Ok, &owner_);
    return;
  }
  if (ShowMessage(StringId::DeleteCheckedAsk, {}, MsgIcon::Question, MsgButtons::YesNo, &owner_) != MsgResult::Yes) {
    return;
  }
  for (int r = list_.rowCount() - 1; r >= 0; --r) {
    if (!list_.IsChecked(r)) continue;
    if (!store_.DeleteMaterial(ParseSerial(list_.Cell(r, kColSerial)), list_.Cell(r, kColType))) break;
    list_.removeRow(r);
  }
  list_.Renumber();
}

void DbListCommands::CheckOwnerless() {
  InfoFile info(store_);
  int checked = 0;
  int unsure = 0;
  for (int r = 0; r < list_.rowCount(); ++r) {
    list_.SetChecked(r, false);
    const int count = std::atoi(list_.Cell(r, kColOwnerCount).c_str());
    if (count == 0) continue;
    // Only a material none of whose owners can be found is checked: an owner
    // line that may stand for a file that cannot be looked at keeps it unchecked.
    OwnerPresence found = OwnerLookup::Find(list_.Cell(r, kColOwner));
    const Serial serial = ParseSerial(list_.Cell(r, kColSerial));
    bool doubt = found == OwnerPresence::Unknown;
    for (int i = 2; i <= count && found != OwnerPresence::Present; ++i) {
      found = OwnerLookup::Find(info.ReadInfoTag(serial, "FilePath", i));
      doubt = doubt || found == OwnerPresence::Unknown;
    }
    if (found == OwnerPresence::Present) continue;
    if (doubt) {
      ++unsure;
      continue;
    }
    list_.SetChecked(r, true);
    ++checked;
  }
  if (unsure > 0) {
    ShowMessage(StringId::OwnersUnknown, std::to_string(unsure) + "件\n", MsgIcon::Information, MsgButtons::Ok,
                &owner_);
  } else if (checked == 0) {
    ShowMessage(StringId::AllMaterialsOwned, {}, MsgIcon::Information, MsgButtons::Ok, &owner_);
  }
}

void DbListCommands::SameImage(int row) {
  const std::string hash = list_.Cell(row, kColSha256);
  list_.clearSelection();
  int matches = 0;
  for (int r = 0; r < list_.rowCount(); ++r) {
    if (list_.Cell(r, kColSha256) != hash) continue;
    list_.selectionModel()->select(list_.model()->index(r, 0), QItemSelectionModel::Select | QItemSelectionModel::Rows);
    ++matches;
  }
  if (matches < 2) {
    ShowMessage(StringId::NoSameImage, {}, MsgIcon::Information, MsgButtons::Ok, &owner_);
  } else {
    ShowMessage(StringId::SameImageFound, std::to_string(matches - 1) + "件\n", MsgIcon::Information, MsgButtons::Ok,
                &owner_);
  }
}

void DbListCommands::EditRelatedText(int row) {
  const auto root = store_.Root();
  if (!root) return;
  const std::string serial = list_.Cell(row, kColSerial);
  const std::filesystem::path folder = *root / std::string(kTextType) / BucketOf(serial);
  CTextDlg dlg(folder, folder / (serial + ".TXT"), settings_, hooks_.textArea, &owner_);
  dlg.exec();
}

void DbListCommands::ShowProperties(int row) {
  DataProperties props;
  for (int c = kColType; c <= kColFrom; ++c) props.values[c - kColType] = list_.Cell(row, c);
  InfoFile info(store_);
  const Serial serial = ParseSerial(list_.Cell(row, kColSerial));
  for (int i = 1; i <= CPropertyData::kMaxOwners; ++i) {
    std::string owner = info.ReadInfoTag(serial, "FilePath", i);
    if (owner.empty()) break;
    props.owners.push_back(std::move(owner));
  }
  CPropertyData dlg(std::move(props), store_, settings_, pictures_, hooks_, &owner_);
  dlg.exec();
}

}  // namespace plume::store
