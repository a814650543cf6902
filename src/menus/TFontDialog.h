#pragma once
// Chooses the typeface, size and colours of the falling words, and shows
// "ABCabc" drawn with the current choice. Text and box may not share a
// colour: such a choice is undone at once.

#include "session/GameSettings.h"
#include "ui/TDialog.h"

#include <string>

class TFileListBox;

// How the chooser names the face in the fonts folder with this file stem:
// its own family and style, else a tidy form of the stem.
std::string ReadableFaceName(const std::string& stem);

class TFontDialog : public TDialog {
public:
    explicit TFontDialog(GameSettings& settings);
    TFileListBox* Faces() const { return faces_; }

    void DrawBody() override;
    void Idle() override;

private:
    struct Block {
        std::string name;
        int size, text, box;
        bool operator==(const Block& o) const
        {
            return name == o.name && size == o.size && text == o.text && box == o.box;
        }
    };
    Block Current() const;
    void DrawSample();

    GameSettings& settings_;
    TFileListBox* faces_ = nullptr;
    Block shown_;
    Rect sample_{};
};
