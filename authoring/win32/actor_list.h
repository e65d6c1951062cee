// The project's actor list as the main dialog keeps it: one chain of frames in
// project order, where an actor is a run starting at a frame whose index is 0.
// These helpers keep the vector order and the nextFrame links in step.
#pragma once
#include <cstddef>
#include <vector>

#include "common/imaging/drawing_surface.h"

namespace orb {

inline constexpr int kMaxActors = 100;

// A run of frames: positions [begin, end) in the list.
struct ActorRun {
    std::size_t begin = 0;
    std::size_t end = 0;
};

// Every actor's run, in list order.
std::vector<ActorRun> ActorRuns(const FrameList& list);
// Makes each member's nextFrame point at the member after it (the last: none).
void RelinkFrames(FrameList& list);
// Swaps actor `index` with the actor after it; false when there is none.
bool SwapWithNext(FrameList& list, std::size_t index);
// Unlinks and frees actor `index`; false when there is none.
bool RemoveActor(FrameList& list, std::size_t index);
// Removes every actor after the first `keep`.
void KeepActors(FrameList& list, std::size_t keep);
// Numbers frames [begin, end) as one actor: indices 0, 1, ..., link, count.
void MakeOneActor(FrameList& list, std::size_t begin, std::size_t end);
// Turns every frame of [begin, end) into an actor of its own.
void MakeSingleFrameActors(FrameList& list, std::size_t begin, std::size_t end);

}  // namespace orb
