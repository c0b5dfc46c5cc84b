// The user's notes: the table "Notatki" of a SQLite database in the user's data folder.
//
// Table "Notatki" (created when missing), fields in exchange order:
//   nid INTEGER (note id), gid TEXT (group id), aid TEXT (act id), art INTEGER (article),
//   Data REAL (date and time as the days since 1899-12-30; NULL when empty), Status TEXT,
//   Praca TEXT (work), Notatka TEXT (the note).
// Texts are stored as UTF-8 and held here in CP1250, each at most 255 characters. The database file
// may have been changed by other programs, so every value read is checked: a number out of range
// (beyond 32 bits) reads as 0, a text of another type reads as its text, a date that is not a finite number of days in
// the years 100 to 9999 reads as empty.
//
// The record set reads the whole table (ordered by nid, then by row) when it opens or requeries,
// and moves over that list: IsBOF before the first record, IsEOF after the last (both when empty).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/base/cstring.h"
#include "platform/base/ctime.h"
#include "platform/base/win_types.h"

struct sqlite3;

// One note's fields.
struct CNoteFields {
  long m_nid = 0;
  CString m_gid;
  CString m_aid;
  long m_art = 0;
  COleDateTime m_date = EmptyDate();
  CString m_status;
  CString m_work;
  CString m_note;

  static COleDateTime EmptyDate() {
    COleDateTime date;
    date.SetStatus(COleDateTime::null);
    return date;
  }
};

class CNoteRecordset : public CNoteFields {
 public:
  static constexpr int kFieldCount = 8;
  static constexpr int kMaxText = 255;

  CNoteRecordset() = default;
  ~CNoteRecordset();
  CNoteRecordset(const CNoteRecordset&) = delete;
  CNoteRecordset& operator=(const CNoteRecordset&) = delete;

  // "notatki.db" in the user's data folder.
  static std::string GetDefaultDBName();
  // The table the record set reads.
  static const char* GetDefaultSQL() { return "[Notatki]"; }

  // Opens the database (`path`, or the default one when empty), creates the table when missing and
  // reads its records; FALSE with the database engine's text in `error` when that fails (the record
  // set then stays closed).
  BOOL Open(const std::string& path = std::string(), std::string* error = nullptr);
  BOOL IsOpen() const { return m_db != nullptr; }
  void Close();

  BOOL IsBOF() const { return m_current < 0 || m_rows.empty(); }
  BOOL IsEOF() const { return m_current >= static_cast<long>(m_rows.size()) || m_rows.empty(); }
  long GetRecordCount() const { return static_cast<long>(m_rows.size()); }
  // Whether the fields hold a record (neither before the first nor after the last).
  BOOL HasCurrent() const { return !IsBOF() && !IsEOF(); }
  void MoveFirst();
  void MoveLast();
  void MoveNext();
  void MovePrev();

  // Adds a note with the given fields (a note id of 0 takes the next free one) and makes it the
  // current record; FALSE with the engine's text when it cannot be stored.
  BOOL AddNew(const CNoteFields& fields, std::string* error = nullptr);
  // Stores `fields` in the current record and stays on it; FALSE when there is no current record
  // or the database refuses (with the engine's text).
  BOOL Update(const CNoteFields& fields, std::string* error = nullptr);
  // Deletes the current record and moves to the one after it (or the end); FALSE when there is no
  // current record or the database refuses.
  BOOL Delete(std::string* error = nullptr);
  // Reads the table again and moves to the first record.
  BOOL Requery(std::string* error = nullptr);

 private:
  struct Row {
    int64_t rowid = 0;
    CNoteFields fields;
  };
  // Requery, then stand on the record stored in row `rowid`.
  BOOL RequeryAt(int64_t rowid, std::string* error);
  void ShowCurrent();

  sqlite3* m_db = nullptr;
  std::vector<Row> m_rows;
  long m_current = 0;
};
