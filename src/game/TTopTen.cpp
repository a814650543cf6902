#include "game/TTopTen.h"

#include "app/WakeUp.h"
#include "app/Clock.h"
#include "app/Input.h"
#include "app/Commands.h"
#include "game/PauseContexts.h"
#include "gfx/Colours.h"
#include "gfx/Primitives.h"
#include "gfx/Screen.h"
#include "gfx/Text.h"
#include "resources/StringTable.h"
#include "ui/StandardDialogs.h"
#include "ui/TButton.h"
#include "ui/TStaticText.h"

#include <cstdio>
#include <cstring>

TTopTenDialog::TTopTenDialog(const char* path, unsigned options)
    : TDialog(5 * (theScreen.width / 32), theScreen.height / 24, theScreen.width - 5 * (theScreen.width / 32),
              theScreen.height - theScreen.height / 24, options),
      path_(path ? path : ""), inset_(theScreen.width / 32)
{
    int L = LineHeight();
    Rect title = PlaceInGroup(this, 20, 10, -20, 10 + L);
    Insert(std::make_unique<TStaticText>(title.left, title.top, title.right, title.bottom, GetString(5, 1), statictext::kCentreAcross));
    Rect ok = PlaceInGroup(this, (right - left) / 2 - Scaled(60), -Scaled(50), (right - left) / 2 + Scaled(60), -Scaled(15));
    auto* button = &Insert(std::make_unique<TTextButton>(ok.left, ok.top, ok.right, ok.bottom, GetString(5, 6), 13, command::kCloseDialog,
                                   button::kCentred));
    FocusChild(button);
    area_ = PlaceInGroup(this, Scaled(20), 20 + 2 * L, -Scaled(20), -Scaled(60));
    table.Open(path_);
}

int TTopTenDialog::RowY(int row) const
{
    int step = (area_.bottom - area_.top) / 12;
    return area_.top + step * row;
}

std::string TTopTenDialog::NameText(int row) const
{
    const TopTenEntry& e = table.entries[row - 1];
    return e.name[0] ? e.name : "-------------------------";
}

std::string TTopTenDialog::ScoreText(int row) const
{
    char score[16];
    std::snprintf(score, sizeof score, "%8u", table.entries[row - 1].score);
    for (char* p = score; *p; ++p)
        if (*p == ' ')
            *p = '0';
    return score;
}

Rect TTopTenDialog::NameArea(int row) const
{
    DrawingState saved;
    theScreen.font = font;
    theScreen.vAnchor = 1;
    theScreen.hAnchor = 0;
    return TextBounds(area_.left + inset_, RowY(row), TextWidth(NameText(row).c_str()));
}

Rect TTopTenDialog::ScoreArea(int row) const
{
    DrawingState saved;
    theScreen.font = font;
    theScreen.vAnchor = 1;
    theScreen.hAnchor = 2;
    return TextBounds(area_.right - inset_, RowY(row), TextWidth(ScoreText(row).c_str()));
}

void TTopTenDialog::DrawRow(int row, std::uint32_t colour)
{
    theScreen.font = font;
    theScreen.pen = colour;
    theScreen.vAnchor = 1;
    theScreen.hAnchor = 0;
    DrawText(area_.left + inset_, RowY(row), NameText(row).c_str());
    theScreen.hAnchor = 2;
    DrawText(area_.right - inset_, RowY(row), ScoreText(row).c_str());
}

void TTopTenDialog::DrawBody()
{
    TDialog::DrawBody();
    DrawBevel(area_.left, area_.top, area_.right, area_.bottom, 2, view::kSunken | (state_ & (view::kActive | view::kEnabled)));
    for (int row = 1; row <= TopTenTable::kEntries; ++row)
        DrawRow(row, SchemeColour(0));
}

void TTopTenDialog::Idle()
{
    TDialog::Idle();
    if (highlighted < 1 || highlighted > TopTenTable::kEntries)
        return;
    if (!Elapsed(blinkTimer_, 250)) {
        wakeup::In(blinkTimer_ + 251 - Now());  // the row's next blink
        return;
    }
    blinkTimer_ = Now();
    DrawRow(highlighted, MapColour(static_cast<std::uint32_t>(blinkColour_)));
    blinkColour_ = blinkColour_ == kBlinkFirst ? kBlinkSecond : kBlinkFirst;
}

int TTopTenDialog::RankAndAsk(char* name, std::uint32_t score)
{
    highlighted = table.Rank(score);
    if (highlighted <= TopTenTable::kEntries) {
        DropPendingKeys();
        PushDialog(this, std::make_unique<TGetNameDialog>(Scaled(320), Scaled(240), GetString(5, 4), name, 19, 0));
    }
    return highlighted;
}

TTopTenContext::TTopTenContext(const char* userName, std::uint32_t score)
    : TMenuContext(command::kEndModal), user_(userName ? userName : ""), score_(score)
{
    std::strncpy(name_, user_.c_str(), sizeof name_ - 1);
}

void TTopTenContext::Start()
{
    Freeze(saved_);
    dialog_ = &AddDialog(std::make_unique<TTopTenDialog>(TopTenPath().c_str(), 0));
    row_ = dialog_->RankAndAsk(name_, score_);
    waiting_ = TopDialog() != dialog_;
}

void TTopTenContext::HandleEvent(TEvent& event)
{
    TMenuContext::HandleEvent(event);
    if (!waiting_ || TopDialog() != dialog_)
        return;
    // An empty name takes the player's own.
    if (name_[0] == 0)
        std::strncpy(name_, user_.c_str(), sizeof name_ - 1);
    dialog_->table.Insert(row_, name_, score_);
    bool saved = dialog_->table.Save(dialog_->Path());
    dialog_->Draw();
    waiting_ = false;
    if (!saved)
        ShowMessage(dialog_, GetString(0, 11), GetString(5, 7));  // the old table stays as it was
}

void TTopTenContext::Stop()
{
    Thaw(saved_);
}
