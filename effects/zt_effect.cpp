#include "effects/zt_effect.h"

#include <algorithm>
#include <cctype>
#include <cstring>
#include <deque>
#include <mutex>

#include "effects/zt_bitmap.h"
#include "effects/zt_effect_mask.h"
#include "effects/zt_effect_procs.h"
#include "platform/gfx/pixel_core.h"

namespace vx {

const char* const kEffectGroupPrefix[3] = {"[ FADE ] - ", "[ SLIDE ] - ", "[ MANUAL ] - "};
const char* const kRandomEffectName = "[ RANDOM ] - Random selection";
const char* const kBitmapEffectName = "[ BITMAP ] - Bitmap Animation";

std::string TztProcItem::Name() const {
  const size_t i = DisplayName.find("- ");
  return i == std::string::npos ? DisplayName : DisplayName.substr(i + 2);
}

namespace {

bool SameText(const std::string& a, const std::string& b) {
  return a.size() == b.size() &&
         std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
           return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
         });
}

bool SameProc(const TztEffectProc& a, const TztEffectProc& b) { return a == b; }

bool IsNullProc(const TztEffectProc& p) {
  return std::visit([](auto f) { return f == nullptr; }, p);
}

class Registry {
 public:
  Registry() { RegisterBuiltins(); }

  void Add(const std::string& name, int group, TztEffectProc proc) {
    std::lock_guard<std::mutex> lock(mu_);
    if (group < 0 || group > 2 || size_t(group) != proc.index() || IsNullProc(proc))
      throw EProcItemError("Effect procedure " + name + " does not match group " + std::to_string(group));
    std::string display = std::string(kEffectGroupPrefix[group]) + name;
    for (const TztProcItem& item : items_)
      if (SameProc(item.Proc, proc) || SameText(item.DisplayName, display))
        throw EProcItemError("Effect procedute " + name + " already exists in list");
    items_.push_back(TztProcItem{group, proc, std::move(display)});
  }

  const TztProcItem* Find(const std::string& name) {
    std::lock_guard<std::mutex> lock(mu_);
    for (const TztProcItem& item : items_)
      if (SameText(item.DisplayName, name)) return &item;
    for (const TztProcItem& item : items_)
      if (SameText(item.Name(), name)) return &item;
    return nullptr;
  }

  std::vector<const TztProcItem*> All() {
    std::lock_guard<std::mutex> lock(mu_);
    std::vector<const TztProcItem*> out;
    for (const TztProcItem& item : items_) out.push_back(&item);
    return out;
  }

 private:
  void RegisterBuiltins();

  std::mutex mu_;
  std::deque<TztProcItem> items_;  // stable addresses for FindEffectProc's results
};

