#include "shapes.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace skin_art {
namespace {

float Length(float x, float y) { return std::sqrt(x * x + y * y); }

float SegmentDistance(Point p, Point a, Point b) {
    const float bax = b.x - a.x, bay = b.y - a.y;
    const float pax = p.x - a.x, pay = p.y - a.y;
    const float lengthSquared = bax * bax + bay * bay;
    const float h =
        lengthSquared > 0 ? std::clamp((pax * bax + pay * bay) / lengthSquared, 0.0f, 1.0f) : 0.0f;
    return Length(pax - bax * h, pay - bay * h);
}

}  // namespace

Shape Circle(Point centre, float radius) {
    return [=](Point p) { return Length(p.x - centre.x, p.y - centre.y) - radius; };
}

Shape RoundedRect(float left, float top, float right, float bottom, float radius) {
    const float cx = (left + right) / 2, cy = (top + bottom) / 2;
    const float hx = (right - left) / 2, hy = (bottom - top) / 2;
    radius = std::min({radius, hx, hy});
    return [=](Point p) {
        const float qx = std::abs(p.x - cx) - hx + radius;
        const float qy = std::abs(p.y - cy) - hy + radius;
        return Length(std::max(qx, 0.0f), std::max(qy, 0.0f)) + std::min(std::max(qx, qy), 0.0f) -
               radius;
    };
}

Shape Segment(Point a, Point b, float width) {
    return [=](Point p) { return SegmentDistance(p, a, b) - width / 2; };
}

Shape Polyline(std::vector<Point> points, float width) {
    return [points = std::move(points), width](Point p) {
        float best = 1e9f;
        for (size_t i = 1; i < points.size(); ++i)
            best = std::min(best, SegmentDistance(p, points[i - 1], points[i]));
        return best - width / 2;
    };
}

// The exact distance to the hull of two circles.
Shape TaperedStroke(Point a, Point b, float ra, float rb) {
    return [=](Point p) {
        const float px = p.x - a.x, py = p.y - a.y;
        const float bx = b.x - a.x, by = b.y - a.y;
        const float h = bx * bx + by * by;
        const float qx = std::abs((px * by - py * bx) / h);
        const float qy = (px * bx + py * by) / h;
        const float k = ra - rb;
        const float cx = std::sqrt(std::max(h - k * k, 0.0f)), cy = k;
        const float cross = cx * qy - cy * qx;
        const float dot = cx * qx + cy * qy;
        const float n = qx * qx + qy * qy;
        if (cross < 0) return std::sqrt(h * n) - ra;
        if (cross > cx) return std::sqrt(h * (n + 1 - 2 * qy)) - rb;
        return dot - ra;
    };
}

Shape Arc(Point centre, float radius, float width, float start, float sweep) {
    const Point startPoint{centre.x + radius * std::cos(start),
                           centre.y + radius * std::sin(start)};
    const Point endPoint{centre.x + radius * std::cos(start + sweep),
                         centre.y + radius * std::sin(start + sweep)};
    return [=](Point p) {
        const float dx = p.x - centre.x, dy = p.y - centre.y;
        float angle = std::atan2(dy, dx) - start;
        angle -=
            std::floor(angle / (2 * std::numbers::pi_v<float>)) * 2 * std::numbers::pi_v<float>;
        if (angle <= sweep) return std::abs(Length(dx, dy) - radius) - width / 2;
        const float toStart = Length(p.x - startPoint.x, p.y - startPoint.y);
        const float toEnd = Length(p.x - endPoint.x, p.y - endPoint.y);
        return std::min(toStart, toEnd) - width / 2;
    };
}

Shape BelowWave(float base, float amplitude, float frequency, float phase) {
    return [=](Point p) {
        const float edge = base + amplitude * std::sin(p.x * frequency + phase);
        const float slope = amplitude * frequency * std::cos(p.x * frequency + phase);
        return (edge - p.y) / std::sqrt(1 + slope * slope);
    };
}

Shape Union(Shape a, Shape b) {
    return [=](Point p) { return std::min(a(p), b(p)); };
}

Shape Subtract(Shape from, Shape cut) {
    return [=](Point p) { return std::max(from(p), -cut(p)); };
}

Shape Intersect(Shape a, Shape b) {
    return [=](Point p) { return std::max(a(p), b(p)); };
}

std::vector<Point> QuadraticCurve(Point from, Point control, Point to, int steps) {
    std::vector<Point> points;
    for (int i = 0; i <= steps; ++i) {
        const float t = static_cast<float>(i) / steps, u = 1 - t;
        points.push_back({u * u * from.x + 2 * u * t * control.x + t * t * to.x,
                          u * u * from.y + 2 * u * t * control.y + t * t * to.y});
    }
    return points;
}

}  // namespace skin_art
