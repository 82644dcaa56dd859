// A recording window class for protocol tests: every message of every window
// of the class is logged, and a test may answer chosen messages itself.
#pragma once

#include <functional>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "platform/backend/headless/headless.h"
#include "platform/win/window.h"

namespace vx::test {

struct TRecord {
  HWND hwnd;
  UINT msg;
  WPARAM wp;
  LPARAM lp;
};

class TRecorder {
 public:
  TRecorder();
  ~TRecorder();

  // Creates a window of the recording class (CS_DBLCLKS when dblclks).
  HWND Create(const std::string& name, DWORD style, TRect r, HWND parent = nullptr, DWORD exStyle = 0,
              bool dblclks = false);
  const std::string& Name(HWND h) const;

  // Answer a message for every window (return nullopt to fall through to the default).
  std::function<std::optional<LRESULT>(HWND, UINT, WPARAM, LPARAM)> handler;

  std::vector<TRecord> log;
  void Clear() { log.clear(); }
  // "name:MESSAGE" for the logged messages in `only` (all when empty).
  std::vector<std::string> Trace(const std::set<UINT>& only = {}) const;
  // How many times msg reached h.
  int Count(HWND h, UINT msg) const;
  std::vector<TRecord> Of(HWND h, UINT msg) const;

  static TRecorder* current;
  std::map<HWND, std::string> names;
};

std::string MessageName(UINT msg);

}  // namespace vx::test
