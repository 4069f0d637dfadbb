// SPDX-License-Identifier: GPL-3.0-or-later
// Signed distance functions of simple shapes and ways to combine them. All
// coordinates are in pixels; pixel (x, y) has its centre at (x + 0.5, y + 0.5).
#pragma once

#include <utility>
#include <vector>

#include "picgen/canvas.h"

namespace picgen {

using Point = std::pair<float, float>;

Sdf Circle(float cx, float cy, float r);
Sdf Ellipse(float cx, float cy, float rx, float ry);
// Axis-aligned box from (x, y) of size w x h with rounded corners.
Sdf Box(float x, float y, float w, float h, float radius = 0.0f);
// A line segment thickened to a capsule of the given half width.
Sdf Segment(float x0, float y0, float x1, float y1, float halfWidth);
// A closed polygon (any winding, may be concave).
Sdf Polygon(std::vector<Point> points);
// A star with n points between the outer and the inner radius, first point up.
Sdf Star(float cx, float cy, int points, float outer, float inner, float turn = 0.0f);
// Regular polygon with n corners, first corner up.
Sdf RegularPolygon(float cx, float cy, int corners, float r, float turn = 0.0f);

Sdf Union(Sdf a, Sdf b);
Sdf Intersect(Sdf a, Sdf b);
Sdf Subtract(Sdf a, Sdf b);
// Grows (d > 0) or shrinks the shape.
Sdf Grow(Sdf a, float d);
// The outline band of the shape, w pixels wide, centred on its edge.
Sdf Outline(Sdf a, float w);
Sdf Translate(Sdf a, float dx, float dy);
// Scales the shape by the factor about (cx, cy).
Sdf Scale(Sdf a, float cx, float cy, float factor);
// Rotates the shape by the angle (radians, clockwise on screen) about (cx, cy).
Sdf Rotate(Sdf a, float cx, float cy, float angle);

}  // namespace picgen
