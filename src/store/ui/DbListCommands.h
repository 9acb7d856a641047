#pragma once
// The store upkeep commands of the material search dialog's context menu:
// deleting the checked materials, checking those without an owner, selecting
// the same image, editing a material's related text and its properties.

#include "platform/Picture.h"
#include "platform/SettingsStore.h"
#include "store/MaterialStore.h"
#include "store/ui/DbDlgHooks.h"

class QWidget;

namespace plume::store {

class MaterialList;

class DbListCommands {
 public:
  /// Messages and dialogs open over `owner`; everything given must outlive this.
  DbListCommands(MaterialList& list, MaterialStore& store, platform::SettingsStore& settings,
                 const platform::PictureCodec& pictures, const DbDlgHooks& hooks, QWidget& owner)
      : list_(list), store_(store), settings_(settings), pictures_(pictures), hooks_(hooks), owner_(owner) {}

  /// Deletes the checked materials after asking, from the last row up; stops at the first failure.
  void DeleteChecked();
  /// Checks exactly the materials none of whose owner files can be found.
  void CheckOwnerless();
  /// Selects every row with the image of `row` and says how many others there are.
  void SameImage(int row);
  /// Opens the related text of the material in `row` for editing.
  void EditRelatedText(int row);
  /// Opens the properties of the material in `row`.
  void ShowProperties(int row);

 private:
  MaterialList& list_;
  MaterialStore& store_;
  platform::SettingsStore& settings_;
  const platform::PictureCodec& pictures_;
  const DbDlgHooks& hooks_;
  QWidget& owner_;
};

}  // namespace plume::store
