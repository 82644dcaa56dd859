// The registry of named transition effect procedures and the composition of one
// frame of a transition from a before and an after image.
//
// Three kinds of procedure exist, all taking the progress p (0..100):
//  - mask procedures (group 0) write opacities into a W x H byte mask: 0 shows
//    the before image, 255 the after image, values between blend;
//  - displacement procedures (group 1) fill a W x H table of cells that say
//    which after-image cell each cell shows, and how opaque;
//  - frame procedures (group 2) draw straight into the frame.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <variant>
#include <vector>

#include "platform/core/exceptions.h"

namespace vx {

class TztBitmap;

enum TztRotation : int { krNone = 0, krRotate90 = 1, krRotate180 = 2, krRotate270 = 3 };

// The settings of an animation that frame composition reads.
struct TztEffectSettings {
  int Resolution = 1;  // 1..10: mask cells are Resolution x Resolution pixels
  int TileCount = 1;   // 1..20: the frame is split into TileCount x TileCount tiles
  TztRotation Rotation = krNone;
};

// One cell of a displacement table: the low byte of Opacity is the cell's
// opacity; SrcX, SrcY the after-image cell it shows.
struct TztMoveCell {
  uint16_t Opacity;
  int16_t SrcX;
  int16_t SrcY;
};
static_assert(sizeof(TztMoveCell) == 6);

using TztMaskProc = void (*)(uint8_t* Mask, int W, int H, int p);
using TztMoveProc = void (*)(TztMoveCell* Table, int W, int H, int p);
using TztFrameProc = void (*)(TztBitmap& Frame, TztBitmap& After, const TztEffectSettings& Animation, int p);
using TztEffectProc = std::variant<TztMaskProc, TztMoveProc, TztFrameProc>;

class EProcItemError : public Exception {
 public:
  using Exception::Exception;
};

struct TztProcItem {
  int Group = 0;  // 0 mask, 1 displacement, 2 frame
  TztEffectProc Proc;
  std::string DisplayName;  // group prefix + name
  std::string Name() const;  // the display name without its group prefix
};

// The group prefixes and the two names that are not registry entries.
extern const char* const kEffectGroupPrefix[3];
extern const char* const kRandomEffectName;  // "[ RANDOM ] - Random selection"
extern const char* const kBitmapEffectName;  // "[ BITMAP ] - Bitmap Animation"

// Appends a procedure under group prefix + Name. Raises EProcItemError with
// "Effect procedute <Name> already exists in list" when Proc, or a procedure of
// the same display name, is registered already; and when Group does not match
// the kind of Proc, or Proc is null.
void RegisterEffectProc(const std::string& Name, int Group, TztEffectProc Proc);
// First an item whose display name equals Name ignoring case, then one whose
// name without prefix does; nullptr when none. The 59 built-in procedures are
// registered before the first lookup.
const TztProcItem* FindEffectProc(const std::string& Name);
// The random and bitmap names, then every display name in registration order.
std::vector<std::string> EffectNames();
// Every registered item in registration order.
std::vector<const TztProcItem*> EffectProcs();

// Progress shown for an animation clock (ms) and duration: Nearest(clock / time
// x 100), 100 from 100 on. Frames advance the clock by 20 ms from 0.01.
int FrameProgress(float ClockMs, int TimeMs);
// The progress values of every frame of an animation of TimeMs (50..9000).
std::vector<int> FrameProgressSequence(int TimeMs);

// Composes the frames of one transition: owns the mask or table buffers sized
// for the images and settings, and builds the frame for any p.
class TztFrameComposer {
 public:
  // For a registry item; Width x Height is the size of the images.
  TztFrameComposer(const TztProcItem& Item, const TztEffectSettings& Settings, int Width, int Height);
  // For the bitmap animation: the blue channel of Threshold, stretched to the
  // mask, is the threshold map.
  TztFrameComposer(const TztBitmap& Threshold, const TztEffectSettings& Settings, int Width, int Height);
  ~TztFrameComposer();
  TztFrameComposer(const TztFrameComposer&) = delete;
  TztFrameComposer& operator=(const TztFrameComposer&) = delete;

  int Cols() const { return cols_; }
  int Rows() const { return rows_; }
  // The mask of the last composed group 0 or bitmap frame (Cols x Rows), and the
  // table of the last displacement frame (cells that cannot show anything emptied).
  const std::vector<uint8_t>& Mask() const { return mask_; }
  const std::vector<TztMoveCell>& Table() const { return table_; }

  // Frame := Before, then the effect for p drawn over it. After's alpha channel
  // and AlphaBlend flag are changed (mask procedures write their opacities
  // there; key-colour pixels get alpha 0). Before, After and Frame must have the
  // size given at construction (Frame is sized when it is not).
  void Compose(TztBitmap& Frame, const TztBitmap& Before, TztBitmap& After, int p);

 private:
  void FillMask(int p);
  void FillTable(int p);
  void DropUnreachableCells();
  void MaskToAlpha(TztBitmap& After, TztBitmap* Frame, const TztBitmap& Before) const;
  void ApplyTable(TztBitmap& Frame, const TztBitmap& After) const;
  void ApplyTableInOrder(TztBitmap& Frame, const TztBitmap& After) const;

  const TztProcItem* item_ = nullptr;
  TztEffectSettings settings_;
  int width_ = 0, height_ = 0;
  int cols_ = 0, rows_ = 0;
  std::vector<uint8_t> mask_, second_, threshold_;
  std::vector<TztMoveCell> table_, secondTable_;
  std::vector<int> rowFirst_, rowEnd_;  // per table row: first non-empty cell, end of the last
};

}  // namespace vx
