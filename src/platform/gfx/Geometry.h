#pragma once

#include <algorithm>
#include <cmath>

namespace gfx {

// Geometry in points (floating point), with the origin at the top left and y growing down.
struct Point {
    double x = 0;
    double y = 0;
    bool operator==(const Point&) const = default;
};

struct Size {
    double width = 0;
    double height = 0;
    bool isEmpty() const { return width <= 0 || height <= 0; }
    bool operator==(const Size&) const = default;
};

struct Rect {
    double x = 0;
    double y = 0;
    double width = 0;
    double height = 0;

    Rect() = default;
    Rect(double x, double y, double width, double height) : x(x), y(y), width(width), height(height) {}
    Rect(Point origin, Size size) : x(origin.x), y(origin.y), width(size.width), height(size.height) {}

    Point origin() const { return {x, y}; }
    Size size() const { return {width, height}; }
    double minX() const { return x; }
    double minY() const { return y; }
    double maxX() const { return x + width; }
    double maxY() const { return y + height; }
    double midX() const { return x + width / 2; }
    double midY() const { return y + height / 2; }
    bool isEmpty() const { return width <= 0 || height <= 0; }
    bool contains(Point p) const { return p.x >= x && p.x < maxX() && p.y >= y && p.y < maxY(); }
    Rect insetBy(double dx, double dy) const { return {x + dx, y + dy, width - 2 * dx, height - 2 * dy}; }
    Rect offsetBy(double dx, double dy) const { return {x + dx, y + dy, width, height}; }
    Rect intersection(const Rect& other) const {
        double left = std::max(x, other.x), top = std::max(y, other.y);
        double right = std::min(maxX(), other.maxX()), bottom = std::min(maxY(), other.maxY());
        if (right <= left || bottom <= top) return {};
        return {left, top, right - left, bottom - top};
    }
    bool operator==(const Rect&) const = default;
};

// x' = a*x + c*y + tx, y' = b*x + d*y + ty.
struct AffineTransform {
    double a = 1, b = 0, c = 0, d = 1, tx = 0, ty = 0;

    static AffineTransform identity() { return {}; }
    static AffineTransform translation(double dx, double dy) { return {1, 0, 0, 1, dx, dy}; }
    static AffineTransform scale(double sx, double sy) { return {sx, 0, 0, sy, 0, 0}; }
    static AffineTransform rotation(double radians) {
        double cs = std::cos(radians), sn = std::sin(radians);
        return {cs, sn, -sn, cs, 0, 0};
    }
    // This transform applied first, then `other`.
    AffineTransform concatenating(const AffineTransform& other) const {
        return {a * other.a + b * other.c,
                a * other.b + b * other.d,
                c * other.a + d * other.c,
                c * other.b + d * other.d,
                tx * other.a + ty * other.c + other.tx,
                tx * other.b + ty * other.d + other.ty};
    }
    Point apply(Point p) const { return {a * p.x + c * p.y + tx, b * p.x + d * p.y + ty}; }
    bool isIdentity() const { return *this == AffineTransform{}; }
    bool operator==(const AffineTransform&) const = default;
};

}  // namespace gfx
