// The ProjectDialog (template 101): the whole authoring user interface over one
// project model, which it owns for the program's lifetime. The settings' controls
// are the SettingsPanel; the actor list, the file work and the import are here.
#pragma once
#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

#include "authoring/model/actor_import.h"
#include "authoring/model/project_model.h"
#include "authoring/win32/mode_button.h"
#include "authoring/win32/settings_panel.h"
#include "common/imaging/drawing_surface.h"

namespace orb {

inline constexpr int kSlotCount = 5;
inline constexpr int kThumbnailTable = 255;
// Plays the selected actor's frames in its slot after a double click.
inline constexpr UINT_PTR kAnimationTimer = 1;
// The actor count is published on the dialog window for tools and test drivers.
inline constexpr char kActorCountProperty[] = "OrbActorCount";

class ProjectDialog {
public:
    // `startActor`: an actor file named on the command line, or empty;
    // `startArguments`: how many such arguments there were (the progress range).
    ProjectDialog(std::string programFolder, std::string startActor, int startArguments);
    // Runs modally until Close.
    INT_PTR Run(HINSTANCE instance);

private:
    static INT_PTR CALLBACK Proc(HWND, UINT, WPARAM, LPARAM);
    INT_PTR Handle(UINT message, WPARAM wParam, LPARAM lParam);

    void Initialise();
    void Reset(bool startUp);
    void LoadStartActor();
    void OnCommand(int id, int code, HWND control);
    void OnVerticalScroll(int code, int position, HWND control);
    void OnDrawItem(const DRAWITEMSTRUCT& item);
    void ChooseSounds();

    // File work: preview, save, build, install, load.
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

    HWND dialog_ = nullptr;
    std::string programFolder_;
    std::string startActor_;
    int startArguments_ = 0;

    ProjectModel project_;
    FrameList& actors_ = project_.frames;  // the actor list of the project
    SettingsPanel settings_{project_};

    // One thumbnail per frame, per actor in list order.
    std::vector<std::vector<GXDrawingSurface>> thumbnails_;
    std::int32_t actorCount_ = 0;  // actors when the thumbnails were made
    std::int32_t firstVisible_ = 0;
    int scrollPosition_ = 0;
    int selected_ = -1;       // actor index, or -1
    int animationSlot_ = 0;
    int animationFrame_ = 0;
    ModeButton upActor_, downActor_;

    // The import dialog's folder and choices, kept for the program's run.
    std::string importPath_;
    bool loadAsActor_ = true, previewImport_ = true, buildActor_ = false;
};

}  // namespace orb
