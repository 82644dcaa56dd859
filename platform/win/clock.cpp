#include "platform/win/clock.h"

#include <chrono>
#include <thread>

namespace vx {

namespace {
TClock* g_installed = nullptr;

TRealClock& RealClock() {
  static TRealClock clock;
  return clock;
}
}  // namespace

int64_t TRealClock::NowMicroseconds() {
  using namespace std::chrono;
  return duration_cast<microseconds>(steady_clock::now().time_since_epoch()).count();
}

void TRealClock::Idle(uint32_t ms) {
  std::this_thread::sleep_for(std::chrono::milliseconds(ms));
}

TClock& CurrentClock() { return g_installed ? *g_installed : RealClock(); }

TClock* SetClock(TClock* clock) {
  TClock* old = g_installed;
  g_installed = clock;
  return old;
}

TManualClock* ManualClock() { return dynamic_cast<TManualClock*>(g_installed); }

uint32_t GetTickCount() { return uint32_t(uint64_t(CurrentClock().NowMicroseconds() / 1000)); }

bool QueryPerformanceCounter(int64_t* count) {
  if (!count) return false;
  *count = CurrentClock().NowMicroseconds();
  return true;
}

bool QueryPerformanceFrequency(int64_t* frequency) {
  if (!frequency) return false;
  *frequency = 1000000;
  return true;
}

void IdleWait(uint32_t ms) { CurrentClock().Idle(ms); }

}  // namespace vx
