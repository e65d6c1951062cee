#include "actor_import.h"

#include <algorithm>
#include <cctype>

#include "authoring/import/image_file.h"
#include "authoring/import/picture_alpha.h"
#include "authoring/model/picture_frames.h"
#include "common/formats/actor_file.h"
#include "common/io/file_io.h"

namespace orb {

namespace {

std::string Upper(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return char(std::toupper(c)); });
    return text;
}

// `loaded`, after the report that refuses the path when it is.
bool RefusedAsLoaded(bool loaded, const std::string& path, const ImportOptions& options, ReportSink& sink,
                     ImportResult& result) {
    if (!loaded) return false;
    sink.Deliver({options.refusalKind, "This object has already been loaded", path});
    result.refusal = ImportRefusal::AlreadyLoaded;
    return true;
}

// The name of frame `index` of a picture file: the path itself for the first, so
// the actor goes by its file, and the path with the frame's number for the rest,
// so every frame that becomes an actor of its own still has a name of its own.
std::string FrameName(const std::string& path, std::size_t index) {
    return index == 0 ? path : path + "#" + std::to_string(index + 1);
}

// A decoded picture as a 24-bit frame appended to the list, its own first frame.
bool AppendPicture(const PackedImage& image, const std::string& name, ProjectModel& project, ReportSink& sink) {
    GXDrawingSurface surface;
    if (!surface.FromPackedDib(image.bytes, name) || !surface.ConvertTo24(Program::Authoring, sink)) {
        sink.Error("Unable to read image file", name);
        return false;
    }
    GXDrawingSurface* frame = surface.AppendCopy(project.frames);
    frame->firstFrame = frame;
    frame->frameIndex = 0;
    frame->frameCount = 1;
    return true;
}

struct PictureFile {
    std::string path;
    std::vector<PackedImage> frames;
};

// Appends the pictures' frames, one run per actor to be. A run of which any frame
// has transparent pixels is keyed by the pictures' opacity (the actor file keeps
// one key for all frames of an actor); the others are shown over white, as their
// default transparency expects. Marks each appended frame in `keyedByOpacity`.
bool AppendPictures(std::vector<PictureFile>& files, bool oneActor, ProjectModel& project, ReportSink& sink,
                    std::vector<bool>& keyedByOpacity) {
    std::vector<std::pair<std::string, PackedImage*>> run;
    auto appendRun = [&]() {
        const bool keyed = std::any_of(run.begin(), run.end(), [](const auto& f) { return HasTransparentPixels(*f.second); });
        for (auto& [name, image] : run) {
            if (keyed) KeyByOpacity(*image);
            else FlattenOverWhite(*image);
            if (!AppendPicture(*image, name, project, sink)) return false;
            if (keyed) project.frames.back()->key = kOpacityKey;  // an actor file built from it says so
            keyedByOpacity.push_back(keyed);
        }
        run.clear();
        return true;
    };
    for (PictureFile& file : files)
        for (std::size_t i = 0; i < file.frames.size(); ++i) {
            run.emplace_back(FrameName(file.path, i), &file.frames[i]);
            if (!oneActor && !appendRun()) return false;
        }
    return appendRun();
}

// Reads the picture files in order until one is refused or fails, then appends
// what was read.
void ImportPictures(const std::vector<std::string>& paths, const std::string& type, const ImportOptions& options,
                    ProjectModel& project, ReportSink& sink, std::vector<bool>& keyedByOpacity, ImportResult& result) {
    std::vector<PictureFile> files;
    for (const std::string& path : paths) {
        if (options.beforeFile) options.beforeFile(path);
        PictureFile file{path, {}};
        const bool readBefore = std::any_of(files.begin(), files.end(), [&](const PictureFile& f) { return f.path == path; });
        if (RefusedAsLoaded(readBefore || FindByName(project.frames, path), path, options, sink, result) ||
            !ReadPictureFrames(path, type, {options.largestSide, options.grid}, file.frames, sink, result.scaledDown))
            break;
        files.push_back(std::move(file));
    }
    AppendPictures(files, options.loadAsActor, project, sink, keyedByOpacity);
}

void ImportActorFiles(const std::vector<std::string>& paths, const ImportOptions& options, ProjectModel& project,
                      ReportSink& sink, ImportResult& result) {
    for (const std::string& path : paths) {
        if (options.beforeFile) options.beforeFile(path);
        if (RefusedAsLoaded(FindByName(project.frames, path) != nullptr, path, options, sink, result)) break;
        std::size_t before = project.frames.size();
        if (!LoadActor(path, project.frames, Program::Authoring, sink)) break;
        if (options.loadAsActor) {
            NumberAsOneActor(project.frames, before, project.frames.size());
            project.frames[before]->name = path;
        } else {
            for (std::size_t i = before; i < project.frames.size(); ++i) NumberAsOneActor(project.frames, i, i + 1);
        }
    }
}

}  // namespace

