// Synthetic input: mouse and keyboard events that take the same path as real input (hit-testing,
// capture, focus) and arrive as queued messages. Points are in screen coordinates unless a
// function says otherwise; nothing is dispatched until the test pumps or runs a loop.
#pragma once

#include <functional>
#include <string_view>

#include "platform/base/geometry.h"
#include "platform/win/input_translation.h"
#include "platform/win/window_api.h"

namespace lumo::test {

// A window's client point in screen coordinates.
POINT screen_point(HWND h, POINT client);

void mouse_move(POINT screen, win::KeyModifiers modifiers = {});
void mouse_down(POINT screen, win::MouseButton button = win::MouseButton::left,
                win::KeyModifiers modifiers = {});
void mouse_up(POINT screen, win::MouseButton button = win::MouseButton::left,
              win::KeyModifiers modifiers = {});
// Press and release at a client point of `h`.
void click(HWND h, POINT client, win::MouseButton button = win::MouseButton::left);

// Down and up of one key; `character` is the CP1250 byte it types (0 for none).
void press_key(int virtual_key, BYTE character = 0, win::KeyModifiers modifiers = {});
// Types CP1250 text: each byte as a key press with its character.
void type_text(std::string_view cp1250);

// Runs `input` as soon as some window holds the mouse capture, from inside whatever loop is then
// waiting for messages (the tracking loop a press started). Input made before the press is
// dispatched would be hit-tested without the capture, which real input never is.
void when_captured(std::function<void()> input);

}  // namespace lumo::test
