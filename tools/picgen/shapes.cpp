// SPDX-License-Identifier: GPL-3.0-or-later
#include "picgen/shapes.h"

#include <algorithm>
#include <cmath>

namespace picgen {

Sdf Circle(float cx, float cy, float r) {
    return [=](float x, float y) { return std::hypot(x - cx, y - cy) - r; };
}

Sdf Ellipse(float cx, float cy, float rx, float ry) {
    // Scaled-circle distance, corrected by the local gradient; exact enough
    // for anti-aliasing at the edge.
    return [=](float x, float y) {
        float nx = (x - cx) / rx, ny = (y - cy) / ry;
        float k0 = std::hypot(nx, ny);
        float k1 = std::hypot(nx / rx, ny / ry);
        if (k1 == 0.0f) return -std::min(rx, ry);
        return k0 * (k0 - 1.0f) / k1;
    };
}

Sdf Box(float x, float y, float w, float h, float radius) {
    float cx = x + w / 2, cy = y + h / 2, hx = w / 2 - radius, hy = h / 2 - radius;
    return [=](float px, float py) {
        float qx = std::fabs(px - cx) - hx, qy = std::fabs(py - cy) - hy;
        float outside = std::hypot(std::max(qx, 0.0f), std::max(qy, 0.0f));
        float inside = std::min(std::max(qx, qy), 0.0f);
        return outside + inside - radius;
    };
}

Sdf Segment(float x0, float y0, float x1, float y1, float halfWidth) {
    return [=](float x, float y) {
        float dx = x1 - x0, dy = y1 - y0;
        float len2 = dx * dx + dy * dy;
        float t = len2 > 0 ? std::clamp(((x - x0) * dx + (y - y0) * dy) / len2, 0.0f, 1.0f) : 0.0f;
        return std::hypot(x - (x0 + t * dx), y - (y0 + t * dy)) - halfWidth;
    };
}

Sdf Polygon(std::vector<Point> pts) {
    return [pts = std::move(pts)](float x, float y) {
        float best = 1e30f;
        bool inside = false;
        size_t n = pts.size();
        for (size_t i = 0, j = n - 1; i < n; j = i++) {
            auto [xi, yi] = pts[i];
            auto [xj, yj] = pts[j];
            float ex = xj - xi, ey = yj - yi;
            float len2 = ex * ex + ey * ey;
            float t = len2 > 0 ? std::clamp(((x - xi) * ex + (y - yi) * ey) / len2, 0.0f, 1.0f) : 0.0f;
            best = std::min(best, std::hypot(x - (xi + t * ex), y - (yi + t * ey)));
            if (((yi > y) != (yj > y)) && (x < (xj - xi) * (y - yi) / (yj - yi) + xi)) inside = !inside;
        }
        return inside ? -best : best;
    };
}

Sdf Star(float cx, float cy, int points, float outer, float inner, float turn) {
    std::vector<Point> pts;
    for (int i = 0; i < points * 2; ++i) {
        float a = turn + static_cast<float>(M_PI) * i / points - static_cast<float>(M_PI) / 2;
        float r = (i % 2 == 0) ? outer : inner;
        pts.emplace_back(cx + r * std::cos(a), cy + r * std::sin(a));
    }
    return Polygon(std::move(pts));
}

Sdf RegularPolygon(float cx, float cy, int corners, float r, float turn) {
    std::vector<Point> pts;
    for (int i = 0; i < corners; ++i) {
        float a = turn + 2.0f * static_cast<float>(M_PI) * i / corners - static_cast<float>(M_PI) / 2;
        pts.emplace_back(cx + r * std::cos(a), cy + r * std::sin(a));
    }
    return Polygon(std::move(pts));
}

Sdf Union(Sdf a, Sdf b) {
    return [=](float x, float y) { return std::min(a(x, y), b(x, y)); };
}

Sdf Intersect(Sdf a, Sdf b) {
    return [=](float x, float y) { return std::max(a(x, y), b(x, y)); };
}

Sdf Subtract(Sdf a, Sdf b) {
    return [=](float x, float y) { return std::max(a(x, y), -b(x, y)); };
}

Sdf Grow(Sdf a, float d) {
    return [=](float x, float y) { return a(x, y) - d; };
}

Sdf Outline(Sdf a, float w) {
    return [=](float x, float y) { return std::fabs(a(x, y)) - w / 2; };
}

Sdf Translate(Sdf a, float dx, float dy) {
    return [=](float x, float y) { return a(x - dx, y - dy); };
}

Sdf Scale(Sdf a, float cx, float cy, float factor) {
    return [=](float x, float y) { return a(cx + (x - cx) / factor, cy + (y - cy) / factor) * factor; };
}

Sdf Rotate(Sdf a, float cx, float cy, float angle) {
    float c = std::cos(angle), s = std::sin(angle);
    return [=](float x, float y) {
        float dx = x - cx, dy = y - cy;
        return a(cx + dx * c + dy * s, cy - dx * s + dy * c);
    };
}

}  // namespace picgen
