// Help pages on hostile bytes: parsed, laid out and (small ones) drawn into
// an off-screen surface, as HTML and as plain text, in a bitmap font (the faces a page
// names are not there, so every piece falls back to it). Every piece lies
// within the page's height and the lines go down the page in order.

#include "FuzzScratch.h"
#include "FuzzScreen.h"
#include "gfx/TFont.h"
#include "help/THTMLViewer.h"

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

namespace {

// A proportional font of the codes 32..255, every pixel set, widths 2..8.
TFont* PageFont()
{
    static const std::unique_ptr<TFont> font = [] {
        const int first = 32, count = 224, height = 11;
        std::vector<unsigned char> area, offsets;
        for (int k = 0; k < count; ++k) {
            int width = 2 + (k * 7) % 7;
            offsets.push_back(static_cast<unsigned char>(area.size() & 0xFF));
            offsets.push_back(static_cast<unsigned char>(area.size() >> 8));
            area.push_back(static_cast<unsigned char>(width));
            area.insert(area.end(), static_cast<std::size_t>(height * ((width + 7) / 8)), 0xFF);
        }
        std::vector<unsigned char> block = {0xB4, 0xF7, 0, 0, 0, 0, 1, first, count, 0, height, height};
        block.insert(block.end(), offsets.begin(), offsets.end());
        block.insert(block.end(), area.begin(), area.end());
        return TFont::FromBitmap(block.data(), block.size());
    }();
    return font.get();
}

void CheckLayout(THTMLViewer& viewer)
{
    int lastBottom = 0;
    for (TElement* e = viewer.Pieces().First(); e; e = e->Next()) {
        const auto* p = static_cast<const dHTMLstring*>(e);
        FUZZ_CHECK(p->font != nullptr);
        FUZZ_CHECK(p->height >= 0 && p->width >= 0);
        FUZZ_CHECK(p->y >= 0 && p->y + p->height <= viewer.DocumentHeight());
        // Pieces come line by line down the page (one line shares a bottom).
        FUZZ_CHECK(p->y + p->height >= lastBottom);
        lastBottom = p->y + p->height;
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* bytes, std::size_t size)
{
    const bool draw = size <= 512;
    fuzz::OffScreen(640, 480, draw);
    SetDefaultFont(PageFont());
    theScreen.font = PageFont();
    const std::string path = fuzz::ScratchFolder("html") + "pagina.htm";
    fuzz::WriteBytes(path, bytes, size);

    // Drawing goes pixel by pixel in a bitmap font (a long word costs
    // milliseconds), so only small pages are drawn as well as laid out.
    for (unsigned options : {0u, html::kPlainText}) {
        THTMLViewer viewer(20, 20, 620, 460, path.c_str(), options);
        CheckLayout(viewer);
        LockDraw();  // a scroll draws the viewer again
        viewer.ScrollBy(viewer.DocumentHeight());
        UnlockDraw();
        FUZZ_CHECK(viewer.ScrollOffset() >= 0 &&
                   viewer.ScrollOffset() <= std::max(0, viewer.DocumentHeight() - viewer.VisibleHeight()));
        if (draw)
            viewer.Draw();  // the last page, pieces above it left out
    }
    return 0;
}
