// The document's content objects: lookup by id, the lowest free id, and compaction before a save.
#include "writer/ImageList.h"
#include <algorithm>
#include <unordered_map>
#include <unordered_set>

namespace {

using Objects = std::vector<std::unique_ptr<CKvoraObject>>;

bool IdBelow(const std::unique_ptr<CKvoraObject>& object, int id)
{
    return object->id_ < id;
}

} // namespace

Objects::const_iterator ImageList::PlaceOf(int id) const
{
    return std::lower_bound(objects_.begin(), objects_.end(), id, IdBelow);
}

CKvoraObject* ImageList::Find(int id)
{
    auto place = PlaceOf(id);
    return place != objects_.end() && (*place)->id_ == id ? place->get() : nullptr;
}

const CKvoraObject* ImageList::Find(int id) const
{
    auto place = PlaceOf(id);
    return place != objects_.end() && (*place)->id_ == id ? place->get() : nullptr;
}

int ImageList::LowestFreeId() const
{
    // Sorted and unique: the first place whose id is above its position shows the gap.
    int id = 0;
    for (const auto& object : objects_) {
        if (object->id_ > id)
            break;
        if (object->id_ == id)
            ++id;
    }
    return id;
}

CKvoraObject& ImageList::Insert(const CKvoraObject& object, int id)
{
    auto added = std::make_unique<CKvoraObject>(object);
    added->id_ = id;
    auto place = objects_.begin() + (PlaceOf(id) - objects_.cbegin());
    return **objects_.insert(place, std::move(added));
}

void ImageList::Assign(const std::vector<CKvoraObject>& objects)
{
    objects_.clear();
    objects_.reserve(objects.size());
    for (const CKvoraObject& object : objects)
        objects_.push_back(std::make_unique<CKvoraObject>(object));
    std::stable_sort(objects_.begin(), objects_.end(),
                     [](const auto& a, const auto& b) { return a->id_ < b->id_; });
}

std::vector<CKvoraObject> ImageList::Copies() const
{
    std::vector<CKvoraObject> copies;
    copies.reserve(objects_.size());
    for (const auto& object : objects_)
        copies.push_back(*object);
    return copies;
}

void ImageList::Compact(std::vector<DocItem>& items)
{
    const size_t counted = items.empty() ? 0 : items.size() - 1; // the final item names nothing
    std::unordered_set<int> named;
    for (size_t i = 0; i < counted; ++i) {
        items[i].compactionMark_ = 0;
        if (items[i].IsPicture())
            named.insert(items[i].imageNumber_);
    }

    Objects kept;
    std::unordered_map<int, int> newId;
    for (auto& object : objects_) {
        if (named.count(object->id_) == 0)
            continue;
        newId[object->id_] = static_cast<int>(kept.size());
        kept.push_back(std::move(object));
    }
    // Each item is renumbered once: the mark keeps a new number from being taken for an old one.
    for (size_t i = 0; i < counted; ++i) {
        DocItem& item = items[i];
        if (item.compactionMark_ || !item.IsPicture())
            continue;
        auto found = newId.find(item.imageNumber_);
        if (found == newId.end())
            continue;
        item.imageNumber_ = found->second;
        item.compactionMark_ = 1;
    }
    for (size_t k = 0; k < kept.size(); ++k)
        kept[k]->id_ = static_cast<int>(k);
    objects_ = std::move(kept);
}
