// The arithmetic of docked rows: proportional shares of a row, the placement of a row of
// proportional bars with the splitters between them, splitter limits and the moves a splitter
// drag makes. Plain functions over plain numbers; SECDockBar applies them to its windows.
//
// A bar's share is the part of its row's length it takes (0..1). No visible bar of a row goes
// below the minimum share, the part of the dock bar's length that 18 pixels make.
#pragma once

#include <span>
#include <vector>

#include "platform/base/geometry.h"
#include "platform/base/win_types.h"

namespace dock {

constexpr int kSplitterSize = 6;     // a splitter strip, across
constexpr int kSeparatorSize = 2;    // an etched separator, across
constexpr int kMinBarLength = 18;    // the least length a resized bar keeps
constexpr int kSplitterKeep = 24;    // a splitter drag keeps this much for every bar it passes

// 18 / length, within 0..1; 0.05 when the length is not positive.
float MinShare(int length);

// Adds `amount` to `share`. Returns 0 when the result is at least `minShare`; otherwise the share
// becomes `minShare` and the (negative) shortfall is returned for the bars that follow.
float AddShare(float& share, float amount, float minShare);

// One visible bar of a row as the normalization sees it.
struct RowShare {
  float share = 1.0f;
  bool fixed = false;  // a fixed-size bar: counted apart, normalized all the same
};

struct NormalizeResult {
  int proportional = 0;  // bars without a fixed size
  int fixed = 0;
};

// Scales the shares of a row's visible bars to a sum of 1, keeps each at the minimum share at
// least by taking the difference from the bars that follow, and offers what is still missing once
// more to every bar. What is left then goes to the bar `changed` (an index into `bars`), or to the
// first bar when `changed` is -1 (the changed bar lies in no row of the caller's).
NormalizeResult NormalizeRow(std::span<RowShare> bars, int changed, float minShare);

// A row of proportional bars laid out along `available` pixels: each bar's committed length
// (its share of the row less the splitters), where it starts, and the between-bars splitters.
struct RowPlacement {
  std::vector<int> start;
  std::vector<int> length;
  std::vector<int> splitter;  // start of the splitter after bar i (for all but the last)
};

// The length a proportional bar commits: its share of the available length less a splitter for
// every bar but one, truncated.
int CommittedLength(int available, int barCount, float share);

// Places bars whose committed lengths are `lengths` from `start`, a splitter after each but the
// last; the last bar takes the rest of `available` unless `lastFixed`.
RowPlacement PlaceRow(int available, int start, std::span<const int> lengths, bool lastFixed);

struct Limits {
  int lower = 0;
  int upper = 0;
};

// A between-bars splitter keeps 24 pixels for each of the `before` bars up to and including the
// one before it and for each of the `after` bars after it.
Limits BetweenBarsLimits(int clientStart, int clientEnd, int before, int after);

// Where a splitter of `limits` goes when its leading edge is asked to be at `edge`: not below
// the lower limit, and pulled back so that the strip ends at the upper limit at most.
int ClampSplitter(int edge, const Limits& limits);

// Resizes a bar of length `length` by `delta` within a row of `rowSize`: the new length (at least
// 18) and share. Returns the requested length less the length reached: 0 when taken whole,
// negative when the bar stops short of shrinking so far. A row of no length changes nothing.
struct Resized {
  int length = 0;
  float share = 0.0f;
  int shortfall = 0;
};
Resized ResizeBarBy(int length, int delta, int rowSize, float minShare);

// A between-bars splitter after bar `before` moved by `distance` in a row of `rowSize`: the bar on
// the side the splitter moved away from grows, the bars on the other side shrink nearest first,
// each passing on what it could not give. Updates `lengths` and `shares` of the row's visible bars.
void MoveBetweenBars(std::span<int> lengths, std::span<float> shares, int before, int distance, int rowSize,
                     float minShare);

// The extra SWP_ flags a dock bar moves with in a size-parent pass from `from` to `to` while
// redrawing is held back (`noRedraw`): SWP_NOCOPYBITS when its size stays, SWP_NOREDRAW when its
// length along its side stays, else none.
UINT SizeParentMoveFlags(const CRect& from, const CRect& to, bool horizontal, bool noRedraw);

}  // namespace dock
