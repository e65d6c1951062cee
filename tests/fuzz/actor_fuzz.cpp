// Feeds arbitrary bytes to the actor reader and writes back what it accepts.
#include "common/formats/actor_file.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::span<const std::uint8_t> bytes(data, size);
    orb::NullReportSink sink;
    for (orb::Program program : {orb::Program::Viewer, orb::Program::Authoring}) {
        orb::FrameList list;
        orb::ByteReader reader(bytes);
        orb::ActorReadResult result = orb::ReadActor(reader, list, program, sink, "fuzz.act");
        if (result && result.firstFrame) {
            // What was accepted must survive a write and a second read unchanged in size.
            orb::ByteWriter writer;
            orb::WriteActor(writer, *result.firstFrame);
            orb::FrameList again;
            orb::ByteReader back(writer.bytes);
            if (!orb::ReadActor(back, again, program, sink)) std::abort();
        }
    }
    return 0;
}
