#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>

#include "platform/vb/error.h"
#include "testdb.h"

using dbtest::show;

namespace {

class DbApi : public ::testing::Test {
protected:
  void SetUp() override { cn = dbtest::openProgramDb(tmp.file("base.mdb")); }
  std::shared_ptr<db::Recordset> query(const std::string& sql, int cursor = -1, int lock = -1) {
    auto rs = std::make_shared<db::Recordset>();
    rs->open(sql, cn, cursor, lock);
    return rs;
  }
  long count(const std::string& table) {
    return static_cast<long>(query("select count(*) as n from " + table)->field(0).value().toLong());
  }
  dbtest::TempFolder tmp;
  std::shared_ptr<db::Connection> cn;
};

// Runs f and returns the error it raised (fails the test when none).
template <class F>
vb::Error errorOf(F f) {
  try {
    f();
  } catch (const vb::Error& e) {
    return e;
  }
  ADD_FAILURE() << "no error raised";
  return vb::Error(0, "");
}

TEST(DbQuote, DoublesEveryApostrophe) {
  EXPECT_EQ(db::quote("O'Brien's"), "O''Brien''s");
  EXPECT_EQ(db::quote("''"), "''''");
  EXPECT_EQ(db::quote("plain"), "plain");
}

TEST_F(DbApi, FieldsByNameInAnyCaseAndByPosition) {
  auto rs = query("select * from Tuser");
  ASSERT_FALSE(rs->eof());
  EXPECT_EQ(rs->field("KODEUSER").value().toString(), "ADMIN");
  EXPECT_EQ(rs->field(1).value().toString(), "ADMIN");
  EXPECT_EQ(rs->field(1).name(), "kodeuser");
  EXPECT_EQ(rs->fieldCount(), 19);
  EXPECT_EQ(rs->field("check12").value().type(), vb::VarType::Boolean);
  const vb::Error e = errorOf([&] { rs->field("nosuchcolumn"); });
  EXPECT_NE(e.description().find("nosuchcolumn"), std::string::npos);
  errorOf([&] { rs->field(19); });
}

TEST_F(DbApi, MovingThroughRowsAndEof) {
  for (const char* name : {"b", "A", "c"})
    cn->execute(std::string("insert into tblcustomer (Nocustomer, nama) values ('x', '") + name + "')");
  auto rs = query("select nama from tblcustomer order by nama");
  EXPECT_FALSE(rs->bof());
  std::string seen;
  for (; !rs->eof(); rs->moveNext()) seen += rs->field("nama").value().toString();
  EXPECT_EQ(seen, "Abc");  // text orders without regard to case
  const vb::Error e = errorOf([&] { rs->moveNext(); });
  EXPECT_EQ(e.number(), db::errnum::NoCurrentRecord);
  errorOf([&] { rs->field(0).value(); });
  rs->moveFirst();
  EXPECT_EQ(rs->field(0).value().toString(), "A");

  auto empty = query("select * from tblcustomer where nama = 'nobody'");
  EXPECT_TRUE(empty->eof());
  EXPECT_TRUE(empty->bof());
}

TEST_F(DbApi, RecordCountFollowsTheCursor) {
  struct Case {
    int location, cursor;
    long expected;
  } cases[] = {{db::adUseServer, db::adOpenUnspecified, -1}, {db::adUseServer, db::adOpenForwardOnly, -1},
               {db::adUseServer, db::adOpenStatic, 1},       {db::adUseServer, db::adOpenKeyset, 1},
               {db::adUseClient, db::adOpenForwardOnly, 1}};
  for (const Case& c : cases) {
    db::Recordset rs;
    rs.setCursorLocation(c.location);
    rs.open("select * from Tuser", cn, c.cursor);
    EXPECT_EQ(rs.recordCount(), c.expected) << c.location << "/" << c.cursor;
  }
  // The customer dialogs set dynamic and optimistic, then open static.
  db::Recordset rs;
  rs.setCursorLocation(db::adUseClient);
  rs.setCursorType(db::adOpenDynamic);
  rs.setLockType(db::adLockOptimistic);
  rs.open("select * from tblcustomer", cn, db::adOpenStatic);
  EXPECT_EQ(rs.recordCount(), 0);
  EXPECT_EQ(rs.lockType(), db::adLockOptimistic);
}

TEST_F(DbApi, AddNewAndUpdateInsertARowWithItsKey) {
  auto rs = query("select * from tblkwitansi where NoKwitansi = '001/12/2026'", db::adOpenKeyset, db::adLockOptimistic);
  ASSERT_TRUE(rs->eof());
  rs->addNew();
  rs->field("NoKwitansi").setValue("001/12/2026");
  rs->field("tgl").setValue("05/12/2026");
  rs->field("Nominal").setValue("1,500");
  rs->update();
  EXPECT_GT(rs->field("no").value().toLong(), 0);
  EXPECT_EQ(show(rs->field("tgl").value()), "2026-12-05");
  rs->close();

  auto back = query("select * from tblkwitansi");
  ASSERT_FALSE(back->eof());
  EXPECT_EQ(back->field("NoKwitansi").value().toString(), "001/12/2026");
  EXPECT_EQ(show(back->field("tgl").value()), "2026-12-05");
  EXPECT_TRUE(back->field("SudahTerima").value().isNull());
}

TEST_F(DbApi, UpdateOfAFoundRowWritesThatRowOnly) {
  cn->execute("insert into tblcustomer (Nocustomer, nama) values ('CUST00001', 'Ani')");
  cn->execute("insert into tblcustomer (Nocustomer, nama) values ('CUST00002', 'Budi')");
  auto rs = query("select * from tblcustomer where Nocustomer = 'cust00002'", db::adOpenStatic, db::adLockOptimistic);
  ASSERT_FALSE(rs->eof());
  rs->field("nama").setValue("Budi Santoso");
  EXPECT_EQ(rs->field("nama").value().toString(), "Budi Santoso");
  rs->update();
  rs->close();
  auto all = query("select nama from tblcustomer order by 1");
  EXPECT_EQ(all->field(0).value().toString(), "Ani");
  all->moveNext();
  EXPECT_EQ(all->field(0).value().toString(), "Budi Santoso");
}

TEST_F(DbApi, ReadOnlyRecordsetsRefuseChanges) {
  auto rs = query("select * from Tuser");
  EXPECT_EQ(errorOf([&] { rs->addNew(); }).number(), db::errnum::NotUpdatable);
  EXPECT_EQ(errorOf([&] { rs->field("kodeuser").setValue("x"); }).number(), db::errnum::NotUpdatable);
}

TEST_F(DbApi, FailedUpdateLeavesNothingAndTheRecordsetUsable) {
  cn->execute("CREATE TABLE strict (a Text(10) NOT NULL, b long, c datetime)");
  auto rs = query("select * from strict", db::adOpenKeyset, db::adLockOptimistic);
  rs->addNew();
  rs->field("b").setValue(7);
  const vb::Error e = errorOf([&] { rs->update(); });
  EXPECT_NE(e.description().find("NOT NULL"), std::string::npos) << e.description();
  EXPECT_EQ(count("strict"), 0);
  // A date column refuses a text that is no date at the assignment itself.
  errorOf([&] { rs->field("c").setValue("not a date"); });
  rs->field("a").setValue("ok");
  rs->update();
  EXPECT_EQ(count("strict"), 1);
  auto back = query("select * from strict");
  EXPECT_EQ(back->field("b").value().toLong(), 7);
  EXPECT_TRUE(back->field("c").value().isNull());
}

TEST_F(DbApi, ClosedRecordsetsAndConnectionsRaise) {
  auto rs = query("select * from Tuser");
  rs->close();
  EXPECT_FALSE(rs->isOpen());
  EXPECT_EQ(errorOf([&] { rs->eof(); }).number(), db::errnum::ObjectClosed);
  cn->close();
  EXPECT_FALSE(cn->isOpen());
  EXPECT_EQ(errorOf([&] { cn->execute("delete from tblset"); }).number(), db::errnum::ObjectClosed);
  db::Recordset r2;
  errorOf([&] { r2.open("select * from Tuser", cn); });
}

TEST_F(DbApi, StatementErrorsAreReadable) {
  struct Case {
    const char* sql;
    const char* mentions;
  } cases[] = {{"select * from nosuchtable", "nosuchtable"},
               {"selec * from Tuser", "syntax error"},
               {"select * from tblKwitansi where NoKwitansi like '%O'Brien%'", "Unterminated text"},
               {"select nosuchcol from Tuser", "nosuchcol"},
               {"delete from Tuser; delete from tblset", "after end of SQL statement"}};
  for (const Case& c : cases) {
    const vb::Error e = errorOf([&] { cn->execute(c.sql); });
    EXPECT_EQ(e.number(), db::errnum::SqlError) << c.sql;
    EXPECT_EQ(e.source(), "Microsoft JET Database Engine");
    EXPECT_NE(e.description().find(c.mentions), std::string::npos) << e.description();
  }
  EXPECT_EQ(count("Tuser"), 1);
  // An error inside a Jet function surfaces as an error too.
  errorOf([&] { query("select Mid(kodeuser, 0) from Tuser"); });
}

TEST_F(DbApi, ConnectionStringRoundTrip) {
  const std::string cs = cn->connectionString();
  EXPECT_EQ(cs.rfind("Provider=Microsoft.Jet.OLEDB.4.0;", 0), 0u) << cs;
  EXPECT_NE(cs.find("Data Source=" + tmp.file("base.mdb") + ";"), std::string::npos) << cs;
  cn->execute("update tbladmin set pasw = 'dari-pertama'");
  auto second = db::Connection::create();
  second->open(cs);
  db::Recordset rs;
  rs.open("select pasw from tbladmin", second);
  EXPECT_EQ(rs.field(0).value().toString(), "dari-pertama");
  EXPECT_EQ(second->dataSource(), tmp.file("base.mdb"));
}

TEST_F(DbApi, OpenRefusesMissingFilesAndNonDatabases) {
  const std::string text = tmp.file("notes.mdb");
  std::ofstream(text) << "this is a text file renamed base.mdb\n";
  const std::string emptyFile = tmp.file("empty.mdb");
  std::ofstream{emptyFile};
  for (const std::string& path : {tmp.file("missing.mdb"), text, emptyFile}) {
    auto other = db::Connection::create();
    other->setConnectionString("Data Source=" + path);
    const vb::Error e = errorOf([&] { other->open(); });
    EXPECT_NE(e.description().find(path), std::string::npos) << e.description();
    EXPECT_FALSE(other->isOpen());
  }
  EXPECT_FALSE(std::filesystem::exists(tmp.file("missing.mdb")));
  EXPECT_EQ(std::filesystem::file_size(emptyFile), 0u);
}

TEST_F(DbApi, TransactionsCommitAndRollBack) {
  cn->beginTrans();
  cn->execute("insert into tblcustomer (nama) values ('sementara')");
  cn->rollbackTrans();
  EXPECT_EQ(count("tblcustomer"), 0);
  cn->beginTrans();
  cn->execute("insert into tblcustomer (nama) values ('tetap')");
  cn->commitTrans();
  EXPECT_EQ(count("tblcustomer"), 1);
  errorOf([&] { cn->commitTrans(); });
}

TEST_F(DbApi, BackupAndRestore) {
  cn->execute("insert into tblcustomer (Nocustomer, nama) values ('CUST00001', 'Asli')");
  const std::string copy = tmp.file("Backup Kwitansi - 051226.mdb");
  cn->backupTo(copy);
  cn->execute("delete * from tblcustomer");
  EXPECT_EQ(count("tblcustomer"), 0);

  // A file that is not one of the program's databases changes nothing.
  const std::string text = tmp.file("bukan.mdb");
  std::ofstream(text) << "not a database";
  const std::string stranger = tmp.file("asing.mdb");
  {
    auto other = dbtest::openProgramDb(tmp.file("tmp-asing.mdb"));
    other->execute("drop table tblcustomer");
    other->backupTo(stranger);
  }
  for (const std::string& bad : {text, stranger, tmp.file("tidak-ada.mdb")}) {
    errorOf([&] { cn->restoreFrom(bad); });
    EXPECT_EQ(count("tblcustomer"), 0) << bad;
  }

  cn->restoreFrom(copy);
  auto rs = query("select nama from tblcustomer");
  ASSERT_FALSE(rs->eof());
  EXPECT_EQ(rs->field(0).value().toString(), "Asli");
  // The connection goes on working after the restore.
  cn->execute("insert into tblcustomer (nama) values ('baru')");
  EXPECT_EQ(count("tblcustomer"), 2);
}

TEST_F(DbApi, RestoreRefusesACopyWithoutAnyTableTheProgramReads) {
  cn->execute("insert into tblcustomer (nama) values ('tetap')");
  for (const std::string table : {"Tuser", "tblset", "tblkwitansi", "tblkuitansitemp", "tblcustomer", "tbladmin"}) {
    SCOPED_TRACE(table);
    const std::string partial = tmp.file("tanpa-" + table + ".mdb");
    {
      auto other = dbtest::openProgramDb(tmp.file("src-" + table + ".mdb"));
      other->execute("DROP TABLE " + table);
      other->backupTo(partial);
    }
    const vb::Error e = errorOf([&] { cn->restoreFrom(partial); });
    EXPECT_NE(e.description().find("not a database of this program"), std::string::npos) << e.description();
    EXPECT_EQ(count("tblcustomer"), 1);
    EXPECT_EQ(count("tbladmin"), 1);
    EXPECT_EQ(count("tblkuitansitemp"), 1);
  }
}

TEST_F(DbApi, BackupReplacesWhatTheTargetHeldOrLeavesItWhole) {
  cn->execute("insert into tblcustomer (nama) values ('Asli')");
  auto holds = [](const std::string& path) {
    auto other = db::Connection::create();
    other->open("Data Source=" + path);
    db::Recordset rs;
    rs.open("select nama from tblcustomer", other);
    return rs.eof() ? std::string() : rs.field(0).value().toString();
  };
  const std::string text = tmp.file("catatan.mdb"), older = tmp.file("lama.mdb");
  std::ofstream(text) << "a text file the user chose to overwrite";
  {
    auto other = dbtest::openProgramDb(older);
    other->execute("insert into tblcustomer (nama) values ('Lama')");
  }
  for (const std::string& target : {text, older}) {
    cn->backupTo(target);
    EXPECT_EQ(holds(target), "Asli") << target;
  }

  // A target that cannot be replaced (a folder): an error, the folder as it
  // was, and no half-written file beside it.
  const std::string folder = tmp.file("map.mdb");
  std::filesystem::create_directory(folder);
  std::ofstream(folder + "/isi.txt") << "x";
  errorOf([&] { cn->backupTo(folder); });
  EXPECT_TRUE(std::filesystem::is_directory(folder));
  EXPECT_TRUE(std::filesystem::exists(folder + "/isi.txt"));
  errorOf([&] { cn->backupTo(tmp.file("tidak/ada/folder.mdb")); });
  std::vector<std::string> names;
  for (const auto& entry : std::filesystem::directory_iterator(std::filesystem::path(tmp.file(""))))
    names.push_back(entry.path().filename().string());
  std::sort(names.begin(), names.end());
  EXPECT_EQ(names, (std::vector<std::string>{"base.mdb", "catatan.mdb", "lama.mdb", "map.mdb"}));
}

}  // namespace
