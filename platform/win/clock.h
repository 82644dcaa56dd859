// The one clock of the window system. Timers, the tick count and the
// performance counter all read it, so a test that installs a manual clock
// controls every notion of time at once.
#pragma once

#include <cstdint>

namespace vx {

class TClock {
 public:
  virtual ~TClock() = default;
  // Microseconds since an arbitrary start; never decreases.
  virtual int64_t NowMicroseconds() = 0;
  // Lets `ms` milliseconds pass: the real clock sleeps, the manual clock
  // advances. Busy-wait loops call this (through IdleWait) on every turn.
  virtual void Idle(uint32_t ms) = 0;
};

// Steady wall time.
class TRealClock final : public TClock {
 public:
  int64_t NowMicroseconds() override;
  void Idle(uint32_t ms) override;
};

// Time that moves only when told to.
class TManualClock final : public TClock {
 public:
  explicit TManualClock(int64_t startMicroseconds = 0) : now_(startMicroseconds) {}
  int64_t NowMicroseconds() override { return now_; }
  void Idle(uint32_t ms) override { AdvanceMs(ms); }
  void AdvanceMs(int64_t ms) { Advance(ms * 1000); }
  void Advance(int64_t microseconds) {
    if (microseconds > 0) now_ += microseconds;
  }
  // Moves to `microseconds` when that is later than now.
  void AdvanceTo(int64_t microseconds) {
    if (microseconds > now_) now_ = microseconds;
  }

 private:
  int64_t now_;
};

// The clock in use: the installed one, or a process-wide real clock.
TClock& CurrentClock();
// Installs `clock` (not owned; nullptr returns to the real clock). Returns the
// previously installed clock (nullptr when it was the real one).
TClock* SetClock(TClock* clock);
// The installed manual clock, or nullptr when time is real.
TManualClock* ManualClock();

// Milliseconds of the current clock, wrapping at 2^32.
uint32_t GetTickCount();
// Microsecond resolution: the frequency is always 1 000 000.
bool QueryPerformanceCounter(int64_t* count);
bool QueryPerformanceFrequency(int64_t* frequency);
// The idle helper for busy-wait loops: sleeps `ms` on the real clock, advances
// the manual one by `ms`. Sleep is the same call.
void IdleWait(uint32_t ms = 1);
inline void Sleep(uint32_t ms) { IdleWait(ms); }

}  // namespace vx
