#pragma once

#include <functional>
#include <vector>

namespace skin_art {

struct Point {
    float x = 0;
    float y = 0;
};

// A shape is its signed distance in pixels: negative inside, positive outside.
using Shape = std::function<float(Point)>;

Shape Circle(Point centre, float radius);
// A rectangle from (left, top) to (right, bottom) with round corners.
Shape RoundedRect(float left, float top, float right, float bottom, float radius);
// A stroke of the given width between two points, with round ends.
Shape Segment(Point a, Point b, float width);
// A stroke through the points in order, with round ends and joins.
Shape Polyline(std::vector<Point> points, float width);
// A stroke that tapers from radius ra at a to radius rb at b.
Shape TaperedStroke(Point a, Point b, float ra, float rb);
// A ring of radius `radius` and stroke `width`, from angle `start` through
// `sweep` (radians, clockwise on screen from the positive x axis), round ends.
Shape Arc(Point centre, float radius, float width, float start, float sweep);
// The region under a horizontal wave y = base + amplitude * sin(x * frequency + phase).
Shape BelowWave(float base, float amplitude, float frequency, float phase);

Shape Union(Shape a, Shape b);
Shape Subtract(Shape from, Shape cut);
Shape Intersect(Shape a, Shape b);

// The points of a quadratic Bezier curve, for Polyline.
std::vector<Point> QuadraticCurve(Point from, Point control, Point to, int steps = 48);

}  // namespace skin_art
