#pragma once

#include <algorithm>
#include <deque>
#include <vector>

#include "engine/core/Types.h"

namespace Halvard {

// The slot table of a manager that updates and draws its objects every frame.
// The owner walks GetObjects() from slot 0 up and skips null slots, so slot
// order is update and draw order. Add and Remove do not take or give up
// ownership (whoever removes an object deletes it); objects still registered
// when the table goes are deleted with it. Slot indices change when the table
// compacts, so nobody may keep one.
template <typename T>
class ObjectManager {
public:
    ObjectManager() = default;
    virtual ~ObjectManager();

    ObjectManager(const ObjectManager&) = delete;
    ObjectManager& operator=(const ObjectManager&) = delete;

    // Puts the object into the slot freed last, or appends a slot. Null and an
    // object already registered are ignored: a second slot would have the
    // destructor delete it twice.
    void Add(T* object);

    // Frees the object's slot without deleting the object; false for null and
    // for an object not registered. The table compacts once fewer than half
    // of its slots are live.
    bool Remove(T* object);

    const std::vector<T*>& GetObjects() const { return objects_; }
    u32 GetCount() const { return count_; }

private:
    void Compact();

    u32 count_ = 0;
    std::vector<T*> objects_;
    // Null slots that Add may fill, the last freed at the back.
    std::deque<u32> freeIndices_;
};

template <typename T>
ObjectManager<T>::~ObjectManager()
{
    for (T* object : objects_) {
        delete object;
    }
}

template <typename T>
void ObjectManager<T>::Add(T* object)
{
    if (object == nullptr || std::find(objects_.begin(), objects_.end(), object) != objects_.end()) {
        return;
    }
    if (freeIndices_.empty()) {
        objects_.push_back(object);
    } else {
        objects_[freeIndices_.back()] = object;
        freeIndices_.pop_back();
    }
    ++count_;
}

template <typename T>
bool ObjectManager<T>::Remove(T* object)
{
    if (object == nullptr) {
        return false;
    }
    const auto slot = std::find(objects_.begin(), objects_.end(), object);
    if (slot == objects_.end()) {
        return false;
    }
    freeIndices_.push_back(static_cast<u32>(slot - objects_.begin()));
    *slot = nullptr;
    --count_;
    if (count_ * 2 < objects_.size()) {
        Compact();
    }
    return true;
}

template <typename T>
void ObjectManager<T>::Compact()
{
    objects_.erase(std::remove(objects_.begin(), objects_.end(), nullptr), objects_.end());
    freeIndices_.clear();
}

} // namespace Halvard
