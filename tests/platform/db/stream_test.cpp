// Forward-only, read-only recordsets read their rows as they move: whatever
// the program does meanwhile, they give the rows the query had when opened.
#include <gtest/gtest.h>

#include <functional>

#include "platform/vb/error.h"
#include "testdb.h"

namespace {

class DbStream : public ::testing::Test {
public:
  void SetUp() override { fresh(); }
  // A new database with four customers, for each case of a table.
  void fresh() {
    cn = dbtest::openProgramDb(tmp.file("base" + std::to_string(files++) + ".mdb"));
    for (const char* name : {"Ani", "Budi", "Citra", "Dewi"})
      cn->execute(std::string("insert into tblcustomer (Nocustomer, nama) values ('x', '") + name + "')");
  }
  // The names from the current record to the end, "," between them.
  static std::string rest(db::Recordset& rs) {
    std::string out;
    for (; !rs.eof(); rs.moveNext()) out += (out.empty() ? "" : ",") + rs.field("nama").value().toString();
    return out;
  }
  dbtest::TempFolder tmp;
  std::shared_ptr<db::Connection> cn;
  int files = 0;
};

const char* const kNames = "select nama from tblcustomer order by nama";

TEST_F(DbStream, ChangesMadeWhileReadingDoNotReachTheRecordset) {
  struct Case {
    const char* what;
    std::function<void(DbStream&)> change;
  } cases[] = {
      {"delete", [](DbStream& t) { t.cn->execute("delete from tblcustomer"); }},
      {"update", [](DbStream& t) { t.cn->execute("update tblcustomer set nama = 'Zaki'"); }},
      {"insert", [](DbStream& t) { t.cn->execute("insert into tblcustomer (nama) values ('Bayu')"); }},
      {"schema", [](DbStream& t) { t.cn->execute("ALTER TABLE tblcustomer ADD COLUMN catatan memo"); }},
      {"write through a recordset",
       [](DbStream& t) {
         db::Recordset w;
         w.open("select * from tblcustomer", t.cn, db::adOpenKeyset, db::adLockOptimistic);
         w.addNew();
         w.field("nama").setValue("Bayu");
         w.update();
         w.close();
       }},
      {"same query again",
       [](DbStream& t) {
         db::Recordset again;
         again.open(kNames, t.cn);
         EXPECT_EQ(rest(again), "Ani,Budi,Citra,Dewi");
       }},
      {"connection closed", [](DbStream& t) { t.cn->close(); }},
      {"restore", [](DbStream& t) {
         const std::string copy = t.tmp.file("kosong.mdb");
         t.cn->execute("delete from tblcustomer");
         t.cn->backupTo(copy);
         t.cn->restoreFrom(copy);
       }},
      {"write by a second connection", [](DbStream& t) {
         auto second = db::Connection::create();
         second->open(t.cn->connectionString());
         second->execute("delete from tblcustomer");
       }},
  };
  for (const Case& c : cases) {
    fresh();
    db::Recordset rs;
    rs.open(kNames, cn);
    EXPECT_EQ(rs.recordCount(), -1);
    const vb::Variant& first = rs.field("nama").value();
    EXPECT_EQ(first.toString(), "Ani") << c.what;
    rs.moveNext();
    c.change(*this);
    EXPECT_EQ(rest(rs), "Budi,Citra,Dewi") << c.what;
    EXPECT_TRUE(rs.eof()) << c.what;
    EXPECT_THROW(rs.moveNext(), vb::Error) << c.what;
    rs.close();
  }
}

TEST_F(DbStream, TransactionsEndingWhileReadingDoNotReachTheRecordset) {
  for (bool commit : {true, false}) {
    fresh();
    cn->beginTrans();
    cn->execute("insert into tblcustomer (nama) values ('Eka')");
    db::Recordset rs;
    rs.open(kNames, cn);
    rs.moveNext();
    if (commit) cn->commitTrans();
    else cn->rollbackTrans();
    EXPECT_EQ(rest(rs), "Budi,Citra,Dewi,Eka") << commit;
  }
}

TEST_F(DbStream, TwoRecordsetsOfOneQueryReadSideBySide) {
  db::Recordset a, b;
  a.open(kNames, cn);
  a.moveNext();
  b.open(kNames, cn);
  std::string seen;
  for (; !a.eof(); a.moveNext(), b.moveNext())
    seen += a.field(0).value().toString() + "/" + b.field(0).value().toString() + " ";
  EXPECT_EQ(seen, "Budi/Ani Citra/Budi Dewi/Citra ");
  EXPECT_EQ(b.field(0).value().toString(), "Dewi");
}

TEST_F(DbStream, MovingFirstAndLast) {
  struct Case {
    int movesBefore;   // moveNext calls first
    bool changeFirst;  // the table changes before the moves (the rows are then stored)
  } cases[] = {{0, false}, {2, false}, {4, false}, {2, true}};
  for (const Case& c : cases) {
    fresh();
    db::Recordset rs;
    rs.open(kNames, cn);
    for (int i = 0; i < c.movesBefore; ++i) rs.moveNext();
    if (c.changeFirst) cn->execute("update tblcustomer set nama = 'Ana' where nama = 'Ani'");
    rs.moveLast();
    EXPECT_EQ(rs.field(0).value().toString(), "Dewi") << c.movesBefore;
    rs.moveNext();
    EXPECT_TRUE(rs.eof());
    // Going back to the start runs the query again, as the rows passed are not kept.
    rs.moveFirst();
    EXPECT_EQ(rest(rs), c.changeFirst ? "Ana,Budi,Citra,Dewi" : "Ani,Budi,Citra,Dewi") << c.movesBefore;
  }
  db::Recordset none;
  none.open("select nama from tblcustomer where nama = 'tidak ada'", cn);
  EXPECT_TRUE(none.eof());
  EXPECT_TRUE(none.bof());
  EXPECT_THROW(none.moveLast(), vb::Error);
  none.moveFirst();
  EXPECT_TRUE(none.eof());
}

TEST_F(DbStream, AnErrorOnALaterRowRaisesOnReachingIt) {
  cn->execute("update tblcustomer set Nocustomer = '05/12/2026'");
  cn->execute("update tblcustomer set Nocustomer = 'bukan tanggal' where nama = 'Citra'");
  for (bool settled : {false, true}) {
    db::Recordset rs;
    rs.open("select nama, Month(Nocustomer) as m from tblcustomer order by id", cn);
    EXPECT_EQ(rs.field("m").value().toLong(), 12);
    if (settled) cn->execute("delete from tbladmin");
    rs.moveNext();
    EXPECT_EQ(rs.field("nama").value().toString(), "Budi") << settled;
    try {
      rs.moveNext();
      ADD_FAILURE() << "no error, settled " << settled;
    } catch (const vb::Error& e) {
      EXPECT_EQ(e.number(), db::errnum::SqlError);
      EXPECT_NE(e.description().find("mismatch"), std::string::npos) << e.description();
    }
    EXPECT_TRUE(rs.eof()) << settled;
  }
}

TEST_F(DbStream, AnUnfinishedRecordsetHoldsNoLockOnceGone) {
  auto second = db::Connection::create();
  second->open(cn->connectionString());
  {
    db::Recordset rs;
    rs.open(kNames, cn);
  }
  {
    db::Recordset rs;
    rs.open(kNames, cn);
    rs.close();
  }
  // Both readers have let the file go: the other connection writes at once.
  second->execute("delete from tblcustomer");
  db::Recordset rs;
  rs.open(kNames, cn);
  EXPECT_TRUE(rs.eof());
}

}  // namespace
