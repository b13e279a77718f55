#pragma once
// The main window: the multiple-document frame with the ribbon, the status-bar
// clock and the wallpaper; its ribbon click handler dispatches every command.
#include <string>

#include "platform/ui/form.h"

class MDIForm1 : public ui::Form {
public:
  MDIForm1();
  ~MDIForm1() override;

  void Form_Load() override;
  void Form_QueryUnload(int& cancel, int unloadMode) override;
  void Form_Unload(int& cancel) override;

  // The command dispatcher: the ribbon's ButtonClick(ID, Caption).
  void RibbonBar1_ButtonClick(const std::string& id, const std::string& caption);
};
