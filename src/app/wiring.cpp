#include "app/wiring.h"

#include "core/frmabout.h"
#include "core/frmlogin.h"
#include "core/frmotoritas.h"
#include "core/hooks.h"
#include "customers/frmcustomer.h"
#include "customers/frmdatacustomer.h"
#include "customers/lapdatacustomer.h"
#include "json/json_evaluator.h"
#include "platform/ui/form.h"
#include "platform/ui/seams.h"
#include "receipts/frmdata.h"
#include "receipts/frmkwitansi.h"
#include "receipts/frmseting.h"

namespace app {

void startProgram() {
  Frmlogin& login = ui::Default<Frmlogin>();
  login.Show();
  // The login may have ended this instance (the restart to run elevated).
  if (!login.Loaded() || !login.Visible()) return;
  UpdateWindow(login.hwnd());
  ui::Default<FrmSeting>().Load();
}

void wireProgram() {
  // The JSON evaluator is portable; its boxes are the program's own.
  json::evaluatorSeams().msgBox = [](const std::string& prompt, int flags, const std::string& title) {
    return ui::MsgBox(prompt, flags, title);
  };
  json::evaluatorSeams().inputBox = [](const std::string& prompt, const std::string& title,
                                       const std::string& defaultText) {
    return ui::InputBox(prompt, title, defaultText);
  };

  core::setInstitutionName([] { return FrmSeting::namaLembaga(); });
  core::setSettingsReload([] { FrmSeting::muatUlang(); });

  // Ribbon IDs that open a dialog, modal and owned by the main window. The
  // main window runs 6 backup, 7 restore, 8 reset, 9 wallpaper and 12 the
  // manual itself.
  core::setCommand(0, [](ui::Form& owner) { ui::Default<FrmKwitansi>().ShowModal(&owner); });
  core::setCommand(1, [](ui::Form& owner) { ui::Default<FrmCustomer>().ShowModal(&owner); });
  core::setCommand(2, [](ui::Form& owner) { ui::Default<FrmData>().ShowModal(&owner); });
  core::setCommand(3, [](ui::Form& owner) { ui::Default<LapDataCustomer>().ShowModal(&owner); });
  core::setCommand(4, [](ui::Form& owner) { ui::Default<FrmSeting>().ShowModal(&owner); });
  core::setCommand(5, [](ui::Form& owner) { ui::Default<frmotoritas>().ShowModal(&owner); });
  core::setCommand(10, [](ui::Form& owner) { ui::Default<frmAbout>().ShowModal(&owner); });

  // The entry dialog's pick button: the customer picker over it.
  FrmKwitansi::PilihCustomer = [](FrmKwitansi& entry) { ui::Default<FrmDataCustomer>().ShowModal(&entry); };
}

}  // namespace app
