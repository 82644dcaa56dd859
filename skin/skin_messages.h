// The window messages by which a skin data component announces changes, and
// the list of receivers they go to: every form of the screen. The widget
// framework registers each form here (in the screen's form order) with a
// function that sends a message to the form's window synchronously; the skin
// data component knows nothing else of windows.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace vx {

class TComponent;

// Numbered from the platform's first user message (1024). Each is sent with
// the skin data component as WParam and 1000 as LParam; a receiver acts only
// when WParam is the skin data it uses.
constexpr uint32_t WM_BEFORECHANGESKINDATA = 1225;  // a skin load starts
constexpr uint32_t WM_CHANGESKINDATA = 1226;        // the skin has been loaded
constexpr uint32_t WM_AFTERCHANGESKINDATA = 1227;   // every receiver has re-applied
constexpr uint32_t WM_CHANGERESSTRDATA = 1274;      // ResourceStrData set
constexpr uint32_t WM_CHANGEFORMSKINNABLE = 1294;   // SkinnableForm changed
constexpr uint32_t WM_SHOWLAYEREDBORDERS = 1427;    // ShowLayeredBorders changed
constexpr uint32_t WM_AEROBLURCHANGED = 1428;       // AeroBlurEnabled changed

constexpr intptr_t kSkinMessageLParam = 1000;

// Class name of the layered border windows, which never receive skin messages.
constexpr const char* kFormLayerWindowClassName = "TvxFormLayerWindow";

struct TvxSkinMessageReceiver {
  // The form object; the skin data compares it with its own owner.
  const TComponent* Form = nullptr;
  // The form's window handle, as the window system numbers it.
  uintptr_t Handle = 0;
  std::string ClassName;
  // Sends one message to the form's window and returns when it is handled.
  std::function<void(uint32_t msg, uintptr_t wParam, intptr_t lParam)> Send;
};

// The process-wide list of forms, in the screen's form order. Used on the
// user-interface thread only. A receiver removed while a message is being
// broadcast is not sent that message any more.
class TvxSkinMessageReceivers {
 public:
  // Appends a receiver; the returned cookie removes it.
  static int Add(TvxSkinMessageReceiver receiver);
  static void Remove(int cookie);
  // Cookies of the current receivers, in order.
  static std::vector<int> Cookies();
  // The receiver of a cookie, or null when it has been removed.
  static std::shared_ptr<const TvxSkinMessageReceiver> Find(int cookie);
};

}  // namespace vx
