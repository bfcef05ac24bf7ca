// The search bar's hits, built as they are shown.
#include "writer_settings/WordHits.h"

void WordHits::Reset(std::vector<Image> found, ImageBaseManager& store)
{
    records_ = std::move(found);
    objects_.clear();
    objects_.resize(records_.size());
    tried_.assign(records_.size() + 1, false);
    store_ = &store;
    wordEntry_.Clear();
}

void WordHits::Clear()
{
    records_.clear();
    objects_.clear();
    tried_.clear();
    wordEntry_.Clear();
}

void WordHits::SetPictureTried(int hit)
{
    if (hit >= 0 && hit < static_cast<int>(tried_.size()))
        tried_[static_cast<size_t>(hit)] = true;
}

CKvoraObject& WordHits::At(int hit)
{
    if (IsWordEntry(hit))
        return wordEntry_;
    std::unique_ptr<CKvoraObject>& object = objects_[static_cast<size_t>(hit)];
    if (!object) {
        const Image& record = records_[static_cast<size_t>(hit)];
        ImageBaseOptions options;
        store_->GetOptionsForKey(record.GetCode(), options);
        object = std::make_unique<CKvoraObject>();
        object->SetFromImage(record, options);
    }
    return *object;
}
