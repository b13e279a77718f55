#include "platform/db/recordset.h"

#include <cmath>

#include "platform/db/internal.h"
#include "platform/vb/error.h"

namespace db {

// --- values in and out -----------------------------------------------------------

vb::Variant readValue(sqlite3_stmt* st, int col, ColumnKind kind) {
  switch (sqlite3_column_type(st, col)) {
    case SQLITE_NULL: return vb::Variant::null();
    case SQLITE_INTEGER: {
      const long long v = sqlite3_column_int64(st, col);
      if (kind == ColumnKind::YesNo) return vb::Variant(v != 0);
      if (kind == ColumnKind::Date) return vb::Variant(vb::Date{static_cast<double>(v)});
      return vb::Variant(v);
    }
    case SQLITE_FLOAT: {
      const double v = sqlite3_column_double(st, col);
      if (kind == ColumnKind::Date) return vb::Variant(vb::Date{v});
      if (kind == ColumnKind::YesNo) return vb::Variant(v != 0);
      return vb::Variant(v);
    }
    default: {
      const char* t = reinterpret_cast<const char*>(sqlite3_column_text(st, col));
      std::string s(t ? t : "", static_cast<size_t>(sqlite3_column_bytes(st, col)));
      if (kind == ColumnKind::Date) {
        vb::Date d;
        if (vb::parseDate(s, d)) return vb::Variant(d);
      }
      return vb::Variant(std::move(s));
    }
  }
}

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
Recordset::~Recordset() = default;

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
  bool withRowid = false;
  if (wantsWrite) {
    const Translation tr = translateJet(sql, &impl);
    withRowid = tr.kind == StatementKind::Select && tr.simpleSelect && impl.table(tr.table) != nullptr;
  }
  CachedStatement& cs = impl.statement(sql, withRowid);
  sqlite3_stmt* st = cs.stmt;
  const ColumnSet& cols = *cs.cols;
  const int n = static_cast<int>(cols.names.size());
  const int first = cols.hiddenRowid ? 1 : 0;
  std::vector<vb::Variant> cells;
  std::vector<long long> rowids;
  cells.reserve(static_cast<size_t>(n) * 64);
  long rows = 0;
  int rc;
  while ((rc = sqlite3_step(st)) == SQLITE_ROW) {
    if (first) rowids.push_back(sqlite3_column_int64(st, 0));
    for (int i = 0; i < n; ++i) cells.push_back(readValue(st, i + first, cols.kinds[i]));
    ++rows;
  }
  if (rc != SQLITE_DONE) {
    const std::string msg = sqlite3_errmsg(impl.db);
    sqlite3_reset(st);
    raiseSqlError(msg + " (SQL: " + sql + ")");
  }
  sqlite3_reset(st);
  cn_ = cn;
  cols_ = cs.cols;
  table_ = withRowid ? cs.tr.table : std::string();
  updatable_ = withRowid;
  cells_ = std::move(cells);
  rowids_ = std::move(rowids);
  rows_ = rows;
  pos_ = 0;
  fields_.assign(n, Field());
  for (int i = 0; i < n; ++i) {
    fields_[i].rs_ = this;
    fields_[i].index_ = i;
  }
  // Which fields are columns of the table is settled once, not at every assignment.
  writable_.assign(n, false);
  if (withRowid) {
    auto info = impl.table(table_);
    for (int i = 0; i < n && info; ++i) writable_[i] = info->byLowerName.count(lowerAscii(cols.names[i])) > 0;
  }
  mode_ = EditMode::None;
  open_ = true;
}

void Recordset::close() {
  requireOpen();
  // Changes not yet written by Update are dropped with the recordset.
  open_ = false;
  mode_ = EditMode::None;
  cells_.clear();
  rowids_.clear();
  fields_.clear();
  buffer_.clear();
  dirty_.clear();
  cols_.reset();
  cn_.reset();
  rows_ = pos_ = 0;
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
}

void Recordset::moveFirst() {
  requireOpen();
  if (mode_ != EditMode::None) update();
  pos_ = 0;
}

