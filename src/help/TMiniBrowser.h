#pragma once
// A dialog showing one page in a viewer, with a title; with option 0x40000
// also Copy (to the clipboard) and Save (as a text file under "txt").

#include "ui/TDialog.h"

#include <cstdint>
#include <memory>
#include <string>

class THTMLViewer;

namespace browser {

constexpr unsigned kButtons = 0x40000;
constexpr int kCopy = 43;
constexpr int kSave = 35;

}  // namespace browser

class TMiniBrowser : public TDialog {
public:
    TMiniBrowser(int left, int top, int right, int bottom, const char* title, const char* path, unsigned options);

    void HandleEvent(TEvent& event) override;
    THTMLViewer* Viewer() const { return viewer_; }

    // Writes the viewer's pieces one a line, CR LF ended, to the file.
    bool SaveText(const std::string& path) const;

private:
    void AskName();
    void TrySave();

    std::string path_;
    THTMLViewer* viewer_;
    std::unique_ptr<char[]> name_;
    std::uint8_t overwrite_ = 0;
    bool pending_ = false;      // the overwrite question is open
    bool askingName_ = false;   // the name dialog is open
};

// The folder saved texts go to: the data folder (or the current one) + "txt".
std::string SavedTextFolder();
