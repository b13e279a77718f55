#include "core/module1.h"

#include "platform/db/recordset.h"
#include "platform/ui/app.h"
#include "platform/ui/seams.h"
#include "platform/vb/variant.h"

namespace Module1 {

std::shared_ptr<db::Connection> koneksi;

bool bukaDatabase() {
  try {
    koneksi = db::Connection::create();
    koneksi->setProvider("Microsoft.Jet.OLEDB.4.0");
    koneksi->setConnectionString("Data Source=" + ui::App::get().Path() + "\\base.mdb");
    koneksi->setProperty("Jet OLEDB:Database Password", vb::Variant(std::string()));
    koneksi->open("", "", "", -1);
  } catch (const std::exception&) {
    // Without its database the program can do nothing at all.
    ui::MsgBox("Fatal Error, Silakan Hub. Admin", ui::vbCritical | ui::vbOKOnly, std::string("Error Load"));
    ui::App::get().End();
  }
  return true;
}

void abaikanError(const std::function<void()>& step) {
  try {
    step();
  } catch (const ui::ProgramEnded&) {
    throw;
  } catch (...) {
    // The stretch goes on with its next step.
  }
}

}  // namespace Module1
