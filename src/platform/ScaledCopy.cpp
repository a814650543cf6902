#include "platform/ScaledCopy.h"

#include <algorithm>
#include <cstring>
#include <vector>

namespace platform {

Placement PlaceScaled(int width, int height, int windowWidth, int windowHeight)
{
    Placement at;
    if (width <= 0 || height <= 0 || windowWidth <= 0 || windowHeight <= 0)
        return at;
    // The scale is the smaller of the two ratios; the other side is the
    // picture's, rounded up, centred.
    if (static_cast<long long>(windowWidth) * height <= static_cast<long long>(windowHeight) * width) {
        at.width = windowWidth;
        at.height = static_cast<int>((static_cast<long long>(height) * windowWidth + width - 1) / width);
    } else {
        at.height = windowHeight;
        at.width = static_cast<int>((static_cast<long long>(width) * windowHeight + height - 1) / height);
    }
    at.width = std::min(at.width, windowWidth);
    at.height = std::min(at.height, windowHeight);
    at.x = (windowWidth - at.width) / 2;
    at.y = (windowHeight - at.height) / 2;
    return at;
}

namespace {

// ceil(a * b / c) for non-negative values.
int CeilScaled(int a, int b, int c)
{
    return static_cast<int>((static_cast<long long>(a) * b + c - 1) / c);
}

// The picture position window position d (from the placement's edge) shows.
int SourceOf(int d, int length, int placed)
{
    return static_cast<int>(static_cast<long long>(d) * length / placed);
}

}  // namespace

Span WindowSpan(int from, int to, int length, int placed)
{
    // Window position d shows floor(d * length / placed): it lies in
    // from..to exactly when from * placed / length <= d < (to + 1) * placed / length.
    if (length <= 0 || placed <= 0 || to < from)
        return {};
    return {CeilScaled(from, placed, length), CeilScaled(to + 1, placed, length)};
}

Area CopyArea(const Plane& picture, int bytesPerPixel, const std::uint32_t* colours, const Plane& window,
              const Placement& at, Area area)
{
    int left = std::max(area.x, 0), top = std::max(area.y, 0);
    int right = std::min(area.x + area.width, picture.width) - 1;
    int bottom = std::min(area.y + area.height, picture.height) - 1;
    if (right < left || bottom < top || at.width <= 0 || at.height <= 0)
        return {};
    Span columns = WindowSpan(left, right, picture.width, at.width);
    Span rows = WindowSpan(top, bottom, picture.height, at.height);
    // A placement hanging out of the window is cut to it.
    columns.first = std::max(columns.first, -at.x);
    columns.end = std::min(columns.end, window.width - at.x);
    rows.first = std::max(rows.first, -at.y);
    rows.end = std::min(rows.end, window.height - at.y);
    if (columns.end <= columns.first || rows.end <= rows.first)
        return {};

    std::vector<int> sourceColumn(static_cast<std::size_t>(columns.end - columns.first));
    for (int d = columns.first; d < columns.end; ++d)
        sourceColumn[static_cast<std::size_t>(d - columns.first)] = SourceOf(d, picture.width, at.width);

    for (int d = rows.first; d < rows.end; ++d) {
        const std::uint8_t* from = picture.pixels + static_cast<std::ptrdiff_t>(SourceOf(d, picture.height, at.height)) * picture.pitch;
        auto* to = reinterpret_cast<std::uint32_t*>(window.pixels + static_cast<std::ptrdiff_t>(at.y + d) * window.pitch) + at.x +
                   columns.first;
        if (bytesPerPixel == 2) {
            const auto* row = reinterpret_cast<const std::uint16_t*>(from);
            for (int source : sourceColumn)
                *to++ = colours[row[source]];
        } else if (at.width == picture.width) {
            std::memcpy(to, from + static_cast<std::ptrdiff_t>(sourceColumn.front()) * 4, sourceColumn.size() * 4);
        } else {
            const auto* row = reinterpret_cast<const std::uint32_t*>(from);
            for (int source : sourceColumn)
                *to++ = row[source];
        }
    }
    return {at.x + columns.first, at.y + rows.first, columns.end - columns.first, rows.end - rows.first};
}

}  // namespace platform
