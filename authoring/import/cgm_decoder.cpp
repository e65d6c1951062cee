// Binary Computer Graphics Metafiles, as far as simple clip art uses them: integer
// coordinates, indexed or direct colours with a colour table, polylines, polygons,
// polygon sets and rectangles, filled or hollow. The first picture is drawn onto a
// canvas of its VDC extent, at most 480 pixels on the longer side. A metafile that
// draws with anything else (text, arcs, cell arrays, real coordinates) is "not a
// recognized graphics format" for us rather than a picture drawn wrong.
#include <algorithm>
#include <array>
#include <cmath>
#include <vector>

#include "image_codes.h"
#include "image_decoders.h"

namespace orb {

namespace {

constexpr double kMaxSide = 480;

struct Rgb {
    std::uint8_t r = 0, g = 0, b = 0;
};
struct Point {
    double x = 0, y = 0;
};

// Big-endian reads over one element's parameters.
class Params {
public:
    explicit Params(std::span<const std::uint8_t> p) : p_(p) {}
    bool AtEnd() const { return at_ >= p_.size(); }
    std::size_t Remaining() const { return p_.size() - at_; }
    bool Unsigned(int bits, std::uint32_t& v) {
        std::size_t n = std::size_t(bits) / 8;
        if (bits % 8 != 0 || n == 0 || n > 4 || Remaining() < n) return false;
        v = 0;
        for (std::size_t i = 0; i < n; ++i) v = v << 8 | p_[at_++];
        return true;
    }
    bool Signed(int bits, std::int32_t& v) {
        std::uint32_t u = 0;
        if (!Unsigned(bits, u)) return false;
        if (bits < 32 && (u >> (bits - 1)) & 1) u |= ~0u << bits;
        v = static_cast<std::int32_t>(u);
        return true;
    }

private:
    std::span<const std::uint8_t> p_;
    std::size_t at_ = 0;
};

class CgmPainter {
public:
    std::uint32_t Run(std::span<const std::uint8_t> bytes, std::optional<PackedImage>& out);

private:
    std::uint32_t Element(int cls, int id, Params& p);
    bool ReadPoint(Params& p, Point& pt) {
        std::int32_t x = 0, y = 0;
        if (!p.Signed(vdcBits_, x) || !p.Signed(vdcBits_, y)) return false;
        pt = {double(x), double(y)};
        return true;
    }
    bool ReadPoints(Params& p, std::vector<Point>& pts) {
        pts.clear();
        Point pt;
        while (p.Remaining() >= std::size_t(vdcBits_ / 4)) {
            if (!ReadPoint(p, pt)) return false;
            pts.push_back(pt);
        }
        return true;
    }
    bool ReadDirect(Params& p, Rgb& c) {
        std::uint32_t v[3];
        for (std::uint32_t& x : v)
            if (!p.Unsigned(colourBits_, x)) return false;
        std::uint8_t* out[3] = {&c.r, &c.g, &c.b};
        for (int i = 0; i < 3; ++i) {
            double span = double(extentMax_[i]) - double(extentMin_[i]);
            double scaled = span > 0 ? (double(v[i]) - extentMin_[i]) * 255.0 / span : 0;
            *out[i] = static_cast<std::uint8_t>(std::clamp(scaled + 0.5, 0.0, 255.0));
        }
        return true;
    }
    bool ReadColour(Params& p, Rgb& c) {
        if (directColour_) return ReadDirect(p, c);
        std::uint32_t index = 0;
        if (!p.Unsigned(colourIndexBits_, index)) return false;
        c = table_[index & 0xFF];
        return true;
    }
    bool BeginCanvas();
    void ToPixel(Point& pt) const;
    void Plot(int x, int y, Rgb c);
    void Line(Point a, Point b, Rgb c);
    void Fill(const std::vector<std::vector<Point>>& rings, Rgb c);
    void Area(std::vector<std::vector<Point>> rings);

