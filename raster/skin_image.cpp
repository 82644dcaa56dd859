#include "raster/skin_image.h"

#include <algorithm>
#include <cstring>

#include "raster/compose.h"

namespace vx {

namespace {

// Dest becomes w x h with every pixel 0; a non-positive size empties it.
void Reset(TvxBitmap& b, int w, int h) {
  if (w <= 0 || h <= 0) {
    b.Clear();
    return;
  }
  b.SetSize(w, h);
  std::memset(b.Bits(), 0, size_t(w) * size_t(h) * sizeof(uint32_t));
}

// 1:1 copy of the destination rectangle's size from (sx, sy) of the source.
void Copy(TvxBitmap& dst, const TRect& d, const TvxPixelView& src, int sx, int sy) {
  if (d.IsEmpty()) return;
  CopyClipped(TargetOf(dst), d.Left, d.Top, src, Bounds(sx, sy, d.Width(), d.Height()));
}

// Nearest-neighbour stretch of s onto d. A source piece reaching outside the
// picture is taken as the picture's pixels with zeros around them.
void Stretch(TvxBitmap& dst, const TRect& d, const TvxPixelView& src, const TRect& s) {
  if (d.IsEmpty() || s.IsEmpty()) return;
  if (TRect{0, 0, src.Width, src.Height}.Contains(s)) {
    ComposeRect(TargetOf(dst), d, src, s, TvxComposeMode::Copy);
    return;
  }
  TvxBitmap tmp(s.Width(), s.Height());
  CopyClipped(TargetOf(tmp), 0, 0, src, s);
  ComposeRect(TargetOf(dst), d, tmp.View(), tmp.BoundsRect(), TvxComposeMode::Copy);
}

// Tiles across x0..x1 (rows d.Top..d.Bottom) with copies of `step` columns
// taken from (sx, sy); the first tile starts at `start` and the last one is cut
// at x1. A step <= 0 paints nothing.
void TileH(TvxBitmap& dst, int start, int x1, int top, int bottom, const TvxPixelView& src, int sx, int sy,
           int step) {
  if (step <= 0 || bottom <= top) return;
  // Only tiles that reach into the bitmap are drawn.
  x1 = std::min(x1, dst.Width());
  if (start < 0) start += (-start / step) * step;
  for (int x = start; x < x1; x += step) Copy(dst, TRect{x, top, std::min(x + step, x1), bottom}, src, sx, sy);
}

void TileV(TvxBitmap& dst, int start, int y1, int left, int right, const TvxPixelView& src, int sx, int sy,
           int step) {
  if (step <= 0 || right <= left) return;
  y1 = std::min(y1, dst.Height());
  if (start < 0) start += (-start / step) * step;
  for (int y = start; y < y1; y += step) Copy(dst, TRect{left, y, right, std::min(y + step, y1)}, src, sx, sy);
}

// Tiles a whole picture over rectangle r from its top-left corner, cut at r.
void Tile2D(TvxBitmap& dst, const TRect& r, const TvxPixelView& src, const TRect& s) {
  const int sw = s.Width(), sh = s.Height();
  if (sw <= 0 || sh <= 0 || r.IsEmpty()) return;
  const int y1 = std::min(r.Bottom, dst.Height());
  int y0 = r.Top;
  if (y0 < 0) y0 += (-y0 / sh) * sh;
  for (int y = y0; y < y1; y += sh) TileH(dst, r.Left, r.Right, y, std::min(y + sh, r.Bottom), src, s.Left, s.Top, sw);
}

struct NineSlice {
  TPoint LT, RT, LB, RB;
  TRect Cl;
  TPoint NLT, NRT, NLB, NRB;
  TRect NCl;
  TRect R;
  int Width, Height;
  bool DrawClient, LeftStretch, TopStretch, RightStretch, BottomStretch, ClientStretch;
  TvxStretchType StretchType;
  bool NoRight;
};

void DrawClientArea(TvxBitmap& dest, const TvxPixelView& src, const NineSlice& g) {
  const TRect sc = g.Cl.Offset(g.R.Left, g.R.Top);
  const TRect& nc = g.NCl;
  if (nc.IsEmpty()) return;
  if (!g.ClientStretch) {
    Tile2D(dest, nc, src, sc);
    return;
  }
  if (sc.IsEmpty()) return;
  switch (g.StretchType) {
    case vxstFull: Stretch(dest, nc, src, sc); break;
    case vxstHorz: {
      // The client stretched to the new height, then tiled across.
      TvxBitmap strip(sc.Width(), nc.Height());
      Stretch(strip, strip.BoundsRect(), src, sc);
      Tile2D(dest, nc, strip.View(), strip.BoundsRect());
      break;
    }
    case vxstVert: {
      TvxBitmap strip(nc.Width(), sc.Height());
      Stretch(strip, strip.BoundsRect(), src, sc);
      Tile2D(dest, nc, strip.View(), strip.BoundsRect());
      break;
    }
  }
}

void BuildNineSlice(TvxBitmap& dest, const TvxPixelView& src, const NineSlice& g) {
  if (g.Width <= 0 || g.Height <= 0) {
    dest.Clear();
    return;
  }
  dest.SetSize(g.Width, g.Height);
  if (g.RB.X == g.LT.X || g.RB.Y == g.LT.Y || src.Empty()) {
    Reset(dest, g.Width, g.Height);
    return;
  }
  const TRect& R = g.R;

  // Top edge.
  {
    const int dx1 = g.NoRight ? g.Width : g.NRT.X;
    const TRect d{g.NLT.X, 0, dx1, g.NCl.Top};
    if (g.TopStretch)
      Stretch(dest, d, src, TRect{R.Left + g.LT.X, R.Top, R.Left + g.RT.X, R.Top + g.Cl.Top});
    else
      TileH(dest, d.Left, d.Right, d.Top, d.Bottom, src, R.Left + g.LT.X, R.Top, g.RT.X - g.LT.X);
  }
  // Bottom edge.
  {
    const int dx1 = g.NoRight ? g.Width : g.NRB.X;
    const TRect d{g.NLB.X, g.NCl.Bottom, dx1, g.Height};
    if (g.BottomStretch)
      Stretch(dest, d, src, TRect{R.Left + g.LB.X, R.Top + g.Cl.Bottom, R.Left + g.RB.X, R.Bottom});
    else
      TileH(dest, d.Left, d.Right, d.Top, d.Bottom, src, R.Left + g.LB.X, R.Top + g.Cl.Bottom, g.RB.X - g.LB.X);
  }
  // Left edge.
  {
    const TRect d{0, g.NLT.Y, g.NCl.Left, g.NLB.Y};
    if (g.LeftStretch)
      Stretch(dest, d, src, TRect{R.Left, R.Top + g.LT.Y, R.Left + g.Cl.Left, R.Top + g.LB.Y});
    else
      TileV(dest, d.Top, d.Bottom, d.Left, d.Right, src, R.Left, R.Top + g.LT.Y, g.LB.Y - g.LT.Y);
  }
  // Right edge.
  if (!g.NoRight) {
    const TRect d{g.NCl.Right, g.NRT.Y, g.Width, g.NRB.Y};
    if (g.RightStretch)
      Stretch(dest, d, src, TRect{R.Left + g.Cl.Right, R.Top + g.RT.Y, R.Right, R.Top + g.RB.Y});
    else
      TileV(dest, d.Top, d.Bottom, d.Left, d.Right, src, R.Left + g.Cl.Right, R.Top + g.RT.Y, g.RB.Y - g.RT.Y);
  }

  // Corner pieces, copied 1:1 over the edges.
  auto corner = [&](int sx, int sy, TRect d) { Copy(dest, d, src, R.Left + sx, R.Top + sy); };
  corner(0, 0, TRect{0, 0, g.NLT.X, g.NCl.Top});
  corner(0, g.Cl.Top, TRect{0, g.NCl.Top, g.NCl.Left, g.NLT.Y});
  if (!g.NoRight) {
    corner(g.RT.X, 0, TRect{g.NRT.X, 0, g.Width, g.NCl.Top});
    corner(g.Cl.Right, g.Cl.Top, TRect{g.NCl.Right, g.NCl.Top, g.Width, g.NRT.Y});
  }
  corner(0, g.LB.Y, TRect{0, g.NLB.Y, g.NCl.Left, g.Height});
  corner(g.Cl.Left, g.Cl.Bottom, TRect{g.NCl.Left, g.NCl.Bottom, g.NLB.X, g.Height});
  if (!g.NoRight) {
    corner(g.RB.X, g.Cl.Bottom, TRect{g.NRB.X, g.NCl.Bottom, g.Width, g.Height});
    corner(g.Cl.Right, g.RB.Y, TRect{g.NCl.Right, g.NRB.Y, g.Width, g.NCl.Bottom});
  }
  if (g.DrawClient) DrawClientArea(dest, src, g);
}

}  // namespace

void CreateSkinImage(TPoint LTPoint, TPoint RTPoint, TPoint LBPoint, TPoint RBPoint, TRect ClRect,
                     TPoint NewLTPoint, TPoint NewRTPoint, TPoint NewLBPoint, TPoint NewRBPoint,
                     TRect NewClRect, TvxBitmap& Dest, const TvxPixelView& Source, TRect SkinRect, int Width,
                     int Height, bool DrawClient, bool LeftStretch, bool TopStretch, bool RightStretch,
                     bool BottomStretch, bool ClientStretch, TvxStretchType StretchType) {
  BuildNineSlice(Dest, Source,
                 NineSlice{LTPoint, RTPoint, LBPoint, RBPoint, ClRect, NewLTPoint, NewRTPoint, NewLBPoint,
                           NewRBPoint, NewClRect, SkinRect, Width, Height, DrawClient, LeftStretch, TopStretch,
                           RightStretch, BottomStretch, ClientStretch, StretchType, false});
}

void CreateSkinImage2(TPoint LTPoint, TPoint RTPoint, TPoint LBPoint, TPoint RBPoint, TRect ClRect,
                      TPoint NewLTPoint, TPoint NewRTPoint, TPoint NewLBPoint, TPoint NewRBPoint,
                      TRect NewClRect, TvxBitmap& Dest, const TvxPixelView& Source, TRect SkinRect, int Width,
                      int Height, bool DrawClient, bool LeftStretch, bool TopStretch, bool RightStretch,
                      bool BottomStretch, bool ClientStretch, TvxStretchType StretchType) {
  CreateSkinImage(LTPoint, RTPoint, LBPoint, RBPoint, ClRect, NewLTPoint, NewRTPoint, NewLBPoint, NewRBPoint,
                  NewClRect, Dest, Source, SkinRect, Width, Height, DrawClient, LeftStretch, TopStretch,
                  RightStretch, BottomStretch, ClientStretch, StretchType);
}

void CreateSkinImageNoRight(TPoint LTPoint, TPoint RTPoint, TPoint LBPoint, TPoint RBPoint, TRect ClRect,
                            TPoint NewLTPoint, TPoint NewRTPoint, TPoint NewLBPoint, TPoint NewRBPoint,
                            TRect NewClRect, TvxBitmap& Dest, const TvxPixelView& Source, TRect SkinRect,
                            int Width, int Height, bool DrawClient, bool LeftStretch, bool TopStretch,
                            bool RightStretch, bool BottomStretch, bool ClientStretch,
                            TvxStretchType StretchType) {
  BuildNineSlice(Dest, Source,
                 NineSlice{LTPoint, RTPoint, LBPoint, RBPoint, ClRect, NewLTPoint, NewRTPoint, NewLBPoint,
                           NewRBPoint, NewClRect, SkinRect, Width, Height, DrawClient, LeftStretch, TopStretch,
                           RightStretch, BottomStretch, ClientStretch, StretchType, true});
}

void CreateStretchImage(TvxBitmap& Dest, const TvxPixelView& Source, TRect SkinRect, TRect ClRect, bool DrawClient) {
  const TRect& c = ClRect;
  const int w = Dest.Width(), h = Dest.Height();
  const TRect nc{c.Left, c.Top, w + c.Right - SkinRect.Width(), h + c.Bottom - SkinRect.Height()};
  BuildNineSlice(Dest, Source,
                 NineSlice{{c.Left, c.Top}, {c.Right, c.Top}, {c.Left, c.Bottom}, {c.Right, c.Bottom}, c,
                           {nc.Left, nc.Top}, {nc.Right, nc.Top}, {nc.Left, nc.Bottom}, {nc.Right, nc.Bottom}, nc,
                           SkinRect, w, h, DrawClient, true, true, true, true, true, vxstFull, false});
}

void CreateSkinBorderImages(TPoint LTPoint, TPoint RTPoint, TPoint LBPoint, bool BottomStretch, bool RightStretch,
                            bool TopStretch, bool LeftStretch, int Height, int Width, TRect SkinRect,
                            const TvxPixelView& Source, TvxBitmap& BottomImage, TvxBitmap& RightImage,
                            TvxBitmap& TopImage, TvxBitmap& LeftImage, TRect NewClRect, TPoint NewRBPoint,
                            TPoint NewLBPoint, TPoint NewRTPoint, TPoint NewLTPoint, TRect ClRect,
                            TPoint RBPoint) {
  const TRect& R = SkinRect;
  const TRect& Cl = ClRect;
  const TPoint LT = LTPoint, RT = RTPoint, LB = LBPoint, RB = RBPoint;

  // A horizontal band: middle LT..RT (source x), stretched into NLT..NRT or tiled
  // from 0, then the corners 1:1.
  auto hband = [&](TvxBitmap& img, int bandH, int srcTop, int sx0, int sx1, int nx0, int nx1, bool stretch) {
    if (Width <= 0 || bandH <= 0 || sx1 <= sx0 || Source.Empty()) {
      img.Clear();
      return;
    }
    Reset(img, Width, bandH);
    if (stretch)
      Stretch(img, TRect{nx0, 0, nx1, bandH}, Source, TRect{R.Left + sx0, srcTop, R.Left + sx1, srcTop + bandH});
    else
      TileH(img, 0, Width, 0, bandH, Source, R.Left + sx0, srcTop, sx1 - sx0);
    Copy(img, TRect{0, 0, nx0, bandH}, Source, R.Left, srcTop);
    Copy(img, TRect{nx1, 0, Width, bandH}, Source, R.Left + sx1, srcTop);
  };
  hband(TopImage, NewClRect.Top, R.Top, LT.X, RT.X, NewLTPoint.X, NewRTPoint.X, TopStretch);
  const int bottomH = Height - NewClRect.Bottom;
  hband(BottomImage, bottomH, R.Bottom - bottomH, LB.X, RB.X, NewLBPoint.X, NewRBPoint.X, BottomStretch);

  const int sideH = Height - TopImage.Height() - BottomImage.Height();
  // A vertical band from source columns sx0..sx0 + bandW: middle y0..y1 (relative
  // to R), then the parts Cl.Top..y0 and y1..Cl.Bottom at the band's ends.
  auto vband = [&](TvxBitmap& img, int bandW, int sx0, int y0, int y1, bool stretch) {
    if (bandW <= 0 || sideH <= 0 || y1 <= y0 || Source.Empty()) {
      img.Clear();
      return;
    }
    Reset(img, bandW, sideH);
    if (stretch)
      Stretch(img, TRect{0, y0 - Cl.Top, bandW, sideH + y1 - Cl.Bottom}, Source,
              TRect{sx0, R.Top + y0, sx0 + bandW, R.Top + y1});
    else
      TileV(img, 0, sideH, 0, bandW, Source, sx0, R.Top + y0, y1 - y0);
    Copy(img, TRect{0, 0, bandW, y0 - Cl.Top}, Source, sx0, R.Top + Cl.Top);
    const int tail = Cl.Bottom - y1;
    Copy(img, TRect{0, sideH - tail, bandW, sideH}, Source, sx0, R.Top + y1);
  };
  vband(LeftImage, NewClRect.Left, R.Left, LT.Y, LB.Y, LeftStretch);
  vband(RightImage, Width - NewClRect.Right, R.Left + Cl.Right, RT.Y, RB.Y, RightStretch);
}

// ---- Three-slice builders.

namespace {

// The middle of a horizontal three-slice: source columns sx0..sx0 + sw of
// rows sy..sy + h, stretched over x0..x1 or tiled from `start` and cut at x1.
void HMiddle(TvxBitmap& dest, const TvxPixelView& src, int sx0, int sw, int sy, int h, int x0, int x1, int start,
             bool stretch) {
  if (stretch) {
    Stretch(dest, TRect{x0, 0, x1, h}, src, TRect{sx0, sy, sx0 + sw, sy + h});
    return;
  }
  // A middle of zero width is tiled by its first column.
  TileH(dest, start, x1, 0, h, src, sx0, sy, sw == 0 ? 1 : sw);
}

}  // namespace

void CreateHSkinImage(int LOffset, int ROffset, TvxBitmap& Dest, bool Stretch, int Width, TRect SkinRect,
                      const TvxPixelView& Source) {
  const int h = SkinRect.Height();
  if (Width <= 0 || h <= 0) {
    Dest.Clear();
    return;
  }
  Dest.SetSize(Width, h);
  const TRect& R = SkinRect;
  Copy(Dest, TRect{0, 0, LOffset, h}, Source, R.Left, R.Top);
  Copy(Dest, TRect{Width - ROffset, 0, Width, h}, Source, R.Right - ROffset, R.Top);
  HMiddle(Dest, Source, R.Left + LOffset, R.Width() - LOffset - ROffset, R.Top, h, LOffset, Width - ROffset,
          LOffset, Stretch);
}

void CreateHSkinImageLeft(int LOffset, int ROffset, TvxBitmap& Dest, bool Stretch, int Width, TRect SkinRect,
                          const TvxPixelView& Source) {
  const int h = SkinRect.Height();
  if (Width <= 0 || h <= 0) {
    Dest.Clear();
    return;
  }
  Dest.SetSize(Width, h);
  const TRect& R = SkinRect;
  Copy(Dest, TRect{0, 0, LOffset, h}, Source, R.Left, R.Top);
  HMiddle(Dest, Source, R.Left + LOffset, R.Width() - LOffset - ROffset, R.Top, h, LOffset, Width, LOffset, Stretch);
}

void CreateHSkinImageCenter(int LOffset, int ROffset, TvxBitmap& Dest, bool Stretch, int Width, TRect SkinRect,
                            const TvxPixelView& Source) {
  const int h = SkinRect.Height();
  if (Width <= 0 || h <= 0) {
    Dest.Clear();
    return;
  }
  Dest.SetSize(Width, h);
  const TRect& R = SkinRect;
  HMiddle(Dest, Source, R.Left + LOffset, R.Width() - LOffset - ROffset, R.Top, h, 0, Width, 0, Stretch);
}

void CreateVSkinImage(int TOffset, int BOffset, TvxBitmap& Dest, bool Stretch, int Height, TRect SkinRect,
                      const TvxPixelView& Source) {
  const int w = SkinRect.Width();
  if (Height <= 0 || w <= 0) {
    Dest.Clear();
    return;
  }
  Dest.SetSize(w, Height);
  const TRect& R = SkinRect;
  Copy(Dest, TRect{0, 0, w, TOffset}, Source, R.Left, R.Top);
  Copy(Dest, TRect{0, Height - BOffset, w, Height}, Source, R.Left, R.Bottom - BOffset);
  const int mh = R.Height() - TOffset - BOffset;
  const TRect s{R.Left, R.Top + TOffset, R.Right, R.Top + TOffset + mh};
  if (Stretch)
    vx::Stretch(Dest, TRect{0, TOffset, w, Height - BOffset}, Source, s);
  else
    TileV(Dest, TOffset, Height - BOffset, 0, w, Source, s.Left, s.Top, mh);
}

// ---- Masks and regions.

std::vector<TRect> MaskRuns(const TvxPixelView& Mask, int OffsetX, int OffsetY) {
  std::vector<TRect> runs;
  if (Mask.Empty()) return runs;
  std::vector<uint32_t> buf(Mask.Bits ? 0 : size_t(Mask.Width));
  for (int y = 0; y < Mask.Height; ++y) {
    const uint32_t* row = Mask.Span(0, y, Mask.Width, buf.data());
    int x = 0;
    while (x < Mask.Width) {
      while (x < Mask.Width && (row[x] & 0x00FFFFFFu) != 0) ++x;
      if (x == Mask.Width) break;
      const int x1 = x;
      while (x < Mask.Width && (row[x] & 0x00FFFFFFu) == 0) ++x;
      runs.push_back(TRect{x1 + OffsetX, y + OffsetY, x + OffsetX, y + OffsetY + 1});
    }
  }
  return runs;
}

namespace {
void Put32(uint8_t* p, int32_t v) {
  const uint32_t u = static_cast<uint32_t>(v);
  p[0] = uint8_t(u);
  p[1] = uint8_t(u >> 8);
  p[2] = uint8_t(u >> 16);
  p[3] = uint8_t(u >> 24);
}
}  // namespace

int CreateRgnDataFromMask(const TvxPixelView& Mask, int OffsetX, int OffsetY, std::vector<uint8_t>& Data) {
  Data.clear();
  const std::vector<TRect> runs = MaskRuns(Mask, OffsetX, OffsetY);
  if (runs.empty()) return 0;
  Data.resize(kRgnDataHeaderSize + runs.size() * 16);
  uint8_t* p = Data.data();
  Put32(p, kRgnDataHeaderSize);
  Put32(p + 4, 1);
  Put32(p + 8, static_cast<int32_t>(runs.size()));
  Put32(p + 12, 0);
  Put32(p + 16, OffsetX);
  Put32(p + 20, OffsetY);
  Put32(p + 24, OffsetX + Mask.Width);
  Put32(p + 28, OffsetY + Mask.Height);
  p += kRgnDataHeaderSize;
  for (const TRect& r : runs) {
    Put32(p, r.Left);
    Put32(p + 4, r.Top);
    Put32(p + 8, r.Right);
    Put32(p + 12, r.Bottom);
    p += 16;
  }
  return static_cast<int>(Data.size());
}

void CreateSkinMaskStrips(TPoint LTPoint, TPoint RTPoint, TPoint LBPoint, int Height, int Width,
                          TvxBitmap& BottomStrip, TvxBitmap& RightStrip, TvxBitmap& LeftStrip, TvxBitmap& TopStrip,
                          const TvxPixelView& Mask, TRect NewClRect, TPoint NewRBPoint, TPoint NewLBPoint,
                          TPoint NewRTPoint, TPoint NewLTPoint, TRect ClRect, TPoint RBPoint) {
  (void)Height;
  const TRect& Cl = ClRect;
  const int mw = Mask.Width, mh = Mask.Height;
  const int stripH = NewClRect.Height();

  // Left and right strips: the band's column strip, rows y0..y1 tiled from the
  // top, then the parts Cl.Top..y0 and y1..Cl.Bottom at the ends.
  auto vstrip = [&](TvxBitmap& img, int sx0, int bandW, int y0, int y1) {
    if (bandW <= 0 || stripH <= 0 || Mask.Empty()) {
      img.Clear();
      return;
    }
    Reset(img, bandW, stripH);
    if (y1 != y0) TileV(img, 0, stripH, 0, bandW, Mask, sx0, y0, y1 - y0);
    Copy(img, TRect{0, 0, bandW, y0 - Cl.Top}, Mask, sx0, Cl.Top);
    const int tail = Cl.Bottom - y1;
    Copy(img, TRect{0, stripH - tail, bandW, stripH}, Mask, sx0, y1);
  };
  vstrip(LeftStrip, 0, Cl.Left, LTPoint.Y, LBPoint.Y);
  vstrip(RightStrip, Cl.Right, mw - Cl.Right, RTPoint.Y, RBPoint.Y);

  // Top and bottom strips: columns x0..x1 tiled from nx0, cut at nx1, then the
  // corners 0..x0 at 0 and x1..mask width at nx1.
  auto hstrip = [&](TvxBitmap& img, int sy0, int bandH, int x0, int x1, int nx0, int nx1) {
    if (bandH <= 0 || Width <= 0 || Mask.Empty()) {
      img.Clear();
      return;
    }
    Reset(img, Width, bandH);
    if (x1 != x0) TileH(img, nx0, nx1, 0, bandH, Mask, x0, sy0, x1 - x0);
    Copy(img, TRect{0, 0, x0, bandH}, Mask, 0, sy0);
    Copy(img, TRect{nx1, 0, nx1 + (mw - x1), bandH}, Mask, x1, sy0);
  };
  hstrip(TopStrip, 0, Cl.Top, LTPoint.X, RTPoint.X, NewLTPoint.X, NewRTPoint.X);
  hstrip(BottomStrip, Cl.Bottom, mh - Cl.Bottom, LBPoint.X, RBPoint.X, NewLBPoint.X, NewRBPoint.X);
}

namespace {
// The region of the mask's black pixels at (x, y), through its region data.
TRegion StripRegion(const TvxBitmap& strip, int x, int y) {
  std::vector<uint8_t> data;
  if (CreateRgnDataFromMask(strip, x, y, data) == 0) return TRegion();
  return ExtCreateRegion(data.data(), data.size()).value_or(TRegion());
}
}  // namespace

void CreateRegionFromMask(TRegion& Rgn, const TvxPixelView& Mask) {
  std::vector<uint8_t> data;
  Rgn = CreateRgnDataFromMask(Mask, 0, 0, data) == 0 ? TRegion()
                                                      : ExtCreateRegion(data.data(), data.size()).value_or(TRegion());
}

void CreateSkinRegion(std::optional<TRegion>& Rgn, TPoint LTPoint, TPoint RTPoint, int Height, int Width,
                      const TvxPixelView& Mask, TRect NewClRect, TPoint NewRBPoint, TPoint NewLBPoint,
                      TPoint NewRTPoint, TPoint NewLTPoint, TRect ClRect, TPoint RBPoint, TPoint LBPoint) {
  Rgn.reset();
  if (NewRTPoint.X < NewLTPoint.X || NewLBPoint.Y < NewLTPoint.Y) return;
  TvxBitmap top, bottom, left, right;
  CreateSkinMaskStrips(LTPoint, RTPoint, LBPoint, Height, Width, bottom, right, left, top, Mask, NewClRect,
                       NewRBPoint, NewLBPoint, NewRTPoint, NewLTPoint, ClRect, RBPoint);
  TRegion r(NewClRect);
  r = r.Union(StripRegion(top, 0, 0));
  r = r.Union(StripRegion(bottom, 0, NewClRect.Bottom));
  r = r.Union(StripRegion(left, 0, NewClRect.Top));
  r = r.Union(StripRegion(right, NewClRect.Right, NewClRect.Top));
  Rgn = std::move(r);
}

}  // namespace vx
