// Turning picture and actor files into actors at the end of the project's list.
#pragma once
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "authoring/model/picture_frames.h"
#include "authoring/model/project_model.h"

namespace orb {

// Asked for another place when an actor file cannot be made where it belongs (given
// as the argument); nothing chosen gives none.
using ActorPathChooser = std::function<std::optional<std::string>(const std::string& target)>;

struct ImportOptions {
    bool loadAsActor = true;  // all frames of one import become one animated actor
    bool buildActor = false;  // also save that actor as an actor file (only with loadAsActor)
    std::int32_t largestSide = 0;  // longer pictures are scaled down to it, with a note; 0 keeps every size
    std::optional<SheetGrid> grid = std::nullopt;  // each picture is a sprite sheet: its cells are its frames
    // How refusals are reported: the dialog informs, the command line fails.
    ReportKind refusalKind = ReportKind::Information;
    // Told each file's path before it is imported, so a progress box can follow.
    std::function<void(const std::string& path)> beforeFile = {};
    ActorPathChooser chooseActorPath = {};  // for Build Actor; none: the failure is reported
};

// Why an import took less than it was given.
enum class ImportRefusal {
    None,
    MixedTypes,     // the files are not all of one three-letter type
    AlreadyLoaded,  // a file is in the project already, or twice in the selection
    TooManyActors,  // the actors beyond the 100th were dropped
};

struct ImportResult {
    std::size_t added = 0;                        // actors added
    ImportRefusal refusal = ImportRefusal::None;  // the last refusal reported
    bool scaledDown = false;                      // a picture was brought down to the largest side
};

// File-type number of an extension, without regard to case: ACT 1, AVI 2, BMP 3,
// JPG 4, PCX 5, PNG 6, TGA 7, GIF 8, anything else 0.
int FileTypeNumber(const std::string& path);

// Whether the (upper-case) type is one of the picture files an import takes:
// BMP, JPG, PCX, PNG, TGA, GIF.
bool IsPictureType(const std::string& type);

// Imports `paths` (all of one type) and gives every new frame its default
// transparency and square canvas; drops actors beyond the 100th. A GIF gives one
// frame per frame of its animation. Refusals and failures end the import at that
// file; what was read before stays. Every refusal is reported, with its own words,
// as well as returned, so a caller decides by the refusal and never by the text.
ImportResult ImportActors(const std::vector<std::string>& paths, const ImportOptions& options,
                         ProjectModel& project, ReportSink& sink);

// Key colour from the first stored pixel, tolerance 10, near-white made opaque, and
// the frame centred on its square canvas.
void GiveDefaultTransparency(GXDrawingSurface& frame);
// For frames whose pictures' opacity made their transparency (KeyByOpacity): that
// key, and the frame centred on its square canvas.
void GiveOpacityTransparency(GXDrawingSurface& frame);

// Saves the actor beside its source as NAME.ACT (nothing for an actor file) and
// renames the actor after it. When that file cannot be written, `chooseOther` (if
// given) names another place to write it. False when no file was written.
bool BuildActorFile(GXDrawingSurface& first, ReportSink& sink, const ActorPathChooser& chooseOther = {});

}  // namespace orb
