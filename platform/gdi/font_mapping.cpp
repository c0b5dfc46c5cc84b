#include "platform/gdi/font_mapping.h"

#include <QFontDatabase>
#include <QFontMetricsF>
#include <cmath>
#include <cstring>
#include <map>
#include <mutex>

#include "platform/base/cp1250.h"

namespace gdi {

namespace {

bool equal_no_case(std::string_view a, std::string_view b) {
  return base::cp1250::equal_no_case(a, b);
}

}  // namespace

std::string substitute_face(const char* face_cp1250, BYTE pitch_and_family) {
  std::string face(face_cp1250 ? face_cp1250 : "", face_cp1250 ? strnlen(face_cp1250, LF_FACESIZE) : 0);
  if (face.size() >= 3 && equal_no_case(std::string_view(face).substr(face.size() - 3), " CE"))
    face.resize(face.size() - 3);
  struct Substitute {
    const char* from;
    const char* to;
  };
  static const Substitute table[] = {
      {"Arial", "Liberation Sans"},         {"Times New Roman", "Liberation Serif"},
      {"Courier New", "Liberation Mono"},   {"MS Sans Serif", "Liberation Sans"},
      {"MS Shell Dlg", "Liberation Sans"},  {"MS Shell Dlg 2", "Liberation Sans"},
      {"System", "Liberation Sans"},        {"Helv", "Liberation Sans"},
      {"Fixedsys", "Liberation Mono"},      {"Terminal", "Liberation Mono"},
      {"Courier", "Liberation Mono"},       {"Times", "Liberation Serif"},
      {"Tms Rmn", "Liberation Serif"},      {"MS Serif", "Liberation Serif"},
  };
  for (const Substitute& s : table)
    if (equal_no_case(face, s.from)) return s.to;
  if (face.empty()) {
    // No face: the family decides.
    switch (pitch_and_family & 0xF0) {
      case FF_ROMAN: return "Liberation Serif";
      case FF_MODERN: return "Liberation Mono";
      default: return (pitch_and_family & 3) == FIXED_PITCH ? "Liberation Mono" : "Liberation Sans";
    }
  }
  return base::cp1250::to_utf8(face);
}

namespace {

struct CacheKey {
  LOGFONT font;
  int dpi;
  bool operator<(const CacheKey& o) const {
    if (dpi != o.dpi) return dpi < o.dpi;
    return std::memcmp(&font, &o.font, sizeof font) < 0;
  }
};

constexpr size_t kMaxCachedFonts = 512;
std::mutex g_cache_mutex;
std::map<CacheKey, std::shared_ptr<QtFont>>& cache() {
  static std::map<CacheKey, std::shared_ptr<QtFont>> c;
  return c;
}

QFont make_qfont(const LOGFONT& lf, const std::string& family) {
  QFont f(QString::fromStdString(family));
  f.setStyleStrategy(QFont::StyleStrategy(QFont::PreferMatch | QFont::NoFontMerging));
  f.setHintingPreference(QFont::PreferNoHinting);
  int weight = lf.lfWeight ? int(lf.lfWeight) : FW_NORMAL;
  f.setWeight(QFont::Weight(std::clamp(weight, 1, 1000)));
  f.setItalic(lf.lfItalic);
  f.setUnderline(lf.lfUnderline);
  f.setStrikeOut(lf.lfStrikeOut);
  f.setKerning(false);
  return f;
}

// Makes the font at the pixel size the logical height asks for.
std::shared_ptr<QtFont> make_font(const LOGFONT& lf, int dpi) {
  auto out = std::make_shared<QtFont>();
  std::string family = substitute_face(lf.lfFaceName, lf.lfPitchAndFamily);
  QFont f = make_qfont(lf, family);
  int height = lf.lfHeight == 0 ? 16 : std::abs(int(lf.lfHeight));
  double em = height;
  if (lf.lfHeight >= 0) {
    // A cell height: scale the em so that ascent + descent come to it.
    f.setPixelSize(100);
    QFontMetricsF probe(f);
    double cell = probe.ascent() + probe.descent();
    em = cell > 0 ? height * 100.0 / cell : height;
  }
  f.setPixelSize(std::max(1, int(std::lround(em))));
  out->font = f;
  out->raw = QRawFont::fromFont(f);

  auto m = std::make_shared<FontMetrics>();
  m->font = lf;
  const QRawFont& raw = out->raw;
  TEXTMETRIC& tm = m->tm;
  tm.tmAscent = LONG(std::lround(raw.ascent()));
  tm.tmDescent = LONG(std::lround(raw.descent()));
  tm.tmHeight = tm.tmAscent + tm.tmDescent;
  tm.tmInternalLeading = std::max<LONG>(0, tm.tmHeight - f.pixelSize());
  tm.tmExternalLeading = std::max<LONG>(0, LONG(std::lround(raw.leading())));
  set_font_traits(tm, lf, dpi, QFontDatabase::isFixedPitch(QString::fromStdString(family)));

  // Advances of the 256 bytes, rounded to whole pixels as the platform reports them.
  static const QString all = [] {
    QString s;
    for (int c = 0; c < 256; ++c) s += QChar(char16_t(base::cp1250::to_unicode(uint8_t(c)) & 0xFFFF));
    return s;
  }();
  QList<quint32> glyphs = out->raw.glyphIndexesForString(all);
  QList<QPointF> advances = out->raw.advancesForGlyphIndexes(glyphs, QRawFont::SeparateAdvances);
  LONG widest = 0;
  for (int c = 0; c < 256; ++c) {
    int w = c < 0x20 ? 0 : (c < advances.size() ? int(std::lround(advances[c].x())) : 0);
    m->widths[size_t(c)] = w;
    widest = std::max<LONG>(widest, w);
  }
  tm.tmAveCharWidth = m->widths['x'];
  tm.tmMaxCharWidth = widest;
  out->metrics = std::move(m);
  return out;
}

}  // namespace

std::shared_ptr<QtFont> qt_font(const LOGFONT& device_font, int dpi) {
  LOGFONT key_font = device_font;
  key_font.lfFaceName[LF_FACESIZE - 1] = 0;
  size_t n = strnlen(key_font.lfFaceName, LF_FACESIZE);
  std::memset(key_font.lfFaceName + n, 0, LF_FACESIZE - n);  // bytes after the name do not count
  CacheKey key{key_font, dpi};
  {
    std::lock_guard lock(g_cache_mutex);
    auto it = cache().find(key);
    if (it != cache().end()) return it->second;
  }
  std::shared_ptr<QtFont> made = make_font(key_font, dpi);
  std::lock_guard lock(g_cache_mutex);
  // Pictures may ask for any number of sizes; the cache starts over rather than grow without
  // bound (fonts still in use stay alive through their holders).
  if (cache().size() >= kMaxCachedFonts) cache().clear();
  return cache().emplace(key, std::move(made)).first->second;
}

QGlyphRun glyph_run(const QtFont& font, std::string_view text, std::span<const int> advances, double baseline,
                    int& width) {
  QString chars;
  chars.reserve(qsizetype(text.size()));
  for (char c : text) chars += QChar(char16_t(base::cp1250::to_unicode(uint8_t(c)) & 0xFFFF));
  const QList<quint32> all = font.raw.glyphIndexesForString(chars);
  QList<quint32> indexes;
  QList<QPointF> positions;
  indexes.reserve(all.size());
  positions.reserve(all.size());
  double x = 0;
  for (qsizetype i = 0; i < all.size() && i < chars.size() && size_t(i) < advances.size(); ++i) {
    // Blanks and control characters take their advance and draw nothing.
    if (chars[i] > QChar(u' ')) {
      indexes << all[i];
      positions << QPointF(x, baseline);
    }
    x += advances[size_t(i)];
  }
  QGlyphRun run;
  run.setRawFont(font.raw);
  run.setGlyphIndexes(indexes);
  run.setPositions(positions);
  width = int(x);
  return run;
}

std::shared_ptr<const FontMetrics> with_kerning(const std::shared_ptr<QtFont>& font) {
  std::lock_guard lock(g_cache_mutex);
  if (font->kerning_measured) return font->metrics;
  font->kerning_measured = true;
  // Pairs among the printable bytes: for each first character one layout of "a b0 a b1 a ..."
  // gives the kerned advance of a before each b; the difference to its plain advance is the
  // pair's adjustment.
  std::vector<char16_t> chars;
  std::vector<int> bytes;
  for (int c = 0x21; c < 256; ++c) {
    char32_t u = base::cp1250::to_unicode(uint8_t(c));
    if (u == base::cp1250::kUndefinedChar || !base::cp1250::is_alnum(uint8_t(c))) continue;
    chars.push_back(char16_t(u));
    bytes.push_back(c);
  }
  QString seconds;
  for (char16_t c : chars) seconds += QChar(c);
  QList<quint32> second_glyphs = font->raw.glyphIndexesForString(seconds);
  if (second_glyphs.size() != qsizetype(chars.size())) return font->metrics;
  for (size_t i = 0; i < chars.size(); ++i) {
    QList<quint32> run;
    for (quint32 g : second_glyphs) run << second_glyphs[qsizetype(i)] << g;
    QList<QPointF> kerned = font->raw.advancesForGlyphIndexes(run, QRawFont::KernedAdvances);
    QList<QPointF> plain = font->raw.advancesForGlyphIndexes(run, QRawFont::SeparateAdvances);
    for (size_t j = 0; j < chars.size() && 2 * j < size_t(kerned.size()); ++j) {
      int amount = int(std::lround(kerned[qsizetype(2 * j)].x() - plain[qsizetype(2 * j)].x()));
      if (amount) font->metrics->kerning.push_back({WORD(bytes[i]), WORD(bytes[j]), amount});
    }
  }
  return font->metrics;
}

bool find_qt_face(const char* face_cp1250, LOGFONT& out) {
  std::string family = substitute_face(face_cp1250, 0);
  if (!QFontDatabase::hasFamily(QString::fromStdString(family))) return false;
  out = LOGFONT{};
  std::strncpy(out.lfFaceName, face_cp1250 ? face_cp1250 : "", LF_FACESIZE - 1);
  out.lfCharSet = EASTEUROPE_CHARSET;
  out.lfOutPrecision = OUT_TT_PRECIS;
  out.lfQuality = PROOF_QUALITY;
  bool fixed = QFontDatabase::isFixedPitch(QString::fromStdString(family));
  BYTE family_bits = family == "Liberation Serif" ? FF_ROMAN : fixed ? FF_MODERN : FF_SWISS;
  out.lfPitchAndFamily = BYTE((fixed ? FIXED_PITCH : VARIABLE_PITCH) | family_bits);
  out.lfWeight = FW_NORMAL;
  return true;
}

void clear_font_cache() {
  std::lock_guard lock(g_cache_mutex);
  cache().clear();
}

}  // namespace gdi