void Registry::RegisterBuiltins() {
  using namespace zt_procs;
  const struct { const char* name; TztMaskProc proc; } masks[] = {
      {"SmoothDiagonal", SmoothDiagonal}, {"SmoothDiagonalIn", SmoothDiagonalIn},
      {"SmoothDiagonalOut", SmoothDiagonalOut}, {"SmoothDown", SmoothDown}, {"SmoothIn", SmoothIn},
      {"SmoothOut", SmoothOut}, {"SmoothCrossOut", SmoothCrossOut}, {"SmoothCrossIn", SmoothCrossIn},
      {"SmoothRectIn", SmoothRectIn}, {"SmoothRectOut", SmoothRectOut}, {"SlideDiagonal", SlideDiagonal},
      {"SlideDiagonalIn", SlideDiagonalIn}, {"SlideDiagonalOut", SlideDiagonalOut}, {"SlideDown", SlideDown},
      {"SlideIn", SlideIn}, {"SlideOut", SlideOut}, {"SlideCrossOut", SlideCrossOut},
      {"SlideCrossIn", SlideCrossIn}, {"SlideRectOut", SlideRectOut}, {"SlideRectIn", SlideRectIn},
      {"Fade", Fade}, {"FadeDiagonal", FadeDiagonal}, {"FadeDiagonalIn", FadeDiagonalIn},
      {"FadeDiagonalOut", FadeDiagonalOut}, {"FadeDown", FadeDown}, {"FadeIn", FadeIn}, {"FadeOut", FadeOut},
      {"FadeCrossOut", FadeCrossOut}, {"FadeCrossIn", FadeCrossIn}, {"FadeRectOut", FadeRectOut},
      {"FadeRectIn", FadeRectIn}, {"Pixel", Pixel}, {"Pixel fade", PixelFade}, {"Pixel line", PixelLine},
      {"CircleSlideOut", CircleSlideOut}, {"CircleFadeOut", CircleFadeOut},
      {"CircleSmoothOut", CircleSmoothOut}, {"CircleSlideIn", CircleSlideIn}, {"CircleFadeIn", CircleFadeIn},
      {"CircleSmoothIn", CircleSmoothIn}, {"CircleSlide", CircleSlide}, {"CircleFade", CircleFade},
      {"CircleSmooth", CircleSmooth}, {"DiamondSlideIn", DiamondSlideIn}, {"DiamondFadeIn", DiamondFadeIn},
      {"DiamondSmoothIn", DiamondSmoothIn}, {"DiamondSlideOut", DiamondSlideOut},
      {"DiamondFadeOut", DiamondFadeOut}, {"DiamondSmoothOut", DiamondSmoothOut},
      {"RotateSlide", RotateSlide}, {"RotateFade", RotateFade}, {"RotateSmooth", RotateSmooth},
      {"Stream", Stream}, {"Plasma", Plasma}};
  for (const auto& m : masks) items_.push_back(TztProcItem{0, m.proc, std::string(kEffectGroupPrefix[0]) + m.name});
  items_.push_back(TztProcItem{1, TztMoveProc(Interlace), std::string(kEffectGroupPrefix[1]) + "Interlace"});
  items_.push_back(TztProcItem{1, TztMoveProc(Corner), std::string(kEffectGroupPrefix[1]) + "Corner"});
  items_.push_back(TztProcItem{2, TztFrameProc(zt_procs::Slide), std::string(kEffectGroupPrefix[2]) + "Slide"});
  items_.push_back(TztProcItem{2, TztFrameProc(Push), std::string(kEffectGroupPrefix[2]) + "Push"});
  items_.push_back(TztProcItem{2, TztFrameProc(Blur), std::string(kEffectGroupPrefix[2]) + "Blur"});
}

Registry& TheRegistry() {
  static Registry registry;
  return registry;
}

}  // namespace

void RegisterEffectProc(const std::string& Name, int Group, TztEffectProc Proc) {
  TheRegistry().Add(Name, Group, Proc);
}

const TztProcItem* FindEffectProc(const std::string& Name) { return TheRegistry().Find(Name); }

std::vector<const TztProcItem*> EffectProcs() { return TheRegistry().All(); }

std::vector<std::string> EffectNames() {
  std::vector<std::string> names = {kRandomEffectName, kBitmapEffectName};
  for (const TztProcItem* item : EffectProcs()) names.push_back(item->DisplayName);
  return names;
}

int FrameProgress(float ClockMs, int TimeMs) {
  if (TimeMs <= 0) return 100;
  const int p = zt::Nearest(double(ClockMs) / TimeMs * 100.0);
  return p > 99 ? 100 : std::max(p, 0);
}

std::vector<int> FrameProgressSequence(int TimeMs) {
  TimeMs = std::clamp(TimeMs, 50, 9000);
  std::vector<int> out;
  float clock = 0.01f;
  for (;;) {
    clock += 20;
    out.push_back(FrameProgress(clock, TimeMs));
    if (out.back() >= 100) return out;
  }
}

// ---------------------------------------------------------------------------
// Frame composition.

