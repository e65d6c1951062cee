#include "authoring/cli/add_command.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <optional>

#include "authoring/cli/full_path.h"
#include "authoring/import/image_file.h"
#include "authoring/model/actor_import.h"
#include "authoring/model/profile.h"

namespace orb::cli {

namespace {

namespace fs = std::filesystem;

struct AddRequest {
    std::vector<std::string> files;
    ImportOptions options;
    bool separate = false;
};

// "COLSxROWS", each at least 1.
std::optional<SheetGrid> ParseGrid(const std::string& text) {
    int columns = 0, rows = 0;
    char tail = 0;
    if (std::sscanf(text.c_str(), "%dx%d%c", &columns, &rows, &tail) != 2 || columns < 1 || rows < 1)
        return std::nullopt;
    return SheetGrid{columns, rows, 0};
}

std::optional<AddRequest> ParseAdd(const std::vector<std::string>& a, TerminalSink& sink) {
    AddRequest request;
    request.options.largestSide = kLargestImportSide;
    request.options.refusalKind = ReportKind::Error;
    std::optional<std::int32_t> frames;
    for (std::size_t i = 0; i < a.size(); ++i) {
        const std::string& x = a[i];
        const bool hasValue = i + 1 < a.size();
        if (x == "--separate") {
            request.separate = true;
            request.options.loadAsActor = false;
        } else if (x == "--build-actor") {
            request.options.buildActor = true;
        } else if (x == "--full-size") {
            request.options.largestSide = 0;
        } else if (x == "--grid") {
            request.options.grid = hasValue ? ParseGrid(a[++i]) : std::nullopt;
            if (!request.options.grid) return sink.Error("--grid needs COLSxROWS, e.g. --grid 4x2"), std::nullopt;
        } else if (x == "--frames") {
            frames = hasValue ? ParseInt(a[++i]) : std::nullopt;
            if (!frames || *frames < 1) return sink.Error("--frames needs a number of frames, 1 or more"), std::nullopt;
        } else {
            request.files.push_back(FullPath(x));
        }
    }
    if (request.files.empty()) return sink.Error("No files to add"), std::nullopt;
    if (!request.options.loadAsActor) request.options.buildActor = false;
    if (frames && !request.options.grid) return sink.Error("--frames goes with --grid"), std::nullopt;
    if (SheetGrid* grid = request.options.grid ? &*request.options.grid : nullptr) {
        if (request.files.size() != 1) return sink.Error("--grid takes one picture file"), std::nullopt;
        std::string type = PathExtension(request.files[0]);
        std::transform(type.begin(), type.end(), type.begin(), [](unsigned char c) { return char(std::toupper(c)); });
        if (!IsPictureType(type)) return sink.Error("--grid takes a picture file", request.files[0]), std::nullopt;
        const std::int64_t cells = std::int64_t(grid->columns) * grid->rows;
        if (frames && *frames > cells)
            return sink.Error("--frames can be at most the " + std::to_string(cells) + " cells of the grid"), std::nullopt;
        grid->frames = frames.value_or(0);
    }
    return request;
}

// Imports through the model and shows what it reports; a refused input is an error.
bool Import(const std::vector<std::string>& files, const ImportOptions& options, ProjectModel& model,
            TerminalSink& sink) {
    const ImportResult result = ImportActors(files, options, model, sink);
    // Files of several types go in one by one; a single file of a four-letter type would not.
    const bool separateHelps = files.size() > 1 && std::all_of(files.begin(), files.end(), [](const std::string& f) {
                                   return PathExtension(f).size() == 3;
                               });
    if (result.refusal == ImportRefusal::MixedTypes && separateHelps)
        sink.Information("With --separate every file becomes an actor of its own, whatever its type");
    if (result.scaledDown) sink.Information("--full-size keeps pictures at their own size");
    return result.added > 0 && result.refusal == ImportRefusal::None;
}

}  // namespace

bool AddFiles(ProjectModel& model, const std::vector<std::string>& arguments, TerminalSink& sink) {
    std::optional<AddRequest> request = ParseAdd(arguments, sink);
    if (!request) return false;
    if (request->separate) {
        for (const std::string& file : request->files)
            if (!Import({file}, request->options, model, sink)) return false;
    } else if (!Import(request->files, request->options, model, sink)) {
        return false;
    }
    const std::vector<std::string>& files = request->files;
    IniProfile profile(DefaultProfilePath());
    profile.Write("DefaultDirectories", "DefaultOpenPath",
                  fs::absolute(files.size() == 1 ? fs::path(files[0]) : fs::path(files[0]).parent_path()).string());
    return true;
}

}  // namespace orb::cli
