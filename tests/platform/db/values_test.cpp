// Values through the layer: the Jet functions' quick and general readings,
// the clock within one statement, and what a recordset gives back of the rows
// it wrote.
#include <gtest/gtest.h>

#include "platform/vb/error.h"
#include "testdb.h"

using dbtest::show;

namespace {

class DbValues : public ::testing::Test {
protected:
  void SetUp() override { cn = dbtest::openProgramDb(tmp.file("base.mdb")); }
  void TearDown() override { vb::setClock({}); }
  std::unique_ptr<db::Recordset> query(const std::string& sql, int cursor = -1, int lock = -1) {
    auto rs = std::make_unique<db::Recordset>();
    rs->open(sql, cn, cursor, lock);
    return rs;
  }
  dbtest::TempFolder tmp;
  std::shared_ptr<db::Connection> cn;
};

TEST_F(DbValues, JetFunctionsReadTheProgramsDatesAndAnyOther) {
  struct Case {
    const char* expr;
    const char* expected;  // nullptr: the statement raises
  } cases[] = {
      // The program's own "dd/mm/yyyy", read directly, with and without CDate.
      {"Month('01/06/2025')", "6"},
      {"Year('01/06/2025')", "2025"},
      {"Month(CDate('01/06/2025'))", "6"},
      {"Year(CDate('29/02/2024'))", "2024"},
      {"CDate('05/12/2026')", "46361"},
      // Other texts through the general reader; numbers are serials.
      {"Month('5-6-2026')", "6"},
      {"Month(CDate('2026-12-05'))", "12"},
      {"Year(CDate('05/12/2026 18:30'))", "2026"},
      {"Month(46361)", "12"},
      {"Year(46361.75)", "2026"},
      {"Month(CDate(46022))", "12"},
      {"Month(Null)", "<null>"},
      {"Year(CDate(Null))", "<null>"},
      // Days that do not exist, and texts that are no dates, raise.
      {"Month('31/02/2026')", nullptr},
      {"Month(CDate('29/02/2025'))", nullptr},
      {"Year('00/01/2026')", nullptr},
      {"Month('01/13/2026')", nullptr},
      {"CDate('bukan tanggal')", nullptr},
      {"Year('ab/cd/efgh')", nullptr},
      // One value joined to another: read as the joined text; a Null part joins as nothing.
      {"Month(CDate('01/' & Mid('007/11/2026', 5)))", "11"},
      {"Year(CDate('01/' & Mid('007/11/2026', 5)))", "2026"},
      {"Month('29/02/' & 2024)", "2"},
      {"Year('5-6-' & '2026 10:00')", "2026"},
      {"Month('01/' & Mid('20260515-very-long-text-beyond-a-small-buffer', 5))", nullptr},
      {"Month('2026-12-' & '05' )", "12"},
      {"Month('01/' & Null)", nullptr},
      {"Year(Null & '01/06/2025')", "2025"},
      {"Month(Null & Null)", "<null>"},
      {"Month('01/06/' & Null & '2025')", "6"},
      {"Month('30/02/' & '2024')", nullptr},
      {"Year('01/' & Mid('007/xx/2026', 5))", nullptr},
      // ... with Mid's part read in place: its length, its Null, its errors even beside a Null.
      {"Month('01/' & Mid('007/11/2026xyz', 5, 7))", "11"},
      {"Year('1/' & Mid('7/1/2026', 3))", "2026"},
      {"Month('01/' & Mid(Null, 5))", nullptr},
      {"Month('01/11/2026' & Mid(Null, 5))", "11"},
      {"Month('01/11/2026' & Mid('007/11/2026', Null))", "11"},
      {"Year(Null & Mid('01/06/2025', 1))", "2025"},
      {"Year(Null & Mid(Null, 1))", "<null>"},
      {"Month('01/' & Mid('007/11/2026', 0))", nullptr},
      {"Month(Null & Mid('007/11/2026', 5, -1))", nullptr},
      {"Month('01/' & Mid('007/ñ1/2026', 5))", nullptr},
      {"Month('01/1' & Mid('ñ1/2026', 2))", "11"},
      // Text functions: whole-number and rounded positions, numbers as text.
      {"Mid('001/06/2025', 5)", "06/2025"},
      {"Mid('abcdef', 2, 3)", "bcd"},
      {"Mid('abcdef', 2.6, 2)", "cd"},
      {"Mid('abc', 9)", ""},
      {"Left('abc', 2)", "ab"},
      // Positions count characters, not bytes.
      {"Left('Zürich', 3)", "Zür"},
      {"Mid('ñandú ok', 2, 4)", "andú"},
      {"Mid('abcé', 4)", "é"},
      {"Mid('aé', 3)", ""},
      {"Right('Zürich', 4)", "rich"},
      {"Left(12345, 2)", "12"},
      {"Mid('abc', 0)", nullptr},
      {"Left('abc', -1)", nullptr},
  };
  for (const Case& c : cases) {
    const std::string sql = std::string("select ") + c.expr + " as v from tbladmin";
    try {
      auto rs = query(sql);
      ASSERT_FALSE(rs->eof()) << sql;
      if (c.expected) EXPECT_EQ(show(rs->field(0).value()), c.expected) << sql;
      else ADD_FAILURE() << sql << " gave " << show(rs->field(0).value());
    } catch (const vb::Error& e) {
      EXPECT_EQ(c.expected, nullptr) << sql << ": " << e.description();
    }
  }
}

TEST_F(DbValues, AmpersandJoinsNullAsNothingAndBindsBelowArithmetic) {
  cn->execute("insert into tblcustomer (nama, alamat, telpn) values ('Ani', Null, '0812')");
  const struct {
    const char* expr;
    const char* expected;
  } values[] = {
      {"'x' & Null", "x"},
      {"Null & 'x'", "x"},
      {"Null & Null", "<null>"},
      {"'a' & 'b' & Null & 'c'", "abc"},
      {"'a' & 1 + 2", "a3"},
      {"1 + 2 & 'a'", "3a"},
      {"'a' & 2 * 3 - 1", "a5"},
      {"'a' & -1", "a-1"},
      {"'a' & 1.5", "a1.5"},
      {"'a' & 2.0", "a2"},
      {"('a' & 'b') & ('c' & Null)", "abc"},
      {"'a & #1/2/2026# Left(' & 'x'", "a & #1/2/2026# Left(x"},
      {"Mid('ab' & 'cd', 2)", "bcd"},
      {"Left('ab' & Null, 1) & Right(Null & 'yz', 1)", "az"},
      {"Month('01/06/' & 2025) & '/' & Year('01/06/2025')", "6/2025"},
      {"nama & alamat", "Ani"},
      {"[nama] & ' ' & tblcustomer.telpn", "Ani 0812"},
      {"alamat & alamat", "<null>"},
  };
  for (const auto& c : values) {
    const std::string sql = std::string("select ") + c.expr + " as v from tblcustomer";
    try {
      auto rs = query(sql);
      ASSERT_FALSE(rs->eof()) << sql;
      EXPECT_EQ(show(rs->field("v").value()), c.expected) << sql;
    } catch (const vb::Error& e) {
      ADD_FAILURE() << sql << ": " << e.description();
    }
  }
  // Conditions that hold: '&' binds more tightly than comparison and logic.
  for (const char* condition :
       {"'a' & 'b' = 'ab'", "'a' & 1 + 2 = 'a3'", "'x' & Null = 'x'", "nama & alamat = 'Ani'",
        "not 'x' & Null is null", "'a' & 'b' like 'a%'", "'a' & 'b' between 'aa' and 'ac'", "'a' & 'b' in ('ab')",
        "'a' & 'b' <> 'a' and 'b' & 'c' = 'bc'"}) {
    const std::string sql = std::string("select nama from tblcustomer where ") + condition;
    try {
      EXPECT_FALSE(query(sql)->eof()) << sql;
    } catch (const vb::Error& e) {
      ADD_FAILURE() << sql << ": " << e.description();
    }
  }
  // A name after the chain is its alias.
  auto rs = query("select 'a' & nama joined, nama from tblcustomer");
  EXPECT_EQ(show(rs->field("joined").value()), "aAni");
}

TEST_F(DbValues, NowIsOneInstantPerRunOfAStatement) {
  for (const char* name : {"Ani", "Budi", "Citra"})
    cn->execute(std::string("insert into tblcustomer (nama) values ('") + name + "')");
  double tick = vb::Date::fromParts(2026, 6, 30, 23, 59, 58).serial;
  vb::setClock([&] {
    tick += 1.0 / 86400;  // every reading of the clock is a second later
    return vb::Date{tick};
  });
  const std::string sql = "select Now() as a, nama, Now() as b from tblcustomer where Month(Now()) = 6";
  double first = 0;
  for (int run = 0; run < 2; ++run) {
    auto rs = query(sql);
    int rows = 0;
    double seen = 0;
    for (; !rs->eof(); rs->moveNext(), ++rows) {
      const double a = rs->field("a").value().toDouble(), b = rs->field("b").value().toDouble();
      EXPECT_EQ(a, b);
      if (rows == 0) seen = a;
      EXPECT_EQ(a, seen) << "row " << rows;
    }
    if (run == 0) {
      // 23:59:59 on 30 June: every row of the first run.
      EXPECT_EQ(rows, 3);
      first = seen;
    } else {
      // The second run reads the clock again: 1 July, so no row.
      EXPECT_EQ(rows, 0);
    }
  }
  auto again = query("select Now() as a from tbladmin");
  EXPECT_GT(again->field(0).value().toDouble(), first);
}

TEST_F(DbValues, WrittenRecordsReadBackAsTheyWereWritten) {
  cn->execute("CREATE TABLE misc (id counter, t Text(20), r double, d datetime, flag yesno, anything)");
  auto rs = query("select * from misc", db::adOpenKeyset, db::adLockOptimistic);
  struct Written {
    const char* field;
    vb::Variant value;
    vb::VarType type;
    const char* shown;
  };
  const Written row1[] = {{"t", vb::Variant("teks pertama"), vb::VarType::String, "teks pertama"},
                          {"r", vb::Variant(2.5), vb::VarType::Double, "2.5"},
                          {"d", vb::Variant("05/12/2026"), vb::VarType::Date, "2026-12-05"},
                          {"flag", vb::Variant(1), vb::VarType::Boolean, "True"},
                          {"anything", vb::Variant(vb::Decimal(12345)), vb::VarType::Decimal, "12345"}};
  rs->addNew();
  for (const Written& w : row1) rs->field(w.field).setValue(w.value);
  rs->update();
  // The second record writes fewer fields: the others stay empty, not last record's.
  rs->addNew();
  rs->field("t").setValue("kedua");
  rs->update();
  rs->addNew();
  rs->field("t").setValue("ketiga");
  rs->field("t").setValue(rs->field("t").value());  // its own pending value, written back
  rs->field("anything").setValue(true);
  rs->update();

  rs->moveFirst();
  EXPECT_EQ(rs->field("id").value().toLong(), 1);
  for (const Written& w : row1) {
    EXPECT_EQ(rs->field(w.field).value().type(), w.type) << w.field;
    EXPECT_EQ(show(rs->field(w.field).value()), w.shown) << w.field;
  }
  rs->moveNext();
  EXPECT_EQ(rs->field("id").value().toLong(), 2);
  EXPECT_EQ(show(rs->field("t").value()), "kedua");
  EXPECT_TRUE(rs->field("r").value().isNull());
  EXPECT_TRUE(rs->field("anything").value().isNull());
  rs->moveNext();
  EXPECT_EQ(rs->field("anything").value().type(), vb::VarType::Boolean);

  // Editing the first record changes what it reads, and only the fields written.
  rs->moveFirst();
  rs->field("t").setValue("diubah");
  rs->field("flag").setValue(false);
  rs->update();
  EXPECT_EQ(show(rs->field("t").value()), "diubah");
  EXPECT_EQ(show(rs->field("flag").value()), "False");
  EXPECT_EQ(show(rs->field("d").value()), "2026-12-05");
  EXPECT_EQ(rs->field("anything").value().type(), vb::VarType::Decimal);
  rs->close();

  auto back = query("select t, r, d, flag from misc order by id");
  const char* expected[3][4] = {{"diubah", "2.5", "2026-12-05", "False"},
                                {"kedua", "<null>", "<null>", "<null>"},
                                {"ketiga", "<null>", "<null>", "<null>"}};
  for (int row = 0; row < 3; ++row, back->moveNext()) {
    ASSERT_FALSE(back->eof());
    for (int f = 0; f < 4; ++f) EXPECT_EQ(show(back->field(f).value()), expected[row][f]) << row << "," << f;
  }
  EXPECT_TRUE(back->eof());
}

TEST_F(DbValues, WritingGoesOnAfterTheSchemaChanges) {
  auto rs = query("select * from tblcustomer", db::adOpenKeyset, db::adLockOptimistic);
  rs->addNew();
  rs->field("nama").setValue("sebelum");
  rs->update();
  // The change of schema drops every prepared statement, the remembered INSERT too.
  cn->execute("ALTER TABLE tblcustomer ADD COLUMN catatan memo");
  rs->addNew();
  rs->field("nama").setValue("sesudah");
  rs->update();
  rs->moveFirst();
  rs->field("nama").setValue("diubah");
  rs->update();
  rs->close();
  auto back = query("select nama from tblcustomer order by id");
  EXPECT_EQ(show(back->field(0).value()), "diubah");
  back->moveNext();
  EXPECT_EQ(show(back->field(0).value()), "sesudah");
}

TEST_F(DbValues, EachRecordGivesItsOwnValuesWhateverTheRecordBeforeHeld) {
  cn->execute("CREATE TABLE mix (id counter, v, d datetime, f yesno)");
  const char* rows[] = {"'teks yang cukup panjang untuk ruang sendiri', 46361.5, 1",
                        "Null, Null, Null",
                        "7, Null, 0",
                        "2.5, 46361, -1",
                        "'', '05/12/2026', 0",
                        "'b', 46000.25, 2.5"};
  for (const char* r : rows) cn->execute(std::string("insert into mix (v, d, f) values (") + r + ")");
  const char* expected[] = {"String teks yang cukup panjang untuk ruang sendiri|Date 2026-12-05|Boolean True",
                            "Null <null>|Null <null>|Boolean False",
                            "Long 7|Null <null>|Boolean False",
                            "Double 2.5|Date 2026-12-05|Boolean True",
                            "String |Date 2026-12-05|Boolean False",
                            "String b|Date 2025-12-09|Boolean True"};
  auto typeName = [](const vb::Variant& v) {
    static const char* names[] = {"Empty", "Null", "Boolean", "Long", "Double", "Decimal", "Date", "String", "Object"};
    return std::string(names[static_cast<int>(v.type())]);
  };
  // Read as they come and from stored rows.
  for (int cursor : {db::adOpenForwardOnly, db::adOpenStatic}) {
    auto rs = query("select v, d, f from mix order by id", cursor);
    for (const char* want : expected) {
      ASSERT_FALSE(rs->eof()) << cursor;
      std::string got;
      for (int f = 0; f < 3; ++f) {
        const vb::Variant& v = rs->field(f).value();
        got += (f ? "|" : "") + typeName(v) + " " + show(v);
      }
      EXPECT_EQ(got, want) << cursor;
      EXPECT_EQ(rs->field(0).value() == vb::Variant(7), std::string(want).rfind("Long 7", 0) == 0) << cursor;
      rs->moveNext();
    }
    EXPECT_TRUE(rs->eof());
  }
}

TEST_F(DbValues, FieldNamesFindTheFirstOfEqualNamesInAnyCase) {
  cn->execute("insert into tblcustomer (Nocustomer, nama, alamat) values ('CUST00001', 'Ani', 'Bogor')");
  auto rs = query("select nama, alamat as NAMA, Nocustomer as [Nama Lain] from tblcustomer");
  EXPECT_EQ(rs->field("Nama").value().toString(), "Ani");
  EXPECT_EQ(rs->field("NAMA").value().toString(), "Ani");
  EXPECT_EQ(rs->field(1).value().toString(), "Bogor");
  EXPECT_EQ(rs->field("nama lain").value().toString(), "CUST00001");
  EXPECT_THROW(rs->field("nam"), vb::Error);
  EXPECT_THROW(rs->field(""), vb::Error);
}

}  // namespace
