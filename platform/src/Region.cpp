// Regions: rectangle sets in y-x bands, built from rectangles or RGNDATA and combined.
#include "GdiObjects.h"

#include <algorithm>
#include <cstring>
#include <limits>
#include <memory>

namespace platform {

namespace {

constexpr DWORD kRgnHeaderBytes = sizeof(RGNDATAHEADER); // 32
constexpr std::uint64_t kRectBytes = sizeof(RECT);       // 16

// A half-open run [Left, Right) on one band.
struct Span {
    LONG Left;
    LONG Right;
};

bool IsEmpty(const RECT& r) {
    return r.left >= r.right || r.top >= r.bottom;
}

// The union of the runs the rectangles cover on one band, sorted and disjoint.
std::vector<Span> MergeSpans(std::vector<Span> spans) {
    std::sort(spans.begin(), spans.end(),
              [](const Span& a, const Span& b) { return a.Left < b.Left; });
    std::vector<Span> out;
    for (const Span& s : spans) {
        if (!out.empty() && s.Left <= out.back().Right)
            out.back().Right = std::max(out.back().Right, s.Right);
        else
            out.push_back(s);
    }
    return out;
}

// Applies a set operation to two sorted, disjoint run lists.
std::vector<Span> CombineSpans(const std::vector<Span>& a, const std::vector<Span>& b, int mode) {
    std::vector<LONG> edges;
    for (const Span& s : a)
        edges.insert(edges.end(), {s.Left, s.Right});
    for (const Span& s : b)
        edges.insert(edges.end(), {s.Left, s.Right});
    std::sort(edges.begin(), edges.end());
    edges.erase(std::unique(edges.begin(), edges.end()), edges.end());
    std::vector<Span> out;
    std::size_t ia = 0;
    std::size_t ib = 0;
    for (std::size_t i = 0; i + 1 < edges.size(); ++i) {
        const LONG x = edges[i];
        while (ia < a.size() && a[ia].Right <= x)
            ++ia;
        while (ib < b.size() && b[ib].Right <= x)
            ++ib;
        const bool inA = ia < a.size() && a[ia].Left <= x;
        const bool inB = ib < b.size() && b[ib].Left <= x;
        bool keep = false;
        switch (mode) {
        case RGN_AND:
            keep = inA && inB;
            break;
        case RGN_OR:
            keep = inA || inB;
            break;
        case RGN_XOR:
            keep = inA != inB;
            break;
        case RGN_DIFF:
            keep = inA && !inB;
            break;
        default:
            keep = inA;
            break;
        }
        if (!keep) continue;
        if (!out.empty() && out.back().Right == x)
            out.back().Right = edges[i + 1];
        else
            out.push_back({x, edges[i + 1]});
    }
    return out;
}

// Walks the bands of a rectangle list: returns the runs covering [Y0, Y1).
class BandCursor {
  public:
    // Keeps the non-empty rectangles, by top.
    explicit BandCursor(const std::vector<RECT>& rects) {
        for (const RECT& r : rects)
            if (!IsEmpty(r)) sorted_.push_back(r);
        std::sort(sorted_.begin(), sorted_.end(),
                  [](const RECT& a, const RECT& b) { return a.top < b.top; });
    }
    // Band starts must be given in increasing order.
    std::vector<Span> SpansAt(LONG y0) {
        while (next_ < sorted_.size() && sorted_[next_].top <= y0)
            active_.push_back(sorted_[next_++]);
        std::erase_if(active_, [y0](const RECT& r) { return r.bottom <= y0; });
        std::vector<Span> spans;
        spans.reserve(active_.size());
        for (const RECT& r : active_)
            spans.push_back({r.left, r.right});
        return MergeSpans(std::move(spans));
    }
    const std::vector<RECT>& Rects() const { return sorted_; }

  private:
    std::vector<RECT> sorted_;
    std::vector<RECT> active_;
    std::size_t next_ = 0;
};

// The banded rectangles of A op B; bands with the same runs that touch are joined.
std::vector<RECT> CombineRects(const std::vector<RECT>& a, const std::vector<RECT>& b, int mode) {
    BandCursor ca(a);
    BandCursor cb(b);
    std::vector<LONG> ys;
    for (const BandCursor* c : {&ca, &cb})
        for (const RECT& r : c->Rects())
            ys.insert(ys.end(), {r.top, r.bottom});
    std::sort(ys.begin(), ys.end());
    ys.erase(std::unique(ys.begin(), ys.end()), ys.end());

    std::vector<RECT> out;
    std::vector<Span> previous;
    std::size_t previousStart = 0;
    LONG previousBottom = std::numeric_limits<LONG>::min();
    for (std::size_t i = 0; i + 1 < ys.size(); ++i) {
        const LONG y0 = ys[i];
        const LONG y1 = ys[i + 1];
        std::vector<Span> spans = CombineSpans(ca.SpansAt(y0), cb.SpansAt(y0), mode);
        if (spans.empty()) continue;
        const bool same = previousBottom == y0 && spans.size() == previous.size() &&
                          std::equal(spans.begin(), spans.end(), previous.begin(),
                                     [](const Span& p, const Span& q) {
                                         return p.Left == q.Left && p.Right == q.Right;
                                     });
        if (same) {
            for (std::size_t k = previousStart; k < out.size(); ++k)
                out[k].bottom = y1;
        } else {
            previousStart = out.size();
            for (const Span& s : spans)
                out.push_back({s.Left, y0, s.Right, y1});
            previous = std::move(spans);
        }
        previousBottom = y1;
    }
    return out;
}

// NULLREGION, SIMPLEREGION or COMPLEXREGION by rectangle count.
int KindOfRegion(const GdiRegion& region) {
    if (region.Rects.empty()) return NULLREGION;
    return region.Rects.size() == 1 ? SIMPLEREGION : COMPLEXREGION;
}

// Stores a region of the given (already banded) rectangles.
HRGN AddRegion(std::vector<RECT> rects) {
    auto region = std::make_unique<GdiRegion>();
    region->Rects = std::move(rects);
    return Gdi().Regions.Add(std::move(region));
}

// A transformation that changes nothing.
bool IsIdentity(const XFORM& t) {
    return t.eM11 == 1.0f && t.eM12 == 0.0f && t.eM21 == 0.0f && t.eM22 == 1.0f && t.eDx == 0.0f &&
           t.eDy == 0.0f;
}

} // namespace

// The rectangles of a live region.
bool GdiRegionRects(HRGN region, std::vector<RECT>& out) {
    const GdiRegion* found = Gdi().Regions.Get(region);
    if (!found) return false;
    out = found->Rects;
    return true;
}

} // namespace platform

