#include <gtest/gtest.h>

#include "platform/db/jetsql.h"
#include "platform/vb/error.h"

namespace {

class FakeSchema : public db::SchemaLookup {
public:
  std::vector<std::pair<std::string, db::ColumnKind>> columns(const std::string& table) override {
    if (table == "tblkwitansi" || table == "tblKwitansi")
      return {{"no", db::ColumnKind::Integer}, {"NoKwitansi", db::ColumnKind::Text}, {"tgl", db::ColumnKind::Date}};
    if (table == "Tuser") return {{"kodeuser", db::ColumnKind::Text}, {"check1", db::ColumnKind::YesNo}};
    return {};
  }
};

TEST(JetSql, TranslatesTheDialect) {
  struct Case {
    const char* jet;
    const char* sqlite;
  } cases[] = {
      {"select * from tblKwitansi where tgl =#12/05/2026#  order by nokwitansi",
       "select * from tblKwitansi where tgl =46361.0  order by nokwitansi"},
      {"DELETE * FROM [tblkwitansi]", "DELETE FROM \"tblkwitansi\""},
      // Month and Year read text as CDate does, so a CDate directly inside them goes; elsewhere it stays.
      {"select Year( CDate(x) ), month(cdate((a))) from t", "select vt_year( x ), vt_month((a)) from t"},
      {"select CDate(x), Month(CDate(x) + 1), Month(CDate(x, y)), Month(t.CDate(x)), Month([CDate](x)) from t",
       "select vt_cdate(x), vt_month(vt_cdate(x) + 1), vt_month(vt_cdate(x, y)), vt_month(t.CDate(x)), "
       "vt_month(\"CDate\"(x)) from t"},
      {"SELECT right(x,5), Format(tgl, 'dd mmmm yyyy') AS s FROM t", "SELECT vt_right(x,5), vt_format(tgl, 'dd mmmm yyyy') AS s FROM t"},
      // Nothing inside a text literal or a bracketed name is rewritten.
      {"select 'a & #1/2/2026# Left(' from [Left & Right]", "select 'a & #1/2/2026# Left(' from \"Left & Right\""},
      {"select 'it''s' from t where x = \"say \"\"hi\"\"'\"", "select 'it''s' from t where x = 'say \"hi\"'''"},
      {"select * from t where a = True or b = False", "select * from t where a = (-1) or b = 0"},
      {"select * from t left join u on t.a = u.a", "select * from t left join u on t.a = u.a"},
      {"ALTER TABLE tuser ADD COLUMN level_user Text(255)", "ALTER TABLE tuser ADD COLUMN level_user TEXT(255) COLLATE NOCASE"},
      {"ALTER TABLE tblkwitansi ADD COLUMN terbilang memo", "ALTER TABLE tblkwitansi ADD COLUMN terbilang MEMO COLLATE NOCASE"},
      {"CREATE TABLE x (a Text(10), b yesno, c datetime, d long)",
       "CREATE TABLE x (a TEXT(10) COLLATE NOCASE, b YESNO, c DATETIME, d INTEGER)"},
      {"select * from t where d between #2026-01-31# and #1/2/2026 13:30#",
       "select * from t where d between 46053.0 and 46024.5625"},
  };
  for (const Case& c : cases) EXPECT_EQ(db::translateJet(c.jet, nullptr).sql, c.sqlite) << c.jet;
}

TEST(JetSql, WrapsValuesWrittenIntoDateAndYesNoColumns) {
  FakeSchema schema;
  struct Case {
    const char* jet;
    const char* sqlite;
  } cases[] = {
      {"insert into tblkwitansi (NoKwitansi, tgl) values ('001/12/2026', '05/12/2026')",
       "insert into tblkwitansi (NoKwitansi, tgl) values ('001/12/2026', vt_datestore('05/12/2026'))"},
      {"INSERT INTO tblkwitansi VALUES (1, 'x', Left('05/12/2026x', 10))",
       "INSERT INTO tblkwitansi VALUES (1, 'x', vt_datestore(vt_left('05/12/2026x', 10)))"},
      {"update Tuser set check1 = 1, kodeuser = 'a' where kodeuser = 'b'",
       "update Tuser set check1 = vt_yesno(1), kodeuser = 'a' where kodeuser = 'b'"},
      {"UPDATE tblkwitansi SET [tgl]='01/01/2027'", "UPDATE tblkwitansi SET \"tgl\"=vt_datestore('01/01/2027')"},
      {"update other set tgl = 1", "update other set tgl = 1"},
  };
  for (const Case& c : cases) EXPECT_EQ(db::translateJet(c.jet, &schema).sql, c.sqlite) << c.jet;
}

TEST(JetSql, RecognisesSimpleSelects) {
  struct Case {
    const char* jet;
    bool simple;
    const char* table;
  } cases[] = {
      {"select * from tblKwitansi where NoKwitansi = 'x'", true, "tblKwitansi"},
      {"Select * From [Tuser] where nomor = 0", true, "Tuser"},
      {"select count(*) from a, b", false, "a"},
      {"select distinct a from t", false, "t"},
      {"select * from t inner join u on t.a = u.a", false, "t"},
      {"select a from t group by a", false, "t"},
  };
  for (const Case& c : cases) {
    const db::Translation t = db::translateJet(c.jet, nullptr);
    EXPECT_EQ(t.simpleSelect, c.simple) << c.jet;
    EXPECT_EQ(t.table, c.table) << c.jet;
  }
}

TEST(JetSql, DateLiteralsReadMonthFirst) {
  struct Case {
    const char* text;
    bool ok;
    double serial;
  } cases[] = {
      {"12/05/2026", true, 46361},  {"1/2/2026", true, 46024},      {"2026-12-05", true, 46361},
      {"25/12/2026", true, 46381},  // an impossible month is read as the day
      {"12/05/26", true, 46361},    {"12/05/2026 06:00 PM", true, 46361.75},
      {"02/30/2026", false, 0},     {"hello", false, 0},            {"", false, 0},
  };
  for (const Case& c : cases) {
    double serial = -1;
    EXPECT_EQ(db::parseJetDateLiteral(c.text, serial), c.ok) << c.text;
    if (c.ok) {
      EXPECT_DOUBLE_EQ(serial, c.serial) << c.text;
    }
  }
}

TEST(JetSql, MalformedLiteralsRaiseReadableErrors) {
  for (const char* bad : {"select * from t where d = #13/45/2026#", "select * from t where d = #12/05/2026",
                          "select 'open from t", "select [open from t"}) {
    try {
      db::translateJet(bad, nullptr);
      ADD_FAILURE() << bad;
    } catch (const vb::Error& e) {
      EXPECT_EQ(e.source(), "Microsoft JET Database Engine") << bad;
      EXPECT_FALSE(e.description().empty());
    }
  }
}

TEST(JetSql, DeclaredTypesGiveColumnKinds) {
  EXPECT_EQ(db::kindOfDeclType("DATETIME"), db::ColumnKind::Date);
  EXPECT_EQ(db::kindOfDeclType("YESNO"), db::ColumnKind::YesNo);
  EXPECT_EQ(db::kindOfDeclType("TEXT(255)"), db::ColumnKind::Text);
  EXPECT_EQ(db::kindOfDeclType("MEMO"), db::ColumnKind::Text);
  EXPECT_EQ(db::kindOfDeclType("INTEGER"), db::ColumnKind::Integer);
  EXPECT_EQ(db::kindOfDeclType(nullptr), db::ColumnKind::Other);
}

}  // namespace
