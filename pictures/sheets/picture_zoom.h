// The picture sheet's geometry as plain functions: zoom limits, the fit modes' zoom, where the
// picture goes in the window, page names of numbered pictures, and the centimetre read-out.
//
// A zoom is a percentage; the factor is picture pixels per screen pixel, 200 / percent (at 200 %
// the picture shows 1:1).
#pragma once

#include <optional>
#include <string>

namespace picturezoom {

constexpr int kMinZoom = 25;
constexpr int kMaxZoom = 400;
// The fit modes never enlarge beyond this.
constexpr int kFitLimit = 100;
// Margin the fit modes leave around the picture.
constexpr int kFitMargin = 10;

enum FitMode { kFitWindow = 1, kFitWidth = 2, kFixedZoom = 3, kFreeZoom = 4 };

inline double FactorOf(int percent) { return 200.0 / percent; }

// The zoom a zoom request settles on, given the current zoom and the fit mode; nullopt when nothing
// changes.
std::optional<int> ClampZoom(int requested, int current, int fitMode);

// The fit modes' zoom for a client area and picture (picture pixels); no limits applied. A client
// area with no room left after the margin (and scroll bar) gives the smallest zoom rather than 0.
int FitToWindowZoom(int clientWidth, int clientHeight, int pictureWidth, int pictureHeight);
int FitToWidthZoom(int clientWidth, int scrollBarWidth, int pictureWidth);

// One axis of the drawn picture: where it starts in the client area and how long it is drawn.
struct Span {
  int start = 0;
  int length = 0;
};
// A picture extent that fits the client is centred; a larger one starts at minus the scroll.
Span PlaceAxis(int pictureSize, double factor, int client, int scroll);

// The scroll position after a zoom change that keeps the picture point under `anchor` (client
// coordinates, with the scroll `scroll`) in the window centre.
int ZoomedScroll(int anchor, int scroll, double oldFactor, double newFactor, int client);

// The zoom and anchor that show a dragged rectangle (client coordinates, at least 5 x 5) filling
// the window, its centre in the window centre.
struct RectZoom {
  int percent = 0;
  int anchorX = 0;
  int anchorY = 0;
};
RectZoom ZoomToRect(int left, int top, int right, int bottom, int clientWidth, int clientHeight, double factor);

// Numbered pictures: six characters of the series and two digits of the page, then ".png". The
// neighbouring page's name; nullopt for a name outside that pattern.
std::optional<std::string> NeighbourPageName(const std::string& name, int step);

// A distance in screen pixels over the picture as centimetres: a picture pixel is 1/150 inch.
double Centimetres(int screenPixels, double factor);

}  // namespace picturezoom
