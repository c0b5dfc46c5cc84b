// Result codes of the viewer entry points (16-bit, 0 success).
#pragma once

#include <cstdint>

namespace medview {

using TitleErrorCode = uint16_t;

inline constexpr TitleErrorCode kViewOk = 0;
inline constexpr TitleErrorCode kViewNoMemory = 1001;
inline constexpr TitleErrorCode kViewNoDC = 1002;
inline constexpr TitleErrorCode kViewNoLayout = 1005;
inline constexpr TitleErrorCode kViewTitleMissing = 1007;
inline constexpr TitleErrorCode kViewEndOfRegion = 1011;
inline constexpr TitleErrorCode kViewBadArgument = 1012;
inline constexpr TitleErrorCode kViewUnchanged = 1013;
inline constexpr TitleErrorCode kViewLayoutStopped = 1016;
inline constexpr TitleErrorCode kViewNoTarget = 1017;
inline constexpr TitleErrorCode kViewNoWindowArea = 1018;
inline constexpr TitleErrorCode kViewNoPicture = 1023;
inline constexpr TitleErrorCode kViewBadShape = 1025;
inline constexpr TitleErrorCode kViewStyleNotFound = 1028;
inline constexpr TitleErrorCode kViewNoWindow = 1036;
inline constexpr TitleErrorCode kViewOutOfRange = 1037;
inline constexpr TitleErrorCode kViewFaceNotFound = 1039;
inline constexpr TitleErrorCode kViewBusy = 1041;

inline void SetErrorCode(TitleErrorCode* error, TitleErrorCode code) {
  if (error) *error = code;
}

}  // namespace medview
