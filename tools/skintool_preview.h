// skintool preview: a form with the form skinning component, shown on a
// headless screen in the given skin and written as a PNG of the window alone.
#pragma once

#include <iosfwd>
#include <string>
#include <vector>

namespace vx::skintool {

struct PreviewOptions {
  int Width = 480;
  int Height = 320;
  bool Inactive = false;
  bool Maximized = false;
};

// Parses the options after "<skin> <out.png>": --size WxH, --inactive,
// --maximized. Returns false with a message in error for anything else.
bool ParsePreviewOptions(const std::vector<std::string>& args, PreviewOptions& options, std::string& error);

// Returns 0 on success; throws the loaders' exceptions for a skin that cannot
// be loaded.
int Preview(const std::string& skinPath, const std::string& pngPath, const PreviewOptions& options,
            std::ostream& out);

}  // namespace vx::skintool
