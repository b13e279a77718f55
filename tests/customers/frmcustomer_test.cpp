// The customer dialog, driven through its windows: IDs, save, update, delete,
// row click and the Enter chain.
#include <gtest/gtest.h>

#include "core/modal_steps.h"
#include "core/module1.h"
#include "platform/db/recordset.h"
#include "customer_fixture.h"
#include "customers/frmcustomer.h"
#include "platform/ui/testing.h"

namespace customers_test {
namespace {

using ui::testing::clickWindow;
using ui::testing::pressKey;

class FrmCustomerTest : public CustomerTest {
protected:
  FrmCustomer& dlg() { return ui::Default<FrmCustomer>(); }
  // Shows the dialog modal, runs the steps inside it, then closes it with "Tutup".
  void showModal(const std::function<void(FrmCustomer&)>& steps) {
    ui::testing::onShown([&](ui::Form&) {
      steps(dlg());
      if (dlg().Loaded()) clickWindow(dlg().Button4.hwnd());
    });
    dlg().ShowModal();
  }
  std::vector<std::string> boxes() {
    return {dlg().TextCustomer.Text(), dlg().TextNama.Text(),  dlg().TextAlamat.Text(),
            dlg().TextTelpn.Text(),    dlg().TextEmail.Text(), dlg().TextPerusahaan.Text()};
  }
  std::string stored(const std::string& column, const std::string& id) {
    return programScalar("select " + column + " from tblcustomer where Nocustomer = '" + id + "'");
  }
  std::string programScalar(const std::string& sql) {
    db::Recordset rs;
    rs.open(sql, Module1::koneksi);
    std::string v = rs.eof() || rs.field(0).value().isNull() ? "" : rs.field(0).value().toString();
    rs.close();
    return v;
  }
};

TEST(NextCustomerID, FollowsTheLargestSerial) {
  struct Case {
    const char* largest;  // nullptr: an empty table
    const char* next;
  };
  const Case cases[] = {{nullptr, "CUST00001"}, {"00001", "CUST00002"}, {"00009", "CUST00010"},
                        {"00999", "CUST01000"}, {"01000", "CUST01001"}, {"99998", "CUST99999"},
                        {"99999", "CUST00000"}, {"00000", "CUST00001"}};
  for (const Case& c : cases) {
    const std::string largest = c.largest ? c.largest : "";
    EXPECT_EQ(nextCustomerID(c.largest ? &largest : nullptr), c.next) << (c.largest ? c.largest : "(none)");
  }
}

TEST_F(FrmCustomerTest, ProposesTheLargestStoredSerialPlusOne) {
  struct Case {
    std::vector<std::string> stored;
    const char* proposal;
  };
  const Case cases[] = {
      {{}, "CUST00001"},
      {{"CUST00001", "CUST00009"}, "CUST00010"},
      {{"CUST00999"}, "CUST01000"},
      {{"CUST00999", "CUST01000"}, "CUST01001"},
      // Gaps stay gaps; the order of insertion does not matter.
      {{"CUST00005", "CUST00001"}, "CUST00006"},
      {{"CUST99999"}, "CUST00000"},
      // Once CUST00000 is stored it is proposed again while CUST99999 is the largest.
      {{"CUST99999", "CUST00000"}, "CUST00000"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.proposal);
    Module1::koneksi->execute("DELETE * FROM tblcustomer");
    for (const std::string& id : c.stored) add({{id, "Nama " + id}});
    EXPECT_EQ(dlg().TextCustomer.Text(), c.proposal);
    // "Tambah" proposes the same without anything stored in between.
    clickWindow(dlg().Button1.hwnd());
    EXPECT_EQ(dlg().TextCustomer.Text(), c.proposal);
    dlg().Unload();
  }
}

// A proposed ID stored already (after the wrap, or saved since from another
// window) replaces that customer only on a deliberate Yes: Enter keeps it.
// Over the customer loaded from the list, Enter updates.
TEST_F(FrmCustomerTest, AfterWrapTheNextSaveReachesTheUpdateQuestion) {
  const std::string question = "Nomer Customer Sudah ada dalam Sistem, apakah ingin di Update?";
  add({{"CUST99999", "Terakhir"}, {"CUST00000", "Nol"}});
  vt::test::AnswerWithEnter(*seams, question, "customer-question.png");
  showModal([&](FrmCustomer& f) {
    EXPECT_EQ(f.TextCustomer.Text(), "CUST00000");
    f.TextNama.Text("Baru");
    clickWindow(f.Button2.hwnd());
    EXPECT_EQ(stored("nama", "CUST00000"), "Nol");
    clickRow(f.Lv1, 1);
    ASSERT_EQ(f.TextCustomer.Text(), "CUST00000");
    f.TextNama.Text("Nol Baru");
    clickWindow(f.Button2.hwnd());
    // Tambah proposes CUST00000 again, now no longer the customer loaded.
    clickWindow(f.Button1.hwnd());
    f.TextNama.Text("Baru");
    clickWindow(f.Button2.hwnd());
  });
  ASSERT_EQ(prompts(), (std::vector<std::string>{question, question, "Data Berhasil Di Update", question}));
  EXPECT_EQ(stored("nama", "CUST00000"), "Nol Baru");
}

TEST_F(FrmCustomerTest, SaveAddsThenAsksBeforeUpdating) {
  add({{"CUST00001", "Ani", "Jl. Melati 1", "0811", "ani@contoh.id", "PT Satu"}});
  showModal([&](FrmCustomer& f) {
    EXPECT_EQ(f.TextCustomer.Text(), "CUST00002");
    f.TextNama.Text("Budi O'Hara");
    f.TextAlamat.Text(" Jl. Kenanga 2 ");
    f.TextTelpn.Text("0812");
    f.TextEmail.Text("budi@contoh.id");
    f.TextPerusahaan.Text("Guru");
    clickWindow(f.Button2.hwnd());
    ASSERT_EQ(seams->boxes.size(), 1u);
    expectBox(0, "Data Berhasil Disimpan", ui::vbInformation, "TALVOREN");
    // Stored as typed, untrimmed; the list reloaded; the boxes kept.
    EXPECT_EQ(stored("nama", "CUST00002"), "Budi O'Hara");
    EXPECT_EQ(stored("alamat", "CUST00002"), " Jl. Kenanga 2 ");
    EXPECT_EQ(stored("perusahaan", "CUST00002"), "Guru");
    EXPECT_EQ(column(f.Lv1, 2), (std::vector<std::string>{"Ani", "Budi O'Hara"}));
    EXPECT_EQ(f.Label7.Caption(), "Total Record : 2 Dari 2 Record");
    EXPECT_EQ(f.TextCustomer.Text(), "CUST00002");
    EXPECT_EQ(f.TextNama.Text(), "Budi O'Hara");

    // The same ID again: No changes nothing and says nothing more.
    f.TextAlamat.Text("Jl. Baru 3");
    seams->answers.push_back(ui::vbNo);
    clickWindow(f.Button2.hwnd());
    ASSERT_EQ(seams->boxes.size(), 2u);
    expectBox(1, "Nomer Customer Sudah ada dalam Sistem, apakah ingin di Update?",
              ui::vbYesNo | ui::vbDefaultButton2, "Talvoren");
    EXPECT_EQ(stored("alamat", "CUST00002"), " Jl. Kenanga 2 ");
    EXPECT_EQ(f.TextAlamat.Text(), "Jl. Baru 3");

    // Yes writes the boxes into that row; the list shows it at once, selected.
    seams->answers.push_back(ui::vbYes);
    clickWindow(f.Button2.hwnd());
    ASSERT_EQ(seams->boxes.size(), 4u);
    expectBox(3, "Data Berhasil Di Update", ui::vbInformation, "talvoren");
    EXPECT_EQ(stored("alamat", "CUST00002"), "Jl. Baru 3");
    EXPECT_EQ(column(f.Lv1, 3), (std::vector<std::string>{"Jl. Melati 1", "Jl. Baru 3"}));
    EXPECT_TRUE(f.Lv1.ListItems.Item(2).Selected());
    EXPECT_EQ(programScalar("select count(*) from tblcustomer"), "2");
  });
}

TEST_F(FrmCustomerTest, SaveRefusesAnEmptyIDOrName) {
  struct Case {
    std::string id, nama, message;
    ui::TextBox FrmCustomer::*focus;
  };
  const Case cases[] = {
      {"", "Ani", "ID Customer harus di isi", &FrmCustomer::TextCustomer},
      {"CUST00001", "", "Nama Customer harus di isi", &FrmCustomer::TextNama},
      {"", "", "ID Customer harus di isi", &FrmCustomer::TextCustomer},
  };
  showModal([&](FrmCustomer& f) {
    for (const Case& c : cases) {
      SCOPED_TRACE(c.message);
      freshSeams();
      f.TextPerusahaan.SetFocus();
      f.TextCustomer.Text(c.id);
      f.TextNama.Text(c.nama);
      clickWindow(f.Button2.hwnd());
      ASSERT_EQ(seams->boxes.size(), 1u);
      expectBox(0, c.message, ui::vbExclamation, "Talvoren");
      EXPECT_TRUE((f.*c.focus).HasFocus());
      EXPECT_EQ(programScalar("select count(*) from tblcustomer"), "0");
    }
    // Blanks are a name.
    freshSeams();
    f.TextCustomer.Text("CUST00001");
    f.TextNama.Text("   ");
    clickWindow(f.Button2.hwnd());
    EXPECT_EQ(prompts(), std::vector<std::string>{"Data Berhasil Disimpan"});
    EXPECT_EQ(stored("nama", "CUST00001"), "   ");
  });
}

TEST_F(FrmCustomerTest, RowClickLoadsTheCustomerAndNullShowsEmpty) {
  add({{"CUST00001", "Ani", "Jl. Melati 1", "0811", "ani@contoh.id", "PT Satu"}});
  Module1::koneksi->execute("insert into tblcustomer (Nocustomer, nama) values ('CUST00002', 'Budi')");
  add({{"CUSTX'03", "Citra", "Jl. Anggrek", "0813", "c@contoh.id", "CV Tiga"}});
  showModal([&](FrmCustomer& f) {
    // The customer made without address or company lists empty cells.
    EXPECT_EQ(column(f.Lv1, 3), (std::vector<std::string>{"Jl. Melati 1", "", "Jl. Anggrek"}));
    clickRow(f.Lv1, 1);
    EXPECT_EQ(boxes(), (std::vector<std::string>{"CUST00001", "Ani", "Jl. Melati 1", "0811", "ani@contoh.id", "PT Satu"}));
    // Null columns empty their boxes instead of keeping Ani's.
    clickRow(f.Lv1, 2);
    EXPECT_EQ(boxes(), (std::vector<std::string>{"CUST00002", "Budi", "", "", "", ""}));
    // An ID with an apostrophe is found all the same.
    clickRow(f.Lv1, 3);
    EXPECT_EQ(boxes(), (std::vector<std::string>{"CUSTX'03", "Citra", "Jl. Anggrek", "0813", "c@contoh.id", "CV Tiga"}));
    // A customer gone since the reload leaves the boxes as they are.
    Module1::koneksi->execute("DELETE * FROM tblcustomer WHERE nocustomer = 'CUST00001'");
    clickRow(f.Lv1, 1);
    EXPECT_EQ(f.TextNama.Text(), "Citra");
    EXPECT_TRUE(seams->boxes.empty());
    // Saving Budi back stores empty texts, not Ani's values.
    clickRow(f.Lv1, 2);
    seams->answers.push_back(ui::vbYes);
    clickWindow(f.Button2.hwnd());
  });
  EXPECT_EQ(stored("alamat", "CUST00002"), "");
  EXPECT_EQ(stored("perusahaan", "CUST00002"), "");
}

TEST_F(FrmCustomerTest, DeleteAsksAndReloadsTheListEvenOnNo) {
  add({{"CUST00001", "Ani"}, {"CUST00002", "Budi"}, {"CUST00003", "Citra"}});
  showModal([&](FrmCustomer& f) {
    EXPECT_EQ(f.TextCustomer.Text(), "CUST00004");
    clickRow(f.Lv1, 3);
    // Added behind the dialog's back: only a reload shows it.
    add({{"CUST00000", "Dedi"}});
    seams->answers.push_back(ui::vbNo);
    clickWindow(f.Button3.hwnd());
    ASSERT_EQ(seams->boxes.size(), 1u);
    expectBox(0, "Apakah Anda Yakin Menghapus Data customer dengan ID CUST00003 ? ", ui::vbYesNo, "Konfirmasi");
    EXPECT_EQ(column(f.Lv1, 1), (std::vector<std::string>{"CUST00000", "CUST00001", "CUST00002", "CUST00003"}));
    EXPECT_EQ(f.TextNama.Text(), "Citra");

    // Yes deletes; the largest gone, its ID is proposed again.
    seams->answers.push_back(ui::vbYes);
    clickWindow(f.Button3.hwnd());
    ASSERT_EQ(seams->boxes.size(), 3u);
    expectBox(2, "Telah dihapus", ui::vbInformation, "Hapus");
    EXPECT_EQ(boxes(), (std::vector<std::string>{"CUST00003", "", "", "", "", ""}));
    EXPECT_EQ(column(f.Lv1, 1), (std::vector<std::string>{"CUST00000", "CUST00001", "CUST00002"}));
    EXPECT_EQ(f.Label7.Caption(), "Total Record : 3 Dari 3 Record");

    // Nothing in the ID box: nothing is asked.
    f.TextCustomer.Text("");
    clickWindow(f.Button3.hwnd());
    EXPECT_EQ(seams->boxes.size(), 3u);
  });
  EXPECT_EQ(programScalar("select count(*) from tblcustomer"), "3");
}

TEST_F(FrmCustomerTest, FailedSaveOrDeleteIsReportedWithItsText) {
  struct Case {
    const char* what;
    Button FrmCustomer::*button;
  };
  for (const Case& c : {Case{"save", &FrmCustomer::Button2}, Case{"delete", &FrmCustomer::Button3}}) {
    SCOPED_TRACE(c.what);
    freshSeams();
    showModal([&](FrmCustomer& f) {
      f.TextNama.Text("Ani");
      Module1::koneksi->execute("DROP TABLE tblcustomer");
      seams->answers.push_back(ui::vbYes);
      clickWindow((f.*c.button).hwnd());
      // The delete's question comes first; then one box with the database's text.
      const auto& last = seams->boxes.back();
      EXPECT_NE(last.prompt.find("tblcustomer"), std::string::npos) << last.prompt;
      EXPECT_EQ(last.flags, ui::vbOKOnly);
      EXPECT_EQ(last.title, "Vantorel V1.7 BUILD 28092025");
      for (const auto& b : seams->boxes) {
        EXPECT_NE(b.prompt, "Data Berhasil Disimpan");
        EXPECT_NE(b.prompt, "Telah dihapus");
      }
      // The boxes keep what was typed.
      EXPECT_EQ(f.TextNama.Text(), "Ani");
    });
    Module1::koneksi->execute("CREATE TABLE tblcustomer (id INTEGER PRIMARY KEY, Nocustomer TEXT, nama TEXT, "
                              "alamat TEXT, telpn TEXT, email TEXT, perusahaan TEXT)");
  }
}

TEST_F(FrmCustomerTest, EnterMovesThroughTheBoxesToSimpanWithoutSaving) {
  showModal([&](FrmCustomer& f) {
    f.TextCustomer.SetFocus();
    const ui::Control* order[] = {&f.TextNama, &f.TextAlamat, &f.TextTelpn, &f.TextEmail, &f.TextPerusahaan,
                                  &f.Button2};
    for (const ui::Control* next : order) {
      HWND focused = GetFocus();
      pressKey(focused, VK_RETURN);
      EXPECT_EQ(GetFocus(), const_cast<ui::Control*>(next)->hwnd());
    }
    EXPECT_TRUE(seams->boxes.empty());
    // Enter typed into a box leaves its text alone.
    EXPECT_EQ(f.TextPerusahaan.Text(), "");
    // The ID box takes the focus but not typing.
    f.TextCustomer.SetFocus();
    ui::testing::typeText(f.TextCustomer.hwnd(), "X");
    EXPECT_EQ(f.TextCustomer.Text(), "CUST00001");
  });
  EXPECT_EQ(programScalar("select count(*) from tblcustomer"), "0");
}

TEST_F(FrmCustomerTest, TambahProposesAfreshAndFocusesTheID) {
  add({{"CUST00007", "Ani", "Jl. Melati 1", "0811"}});
  showModal([&](FrmCustomer& f) {
    clickRow(f.Lv1, 1);
    EXPECT_EQ(f.TextNama.Text(), "Ani");
    clickWindow(f.Button1.hwnd());
    EXPECT_EQ(boxes(), (std::vector<std::string>{"CUST00008", "", "", "", "", ""}));
    EXPECT_TRUE(f.TextCustomer.HasFocus());
  });
  EXPECT_FALSE(dlg().Loaded());
}

TEST_F(FrmCustomerTest, Screenshot) {
  add({{"CUST00001", "Ani Suryani", "Jl. Melati No. 1, Bandung", "0811-2233-4455", "ani@contoh.id", "Guru"},
       {"CUST00002", "Budi Santoso", "Jl. Kenanga 2, Cimahi", "0812-9876-5432", "budi@contoh.id", "Wiraswasta"},
       {"CUST00003", "Citra Lestari", "Komplek Griya Asri B-7", "022-555-1234", "citra@contoh.id", "PT Nusantara"}});
  showModal([&](FrmCustomer& f) {
    clickRow(f.Lv1, 2);
    EXPECT_TRUE(vt::test::screenshot(f.hwnd(), "customer_dialog.png"));
    // Labels end before their boxes; boxes and list stay inside their frames.
    const std::pair<ui::Label*, ui::Control*> rows[] = {{&f.Label1, &f.TextCustomer}, {&f.Label2, &f.TextNama},
                                                         {&f.Label3, &f.TextAlamat},   {&f.Label4, &f.TextTelpn},
                                                         {&f.Label5, &f.TextEmail},    {&f.Label6, &f.TextPerusahaan}};
    for (const auto& r : rows) {
      EXPECT_LT(r.first->Left() + r.first->Width(), r.second->Left()) << r.first->Caption();
      EXPECT_LE(r.second->Left() + r.second->Width(), f.Frame1.Width()) << r.first->Caption();
    }
    EXPECT_LE(f.Lv1.Left() + f.Lv1.Width(), f.Frame3.Width());
    EXPECT_LE(f.Label7.Top() + f.Label7.Height(), f.Frame3.Height());
  });
}

}  // namespace
}  // namespace customers_test
