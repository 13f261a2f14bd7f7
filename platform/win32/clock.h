// Sleep through a clock that tests replace, so a test sees the pauses without waiting.
#pragma once

#include "platform/win32/types.h"

namespace win32 {

class Clock {
 public:
  virtual ~Clock() = default;
  virtual void sleep(DWORD milliseconds);
};

void Sleep(DWORD milliseconds);

// Installs `clock` for the lifetime of the scope.
class ScopedClock {
 public:
  explicit ScopedClock(Clock& clock);
  ~ScopedClock();
  ScopedClock(const ScopedClock&) = delete;
  ScopedClock& operator=(const ScopedClock&) = delete;

 private:
  Clock* previous_;
};

}  // namespace win32
