#pragma once
// A recordset as the program uses it: a query's rows, fields by name (any
// letter case) or position, moving forward, adding and changing rows.
// A forward-only, read-only recordset (the default) reads its rows from the
// database as it moves; before anything could change what it would read (a
// write, a transaction's end, a schema change, the statement wanted again)
// it reads the rest of its rows into its own storage. Other recordsets read
// every row at open. Stored rows are kept compactly (SQLite's own type and
// value, texts in one buffer); a field's Variant is made when it is read.
#include <memory>
#include <string>
#include <vector>

#include "platform/db/connection.h"
#include "platform/db/jetsql.h"
#include "platform/vb/variant.h"

struct sqlite3_stmt;

namespace db {

class Recordset;
struct ColumnSet;

enum CursorType { adOpenUnspecified = -1, adOpenForwardOnly = 0, adOpenKeyset = 1, adOpenDynamic = 2,
                  adOpenStatic = 3 };
enum LockType { adLockUnspecified = -1, adLockReadOnly = 1, adLockPessimistic = 2, adLockOptimistic = 3,
                adLockBatchOptimistic = 4 };
enum CursorLocation { adUseServer = 2, adUseClient = 3 };

class Field {
public:
  const std::string& name() const;
  // The current record's value (Null for an empty column); dates read back as
  // Date, Yes/No columns as Boolean. The reference holds this value until the
  // recordset moves to another record, changes this one, or closes.
  const vb::Variant& value() const;
  // Changes the current record (AddNew or edit); written by Update. A value
  // that cannot go into the column (a text that is no date for a date column)
  // raises at once and changes nothing.
  void setValue(const vb::Variant& v);

private:
  friend class Recordset;
  Recordset* rs_ = nullptr;
  int index_ = 0;
};

class Recordset {
public:
  Recordset();
  ~Recordset();
  Recordset(const Recordset&) = delete;
  Recordset& operator=(const Recordset&) = delete;

  void setCursorLocation(int location);
  void setCursorType(int type);
  void setLockType(int type);
  int cursorType() const { return cursorType_; }
  int lockType() const { return lockType_; }

  // cursor and lock -1 keep what was set before (default forward-only, read-only).
  void open(const std::string& sql, const std::shared_ptr<Connection>& cn, int cursor = -1, int lock = -1,
            int options = -1);
  bool isOpen() const { return open_; }
  void close();

  bool eof() const;
  bool bof() const;
  // Errors of the query on a later record (a Jet function given a bad value)
  // raise when a forward-only, read-only recordset moves onto that record.
  void moveNext();
  // A forward-only, read-only recordset that has moved on runs its query again.
  void moveFirst();
  void moveLast();
  // -1 for a forward-only server cursor, as ADO reports it; otherwise the rows.
  long recordCount() const;

  int fieldCount() const;
  Field& field(const std::string& name);
  Field& field(int index);  // 0-based
  const vb::Variant& operator[](const std::string& name) { return field(name).value(); }

  void addNew();
  // Writes the added or changed record in one statement; on failure nothing is
  // written and the record stays in edit so it can be corrected or cancelled.
  void update();
  void cancelUpdate();

private:
  friend class Field;
  friend void settleStreaming(const Connection::Impl* impl, sqlite3_stmt* stmt);
  enum class EditMode { None, Edit, Add };
  void requireOpen() const;
  void requireCurrent() const;
  // One stored value: SQLite's storage class and the value; a text is a
  // stretch of texts_. Values that no storage class gives back as they were
  // written (a Decimal, say) are kept whole in boxed_.
  struct Cell {
    enum Tag : unsigned char { Null, Integer, Real, Text, Boxed };
    Tag tag = Null;
    unsigned size = 0;  // of a text
    union {
      long long i;
      double d;
      size_t at;  // offset of a text in texts_, index in boxed_
    };
    Cell() : i(0) {}
  };
  // The written-back form of a value a field of that kind holds.
  Cell store(const vb::Variant& v, int index);
  vb::Variant load(const Cell& c, int index) const;
  void loadInto(vb::Variant& out, const Cell& c, int index) const;
  static void loadText(vb::Variant& out, const char* t, size_t n, ColumnKind kind);

  const vb::Variant& cell(int index) const;
  const Cell& stored(long row, int index) const {
    return cells_[static_cast<size_t>(row - base_) * fields_.size() + static_cast<size_t>(index)];
  }
  void storeRow(sqlite3_stmt* st, int first, int n);
  // Reading as the recordset moves.
  void startStream(sqlite3_stmt* st);  // st has just given its first row
  void stepStream();
  void settle();      // the current row and the rest into storage
  void stopStream();  // the statement reset and given back
  void runAgain();
  void loadLiveInto(vb::Variant& out, int index) const;
  void setCell(int index, const vb::Variant& v);
  void beginEdit();
  void forgetValues();

  std::shared_ptr<Connection> cn_;
  std::shared_ptr<const ColumnSet> cols_;
  std::vector<Field> fields_;
  std::vector<Cell> cells_;          // row-major, fieldCount per row
  std::string texts_;                // every text of cells_, one after another
  std::vector<vb::Variant> boxed_;
  std::vector<long long> rowids_;    // per row, when the rows can be written back
  // Each field's value as last read, and the record it was read from (-1: none).
  mutable std::vector<vb::Variant> values_;
  mutable std::vector<long> valueRow_;
  long rows_ = 0;   // rows read so far, all of them once the query has no more
  long pos_ = 0;
  long base_ = 0;   // record number of the first stored row
  long storedRows_ = 0;
  bool streamed_ = false;           // forward-only and read-only: rows read as it moves
  sqlite3_stmt* live_ = nullptr;    // the statement being stepped; its row is record pos_
  std::string sql_;                 // the query, for MoveFirst's new run
  std::string laterError_;          // an error met by settle, raised on reaching its row
  Recordset* liveNext_ = nullptr;   // the thread's recordsets that are being stepped
  Recordset* livePrev_ = nullptr;
  bool open_ = false;
  bool updatable_ = false;
  int cursorType_ = adOpenForwardOnly;
  int lockType_ = adLockReadOnly;
  int location_ = adUseServer;
  EditMode mode_ = EditMode::None;
  std::vector<vb::Variant> buffer_;
  std::vector<bool> dirty_;
  // The last generated INSERT or UPDATE, kept while the same fields are
  // written again and the connection has not finalized it.
  struct LastWrite {
    EditMode mode = EditMode::None;
    std::vector<bool> fields;
    sqlite3_stmt* stmt = nullptr;
    unsigned long generation = 0;
  } lastWrite_;
};

}  // namespace db
