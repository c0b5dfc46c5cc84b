// Thrown when a window or another system resource the program needs cannot be made (a frame's
// dock bar, for one).
#pragma once

#include <stdexcept>

class CResourceException : public std::runtime_error {
 public:
  CResourceException() : std::runtime_error("a window or resource could not be made") {}
};
