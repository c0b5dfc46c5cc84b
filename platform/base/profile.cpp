#include "platform/base/profile.h"

#include <algorithm>
#include <climits>
#include <memory>
#include <span>

#include "platform/base/config_folder.h"

namespace base {

int parse_profile_int(std::string_view text) {
  size_t i = 0;
  while (i < text.size() && (text[i] == ' ' || text[i] == '\t')) ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == '-' || text[i] == '+')) negative = text[i++] == '-';
  int64_t v = 0;
  for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
    v = v * 10 + (text[i] - '0');
    if (v > int64_t(INT_MAX) + 1) v = int64_t(INT_MAX) + 1;  // stays clamped, never overflows
  }
  if (negative) v = -v;
  return int(std::clamp<int64_t>(v, INT_MIN, INT_MAX));
}

Profile::Profile(std::string path) : path_(std::move(path)) {
  std::vector<uint8_t> bytes;
  OsError e = read_file(path_, bytes, kMaxFileSize);
  if (e == OsError::NotFound) return;
  if (e != OsError::None) {
    load_error_ = e;
    return;
  }
  doc_ = IniDocument::parse(
      std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
}

Profile::~Profile() {
  if (dirty_) Save();
}

std::string Profile::path_for(std::string_view name) {
  return config_folder().append("/").append(name).append(".ini");
}

namespace {
std::unique_ptr<Profile>& app_profile() {
  static std::unique_ptr<Profile> profile;
  return profile;
}
}  // namespace

Profile& Profile::app() {
  auto& p = app_profile();
  if (!p) p = std::make_unique<Profile>(path_for("LumoKAL"));
  return *p;
}

void Profile::set_app_path(const std::string& path) {
  app_profile() = std::make_unique<Profile>(path);
}

OsError Profile::Save() {
  if (!dirty_) return save_error_ = OsError::None;
  if (load_error_ != OsError::None) return save_error_ = load_error_;
  size_t slash = path_.rfind('/');
  if (slash != std::string::npos && slash > 0) {
    if (OsError e = make_folders(path_.substr(0, slash)); e != OsError::None)
      return save_error_ = e;
  }
  std::string text = doc_.serialize();
  save_error_ = write_file_atomic(
      path_, std::span(reinterpret_cast<const uint8_t*>(text.data()), text.size()));
  if (save_error_ == OsError::None) dirty_ = false;
  return save_error_;
}

bool Profile::changed() {
  dirty_ = true;
  return defer_depth_ > 0 || Save() == OsError::None;
}

int Profile::GetProfileInt(const char* section, const char* entry, int default_value) const {
  const std::string* v = section && entry ? doc_.find(section, entry) : nullptr;
  return v ? parse_profile_int(*v) : default_value;
}

bool Profile::WriteProfileInt(const char* section, const char* entry, int value) {
  std::string text = std::to_string(value);
  return WriteProfileString(section, entry, text.c_str());
}

CString Profile::GetProfileString(const char* section, const char* entry,
                                  const char* default_value) const {
  const std::string* v = section && entry ? doc_.find(section, entry) : nullptr;
  return v ? CString(*v) : CString(default_value);
}

bool Profile::WriteProfileString(const char* section, const char* entry, const char* value) {
  if (!section || load_error_ != OsError::None) return false;
  if (!entry) return !doc_.remove_section(section) || changed();
  if (!value) return !doc_.remove_key(section, entry) || changed();
  return doc_.set(section, entry, value) && changed();
}

bool Profile::GetProfileBinary(const char* section, const char* entry,
                               std::vector<uint8_t>& data) const {
  data.clear();
  const std::string* v = section && entry ? doc_.find(section, entry) : nullptr;
  if (!v || v->size() % 2) return false;
  data.reserve(v->size() / 2);
  for (size_t i = 0; i < v->size(); i += 2) {
    auto low = uint8_t((*v)[i] - 'A'), high = uint8_t((*v)[i + 1] - 'A');
    if (low > 15 || high > 15) {
      data.clear();
      return false;
    }
    data.push_back(uint8_t(low | (high << 4)));
  }
  return true;
}

bool Profile::WriteProfileBinary(const char* section, const char* entry, const void* data,
                                 size_t size) {
  if (!entry || (!data && size)) return false;
  std::string text;
  text.reserve(size * 2);
  for (auto b : std::span(static_cast<const uint8_t*>(data), size)) {
    text += char('A' + (b & 0x0F));
    text += char('A' + (b >> 4));
  }
  return WriteProfileString(section, entry, text.c_str());
}

}  // namespace base
