#include "menus/TMainMenuContext.h"

#include "app/CommandQueue.h"
#include "app/DataProblems.h"
#include "app/Commands.h"
#include "app/Voice.h"
#include "exercises/ExerciseKinds.h"
#include "exercises/ExercisePaths.h"
#include "exercises/TExerciseDialog.h"
#include "exercises/TExerciseDocument.h"
#include "game/GameCommands.h"
#include "game/TTopTen.h"
#include "game/TopTenTable.h"
#include "game/TZandorliGameContext.h"
#include "gfx/Screen.h"
#include "gfx/Text.h"
#include "help/TMiniBrowser.h"
#include "session/GameSettings.h"
#include "menus/LastUser.h"
#include "menus/MenuCommands.h"
#include "menus/TOptionsDialog.h"
#include "resources/StringTable.h"
#include "resources/TFileList.h"
#include "ui/StandardDialogs.h"
#include "ui/TButton.h"
#include "ui/TCustomSelector.h"
#include "ui/TInputLine.h"
#include "ui/TListBox.h"
#include "ui/TScrollBar.h"
#include "ui/TSelectorItem.h"
#include "ui/TStaticText.h"
#include "users/TDataFile.h"
#include "session/Session.h"
#include "users/TArchiveDialog.h"
#include "users/TControlDialog.h"
#include "users/TProfileDialog.h"
#include "users/VoiceProfile.h"

#include <algorithm>

namespace {

constexpr int kListFlags = TFileList::kFiles | TFileList::kCutAtFirstDot;

}  // namespace

TMainDialog::TMainDialog()
{
    LockDraw();
    EnsureExerciseFolders();
    int L = LineHeight();
    Rect r = PlaceDesign(this, 86, 20, 320, 60);
    auto* name = &Insert(std::make_unique<TInputLine>(r.left, r.top, r.right, r.bottom, inputline::kSelectOnFocus, theSession.userName, kMaxUserName,
                                inputline::kLetters | inputline::kDigits | inputline::kSpace | inputline::kOther |
                                    inputline::kApostrophe | inputline::kHyphen));
    r = PlaceDesign(this, 20, 20, 66, 60);
    Insert(std::make_unique<TLabel>(r.left, r.top, r.right, r.bottom, GetString(4, 20), -1, name, statictext::kCentreDown));

    r = PlaceDesign(this, 20, 72, 220, 192);
    Insert(std::make_unique<TRadioButtons>(r.left, r.top, r.right, r.bottom, GetString(4, 105), 0, &theSession.settings.exerciseType,
                             NewItem(GetString(4, 106), -1, NewItem(GetString(4, 107), -1, NewItem(GetString(4, 108), -1, nullptr)))));
    r = PlaceDesign(this, 232, 72, 372, 192);
    Insert(std::make_unique<TRadioButtons>(r.left, r.top, r.right, r.bottom, GetString(4, 101), 0, &theSession.settings.theme,
                             NewItem(GetString(4, 102), -1, NewItem(GetString(4, 103), -1, NewItem(GetString(4, 104), -1, nullptr)))));

    // Dictation goes with every kind: the words are heard, not read. It
    // needs the voice.
    r = PlaceDesign(this, 20, 200, 372, 224);
    auto* dictation = &Insert(std::make_unique<TCheckBox>(r.left, r.top, r.right, r.bottom, GetString(4, 113), -1,
                                                          &theSession.voice.dictation));
    dictation->SetState(view::kEnabled, voice::Ready());

    listedType_ = theSession.settings.exerciseType;
    r = PlaceDesign(this, 20, 236, 372, -50);
    r.top += L;
    files_ = &Insert(std::make_unique<TMFileListBox>(r.left, r.top, r.right, r.bottom, 0, theSession.settings.exerciseName,
                               GameSettings::kExerciseNameSize, KindFolderPath(listedType_).c_str(),
                               exercise::KindExtension(listedType_) ? exercise::KindExtension(listedType_) : "",
                               kListFlags));
    files_->SetPresentation(ExerciseShownName);
    Rect label = PlaceDesign(this, 20, 230, 392, 230);
    Insert(std::make_unique<TLabel>(label.left, label.top, label.right, label.top + L, GetString(4, 109), -1, files_, 0));

    r = PlaceDesign(this, 190, -36, 350, -26);
    startLevel_ = &Insert(std::make_unique<TAnalogSel>(r.left, r.top, r.right, r.bottom, 0, &theSession.settings.startLevel, 1, 10, 1));
    r = PlaceDesign(this, 20, -44, 180, -18);
    startLevelLabel_ = &Insert(std::make_unique<TLabel>(r.left, r.top, r.right, r.bottom, GetString(4, 112), -1, startLevel_, statictext::kCentreDown));

    struct Entry {
        int text, key, cmd;
    } buttons[] = {{1, SDLK_F1, command::kHelp},       {2, SDLK_F2, command::kTopTen},   {3, SDLK_F3, command::kExercises},
                   {6, SDLK_F6, command::kControls},   {7, SDLK_F7, command::kProfiles}, {8, SDLK_F8, command::kOptions},
                   {9, SDLK_F9, command::kResults},    {10, SDLK_F10, command::kPlay}};
    int i = 0;
    for (const Entry& b : buttons) {
        // The column starts below the close button's corner.
        Rect br = PlaceDesign(this, -230, 34 + 52 * i, -30, 34 + 52 * i + 40);
        Insert(std::make_unique<TTextButton>(br.left, br.top, br.right, br.bottom, GetString(4, b.text), b.key, b.cmd));
        ++i;
    }
    FocusChild(name);
    lastSelection_ = files_->Selection();
    CountLevels(false);
    UnlockDraw();
}

