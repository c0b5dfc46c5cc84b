#include "pictures/sheets/picture_zoom.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdio>

namespace picturezoom {

std::optional<int> ClampZoom(int requested, int current, int fitMode) {
  if (requested == current) return std::nullopt;
  const bool fitting = fitMode == kFitWindow || fitMode == kFitWidth;
  int zoom = requested;
  if (requested > kMaxZoom) {
    if (current == kMaxZoom) return std::nullopt;
    zoom = fitting ? kFitLimit : kMaxZoom;
  } else if (requested < kMinZoom) {
    if (current == kMinZoom) return std::nullopt;
    zoom = kMinZoom;
  } else if (fitting && requested > kFitLimit) {
    zoom = kFitLimit;
  }
  if (zoom == current) return std::nullopt;
  return zoom;
}

namespace {
// A zoom from the room left and the picture's size; never 0 or less, so the factor stays finite.
int RoomZoom(int room, int pictureSize) {
  if (pictureSize <= 0) return kFitLimit;
  return std::max(1, static_cast<int>(static_cast<long long>(room) * 200 / pictureSize));
}
}  // namespace

int FitToWindowZoom(int clientWidth, int clientHeight, int pictureWidth, int pictureHeight) {
  return std::min(RoomZoom(clientWidth - kFitMargin, pictureWidth), RoomZoom(clientHeight - kFitMargin, pictureHeight));
}

int FitToWidthZoom(int clientWidth, int scrollBarWidth, int pictureWidth) {
  return RoomZoom(clientWidth - scrollBarWidth - kFitMargin, pictureWidth);
}

Span PlaceAxis(int pictureSize, double factor, int client, int scroll) {
  const double extent = pictureSize / factor;
  if (client >= extent) {
    const int margin = static_cast<int>((client - extent) / 2);
    return {margin, client - 2 * margin};
  }
  return {-scroll, static_cast<int>(extent)};
}

int ZoomedScroll(int anchor, int scroll, double oldFactor, double newFactor, int client) {
  const double point = (anchor + scroll) * oldFactor;
  const double half = (client / 2) * newFactor;
  return static_cast<int>((std::trunc(point) - std::trunc(half)) / newFactor);
}

RectZoom ZoomToRect(int left, int top, int right, int bottom, int clientWidth, int clientHeight, double factor) {
  const int w = std::max(1, std::abs(right - left));
  const int h = std::max(1, std::abs(bottom - top));
  const double share = std::max(static_cast<double>(w) / std::max(1, clientWidth),
                                static_cast<double>(h) / std::max(1, clientHeight));
  const double newFactor = factor * share;
  int percent = static_cast<int>(200.0 / newFactor);
  percent = std::clamp(percent, kMinZoom, kMaxZoom);
  return {percent, (left + right) / 2, (top + bottom) / 2};
}

std::optional<std::string> NeighbourPageName(const std::string& name, int step) {
  // Trimmed of blanks at both ends.
  const size_t first = name.find_first_not_of(" \t");
  if (first == std::string::npos) return std::nullopt;
  const std::string trimmed = name.substr(first, name.find_last_not_of(" \t") - first + 1);
  if (trimmed.size() != 12 || !std::isdigit(static_cast<unsigned char>(trimmed[6])) ||
      !std::isdigit(static_cast<unsigned char>(trimmed[7]))) {
    return std::nullopt;
  }
  std::string extension = trimmed.substr(8);
  for (char& c : extension) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  if (extension != ".png") return std::nullopt;
  const int page = (trimmed[6] - '0') * 10 + (trimmed[7] - '0');
  int next = page + step;
  if (step < 0 && page == 0) return std::nullopt;
  if (next > 99 || next < 0) next = 0;
  char digits[3];
  std::snprintf(digits, sizeof digits, "%02d", next);
  return trimmed.substr(0, 6) + digits + ".png";
}

double Centimetres(int screenPixels, double factor) { return screenPixels * factor / 150.0 * 2.54; }

}  // namespace picturezoom