    int intBits_ = 16, indexBits_ = 16, colourBits_ = 8, colourIndexBits_ = 8, vdcBits_ = 16;
    bool directColour_ = false;
    std::array<std::uint32_t, 3> extentMin_{0, 0, 0}, extentMax_{255, 255, 255};
    std::array<Rgb, 256> table_{};
    Rgb background_{255, 255, 255}, lineColour_{}, fillColour_{};
    int interior_ = 0;  // 0 hollow, 1 solid, 2 pattern, 3 hatch, 4 empty
    double x0_ = 0, y0_ = 0, x1_ = 32767, y1_ = 32767;
    std::optional<PackedImage> canvas_;
    bool seenMetafile_ = false, done_ = false;
};

bool ValidPrecision(std::int32_t bits) { return bits == 8 || bits == 16 || bits == 24 || bits == 32; }

std::uint32_t CgmPainter::Run(std::span<const std::uint8_t> bytes, std::optional<PackedImage>& out) {
    table_[0] = {255, 255, 255};
    for (std::size_t i = 1; i < table_.size(); ++i) table_[i] = {0, 0, 0};
    lineColour_ = fillColour_ = table_[1];

    std::size_t at = 0;
    std::vector<std::uint8_t> params;
    while (!done_) {
        if (at + 2 > bytes.size()) {
            // A metafile cut off after its picture began keeps what was drawn.
            if (seenMetafile_ && canvas_) break;
            return kImageCorrupt;
        }
        unsigned head = unsigned(bytes[at]) << 8 | bytes[at + 1];
        at += 2;
        int cls = int(head >> 12), id = int(head >> 5 & 0x7F);
        std::size_t length = head & 0x1F;
        params.clear();
        bool more = false;
        do {  // long-form elements may come in partitions
            if (length == 31 || more) {
                if (at + 2 > bytes.size()) return kImageCorrupt;
                unsigned word = unsigned(bytes[at]) << 8 | bytes[at + 1];
                at += 2;
                more = word & 0x8000;
                length = word & 0x7FFF;
            }
            if (at + length > bytes.size()) return kImageCorrupt;
            params.insert(params.end(), bytes.begin() + std::ptrdiff_t(at),
                          bytes.begin() + std::ptrdiff_t(at + length));
            at += length + (length & 1);
            length = 0;
        } while (more);
        if (!seenMetafile_ && !(cls == 0 && id == 1)) return kImageNotRecognized;
        Params p(params);
        if (std::uint32_t code = Element(cls, id, p)) return code;
    }
    if (!canvas_) return kImageCorrupt;
    out = std::move(canvas_);
    return kImageOk;
}

std::uint32_t CgmPainter::Element(int cls, int id, Params& p) {
    std::int32_t v = 0;
    std::vector<Point> pts;
    switch (cls << 8 | id) {
    case 0x001: seenMetafile_ = true; return kImageOk;                     // begin metafile
    case 0x002: case 0x005: done_ = true; return kImageOk;                 // end metafile, end picture
    case 0x004: return BeginCanvas() ? kImageOk : kImageUnsupported;      // begin picture body
    case 0x103: case 0x301:                                                // VDC type, VDC integer precision
        if (!p.Signed(cls == 1 ? 16 : intBits_, v)) return kImageCorrupt;
        if (cls == 1) return v == 0 ? kImageOk : kImageNotRecognized;      // real coordinates
        if (!ValidPrecision(v)) return kImageNotRecognized;
        vdcBits_ = v;
        return kImageOk;
    case 0x104: case 0x106: case 0x107: case 0x108: {                      // precisions
        if (!p.Signed(intBits_, v) || !ValidPrecision(v)) return kImageNotRecognized;
        int& target = id == 4 ? intBits_ : id == 6 ? indexBits_ : id == 7 ? colourBits_ : colourIndexBits_;
        target = v;
        return kImageOk;
    }
    case 0x10A:                                                            // colour value extent
        for (auto* e : {&extentMin_, &extentMax_})
            for (std::uint32_t& c : *e)
                if (!p.Unsigned(colourBits_, c)) return kImageCorrupt;
        return kImageOk;
    case 0x202:                                                            // colour selection mode
        if (!p.Signed(16, v)) return kImageCorrupt;
        directColour_ = v == 1;
        return kImageOk;
    case 0x206: {                                                          // VDC extent
        Point a, b;
        if (!ReadPoint(p, a) || !ReadPoint(p, b)) return kImageCorrupt;
        if (a.x == b.x || a.y == b.y) return kImageCorrupt;
        x0_ = a.x, y0_ = a.y, x1_ = b.x, y1_ = b.y;
        return kImageOk;
    }
    case 0x207: return ReadDirect(p, background_) ? kImageOk : kImageCorrupt;  // background colour
    case 0x504: return ReadColour(p, lineColour_) ? kImageOk : kImageCorrupt;
    case 0x517: return ReadColour(p, fillColour_) ? kImageOk : kImageCorrupt;
    case 0x516:                                                            // interior style
        if (!p.Signed(16, v)) return kImageCorrupt;
        interior_ = v;
        return kImageOk;
    case 0x522: {                                                          // colour table
        std::uint32_t index = 0;
        if (!p.Unsigned(colourIndexBits_, index)) return kImageCorrupt;
        for (Rgb c; p.Remaining() >= std::size_t(3 * colourBits_ / 8); ++index) {
            if (!ReadDirect(p, c)) return kImageCorrupt;
            if (index < table_.size()) table_[index] = c;
        }
        return kImageOk;
    }
    case 0x401: case 0x402:                                                // polyline, disjoint polyline
        if (!canvas_ || !ReadPoints(p, pts)) return kImageCorrupt;
        for (std::size_t i = 0; i + 1 < pts.size(); i += id == 1 ? 1 : 2) Line(pts[i], pts[i + 1], lineColour_);
        return kImageOk;
    case 0x407:                                                            // polygon
        if (!canvas_ || !ReadPoints(p, pts)) return kImageCorrupt;
        Area({pts});
        return kImageOk;
    case 0x408: {                                                          // polygon set
        if (!canvas_) return kImageCorrupt;
        std::vector<std::vector<Point>> rings(1);
        Point pt;
        while (!p.AtEnd()) {
            if (!ReadPoint(p, pt) || !p.Signed(16, v)) return kImageCorrupt;
            rings.back().push_back(pt);
            if (v >= 2) rings.emplace_back();  // close visible / close invisible ends a ring
        }
        Area(std::move(rings));
        return kImageOk;
    }
    case 0x40B: {                                                          // rectangle
        Point a, b;
        if (!canvas_ || !ReadPoint(p, a) || !ReadPoint(p, b)) return kImageCorrupt;
        Area({{a, {b.x, a.y}, b, {a.x, b.y}}});
        return kImageOk;
    }
    default:
        if (cls == 4) return kImageNotRecognized;  // a primitive we do not draw
        return kImageOk;                           // descriptions, other attributes, escapes
    }
}

bool CgmPainter::BeginCanvas() {
    if (canvas_) return true;
    double w = std::fabs(x1_ - x0_), h = std::fabs(y1_ - y0_);
    double scale = std::min(1.0, kMaxSide / std::max(w, h));
    int pw = std::max(1, int(w * scale + 0.5)), ph = std::max(1, int(h * scale + 0.5));
    canvas_ = MakePackedImage24(pw, ph, background_.r, background_.g, background_.b);
    return canvas_.has_value();
}

// VDC to pixel coordinates: x grows to the right from x0, y upwards from y0.
void CgmPainter::ToPixel(Point& pt) const {
    pt.x = (pt.x - x0_) / (x1_ - x0_) * canvas_->Width();
    pt.y = (y1_ - pt.y) / (y1_ - y0_) * canvas_->Height();
}

void CgmPainter::Plot(int x, int y, Rgb c) {
    if (x < 0 || y < 0 || x >= canvas_->Width() || y >= canvas_->Height()) return;
    std::uint8_t* px = canvas_->Pixel24(x, y);
    px[0] = c.b;
    px[1] = c.g;
    px[2] = c.r;
}

void CgmPainter::Line(Point a, Point b, Rgb c) {
    ToPixel(a);
    ToPixel(b);
    double dx = b.x - a.x, dy = b.y - a.y;
    int steps = int(std::max(std::fabs(dx), std::fabs(dy))) + 1;
    for (int i = 0; i <= steps; ++i) {
        double t = double(i) / steps;
        // The pixel covering VDC [x, x + 1) and [y, y + 1); rows count downwards.
        Plot(int(std::floor(a.x + dx * t)), int(std::ceil(a.y + dy * t)) - 1, c);
    }
}

// Even-odd fill, sampling every pixel at its centre.
void CgmPainter::Fill(const std::vector<std::vector<Point>>& rings, Rgb c) {
    std::vector<double> crossings;
    for (int y = 0; y < canvas_->Height(); ++y) {
        double sy = y + 0.5;
        crossings.clear();
        for (const auto& ring : rings)
            for (std::size_t i = 0; i < ring.size(); ++i) {
                Point a = ring[i], b = ring[(i + 1) % ring.size()];
                if ((a.y <= sy) != (b.y <= sy)) crossings.push_back(a.x + (sy - a.y) / (b.y - a.y) * (b.x - a.x));
            }
        std::sort(crossings.begin(), crossings.end());
        for (std::size_t i = 0; i + 1 < crossings.size(); i += 2)
            for (int x = int(std::ceil(crossings[i] - 0.5)); x + 0.5 < crossings[i + 1]; ++x) Plot(x, y, c);
    }
}

void CgmPainter::Area(std::vector<std::vector<Point>> rings) {
    std::erase_if(rings, [](const auto& r) { return r.size() < 2; });
    if (interior_ == 4) return;  // empty
    if (interior_ == 0) {        // hollow: the boundary in the fill colour
        for (const auto& ring : rings)
            for (std::size_t i = 0; i < ring.size(); ++i) Line(ring[i], ring[(i + 1) % ring.size()], fillColour_);
        return;
    }
    for (auto& ring : rings)
        for (Point& pt : ring) ToPixel(pt);
    Fill(rings, fillColour_);  // solid; patterns and hatches are drawn solid
}

}  // namespace

std::uint32_t DecodeCgm(std::span<const std::uint8_t> bytes, std::optional<PackedImage>& out) {
    out.reset();
    CgmPainter painter;
    return painter.Run(bytes, out);
}

}  // namespace orb
