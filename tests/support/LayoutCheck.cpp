#include "support/LayoutCheck.h"

#include "base/TextHelpers.h"
#include "gfx/Images.h"
#include "gfx/Screen.h"
#include "gfx/TFont.h"
#include "gfx/Text.h"
#include "ui/TButton.h"
#include "ui/TCloseButton.h"
#include "ui/TCustomSelector.h"
#include "ui/TImage.h"
#include "ui/TInputLine.h"
#include "ui/TMenuLine.h"
#include "ui/TScrollBar.h"
#include "ui/TSelectorItem.h"
#include "ui/TStaticText.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>

namespace {

// A text drawn inside a view and the room the view gives it.
struct Placed {
    std::string what;
    Rect area;
    Rect room;
};

bool Empty(const Rect& r)
{
    return r.right < r.left || r.bottom < r.top;
}

Rect Bounds(const TView* v)
{
    return {v->left, v->top, v->right, v->bottom};
}

Rect Union(const Rect& a, const Rect& b)
{
    return {std::min(a.left, b.left), std::min(a.top, b.top), std::max(a.right, b.right), std::max(a.bottom, b.bottom)};
}

std::string Show(const Rect& r)
{
    char text[64];
    std::snprintf(text, sizeof text, "(%d,%d)-(%d,%d)", r.left, r.top, r.right, r.bottom);
    return text;
}

std::string Name(TView* v)
{
    auto quoted = [](const std::string& kind, const std::string& text) {
        return kind + " \"" + WithoutHotkeyMarks(text.c_str()) + "\"";
    };
    if (auto* t = dynamic_cast<TStaticText*>(v))
        return quoted(dynamic_cast<TLabel*>(v) ? "label" : "text", t->Text());
    if (dynamic_cast<TCloseButton*>(v))
        return "close button";
    if (auto* b = dynamic_cast<TTextButton*>(v))
        return quoted("button", b->Text());
    if (auto* i = dynamic_cast<TSelectorItem*>(v))
        return quoted("item", i->Text());
    if (auto* m = dynamic_cast<TMenuLine*>(v))
        return quoted("menu line", m->Text());
    if (auto* s = dynamic_cast<TCustomSelector*>(v))
        return quoted("selector", s->Title());
    if (dynamic_cast<TAnalogSel*>(v))
        return "slider";
    if (dynamic_cast<TImage*>(v))
        return "picture";
    if (dynamic_cast<TInputLine*>(v))
        return "input line";
    if (v->kind == view::kDialog)
        return "the dialog";
    return "view of kind " + std::to_string(v->kind);
}

// The rows of a text's box that hold ink: what is cut when it does not fit.
// The box's empty rows (room for accents and tails the text does not use)
// may lie over a neighbour without harm.
Rect Inked(TView* v, const Rect& box, const std::string& text)
{
    std::string plain = WithoutHotkeyMarks(text.c_str());
    if (!v->font || plain.empty())
        return box;
    DrawingState saved;
    theScreen.font = v->font;
    int first, last;
    if (!InkedRows(plain.c_str(), first, last))
        return box;
    return {box.left, box.top + first, box.right, box.top + last};
}

Rect TitleInk(TCustomSelector* s)
{
    return Inked(s, s->TitleArea(), s->Title());
}

// The texts (and pictures) a view draws inside its frame, each with the
// room it may take.
std::vector<Placed> TextsInside(TView* v)
{
    Rect b = Bounds(v);
    std::vector<Placed> placed;
    // A button's text stays inside the focus ring drawn 5 pixels in (in the
    // face's colour when the button has no focus, so it would rub the text out).
    if (auto* button = dynamic_cast<TTextButton*>(v))
        placed.push_back({"its text", Inked(v, button->TextArea(), button->Text()),
                          {b.left + 6, b.top + 6, b.right - 6, b.bottom - 6}});
    else if (auto* line = dynamic_cast<TMenuLine*>(v))
        placed.push_back({"its text", Inked(v, line->TextArea(), line->Text()), {b.left + 2, b.top, b.right - 2, b.bottom}});
    else if (auto* item = dynamic_cast<TSelectorItem*>(v)) {
        // A tail may dip one row into the selector's face below the item,
        // which has the item's colour: nothing of it is lost.
        if (!item->Text().empty())
            placed.push_back({"its text", Inked(v, item->TextArea(), item->Text()), {b.left, b.top, b.right, b.bottom + 1}});
        placed.push_back({"its box", item->Box(), b});
    } else if (auto* selector = dynamic_cast<TCustomSelector*>(v)) {
        if (!selector->Title().empty())
            placed.push_back({"its title", TitleInk(selector), {b.left + 6, b.top + v->bevel, b.right - 6, b.bottom}});
    } else if (auto* image = dynamic_cast<TImage*>(v)) {
        if (SDL_Surface* p = image->Picture()) {
            int cx = (b.left + b.right + 1) / 2, cy = (b.top + b.bottom + 1) / 2;
            placed.push_back({"its picture", {cx - p->w / 2, cy - p->h / 2, cx - p->w / 2 + p->w - 1, cy - p->h / 2 + p->h - 1}, b});
        }
    } else if (dynamic_cast<TInputLine*>(v)) {
        // Typed text, its selection and its cursor take a line's height.
        int h = TextHeight(v), mid = (b.top + b.bottom) / 2;
        placed.push_back({"a line of text", {b.left + 6, mid - h / 2, b.right - 6, mid - h / 2 + h - 1},
                          {b.left, b.top + 1, b.right, b.bottom - 1}});
    }
    return placed;
}

void CheckGroup(TGroup& group, const std::vector<DrawnArea>& drawn, std::vector<std::string>& faults)
{
    Rect frame = Bounds(&group);
    std::string where = " in " + Name(&group) + " " + Show(frame);
    std::vector<TView*> children;
    group.EachChild([&](TView* v) {
        if (!v->Has(view::kVisible))
            return;
        if (auto* t = dynamic_cast<TStaticText*>(v))
            if ((t->Options() & statictext::kHidden) || t->Text().empty())
                return;
        children.push_back(v);
    });
    for (const DrawnArea& d : drawn)
        if (!Inside(d.area, frame))
            faults.push_back(d.what + " " + Show(d.area) + " sticks out" + where);
    for (TView* v : children) {
        Rect e = Extent(v);
        if (!Inside(e, frame))
            faults.push_back(Name(v) + " " + Show(e) + " sticks out" + where);
        for (const Placed& p : TextsInside(v))
            if (!Inside(p.area, p.room))
                faults.push_back(p.what + " " + Show(p.area) + " does not fit " + Name(v) + " " + Show(p.room));
        for (const DrawnArea& d : drawn)
            if (Overlap(d.area, e))
                faults.push_back(d.what + " " + Show(d.area) + " overlaps " + Name(v) + " " + Show(e));
    }
    for (std::size_t i = 0; i < children.size(); ++i)
        for (std::size_t k = i + 1; k < children.size(); ++k) {
            Rect a = Extent(children[i]), b = Extent(children[k]);
            // No overlap is designed in: even a label sits beside its control.
            if (Overlap(a, b))
                faults.push_back(Name(children[i]) + " " + Show(a) + " overlaps " + Name(children[k]) + " " + Show(b) +
                                 where);
        }
    for (TView* v : children)
        if (auto* inner = dynamic_cast<TGroup*>(v)) {
            std::vector<DrawnArea> own;
            // A selector's title shares its frame with the items below it.
            if (auto* s = dynamic_cast<TCustomSelector*>(v); s && !s->Title().empty())
                own.push_back({"the title \"" + WithoutHotkeyMarks(s->Title().c_str()) + "\"", TitleInk(s)});
            CheckGroup(*inner, own, faults);
        }
}

}  // namespace