void Recordset::moveLast() {
  requireOpen();
  if (mode_ != EditMode::None) update();
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
  auto it = cols_->byLowerName.find(lowerAscii(name));
  if (it == cols_->byLowerName.end())
    raiseError(errnum::ItemNotFound,
               "Item cannot be found in the collection corresponding to the requested name or ordinal: '" + name +
                   "'.",
               kRecordsetSource);
  return fields_[it->second];
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

const vb::Variant& Recordset::cell(int index) const {
  requireCurrent();
  if (mode_ != EditMode::None) return buffer_[index];
  return cells_[static_cast<size_t>(pos_) * fields_.size() + index];
}

void Recordset::beginEdit() {
  const size_t n = fields_.size();
  buffer_.assign(cells_.begin() + static_cast<long>(pos_ * n), cells_.begin() + static_cast<long>((pos_ + 1) * n));
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
  if (!writable_[index])
    raiseError(errnum::NotUpdatable, "The field '" + column + "' cannot be updated.", kRecordsetSource);
  vb::Variant stored = convertForColumn(v, cols_->kinds[index], column);
  if (mode_ == EditMode::None) beginEdit();
  buffer_[index] = std::move(stored);
  dirty_[index] = true;
}

void Recordset::addNew() {
  requireOpen();
  if (!updatable_)
    raiseError(errnum::NotUpdatable, "Current Recordset does not support updating. This may be a limitation of "
                                     "the provider, or of the selected locktype.",
               kRecordsetSource);
  if (mode_ != EditMode::None) update();
  buffer_.assign(fields_.size(), vb::Variant::null());
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
  std::string sql;
  sql.reserve(256);
  if (mode_ == EditMode::Add) {
    sql = "INSERT INTO " + quotedName(table_);
    std::string values;
    for (size_t i = 0; i < n; ++i) {
      if (!dirty_[i]) continue;
      sql += values.empty() ? " (" : ",";
      sql += quotedName(cols_->names[i]);
      values += values.empty() ? "?" : ",?";
    }
    sql += values.empty() ? " DEFAULT VALUES" : ") VALUES (" + values + ")";
  } else {
    sql = "UPDATE " + quotedName(table_) + " SET ";
    bool any = false;
    for (size_t i = 0; i < n; ++i) {
      if (!dirty_[i]) continue;
      if (any) sql += ",";
      sql += quotedName(cols_->names[i]) + "=?";
      any = true;
    }
    if (!any) {
      cancelUpdate();
      return;
    }
    sql += " WHERE _rowid_=?";
  }
  sqlite3_stmt* st = impl.writeStatement(sql);
  int p = 0;
  for (size_t i = 0; i < n; ++i)
    if (dirty_[i]) bindValue(st, ++p, buffer_[i]);
  if (mode_ == EditMode::Edit) sqlite3_bind_int64(st, ++p, rowids_[static_cast<size_t>(pos_)]);
  // One statement: it is written whole or not at all.
  const int rc = sqlite3_step(st);
  if (rc != SQLITE_DONE) {
    const std::string msg = sqlite3_errmsg(impl.db);
    sqlite3_reset(st);
    raiseSqlError(msg + " (SQL: " + sql + ")");
  }
  sqlite3_reset(st);
  sqlite3_clear_bindings(st);
  if (mode_ == EditMode::Edit) {
    if (sqlite3_changes(impl.db) == 0) {
      raiseError(errnum::SqlError,
                 "Row cannot be located for updating. Some values may have been changed since it was last read.",
                 kRecordsetSource);
    }
    std::move(buffer_.begin(), buffer_.end(), cells_.begin() + static_cast<long>(pos_ * n));
  } else {
    const long long rowid = sqlite3_last_insert_rowid(impl.db);
    // The key the database filled in reads back at once.
    auto info = impl.table(table_);
    if (info && info->rowidAlias >= 0) {
      auto it = cols_->byLowerName.find(lowerAscii(info->columns[info->rowidAlias].first));
      if (it != cols_->byLowerName.end()) buffer_[it->second] = vb::Variant(rowid);
    }
    cells_.insert(cells_.end(), std::make_move_iterator(buffer_.begin()), std::make_move_iterator(buffer_.end()));
    rowids_.push_back(rowid);
    pos_ = rows_++;
  }
  mode_ = EditMode::None;
  buffer_.clear();
  dirty_.clear();
}

}  // namespace db
