#pragma once
// The command button of the program's dialogs: the owner-drawn ctl::Button
// hosted as a control of the forms runtime, loaded with the properties every
// dialog stores for its buttons (style 5, scheme 1, Tahoma). The dialogs use
// its Caption, Enabled and Click, its place in the tab order and focus, its
// position and visibility; the button keeps its own painting, hover look and
// keys, but its access key and arrow keys go through the form.
#include <memory>
#include <string>

#include "controls/button/button.h"
#include "platform/ui/hosted.h"

class Button : public ui::HostedControl {
public:
  using ui::HostedControl::HostedControl;
  ~Button() override;

  // Places the button on its container at design time (twips), in "Tahoma".
  void Create(ui::Container& parent, int left, int top, int width, int height, const std::string& caption);

  std::string Caption();
  void Caption(const std::string& text);

  // The drawn control itself (nullptr while the dialog is not loaded).
  ctl::Button* control() { return button_.get(); }

  // Enter on the focused button does not click it (Space and the access key
  // do); a form's Escape/cancel handling may still press it through press().
  void press() override;
  // The caption's access key, pressed as the form's keyboard handling finds it.
  wchar_t accessKey() override;
  void pressAccessKey() override;

protected:
  void onHostedDestroyed() override;
  void applyFont() override;
  void applyEnabled(bool v) override;

private:
  std::unique_ptr<ctl::Button> button_;
  std::string caption_;
};