int FileTypeNumber(const std::string& path) {
    static const char* const kTypes[] = {"ACT", "AVI", "BMP", "JPG", "PCX", "PNG", "TGA", "GIF"};
    std::string ext = Upper(PathExtension(path));
    for (std::size_t i = 0; i < std::size(kTypes); ++i)
        if (ext == kTypes[i]) return int(i) + 1;
    return 0;
}

namespace {
void PutOnSquareCanvas(GXDrawingSurface& frame) {
    frame.Rotate(0, Program::Authoring);
    frame.squareCanvas = true;
}
}  // namespace

void GiveDefaultTransparency(GXDrawingSurface& frame) {
    if (frame.pixels.size() >= 3) frame.key = {frame.pixels[0], frame.pixels[1], frame.pixels[2], 10};
    frame.key.tolerance = 10;
    frame.ApplyColourKey(1, Program::Authoring);
    PutOnSquareCanvas(frame);
}

void GiveOpacityTransparency(GXDrawingSurface& frame) {
    frame.key = kOpacityKey;
    PutOnSquareCanvas(frame);
}

bool BuildActorFile(GXDrawingSurface& first, ReportSink& sink, const ActorPathChooser& chooseOther) {
    std::string ext = PathExtension(first.name);
    if (Upper(ext) == "ACT") return true;
    std::string target = first.name.substr(0, first.name.size() - ext.size());
    if (ext.empty()) target += ".";
    target += "ACT";
    if (!AcceptablePath(target, sink)) return false;
    first.name = target;
    // With somewhere else to turn to, a failure here is no error yet.
    NullReportSink quiet;
    if (SaveActor(target, first, chooseOther ? static_cast<ReportSink&>(quiet) : sink)) return true;
    if (!chooseOther) return false;
    std::optional<std::string> chosen = chooseOther(target);
    return chosen && AcceptablePath(*chosen, sink) && SaveActor(*chosen, first, sink);
}

bool IsPictureType(const std::string& type) {
    return type == "BMP" || type == "JPG" || type == "PCX" || type == "PNG" || type == "TGA" || type == "GIF";
}

ImportResult ImportActors(const std::vector<std::string>& paths, const ImportOptions& options,
                          ProjectModel& project, ReportSink& sink) {
    ImportResult result;
    if (paths.empty()) return result;
    std::string type = Upper(PathExtension(paths.front()));
    bool sameType = type.size() == 3 && std::all_of(paths.begin(), paths.end(), [&](const std::string& p) {
                        return Upper(PathExtension(p)) == type;
                    });
    if (!sameType) {
        sink.Deliver({options.refusalKind, "Mixed file type selections are not allowed", {}});
        result.refusal = ImportRefusal::MixedTypes;
        return result;
    }
    bool picture = IsPictureType(type);
    if (!picture && type != "ACT") {
        sink.Error("Orbellan does not support this file format", paths.front());
        return result;
    }
    for (const std::string& path : paths)
        if (!AcceptablePath(path, sink)) return result;

    const std::size_t actorsBefore = project.ActorCount();
    const std::size_t begin = project.frames.size();
    std::vector<bool> keyedByOpacity;
    if (picture) {
        ImportPictures(paths, type, options, project, sink, keyedByOpacity, result);
        if (project.frames.size() > begin && options.loadAsActor) {
            NumberAsOneActor(project.frames, begin, project.frames.size());
            if (options.buildActor) BuildActorFile(*project.frames[begin], sink, options.chooseActorPath);
        }
    } else {
        ImportActorFiles(paths, options, project, sink, result);
    }
    RelinkFrames(project.frames);
    if (project.DropActorsBeyondLimit(sink, options.refusalKind)) result.refusal = ImportRefusal::TooManyActors;
    for (std::size_t i = begin; i < project.frames.size(); ++i) {
        const std::size_t n = i - begin;
        if (n < keyedByOpacity.size() && keyedByOpacity[n]) GiveOpacityTransparency(*project.frames[i]);
        else GiveDefaultTransparency(*project.frames[i]);
    }
    result.added = project.ActorCount() - actorsBefore;
    return result;
}

}  // namespace orb
