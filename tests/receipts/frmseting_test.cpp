// The settings dialog and the settings object, driven through their windows.
#include <gtest/gtest.h>

#include <vector>

#include "core/module1.h"
#include "core/program_fixture.h"
#include "platform/image/picture.h"
#include "platform/ui/app.h"
#include "platform/ui/testing.h"
#include "platform/ui/utf16.h"
#include "receipts/frmseting.h"
#include "receipts/nomor.h"
#include "receipts/report_runs.h"

namespace {

using ui::testing::clickWindow;
using ui::testing::typeText;

class SettingsTest : public vt::test::ProgramTest {
protected:
  void SetUp() override {
    ProgramTest::SetUp();
    Module1::bukaDatabase();
    ui::App::get().Title("Vantorel V1.7 Build 28092025");
  }
  FrmSeting& seting() { return ui::Default<FrmSeting>(); }
  // Shows the dialog modal, runs the steps inside it, then closes it with Tutup.
  void showModal(const std::function<void(FrmSeting&)>& steps) {
    ui::testing::onShown([&](ui::Form&) {
      steps(seting());
      if (seting().Loaded()) clickWindow(seting().Btutup.hwnd());
    });
    seting().ShowModal();
  }
  void fill(const std::string& lembaga, const std::string& prefix, int templateIndex) {
    seting().TextLembaga.Text(lembaga);
    seting().TextAlamat.Text("Jl. Merdeka 1\r\nTelp 021-555");
    seting().TextKota.Text("Bandung");
    seting().TextNama.Text("Siti");
    seting().TextJabatan.Text("Bendahara");
    seting().TextCatatan.Text("Terima kasih");
    seting().TextFormat.Text(prefix);
    seting().cmbKwitansi.ListIndex(templateIndex);
  }
};

TEST_F(SettingsTest, EmptyTableShowsTheDesignTexts) {
  struct Box {
    ui::TextBox FrmSeting::*box;
    const char* text;
  };
  const Box boxes[] = {{&FrmSeting::TextLembaga, "Text1"}, {&FrmSeting::TextAlamat, "Text2"},
                       {&FrmSeting::TextKota, "Text3"},    {&FrmSeting::TextNama, "Text4"},
                       {&FrmSeting::TextJabatan, "Text5"}, {&FrmSeting::TextCatatan, "Text6"},
                       {&FrmSeting::TextFormat, "Text1"},  {&FrmSeting::TextTgl, "Text2"},
                       {&FrmSeting::TextId, "0"}};
  // Read as the settings object: the first read loads it hidden.
  for (const Box& b : boxes) EXPECT_EQ((seting().*b.box).Text(), b.text);
  EXPECT_TRUE(seting().Loaded());
  EXPECT_FALSE(seting().Visible());
  EXPECT_EQ(seting().cmbKwitansi.ListCount(), 3);
  EXPECT_EQ(seting().cmbKwitansi.List(0), "Kwitansi 1 Portrait");
  EXPECT_EQ(seting().cmbKwitansi.List(1), "Kwitansi 2 Portrait");
  EXPECT_EQ(seting().cmbKwitansi.List(2), "Kwitansi 3 Landscape");
  EXPECT_EQ(seting().cmbKwitansi.ListIndex(), 0);
  EXPECT_FALSE(seting().TextId.Visible());
  EXPECT_TRUE(seting().Image1.Picture().empty());
}

TEST_F(SettingsTest, LoadsTheFirstRow) {
  exec("insert into tblset (namalembaga, alamat, tempatcetak, pemilik, jabatan, Catatan, NoKw, templete) "
       "values ('Yayasan Nusa', 'Jl. Kenanga 2', 'Bogor', 'Budi', 'Ketua', 'Lunas', 'KW-', 'Kwitansi 3 Landscape')");
  exec("insert into tblset (namalembaga, templete) values ('Kedua', 'Kwitansi 2 Portrait')");
  EXPECT_EQ(seting().TextLembaga.Text(), "Yayasan Nusa");
  EXPECT_EQ(seting().TextAlamat.Text(), "Jl. Kenanga 2");
  EXPECT_EQ(seting().TextKota.Text(), "Bogor");
  EXPECT_EQ(seting().TextNama.Text(), "Budi");
  EXPECT_EQ(seting().TextJabatan.Text(), "Ketua");
  EXPECT_EQ(seting().TextCatatan.Text(), "Lunas");
  EXPECT_EQ(seting().TextFormat.Text(), "KW-");
  EXPECT_EQ(seting().TextTgl.Text(), "KW-001/12/2025");
  EXPECT_EQ(seting().cmbKwitansi.ListIndex(), 2);
  EXPECT_EQ(seting().TextId.Text(), "1");
}

TEST_F(SettingsTest, EmptyColumnsAndUnknownTemplateKeepTheirDefaults) {
  exec("insert into tblset (namalembaga, NoKw, templete) values ('Satu', NULL, 'Kwitansi Lama')");
  EXPECT_EQ(seting().TextLembaga.Text(), "Satu");
  EXPECT_EQ(seting().TextKota.Text(), "Text3");
  EXPECT_EQ(seting().TextFormat.Text(), "Text1");
  // A template the list does not know leaves the first one chosen.
  EXPECT_EQ(seting().cmbKwitansi.ListIndex(), 0);
}

// The institution's name other windows ask for (the login's caption) is what
// the dialog would show, without loading it; once loaded, the dialog's box.
TEST_F(SettingsTest, InstitutionNameIsWhatTheDialogWouldShow) {
  EXPECT_EQ(FrmSeting::namaLembaga(), "Text1");
  exec("insert into tblset (namalembaga) values (NULL)");
  EXPECT_EQ(FrmSeting::namaLembaga(), "Text1");
  EXPECT_EQ(seting().TextLembaga.Text(), "Text1");
  seting().Unload();
  exec("update tblset set namalembaga = 'Yayasan O''Brien'");
  exec("insert into tblset (namalembaga) values ('Kedua')");
  EXPECT_EQ(FrmSeting::namaLembaga(), "Yayasan O'Brien");
  EXPECT_FALSE(seting().Loaded());
  seting().Load();
  seting().TextLembaga.Text("Belum disimpan");
  EXPECT_EQ(FrmSeting::namaLembaga(), "Belum disimpan");
  seting().Unload();
  Module1::koneksi->execute("DROP TABLE tblset");
  EXPECT_EQ(FrmSeting::namaLembaga(), "Text1");
}

TEST_F(SettingsTest, SaveInsertsThenUpdatesTheSameRow) {
  exec("ALTER TABLE tblset ADD COLUMN lokasi Text(255)");
  showModal([&](FrmSeting& f) {
    fill("SMK Harapan", "KW/", 1);
    clickWindow(f.BSimpan.hwnd());
    ASSERT_EQ(seams->boxes.size(), 1u);
    EXPECT_EQ(seams->boxes[0].prompt, "Data Berhasil Disimpan");
    EXPECT_EQ(seams->boxes[0].flags, ui::vbInformation);
    EXPECT_EQ(seams->boxes[0].title, "TALVOREN");
    EXPECT_NE(f.TextId.Text(), "0");
    // A second save in the same showing changes that row.
    f.TextKota.Text("Cimahi");
    clickWindow(f.BSimpan.hwnd());
    EXPECT_EQ(seams->boxes.size(), 2u);
  });
  EXPECT_FALSE(seting().Loaded());
  EXPECT_EQ(scalar("select count(*) from tblset"), "1");
  EXPECT_EQ(scalar("select tempatcetak from tblset"), "Cimahi");
  EXPECT_EQ(scalar("select templete from tblset"), "Kwitansi 2 Portrait");
  EXPECT_EQ(scalar("select NoKw from tblset"), "KW/");
  EXPECT_EQ(scalar("select alamat from tblset"), "Jl. Merdeka 1\r\nTelp 021-555");

  // Reopened, it shows the stored row; saving again still updates it.
  showModal([&](FrmSeting& f) {
    EXPECT_EQ(f.TextLembaga.Text(), "SMK Harapan");
    EXPECT_EQ(f.TextKota.Text(), "Cimahi");
    EXPECT_EQ(f.cmbKwitansi.ListIndex(), 1);
    f.TextLembaga.Text("SMK Harapan Bangsa");
    clickWindow(f.BSimpan.hwnd());
  });
  EXPECT_EQ(scalar("select count(*) from tblset"), "1");
  EXPECT_EQ(scalar("select namalembaga from tblset"), "SMK Harapan Bangsa");
  // noset and lokasi are the database's and the start-up's, never the save's.
  EXPECT_EQ(scalar("select lokasi from tblset"), "");
}

TEST_F(SettingsTest, ClosingDropsUnsavedEdits) {
  exec("insert into tblset (namalembaga) values ('Tersimpan')");
  showModal([&](FrmSeting& f) { f.TextLembaga.Text("Belum disimpan"); });
  EXPECT_EQ(seting().TextLembaga.Text(), "Tersimpan");
  // The close box also unloads.
  ui::testing::onShown([&](ui::Form& f) {
    seting().TextLembaga.Text("Lagi");
    SendMessageW(f.hwnd(), WM_CLOSE, 0, 0);
  });
  seting().ShowModal();
  EXPECT_FALSE(seting().Loaded());
  EXPECT_EQ(seting().TextLembaga.Text(), "Tersimpan");
}

TEST_F(SettingsTest, SaveFailureIsSilent) {
  seting().Load();
  Module1::koneksi->execute("DROP TABLE tblset");
  clickWindow(seting().BSimpan.hwnd());
  EXPECT_TRUE(seams->boxes.empty());
}

TEST_F(SettingsTest, PreviewFollowsEachKeystroke) {
  showModal([&](FrmSeting& f) {
    f.TextFormat.Text("");
    EXPECT_EQ(f.TextTgl.Text(), "001/12/2025");
    f.TextFormat.SetFocus();
    const std::string typed = "AB/";
    for (size_t i = 0; i < typed.size(); ++i) {
      typeText(f.TextFormat.hwnd(), typed.substr(i, 1));
      EXPECT_EQ(f.TextTgl.Text(), typed.substr(0, i + 1) + "001/12/2025");
    }
    typeText(f.TextFormat.hwnd(), "\b");
    EXPECT_EQ(f.TextTgl.Text(), "AB001/12/2025");
  });
  // "/" between month and year whatever the regional date separator, as the
  // number a receipt gets.
  for (const char* sep : {".", "-"}) {
    SCOPED_TRACE(sep);
    vt::test::DateSeparator regional(ui::Widen(sep));
    showModal([&](FrmSeting& f) {
      f.TextFormat.Text("");
      f.TextFormat.SetFocus();
      typeText(f.TextFormat.hwnd(), "KW-");
      EXPECT_EQ(f.TextTgl.Text(), "KW-001/12/2025");
      EXPECT_EQ(f.TextTgl.Text(), usulanNomor("KW-"));
    });
  }
}

TEST_F(SettingsTest, LogoIsChosenSavedAndShownAgain) {
  const std::string chosen = vt::test::writePicture(file("pilihan.png"), 120, 60, RGB(200, 30, 30));
  showModal([&](FrmSeting& f) {
    // Cancel first: nothing changes.
    seams->fileAnswers.push_back(std::nullopt);
    clickWindow(f.BOpen.hwnd());
    ASSERT_EQ(seams->fileDialogs.size(), 1u);
    EXPECT_EQ(seams->fileDialogs[0].filter, "Pictures (*.jpeg;*.jpg;*.png;*.gif)|*.jpeg;*.jpg;*.png;*.gif");
    EXPECT_FALSE(seams->fileDialogs[0].save);
    EXPECT_TRUE(f.Image1.Picture().empty());
    // A file that is no picture: nothing changes, nothing is said.
    seams->fileAnswers.push_back(file("base.mdb"));
    clickWindow(f.BOpen.hwnd());
    EXPECT_TRUE(f.Image1.Picture().empty());
    EXPECT_TRUE(seams->boxes.empty());

    seams->fileAnswers.push_back(chosen);
    clickWindow(f.BOpen.hwnd());
    ASSERT_FALSE(f.Image1.Picture().empty());
    EXPECT_EQ(f.Image1.Picture().width(), 120);
    // Shown in its own proportions.
    EXPECT_NEAR(f.Image1.Width(), 2 * f.Image1.Height(), 30);
    EXPECT_EQ(GetFileAttributesW(ui::Widen(file("images\\logo.jpg")).c_str()), INVALID_FILE_ATTRIBUTES);
    clickWindow(f.BSimpan.hwnd());
  });
  const img::Picture saved = img::Picture::load(file("images\\logo.jpg"));
  EXPECT_EQ(saved.width(), 120);
  EXPECT_EQ(saved.height(), 60);
  // The next load shows it again.
  EXPECT_EQ(seting().Image1.Picture().width(), 120);
}

TEST_F(SettingsTest, PreviewRunsTheSampleThroughTheChosenTemplateOrNothingWithoutSample) {
  struct Case {
    bool emptySample;
    size_t jobs;
  };
  for (const Case& c : {Case{false, 1}, Case{true, 0}}) {
    SCOPED_TRACE(c.emptySample ? "no sample receipt" : "sample receipt");
    freshSeams();
    std::vector<ReportJob> jobs;
    setReportViewer([&](const ReportJob& job) { jobs.push_back(job); });
    if (c.emptySample) Module1::koneksi->execute("DELETE * FROM tblkuitansitemp");
    showModal([&](FrmSeting& f) {
      f.cmbKwitansi.ListIndex(1);
      clickWindow(f.Button1.hwnd());
    });
    setReportViewer(nullptr);
    EXPECT_TRUE(seams->boxes.empty());
    ASSERT_EQ(jobs.size(), c.jobs);
    if (c.jobs) {
      EXPECT_EQ(jobs[0].templatePath, folder() + "\\temp\\02.rep");
      EXPECT_EQ(jobs[0].query,
                "SELECT tblkuitansitemp.*, Format(tgl, 'dd mmmm yyyy') AS tgl_string from tblkuitansitemp");
      EXPECT_FALSE(jobs[0].period.has_value());
    }
  }
}

TEST_F(SettingsTest, PreviewWithoutTheTemplateFileSaysWhichFileIsMissing) {
  // The fixture's program folder has no temp\ folder.
  showModal([&](FrmSeting& f) { clickWindow(f.Button1.hwnd()); });
  ASSERT_EQ(seams->boxes.size(), 1u);
  EXPECT_NE(seams->boxes[0].prompt.find(folder() + "\\temp\\01.rep"), std::string::npos) << seams->boxes[0].prompt;
  EXPECT_EQ(seams->boxes[0].flags, ui::vbOKOnly);
  EXPECT_EQ(seams->boxes[0].title, "Vantorel V1.7 Build 28092025");
}

TEST_F(SettingsTest, Screenshot) {
  exec("insert into tblset (namalembaga, alamat, tempatcetak, pemilik, jabatan, Catatan, NoKw, templete) "
       "values ('SMK Harapan Bangsa', 'Jl. Merdeka No. 17, Bandung' || char(13,10) || 'Telp. (022) 555-1234' "
       "|| char(13,10) || 'www.harapanbangsa.sch.id', 'Bandung', 'Siti Rahmawati', 'Bendahara', "
       "'Pembayaran sudah diterima dengan baik', 'KW-', 'Kwitansi 2 Portrait')");
  vt::test::writePicture(file("images\\logo.jpg"), 200, 160, RGB(40, 110, 190));
  showModal([&](FrmSeting& f) {
    EXPECT_TRUE(vt::test::screenshot(f.hwnd(), "settings.png"));
    // Every box ends inside its frame; labels end before their boxes.
    struct Row {
      ui::Label* label;
      ui::Control* box;
    };
    const Row rows[] = {{&f.Label1, &f.TextLembaga}, {&f.Label2, &f.TextAlamat}, {&f.Label3, &f.TextKota},
                        {&f.Label4, &f.TextNama},    {&f.Label5, &f.TextJabatan}, {&f.Label6, &f.TextCatatan},
                        {&f.Label7, &f.TextFormat},  {&f.Label8, &f.cmbKwitansi}};
    for (const Row& r : rows) {
      EXPECT_LT(r.label->Left() + r.label->Width(), r.box->Left()) << r.label->Caption();
      EXPECT_LE(r.box->Left() + r.box->Width(), f.Frame1.Width()) << r.label->Caption();
      EXPECT_LE(r.box->Top() + r.box->Height(), f.Frame1.Height()) << r.label->Caption();
    }
  });
}

}  // namespace
