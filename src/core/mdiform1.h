#pragma once
// The main window: the multiple-document frame that the login opens. It
// carries the ribbon with the commands the logged-in user may use, the status
// bar with the clock and the keyboard lights, and the wallpaper stretched over
// its empty client area. Its ribbon click handler dispatches every command of
// the program: it opens the working dialogs modally and runs backup, restore,
// reset, wallpaper and the manual itself.
#include <string>

#include "controls/ribbon/ribbon_images.h"
#include "core/mdiform1_ribbon.h"
#include "platform/ui/commondialog.h"
#include "platform/ui/mdiform.h"
#include "platform/ui/picturebox.h"
#include "platform/ui/statusbar.h"
#include "platform/ui/timer.h"

class MDIForm1 : public ui::MDIForm {
public:
  MDIForm1();
  ~MDIForm1() override;

  RibbonHost RibbonBar1{this};
  // The button pictures, numbered 1 to 51 as the ribbon buttons name them.
  ctl::RibbonImages ImageList1;
  ui::StatusBar StatusBar1{this};
  ui::Timer Timer1{this};
  ui::PictureBox Picture2{this};  // canvas the wallpaper is stretched on
  ui::PictureBox Picture3{this};  // the wallpaper as loaded
  ui::CommonDialog CommonDialog1{this};  // wallpaper (open)
  ui::CommonDialog CommonDialog2{this};  // backup (save)
  ui::CommonDialog CommonDialog3{this};  // restore (open)

  // --- events ---
  void Form_Load() override { MDIForm_Load(); }
  void Form_Activate() override { MDIForm_Activate(); }
  void Form_Resize() override { MDIForm_Resize(); }
  void Form_QueryUnload(int& cancel, int unloadMode) override { MDIForm_QueryUnload(cancel, unloadMode); }
  void Form_Unload(int& cancel) override { MDIForm_Unload(cancel); }

  void MDIForm_Load();
  void MDIForm_Activate();
  void MDIForm_Resize();
  void MDIForm_QueryUnload(int& cancel, int unloadMode);
  void MDIForm_Unload(int& cancel);
  void Timer1_Timer();
  // The command dispatcher: the ribbon's ButtonClick(ID, Caption); the caption
  // is not used.
  void RibbonBar1_ButtonClick(const std::string& id, const std::string& caption);

  // The title with the institution name the settings object holds now: after
  // a save of the settings, a restore or a reset. Nothing while the main
  // window is not open.
  static void tampilkanJudul();

protected:
  void Design() override;

private:
  void AturRibbon();
  void Backup();
  void Restore();
  void Reset();
  void Wallpaper();
  void Panduan();
  void MuatUlangPengaturan();
  // Copies SourceFile over DestFile. When either is the open database the copy
  // goes through the connection. False (after a message) when it did not happen.
  bool CopyFileEvenIfOpen(const std::string& SourceFile, const std::string& DestFile);
};
