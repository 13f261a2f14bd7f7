// The process clock behind Sleep.
#include "platform/win32/clock.h"

#include <chrono>
#include <thread>

namespace win32 {
namespace {
Clock real_clock;
Clock* active_clock = &real_clock;
}  // namespace

void Clock::sleep(DWORD milliseconds) { std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds)); }

void Sleep(DWORD milliseconds) { active_clock->sleep(milliseconds); }

ScopedClock::ScopedClock(Clock& clock) : previous_(active_clock) { active_clock = &clock; }
ScopedClock::~ScopedClock() { active_clock = previous_; }

}  // namespace win32