void TMainDialog::SetSliderEnabled(bool on)
{
    startLevel_->SetState(view::kEnabled, on);
    startLevelLabel_->SetState(view::kEnabled, on);
}

void TMainDialog::CountLevels(bool selectionChanged)
{
    if (files_->Selection() == 0) {
        theSession.settings.startLevel = 1;
        SetSliderEnabled(false);
        return;
    }
    std::string path = ExercisePath(theSession.settings.exerciseType, theSession.settings.exerciseName);
    int levels = ::CountLevels(path.c_str());
    if (levels < 1) {
        SetSliderEnabled(false);
        return;
    }
    if (selectionChanged)
        theSession.settings.startLevel = 1;
    startLevel_->SetRange(1, levels, 1, 0);
    SetSliderEnabled(true);
}

void TMainDialog::HandleEvent(TEvent& event)
{
    if (quitConfirmed_) {
        PostCommand(command::kQuit);
        return;
    }
    TMenu::HandleEvent(event);
    switch (event.command) {
    case command::kCloseMenu:
        quitConfirmed_ = 0;
        PushDialog(this, std::make_unique<TQueryDialog>(Scaled(320), Scaled(400), GetString(0, 5), &quitConfirmed_,
                                          dialog::kSaveBackground));
        break;
    case command::kHelp: {
        int m = Scaled(10);
        PushDialog(this, std::make_unique<TMiniBrowser>(left + m, top + m, right - m, bottom - m, GetString(4, 21), GetString(3, 2),
                                          dialog::kSaveBackground));
        break;
    }
    case command::kTopTen:
        PushDialog(this, std::make_unique<TTopTenDialog>(TopTenPath().c_str(), dialog::kSaveBackground));
        break;
    case command::kExercises:
        PushDialog(this, std::make_unique<TExerciseDialog>());
        break;
    case command::kProfiles:
        PushDialog(this, std::make_unique<TProfileDialog>());
        break;
    case command::kResults:
        PushDialog(this, std::make_unique<TArchiveDialog>());
        break;
    case command::kControls:
        PushDialog(this, std::make_unique<TControlDialog>(theSession.settings.device));
        break;
    case command::kOptions:
        PushDialog(this, std::make_unique<TOptionsDialog>(left + Scaled(10), top + Scaled(52), right - Scaled(10), bottom - Scaled(52)));
        break;
    case command::kPlay:
        // Without a name or an exercise there is nothing to play yet.
        if (theSession.userName[0] == 0 || theSession.settings.exerciseName[0] == 0) {
            event.command = 0;
            PushDialog(this, std::make_unique<TMessageDialog>(Scaled(320), Scaled(240), GetString(0, 10),
                                                GetString(4, theSession.userName[0] == 0 ? 22 : 111), dialog::kSaveBackground));
        }
        break;
    default:
        break;
    }
}

void TMainDialog::Idle()
{
    TMenu::Idle();
    // The teacher learns what could not be done with the data folder's files.
    std::string problem = TakeDataProblem();
    if (!problem.empty())
        ShowMessage(this, GetString(0, 11), problem.c_str());
    if (theSession.profileLoaded) {
        // Another child's settings: their kind of exercise, their exercise.
        theSession.profileLoaded = false;
        listedType_ = theSession.settings.exerciseType;
        theSession.exerciseListChanged = true;
        Draw();
    }
    bool refresh = theSession.exerciseListChanged;
    if (theSession.settings.exerciseType != listedType_ || refresh) {
        theSession.exerciseListChanged = false;
        if (!refresh) {
            theSession.settings.exerciseName[0] = 0;
            listedType_ = theSession.settings.exerciseType;
        }
        const char* ext = exercise::KindExtension(listedType_);
        std::string keep = theSession.settings.exerciseName;
        files_->Rescan(KindFolderPath(listedType_).c_str(), ext ? ext : "", kListFlags);
        files_->SelectName(keep.c_str());
        SetSliderEnabled(true);
        CountLevels(!refresh);
        lastSelection_ = files_->Selection();
        files_->Draw();
    }
    if (theFileListSelectionChanged) {
        theFileListSelectionChanged = false;
        bool changed = files_->Selection() != lastSelection_;
        lastSelection_ = files_->Selection();
        CountLevels(changed);
    }
}

void TMainMenuContext::Start()
{
    TDidaMenuContext::Start();
    ReadLastUser();
    voiceprofile::Load(theSession.userName);
    AddDialog(std::make_unique<TMainDialog>());
}

void TMainMenuContext::HandleEvent(TEvent& event)
{
    TDidaMenuContext::HandleEvent(event);
    if (event.command == command::kPlay)
        ReplaceWith(std::make_unique<TZandorliGameContext>());
}

void TMainMenuContext::Stop()
{
    WriteLastUser();
    voiceprofile::Save(theSession.userName);
}
