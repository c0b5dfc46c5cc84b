// The picture rulers' geometry as plain functions: where the ruler band lies, its divisions (one
// division is a centimetre of the picture, numbered from 1), the half and quarter ticks, which
// numbers fit, the mouse mark on the band, and the position read-out under the cross-hair.
//
// Everything is in device pixels along and across one ruler; the vertical ruler uses the same
// plan with x and y exchanged. Lengths the ruler's look is defined by are given in hundredths of
// a millimetre and turned into pixels for the screen's resolution.
#pragma once

#include <functional>
#include <optional>
#include <vector>

#include "pictures/sheets/picture_zoom.h"

namespace rulermarks {

// Depth of the ruler band in pixels; the ruler pane is a little deeper.
constexpr int kBandDepth = 18;
// The mouse mark's strip across the band, from its outer edge.
constexpr int kMarkFrom = 2;
constexpr int kMarkTo = 16;
// Numbers show when a division is longer than 3.5 mm on the screen, quarter ticks from 9 mm.
constexpr int kNumbersFrom = 350;
constexpr int kQuartersFrom = 900;
// Text heights of the numbers: upright and turned (hundredths of a millimetre).
constexpr int kUprightTextHeight = 420;
constexpr int kTurnedTextHeight = 380;

// Hundredths of a millimetre as pixels at `dpi` (rounded to the nearest).
int HimetricToPixels(int himetric, int dpi);

// One division (a centimetre of the picture: a picture pixel is 1/150 inch) on the screen.
double DivisionPixels(double factor);

// A tick across the band: at `at` along the ruler, from `from` to `to` across (from the band's
// outer edge, `to` exclusive).
struct Tick {
  int at = 0;
  int from = 0;
  int to = 0;
};
// A division's number, centred on `at`; it covers [start, end) along the ruler.
struct Label {
  int number = 0;
  int at = 0;
  int start = 0;
  int end = 0;
};

struct RulerInput {
  int pictureSize = 0;  // picture pixels along the ruler
  double factor = 1.0;  // picture pixels per screen pixel
  int viewClient = 0;   // the picture view's client length along the ruler
  int scroll = 0;       // the picture view's scroll position along the ruler
  int rulerLength = 0;  // the ruler's own client length
  int dpi = 96;
};

struct RulerPlan {
  picturezoom::Span band;  // where the picture lies along the ruler (as the view draws it)
  double division = 0;     // pixels per division
  std::vector<Tick> ticks;
  std::vector<Label> labels;
};

// The ruler for the picture as the view shows it. Only marks within the ruler's length are
// planned. `labelWidth` gives a number's text width in pixels; a number that would come closer
// than 3 pixels to the previous one shown, or reach past the band's ends, is left out, so numbers
// never run into each other or over the band's frame; a tick that would cut through a number shown
// is left out.
RulerPlan PlanRuler(const RulerInput& input, const std::function<int(int number)>& labelWidth);

// Where the mouse mark goes for a mouse coordinate of the picture view: on the band's picture
// part only (nullopt elsewhere).
std::optional<int> MarkAt(int coordinate, const picturezoom::Span& band);

// The read-out under the cross-hair for a client point `offset` pixels from the picture's drawn
// corner: the value the position field scales by the zoom factor and shows as centimetres
// (value x factor / 150), rounded. Points outside the picture give nullopt.
std::optional<int> ReadOutValue(int offset, int drawnLength);

}  // namespace rulermarks
