#include "pictures/sheets/ruler_marks.h"

#include <algorithm>
#include <climits>
#include <cmath>

namespace rulermarks {

namespace {
// Picture pixels per centimetre.
constexpr double kPixelsPerCentimetre = 150.0 / 2.54;
// Tick reaches from the band's middle, towards the outer edge and towards the picture.
constexpr int kHalfOut = 60, kHalfIn = 100;
constexpr int kQuarterOut = 40, kQuarterIn = 80;
// The band's frame: two lines at each end.
constexpr int kFrame = 2;
// Room kept between a number and a tick.
constexpr int kTickGap = 2;
// Room kept between two numbers.
constexpr int kLabelGap = 3;
}  // namespace

int HimetricToPixels(int himetric, int dpi) {
  return static_cast<int>(std::lround(static_cast<double>(himetric) * dpi / 2540.0));
}

double DivisionPixels(double factor) { return factor > 0 ? kPixelsPerCentimetre / factor : 0; }

RulerPlan PlanRuler(const RulerInput& input, const std::function<int(int number)>& labelWidth) {
  RulerPlan plan;
  if (input.pictureSize <= 0 || input.factor <= 0) return plan;
  plan.band = picturezoom::PlaceAxis(input.pictureSize, input.factor, input.viewClient, input.scroll);
  plan.division = DivisionPixels(input.factor);
  const int dpi = input.dpi > 0 ? input.dpi : 96;
  const double step = plan.division;
  const double stepHimetric = step * 2540.0 / dpi;
  if (step < 2) return plan;  // divisions closer than that would only grey the band
  const bool numbers = stepHimetric > kNumbersFrom;
  const bool quarters = stepHimetric > kQuartersFrom;
  const int middle = kBandDepth / 2;
  const Tick half{0, middle - HimetricToPixels(kHalfOut, dpi), middle + HimetricToPixels(kHalfIn, dpi)};
  const Tick quarter{0, middle - HimetricToPixels(kQuarterOut, dpi), middle + HimetricToPixels(kQuarterIn, dpi)};
  const int length = plan.band.length;
  // Only the divisions whose marks can fall on the ruler.
  const int firstVisible = std::max(1, static_cast<int>((-plan.band.start) / step));
  int lastShownEnd = INT_MIN;
  auto add_tick = [&](double along, const Tick& shape) {
    const int at = plan.band.start + static_cast<int>(std::lround(along));
    if (along > length || at < 0 || at >= input.rulerLength) return;
    plan.ticks.push_back({at, shape.from, shape.to});
  };
  for (int i = firstVisible; i * step - step <= length; ++i) {
    const double division = i * step;
    if (plan.band.start + division - step > input.rulerLength) break;
    add_tick(division - step / 2, half);
    if (quarters) {
      add_tick(division - step * 3 / 4, quarter);
      add_tick(division - step / 4, quarter);
    }
    if (!numbers || division > length) continue;
    const int at = plan.band.start + static_cast<int>(std::lround(division));
    const int width = labelWidth ? labelWidth(i) : 0;
    const Label label{i, at, at - width / 2, at - width / 2 + width};
    // A number stays inside the band's frame and within the ruler.
    if (label.start < plan.band.start + kFrame || label.end > plan.band.start + length - kFrame) continue;
    if (label.end <= 0 || label.start >= input.rulerLength) continue;
    if (label.start < lastShownEnd + kLabelGap) continue;
    plan.labels.push_back(label);
    lastShownEnd = label.end;
  }
  // A tick never cuts through a number: those that would are left out.
  std::erase_if(plan.ticks, [&](const Tick& tick) {
    return std::any_of(plan.labels.begin(), plan.labels.end(), [&](const Label& label) {
      return tick.at >= label.start - kTickGap && tick.at < label.end + kTickGap;
    });
  });
  return plan;
}

std::optional<int> MarkAt(int coordinate, const picturezoom::Span& band) {
  if (coordinate < band.start || coordinate >= band.start + band.length) return std::nullopt;
  return coordinate;
}

std::optional<int> ReadOutValue(int offset, int drawnLength) {
  if (offset < 0 || offset >= drawnLength) return std::nullopt;
  return static_cast<int>(std::lround(offset * 2.54));
}

}  // namespace rulermarks
