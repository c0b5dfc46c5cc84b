#include "platform/base/cstring.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "platform/base/cp1250.h"

namespace {

std::string_view view_of(const char* s) { return s ? std::string_view(s) : std::string_view(); }

// Clamps a framework index into [0, size].
size_t clamp_index(int index, size_t size) { return index < 0 ? 0 : std::min(size_t(index), size); }

int sign_of(int r) { return r < 0 ? -1 : (r > 0 ? 1 : 0); }

}  // namespace

CString::CString(const char* s, int length) {
  if (s && length > 0) s_.assign(s, size_t(length));
}

char CString::GetAt(int index) const {
  return index >= 0 && size_t(index) < s_.size() ? s_[size_t(index)] : '\0';
}

void CString::SetAt(int index, char ch) {
  if (index >= 0 && size_t(index) < s_.size()) s_[size_t(index)] = ch;
}

char* CString::GetBuffer(int min_length) {
  if (min_length > 0 && size_t(min_length) > s_.size()) s_.resize(size_t(min_length));
  return s_.data();
}

char* CString::GetBufferSetLength(int length) {
  s_.resize(length > 0 ? size_t(length) : 0);
  return s_.data();
}

void CString::ReleaseBuffer(int new_length) {
  size_t n = new_length < 0 ? std::strlen(s_.c_str()) : std::min(size_t(new_length), s_.size());
  s_.resize(n);
}

int CString::Compare(const char* s) const { return sign_of(view().compare(view_of(s))); }

int CString::CompareNoCase(const char* s) const {
  return base::cp1250::compare_no_case(s_, view_of(s));
}

int CString::Collate(const char* s) const { return base::cp1250::collate(s_, view_of(s)); }

int CString::CollateNoCase(const char* s) const {
  return base::cp1250::collate(base::cp1250::to_lower(s_), base::cp1250::to_lower(view_of(s)));
}

CString CString::Mid(int first) const { return Mid(first, GetLength()); }

CString CString::Mid(int first, int count) const {
  size_t from = clamp_index(first, s_.size());
  size_t n = clamp_index(count, s_.size() - from);
  return CString(s_.substr(from, n));
}

CString CString::Left(int count) const {
  return CString(s_.substr(0, clamp_index(count, s_.size())));
}

CString CString::Right(int count) const {
  size_t n = clamp_index(count, s_.size());
  return CString(s_.substr(s_.size() - n));
}

CString CString::SpanIncluding(const char* set) const {
  size_t n = s_.find_first_not_of(view_of(set));
  return Left(n == std::string::npos ? GetLength() : int(n));
}

CString CString::SpanExcluding(const char* set) const {
  size_t n = s_.find_first_of(view_of(set));
  return Left(n == std::string::npos ? GetLength() : int(n));
}

int CString::Find(char ch, int start) const {
  if (start < 0 || size_t(start) >= s_.size()) return -1;
  size_t at = s_.find(ch, size_t(start));
  return at == std::string::npos ? -1 : int(at);
}

int CString::Find(const char* sub, int start) const {
  if (start < 0 || size_t(start) > s_.size()) return -1;
  size_t at = s_.find(view_of(sub), size_t(start));
  return at == std::string::npos ? -1 : int(at);
}

int CString::ReverseFind(char ch) const {
  size_t at = s_.rfind(ch);
  return at == std::string::npos ? -1 : int(at);
}

int CString::FindOneOf(const char* set) const {
  if (!set || !*set) return -1;
  size_t at = s_.find_first_of(set);
  return at == std::string::npos ? -1 : int(at);
}

void CString::MakeUpper() { base::cp1250::make_upper(s_); }
void CString::MakeLower() { base::cp1250::make_lower(s_); }
void CString::MakeReverse() { std::reverse(s_.begin(), s_.end()); }

namespace {

template <typename Pred>
void trim_left_if(std::string& s, Pred drop) {
  s.erase(s.begin(), std::find_if_not(s.begin(), s.end(), drop));
}
template <typename Pred>
void trim_right_if(std::string& s, Pred drop) {
  s.erase(std::find_if_not(s.rbegin(), s.rend(), drop).base(), s.end());
}
bool is_space_byte(char c) { return base::cp1250::is_space(uint8_t(c)); }

}  // namespace

void CString::TrimLeft() { trim_left_if(s_, is_space_byte); }
void CString::TrimLeft(char ch) {
  trim_left_if(s_, [ch](char c) { return c == ch; });
}
void CString::TrimLeft(const char* set) {
  trim_left_if(s_, [set = view_of(set)](char c) { return set.find(c) != set.npos; });
}
void CString::TrimRight() { trim_right_if(s_, is_space_byte); }
void CString::TrimRight(char ch) {
  trim_right_if(s_, [ch](char c) { return c == ch; });
}
void CString::TrimRight(const char* set) {
  trim_right_if(s_, [set = view_of(set)](char c) { return set.find(c) != set.npos; });
}

int CString::Replace(char old_ch, char new_ch) {
  int n = 0;
  for (char& c : s_)
    if (c == old_ch) c = new_ch, ++n;
  return n;
}

int CString::Replace(const char* old_sub, const char* new_sub) {
  std::string_view from = view_of(old_sub), to = view_of(new_sub);
  if (from.empty()) return 0;
  std::string out;
  int n = 0;
  size_t pos = 0;
  for (size_t at; (at = s_.find(from, pos)) != std::string::npos; pos = at + from.size(), ++n) {
    out.append(s_, pos, at - pos);
    out.append(to);
  }
  if (n) {
    out.append(s_, pos);
    s_ = std::move(out);
  }
  return n;
}

int CString::Remove(char ch) {
  auto end = std::remove(s_.begin(), s_.end(), ch);
  int n = int(s_.end() - end);
  s_.erase(end, s_.end());
  return n;
}

int CString::Insert(int index, char ch) {
  s_.insert(clamp_index(index, s_.size()), 1, ch);
  return GetLength();
}

int CString::Insert(int index, const char* s) {
  s_.insert(clamp_index(index, s_.size()), view_of(s));
  return GetLength();
}

int CString::Delete(int index, int count) {
  size_t from = clamp_index(index, s_.size());
  s_.erase(from, clamp_index(count, s_.size() - from));
  return GetLength();
}

void CString::Format(const char* fmt, ...) {
  va_list args;
  va_start(args, fmt);
  FormatV(fmt, args);
  va_end(args);
}

void CString::FormatV(const char* fmt, va_list args) {
  if (!fmt) {
    s_.clear();
    return;
  }
  va_list measure;
  va_copy(measure, args);
  int n = std::vsnprintf(nullptr, 0, fmt, measure);
  va_end(measure);
  if (n < 0) {
    s_.clear();
    return;
  }
  std::string out(size_t(n) + 1, '\0');
  std::vsnprintf(out.data(), out.size(), fmt, args);
  out.resize(size_t(n));
  s_ = std::move(out);
}