namespace {

TztEffectSettings Clamped(TztEffectSettings s) {
  s.Resolution = std::clamp(s.Resolution, 1, 10);
  s.TileCount = std::clamp(s.TileCount, 1, 20);
  if (s.Rotation < krNone || s.Rotation > krRotate270) s.Rotation = krNone;
  return s;
}

bool Transposed(TztRotation r) { return r == krRotate90 || r == krRotate270; }

// Position in the composed mask (cols x rows) of cell (u, v) of the mask that
// the procedure filled for a rotation.
inline void Rotate(TztRotation r, int64_t cols, int64_t rows, int64_t u, int64_t v, int64_t& x, int64_t& y) {
  switch (r) {
    case krRotate90: x = v; y = rows - 1 - u; break;
    case krRotate180: x = cols - 1 - u; y = rows - 1 - v; break;
    case krRotate270: x = cols - 1 - v; y = u; break;
    default: x = u; y = v; break;
  }
}

void RotateMask(TztRotation r, const std::vector<uint8_t>& second, std::vector<uint8_t>& mask, int cols, int rows) {
  const int sw = Transposed(r) ? rows : cols, sh = Transposed(r) ? cols : rows;
  for (int v = 0; v < sh; ++v)
    for (int u = 0; u < sw; ++u) {
      int64_t x, y;
      Rotate(r, cols, rows, u, v, x, y);
      mask[size_t(x) + size_t(y) * size_t(cols)] = second[size_t(u) + size_t(v) * size_t(sw)];
    }
}

// Index of the mask cell each pixel of one axis takes: tiles of R * cells
// pixels start every R * cells pixels; within a tile the cell is the 16.16
// position start + k * step with step = cells * 65536 div (R * cells).
std::vector<int> CellMap(int pixels, int cells, int R, int T) {
  std::vector<int> map(size_t(std::max(pixels, 0)), 0);
  const int64_t tile = int64_t(R) * cells;
  const int64_t step = int64_t(cells) * 65536 / tile;
  for (int t = 0; t < T; ++t) {
    const int64_t left = t * tile;
    const int64_t from = std::max<int64_t>(left, 0), to = std::min<int64_t>(left + tile, pixels);
    if (to <= from) continue;
    const int64_t start = zt::MulDiv(int(cells * (from - left)), 65535, int(tile));
    for (int64_t p = from; p < to; ++p)
      map[size_t(p)] = int(std::min<int64_t>((start + (p - from) * step) >> 16, cells - 1));
  }
  return map;
}

}  // namespace

TztFrameComposer::TztFrameComposer(const TztProcItem& Item, const TztEffectSettings& Settings, int Width, int Height)
    : item_(&Item), settings_(Clamped(Settings)), width_(std::max(Width, 0)), height_(std::max(Height, 0)) {
  const int R = settings_.Resolution, T = settings_.TileCount;
  cols_ = width_ / R / T + 1;
  rows_ = height_ / R / T + 1;
  const size_t cells = size_t(cols_) * size_t(rows_);
  if (item_->Group == 0) {
    mask_.assign(cells, 0);
    if (settings_.Rotation != krNone) second_.assign(cells, 0);
  } else if (item_->Group == 1) {
    table_.assign(cells, TztMoveCell{0, 0, 0});
    if (settings_.Rotation != krNone) secondTable_.assign(cells, TztMoveCell{0, 0, 0});
  }
}

TztFrameComposer::TztFrameComposer(const TztBitmap& Threshold, const TztEffectSettings& Settings, int Width,
                                   int Height)
    : settings_(Clamped(Settings)), width_(std::max(Width, 0)), height_(std::max(Height, 0)) {
  const int R = settings_.Resolution, T = settings_.TileCount;
  cols_ = width_ / R / T + 1;
  rows_ = height_ / R / T + 1;
  const size_t cells = size_t(cols_) * size_t(rows_);
  mask_.assign(cells, 0);
  second_.assign(cells, 0);
  threshold_.assign(cells, 0);
  const int tw = Transposed(settings_.Rotation) ? rows_ : cols_, th = Transposed(settings_.Rotation) ? cols_ : rows_;
  if (!Threshold.IsEmpty()) {
    TztBitmap small(tw, th);
    Threshold.StretchDrawTo(small, TRect(0, 0, tw, th), TRect(0, 0, Threshold.Width(), Threshold.Height()));
    for (size_t i = 0; i < cells; ++i) threshold_[i] = uint8_t(small.Pixels()[i] & 0xFF);
  }
}

TztFrameComposer::~TztFrameComposer() = default;

void TztFrameComposer::FillMask(int p) {
  const TztRotation r = settings_.Rotation;
  std::vector<uint8_t>& target = r == krNone ? mask_ : second_;
  const int w = Transposed(r) ? rows_ : cols_, h = Transposed(r) ? cols_ : rows_;
  if (item_ == nullptr) {  // bitmap animation
    const int add = zt::MulDiv(510, p, 100) - 255;
    for (size_t i = 0; i < target.size(); ++i) target[i] = uint8_t(std::clamp(threshold_[i] + add, 0, 255));
  } else {
    std::fill(target.begin(), target.end(), 0);
    std::get<TztMaskProc>(item_->Proc)(target.data(), w, h, p);
  }
  if (r != krNone) RotateMask(r, second_, mask_, cols_, rows_);
}

