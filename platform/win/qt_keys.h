// Virtual-key codes of Qt key events.
#pragma once

class QKeyEvent;

namespace win {

// The virtual-key code of a key event; 0 for keys without one.
int virtual_key_of(const QKeyEvent* event);

}  // namespace win