using namespace platform;

// Sets the four sides of a rectangle.
BOOL SetRect(RECT* rect, int left, int top, int right, int bottom) {
    if (!rect) return FALSE;
    *rect = RECT{left, top, right, bottom};
    return TRUE;
}

// Sets all four sides to 0.
BOOL SetRectEmpty(RECT* rect) {
    return SetRect(rect, 0, 0, 0, 0);
}

// A rectangular region with its corners put in order.
HRGN CreateRectRgn(int left, int top, int right, int bottom) {
    RECT r{std::min(left, right), std::min(top, bottom), std::max(left, right),
           std::max(top, bottom)};
    std::vector<RECT> rects;
    if (!IsEmpty(r)) rects.push_back(r);
    return AddRegion(std::move(rects));
}

// A region from a rectangle list, checked against the buffer size the caller gives.
HRGN ExtCreateRegion(const XFORM* transform, DWORD count, const RGNDATA* data) {
    if (!data || count < kRgnHeaderBytes) return 0;
    if (transform && !IsIdentity(*transform)) return 0;
    RGNDATAHEADER header;
    std::memcpy(&header, data, sizeof header);
    if (header.dwSize != kRgnHeaderBytes || header.iType != RDH_RECTANGLES) return 0;
    if (kRgnHeaderBytes + kRectBytes * header.nCount > count) return 0;
    std::vector<RECT> rects(header.nCount);
    if (header.nCount > 0)
        std::memcpy(rects.data(), reinterpret_cast<const char*>(data) + kRgnHeaderBytes,
                    static_cast<std::size_t>(kRectBytes * header.nCount));
    return AddRegion(CombineRects(rects, {}, RGN_OR));
}

// Dest := Src1 op Src2.
int CombineRgn(HRGN dest, HRGN src1, HRGN src2, int mode) {
    GdiStore& store = Gdi();
    GdiRegion* target = store.Regions.Get(dest);
    const GdiRegion* first = store.Regions.Get(src1);
    if (!target || !first) return ERROR;
    if (mode == RGN_COPY) {
        target->Rects = first->Rects;
        return KindOfRegion(*target);
    }
    const GdiRegion* second = store.Regions.Get(src2);
    if (!second || mode < RGN_AND || mode > RGN_DIFF) return ERROR;
    target->Rects = CombineRects(first->Rects, second->Rects, mode);
    return KindOfRegion(*target);
}

// Whether a point lies in the region (right and bottom edges outside).
BOOL PtInRegion(HRGN region, int x, int y) {
    const GdiRegion* found = Gdi().Regions.Get(region);
    if (!found) return FALSE;
    for (const RECT& r : found->Rects)
        if (x >= r.left && x < r.right && y >= r.top && y < r.bottom) return TRUE;
    return FALSE;
}

// The region's bounding box (all zero for an empty region).
int GetRgnBox(HRGN region, RECT* box) {
    const GdiRegion* found = Gdi().Regions.Get(region);
    if (!found || !box) return ERROR;
    *box = RECT{0, 0, 0, 0};
    if (!found->Rects.empty()) {
        *box = found->Rects.front();
        for (const RECT& r : found->Rects) {
            box->left = std::min(box->left, r.left);
            box->top = std::min(box->top, r.top);
            box->right = std::max(box->right, r.right);
            box->bottom = std::max(box->bottom, r.bottom);
        }
    }
    return KindOfRegion(*found);
}

// Moves every rectangle of the region; a move past the coordinate range fails.
int OffsetRgn(HRGN region, int dx, int dy) {
    GdiRegion* found = Gdi().Regions.Get(region);
    if (!found) return ERROR;
    auto fits = [](long long v) {
        return v >= std::numeric_limits<LONG>::min() && v <= std::numeric_limits<LONG>::max();
    };
    for (const RECT& r : found->Rects)
        if (!fits(0LL + r.left + dx) || !fits(0LL + r.right + dx) || !fits(0LL + r.top + dy) ||
            !fits(0LL + r.bottom + dy))
            return ERROR;
    for (RECT& r : found->Rects)
        r = RECT{r.left + dx, r.top + dy, r.right + dx, r.bottom + dy};
    return KindOfRegion(*found);
}
