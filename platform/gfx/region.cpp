#include "platform/gfx/region.h"

#include <algorithm>
#include <climits>
#include <cstring>
#include <iterator>

namespace vx {

namespace {

struct Span {
  int32_t l, r;
  bool operator==(const Span&) const = default;
};

// Appends bands to a rectangle list, merging a band into the previous one when
// they touch vertically and have the same spans.
class BandWriter {
 public:
  explicit BandWriter(std::vector<TRect>& out) : out_(out) {
    // Carry on after the bands already in out.
    if (out_.empty()) return;
    size_t i = out_.size();
    while (i > 0 && out_[i - 1].Top == out_.back().Top) --i;
    prevStart_ = i;
    prevCount_ = out_.size() - i;
    prevBottom_ = out_.back().Bottom;
  }

  void Add(int32_t top, int32_t bottom, const std::vector<Span>& spans) {
    if (spans.empty() || bottom <= top) return;
    const size_t n = spans.size();
    if (prevBottom_ == top && prevCount_ == n) {
      bool same = true;
      for (size_t i = 0; i < n; ++i) {
        const TRect& p = out_[prevStart_ + i];
        if (p.Left != spans[i].l || p.Right != spans[i].r) { same = false; break; }
      }
      if (same) {
        for (size_t i = 0; i < n; ++i) out_[prevStart_ + i].Bottom = bottom;
        prevBottom_ = bottom;
        return;
      }
    }
    prevStart_ = out_.size();
    prevCount_ = n;
    prevBottom_ = bottom;
    for (const Span& s : spans) out_.push_back(TRect{s.l, top, s.r, bottom});
  }

