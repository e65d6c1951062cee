// The ProjectDialog (template 101): the whole authoring user interface. It owns
// the actor list and every project value for the program's lifetime; numeric
// settings live in their controls and are read from them when needed.
#pragma once
#include <windows.h>

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "authoring/model/actor_import.h"
#include "authoring/model/project_model.h"
#include "authoring/win32/mode_button.h"
#include "common/imaging/drawing_surface.h"

namespace orb {

inline constexpr int kSlotCount = 5;
inline constexpr int kThumbnailTable = 255;
// The actor count is published on the dialog window for tools and test drivers.
inline constexpr char kActorCountProperty[] = "OrbActorCount";

class ProjectDialog {
public:
    // `startActor`: an actor file named on the command line, or empty;
    // `startArguments`: how many such arguments there were (the progress range).
    ProjectDialog(std::string programFolder, std::string startActor, int startArguments);
    // Runs modally until Close.
    INT_PTR Run(HINSTANCE instance);

    // Values as Save stores them, read from the controls.
    int MotionMode() const { return modes_.PressedIndex(); }
    int BackgroundKind() const;

private:
    static INT_PTR CALLBACK Proc(HWND, UINT, WPARAM, LPARAM);
    INT_PTR Handle(UINT message, WPARAM wParam, LPARAM lParam);

    void Initialise();
    void Reset(bool startUp);
    void ApplyFirstPaint();
    void LoadStartActor();
    void OnCommand(int id, int code, HWND control);
    void OnSlider(HWND slider);
    void OnVerticalScroll(int code, int position, HWND control);
    void OnDrawItem(const DRAWITEMSTRUCT& item);
    void ClampOnLeave(int id);
    void ChooseBackgroundColour();
    void BrowseBackground();
    void EnableImagePath();
    void DefaultPathsFromSettings();

    // File work: preview, save, build, install, load.
    void SyncModel();  // controls into the model
    void ShowModel();  // the model into the controls
    void PreviewProject();
    void SaveOrBuildProject();
    void LoadProjectFile();

    // Actor list view.
    void RebuildThumbnails();
    void RedrawSlots();
    int FirstVisible() const;
    void DrawSlot(const DRAWITEMSTRUCT& item, int slot);
    void SelectAt(POINT point);
    void StartAnimation();
    void AnimationTick();
    void MoveSelected(int direction);
    void RemoveSelected();
    void ModifySelected();
    void AddActors();
    void ImportAviClips(const std::vector<std::string>& paths);
    ActorPathChooser ActorFileChooser() const;
    void GiveDefaultTransparencyFrom(std::size_t fromFrame);
    int SelectedActor() const { return selected_; }

    HWND dialog_ = nullptr;
    std::string programFolder_;
    std::string startActor_;
    int startArguments_ = 0;

    ProjectModel project_;
    FrameList& actors_ = project_.frames;  // the actor list of the project
    // One thumbnail per frame, per actor in list order.
    std::vector<std::vector<GXDrawingSurface>> thumbnails_;
    std::int32_t actorCount_ = 0;
    std::int32_t firstVisible_ = 0;
    int scrollPosition_ = 0;
    int selected_ = -1;       // actor index, or -1
    int animationSlot_ = 0;
    int animationFrame_ = 0;

    std::string importPath_;
    std::string& projectPath_ = project_.projectPath;
    std::string& bannerPath_ = project_.bannerPath;
    std::string& musicPath_ = project_.soundPaths[kMusicSound];
    std::string& bounceSoundPath_ = project_.soundPaths[kBounceSound];
    std::string& createSoundPath_ = project_.soundPaths[kCreateSound];
    std::string& destroySoundPath_ = project_.soundPaths[kDestroySound];
    bool loopMusic_ = false, eraser_ = false, turbo_ = false;
    bool quickRotation_ = true, alignToPath_ = false;
    bool flipHorizontal_ = false, flipVertical_ = false;
    bool loadAsActor_ = true, previewImport_ = true, buildActor_ = false;
    std::uint32_t backgroundColour_ = 0xFFFFFF;

    std::array<ModeButton, 8> modeButtons_;
    ModeButtonGroup modes_;
    ModeButton shuffle_, upActor_, downActor_;
    bool firstPaintDone_ = false;
    bool updatingSwirl_ = false, updatingSpin_ = false;
};

}  // namespace orb
