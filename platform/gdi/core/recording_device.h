// The recording test device: draws nothing, writes every call it receives as one line of text,
// and measures text with fixed metrics, so drawing code can be tested without any window system.
//
// Fixed metrics of a logical font with height h (0 stands for 16):
//   cell height H = h for a positive (cell) height, |h| + |h| / 8 for a negative (character)
//   height; internal leading H - |h| (H / 8 for a cell height); ascent (4 * H + 2) / 5; descent
//   H - ascent; external leading H / 10; overhang 0.
//   width of a character: max(1, (H * k + 4) / 8), k = 2 for the narrow characters
//   " !'(),.:;I[]fijlrt|", 6 for the wide "%@MWmw", 0 for the control bytes below 0x20, 4 for
//   every other byte; bold (weight >= 600) adds 1 to every non-zero width.
//   kerning pairs: "AV", "VA", "To" and "LT", each -max(1, H / 10).
// Coordinates in the log are device pixels; colours are RRGGBB.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "platform/gdi/core/device.h"

namespace gdi {

using RecordingLog = std::vector<std::string>;

class RecordingDevice : public Device {
 public:
  struct Options {
    int width = 1024;
    int height = 768;
    int dpi_x = 96;
    int dpi_y = 96;
    int technology = DT_RASDISPLAY;
    int bits_pixel = kColourDepth;
  };

  RecordingDevice();
  explicit RecordingDevice(std::shared_ptr<RecordingLog> log);
  RecordingDevice(std::shared_ptr<RecordingLog> log, const Options& options);

  const std::shared_ptr<RecordingLog>& log() const { return log_; }

  int caps(int index) const override;
  std::unique_ptr<Device> create_compatible() const override;
  bool select_bitmap(std::shared_ptr<Bitmap> bitmap) override;
  std::shared_ptr<const FontMetrics> realize_font(const LOGFONT& device_font) override;
  void fill(const RECT& r, DWORD rop3, const DrawState& s) override;
  void polyline(std::span<const POINT> points, const DrawState& s) override;
  void polygons(std::span<const std::vector<POINT>> polys, const DrawState& s) override;
  void rectangle(const RECT& r, const DrawState& s) override;
  void ellipse(const RECT& r, const DrawState& s) override;
  void arc(const RECT& r, POINT start, POINT end, const DrawState& s) override;
  void glyphs(POINT origin, std::string_view text, std::span<const int> advances,
              const FontMetrics& font, const DrawState& s, const RECT* clip) override;
  void transfer(const RECT& dst, const PixelBuffer* src, const RECT& src_rect, DWORD rop3,
                const DrawState& s) override;
  void set_pixel(POINT p, COLORREF c, const DrawState& s) override;
  bool flood_fill(POINT p, COLORREF colour, UINT type, const DrawState& s) override;
  int start_doc(std::string_view name, const char* output) override;
  int end_doc() override;
  int abort_doc() override;
  int start_page() override;
  int end_page() override;

 private:
  void write(std::string line, const DrawState* s = nullptr);
  std::shared_ptr<RecordingLog> log_;
  Options options_;
  bool memory_ = false;
  int memory_bits_ = 0;  // depth of the selected bitmap in a memory context
};

// The fixed metrics described above.
FontMetrics fixed_font_metrics(const LOGFONT& device_font);

// A context over a new recording device writing into `log`.
HDC create_recording_dc(std::shared_ptr<RecordingLog> log,
                        const RecordingDevice::Options& options = {});

}  // namespace gdi
