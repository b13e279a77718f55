#pragma once
// A control whose window another library creates (the owner-drawn button, the
// ribbon). The wrapper derives from HostedControl, creates its object's window
// in CreateHosted and wires that object's events to its own. The runtime gives
// it the same position in twips, Visible, Enabled, SetFocus and tab order as
// every other control; the hosted window keeps its own keys and painting.
#include <functional>

#include "platform/ui/control.h"

namespace ui {

class HostedControl : public Control {
public:
  using Control::Control;
  // Makes the window as a child of parent at the given pixel rectangle.
  using CreateFn = std::function<HWND(HWND parent, const RECT& pixels)>;

  bool wantsReturn() const override { return true; }

protected:
  // Called from the form's Design(); returns the window made.
  HWND CreateHosted(Container& parent, int left, int top, int width, int height, const CreateFn& create);
  // The form unloaded and the window is gone: let go of the hosted object.
  virtual void onHostedDestroyed() {}
  void resetState() override { onHostedDestroyed(); }
};

}  // namespace ui
