#include "viewer/engine/scaled_picture_cache.h"

#include <algorithm>
#include <utility>

namespace orb {

std::shared_ptr<const SpritePicture> ScaledPictureCache::Get(const GXDrawingSurface& source, int width,
                                                             int height, ReportSink& reports) {
    const Key key{&source, std::max(width, 1), std::max(height, 1)};
    if (auto found = index_.find(key); found != index_.end()) {
        entries_.splice(entries_.begin(), entries_, found->second);
        return entries_.front().scaled;
    }
    auto scaled = std::make_shared<SpritePicture>();
    scaled->picture = source.ScaledCopy(key.width, key.height, reports);
    Survey(*scaled);
    bytes_ += scaled->picture.Pixels().size();
    entries_.push_front(Entry{key, std::move(scaled)});
    index_.emplace(key, entries_.begin());
    // The newest entry stays even when it alone is over the budget.
    while (bytes_ > budget_ && entries_.size() > 1) {
        bytes_ -= entries_.back().scaled->picture.Pixels().size();
        index_.erase(entries_.back().key);
        entries_.pop_back();
    }
    return entries_.front().scaled;
}

void ScaledPictureCache::Clear() {
    index_.clear();
    entries_.clear();
    bytes_ = 0;
}

}  // namespace orb
