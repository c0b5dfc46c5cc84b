#include "toolkit/frame/dock_geometry.h"

#include <algorithm>

#include "platform/win/window_styles.h"

namespace dock {

float MinShare(int length) {
  if (length <= 0) return 0.05f;
  return std::clamp(float(kMinBarLength) / float(length), 0.0f, 1.0f);
}

float AddShare(float& share, float amount, float minShare) {
  const float sum = share + amount;
  if (sum >= minShare) {
    share = sum;
    return 0.0f;
  }
  share = minShare;
  return sum - minShare;
}

NormalizeResult NormalizeRow(std::span<RowShare> bars, int changed, float minShare) {
  NormalizeResult result;
  float others = 0.0f;
  for (size_t i = 0; i < bars.size(); ++i) {
    if (int(i) != changed) others += bars[i].share;
    if (bars[i].fixed) {
      ++result.fixed;
    } else {
      ++result.proportional;
    }
  }
  const float changedShare = changed >= 0 && size_t(changed) < bars.size() ? bars[size_t(changed)].share : 0.0f;
  const float factor = (changedShare != 0.0f || others != 0.0f) ? 1.0f / (changedShare + others) : 1.0f;
  float remainder = 0.0f;
  for (RowShare& bar : bars) {
    bar.share *= factor;
    remainder = AddShare(bar.share, remainder, minShare);
  }
  if (remainder != 0.0f) {
    for (RowShare& bar : bars) remainder = AddShare(bar.share, remainder, minShare);
  }
  if (remainder != 0.0f && !bars.empty()) {
    const size_t target = changed >= 0 && size_t(changed) < bars.size() ? size_t(changed) : 0;
    bars[target].share += remainder;
  }
  return result;
}

int CommittedLength(int available, int barCount, float share) {
  const int row = available - kSplitterSize * std::max(0, barCount - 1);
  return int(float(row) * share);
}

RowPlacement PlaceRow(int available, int start, std::span<const int> lengths, bool lastFixed) {
  RowPlacement placed;
  int offset = start;
  for (size_t i = 0; i < lengths.size(); ++i) {
    const bool last = i + 1 == lengths.size();
    const int length = last && !lastFixed ? std::max(0, available - offset) : lengths[i];
    placed.start.push_back(offset);
    placed.length.push_back(length);
    offset += length;
    if (!last) {
      placed.splitter.push_back(offset);
      offset += kSplitterSize;
    }
  }
  return placed;
}

Limits BetweenBarsLimits(int clientStart, int clientEnd, int before, int after) {
  return {clientStart + kSplitterKeep * before, clientEnd - kSplitterKeep * after};
}

int ClampSplitter(int edge, const Limits& limits) {
  edge = std::max(edge, limits.lower);
  if (edge + kSplitterSize > limits.upper) edge = limits.upper - kSplitterSize;
  return edge;
}

Resized ResizeBarBy(int length, int delta, int rowSize, float minShare) {
  if (rowSize <= 0) return {length, 0.0f, 0};
  Resized r;
  r.length = std::max(length + delta, kMinBarLength);
  r.share = float(r.length) / float(rowSize);
  int reached = r.length;
  if (r.share < minShare) {
    r.share = minShare;
    reached = int(minShare * float(rowSize));
  }
  r.shortfall = (length + delta) - reached;
  return r;
}

void MoveBetweenBars(std::span<int> lengths, std::span<float> shares, int before, int distance, int rowSize,
                     float minShare) {
  const int count = int(lengths.size());
  if (distance == 0 || rowSize <= 0 || before < 0 || before + 1 >= count || shares.size() != lengths.size()) return;
  const auto apply = [&](int i, int delta) {
    const Resized r = ResizeBarBy(lengths[size_t(i)], delta, rowSize, minShare);
    lengths[size_t(i)] = r.length;
    shares[size_t(i)] = r.share;
    return r.shortfall;
  };
  const int grow = distance > 0 ? before : before + 1;
  const int step = distance > 0 ? 1 : -1;
  int taking = distance > 0 ? distance : -distance;
  apply(grow, taking);
  for (int i = distance > 0 ? before + 1 : before; i >= 0 && i < count && taking > 0; i += step) {
    taking = -std::min(0, apply(i, -taking));
  }
}

UINT SizeParentMoveFlags(const CRect& from, const CRect& to, bool horizontal, bool noRedraw) {
  if (!noRedraw) return 0;
  if (from.Size() == to.Size()) return SWP_NOCOPYBITS;
  const bool sameLength = horizontal ? from.Width() == to.Width() : from.Height() == to.Height();
  return sameLength ? SWP_NOREDRAW : 0;
}

}  // namespace dock
