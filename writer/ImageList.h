// The content objects of a document, one per symbol, reached by the image numbers of its picture
// items.
#pragma once
#include "library/KvoraObject.h"
#include "writer/DocItem.h"
#include <memory>
#include <vector>

// Kept sorted by ascending id. Each object lives in a place of its own, so growing or reordering the
// list never copies an object: a copy of a content object leaves its loaded picture behind, and a
// picture shown on screen must not vanish because the list grew. Owned by the document window.
class ImageList {
public:
    size_t Size() const { return objects_.size(); }
    bool Empty() const { return objects_.empty(); }
    // The object at a position of the list (not by id).
    CKvoraObject& operator[](size_t position) { return *objects_[position]; }
    const CKvoraObject& operator[](size_t position) const { return *objects_[position]; }

    // The object with this id, or null.
    CKvoraObject* Find(int id);
    const CKvoraObject* Find(int id) const;
    // The lowest number 0, 1, 2 ... that no object has as its id.
    int LowestFreeId() const;
    // Adds a copy of the object (without its loaded picture) under the id, at its sorted place.
    CKvoraObject& Insert(const CKvoraObject& object, int id);
    void Clear() { objects_.clear(); }

    // Takes the objects a document file gave, sorted by id; copies of the list for the file writer.
    void Assign(const std::vector<CKvoraObject>& objects);
    std::vector<CKvoraObject> Copies() const;

    // Before a save: drops every object that no picture item names and numbers the rest 0 ... n-1 in
    // their former order, renumbering the picture items with them (all but the final item). The
    // objects keep their loaded pictures.
    void Compact(std::vector<DocItem>& items);

private:
    std::vector<std::unique_ptr<CKvoraObject>>::const_iterator PlaceOf(int id) const;

    std::vector<std::unique_ptr<CKvoraObject>> objects_;
};
