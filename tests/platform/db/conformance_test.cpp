// Every statement the program sends, as it sends it, against a database made
// by makedb plus test rows; each with the rows or the effect it must have.
#include <gtest/gtest.h>

#include "platform/vb/error.h"
#include "platform/vb/format.h"
#include "testdb.h"

using dbtest::show;

namespace {

const char* kFolder = "Z:\\work\\program";

class Conformance : public ::testing::Test {
protected:
  void SetUp() override {
    vb::setClock([] { return vb::Date::fromParts(2026, 12, 5, 10, 30, 0); });
    vb::setCurrentLocale(vb::Locale::english());
    cn = dbtest::openProgramDb(tmp.file("base.mdb"));
    cn->execute("insert into tblset (namalembaga, tempatcetak, pemilik, Catatan, NoKw, templete) values "
                "('Yayasan Harapan', 'Jakarta', 'Siti', 'Terima kasih', 'KW-', 'Kwitansi 1 Portrait')");
    // The start-up's schema upgrade.
    for (const std::string& sql :
         {std::string("ALTER TABLE tuser ADD COLUMN level_user Text(255)"),
          std::string("ALTER TABLE tblset ADD COLUMN lokasi Text(255)"),
          "update tblset set lokasi = '" + std::string(kFolder) + "'",
          std::string("ALTER TABLE tblkwitansi ADD COLUMN terbilang memo")})
      cn->execute(sql);
    struct Receipt {
      const char* no;
      const char* tgl;
      const char* payer;
      const char* nominal;
    } receipts[] = {
        {"001/11/2026", "30/11/2026", "Andi Wijaya", "100,000"},
        {"001/12/2026", "01/12/2026", "Budi Santoso", "250,000"},
        {"002/12/2026", "05/12/2026", "budi hartono", "1,500,000"},
        {"003/12/2026", "05/12/2026", "Citra Lestari", "75,000"},
        {"010/12/2026", "31/12/2026", "Dewi", "5,000"},
        {"001/12/2025", "05/12/2025", "Eka", "9,000"},
        {"004/01/2027", "01/01/2027", "Fajar", "12,000"},
    };
    // Written the way the entry dialog writes: tgl as "dd/mm/yyyy" text.
    for (const Receipt& r : receipts)
      cn->execute(std::string("insert into tblkwitansi (NoKwitansi, NoPasport, SudahTerima, Matauang, Nominal, "
                              "untuk, Catatan, TempatDiterima, tgl, oleh, terbilang) values ('") +
                  r.no + "', 'KW-', '" + r.payer + "', 'Rp.', '" + r.nominal + "', 'SPP', 'Lunas', 'Jakarta', '" +
                  r.tgl + "', 'Siti', 'Seratus Ribu ')");
    const char* customers[][4] = {{"CUST00002", "Budi Santoso", "Jl. Melati 2", "0812"},
                                  {"CUST00001", "Ani", "Jl. Mawar 1", "0813"},
                                  {"CUST00010", "Joko", "Bandung", "0899"}};
    for (auto& c : customers)
      cn->execute(std::string("insert into tblcustomer (Nocustomer, nama, alamat, telpn, email, perusahaan) "
                              "values ('") +
                  c[0] + "', '" + c[1] + "', '" + c[2] + "', '" + c[3] + "', 'x@y.id', 'PT Maju')");
  }
  void TearDown() override { vb::setClock(nullptr); }

  // The named columns of every row, "|" between columns.
  std::vector<std::string> rows(const std::string& sql, const std::vector<std::string>& cols, int cursor = -1) {
    db::Recordset rs;
    rs.open(sql, cn, cursor);
    std::vector<std::string> out;
    for (; !rs.eof(); rs.moveNext()) {
      std::string line;
      for (const auto& c : cols) {
        if (!line.empty()) line += "|";
        line += show(rs.field(c).value());
      }
      out.push_back(line);
    }
    rs.close();
    return out;
  }

