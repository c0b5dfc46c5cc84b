#include "shell/note_recordset.h"

#include <sqlite3.h>

#include <algorithm>
#include <cmath>
#include <limits>

#include "platform/base/cp1250.h"
#include "platform/base/data_folder.h"

namespace {

constexpr const char* kCreateTable =
    "CREATE TABLE IF NOT EXISTS Notatki (nid INTEGER, gid TEXT, aid TEXT, art INTEGER, Data REAL, "
    "Status TEXT, Praca TEXT, Notatka TEXT)";
constexpr const char* kSelect =
    "SELECT rowid, nid, gid, aid, art, Data, Status, Praca, Notatka FROM Notatki ORDER BY nid, rowid";
constexpr const char* kInsert =
    "INSERT INTO Notatki (nid, gid, aid, art, Data, Status, Praca, Notatka) VALUES (?, ?, ?, ?, ?, ?, ?, ?)";
constexpr const char* kUpdate =
    "UPDATE Notatki SET nid = ?, gid = ?, aid = ?, art = ?, Data = ?, Status = ?, Praca = ?, Notatka = ? "
    "WHERE rowid = ?";

// Days from 1899-12-30 of 0100-01-01 and of 9999-12-31 23:59:59, the dates a note can carry.
constexpr double kFirstDay = -657434.0;
constexpr double kLastDay = 2958466.0;

void Report(sqlite3* db, std::string* error) {
  if (error) *error = db ? sqlite3_errmsg(db) : "out of memory";
}

long ReadNumber(sqlite3_stmt* statement, int column) {
  const int64_t value = sqlite3_column_int64(statement, column);
  // The fields are the database's 32-bit longs.
  if (value < std::numeric_limits<int32_t>::min() || value > std::numeric_limits<int32_t>::max()) return 0;
  return static_cast<long>(value);
}

CString ReadText(sqlite3_stmt* statement, int column) {
  const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(statement, column));
  if (!text) return CString();
  const int bytes = sqlite3_column_bytes(statement, column);
  std::string cp1250 = base::cp1250::from_utf8(std::string_view(text, static_cast<size_t>(bytes)));
  if (cp1250.size() > static_cast<size_t>(CNoteRecordset::kMaxText)) cp1250.resize(CNoteRecordset::kMaxText);
  // A stored text may hold zero bytes; the field keeps what comes before the first.
  cp1250.resize(std::char_traits<char>::length(cp1250.c_str()));
  return CString(cp1250.c_str());
}

COleDateTime ReadDate(sqlite3_stmt* statement, int column) {
  const int type = sqlite3_column_type(statement, column);
  if (type != SQLITE_FLOAT && type != SQLITE_INTEGER) return CNoteFields::EmptyDate();
  const double days = sqlite3_column_double(statement, column);
  if (!std::isfinite(days) || days < kFirstDay || days > kLastDay) return CNoteFields::EmptyDate();
  return COleDateTime(days);
}

int BindText(sqlite3_stmt* statement, int index, const CString& text) {
  std::string stored(static_cast<const char*>(text));
  if (stored.size() > static_cast<size_t>(CNoteRecordset::kMaxText)) stored.resize(CNoteRecordset::kMaxText);
  const std::string utf8 = base::cp1250::to_utf8(stored);
  return sqlite3_bind_text(statement, index, utf8.data(), static_cast<int>(utf8.size()), SQLITE_TRANSIENT);
}

// Binds the eight fields to parameters 1 to 8, in exchange order.
void BindFields(sqlite3_stmt* statement, const CNoteFields& fields) {
  sqlite3_bind_int64(statement, 1, fields.m_nid);
  BindText(statement, 2, fields.m_gid);
  BindText(statement, 3, fields.m_aid);
  sqlite3_bind_int64(statement, 4, fields.m_art);
  if (fields.m_date.GetStatus() == COleDateTime::valid)
    sqlite3_bind_double(statement, 5, static_cast<double>(fields.m_date));
  else
    sqlite3_bind_null(statement, 5);
  BindText(statement, 6, fields.m_status);
  BindText(statement, 7, fields.m_work);
  BindText(statement, 8, fields.m_note);
}

}  // namespace

CNoteRecordset::~CNoteRecordset() { Close(); }

std::string CNoteRecordset::GetDefaultDBName() { return base::data_folder() + "/notatki.db"; }

BOOL CNoteRecordset::Open(const std::string& path, std::string* error) {
  Close();
  const std::string name = path.empty() ? GetDefaultDBName() : path;
  sqlite3* db = nullptr;
  if (sqlite3_open_v2(name.c_str(), &db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr) != SQLITE_OK ||
      sqlite3_exec(db, kCreateTable, nullptr, nullptr, nullptr) != SQLITE_OK) {
    Report(db, error);
    sqlite3_close(db);
    return FALSE;
  }
  m_db = db;
  if (!Requery(error)) {
    Close();
    return FALSE;
  }
  return TRUE;
}

void CNoteRecordset::Close() {
  if (m_db) sqlite3_close(m_db);
  m_db = nullptr;
  m_rows.clear();
  m_current = 0;
  ShowCurrent();
}

