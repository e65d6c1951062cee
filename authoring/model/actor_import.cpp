#include "actor_import.h"

#include <algorithm>
#include <cctype>

#include "authoring/import/bmp_import.h"
#include "authoring/import/image_file.h"
#include "common/formats/actor_file.h"
#include "common/io/file_io.h"

namespace orb {

namespace {

std::string Upper(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return char(std::toupper(c)); });
    return text;
}

bool AlreadyLoaded(const ProjectModel& project, const std::string& path, ReportSink& sink) {
    if (!FindByName(project.frames, path)) return false;
    sink.Information("This object has already been loaded", path);
    return true;
}

// A decoded picture as a 24-bit frame appended to the list, its own first frame.
bool AppendPicture(const PackedImage& image, const std::string& path, ProjectModel& project, ReportSink& sink) {
    GXDrawingSurface surface;
    if (!surface.FromPackedDib(image.bytes, path) || !surface.ConvertTo24(Program::Authoring, sink)) {
        sink.Error("Unable to read image file", path);
        return false;
    }
    GXDrawingSurface* frame = surface.AppendCopy(project.frames);
    frame->firstFrame = frame;
    frame->frameIndex = 0;
    frame->frameCount = 1;
    return true;
}

// Bitmaps go through the lenient reader, so pictures the embedded reader refuses
// (top-down, 16/32 bit, newer headers, RLE) are converted instead of rejected.
bool ImportBitmap(const std::string& path, ProjectModel& project, ReportSink& sink) {
    std::optional<std::vector<std::uint8_t>> bytes = ReadWholeFile(path);
    if (!bytes) {
        sink.Error("Unable to open file: file may be corrupt or in use by another application", path);
        return false;
    }
    std::optional<PackedImage> image;
    BmpImport result = DecodeBmpLeniently(*bytes, image);
    if (result.code != 0) {
        sink.Error(result.problem, path);
        return false;
    }
    if (result.incomplete) sink.Information("BMP file may be incomplete (loaded it anyway)", path);
    return AppendPicture(*image, path, project, sink);
}

bool ImportPicture(const std::string& path, ProjectModel& project, ReportSink& sink) {
    std::optional<PackedImage> image;
    std::uint32_t code = 0;
    if (!ReadImageFile(path, image, &code)) {
        sink.Error("Unable to read image file (code " + std::to_string(code) + ")", path);
        return false;
    }
    return AppendPicture(*image, path, project, sink);
}

}  // namespace

int FileTypeNumber(const std::string& path) {
    static const char* const kTypes[] = {"ACT", "AVI", "BMP", "JPG", "PCX", "PNG", "TGA"};
    std::string ext = Upper(PathExtension(path));
    for (int i = 0; i < 7; ++i)
        if (ext == kTypes[i]) return i + 1;
    return 0;
}

void GiveDefaultTransparency(GXDrawingSurface& frame) {
    if (frame.pixels.size() >= 3) frame.key = {frame.pixels[0], frame.pixels[1], frame.pixels[2], 10};
    frame.key.tolerance = 10;
    frame.ApplyColourKey(1, Program::Authoring);
    frame.Rotate(0, Program::Authoring);
    frame.squareCanvas = true;
}

bool BuildActorFile(GXDrawingSurface& first, ReportSink& sink) {
    std::string ext = PathExtension(first.name);
    if (Upper(ext) == "ACT") return true;
    std::string target = first.name.substr(0, first.name.size() - ext.size());
    if (ext.empty()) target += ".";
    target += "ACT";
    if (!AcceptablePath(target, sink)) return false;
    first.name = target;
    return SaveActor(target, first, sink);
}

std::size_t ImportActors(const std::vector<std::string>& paths, const ImportOptions& options,
                         ProjectModel& project, ReportSink& sink) {
    if (paths.empty()) return 0;
    std::string type = Upper(PathExtension(paths.front()));
    bool sameType = type.size() == 3 && std::all_of(paths.begin(), paths.end(), [&](const std::string& p) {
                        return Upper(PathExtension(p)) == type;
                    });
    if (!sameType) {
        sink.Information("Mixed file type selections are not allowed");
        return 0;
    }
    bool picture = type == "BMP" || type == "JPG" || type == "PCX" || type == "PNG" || type == "TGA";
    if (!picture && type != "ACT") {
        sink.Error("Orbellan does not support this file format", paths.front());
        return 0;
    }
    for (const std::string& path : paths)
        if (!AcceptablePath(path, sink)) return 0;

    const std::size_t actorsBefore = project.ActorCount();
    const std::size_t begin = project.frames.size();
    for (const std::string& path : paths) {
        if (AlreadyLoaded(project, path, sink)) break;
        std::size_t before = project.frames.size();
        bool ok = type == "BMP"   ? ImportBitmap(path, project, sink)
                  : type == "ACT" ? bool(LoadActor(path, project.frames, Program::Authoring, sink))
                                  : ImportPicture(path, project, sink);
        if (!ok) break;
        if (type == "ACT") {
            if (options.loadAsActor) {
                NumberAsOneActor(project.frames, before, project.frames.size());
                project.frames[before]->name = path;
            } else {
                for (std::size_t i = before; i < project.frames.size(); ++i)
                    NumberAsOneActor(project.frames, i, i + 1);
            }
        }
    }
    if (project.frames.size() > begin && picture && options.loadAsActor) {
        NumberAsOneActor(project.frames, begin, project.frames.size());
        if (options.buildActor) BuildActorFile(*project.frames[begin], sink);
    }
    RelinkFrames(project.frames);
    project.DropActorsBeyondLimit(sink);
    for (std::size_t i = begin; i < project.frames.size(); ++i) GiveDefaultTransparency(*project.frames[i]);
    return project.ActorCount() - actorsBefore;
}

}  // namespace orb
