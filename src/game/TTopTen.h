#pragma once
// The top-ten table on screen, and the screen shown at the end of a game
// that puts a new score in it and asks for the name to go beside it.

#include "ui/TMenuContext.h"
#include "game/ScreenState.h"
#include "game/TopTenTable.h"
#include "ui/TDialog.h"

#include <cstdint>
#include <string>

class TTopTenDialog : public TDialog {
public:
    TTopTenDialog(const char* path, unsigned options);

    void DrawBody() override;
    void Idle() override;
    // Ranks the score; when it enters, opens the name dialog on `name`.
    // Returns the row (11 when it did not enter).
    int RankAndAsk(char* name, std::uint32_t score);

    TopTenTable table;
    const std::string& Path() const { return path_; }
    // The sunken area the rows are written in, and where row `row`
    // (1 to 10) writes its name and its score.
    const Rect& TableArea() const { return area_; }
    Rect NameArea(int row) const;
    Rect ScoreArea(int row) const;
    int highlighted = 0;
    // The new entry blinks between dark red and blue: both read on the
    // table's grey.
    static constexpr int kBlinkFirst = 21, kBlinkSecond = 9;

private:
    void DrawRow(int row, std::uint32_t colour);
    int RowY(int row) const;
    std::string NameText(int row) const;
    std::string ScoreText(int row) const;
    std::string path_;
    Rect area_{};
    int inset_;
    std::uint32_t blinkTimer_ = 0;
    int blinkColour_ = kBlinkFirst;
};

class TTopTenContext : public TMenuContext {
public:
    TTopTenContext(const char* userName, std::uint32_t score);

    void Start() override;
    void HandleEvent(TEvent& event) override;
    void Stop() override;

private:
    char name_[20] = {};
    std::string user_;
    std::uint32_t score_;
    bool waiting_ = false;
    int row_ = 0;
    TTopTenDialog* dialog_ = nullptr;
    ScreenState saved_;
};
