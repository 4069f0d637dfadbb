// SPDX-License-Identifier: GPL-3.0-or-later
// Slot tables behind media handles, shared by images, sounds and music.
//
// Handle bits: 31 always 0; 27-30 kind; 16-26 check number (the kind's
// creation counter, 0..2047 then again 0); 0-15 slot index. A new object takes
// the slot after the highest slot in use; when that would pass the end of the
// table, the lowest free slot is taken instead.
#pragma once

#include <cstdint>
#include <memory>
#include <utility>
#include <vector>

namespace media_detail {

enum class HandleKind : int { Image = 1, Sound = 2, Music = 11 };

constexpr int kImageSlots = 32768;
constexpr int kSoundSlots = 4096;
constexpr int kMusicSlots = 256;
constexpr int kCheckNumbers = 2048;

template <typename T>
class HandleTable {
public:
    HandleTable(HandleKind kind, int capacity) : kind_(kind), capacity_(capacity) {}

    // Stores the object and returns its handle, or -1 when every slot is taken.
    int Add(std::unique_ptr<T> object) {
        int slot = highest_ + 1;
        if (slot >= capacity_) {
            slot = LowestFree();
            if (slot < 0) return -1;
        }
        if (slot >= static_cast<int>(slots_.size())) slots_.resize(static_cast<size_t>(slot) + 1);
        const int check = counter_;
        counter_ = (counter_ + 1) % kCheckNumbers;
        slots_[slot].object = std::move(object);
        slots_[slot].check = check;
        if (slot > highest_) highest_ = slot;
        return (static_cast<int>(kind_) << 27) | (check << 16) | slot;
    }

    // The object a handle names, or nullptr when the handle is of another
    // kind, out of range, free or stale.
    T* Get(int handle) const {
        const int slot = SlotOf(handle);
        return slot < 0 ? nullptr : slots_[slot].object.get();
    }

    // Frees the object; false for an invalid handle.
    bool Remove(int handle) {
        const int slot = SlotOf(handle);
        if (slot < 0) return false;
        slots_[slot].object.reset();
        while (highest_ >= 0 && !slots_[highest_].object) --highest_;
        return true;
    }

    // Frees every object (end of the layer's life).
    void Clear() {
        slots_.clear();
        highest_ = -1;
    }

    template <typename Fn>
    void ForEach(Fn&& fn) const {
        for (const auto& s : slots_)
            if (s.object) fn(*s.object);
    }

    int HighestSlot() const { return highest_; }

private:
    struct Slot {
        std::unique_ptr<T> object;
        int check = 0;
    };

    int SlotOf(int handle) const {
        if (handle < 0) return -1;
        if (((handle >> 27) & 0xF) != static_cast<int>(kind_)) return -1;
        const int slot = handle & 0xFFFF;
        if (slot >= capacity_ || slot >= static_cast<int>(slots_.size())) return -1;
        const Slot& s = slots_[slot];
        if (!s.object || s.check != ((handle >> 16) & 0x7FF)) return -1;
        return slot;
    }

    int LowestFree() const {
        for (int i = 0; i < capacity_; ++i)
            if (i >= static_cast<int>(slots_.size()) || !slots_[i].object) return i;
        return -1;
    }

    HandleKind kind_;
    int capacity_;
    std::vector<Slot> slots_;
    int highest_ = -1;
    int counter_ = 0;
};

}  // namespace media_detail
