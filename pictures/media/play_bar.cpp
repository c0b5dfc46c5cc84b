#include "pictures/media/play_bar.h"

#include <algorithm>

#include "pictures/media/movie_player.h"
#include "platform/win/message_queue.h"
#include "platform/win/window_api.h"

namespace media {

const char* const kButtonNames[14] = {"#eject", "#frmad", "#frmba", "#pause", "#plyps", "#play", "#rec",
                                      "#scanl", "#scanr", "#slomo", "#prev",  "#next",  "#stop", "#menu"};

namespace {

PlayBarTexts& Texts() {
  static PlayBarTexts texts;
  return texts;
}

constexpr uint16_t Bit(int button) { return uint16_t(1u << button); }

void Press(PlayBarData& bar, int button) { bar.pressed |= uint16_t(Bit(button) & bar.buttons); }
void Release(PlayBarData& bar, int button) { bar.pressed &= uint16_t(~Bit(button)); }

// Lets go of a held scan button, as a mouse release on it would.
void LetGo(PlayBarData& bar, int button) {
  if (!bar.window) return;
  if (HWND child = GetDlgItem(bar.window, button)) SendMessage(child, WM_LBUTTONUP, 0, 0);
}

// Presses play-pause and play and starts playing; releases both when play cannot start.
bool StartPlay(PlayBarData& bar, MediaDevice& device) {
  Press(bar, kBtnPlayPause);
  Press(bar, kBtnPlay);
  if (MciPlay(device)) return true;
  Release(bar, kBtnPlay);
  Release(bar, kBtnPlayPause);
  return false;
}

void Rewind(PlayBarData& bar, MediaDevice& device) {
  MciSeek(device, device.first);
  PlayBarFindCurrentMark(bar, device);
  PlayBarMoveThumb(bar, device);
}

void SeekTo(PlayBarData& bar, MediaDevice& device, int32_t position) {
  MciSeek(device, position);
  PlayBarFindCurrentMark(bar, device);
  PlayBarMoveThumb(bar, device);
}

void PreviousNext(PlayBarData& bar, MediaDevice& device, bool next) {
  const bool was_playing = device.has(kDevPlaying) || device.resumeArmed;
  MciPause(device);
  const int32_t tolerance = device.movie ? 0 : 10;
  PlayBarFindCurrentMark(bar, device);
  int32_t target = next ? device.last : device.first;
  if (bar.current != bar.marks.end()) {
    if (next) {
      for (auto it = std::next(bar.current); it != bar.marks.end(); ++it) {
        if (it->enabled && it->stop && it->position > device.current) {
          target = it->position;
          break;
        }
      }
    } else {
      for (auto it = bar.current;; --it) {
        if (it->enabled && it->stop && it->position + tolerance < device.current) {
          target = it->position;
          break;
        }
        if (it == bar.marks.begin()) break;
      }
    }
  }
  if (target >= device.first && target <= device.last) {
    device.current = target;
    PlayBarFindCurrentMark(bar, device);
    MciSeek(device, device.current);
    PlayBarMoveThumb(bar, device);
  }
  if (!was_playing) return;
  if (next) {
    if (!MciPlay(device)) {
      Release(bar, kBtnPlay);
      Release(bar, kBtnPlayPause);
    }
  } else {
    // A second press within the re-press time steps back further; then play resumes.
    device.resumeArmed = true;
    Clock().arm(device.videoWindow, kResumeTimer, 500);
  }
}

}  // namespace

PlayBarData::PlayBarData() { current = marks.end(); }

void SetPlayBarTexts(PlayBarTexts texts) { Texts() = std::move(texts); }

void PlayBarConfigure(PlayBarData& bar, const MediaOptions& options, bool movie) {
  bar.buttons = uint16_t(options.buttons & 0x3FFE);
  if (bar.has(kBtnPlay) && bar.has(kBtnPlayPause)) {
    bar.buttons &= uint16_t(~Bit(bar.has(kBtnPause) ? kBtnPlayPause : kBtnPlay));
  }
  bar.flags = 0;
  if (options.trackBar) bar.flags |= kBarTrackBar;
  if (options.menu) bar.flags |= kBarMenu;
  if (options.locked) bar.flags |= kBarLocked;
  if (options.repeat) bar.flags |= kBarRepeat;
  if (options.autoPlay) bar.flags |= kBarAutoPlay | kBarAutoPlayPending;
  if (options.soundItem) bar.flags |= kBarSoundItem;
  if (!bar.buttons && !options.trackBar && !options.menu) bar.flags |= kBarNoControls;
  bar.period = movie ? 10 : 100;
  bar.scanStep = options.scanStep > 0 ? options.scanStep : (movie ? 1 : 1000);
  bar.firstTrack = options.firstTrack;
  bar.lastTrack = options.lastTrack;
  bar.firstOffset = options.firstOffset;
  bar.lastOffset = options.lastOffset;
  bar.expectedMedia = options.expectedMedia;
  bar.expectedNumber = options.expectedNumber;
  bar.marks.clear();
  bar.marks.push_back(Mark{});
  bar.marks.back().position = 0;
  uint16_t named = 0;
  for (const MarkSpec& given : options.marks) {
    Mark mark;
    mark.name = given.name;
    mark.stop = given.stop;
    mark.section = given.section;
    mark.track = given.track;
    mark.offset = given.offset;
    if (!mark.name.empty()) mark.menuId = uint16_t(kCmdFirstMark + named++);
    bar.marks.push_back(std::move(mark));
  }
  bar.current = bar.marks.end();
  PlayBarRebuildMenu(bar);
}

SIZE PlayBarSize(const PlayBarData& bar, int limit) {
  if (bar.flags & kBarNoControls) return {0, 0};
  static const std::vector<std::vector<int>> groups = {{1}, {2, 3}, {4, 5, 6, 13}, {7, 10}, {8, 9, 11, 12}};
  int count = 0, filled = 0;
  for (const auto& group : groups) {
    int here = 0;
    for (int b : group) here += bar.has(b);
    count += here;
    filled += here > 0;
  }
  const int buttons = count ? count * 19 + filled * 2 + 3 : 0;
  const int row = buttons + ((bar.flags & kBarMenu) ? 24 : 0) + 8;
  int width = row + ((bar.flags & kBarTrackBar) ? 84 : 0);
  if (limit > 0 && limit < width && (bar.flags & kBarTrackBar) && ((bar.flags & kBarMenu) || count)) {
    return {std::max(row, 92), 60};
  }
  return {width, 30};
}

void PlayBarRebuildMenu(PlayBarData& bar) {
  bar.menu.clear();
  bool any_section = false;
  for (const Mark& mark : bar.marks) {
    any_section |= mark.section;
    if (!mark.name.empty()) bar.menu.push_back({mark.menuId, mark.name.substr(0, 40), false, !mark.enabled});
  }
  const bool sound = (bar.flags & kBarSoundItem) != 0;
  if (!bar.menu.empty() && (any_section || sound)) bar.menu.push_back({});
  if (any_section) bar.menu.push_back({kCmdSectionPlay, Texts().sectionPlay, bar.sectionPlay, false});
  if (sound) bar.menu.push_back({kCmdSound, Texts().sound, bar.muted, false});
}

void PlayBarComputeRange(PlayBarData& bar, MediaDevice& device) {
  const int32_t end = device.rangeStart + std::max(device.rangeLength, 1) - 1;
  int32_t first, last;
  if (bar.firstTrack) {
    first = MciTrackStart(device, bar.firstTrack) + std::max(bar.firstOffset, 0);
  } else {
    first = bar.firstOffset == -1 ? device.rangeStart : bar.firstOffset;
  }
  if (bar.lastTrack) {
    const int32_t start = MciTrackStart(device, bar.lastTrack);
    last = bar.lastOffset >= 0 ? start + bar.lastOffset : start + MciTrackLength(device, bar.lastTrack) - 1;
  } else {
    last = bar.lastOffset == -1 ? end : bar.lastOffset;
  }
  first = std::max(first, device.rangeStart);
  last = std::min(last, end);
  if (last < first) last = end;
  device.first = first;
  device.last = last;

  for (Mark& mark : bar.marks) {
    if (&mark != &bar.marks.front()) {
      mark.position = mark.track ? MciTrackStart(device, mark.track) + mark.offset : mark.offset;
    }
    mark.enabled = mark.position >= first && mark.position <= last;
  }
  // Marks in position order (a stable sort keeps the leading unnamed mark first).
  bar.marks.sort([](const Mark& a, const Mark& b) { return a.position < b.position; });

  const int width = std::max<int>(1, bar.trackRect.right - bar.trackRect.left);
  bar.scale = last > 65535 ? std::max<int32_t>(1, int32_t((int64_t(last) - first + 1) / width)) : 1;
  bar.thumbMin = first / bar.scale;
  bar.thumbMax = last / bar.scale;
  bar.ticks.clear();
  for (const Mark& mark : bar.marks) {
    if (mark.enabled && mark.stop) bar.ticks.push_back(mark.position / bar.scale);
  }
  PlayBarRebuildMenu(bar);
  Rewind(bar, device);

  if (bar.flags & kBarAutoPlayPending) {
    const bool active = !bar.window || GetFocus() != nullptr;
    if (!device.has(kDevPlaying) && device.has(kDevCanPlay) && active) StartPlay(bar, device);
    bar.flags &= ~kBarAutoPlayPending;
  }
}

void PlayBarFindCurrentMark(PlayBarData& bar, MediaDevice& device) {
  device.stopAt = device.last;
  if (device.current >= device.stopAt) device.current = std::max(device.first, device.last - 1);
  bar.current = bar.marks.end();
  for (auto it = bar.marks.begin(); it != bar.marks.end(); ++it) {
    if (it->enabled && it->position <= device.current) bar.current = it;
  }
  if (bar.sectionPlay) {
    auto it = bar.current == bar.marks.end() ? bar.marks.begin() : std::next(bar.current);
    for (; it != bar.marks.end(); ++it) {
      if (it->enabled && it->section && it->position > device.current) {
        device.stopAt = it->position - 1;
        break;
      }
    }
  }
}

void PlayBarMoveThumb(PlayBarData& bar, MediaDevice& device) {
  bar.thumb = device.has(kDevReady) ? device.current / bar.scale : bar.thumbMin;
  if (bar.flags & kBarDisabled) return;
  const bool back = device.current > device.first, forward = device.current < device.last;
  auto set = [&](int button, bool on) {
    if (on) bar.enabled |= uint16_t(Bit(button) & bar.buttons);
    else bar.enabled &= uint16_t(~Bit(button));
  };
  set(kBtnPrevious, back);
  set(kBtnScanBack, back);
  set(kBtnNext, forward);
  set(kBtnScanForward, forward);
}

void PlayBarRefreshButtons(PlayBarData& bar, MediaDevice& device) {
  if (bar.flags & kBarNoControls) return;
  bar.enabled = 0;
  auto enable = [&](int button) { bar.enabled |= uint16_t(Bit(button) & bar.buttons); };
  if (device.has(kDevReady) && device.has(kDevNewMedia)) {
    bar.flags &= ~kBarDisabled;
    bar.menuEnabled = true;
    for (MenuItem& item : bar.menu) {
      if (item.id == kCmdSound) item.grayed = !device.has(kDevCanSwitchSound);
    }
    bar.trackBarEnabled = !(bar.flags & kBarLocked);
    if (device.has(kDevCanPlay)) {
      for (int b : {kBtnPause, kBtnPlayPause, kBtnPlay, kBtnStop}) enable(b);
    }
    for (int b : {kBtnPrevious, kBtnNext, kBtnScanBack, kBtnScanForward}) enable(b);
    if (device.has(kDevCanEject)) enable(kBtnEject);
  } else {
    bar.flags |= kBarDisabled;
    if (device.has(kDevReady) && device.has(kDevCanEject)) enable(kBtnEject);
    bar.menuEnabled = false;
    bar.trackBarEnabled = false;
  }
}

LRESULT PlayBarCommand(PlayBarData& bar, MediaDevice& device, int id, WORD code) {
  switch (id) {
    case kBtnEject:
      if (bar.flags & kBarDisabled) break;
      MciStop(device);
      MciSeek(device, device.first);
      Release(bar, kBtnPause);
      Release(bar, kBtnPlayPause);
      Release(bar, kBtnPlay);
      MciEject(device);
      PlayBarRefreshButtons(bar, device);
      break;
    case kBtnPause:
      if (bar.down(kBtnPause) || !MciPause(device)) {
        Release(bar, kBtnPause);
        if (bar.down(kBtnPlay) || bar.down(kBtnPlayPause)) {
          if (!MciPlay(device)) {
            Release(bar, kBtnPlay);
            Release(bar, kBtnPlayPause);
          }
        }
      } else {
        Press(bar, kBtnPause);
        if (!bar.has(kBtnPause)) Release(bar, kBtnPlay);
        Release(bar, kBtnPlayPause);
      }
      break;
    case kBtnPlayPause:
      if (!device.has(kDevPlaying) && !device.resumeArmed) {
        Release(bar, kBtnPause);
        StartPlay(bar, device);
      } else {
        MciPause(device);
        Release(bar, kBtnPlayPause);
        if (bar.has(kBtnPause) && bar.has(kBtnPlay)) Press(bar, kBtnPause);
        else Release(bar, kBtnPlay);
      }
      break;
    case kBtnPlay:
      Press(bar, kBtnPlay);
      if (!bar.down(kBtnPause)) StartPlay(bar, device);
      break;
    case kBtnScanBack:
    case kBtnScanForward:
      if (code == kNotifyReleased) {
        if (bar.flags & kBarScanPause) {
          bar.flags &= ~kBarScanPause;
          StartPlay(bar, device);
        }
      } else if (code == 0) {
        if (device.has(kDevPlaying)) {
          MciPause(device);
          bar.flags |= kBarScanPause;
        }
        int64_t position = int64_t(device.current) + (id == kBtnScanBack ? -bar.scanStep : bar.scanStep);
        if (id == kBtnScanBack && position <= device.first) {
          LetGo(bar, id);
          position = device.first;
        } else if (id == kBtnScanForward && position >= device.last) {
          LetGo(bar, id);
          position = device.last;
        }
        SeekTo(bar, device, int32_t(position));
      }
      break;
    case kBtnPrevious:
    case kBtnNext:
      PreviousNext(bar, device, id == kBtnNext);
      break;
    case kBtnStop:
    case kCmdStopNoRewind:
      Release(bar, kBtnPlayPause);
      Release(bar, kBtnPlay);
      Release(bar, kBtnPause);
      MciStop(device);
      if (id == kBtnStop) Rewind(bar, device);
      break;
    case kCmdSectionPlay:
      bar.sectionPlay = !bar.sectionPlay;
      PlayBarRebuildMenu(bar);
      if (device.has(kDevPlaying)) {
        MciPause(device);
        PlayBarFindCurrentMark(bar, device);
        MciPlay(device);
      } else {
        PlayBarFindCurrentMark(bar, device);
      }
      break;
    case kCmdSound:
      bar.muted = !bar.muted;
      PlayBarRebuildMenu(bar);
      MciSetSound(device, !bar.muted);
      break;
    default:
      if (id >= kCmdFirstMark) {
        for (const Mark& mark : bar.marks) {
          if (mark.menuId != id || mark.name.empty()) continue;
          const bool playing = device.has(kDevPlaying);
          if (playing) MciPause(device);
          SeekTo(bar, device, mark.position);
          if (playing) MciPlay(device);
          break;
        }
      }
      break;
  }
  return 0;
}

void PlayBarScroll(PlayBarData& bar, MediaDevice& device, WORD code, int32_t thumb) {
  const bool locked = (bar.flags & kBarLocked) != 0;
  switch (code) {
    case 2:  // SB_PAGEUP
      PreviousNext(bar, device, false);
      break;
    case 3:  // SB_PAGEDOWN
      PreviousNext(bar, device, true);
      break;
    case 5:  // SB_THUMBTRACK
      if (locked) break;
      bar.thumb = thumb;
      if (device.has(kDevExactSeek)) MciSeek(device, int32_t(int64_t(thumb) * bar.scale));
      break;
    case 8:  // SB_ENDSCROLL
      bar.dragging = false;
      MciSetSeekExactly(device, true);
      if (locked) break;
      MciSeek(device, bar.thumb >= bar.thumbMax ? device.last : int32_t(int64_t(bar.thumb) * bar.scale));
      PlayBarFindCurrentMark(bar, device);
      if (bar.flags & kBarScanPause) {
        bar.flags &= ~kBarScanPause;
        StartPlay(bar, device);
      }
      break;
    case kThumbPressed:
      if (!locked) {
        bar.dragging = true;
        if (device.has(kDevPlaying)) {
          MciPause(device);
          bar.flags |= kBarScanPause;
        }
      }
      MciSetSeekExactly(device, false);
      break;
    default:
      break;
  }
}

void PlayBarStartPolling(PlayBarData& bar) { Clock().arm(bar.window, kPollTimer, bar.period); }

void PlayBarPoll(PlayBarData& bar, MediaDevice& device) {
  Clock().kill(bar.window, kPollTimer);
  const bool was_ready = device.has(kDevReady), was_playing = device.has(kDevPlaying);
  MciPollState(device);
  bool fresh = false;
  if (!was_ready && device.has(kDevReady) && device.has(kDevPresent)) {
    MciQueryDevice(device);
    fresh = true;
    if (bar.expectedNumber != 0 && MciTrackLength(device, -1) != bar.expectedNumber) {
      MediaPostError(device.mediaWindow, kErrOtherMedia, bar.expectedMedia);
      fresh = false;
    }
    if (fresh) device.flags |= kDevNewMedia;
    if (device.movie && device.mediaWindow) {
      HWND top = device.mediaWindow;
      while (HWND parent = GetParent(top)) top = parent;
      SendMessage(top, WM_PALETTECHANGED, 0, 0);
    }
  }
  if (!device.has(kDevReady)) device.flags &= ~kDevNewMedia;
  if (was_ready != device.has(kDevReady)) {
    PlayBarRefreshButtons(bar, device);
    if (fresh) PlayBarComputeRange(bar, device);
    else bar.thumb = bar.thumbMin;
  }
  if (device.has(kDevPlaying) && !bar.dragging) {
    if (device.current >= device.playStart) bar.thumb = device.current / bar.scale;
  } else if (was_playing && !device.has(kDevPlaying)) {
    PlayBarMoveThumb(bar, device);
    Release(bar, kBtnPlayPause);
    if (bar.has(kBtnPause) && device.current > device.first) Press(bar, kBtnPause);
    else Release(bar, kBtnPlay);
  }
  Clock().arm(bar.window, kPollTimer, bar.period);
}

void PlayBarNotify(PlayBarData& bar, MediaDevice& device, WPARAM code) {
  if (code == MCI_NOTIFY_SUCCESSFUL) {
    device.flags &= ~kDevPlaying;
    if (device.movie) MoviePause(device);
    else MciPollState(device);
    device.current = device.stopAt + 1;
    PlayBarFindCurrentMark(bar, device);
    bool at_end = device.current + 1 >= device.last;
    if (device.type == MCI_DEVTYPE_CD_AUDIO && !at_end) {
      at_end = bar.current == bar.marks.end() ||
               (std::next(bar.current) == bar.marks.end() && bar.current->position < device.current);
    }
    if (at_end) {
      const auto after = bar.current == bar.marks.end() ? bar.marks.end() : std::next(bar.current);
      if (after != bar.marks.end() && after->section && after->position >= device.rangeStart + device.rangeLength) {
        MciPause(device);
        return;
      }
      MciStop(device);
      Rewind(bar, device);
      if (bar.flags & kBarRepeat) {
        StartPlay(bar, device);
      } else {
        Release(bar, kBtnPlay);
        Release(bar, kBtnPlayPause);
      }
      Release(bar, kBtnPause);
    } else {
      Release(bar, kBtnPlayPause);
      if (bar.has(kBtnPause)) Press(bar, kBtnPause);
      else Release(bar, kBtnPlay);
      MciPause(device);
      PlayBarMoveThumb(bar, device);
    }
  } else if (code == MCI_NOTIFY_FAILURE) {
    device.flags &= ~kDevPlaying;
    Release(bar, kBtnPlay);
    Release(bar, kBtnPlayPause);
    Release(bar, kBtnPause);
    MediaPostError(device.mediaWindow, kErrPlayFailed, device.product);
  }
}

void PlayBarResume(PlayBarData& bar, MediaDevice& device) {
  Clock().kill(device.videoWindow, kResumeTimer);
  if (!device.resumeArmed) return;
  device.resumeArmed = false;
  if (!MciPlay(device)) {
    Release(bar, kBtnPlay);
    Release(bar, kBtnPlayPause);
  }
}

}  // namespace media
