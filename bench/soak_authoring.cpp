// soak_authoring [--iterations N] [--check]
// Saves, loads and builds a project N times (default 1,000) in a private folder,
// with the temporary folder pointed at a private one too, and prints resident
// memory at the start, middle and end. Afterwards the project folder must hold
// only the project and the built saver, and the temporary folder nothing. With
// --check it ends with 1 on a stray file, a failed step or (outside sanitizer
// builds) memory that grew by more than 1 MB from the middle to the end.
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <memory>
#include <set>
#include <string>
#include <unistd.h>

#include "authoring/model/project_files.h"
#include "bench/soak_memory.h"

namespace fs = std::filesystem;
using namespace orb;

namespace {

// Three actors of one to three frames, with every setting at its default.
ProjectModel SampleModel() {
    ProjectModel model;
    for (int actor = 0; actor < 3; ++actor) {
        const std::size_t begin = model.frames.size();
        for (int frame = 0; frame <= actor; ++frame) {
            auto picture = std::make_unique<GXDrawingSurface>();
            picture->Create(24, 16 + frame, 12);
            auto pixels = picture->Pixels();
            for (std::size_t i = 0; i < pixels.size(); ++i) pixels[i] = std::uint8_t(i * 7 + actor);
            picture->name = "actor" + std::to_string(actor);
            model.frames.push_back(std::move(picture));
        }
        NumberAsOneActor(model.frames, begin, model.frames.size());
    }
    return model;
}

std::set<std::string> Names(const fs::path& folder) {
    std::set<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder)) names.insert(entry.path().filename().string());
    return names;
}

}  // namespace

int main(int argc, char** argv) {
    long iterations = 1000;
    bool check = false;
    for (int i = 1; i < argc; ++i) {
        if (!std::strcmp(argv[i], "--iterations") && i + 1 < argc) iterations = std::atol(argv[++i]);
        else if (!std::strcmp(argv[i], "--check")) check = true;
    }
    if (iterations < 2) {
        std::fprintf(stderr, "usage: soak_authoring [--iterations N>=2] [--check]\n");
        return 2;
    }
    const fs::path root = fs::temp_directory_path() / ("orb_soak_authoring_" + std::to_string(getpid()));
    const fs::path projects = root / "projects", temp = root / "tmp";
    fs::remove_all(root);
    fs::create_directories(projects);
    fs::create_directories(temp);
    setenv("TMPDIR", temp.c_str(), 1);  // whatever the core puts in the temporary folder lands here

    const fs::path project = projects / "soak.apj", saver = projects / "soaked.apj";
    ProjectModel model = SampleModel();
    NullReportSink sink;
    BuildRequest request;
    request.archivePath = saver;
    int status = 0;
    std::int64_t first = 0, middle = 0;
    for (long i = 0; i < iterations; ++i) {
        ProjectModel loaded, built;
        if (!SaveProject(model, project, sink) || !LoadProject(project, loaded, sink) ||
            loaded.ActorCount() != 3 || !BuildSaver(loaded, request, sink) || !LoadProject(saver, built, sink) ||
            built.frames.size() != model.frames.size()) {
            std::printf("iteration %ld failed\n", i);
            status = 1;
            break;
        }
        if (i == 0) first = soak::ResidentKilobytes();
        if (i == iterations / 2) middle = soak::ResidentKilobytes();
    }
    const std::int64_t end = soak::ResidentKilobytes();
    std::printf("soak: %ld save/load/build rounds; resident kB start %lld, middle %lld, end %lld (middle->end %+lld)\n",
                iterations, (long long)first, (long long)middle, (long long)end, (long long)(end - middle));
    if (!soak::kResidentSizeMeaningful) std::printf("(sanitizer build: resident sizes include its quarantine)\n");
    else if (check && end - middle > 1024) std::printf("resident memory grew\n"), status = 1;

    const std::set<std::string> expected = {"soak.apj", "soaked.apj"};
    for (const std::string& name : Names(projects))
        if (!expected.count(name)) std::printf("stray file in the project folder: %s\n", name.c_str()), status = 1;
    for (const std::string& name : Names(temp))
        std::printf("stray file in the temporary folder: %s\n", name.c_str()), status = 1;
    fs::remove_all(root);
    return status;
}
