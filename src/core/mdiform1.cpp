#include "core/mdiform1.h"

#include <windows.h>

#include <string>

#include "core/frmlogin.h"
#include "core/hooks.h"
#include "core/module1.h"
#include "core/permissions.h"
#include "platform/db/recordset.h"
#include "platform/ui/app.h"
#include "platform/ui/seams.h"
#include "platform/ui/win_util.h"
#include "platform/vb/format.h"

using Module1::koneksi;

namespace {

// A ribbon picture as a picture the frame can show.
img::Picture ToPicture(const ctl::RibbonPicture& picture) {
  if (picture.empty()) return img::Picture();
  HBITMAP bitmap = picture.CopyBitmap();
  img::Picture result = img::Picture::fromHBITMAP(bitmap);
  DeleteObject(bitmap);
  return result;
}

bool IsTrue(db::Recordset& rs, const char* field) { return rs[field] == vb::Variant(true); }

std::string judul() { return std::string(Module1::kJudulUtama) + " [ " + core::institutionName() + " ]"; }

}  // namespace

MDIForm1::MDIForm1() = default;
MDIForm1::~MDIForm1() = default;

void MDIForm1::Design() {
  Move(0, 0, 15360, 10800);
  RibbonBar1.Create(*this);
  RibbonBar1.ButtonClick = [this](const std::string& id, const std::string& caption) {
    RibbonBar1_ButtonClick(id, caption);
  };

  StatusBar1.Create(*this);
  StatusBar1.Panels.Add("", 3000, ui::sbrText, "Tanggal hari ini");
  StatusBar1.Panels.Add("", 2500, ui::sbrText, "Waktu Sekarang");
  StatusBar1.Panels.Add("", 1440, ui::sbrCaps);
  StatusBar1.Panels.Add("", 1440, ui::sbrNum);

  Picture2.Create(*this, 0, 0, 300, 300);
  Picture2.BorderStyle(0);
  Picture2.AutoRedraw(true);
  Picture2.Visible(false);
  Picture3.Create(*this, 0, 0, 300, 300);
  Picture3.BorderStyle(0);
  Picture3.AutoSize(true);
  Picture3.Visible(false);

  Timer1.OnTimer = [this] { Timer1_Timer(); };
  Timer1.Interval(100);
  Timer1.Enabled(true);
}

void MDIForm1::MDIForm_Load() {
  ui::App& app = ui::App::get();
  app.Title(Module1::kJudulUtama);
  Caption(judul());

  ctl::RibbonBar& ribbon = RibbonBar1.bar();
  ribbon.Theme(1);
  Picture(ToPicture(ribbon.LoadBackground()));
  BackColor(ribbon.BackColor());
  if (ImageList1.Count() == 0) LoadImageList(ImageList1);
  ribbon.ImageList(&ImageList1);
  ribbon.ButtonCenter(true);

  AturRibbon();
  ribbon.Refresh();

  // A missing or unreadable wallpaper leaves the background plain.
  Module1::abaikanError([&] { Picture3.LoadPicture(app.Path() + "\\images\\latar.jpg"); });
}

// Tabs, groups and buttons from the logged-in user's flags in Tuser.
void MDIForm1::AturRibbon() {
  ctl::RibbonBar& ribbon = RibbonBar1.bar();
  struct Flags {
    bool tabs[core::kTabPermissionCount] = {};
    bool buttons[core::kButtonPermissionCount] = {};
  } flags;
  try {
    db::Recordset rs;
    rs.open("select * from Tuser where kodeuser= '" + db::quote(ui::Default<Frmlogin>().Txtkodeuser.Text()) + "'",
            koneksi, db::adOpenStatic, db::adLockOptimistic, -1);
    if (!rs.eof()) {
      for (int i = 0; i < core::kTabPermissionCount; ++i) flags.tabs[i] = IsTrue(rs, core::kTabPermissions[i].column);
      for (int i = 0; i < core::kButtonPermissionCount; ++i)
        flags.buttons[i] = IsTrue(rs, core::kButtonPermissions[i].column);
    }
    rs.close();
  } catch (const vb::Error& e) {
    // Without the user's row the window still opens, with an empty ribbon, so
    // that the user can read what went wrong and quit.
    ui::MsgBox(e.description(), ui::vbExclamation);
    flags = Flags{};
  }

  FillRibbon(ribbon, flags.tabs, flags.buttons);
}

void MDIForm1::tampilkanJudul() {
  MDIForm1& main = ui::Default<MDIForm1>();
  if (main.Loaded()) main.Caption(judul());
}

void MDIForm1::MDIForm_Activate() { MDIForm_Resize(); }

// Stretches the wallpaper over the whole client area (aspect ratio not kept).
void MDIForm1::MDIForm_Resize() {
  Module1::abaikanError([&] {
    HWND client = clientHwnd();
    RECT inner{};
    GetClientRect(client, &inner);
    Picture2.Move(0, 0, ui::PixelsToTwipsX(inner.right), ui::PixelsToTwipsY(inner.bottom));
    const img::Picture wallpaper = Picture3.Picture();
    if (wallpaper.empty() || inner.right <= 0 || inner.bottom <= 0) return;
    Picture2.PaintPicture(wallpaper, 0, 0, Picture2.ScaleWidth(), Picture2.ScaleHeight(), 0, 0,
                          Picture3.ScaleWidth(), Picture3.ScaleHeight());
    Picture(Picture2.Image());
    HWND mdiClient = FindWindowExW(hwnd(), nullptr, L"MDIClient", nullptr);
    if (mdiClient) {
      RECT rc;
      GetClientRect(mdiClient, &rc);
      InvalidateRect(mdiClient, &rc, TRUE);
    }
  });
}

void MDIForm1::Timer1_Timer() {
  const vb::Date now = vb::now();
  StatusBar1.Panels.Item(1).Text("Tanggal:" + vb::Format(now, " dd mmmm yyyy "));
  StatusBar1.Panels.Item(2).Text(vb::Format(now, " hh:mm:ss Am/Pm "));
}

void MDIForm1::MDIForm_QueryUnload(int& cancel, int /*unloadMode*/) {
  cancel = 1;
  if (ui::MsgBox("Yakin akan keluar dari aplikasi (Y/N) ?", ui::vbYesNo, "Konfirmasi") != ui::vbYes) return;
  cancel = 0;
  Module1::abaikanError([] {
    if (koneksi) koneksi->close();
  });
  ui::App::get().End();
}

void MDIForm1::MDIForm_Unload(int& /*cancel*/) { ui::App::get().End(); }
