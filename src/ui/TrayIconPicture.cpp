#include "ui/TrayIconPicture.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace ombrel {
namespace {

struct Point {
    double x = 0;
    double y = 0;
};
using Stroke = std::vector<Point>;

// The strokes' width and the digit's height against the picture's side; the digit's width
// against its height. The height leaves the stroke's half and a pixel's fringe clear at the
// edges from 16 pixels up.
constexpr double kStrokeShare = 0.14;
constexpr double kThinnestStroke = 1.5;  // pixels: thinner lines fade out at 100 %
constexpr double kHeightShare = 0.84;
constexpr double kWidthOfHeight = 0.6;
// Each whole turn of a curve in this many straight pieces: no corner shows up to 64 pixels.
constexpr int kPiecesPerTurn = 32;

constexpr std::uint32_t kLightInk = 0xFFFFFF;
constexpr std::uint32_t kDarkInk = 0x1F1F1F;

// Part of an ellipse in the unit box, from one angle to another in degrees (0 to the right, 90
// down), either way round.
Stroke Arc(Point centre, double radiusX, double radiusY, double fromDegrees, double toDegrees) {
    const int pieces = std::max(
        2, static_cast<int>(std::ceil(std::abs(toDegrees - fromDegrees) / 360 * kPiecesPerTurn)));
    Stroke arc;
    for (int piece = 0; piece <= pieces; ++piece) {
        const double degrees = fromDegrees + (toDegrees - fromDegrees) * piece / pieces;
        const double radians = degrees * std::numbers::pi / 180;
        arc.push_back(
            {centre.x + radiusX * std::cos(radians), centre.y + radiusY * std::sin(radians)});
    }
    return arc;
}

// The digit as lines in a unit box, y downwards.
std::vector<Stroke> DigitStrokes(int digit) {
    switch (digit) {
        case 1:
            return {{{0.2, 0.22}, {0.58, 0}, {0.58, 1}}, {{0.22, 1}, {0.94, 1}}};
        case 2: {
            Stroke top = Arc({0.5, 0.28}, 0.45, 0.28, 195, 375);
            top.push_back({0.02, 1});
            top.push_back({1, 1});
            return {top};
        }
        case 3:
            return {Arc({0.48, 0.26}, 0.42, 0.26, 205, 450),
                    {{0.3, 0.51}, {0.5, 0.51}},
                    Arc({0.5, 0.75}, 0.48, 0.25, 270, 520)};
        case 4:
            return {{{0.72, 1}, {0.72, 0}, {0, 0.68}, {1, 0.68}}};
        case 5: {
            Stroke stem{{0.92, 0}, {0.12, 0}, {0.08, 0.48}};
            return {stem, Arc({0.48, 0.68}, 0.48, 0.32, 228, 505)};
        }
        case 6:
            return {Arc({0.58, 0.7}, 0.54, 0.7, 290, 180), Arc({0.5, 0.7}, 0.46, 0.3, 0, 360)};
        case 7:
            return {{{0, 0}, {1, 0}, {0.38, 1}}};
        case 8:
            return {Arc({0.5, 0.25}, 0.38, 0.25, 0, 360), Arc({0.5, 0.73}, 0.46, 0.27, 0, 360)};
        case 9: {
            // A six turned upside down.
            std::vector<Stroke> strokes = DigitStrokes(6);
            for (Stroke& stroke : strokes) {
                for (Point& point : stroke) {
                    point = {1 - point.x, 1 - point.y};
                }
            }
            return strokes;
        }
        default:
            return {};
    }
}

double DistanceToSegment(Point point, Point from, Point to) {
    const double dx = to.x - from.x;
    const double dy = to.y - from.y;
    const double lengthSquared = dx * dx + dy * dy;
    double along = 0;
    if (lengthSquared > 0) {
        along = std::clamp(((point.x - from.x) * dx + (point.y - from.y) * dy) / lengthSquared, 0.0,
                           1.0);
    }
    return std::hypot(point.x - (from.x + along * dx), point.y - (from.y + along * dy));
}

}  // namespace

std::vector<std::uint32_t> DesktopNumberPicture(int size, int number, TrayTheme theme) {
    if (size <= 0) {
        return {};
    }
    std::vector<std::uint32_t> pixels(
        static_cast<std::size_t>(size) * static_cast<std::size_t>(size), 0);
    const double side = size;
    const double stroke = std::max(kThinnestStroke, side * kStrokeShare);
    const double height = side * kHeightShare - stroke;
    const double width = height * kWidthOfHeight;
    const double left = (side - width) / 2;
    const double top = (side - height) / 2;

    // The strokes in pixels, as segments.
    std::vector<std::pair<Point, Point>> segments;
    for (const Stroke& line : DigitStrokes(number)) {
        for (std::size_t point = 1; point < line.size(); ++point) {
            const auto place = [&](Point unit) {
                return Point{left + unit.x * width, top + unit.y * height};
            };
            segments.emplace_back(place(line[point - 1]), place(line[point]));
        }
    }

    const std::uint32_t ink = theme == TrayTheme::Dark ? kLightInk : kDarkInk;
    for (int y = 0; y < size; ++y) {
        for (int x = 0; x < size; ++x) {
            const Point centre{x + 0.5, y + 0.5};
            double nearest = side;
            for (const auto& [from, to] : segments) {
                nearest = std::min(nearest, DistanceToSegment(centre, from, to));
            }
            // How much of the pixel the stroke covers, from its distance to the stroke's middle:
            // a pixel's width of soft edge keeps the lines smooth at any size.
            const double coverage = std::clamp(stroke / 2 + 0.5 - nearest, 0.0, 1.0);
            if (coverage <= 0) {
                continue;
            }
            const auto scaled = [coverage](std::uint32_t channel) {
                return static_cast<std::uint32_t>(std::lround(channel * coverage));
            };
            pixels[static_cast<std::size_t>(y) * static_cast<std::size_t>(size) +
                   static_cast<std::size_t>(x)] =
                scaled(0xFF) << 24 | scaled((ink >> 16) & 0xFF) << 16 |
                scaled((ink >> 8) & 0xFF) << 8 | scaled(ink & 0xFF);
        }
    }
    return pixels;
}

}  // namespace ombrel