void TztFrameComposer::FillTable(int p) {
  const TztRotation r = settings_.Rotation;
  std::vector<TztMoveCell>& target = r == krNone ? table_ : secondTable_;
  std::memset(static_cast<void*>(target.data()), 0, target.size() * sizeof(TztMoveCell));
  const int w = Transposed(r) ? rows_ : cols_, h = Transposed(r) ? cols_ : rows_;
  std::get<TztMoveProc>(item_->Proc)(target.data(), w, h, p);
  if (r == krNone) {
    DropUnreachableCells();
    return;
  }
  std::memset(static_cast<void*>(table_.data()), 0, table_.size() * sizeof(TztMoveCell));
  for (int v = 0; v < h; ++v)
    for (int u = 0; u < w; ++u) {
      const TztMoveCell c = secondTable_[size_t(u) + size_t(v) * size_t(w)];
      if ((c.Opacity & 0xFF) == 0) continue;
      int64_t x, y, sx, sy;
      Rotate(r, cols_, rows_, u, v, x, y);
      Rotate(r, cols_, rows_, c.SrcX, c.SrcY, sx, sy);
      if (sx < -32768 || sx > 32767 || sy < -32768 || sy > 32767) continue;  // far outside: shows nothing
      table_[size_t(x) + size_t(y) * size_t(cols_)] = TztMoveCell{c.Opacity, int16_t(sx), int16_t(sy)};
    }
  DropUnreachableCells();
}

// A cell whose source lies two or more cells before the table, or at or past its
// end, has no source pixel in its tile (a block starting R cells before reaches
// pixel 0 at most; R * cols is at least the tile width), so it is emptied and
// the pixels skip it at the first look.
// Also notes, per cell row, the first cell and the end of the last cell that
// are not empty (cols_ and 0 for an empty row).
void TztFrameComposer::DropUnreachableCells() {
  rowFirst_.assign(size_t(rows_), cols_);
  rowEnd_.assign(size_t(rows_), 0);
  // -1 <= v < n as one unsigned comparison of v + 1 with n + 1.
  const uint64_t xLimit = uint64_t(cols_) + 1, yLimit = uint64_t(rows_) + 1;
  for (int y = 0; y < rows_; ++y) {
    TztMoveCell* row = table_.data() + size_t(y) * size_t(cols_);
    int first = cols_, end = 0;
    for (int x = 0; x < cols_; ++x) {
      TztMoveCell& c = row[x];
      const bool reachable = uint64_t(int64_t(c.SrcX) + 1) < xLimit && uint64_t(int64_t(c.SrcY) + 1) < yLimit;
      if (!reachable) c.Opacity = 0;  // written only then: the table stays clean in the cache
      const bool shows = (c.Opacity & 0xFF) != 0;
      first = shows && first == cols_ ? x : first;
      end = shows ? x + 1 : end;
    }
    rowFirst_[size_t(y)] = first;
    rowEnd_[size_t(y)] = end;
  }
}

