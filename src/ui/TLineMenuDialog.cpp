#include "ui/TLineMenuDialog.h"

#include "gfx/Screen.h"
#include "gfx/Text.h"
#include "ui/TMenuLine.h"
#include "ui/TStaticText.h"

#include <algorithm>

TLineMenuDialog::TLineMenuDialog(const char* heading, const std::vector<const char*>& lines, int firstCommand)
    : TDialog(0, 0, 0, 0, dialog::kSaveBackground)
{
    LockDraw();
    int u = theScreen.width / 64, L = LineHeight();
    int widest = TextWidth(heading);
    for (const char* line : lines)
        widest = std::max(widest, HotkeyTextWidth(line) + 4 * u);
    int w = std::max(widest + 12 * u, 30 * u);
    int rowHeight = L + 2 * u, n = static_cast<int>(lines.size());
    int h = 3 * u + L + 2 * u + n * rowHeight + (n - 1) * (u / 2) + 3 * u;
    int cx = theScreen.width / 2, cy = theScreen.height / 2;
    Resize(cx - w / 2, cy - h / 2, cx - w / 2 + w, cy - h / 2 + h);
    Insert(std::make_unique<TStaticText>(left + 3 * u, top + 3 * u, right - 4 * u, top + 3 * u + L, heading,
                           statictext::kCentreAcross));
    int y = top + 5 * u + L;
    TView* first = nullptr;
    for (int i = 0; i < n; ++i, y += rowHeight + u / 2) {
        auto* line = &Insert(std::make_unique<TMenuLine>(left + 3 * u, y, right - 3 * u, y + rowHeight - 1, lines[static_cast<std::size_t>(i)],
                                   -1, firstCommand + i, 0x1));
        if (!first)
            first = line;
    }
    FocusChild(first);
    UnlockDraw();
}
