#include "platform/db/recordset.h"

#include <algorithm>
#include <cmath>

#include "platform/db/internal.h"
#include "platform/vb/error.h"

namespace db {

// --- values in and out -----------------------------------------------------------

void bindValue(sqlite3_stmt* st, int i, const vb::Variant& v) {
  switch (v.type()) {
    case vb::VarType::Empty:
    case vb::VarType::Null: sqlite3_bind_null(st, i); break;
    case vb::VarType::Boolean: sqlite3_bind_int(st, i, v.boolValue() ? -1 : 0); break;
    case vb::VarType::Long: sqlite3_bind_int64(st, i, v.longValue()); break;
    case vb::VarType::Double: sqlite3_bind_double(st, i, v.doubleValue()); break;
    case vb::VarType::Decimal: sqlite3_bind_double(st, i, v.decimalValue().toDouble()); break;
    case vb::VarType::Date: sqlite3_bind_double(st, i, v.dateValue().serial); break;
    case vb::VarType::String:
      sqlite3_bind_text(st, i, v.stringValue().data(), static_cast<int>(v.stringValue().size()), SQLITE_STATIC);
      break;
    case vb::VarType::Object:
      raiseError(errnum::TypeMismatch, "An object cannot be stored in a field.", kRecordsetSource);
  }
}

vb::Variant convertForColumn(const vb::Variant& v, ColumnKind kind, const std::string& column) {
  if (v.isNull() || v.isEmpty()) return kind == ColumnKind::YesNo ? vb::Variant(false) : vb::Variant::null();
  auto mismatch = [&]() {
    raiseError(errnum::TypeMismatch,
               "Data type mismatch: the value '" + (v.isObject() ? std::string("(object)") : v.toString()) +
                   "' does not fit the field '" + column + "'.",
               kEngineSource);
  };
  try {
    switch (kind) {
      case ColumnKind::Date:
        if (v.type() == vb::VarType::Date) return v;
        if (v.type() == vb::VarType::String) {
          // The program writes dates as day-first text ("05/12/2026").
          vb::Date d;
          if (!vb::parseDate(v.stringValue(), d)) mismatch();
          return vb::Variant(d);
        }
        if (v.type() == vb::VarType::Boolean) mismatch();
        return vb::Variant(vb::Date{v.toDouble()});
      case ColumnKind::YesNo: return vb::Variant(v.toBool());
      case ColumnKind::Integer:
        if (v.type() == vb::VarType::Long) return v;
        if (v.type() == vb::VarType::String && v.stringValue().empty()) return vb::Variant::null();
        return vb::Variant(static_cast<long long>(std::llround(v.toDouble())));
      case ColumnKind::Real:
        if (v.type() == vb::VarType::Double) return v;
        if (v.type() == vb::VarType::String && v.stringValue().empty()) return vb::Variant::null();
        return vb::Variant(v.toDouble());
      case ColumnKind::Text:
        if (v.type() == vb::VarType::String) return v;
        return vb::Variant(v.toString());
      case ColumnKind::Other: return v;
    }
  } catch (const vb::Error& e) {
    if (e.number() == errnum::TypeMismatch) throw;
    mismatch();
  }
  return v;
}

// --- Field -----------------------------------------------------------------------

const std::string& Field::name() const { return rs_->cols_->names[index_]; }
const vb::Variant& Field::value() const { return rs_->cell(index_); }
void Field::setValue(const vb::Variant& v) { rs_->setCell(index_, v); }

// --- Recordset -------------------------------------------------------------------

Recordset::Recordset() = default;
Recordset::~Recordset() { stopStream(); }

void Recordset::setCursorLocation(int location) { location_ = location; }
void Recordset::setCursorType(int type) {
  if (type != adOpenUnspecified) cursorType_ = type;
}
void Recordset::setLockType(int type) {
  if (type != adLockUnspecified) lockType_ = type;
}

void Recordset::requireOpen() const {
  if (!open_) raiseError(errnum::ObjectClosed, "Operation is not allowed when the object is closed.", kRecordsetSource);
}

void Recordset::requireCurrent() const {
  requireOpen();
  if (mode_ == EditMode::Add) return;
  if (pos_ < 0 || pos_ >= rows_)
    raiseError(errnum::NoCurrentRecord,
               "Either BOF or EOF is True, or the current record has been deleted. Requested operation requires "
               "a current record.",
               kRecordsetSource);
}

void Recordset::storeRow(sqlite3_stmt* st, int first, int n) {
  if (first) rowids_.push_back(sqlite3_column_int64(st, 0));
  for (int i = first; i < n + first; ++i) {
    Cell c;
    switch (sqlite3_column_type(st, i)) {
      case SQLITE_NULL: break;
      case SQLITE_INTEGER:
        c.tag = Cell::Integer;
        c.i = sqlite3_column_int64(st, i);
        break;
      case SQLITE_FLOAT:
        c.tag = Cell::Real;
        c.d = sqlite3_column_double(st, i);
        break;
      default: {
        const char* t = reinterpret_cast<const char*>(sqlite3_column_text(st, i));
        c.tag = Cell::Text;
        c.size = static_cast<unsigned>(sqlite3_column_bytes(st, i));
        c.at = texts_.size();
        if (t) texts_.append(t, c.size);
        else c.size = 0;
      }
    }
    cells_.push_back(c);
  }
  ++storedRows_;
}

void Recordset::open(const std::string& sql, const std::shared_ptr<Connection>& cn, int cursor, int lock, int) {
  if (open_)
    raiseError(errnum::NotAllowed, "Operation is not allowed when the object is open.", kRecordsetSource);
  if (!cn) raiseError(errnum::NotAllowed, "The connection cannot be used to perform this operation.", kRecordsetSource);
  setCursorType(cursor);
  setLockType(lock);
  Connection::Impl& impl = cn->impl();
  impl.requireOpen();
  const bool wantsWrite = lockType_ == adLockPessimistic || lockType_ == adLockOptimistic ||
                          lockType_ == adLockBatchOptimistic;
  // An updatable recordset carries each row's rowid so that Update finds its row.
  CachedStatement& cs = impl.statement(sql, wantsWrite);
  sqlite3_stmt* st = cs.stmt;
  const ColumnSet& cols = *cs.cols;
  const int n = static_cast<int>(cols.names.size());
  const int first = cols.hiddenRowid ? 1 : 0;
  const bool streamed = !wantsWrite && cursorType_ == adOpenForwardOnly && location_ != adUseClient;
  // Read into this recordset's own buffers, which keep their room from an
  // earlier open; on failure the recordset stays closed.
  cells_.clear();
  texts_.clear();
  boxed_.clear();
  rowids_.clear();
  storedRows_ = 0;
  base_ = 0;
  long rows = 0;
  int rc;
  while ((rc = sqlite3_step(st)) == SQLITE_ROW) {
    ++rows;
    if (streamed) break;
    storeRow(st, first, n);
  }
  if (rc != SQLITE_DONE && rc != SQLITE_ROW) {
    const std::string msg = sqlite3_errmsg(impl.db);
    sqlite3_reset(st);
    cells_.clear();
    texts_.clear();
    rowids_.clear();
    storedRows_ = 0;
    raiseSqlError(msg + " (SQL: " + sql + ")");
  }
  cn_ = cn;
  cols_ = cs.cols;
  updatable_ = cols.hiddenRowid;
  streamed_ = streamed;
  laterError_.clear();
  if (rc == SQLITE_ROW) {
    sql_ = sql;
    startStream(st);
  } else {
    sqlite3_reset(st);
  }
  rows_ = rows;
  pos_ = 0;
  fields_.assign(n, Field());
  for (int i = 0; i < n; ++i) {
    fields_[i].rs_ = this;
    fields_[i].index_ = i;
  }
  values_.resize(n);
  valueRow_.assign(n, -1);
  lastWrite_ = LastWrite();
  mode_ = EditMode::None;
  open_ = true;
}

// --- reading as the recordset moves ----------------------------------------------

namespace {
// Per thread, as a connection and its recordsets are used by one thread at a time.
thread_local Recordset* liveHead = nullptr;
}  // namespace

void Recordset::startStream(sqlite3_stmt* st) {
  live_ = st;
  livePrev_ = nullptr;
  liveNext_ = liveHead;
  if (liveHead) liveHead->livePrev_ = this;
  liveHead = this;
}

void Recordset::stopStream() {
  if (!live_) return;
  sqlite3_reset(live_);
  live_ = nullptr;
  if (livePrev_) livePrev_->liveNext_ = liveNext_;
  else liveHead = liveNext_;
  if (liveNext_) liveNext_->livePrev_ = livePrev_;
  liveNext_ = livePrev_ = nullptr;
}

// Moves the statement onto record pos_.
void Recordset::stepStream() {
  const int rc = sqlite3_step(live_);
  if (rc == SQLITE_ROW) {
    rows_ = pos_ + 1;
    return;
  }
  // No more rows; the read of the database ends here.
  const std::string msg = rc == SQLITE_DONE ? std::string() : sqlite3_errmsg(cn_->impl().db);
  stopStream();
  rows_ = pos_;
  if (!msg.empty()) raiseSqlError(msg + " (SQL: " + sql_ + ")");
}

void Recordset::settle() {
  cells_.clear();
  texts_.clear();
  boxed_.clear();
  storedRows_ = 0;
  base_ = pos_;
  int rc;
  do storeRow(live_, 0, static_cast<int>(fields_.size()));
  while ((rc = sqlite3_step(live_)) == SQLITE_ROW);
  if (rc != SQLITE_DONE) laterError_ = std::string(sqlite3_errmsg(cn_->impl().db)) + " (SQL: " + sql_ + ")";
  rows_ = base_ + storedRows_;
  stopStream();
}

void settleStreaming(const Connection::Impl* impl, sqlite3_stmt* stmt) {
  for (Recordset* rs = liveHead; rs;) {
    Recordset* next = rs->liveNext_;
    if ((!impl || &rs->cn_->impl() == impl) && (!stmt || rs->live_ == stmt)) rs->settle();
    rs = next;
  }
}

void Recordset::runAgain() {
  stopStream();
  Connection::Impl& impl = cn_->impl();
  CachedStatement& cs = impl.statement(sql_, false);
  cells_.clear();
  texts_.clear();
  boxed_.clear();
  storedRows_ = 0;
  base_ = pos_ = rows_ = 0;
  laterError_.clear();
  forgetValues();
  const int rc = sqlite3_step(cs.stmt);
  if (rc == SQLITE_ROW) {
    rows_ = 1;
    startStream(cs.stmt);
    return;
  }
  const std::string msg = rc == SQLITE_DONE ? std::string() : sqlite3_errmsg(impl.db);
  sqlite3_reset(cs.stmt);
  if (!msg.empty()) raiseSqlError(msg + " (SQL: " + sql_ + ")");
}

void Recordset::close() {
  requireOpen();
  stopStream();
  // Changes not yet written by Update are dropped with the recordset.
  open_ = false;
  mode_ = EditMode::None;
  cells_.clear();
  texts_.clear();
  boxed_.clear();
  rowids_.clear();
  fields_.clear();
  values_.clear();
  valueRow_.clear();
  lastWrite_ = LastWrite();
  buffer_.clear();
  dirty_.clear();
  cols_.reset();
  cn_.reset();
  rows_ = pos_ = base_ = storedRows_ = 0;
  laterError_.clear();
}

bool Recordset::eof() const {
  requireOpen();
  return pos_ >= rows_;
}

bool Recordset::bof() const {
  requireOpen();
  return rows_ == 0 || pos_ < 0;
}

void Recordset::moveNext() {
  requireCurrent();
  if (mode_ != EditMode::None) update();  // moving on writes the record, as ADO does
  ++pos_;
  if (live_) {
    stepStream();
  } else if (pos_ >= rows_ && !laterError_.empty()) {
    const std::string msg = std::move(laterError_);
    laterError_.clear();
    raiseSqlError(msg);
  }
}

void Recordset::moveFirst() {
  requireOpen();
  if (mode_ != EditMode::None) update();
  // Rows a forward-only recordset has passed are not kept: it runs its query again.
  const bool firstAtHand = live_ ? pos_ == 0 : base_ == 0 && storedRows_ == rows_;
  if (streamed_ && rows_ > 0 && !firstAtHand) return runAgain();
  pos_ = 0;
}

void Recordset::moveLast() {
  requireOpen();
  if (mode_ != EditMode::None) update();
  if (streamed_ && !live_ && rows_ > base_ + storedRows_) runAgain();  // the last row has been passed
  // The rest of the rows into storage, the last one among them.
  if (live_) settle();
  if (rows_ == 0)
    raiseError(errnum::NoCurrentRecord, "Either BOF or EOF is True, or the current record has been deleted.",
               kRecordsetSource);
  pos_ = rows_ - 1;
}

long Recordset::recordCount() const {
  requireOpen();
  if (location_ != adUseClient && cursorType_ == adOpenForwardOnly) return -1;
  return rows_;
}

int Recordset::fieldCount() const {
  requireOpen();
  return static_cast<int>(fields_.size());
}

Field& Recordset::field(const std::string& name) {
  requireOpen();
  const int i = cols_->find(name.data(), name.size());
  if (i < 0)
    raiseError(errnum::ItemNotFound,
               "Item cannot be found in the collection corresponding to the requested name or ordinal: '" + name +
                   "'.",
               kRecordsetSource);
  return fields_[i];
}

Field& Recordset::field(int index) {
  requireOpen();
  if (index < 0 || index >= static_cast<int>(fields_.size()))
    raiseError(errnum::ItemNotFound,
               "Item cannot be found in the collection corresponding to the requested name or ordinal: " +
                   std::to_string(index) + ".",
               kRecordsetSource);
  return fields_[index];
}

void Recordset::loadInto(vb::Variant& out, const Cell& c, int index) const {
  const ColumnKind kind = cols_->kinds[index];
  switch (c.tag) {
    case Cell::Null: return out.setNull();
    case Cell::Integer:
      if (kind == ColumnKind::YesNo) return out.setBool(c.i != 0);
      if (kind == ColumnKind::Date) return out.setDate(vb::Date{static_cast<double>(c.i)});
      return out.setLong(c.i);
    case Cell::Real:
      if (kind == ColumnKind::Date) return out.setDate(vb::Date{c.d});
      if (kind == ColumnKind::YesNo) return out.setBool(c.d != 0);
      return out.setDouble(c.d);
    case Cell::Text: return loadText(out, texts_.data() + c.at, c.size, kind);
    case Cell::Boxed: out = boxed_[c.at]; return;
  }
  out.setNull();
}

vb::Variant Recordset::load(const Cell& c, int index) const {
  vb::Variant v;
  loadInto(v, c, index);
  return v;
}

void Recordset::loadText(vb::Variant& out, const char* t, size_t n, ColumnKind kind) {
  if (kind == ColumnKind::Date) {
    vb::Date d;
    if (vb::parseDate(std::string(t, n), d)) return out.setDate(d);
  }
  out.setText(t, n);
}

// The value of a field of the row the statement stands on, made as loadInto
// makes it from a stored cell.
void Recordset::loadLiveInto(vb::Variant& out, int index) const {
  const ColumnKind kind = cols_->kinds[index];
  switch (sqlite3_column_type(live_, index)) {
    case SQLITE_NULL: return out.setNull();
    case SQLITE_INTEGER: {
      const long long i = sqlite3_column_int64(live_, index);
      if (kind == ColumnKind::YesNo) return out.setBool(i != 0);
      if (kind == ColumnKind::Date) return out.setDate(vb::Date{static_cast<double>(i)});
      return out.setLong(i);
    }
    case SQLITE_FLOAT: {
      const double d = sqlite3_column_double(live_, index);
      if (kind == ColumnKind::Date) return out.setDate(vb::Date{d});
      if (kind == ColumnKind::YesNo) return out.setBool(d != 0);
      return out.setDouble(d);
    }
    default: {
      const char* t = reinterpret_cast<const char*>(sqlite3_column_text(live_, index));
      const size_t n = t ? static_cast<size_t>(sqlite3_column_bytes(live_, index)) : 0;
      return loadText(out, t ? t : "", n, kind);
    }
  }
}

Recordset::Cell Recordset::store(const vb::Variant& v, int index) {
  // Only where load gives back exactly v does the value go in compact form.
  const ColumnKind kind = cols_->kinds[index];
  const bool plain = kind != ColumnKind::Date && kind != ColumnKind::YesNo;
  Cell c;
  switch (v.type()) {
    case vb::VarType::Null: return c;
    case vb::VarType::Long:
      if (!plain) break;
      c.tag = Cell::Integer;
      c.i = v.longValue();
      return c;
    case vb::VarType::Boolean:
      if (kind != ColumnKind::YesNo) break;
      c.tag = Cell::Integer;
      c.i = v.boolValue() ? -1 : 0;
      return c;
    case vb::VarType::Double:
      if (!plain) break;
      c.tag = Cell::Real;
      c.d = v.doubleValue();
      return c;
    case vb::VarType::Date:
      if (kind != ColumnKind::Date) break;
      c.tag = Cell::Real;
      c.d = v.dateValue().serial;
      return c;
    case vb::VarType::String:
      if (kind == ColumnKind::Date) break;
      c.tag = Cell::Text;
      c.at = texts_.size();
      c.size = static_cast<unsigned>(v.stringValue().size());
      texts_ += v.stringValue();
      return c;
    default: break;
  }
  c.tag = Cell::Boxed;
  c.at = boxed_.size();
  boxed_.push_back(v);
  return c;
}

const vb::Variant& Recordset::cell(int index) const {
  requireCurrent();
  if (mode_ != EditMode::None) return buffer_[index];
  if (valueRow_[index] != pos_) {
    // Made in place: a field's value keeps its room from one record to the next.
    if (live_) loadLiveInto(values_[index], index);
    else loadInto(values_[index], stored(pos_, index), index);
    valueRow_[index] = pos_;
  }
  return values_[index];
}

void Recordset::forgetValues() { valueRow_.assign(valueRow_.size(), -1); }

void Recordset::beginEdit() {
  const size_t n = fields_.size();
  buffer_.resize(n);
  for (size_t i = 0; i < n; ++i) buffer_[i] = load(stored(pos_, static_cast<int>(i)), static_cast<int>(i));
  dirty_.assign(n, false);
  mode_ = EditMode::Edit;
}

void Recordset::setCell(int index, const vb::Variant& v) {
  requireCurrent();
  if (!updatable_)
    raiseError(errnum::NotUpdatable, "Current Recordset does not support updating. This may be a limitation of "
                                     "the provider, or of the selected locktype.",
               kRecordsetSource);
  const std::string& column = cols_->names[index];
  if (!cols_->writable[index])
    raiseError(errnum::NotUpdatable, "The field '" + column + "' cannot be updated.", kRecordsetSource);
  const ColumnKind kind = cols_->kinds[index];
  const vb::VarType type = v.type();
  // A value the column takes as it is goes straight in, into the room the
  // field's last value had; any other is converted first, raising before
  // anything changes.
  const bool asItIs = type != vb::VarType::Null && type != vb::VarType::Empty &&
                      (kind == ColumnKind::Other || (kind == ColumnKind::Text && type == vb::VarType::String) ||
                       (kind == ColumnKind::Date && type == vb::VarType::Date) ||
                       (kind == ColumnKind::Integer && type == vb::VarType::Long) ||
                       (kind == ColumnKind::Real && type == vb::VarType::Double));
  if (asItIs) {
    if (mode_ == EditMode::None) beginEdit();
    vb::Variant& out = buffer_[index];
    // (v may be the field's own pending value, written back: then nothing changes.)
    if (&out != &v) {
      switch (type) {
        case vb::VarType::String: out.setText(v.stringValue().data(), v.stringValue().size()); break;
        case vb::VarType::Long: out.setLong(v.longValue()); break;
        case vb::VarType::Double: out.setDouble(v.doubleValue()); break;
        case vb::VarType::Date: out.setDate(v.dateValue()); break;
        case vb::VarType::Boolean: out.setBool(v.boolValue()); break;
        default: out = v;
      }
    }
  } else {
    vb::Variant stored = convertForColumn(v, kind, column);
    if (mode_ == EditMode::None) beginEdit();
    buffer_[index] = std::move(stored);
  }
  dirty_[index] = true;
}

void Recordset::addNew() {
  requireOpen();
  if (!updatable_)
    raiseError(errnum::NotUpdatable, "Current Recordset does not support updating. This may be a limitation of "
                                     "the provider, or of the selected locktype.",
               kRecordsetSource);
  if (mode_ != EditMode::None) update();
  buffer_.resize(fields_.size());
  for (vb::Variant& v : buffer_) v.setNull();
  dirty_.assign(fields_.size(), false);
  mode_ = EditMode::Add;
}

void Recordset::cancelUpdate() {
  requireOpen();
  mode_ = EditMode::None;
  buffer_.clear();
  dirty_.clear();
}

namespace {
std::string quotedName(const std::string& name) {
  std::string out = "\"";
  for (char c : name) {
    if (c == '"') out += '"';
    out += c;
  }
  return out + "\"";
}
}  // namespace

void Recordset::update() {
  requireOpen();
  if (mode_ == EditMode::None) return;
  if (!cn_->isOpen()) raiseError(errnum::ObjectClosed, "Operation is not allowed when the object is closed.", kConnectionSource);
  Connection::Impl& impl = cn_->impl();
  const size_t n = fields_.size();
  if (mode_ == EditMode::Edit && std::find(dirty_.begin(), dirty_.end(), true) == dirty_.end()) {
    cancelUpdate();
    return;
  }
  // The entry dialogs write the same fields record after record: the
  // statement for this set of fields is made once.
  sqlite3_stmt* st = nullptr;
  std::string sql;
  if (lastWrite_.stmt && lastWrite_.mode == mode_ && lastWrite_.fields == dirty_ &&
      lastWrite_.generation == impl.generation) {
    st = lastWrite_.stmt;
  } else {
    const std::string& table = cols_->table;
    sql.reserve(256);
    if (mode_ == EditMode::Add) {
      sql = "INSERT INTO " + quotedName(table);
      std::string values;
      for (size_t i = 0; i < n; ++i) {
        if (!dirty_[i]) continue;
        sql += values.empty() ? " (" : ",";
        sql += quotedName(cols_->names[i]);
        values += values.empty() ? "?" : ",?";
      }
      sql += values.empty() ? " DEFAULT VALUES" : ") VALUES (" + values + ")";
    } else {
      sql = "UPDATE " + quotedName(table) + " SET ";
      bool any = false;
      for (size_t i = 0; i < n; ++i) {
        if (!dirty_[i]) continue;
        if (any) sql += ",";
        sql += quotedName(cols_->names[i]) + "=?";
        any = true;
      }
      sql += " WHERE _rowid_=?";
    }
    st = impl.writeStatement(sql);
    lastWrite_.mode = mode_;
    lastWrite_.fields = dirty_;
    lastWrite_.stmt = st;
    lastWrite_.generation = impl.generation;
  }
  // Every parameter is bound anew for each write.
  int p = 0;
  for (size_t i = 0; i < n; ++i)
    if (dirty_[i]) bindValue(st, ++p, buffer_[i]);
  if (mode_ == EditMode::Edit) sqlite3_bind_int64(st, ++p, rowids_[static_cast<size_t>(pos_)]);
  // Recordsets still reading keep what they would have read before this write.
  settleStreaming();
  // One statement: it is written whole or not at all.
  const int rc = sqlite3_step(st);
  if (rc != SQLITE_DONE) {
    const std::string msg = sqlite3_errmsg(impl.db);
    sqlite3_reset(st);
    if (sql.empty()) sql = sqlite3_sql(st);
    raiseSqlError(msg + " (SQL: " + sql + ")");
  }
  sqlite3_reset(st);
  if (mode_ == EditMode::Edit) {
    if (sqlite3_changes(impl.db) == 0) {
      raiseError(errnum::SqlError,
                 "Row cannot be located for updating. Some values may have been changed since it was last read.",
                 kRecordsetSource);
    }
    for (size_t i = 0; i < n; ++i)
      if (dirty_[i]) cells_[static_cast<size_t>(pos_ - base_) * n + i] = store(buffer_[i], static_cast<int>(i));
    forgetValues();
  } else {
    const long long rowid = sqlite3_last_insert_rowid(impl.db);
    // The key the database filled in reads back at once.
    if (cols_->keyField >= 0) buffer_[cols_->keyField].setLong(rowid);
    for (size_t i = 0; i < n; ++i) cells_.push_back(store(buffer_[i], static_cast<int>(i)));
    rowids_.push_back(rowid);
    ++storedRows_;
    pos_ = rows_++;
  }
  mode_ = EditMode::None;
  dirty_.assign(n, false);
}

}  // namespace db
