#include "authoring/win32/actor_list.h"

#include <algorithm>
#include <iterator>

namespace orb {

std::vector<ActorRun> ActorRuns(const FrameList& list) {
    std::vector<ActorRun> runs;
    for (std::size_t i = 0; i < list.size(); ++i) {
        if (list[i]->frameIndex == 0 || runs.empty()) runs.push_back({i, i + 1});
        else runs.back().end = i + 1;
    }
    return runs;
}

void RelinkFrames(FrameList& list) {
    for (std::size_t i = 0; i < list.size(); ++i)
        list[i]->nextFrame = i + 1 < list.size() ? list[i + 1].get() : nullptr;
}

bool SwapWithNext(FrameList& list, std::size_t index) {
    std::vector<ActorRun> runs = ActorRuns(list);
    if (index + 1 >= runs.size()) return false;
    auto first = list.begin() + static_cast<std::ptrdiff_t>(runs[index].begin);
    auto middle = list.begin() + static_cast<std::ptrdiff_t>(runs[index + 1].begin);
    auto last = list.begin() + static_cast<std::ptrdiff_t>(runs[index + 1].end);
    std::rotate(first, middle, last);
    RelinkFrames(list);
    return true;
}

bool RemoveActor(FrameList& list, std::size_t index) {
    std::vector<ActorRun> runs = ActorRuns(list);
    if (index >= runs.size()) return false;
    list.erase(list.begin() + static_cast<std::ptrdiff_t>(runs[index].begin),
               list.begin() + static_cast<std::ptrdiff_t>(runs[index].end));
    RelinkFrames(list);
    return true;
}

void KeepActors(FrameList& list, std::size_t keep) {
    std::vector<ActorRun> runs = ActorRuns(list);
    if (runs.size() <= keep) return;
    list.erase(list.begin() + static_cast<std::ptrdiff_t>(runs[keep].begin), list.end());
    RelinkFrames(list);
}

void MakeOneActor(FrameList& list, std::size_t begin, std::size_t end) {
    end = std::min(end, list.size());
    for (std::size_t i = begin; i < end; ++i) {
        list[i]->firstFrame = list[begin].get();
        list[i]->frameIndex = static_cast<std::int32_t>(i - begin);
        list[i]->frameCount = static_cast<std::int32_t>(end - begin);
    }
}

void MakeSingleFrameActors(FrameList& list, std::size_t begin, std::size_t end) {
    end = std::min(end, list.size());
    for (std::size_t i = begin; i < end; ++i) {
        list[i]->firstFrame = list[i].get();
        list[i]->frameIndex = 0;
        list[i]->frameCount = 1;
    }
}

}  // namespace orb
