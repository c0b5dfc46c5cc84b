// CString: the framework's string, a sequence of CP1250 bytes.
//
// Positions and lengths count bytes. Out-of-range arguments are clamped the way the framework
// clamps them (Mid(-3) is Mid(0), Left(100) of a shorter string is the whole string) instead of
// failing; a null character pointer reads as the empty string. Case operations and the no-case
// comparisons use the code page's own case mapping (base::cp1250), so 'ą' and 'Ą' are one letter.
#pragma once

#include <concepts>
#include <cstdarg>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

class CString {
 public:
  CString() = default;
  CString(const char* s) : s_(s ? s : "") {}
  CString(const char* s, int length);
  CString(char ch, int repeat = 1) : s_(repeat > 0 ? size_t(repeat) : 0, ch) {}
  CString(std::string s) : s_(std::move(s)) {}
  CString(std::string_view s) : s_(s) {}

  CString& operator=(const char* s) {
    s_ = s ? s : "";
    return *this;
  }
  CString& operator=(char ch) {
    s_.assign(1, ch);
    return *this;
  }

  // --- Access ---
  int GetLength() const { return int(s_.size()); }
  bool IsEmpty() const { return s_.empty(); }
  void Empty() { s_.clear(); }
  // The byte at `index`; 0 outside the string.
  char GetAt(int index) const;
  // Any integer index (so no index type is ambiguous against the pointer conversion).
  template <std::integral I>
  char operator[](I index) const {
    return index >= 0 && uint64_t(index) < s_.size() ? s_[size_t(index)] : '\0';
  }
  // Sets the byte at `index`; an index outside the string does nothing.
  void SetAt(int index, char ch);
  const char* GetString() const { return s_.c_str(); }
  operator const char*() const { return s_.c_str(); }
  const std::string& str() const { return s_; }
  std::string_view view() const { return s_; }

  // A writable buffer of at least `min_length` bytes plus a terminating NUL. After writing,
  // ReleaseBuffer(n) keeps n bytes, or up to the first NUL when n is -1.
  char* GetBuffer(int min_length = 0);
  char* GetBufferSetLength(int length);
  void ReleaseBuffer(int new_length = -1);

  // --- Concatenation ---
  CString& operator+=(const CString& s) { return s_ += s.s_, *this; }
  CString& operator+=(const char* s) { return s_ += (s ? s : ""), *this; }
  CString& operator+=(char ch) { return s_ += ch, *this; }
  friend CString operator+(const CString& a, const CString& b) { return CString(a.s_ + b.s_); }
  friend CString operator+(const CString& a, const char* b) { return CString(a) += b; }
  friend CString operator+(const char* a, const CString& b) { return CString(a) += b; }
  friend CString operator+(const CString& a, char b) { return CString(a) += b; }
  friend CString operator+(char a, const CString& b) { return CString(a) += b; }

  // --- Comparison ---
  // Byte-wise (unsigned); <0, 0, >0.
  int Compare(const char* s) const;
  // Under the code page's case mapping.
  int CompareNoCase(const char* s) const;
  // In Polish alphabetical order (base::cp1250::collate); the no-case form ignores case fully.
  int Collate(const char* s) const;
  int CollateNoCase(const char* s) const;
  friend bool operator==(const CString& a, const CString& b) { return a.s_ == b.s_; }
  friend bool operator==(const CString& a, const char* b) { return a.Compare(b) == 0; }
  friend bool operator<(const CString& a, const CString& b) { return a.s_ < b.s_; }
  friend bool operator<(const CString& a, const char* b) { return a.Compare(b) < 0; }
  friend bool operator>(const CString& a, const CString& b) { return b.s_ < a.s_; }
  friend bool operator<=(const CString& a, const CString& b) { return !(b.s_ < a.s_); }
  friend bool operator>=(const CString& a, const CString& b) { return !(a.s_ < b.s_); }

  // --- Extraction ---
  CString Mid(int first) const;
  CString Mid(int first, int count) const;
  CString Left(int count) const;
  CString Right(int count) const;
  // The leading run of bytes that are (SpanIncluding) or are not (SpanExcluding) in `set`.
  CString SpanIncluding(const char* set) const;
  CString SpanExcluding(const char* set) const;

  // --- Searching: the index found, or -1 ---
  int Find(char ch, int start = 0) const;
  int Find(const char* sub, int start = 0) const;
  int ReverseFind(char ch) const;
  int FindOneOf(const char* set) const;

  // --- Changing ---
  void MakeUpper();
  void MakeLower();
  void MakeReverse();
  // Trim: white space (base::cp1250::is_space), one character, or any byte of a set.
  void TrimLeft();
  void TrimLeft(char ch);
  void TrimLeft(const char* set);
  void TrimRight();
  void TrimRight(char ch);
  void TrimRight(const char* set);
  void Trim() { TrimRight(), TrimLeft(); }
  // These return the number of replacements or removals.
  int Replace(char old_ch, char new_ch);
  int Replace(const char* old_sub, const char* new_sub);
  int Remove(char ch);
  // These return the new length. An index past the end inserts at the end; negative at 0.
  int Insert(int index, char ch);
  int Insert(int index, const char* s);
  int Delete(int index, int count = 1);

  // printf-style formatting of CP1250 bytes (%s takes const char*; pass CString via GetString()
  // or its conversion).
  void Format(const char* fmt, ...) __attribute__((format(printf, 2, 3)));
  void FormatV(const char* fmt, va_list args) __attribute__((format(printf, 2, 0)));

 private:
  std::string s_;
};

template <>
struct std::hash<CString> {
  size_t operator()(const CString& s) const { return std::hash<std::string>()(s.str()); }
};
