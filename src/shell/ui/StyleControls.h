#pragma once
// The ribbon's style controls bound to the style and alignment commands: the
// font combo, the size, margin and frame width edits, the three colour
// buttons and the toggles. Keeps the ribbon style state, reads the edit
// texts into it before a command runs and writes the focused item's style
// back into the controls whenever the document announces a new focus.

#include <QColor>
#include <QObject>

#include <memory>

#include "chartview/AlignCommands.h"
#include "chartview/EditCommandHost.h"
#include "chartview/RibbonStyleState.h"
#include "chartview/StyleCommands.h"
#include "document/DocumentChanges.h"
#include "platform/SettingsStore.h"

namespace plume::chartview {
class CTesselView;
}

namespace plume::shell {

class CMyRibbonBar;
class CommandRouter;

class StyleControls : public QObject, public chartview::EditCommandHost {
  Q_OBJECT
 public:
  /// Binds to the ribbon's elements and installs the style default hooks on
  /// `doc` in front of the view's. Everything must outlive this object.
  StyleControls(document::ChartDocument& doc, platform::SettingsStore& store, chartview::CTesselView& view,
                CMyRibbonBar& ribbon, CommandRouter& router, QObject* parent);
  ~StyleControls() override;

  chartview::StyleCommands& Styles() { return styles_; }
  chartview::AlignCommands& Align() { return align_; }
  chartview::RibbonStyleState& State() { return state_; }
  platform::SettingsStore& Store() { return store_; }

  /// Reads the font combo and the three edits into the state.
  void ReadTexts();
  /// The focused item's style (or the page background) into the controls.
  void RefreshStyleControls();
  /// Asks for a colour for colour button `id` (320, 394, 32815); on OK the
  /// button takes it and its command runs.
  void ChooseColour(int id);
  /// Colour button `id` takes `colour` and its command runs (the palette).
  void ApplyColour(int id, const QColor& colour);

  // EditCommandHost
  float Zoom() const override;

 private:
  void ConnectControls();
  void ShowColours();
  /// Runs command `id` for a signal of a ribbon control. Skipped while the
  /// owning frame is being destroyed: an edit losing the focus as the window
  /// goes away must not reach the half-destroyed frame.
  void TriggerFromControl(int id);

  document::ChartDocument& doc_;
  platform::SettingsStore& store_;
  chartview::CTesselView& view_;
  CMyRibbonBar& ribbon_;
  CommandRouter& router_;
  chartview::RibbonStyleState state_;
  chartview::StyleCommands styles_;
  chartview::AlignCommands align_;
  const QMetaObject* ownerMeta_;  ///< the frame's class; a base class once its destructor has run
  document::DocumentChanges::Subscription focus_;  ///< the controls follow the focused item
};

}  // namespace plume::shell