// Writes the mask, scaled per tile, into the after image's alpha channel (key
// pixels get 0) and, given a frame, writes every frame pixel: Before blended
// with the after image where both images have the pixel, Before elsewhere. One
// pass per row; with Resolution or TileCount above 1 the row's mask cells are
// gathered once per mask row.
void TztFrameComposer::MaskToAlpha(TztBitmap& After, TztBitmap* Frame, const TztBitmap& Before) const {
  const int R = settings_.Resolution, T = settings_.TileCount;
  const int W = After.Width(), H = After.Height();
  const int fw = Frame ? Frame->Width() : 0, fh = Frame ? Frame->Height() : 0;
  const int bw = std::min(W, fw), bh = std::min(H, fh);
  // Pixel x takes cell x; an after image larger than the mask goes through the
  // bounded cell maps (pixels past the last tile take cell 0).
  const bool identity = R == 1 && T == 1 && W <= cols_ && H <= rows_;
  std::vector<int> xs, ys;
  std::vector<uint8_t> gathered;
  if (!identity) {
    xs = CellMap(W, cols_, R, T);
    ys = CellMap(H, rows_, R, T);
    gathered.resize(size_t(W));
  }
  int gatheredRow = -1;
  for (int y = 0; y < H; ++y) {
    const int cy = identity ? y : ys[size_t(y)];
    const uint8_t* m = mask_.data() + size_t(cy) * size_t(cols_);
    if (!identity) {
      if (cy != gatheredRow) {
        for (int x = 0; x < W; ++x) gathered[size_t(x)] = m[xs[size_t(x)]];
        gatheredRow = cy;
      }
      m = gathered.data();
    }
    uint32_t* a = After.PixelPtr(0, y);
    int x = 0;
    if (y < bh) {
      pixel::MaskBlendRow(a, m, Before.PixelPtr(0, y), Frame->PixelPtr(0, y), size_t(bw));
      x = bw;
      if (fw > bw) std::memcpy(Frame->PixelPtr(bw, y), Before.PixelPtr(bw, y), size_t(fw - bw) * 4);
    }
    for (; x < W; ++x) a[x] = (a[x] & 0x00FFFFFFu) | ((pixel::IsKey(a[x]) ? 0u : uint32_t(m[x])) << 24);
  }
  for (int y = bh; y < fh; ++y) std::memcpy(Frame->PixelPtr(0, y), Before.PixelPtr(0, y), size_t(fw) * 4);
}

// Cell by cell in order: every block is drawn, later blocks over earlier ones.
// Used when some cell is translucent (each write then blends over the last).
void TztFrameComposer::ApplyTableInOrder(TztBitmap& Frame, const TztBitmap& After) const {
  const int64_t R = settings_.Resolution, T = settings_.TileCount;
  const int64_t fw = Frame.Width(), fh = Frame.Height(), aw = After.Width(), ah = After.Height();
  const int64_t tw = fw / T + 1, th = fh / T + 1;
  for (int64_t ti = 0; ti < T; ++ti)
    for (int64_t tj = 0; tj < T; ++tj) {
      const int64_t ox = ti * tw, oy = tj * th;
      for (int64_t y = 0; y < rows_; ++y)
        for (int64_t x = 0; x < cols_; ++x) {
          const TztMoveCell c = table_[size_t(x + y * cols_)];
          const uint32_t o = c.Opacity & 0xFF;
          if (o == 0) continue;
          // Offsets (dx, dy) in 0..R of the block for which the destination lies in
          // the frame and the source in the after image and in this tile.
          const int64_t bx = R * x, by = R * y, sx = R * c.SrcX, sy = R * c.SrcY;
          const int64_t dx0 = std::max({int64_t(0), -(ox + bx), -sx, -(ox + sx)});
          const int64_t dx1 = std::min({R, fw - 1 - (ox + bx), tw - 1 - sx, aw - 1 - (ox + sx)});
          const int64_t dy0 = std::max({int64_t(0), -(oy + by), -sy, -(oy + sy)});
          const int64_t dy1 = std::min({R, fh - 1 - (oy + by), th - 1 - sy, ah - 1 - (oy + sy)});
          for (int64_t dy = dy0; dy <= dy1; ++dy) {
            uint32_t* d = Frame.PixelPtr(int(ox + bx), int(oy + by + dy));
            const uint32_t* s = After.PixelPtr(int(ox + sx), int(oy + sy + dy));
            for (int64_t dx = dx0; dx <= dx1; ++dx) {
              const uint32_t sp = s[dx];
              if ((sp >> 24) == 0) continue;
              d[dx] = o == 255 ? sp : pixel::Blend((sp & 0x00FFFFFFu) | (o << 24), d[dx]);
            }
          }
        }
    }
}