BOOL CNoteRecordset::Requery(std::string* error) {
  if (!m_db) return FALSE;
  sqlite3_stmt* statement = nullptr;
  if (sqlite3_prepare_v2(m_db, kSelect, -1, &statement, nullptr) != SQLITE_OK) {
    Report(m_db, error);
    return FALSE;
  }
  std::vector<Row> rows;
  int step = SQLITE_ROW;
  while ((step = sqlite3_step(statement)) == SQLITE_ROW) {
    Row row;
    row.rowid = sqlite3_column_int64(statement, 0);
    row.fields.m_nid = ReadNumber(statement, 1);
    row.fields.m_gid = ReadText(statement, 2);
    row.fields.m_aid = ReadText(statement, 3);
    row.fields.m_art = ReadNumber(statement, 4);
    row.fields.m_date = ReadDate(statement, 5);
    row.fields.m_status = ReadText(statement, 6);
    row.fields.m_work = ReadText(statement, 7);
    row.fields.m_note = ReadText(statement, 8);
    rows.push_back(std::move(row));
  }
  sqlite3_finalize(statement);
  if (step != SQLITE_DONE) {
    Report(m_db, error);
    return FALSE;
  }
  m_rows = std::move(rows);
  m_current = 0;
  ShowCurrent();
  return TRUE;
}

void CNoteRecordset::ShowCurrent() {
  static_cast<CNoteFields&>(*this) = HasCurrent() ? m_rows[static_cast<size_t>(m_current)].fields : CNoteFields();
}

void CNoteRecordset::MoveFirst() {
  m_current = 0;
  ShowCurrent();
}

void CNoteRecordset::MoveLast() {
  m_current = m_rows.empty() ? 0 : static_cast<long>(m_rows.size()) - 1;
  ShowCurrent();
}

void CNoteRecordset::MoveNext() {
  if (m_current < static_cast<long>(m_rows.size())) ++m_current;
  ShowCurrent();
}

void CNoteRecordset::MovePrev() {
  if (m_current >= 0) --m_current;
  ShowCurrent();
}

BOOL CNoteRecordset::AddNew(const CNoteFields& fields, std::string* error) {
  if (!m_db) return FALSE;
  CNoteFields stored = fields;
  if (stored.m_nid == 0) {
    long highest = 0;
    for (const Row& row : m_rows) highest = std::max(highest, row.fields.m_nid);
    if (highest >= std::numeric_limits<int32_t>::max()) {
      if (error) *error = "no free note id";
      return FALSE;
    }
    stored.m_nid = highest + 1;
  }
  sqlite3_stmt* statement = nullptr;
  if (sqlite3_prepare_v2(m_db, kInsert, -1, &statement, nullptr) != SQLITE_OK) {
    Report(m_db, error);
    return FALSE;
  }
  BindFields(statement, stored);
  const int step = sqlite3_step(statement);
  sqlite3_finalize(statement);
  if (step != SQLITE_DONE) {
    Report(m_db, error);
    return FALSE;
  }
  return RequeryAt(sqlite3_last_insert_rowid(m_db), error);
}

BOOL CNoteRecordset::Update(const CNoteFields& fields, std::string* error) {
  if (!m_db || !HasCurrent()) return FALSE;
  sqlite3_stmt* statement = nullptr;
  if (sqlite3_prepare_v2(m_db, kUpdate, -1, &statement, nullptr) != SQLITE_OK) {
    Report(m_db, error);
    return FALSE;
  }
  const int64_t rowid = m_rows[static_cast<size_t>(m_current)].rowid;
  BindFields(statement, fields);
  sqlite3_bind_int64(statement, 9, rowid);
  const int step = sqlite3_step(statement);
  sqlite3_finalize(statement);
  if (step != SQLITE_DONE) {
    Report(m_db, error);
    return FALSE;
  }
  return RequeryAt(rowid, error);
}

BOOL CNoteRecordset::RequeryAt(int64_t rowid, std::string* error) {
  if (!Requery(error)) return FALSE;
  for (size_t i = 0; i < m_rows.size(); ++i) {
    if (m_rows[i].rowid == rowid) m_current = static_cast<long>(i);
  }
  ShowCurrent();
  return TRUE;
}

BOOL CNoteRecordset::Delete(std::string* error) {
  if (!m_db || !HasCurrent()) return FALSE;
  sqlite3_stmt* statement = nullptr;
  if (sqlite3_prepare_v2(m_db, "DELETE FROM Notatki WHERE rowid = ?", -1, &statement, nullptr) != SQLITE_OK) {
    Report(m_db, error);
    return FALSE;
  }
  sqlite3_bind_int64(statement, 1, m_rows[static_cast<size_t>(m_current)].rowid);
  const int step = sqlite3_step(statement);
  sqlite3_finalize(statement);
  if (step != SQLITE_DONE) {
    Report(m_db, error);
    return FALSE;
  }
  m_rows.erase(m_rows.begin() + m_current);
  ShowCurrent();
  return TRUE;
}
