#include "common/formats/actor_file.h"

namespace orb {
std::string ActorReadMessage(const ActorReadResult&, Program) { return {}; }
ActorReadResult ReadActor(ByteReader&, FrameList&, Program, ReportSink&, std::string_view) { return {}; }
void WriteActor(ByteWriter&, const GXDrawingSurface&) {}
ActorReadResult LoadActor(const std::filesystem::path&, FrameList&, Program, ReportSink&) { return {}; }
bool SaveActor(const std::filesystem::path&, const GXDrawingSurface&, ReportSink&) { return false; }
}  // namespace orb