// Blocks of neighbouring cells share their edge pixels, and a later cell wins
// an edge where it has a source pixel. When every cell is either empty or
// opaque, each pixel is therefore the source pixel of the last of the (at most
// four) cells covering it that has one, so each pixel is looked up once instead
// of every block being drawn over its neighbours. Tiles keep their order, so a
// block that reaches into the next tile is drawn over as before.
void TztFrameComposer::ApplyTable(TztBitmap& Frame, const TztBitmap& After) const {
  for (const TztMoveCell& c : table_) {
    const uint32_t o = c.Opacity & 0xFF;
    if (o != 0 && o != 255) { ApplyTableInOrder(Frame, After); return; }
  }
  const int64_t R = settings_.Resolution, T = settings_.TileCount;
  const int64_t fw = Frame.Width(), fh = Frame.Height(), aw = After.Width(), ah = After.Height();
  const int64_t tw = fw / T + 1, th = fh / T + 1, cols = cols_, rows = rows_;
  // Covering cells of a tile-relative column: later (X div R) and earlier
  // (X div R - 1 when X is a block edge); -1 or cols for none.
  const int64_t spanX = R * cols + 1, spanY = R * rows + 1;
  std::vector<int64_t> late(static_cast<size_t>(spanX)), early(static_cast<size_t>(spanX));
  for (int64_t X = 0; X < spanX; ++X) {
    late[size_t(X)] = X / R;
    early[size_t(X)] = X % R == 0 ? X / R - 1 : -1;
  }
  for (int64_t ti = 0; ti < T; ++ti)
    for (int64_t tj = 0; tj < T; ++tj) {
      const int64_t ox = ti * tw, oy = tj * th;
      const int64_t xEnd = std::min(spanX, fw - ox), yEnd = std::min(spanY, fh - oy);
      for (int64_t Y = 0; Y < yEnd; ++Y) {
        const int64_t cyLate = Y / R, cyEarly = Y % R == 0 ? Y / R - 1 : -1;
        uint32_t* d = Frame.PixelPtr(int(ox), int(oy + Y));
        // Every covering cell in order: the first with a source pixel wins.
        auto resolve = [&](int64_t X) {
          const int64_t cand[4][2] = {{late[size_t(X)], cyLate}, {early[size_t(X)], cyLate},
                                      {late[size_t(X)], cyEarly}, {early[size_t(X)], cyEarly}};
          for (const auto& cc : cand) {
            const int64_t cx = cc[0], cy = cc[1];
            if (cx < 0 || cx >= cols || cy < 0 || cy >= rows) continue;
            const TztMoveCell c = table_[size_t(cx + cy * cols)];
            if ((c.Opacity & 0xFF) == 0) continue;
            const int64_t sx = R * c.SrcX + (X - R * cx), sy = R * c.SrcY + (Y - R * cy);
            if (sx < 0 || sx >= tw || sy < 0 || sy >= th || ox + sx >= aw || oy + sy >= ah) continue;
            const uint32_t sp = *After.PixelPtr(int(ox + sx), int(oy + sy));
            if ((sp >> 24) == 0) continue;
            d[X] = sp;
            break;
          }
        };
        if (cyLate >= rows) {
          for (int64_t X = 0; X < xEnd; ++X) resolve(X);
          continue;
        }
        // Pixels from X on whose earlier candidates all fail and whose next one
        // is their later cell in cell row cy (cells Row), that cell opaque: a
        // run of opaque cells whose sources follow each other in one source row
        // reads one contiguous stretch of an after-image row, so the pixels of
        // the run take that candidate straight from it; a pixel it does not
        // serve (source outside, or alpha 0) looks at all its candidates.
        auto opaqueRun = [&](const TztMoveCell* Row, int64_t cy, int64_t& X, int64_t end) {
          const int64_t cx = late[size_t(X)];
          const TztMoveCell c = Row[cx];
          int64_t cx2 = cx + 1;
          while (cx2 < cols && (Row[cx2].Opacity & 0xFF) != 0 && Row[cx2].SrcY == c.SrcY &&
                 int64_t(Row[cx2].SrcX) == int64_t(c.SrcX) + (cx2 - cx))
            ++cx2;
          const int64_t runEnd = std::min(end, R * cx2);
          const int64_t sy = R * c.SrcY + (Y - R * cy);
          if (sy < 0 || sy >= th || oy + sy >= ah) {
            for (; X < runEnd; ++X) resolve(X);
            return;
          }
          const int64_t base = R * c.SrcX - R * cx;  // source column of pixel X: base + X
          const int64_t lo = std::clamp<int64_t>(-base, X, runEnd);
          const int64_t hi = std::clamp<int64_t>(std::min(tw, aw - ox) - base, lo, runEnd);
          for (; X < lo; ++X) resolve(X);
          const uint32_t* s = After.PixelPtr(0, int(oy + sy));
          while (X < hi) {
            // Pixels with a source pixel of alpha > 0 are copied a stretch at a time.
            const int64_t n = int64_t(pixel::VisiblePrefix(s + (ox + base + X), size_t(hi - X)));
            std::memmove(d + X, s + (ox + base + X), size_t(n) * 4);
            X += n;
            if (X < hi) resolve(X++);
          }
          for (; X < runEnd; ++X) resolve(X);
        };
        const TztMoveCell* trow = table_.data() + size_t(cyLate * cols);
        const TztMoveCell* erow = cyEarly < 0 ? nullptr : table_.data() + size_t(cyEarly * cols);
        // Cells before the first or from the end of a row's non-empty cells are empty.
        const int64_t tEnd = rowEnd_[size_t(cyLate)];
        const int64_t eFirst = erow ? rowFirst_[size_t(cyEarly)] : cols, eEnd = erow ? rowEnd_[size_t(cyEarly)] : 0;
        int64_t X = 0;
        while (X < xEnd) {
          const int64_t cx = late[size_t(X)];
          if (cx >= cols) {
            resolve(X++);
            continue;
          }
          if ((trow[cx].Opacity & 0xFF) != 0) {
            opaqueRun(trow, cyLate, X, xEnd);
            continue;
          }
          // A run of empty cells: past its first pixel (whose earlier cell may
          // lie before the run) a pixel can only take a cell of the earlier row,
          // its later cell there first.
          int64_t cx2 = cx + 1;
          if (cx2 >= tEnd) cx2 = cols;
          while (cx2 < cols && (trow[cx2].Opacity & 0xFF) == 0) ++cx2;
          const int64_t runEnd = std::min(xEnd, R * cx2);
          resolve(X++);
          if (erow == nullptr) {
            X = runEnd;
            continue;
          }
          // Cell by cell: within an empty cell of the earlier row only its first
          // pixel, the edge shared with the cell before, can take a cell.
          while (X < runEnd) {
            const int64_t k = late[size_t(X)];
            if (k > eEnd) {
              X = runEnd;
              break;
            }
            if (k < eFirst) {
              X = std::min(runEnd, R * eFirst);
              continue;
            }
            if ((erow[k].Opacity & 0xFF) != 0) {
              opaqueRun(erow, cyEarly, X, runEnd);
              continue;
            }
            if (early[size_t(X)] >= 0 && (erow[k - 1].Opacity & 0xFF) != 0) resolve(X);
            X = std::min(runEnd, R * (k + 1));
          }
        }
      }
    }
}

