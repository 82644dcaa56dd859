#include "tools/skintool_preview.h"

#include <charconv>
#include <memory>
#include <ostream>

#include "form/velmora.h"
#include "platform/backend/headless/headless.h"
#include "platform/core/exceptions.h"
#include "platform/core/strings.h"
#include "platform/core/sysutils.h"
#include "platform/framework/forms.h"
#include "skin/vxSkinData.h"

namespace vx::skintool {

namespace {

// Sizes beyond this are refused: the screen would need gigabytes.
constexpr int kMaxPreviewSide = 8192;
// Room around a normal window so that its shape and border show.
constexpr int kMargin = 24;

bool ParseSize(const std::string& text, int& w, int& h) {
  const size_t x = text.find_first_of("xX");
  if (x == std::string::npos) return false;
  const char* begin = text.data();
  const char* end = begin + text.size();
  auto a = std::from_chars(begin, begin + x, w);
  auto b = std::from_chars(begin + x + 1, end, h);
  return a.ec == std::errc() && a.ptr == begin + x && b.ec == std::errc() && b.ptr == end && w > 0 && h > 0 &&
         w <= kMaxPreviewSide && h <= kMaxPreviewSide;
}

}  // namespace

bool ParsePreviewOptions(const std::vector<std::string>& args, PreviewOptions& options, std::string& error) {
  for (size_t i = 0; i < args.size(); ++i) {
    const std::string& a = args[i];
    if (a == "--inactive") {
      options.Inactive = true;
    } else if (a == "--maximized") {
      options.Maximized = true;
    } else if (a == "--size") {
      if (i + 1 >= args.size() || !ParseSize(args[i + 1], options.Width, options.Height)) {
        error = "--size wants WxH, each from 1 to " + std::to_string(kMaxPreviewSide);
        return false;
      }
      ++i;
    } else {
      error = "unknown preview option '" + a + "'";
      return false;
    }
  }
  return true;
}

int Preview(const std::string& skinPath, const std::string& pngPath, const PreviewOptions& options,
            std::ostream& out) {
  // A maximized window fills the work area, so the screen is exactly the
  // requested size without a task bar; a normal window gets a margin.
  const int screenW = options.Maximized ? options.Width : options.Width + 2 * kMargin;
  const int screenH = options.Maximized ? options.Height : options.Height + 2 * kMargin;
  THeadlessScreen screen(screenW, screenH, {}, 0);

  // The form owns the skin data and the component, so one delete frees all.
  std::unique_ptr<TForm> form(new TForm(Application));
  auto* skinData = new TvxSkinData(form.get());
  if (SameText(ExtractFileExt(skinPath), ".ini")) skinData->LoadFromFile(skinPath);
  else skinData->LoadFromCompressedFile(skinPath);
  if (skinData->Empty) throw EReadError("'" + skinPath + "' holds no skin");

  auto* velmora = new TvxVelmora(form.get());
  form->SetCaption(skinData->SkinName.empty() ? ExtractFileName(skinPath) : skinData->SkinName);
  form->SetBounds(kMargin, kMargin, options.Width, options.Height);
  velmora->SetSkinData(skinData);
  form->Show();
  if (options.Maximized) form->SetWindowState(wsMaximized);
  screen.Pump();

  // Another window takes the activation away, as a click elsewhere would.
  std::unique_ptr<TForm> other;
  if (options.Inactive) {
    other.reset(new TForm(Application));
    other->SetBounds(0, 0, 1, 1);
    other->Show();
    screen.Pump();
  }

  if (!screen.WriteWindowPng(form->Handle(), pngPath)) throw EWriteError("could not write '" + pngPath + "'");
  out << "previewed '" << skinPath << "' into '" << pngPath << "': " << form->Width() << "x" << form->Height()
      << (options.Maximized ? ", maximized" : "") << (velmora->IsFormActive() ? ", active" : ", inactive") << "\n";
  other.reset();
  form.reset();
  return 0;
}

}  // namespace vx::skintool
