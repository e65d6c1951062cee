// Feeds arbitrary bytes to the BMP reader, stand-alone and embedded.
#include "common/imaging/bmp.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::span<const std::uint8_t> bytes(data, size);
    orb::NullReportSink sink;
    for (orb::Program program : {orb::Program::Viewer, orb::Program::Authoring}) {
        orb::FrameList list;
        orb::ByteReader plain(bytes);
        orb::LoadBmp(plain, list, "fuzz.bmp", sink, program);
        orb::ByteReader embedded(bytes);
        orb::LoadEmbeddedBmp(embedded, list, sink, program);
    }
    orb::ByteReader skip(bytes);
    orb::SkipBmp(skip, "fuzz.bmp", sink);
    return 0;
}