void TztFrameComposer::Compose(TztBitmap& Frame, const TztBitmap& Before, TztBitmap& After, int p) {
  p = std::clamp(p, 0, 100);
  if (Before.IsEmpty()) return;
  if (Frame.Width() != Before.Width() || Frame.Height() != Before.Height()) Frame.SetSize(Before.Width(), Before.Height());
  const int group = item_ ? item_->Group : 0;
  if (group == 0 && !After.IsEmpty() && &Frame != &After) {
    // The masked blend writes every frame pixel, so the frame is not copied first.
    FillMask(p);
    MaskToAlpha(After, &Frame, Before);
    After.SetAlphaBlend(true);
    return;
  }
  // Blur replaces the whole frame for p > 0, so the before image is not copied first.
  const bool replaced = group == 2 && p > 0 && !After.IsEmpty() &&
                        std::get<TztFrameProc>(item_->Proc) == TztFrameProc(zt_procs::Blur);
  if (!replaced) std::memcpy(Frame.Pixels(), Before.Pixels(), Before.PixelCount() * 4);
  if (After.IsEmpty()) return;
  if (group == 0) {
    // The frame is the after image itself: blending it over its own copy of the
    // before image leaves that copy, with the mask as its alpha.
    FillMask(p);
    MaskToAlpha(After, nullptr, Before);
    After.SetAlphaBlend(true);
  } else if (group == 1) {
    FillTable(p);
    ApplyTable(Frame, After);
  } else {
    After.ClearKeyAlpha();
    std::get<TztFrameProc>(item_->Proc)(Frame, After, settings_, p);
  }
}

}  // namespace vx