bool Overlap(const Rect& a, const Rect& b)
{
    if (Empty(a) || Empty(b))
        return false;
    return a.left <= b.right && b.left <= a.right && a.top <= b.bottom && b.top <= a.bottom;
}

bool Inside(const Rect& inner, const Rect& outer)
{
    return Empty(inner) || (outer.left <= inner.left && inner.right <= outer.right && outer.top <= inner.top &&
                            inner.bottom <= outer.bottom);
}

int TextHeight(TView* view)
{
    DrawingState saved;
    theScreen.font = view->font;
    theScreen.vAnchor = 2;
    return TextBounds(0, 0, 1).bottom + 1;
}

Rect Extent(TView* v)
{
    if (auto* t = dynamic_cast<TStaticText*>(v))
        return Inked(v, t->TextArea(), t->Text());
    Rect e = Bounds(v);
    if (auto* slider = dynamic_cast<TAnalogSel*>(v))
        e = Union(e, slider->ValueArea());
    return e;
}

void SaveLayoutShot(const std::string& name)
{
    const char* folder = std::getenv("QUOLI_LAYOUT_SHOTS");
    if (!folder || !theScreen.surface)
        return;
    std::string size = std::to_string(theScreen.width) + "x" + std::to_string(theScreen.height);
    SDL_SaveBMP(theScreen.surface, (std::string(folder) + "/" + name + "-" + size + ".bmp").c_str());
}

std::vector<std::string> LayoutFaults(TGroup& dialog, const std::vector<DrawnArea>& drawn)
{
    std::vector<std::string> faults;
    Rect screen = {0, 0, theScreen.width - 1, theScreen.height - 1};
    if (!Inside(Bounds(&dialog), screen))
        faults.push_back("the dialog " + Show(Bounds(&dialog)) + " sticks out of the screen");
    for (std::size_t i = 0; i < drawn.size(); ++i)
        for (std::size_t k = i + 1; k < drawn.size(); ++k)
            if (Overlap(drawn[i].area, drawn[k].area))
                faults.push_back(drawn[i].what + " overlaps " + drawn[k].what);
    CheckGroup(dialog, drawn, faults);
    return faults;
}