  dbtest::TempFolder tmp;
  std::shared_ptr<db::Connection> cn;
};

using Rows = std::vector<std::string>;

TEST_F(Conformance, QueriesReturnTheirRows) {
  struct Case {
    std::string sql;
    std::vector<std::string> cols;
    Rows expected;
  } cases[] = {
      // Login: user name and password without regard to letter case.
      {"Select * From Tuser where kodeuser='admin' and pasword ='ADMIN'", {"kodeuser"}, {"ADMIN"}},
      {"Select * From Tuser where kodeuser='ADMIN' and pasword ='salah'", {"kodeuser"}, {}},
      {"Select * From Tuser where kodeuser='ADMIN`' and pasword ='admin'", {"kodeuser"}, {}},
      // Main window: the user row with its flags.
      {"select * from Tuser where kodeuser= 'ADMIN'", {"checkmaster", "check1", "check13", "level_user"},
       {"True|True|True|<null>"}},
      // Users dialog.
      {"select * from Tuser order by kodeuser ", {"kodeuser"}, {"ADMIN"}},
      {"select * from Tuser ", {"nomor"}, {"1"}},
      {"select * from Tuser where nomor = 1", {"pasword"}, {"admin"}},
      {"Select * From Tuser where nomor = 0", {"kodeuser"}, {}},
      // Settings and entry dialog load.
      {"select * from tblset", {"namalembaga", "Nokw", "tempatCetak", "lokasi"},
       {"Yayasan Harapan|KW-|Jakarta|Z:\\work\\program"}},
      {"select * from tblset where noset = 0", {"noset"}, {}},
      {"select * from tblset where noset = 1", {"templete"}, {"Kwitansi 1 Portrait"}},
      {"select * from tblKwitansi where NoKwitansi = '002/12/2026'", {"SudahTerima", "tgl"},
       {"budi hartono|2026-12-05"}},
      // Receipt number of this month (clock: 5 December 2026): highest sequence first.
      {"SELECT Left(nokwitansi,3) AS NOurut FROM tblkwitansi WHERE Month(CDate('01/' & Mid(nokwitansi,5))) = "
       "Month(Now()) AND Year(CDate('01/' & Mid(nokwitansi,5))) = Year(Now()) ORDER BY Left(nokwitansi,3) DESC",
       {"nourut"},
       {"010", "003", "002", "001"}},
      // Report runs.
      {"SELECT tblkwitansi.*, Format(tgl, 'dd mmmm yyyy') AS tgl_string from tblkwitansi where nokwitansi = "
       "'002/12/2026'",
       {"NoKwitansi", "tgl_string", "terbilang"},
       {"002/12/2026|05 December 2026|Seratus Ribu "}},
      {"SELECT tblkuitansitemp.*, Format(tgl, 'dd mmmm yyyy') AS tgl_string from tblkuitansitemp",
       {"SudahTerima", "tgl_string"},
       {"Budi Santoso|05 December 2025"}},
      {"SELECT tblkwitansi.*, Format(tgl, 'dd mmmm yyyy') AS tgl_string from tblkwitansi where [no] in (4,2,3) "
       "order by nokwitansi",
       {"no"},
       {"2", "3", "4"}},
      // Register: today's list, date range (both ends included), searches, count.
      {"select * from tblKwitansi where tgl =#12/05/2026#  order by nokwitansi", {"NoKwitansi"},
       {"002/12/2026", "003/12/2026"}},
      {"select * from tblKwitansi where tgl >=#12/01/2026# and tgl<=#12/31/2026#  order by nokwitansi",
       {"NoKwitansi"},
       {"001/12/2026", "002/12/2026", "003/12/2026", "010/12/2026"}},
      {"select * from tblKwitansi where tgl >=#12/05/2026# and tgl<=#12/05/2026#  order by nokwitansi",
       {"NoKwitansi"},
       {"002/12/2026", "003/12/2026"}},
      {"select * from tblKwitansi where tgl >=#12/31/2026# and tgl<=#12/01/2026#  order by nokwitansi",
       {"NoKwitansi"},
       {}},
      {"select * from tblKwitansi where NoKwitansi like '%12/2026%' order by nokwitansi", {"NoKwitansi"},
       {"001/12/2026", "002/12/2026", "003/12/2026", "010/12/2026"}},
      {"select * from tblKwitansi where NoKwitansi like '%KW-001%' order by nokwitansi", {"NoKwitansi"}, {}},
      {"select * from tblKwitansi where SudahTerima like '%BUDI%' order by sudahterima", {"SudahTerima"},
       {"budi hartono", "Budi Santoso"}},
      {"select * from tblKwitansi where SudahTerima like '_ka' order by sudahterima", {"SudahTerima"}, {"Eka"}},
      {"select count(NoKwitansi) as jml from tblKwitansi", {"jml"}, {"7"}},
      {"Select * From tblkwitansi where [no] =2", {"NoKwitansi", "NoPasport"}, {"001/12/2026|KW-"}},
      // Customers: order by the customer ID, by the first (auto number) column, and the searches.
      {"select * from tblcustomer order by nocustomer", {"Nocustomer"}, {"CUST00001", "CUST00002", "CUST00010"}},
      {"select * from tblcustomer order by 1", {"Nocustomer"}, {"CUST00002", "CUST00001", "CUST00010"}},
      {"Select * From tblcustomer where nocustomer like '%jl.%' or nama like '%jl.%' or alamat like '%jl.%'",
       {"nama"},
       {"Budi Santoso", "Ani"}},
      {"Select * From tblcustomer where nocustomer like '%0813%' or nama like '%0813%' or alamat like '%0813%'",
       {"nama"},
       {}},
      {"Select * From tblcustomer where nocustomer like '%%' or nama like '%%' or alamat like '%%' order by 1",
       {"Nocustomer"},
       {"CUST00002", "CUST00001", "CUST00010"}},
      {"select * from tblcustomer", {"perusahaan"}, {"PT Maju", "PT Maju", "PT Maju"}},
      {"SELECT right(nocustomer,5) AS NOurut FROM TBLcustomer ORDER BY right(nocustomer,5) desc", {"NOurut"},
       {"00010", "00002", "00001"}},
      {"select * from tblcustomer where Nocustomer = 'cust00002'", {"nama"}, {"Budi Santoso"}},
      {"Select * From tblcustomer where nocustomer ='CUST00010'", {"alamat"}, {"Bandung"}},
  };
  for (const Case& c : cases) EXPECT_EQ(rows(c.sql, c.cols), c.expected) << c.sql;
}

TEST_F(Conformance, ReceiptNumberQueryFollowsTheClock) {
  const std::string sql =
      "SELECT Left(nokwitansi,3) AS NOurut FROM tblkwitansi WHERE Month(CDate('01/' & Mid(nokwitansi,5))) = "
      "Month(Now()) AND Year(CDate('01/' & Mid(nokwitansi,5))) = Year(Now()) ORDER BY Left(nokwitansi,3) DESC";
  struct Case {
    vb::Date now;
    Rows expected;
  } cases[] = {{vb::Date::fromParts(2026, 11, 30), {"001"}},
               {vb::Date::fromParts(2027, 1, 31, 23, 59, 59), {"004"}},
               {vb::Date::fromParts(2025, 12, 1), {"001"}},
               {vb::Date::fromParts(2026, 2, 1), {}}};
  for (const Case& c : cases) {
    vb::setClock([&] { return c.now; });
    EXPECT_EQ(rows(sql, {"NOurut"}), c.expected) << c.now.serial;
  }
}

TEST_F(Conformance, FormatUsesTheLocaleMonthNames) {
  vb::setCurrentLocale(vb::Locale::indonesian());
  EXPECT_EQ(rows("SELECT tblkwitansi.*, Format(tgl, 'dd mmmm yyyy') AS tgl_string from tblkwitansi where "
                 "nokwitansi = '004/01/2027'",
                 {"tgl_string"}),
            Rows{"01 Januari 2027"});
  vb::setCurrentLocale(vb::Locale::english());
}

TEST_F(Conformance, StatementsHaveTheirEffect) {
  struct Case {
    std::string sql;
    long affected;
    std::string check;
    std::vector<std::string> cols;
    Rows expected;
  } cases[] = {
      {"UPDATE [tbladmin] Set [pasw]='rahasia`ku'", 1, "select * from tbladmin", {"pasw"}, {"rahasia`ku"}},
      {"update tblset set lokasi = 'C:\\Program Files\\Vantorel'", 1, "select lokasi from tblset", {"lokasi"},
       {"C:\\Program Files\\Vantorel"}},
      {"DELETE * FROM tblkwitansi WHERE [no] = 3", 1, "select count(*) as n from tblkwitansi where [no] = 3",
       {"n"}, {"0"}},
      {"DELETE * FROM tblcustomer WHERE nocustomer ='cust00001'", 1, "select * from tblcustomer order by 1",
       {"Nocustomer"}, {"CUST00002", "CUST00010"}},
      {"DELETE * FROM [tuser] WHERE [nomor]= 99", 0, "select count(*) as n from tuser", {"n"}, {"1"}},
      {"DELETE * FROM [tblkwitansi]", 6, "select count(*) as n from tblkwitansi", {"n"}, {"0"}},
      {"DELETE * FROM [tblcustomer]", 2, "select count(*) as n from tblcustomer", {"n"}, {"0"}},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(cn->execute(c.sql, -1), c.affected) << c.sql;
    EXPECT_EQ(rows(c.check, c.cols), c.expected) << c.sql;
  }
  // Reset keeps users and settings.
  EXPECT_EQ(rows("select count(*) as n from Tuser", {"n"}), Rows{"1"});
  EXPECT_EQ(rows("select count(*) as n from tblset", {"n"}), Rows{"1"});
}

TEST_F(Conformance, SchemaUpgradeOfAnExistingColumnFailsAndChangesNothing) {
  for (const char* sql : {"ALTER TABLE tuser ADD COLUMN level_user Text(255)",
                          "ALTER TABLE tblset ADD COLUMN lokasi Text(255)",
                          "ALTER TABLE tblkwitansi ADD COLUMN terbilang memo",
                          "ALTER TABLE TBLKWITANSI ADD COLUMN TERBILANG memo"}) {
    EXPECT_THROW(cn->execute(sql), vb::Error) << sql;
  }
  db::Recordset rs;
  rs.open("select * from tblkwitansi", cn);
  EXPECT_EQ(rs.fieldCount(), 12);
  EXPECT_EQ(rs.field(11).name(), "terbilang");
  EXPECT_EQ(rs.field("terbilang").value().toString(), "Seratus Ribu ");
  // The added text column compares without regard to case like the others.
  cn->execute("update tuser set level_user = 'Admin'");
  EXPECT_EQ(rows("select kodeuser from tuser where level_user = 'admin'", {"kodeuser"}), Rows{"ADMIN"});
}

TEST_F(Conformance, YesNoColumnsReadBackAsBooleans) {
  struct Case {
    vb::Variant written;
    const char* expected;
  } cases[] = {{vb::Variant(0), "False"}, {vb::Variant(1), "True"}, {vb::Variant(-1), "True"},
               {vb::Variant(true), "True"}, {vb::Variant(false), "False"}};
  for (const Case& c : cases) {
    db::Recordset rs;
    rs.open("Select * From Tuser where nomor = 1", cn, db::adOpenDynamic, db::adLockOptimistic);
    rs.field("check5").setValue(c.written);
    rs.update();
    rs.close();
    EXPECT_EQ(rows("select check5 from Tuser", {"check5"}), Rows{c.expected}) << show(c.written);
    EXPECT_EQ(rows("select kodeuser from Tuser where check5 = True", {"kodeuser"}).size(),
              std::string(c.expected) == "True" ? 1u : 0u);
  }
  // Written by statements too.
  for (const char* v : {"1", "-1", "True"}) {
    cn->execute(std::string("update Tuser set check2 = 0"));
    cn->execute(std::string("update Tuser set check2 = ") + v);
    EXPECT_EQ(rows("select check2 from Tuser where check2 = True", {"check2"}), Rows{"True"}) << v;
  }
  // A new user from the users dialog: written as 0 or 1 from the check boxes.
  db::Recordset rs;
  rs.open("Select * From Tuser where nomor = 0", cn, db::adOpenDynamic, db::adLockOptimistic);
  ASSERT_TRUE(rs.eof());
  rs.addNew();
  rs.field("kodeuser").setValue("kasir");
  rs.field("pasword").setValue("123");
  rs.field("checkmaster").setValue(1);
  rs.field("check1").setValue(0);
  rs.update();
  rs.close();
  EXPECT_EQ(rows("select * from Tuser where kodeuser = 'KASIR'", {"checkmaster", "check1", "check2", "level_user"}),
            Rows{"True|False|False|<null>"});
}

TEST_F(Conformance, DayFirstTextWrittenIntoTglIsThatDate) {
  db::Recordset rs;
  rs.setCursorLocation(db::adUseClient);
  rs.open("select * from tblKwitansi where NoKwitansi = '005/12/2026'", cn, -1, db::adLockOptimistic);
  ASSERT_TRUE(rs.eof());
  rs.addNew();
  rs.field("NoKwitansi").setValue("005/12/2026");
  rs.field("tgl").setValue(vb::Format(vb::Variant(vb::Date::fromParts(2026, 12, 4)), "dd/mm/yyyy"));
  rs.update();
  rs.close();
  EXPECT_EQ(rows("select tgl from tblKwitansi where NoKwitansi = '005/12/2026'", {"tgl"}), Rows{"2026-12-04"});
  // 04/12 is the fourth of December, never the twelfth of April.
  EXPECT_EQ(rows("select NoKwitansi from tblKwitansi where tgl =#12/04/2026#  order by nokwitansi", {"NoKwitansi"}),
            Rows{"005/12/2026"});
  EXPECT_EQ(rows("select NoKwitansi from tblKwitansi where tgl =#04/12/2026#", {"NoKwitansi"}), Rows{});
  // Dates order by time, not by their text.
  EXPECT_EQ(rows("select tgl from tblKwitansi where tgl <= #12/01/2026# order by tgl", {"tgl"}),
            (Rows{"2025-12-05", "2026-11-30", "2026-12-01"}));
}

TEST_F(Conformance, EditingAStoredReceiptWritesOnlyThatRow) {
  // The entry dialog's save over an existing number.
  db::Recordset rs;
  rs.setCursorLocation(db::adUseClient);
  rs.open("select * from tblKwitansi where NoKwitansi = '002/12/2026'", cn, -1, db::adLockOptimistic);
  ASSERT_FALSE(rs.eof());
  rs.field("SudahTerima").setValue("Budi Hartono, S.T.");
  rs.field("tgl").setValue("06/12/2026");
  rs.field("terbilang").setValue("Satu Juta Lima Ratus Ribu ");
  rs.update();
  rs.close();
  EXPECT_EQ(rows("select * from tblkwitansi where tgl >= #12/05/2026# and tgl <= #12/06/2026# order by nokwitansi",
                 {"NoKwitansi", "SudahTerima", "tgl"}),
            (Rows{"002/12/2026|Budi Hartono, S.T.|2026-12-06", "003/12/2026|Citra Lestari|2026-12-05"}));
}

}  // namespace
