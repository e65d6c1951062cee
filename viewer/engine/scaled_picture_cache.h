// ScaledPictureCache: scaled copies of pictures, kept for reuse. Quick rotation
// scales one of a frame's pre-rotated pictures whenever a sprite changes frame,
// angle step or size; animated sprites keep coming back to the same few, so the
// copies are kept up to a byte budget, the least recently used going first.
// A copy is shared, not copied again, with the sprites that show it, and stays
// alive for them after the cache lets it go. The budget counts pixel bytes.
#pragma once
#include <cstddef>
#include <cstdint>
#include <functional>
#include <list>
#include <memory>
#include <unordered_map>

#include "common/imaging/drawing_surface.h"
#include "common/report.h"
#include "viewer/engine/sprite_picture.h"

namespace orb {

class ScaledPictureCache {
public:
    explicit ScaledPictureCache(std::size_t budgetBytes) : budget_(budgetBytes) {}

    // `source` at width x height (at least one pixel each way). Sources are told
    // apart by address: Clear() before the pictures they came from go away.
    std::shared_ptr<const SpritePicture> Get(const GXDrawingSurface& source, int width, int height,
                                             ReportSink& reports);
    void Clear();
    std::size_t Bytes() const { return bytes_; }
    std::size_t Count() const { return entries_.size(); }

private:
    struct Key {
        const GXDrawingSurface* source;
        int width;
        int height;
        bool operator==(const Key&) const = default;
    };
    struct KeyHash {
        std::size_t operator()(const Key& key) const {
            const auto mix = std::hash<const void*>{}(key.source) * 31u + std::size_t(key.width);
            return mix * 131u + std::size_t(key.height);
        }
    };
    struct Entry {
        Key key;
        std::shared_ptr<const SpritePicture> scaled;
    };
    std::list<Entry> entries_;  // most recently used first
    std::unordered_map<Key, std::list<Entry>::iterator, KeyHash> index_;
    std::size_t bytes_ = 0;
    std::size_t budget_;
};

}  // namespace orb
