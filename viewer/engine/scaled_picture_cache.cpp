#include "viewer/engine/scaled_picture_cache.h"

#include <algorithm>
#include <iterator>
#include <utility>

#include "viewer/engine/draw_list.h"

namespace orb {

const GXDrawingSurface& ScaledPictureCache::Get(const GXDrawingSurface& source, int width, int height,
                                                ReportSink& reports) {
    const Key key{&source, std::max(width, 1), std::max(height, 1)};
    if (auto found = index_.find(key); found != index_.end()) {
        entries_.splice(entries_.begin(), entries_, found->second);
        return entries_.front().picture;
    }
    GXDrawingSurface picture = PictureCopy(source);
    picture.Scale(key.width, key.height, reports);
    ++scaled_;
    const std::size_t bytes = picture.Pixels().size();
    // Room is made first, from the cold end; the newest entry stays even when it
    // alone is over the budget.
    while (!entries_.empty() && bytes_ + bytes > budget_) {
        bytes_ -= entries_.back().picture.Pixels().size();
        index_.erase(entries_.back().key);
        entries_.pop_back();
    }
    bytes_ += bytes;
    // A new picture joins at the cold end and moves to the front only when asked
    // for again. Sprites cycle through more pictures than the budget holds; were
    // new ones put in front, each would push out one that is about to come round
    // again and the cache would keep nothing useful.
    entries_.push_back(Entry{key, std::move(picture)});
    index_.emplace(key, std::prev(entries_.end()));
    return entries_.back().picture;
}

void ScaledPictureCache::Clear() {
    index_.clear();
    entries_.clear();
    bytes_ = 0;
}

}  // namespace orb
