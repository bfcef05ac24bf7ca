// The hits of one search of the word-to-picture bar: the store's records, each made into a content
// object only when it is first shown, and the word entry last. A one-letter search finds a thousand
// pictures of which a strip shows a dozen, so the objects are built page by page.
#pragma once
#include "library/ImageBaseManager.h"
#include "library/KvoraObject.h"
#include <memory>
#include <vector>

class WordHits {
public:
    // Takes the search's records; store gives each picture its base's display options.
    void Reset(std::vector<Image> found, ImageBaseManager& store);
    void Clear();
    // The pictures found and the word entry.
    int Count() const { return static_cast<int>(records_.size()) + 1; }
    bool IsWordEntry(int hit) const { return hit == Count() - 1; }
    // The hit as a content object, made on first use.
    CKvoraObject& At(int hit);
    // Whether the hit's picture was loaded once already (it may have failed: it is not tried again).
    bool PictureTried(int hit) const { return hit < static_cast<int>(tried_.size()) && tried_[static_cast<size_t>(hit)]; }
    void SetPictureTried(int hit);

private:
    std::vector<Image> records_;
    std::vector<std::unique_ptr<CKvoraObject>> objects_;
    std::vector<bool> tried_;
    ImageBaseManager* store_ = nullptr;
    // Stands for the typed word itself: an empty object.
    CKvoraObject wordEntry_;
};
