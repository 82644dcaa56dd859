#include "recorder.h"

namespace vx::test {

TRecorder* TRecorder::current = nullptr;

namespace {

LRESULT RecordingProc(HWND h, UINT m, WPARAM wp, LPARAM lp) {
  TRecorder* r = TRecorder::current;
  if (r) {
    r->log.push_back({h, m, wp, lp});
    if (r->handler)
      if (auto res = r->handler(h, m, wp, lp)) return *res;
  }
  return DefWindowProc(h, m, wp, lp);
}

void EnsureClasses() {
  static bool done = false;
  if (done) return;
  done = true;
  WNDCLASS c;
  c.lpszClassName = "VxRecorder";
  c.lpfnWndProc = RecordingProc;
  c.hbrBackground = clNone;
  RegisterClass(c);
  c.lpszClassName = "VxRecorderDbl";
  c.style = CS_DBLCLKS;
  RegisterClass(c);
}

}  // namespace

TRecorder::TRecorder() {
  EnsureClasses();
  current = this;
}

TRecorder::~TRecorder() {
  if (current == this) current = nullptr;
}

HWND TRecorder::Create(const std::string& name, DWORD style, TRect r, HWND parent, DWORD exStyle, bool dblclks) {
  HWND h = CreateWindowEx(exStyle, dblclks ? "VxRecorderDbl" : "VxRecorder", name, style, r.Left, r.Top, r.Width(),
                          r.Height(), parent);
  names[h] = name;
  return h;
}

const std::string& TRecorder::Name(HWND h) const {
  static const std::string unknown = "?";
  auto it = names.find(h);
  return it == names.end() ? unknown : it->second;
}

std::vector<std::string> TRecorder::Trace(const std::set<UINT>& only) const {
  std::vector<std::string> out;
  for (auto& r : log)
    if (only.empty() || only.count(r.msg)) out.push_back(Name(r.hwnd) + ":" + MessageName(r.msg));
  return out;
}

int TRecorder::Count(HWND h, UINT msg) const {
  int n = 0;
  for (auto& r : log)
    if (r.hwnd == h && r.msg == msg) ++n;
  return n;
}

std::vector<TRecord> TRecorder::Of(HWND h, UINT msg) const {
  std::vector<TRecord> out;
  for (auto& r : log)
    if (r.hwnd == h && r.msg == msg) out.push_back(r);
  return out;
}

std::string MessageName(UINT m) {
  static const std::map<UINT, std::string> names = {
      {WM_CREATE, "CREATE"}, {WM_DESTROY, "DESTROY"}, {WM_MOVE, "MOVE"}, {WM_SIZE, "SIZE"},
      {WM_ACTIVATE, "ACTIVATE"}, {WM_SETFOCUS, "SETFOCUS"}, {WM_KILLFOCUS, "KILLFOCUS"},
      {WM_ENABLE, "ENABLE"}, {WM_SETTEXT, "SETTEXT"}, {WM_PAINT, "PAINT"}, {WM_CLOSE, "CLOSE"},
      {WM_ERASEBKGND, "ERASEBKGND"}, {WM_SHOWWINDOW, "SHOWWINDOW"}, {WM_SETCURSOR, "SETCURSOR"},
      {WM_MOUSEACTIVATE, "MOUSEACTIVATE"}, {WM_GETMINMAXINFO, "GETMINMAXINFO"},
      {WM_WINDOWPOSCHANGING, "WINDOWPOSCHANGING"}, {WM_WINDOWPOSCHANGED, "WINDOWPOSCHANGED"},
      {WM_NCCREATE, "NCCREATE"}, {WM_NCDESTROY, "NCDESTROY"}, {WM_NCCALCSIZE, "NCCALCSIZE"},
      {WM_NCHITTEST, "NCHITTEST"}, {WM_NCPAINT, "NCPAINT"}, {WM_NCACTIVATE, "NCACTIVATE"},
      {WM_NCMOUSEMOVE, "NCMOUSEMOVE"}, {WM_NCLBUTTONDOWN, "NCLBUTTONDOWN"}, {WM_NCLBUTTONUP, "NCLBUTTONUP"},
      {WM_NCLBUTTONDBLCLK, "NCLBUTTONDBLCLK"}, {WM_KEYDOWN, "KEYDOWN"}, {WM_KEYUP, "KEYUP"}, {WM_CHAR, "CHAR"},
      {WM_SYSKEYDOWN, "SYSKEYDOWN"}, {WM_SYSKEYUP, "SYSKEYUP"}, {WM_SYSCHAR, "SYSCHAR"},
      {WM_SYSCOMMAND, "SYSCOMMAND"}, {WM_TIMER, "TIMER"}, {WM_MOUSEMOVE, "MOUSEMOVE"},
      {WM_LBUTTONDOWN, "LBUTTONDOWN"}, {WM_LBUTTONUP, "LBUTTONUP"}, {WM_LBUTTONDBLCLK, "LBUTTONDBLCLK"},
      {WM_RBUTTONDOWN, "RBUTTONDOWN"}, {WM_RBUTTONUP, "RBUTTONUP"}, {WM_MOUSEWHEEL, "MOUSEWHEEL"},
      {WM_PARENTNOTIFY, "PARENTNOTIFY"}, {WM_SIZING, "SIZING"}, {WM_CAPTURECHANGED, "CAPTURECHANGED"},
      {WM_MOVING, "MOVING"}, {WM_ENTERSIZEMOVE, "ENTERSIZEMOVE"}, {WM_EXITSIZEMOVE, "EXITSIZEMOVE"},
      {WM_MOUSELEAVE, "MOUSELEAVE"}, {WM_NCMOUSELEAVE, "NCMOUSELEAVE"}, {WM_MOUSEENTER, "MOUSEENTER"},
      {WM_PRINT, "PRINT"}, {WM_PRINTCLIENT, "PRINTCLIENT"}, {WM_CONTEXTMENU, "CONTEXTMENU"},
      {WM_STYLECHANGING, "STYLECHANGING"}, {WM_STYLECHANGED, "STYLECHANGED"}, {WM_USER, "USER"},
      {WM_USER + 1, "USER+1"}, {WM_USER + 2, "USER+2"},
  };
  auto it = names.find(m);
  return it == names.end() ? std::to_string(m) : it->second;
}

}  // namespace vx::test