 private:
  std::vector<TRect>& out_;
  size_t prevStart_ = 0, prevCount_ = 0;
  int64_t prevBottom_ = INT64_MIN;
};

// Pushes [l, r) to a sorted span list, merging with a touching or overlapping last span.
inline void PushSpan(std::vector<Span>& out, int32_t l, int32_t r) {
  if (r <= l) return;
  if (!out.empty() && out.back().r >= l) {
    out.back().r = std::max(out.back().r, r);
    return;
  }
  out.push_back({l, r});
}

// Boolean combination of two sorted, disjoint span lists (rects of one band).
template <class Op>
void CombineSpans(const TRect* a, size_t na, const TRect* b, size_t nb, Op op, std::vector<Span>& out) {
  out.clear();
  size_t pa = 0, pb = 0;
  const size_t ea = 2 * na, eb = 2 * nb;
  bool inA = false, inB = false, cur = false;
  int32_t start = 0;
  while (pa < ea || pb < eb) {
    const int64_t xa = pa < ea ? ((pa & 1) ? a[pa / 2].Right : a[pa / 2].Left) : INT64_MAX;
    const int64_t xb = pb < eb ? ((pb & 1) ? b[pb / 2].Right : b[pb / 2].Left) : INT64_MAX;
    const int64_t x = std::min(xa, xb);
    if (xa == x) { inA = !inA; ++pa; }
    if (xb == x) { inB = !inB; ++pb; }
    const bool in = op(inA, inB);
    if (in && !cur) { start = int32_t(x); cur = true; }
    else if (!in && cur) { PushSpan(out, start, int32_t(x)); cur = false; }
  }
}

// Band ranges of a banded list: [start, end) of rects sharing one top.
inline size_t BandEnd(const std::vector<TRect>& v, size_t i) {
  const int32_t top = v[i].Top;
  size_t j = i + 1;
  while (j < v.size() && v[j].Top == top) ++j;
  return j;
}

}  // namespace

class TRegionOps {
 public:
  template <class Op>
  static TRegion Combine(const TRegion& A, const TRegion& B, Op op) {
    TRegion res;
    const auto& a = A.rects_;
    const auto& b = B.rects_;
    // Every band edge of either operand is a place where the result may change.
    // Band edges of each operand come sorted (bands never overlap), so a merge
    // gives all edges in order.
    std::vector<int32_t> ea, eb, ys;
    ea.reserve(2 * a.size());
    eb.reserve(2 * b.size());
    for (size_t i = 0; i < a.size(); i = BandEnd(a, i)) { ea.push_back(a[i].Top); ea.push_back(a[i].Bottom); }
    for (size_t i = 0; i < b.size(); i = BandEnd(b, i)) { eb.push_back(b[i].Top); eb.push_back(b[i].Bottom); }
    ys.reserve(ea.size() + eb.size());
    std::merge(ea.begin(), ea.end(), eb.begin(), eb.end(), std::back_inserter(ys));
    ys.erase(std::unique(ys.begin(), ys.end()), ys.end());
    res.rects_.reserve(a.size() + b.size());
    BandWriter w(res.rects_);
    std::vector<Span> spans;
    size_t ia = 0, ib = 0;
    for (size_t k = 0; k + 1 < ys.size(); ++k) {
      const int32_t y0 = ys[k], y1 = ys[k + 1];
      while (ia < a.size() && a[ia].Bottom <= y0) ia = BandEnd(a, ia);
      while (ib < b.size() && b[ib].Bottom <= y0) ib = BandEnd(b, ib);
      size_t na = 0, nb = 0;
      if (ia < a.size() && a[ia].Top <= y0) na = BandEnd(a, ia) - ia;
      if (ib < b.size() && b[ib].Top <= y0) nb = BandEnd(b, ib) - ib;
      if (na == 0 && nb == 0) continue;
      CombineSpans(na ? &a[ia] : nullptr, na, nb ? &b[ib] : nullptr, nb, op, spans);
      w.Add(y0, y1, spans);
    }
    res.UpdateBounds();
    return res;
  }
};

TRegion::TRegion(const TRect& r) {
  if (!r.IsEmpty()) {
    rects_.push_back(r);
    bounds_ = r;
  }
}

void TRegion::UpdateBounds() {
  if (rects_.empty()) {
    bounds_ = TRect{};
    return;
  }
  TRect b{INT32_MAX, rects_.front().Top, INT32_MIN, rects_.back().Bottom};
  for (const TRect& r : rects_) {
    b.Left = std::min(b.Left, r.Left);
    b.Right = std::max(b.Right, r.Right);
  }
  bounds_ = b;
}

TRegion TRegion::FromRects(std::span<const TRect> rects) {
  TRegion res;
  std::vector<TRect> in;
  in.reserve(rects.size());
  for (const TRect& r : rects)
    if (!r.IsEmpty()) in.push_back(r);
  if (in.empty()) return res;

  // Fast path: rectangles already in bands (rows of a mask scanned top-down,
  // left to right): equal top and bottom within a band, sorted by left without
  // overlap, bands one below the other. Spans that touch are merged.
  bool banded = true;
  for (size_t i = 1; i < in.size() && banded; ++i) {
    const TRect& p = in[i - 1];
    const TRect& c = in[i];
    banded = (c.Top == p.Top && c.Bottom == p.Bottom) ? c.Left >= p.Right : c.Top >= p.Bottom;
  }
  if (banded) {
    res.rects_.reserve(in.size());
    BandWriter w(res.rects_);
    std::vector<Span> spans;
    for (size_t i = 0; i < in.size();) {
      size_t j = i;
      spans.clear();
      while (j < in.size() && in[j].Top == in[i].Top) {
        PushSpan(spans, in[j].Left, in[j].Right);
        ++j;
      }
      w.Add(in[i].Top, in[i].Bottom, spans);
      i = j;
    }
    res.UpdateBounds();
    return res;
  }

  // Already sorted by top in the common case (masks scanned row by row).
  if (!std::is_sorted(in.begin(), in.end(), [](const TRect& x, const TRect& y) { return x.Top < y.Top; }))
    std::stable_sort(in.begin(), in.end(), [](const TRect& x, const TRect& y) { return x.Top < y.Top; });

  // Sweep: between consecutive edges the set of covering rectangles is fixed.
  std::vector<int32_t> ys;
  ys.reserve(2 * in.size());
  for (const TRect& r : in) { ys.push_back(r.Top); ys.push_back(r.Bottom); }
  std::sort(ys.begin(), ys.end());
  ys.erase(std::unique(ys.begin(), ys.end()), ys.end());

  res.rects_.reserve(in.size());
  BandWriter w(res.rects_);
  std::vector<const TRect*> active;
  std::vector<Span> raw, spans;
  size_t next = 0;
  for (size_t k = 0; k + 1 < ys.size(); ++k) {
    const int32_t y0 = ys[k], y1 = ys[k + 1];
    std::erase_if(active, [y0](const TRect* r) { return r->Bottom <= y0; });
    while (next < in.size() && in[next].Top <= y0) active.push_back(&in[next++]);
    if (active.empty()) continue;
    raw.clear();
    for (const TRect* r : active) raw.push_back({r->Left, r->Right});
    std::sort(raw.begin(), raw.end(), [](const Span& x, const Span& y) { return x.l < y.l; });
    spans.clear();
    for (const Span& s : raw) PushSpan(spans, s.l, s.r);
    w.Add(y0, y1, spans);
  }
  res.UpdateBounds();
  return res;
}

std::optional<TRegion> TRegion::FromData(const void* data, size_t size) {
  if (!data || size < sizeof(RGNDATAHEADER)) return std::nullopt;
  RGNDATAHEADER h;
  std::memcpy(&h, data, sizeof h);
  if (h.dwSize != sizeof(RGNDATAHEADER) || h.iType != RDH_RECTANGLES) return std::nullopt;
  if (uint64_t(h.nCount) * sizeof(TRect) > size - sizeof(RGNDATAHEADER)) return std::nullopt;
  std::vector<TRect> rects(h.nCount);
  if (h.nCount) std::memcpy(rects.data(), static_cast<const uint8_t*>(data) + sizeof h, h.nCount * sizeof(TRect));
  return FromRects(rects);
}

std::vector<uint8_t> TRegion::Data() const {
  RGNDATAHEADER h{};
  h.dwSize = sizeof h;
  h.iType = RDH_RECTANGLES;
  h.nCount = uint32_t(rects_.size());
  h.nRgnSize = uint32_t(rects_.size() * sizeof(TRect));
  h.rcBound = bounds_;
  std::vector<uint8_t> out(sizeof h + h.nRgnSize);
  std::memcpy(out.data(), &h, sizeof h);
  if (!rects_.empty()) std::memcpy(out.data() + sizeof h, rects_.data(), h.nRgnSize);
  return out;
}

int TRegion::Type() const {
  return rects_.empty() ? NULLREGION : rects_.size() == 1 ? SIMPLEREGION : COMPLEXREGION;
}

bool TRegion::Contains(TPoint p) const {
  if (!bounds_.Contains(p)) return false;
  // Last rectangle whose top is at or above p.Y: it lies in the only band that may hold p.
  auto it = std::upper_bound(rects_.begin(), rects_.end(), p.Y, [](int32_t y, const TRect& r) { return y < r.Top; });
  if (it == rects_.begin()) return false;
  --it;
  if (p.Y >= it->Bottom) return false;
  const int32_t top = it->Top;
  auto bandBegin = std::lower_bound(rects_.begin(), it, top, [](const TRect& r, int32_t t) { return r.Top < t; });
  auto bandEnd = it + 1;
  auto s = std::upper_bound(bandBegin, bandEnd, p.X, [](int32_t x, const TRect& r) { return x < r.Left; });
  if (s == bandBegin) return false;
  --s;
  return p.X < s->Right;
}

bool TRegion::Intersects(const TRect& r) const {
  if (r.IsEmpty() || IntersectRect(bounds_, r).IsEmpty()) return false;
  for (const TRect& q : rects_) {
    if (q.Top >= r.Bottom) break;
    if (!IntersectRect(q, r).IsEmpty()) return true;
  }
  return false;
}

TRegion& TRegion::UnionWith(const TRegion& o) {
  if (o.IsEmpty() || &o == this) return *this;
  if (IsEmpty()) return *this = o;
  size_t lastStart = rects_.size();
  while (lastStart > 0 && rects_[lastStart - 1].Top == rects_.back().Top) --lastStart;
  const TRect last = rects_[lastStart];
  const TRect& first = o.rects_.front();
  size_t from = 0;  // o's bands from here on are appended as they are
  if (first.Top >= last.Bottom) {
    // o lies wholly below: its bands go after ours.
  } else if (first.Top == last.Top && first.Bottom == last.Bottom) {
    // o's first band shares the rows of our last band; the rest lies below.
    from = BandEnd(o.rects_, 0);
    std::vector<Span> spans;
    CombineSpans(&rects_[lastStart], rects_.size() - lastStart, &o.rects_[0], from, [](bool a, bool b) { return a || b; },
                 spans);
    rects_.resize(lastStart);
    BandWriter(rects_).Add(last.Top, last.Bottom, spans);
  } else {
    return *this = Union(o);
  }
  BandWriter w(rects_);
  std::vector<Span> spans;
  for (size_t i = from; i < o.rects_.size();) {
    const size_t j = BandEnd(o.rects_, i);
    spans.clear();
    for (size_t k = i; k < j; ++k) spans.push_back({o.rects_[k].Left, o.rects_[k].Right});
    w.Add(o.rects_[i].Top, o.rects_[i].Bottom, spans);
    i = j;
  }
  bounds_ = UnionRect(bounds_, o.bounds_);
  return *this;
}

TRegion TRegion::Union(const TRegion& o) const {
  if (o.IsEmpty()) return *this;
  if (IsEmpty()) return o;
  return TRegionOps::Combine(*this, o, [](bool a, bool b) { return a || b; });
}
TRegion TRegion::Intersect(const TRegion& o) const {
  if (IsEmpty() || o.IsEmpty() || IntersectRect(bounds_, o.bounds_).IsEmpty()) return TRegion();
  return TRegionOps::Combine(*this, o, [](bool a, bool b) { return a && b; });
}
TRegion TRegion::Subtract(const TRegion& o) const {
  if (IsEmpty() || o.IsEmpty() || IntersectRect(bounds_, o.bounds_).IsEmpty()) return *this;
  return TRegionOps::Combine(*this, o, [](bool a, bool b) { return a && !b; });
}
TRegion TRegion::Xor(const TRegion& o) const {
  return TRegionOps::Combine(*this, o, [](bool a, bool b) { return a != b; });
}
TRegion TRegion::Intersect(const TRect& r) const {
  if (r.Contains(bounds_)) return *this;
  return Intersect(TRegion(r));
}

void TRegion::OffsetBy(int dx, int dy) {
  if (rects_.empty()) return;
  for (TRect& r : rects_) r = r.Offset(dx, dy);
  bounds_ = bounds_.Offset(dx, dy);
}

TRegion TRegion::Offset(int dx, int dy) const {
  TRegion r = *this;
  r.OffsetBy(dx, dy);
  return r;
}

int CombineRgn(TRegion& dest, const TRegion& a, const TRegion& b, int mode) {
  switch (mode) {
    case RGN_AND: dest = a.Intersect(b); break;
    case RGN_OR:
      // In place when dest is an operand: adding rows below the region (a mask
      // built row by row) then costs only the rows added.
      if (&dest == &a) dest.UnionWith(b);
      else if (&dest == &b) dest.UnionWith(a);
      else dest = a.Union(b);
      break;
    case RGN_XOR: dest = a.Xor(b); break;
    case RGN_DIFF: dest = a.Subtract(b); break;
    case RGN_COPY: dest = a; break;
    default: return RGN_ERROR;
  }
  return dest.Type();
}

int OffsetRgn(TRegion& rgn, int dx, int dy) {
  rgn.OffsetBy(dx, dy);
  return rgn.Type();
}

bool PtInRegion(const TRegion& rgn, int x, int y) { return rgn.Contains(x, y); }
bool EqualRgn(const TRegion& a, const TRegion& b) { return a == b; }

int GetRgnBox(const TRegion& rgn, TRect* r) {
  if (r) *r = rgn.Bounds();
  return rgn.Type();
}

}  // namespace vx
