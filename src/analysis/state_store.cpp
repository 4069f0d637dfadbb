// SPDX-License-Identifier: GPL-3.0-or-later
#include "state_store.h"

#include <algorithm>

StateStore::StateStore(int words, std::size_t memoryBound) : words_(words), memoryBound_(memoryBound) {}

std::size_t StateStore::Bytes() const {
    return states_.capacity() * sizeof(std::uint64_t) + parents_.capacity() * sizeof(std::uint32_t) +
           moves_.capacity() + table_.capacity() * sizeof(std::uint64_t);
}

std::uint64_t StateStore::Hash(const std::uint64_t* state) const {
    std::uint64_t h = 0x9E3779B97F4A7C15ull;
    for (int i = 0; i < words_; ++i) {
        std::uint64_t x = state[i] + h;
        x = (x ^ (x >> 30)) * 0xBF58476D1CE4E5B9ull;
        x = (x ^ (x >> 27)) * 0x94D049BB133111EBull;
        h = x ^ (x >> 31);
    }
    return h;
}

bool StateStore::Equal(std::uint32_t index, const std::uint64_t* state) const {
    const std::uint64_t* known = State(index);
    for (int i = 0; i < words_; ++i) {
        if (known[i] != state[i]) return false;
    }
    return true;
}

// Grows the per-state arrays; the peak counts old and new blocks together,
// as they both exist while a vector moves.
bool StateStore::Reserve(std::size_t states) {
    const std::size_t perState = static_cast<std::size_t>(words_) * sizeof(std::uint64_t) + sizeof(std::uint32_t) + 1;
    const std::size_t peak = Bytes() + states * perState;
    if (peak > memoryBound_ || states >= kNone) return false;
    states_.reserve(states * static_cast<std::size_t>(words_));
    parents_.reserve(states);
    moves_.reserve(states);
    capacity_ = states;
    peakBytes_ = std::max(peakBytes_, peak);
    return true;
}

bool StateStore::GrowTable() {
    const std::size_t slots = table_.empty() ? 1024 : table_.size() * 2;
    const std::size_t peak = Bytes() + slots * sizeof(std::uint64_t);
    if (peak > memoryBound_) return false;
    table_.assign(slots, kFreeSlot);
    peakBytes_ = std::max(peakBytes_, peak);
    for (std::uint32_t i = 0; i < Size(); ++i) Place(i);
    return true;
}

void StateStore::Place(std::uint32_t index) {
    const std::size_t mask = table_.size() - 1;
    const std::uint64_t hash = Hash(State(index));
    for (std::size_t slot = hash & mask;; slot = (slot + 1) & mask) {
        if (table_[slot] == kFreeSlot) {
            table_[slot] = Slot(hash, index);
            return;
        }
    }
}

StateStore::Insert StateStore::Add(const std::uint64_t* state, std::uint64_t hash, std::uint32_t parent,
                                   std::uint8_t move, std::uint32_t* index) {
    // Keep the table at most half full so probes stay short.
    if ((Size() + 1) * 2 > table_.size() && !GrowTable()) return Insert::OutOfMemory;
    const std::size_t mask = table_.size() - 1;
    const std::uint64_t tag = Slot(hash, 0);
    std::size_t slot = hash & mask;
    for (; table_[slot] != kFreeSlot; slot = (slot + 1) & mask) {
        const std::uint64_t entry = table_[slot];
        if ((entry & 0xFFFFFFFF00000000ull) == tag && Equal(static_cast<std::uint32_t>(entry), state)) {
            if (index) *index = static_cast<std::uint32_t>(entry);
            return Insert::Known;
        }
    }
    if (Size() == capacity_ && !Reserve(std::max<std::size_t>(1024, capacity_ * 2))) return Insert::OutOfMemory;
    const auto added = static_cast<std::uint32_t>(Size());
    states_.insert(states_.end(), state, state + words_);
    parents_.push_back(parent);
    moves_.push_back(move);
    table_[slot] = Slot(hash, added);
    if (index) *index = added;
    return Insert::Added;
}

std::uint32_t StateStore::Find(const std::uint64_t* state) const {
    if (table_.empty()) return kNone;
    const std::size_t mask = table_.size() - 1;
    const std::uint64_t hash = Hash(state);
    const std::uint64_t tag = Slot(hash, 0);
    for (std::size_t slot = hash & mask; table_[slot] != kFreeSlot; slot = (slot + 1) & mask) {
        const std::uint64_t entry = table_[slot];
        if ((entry & 0xFFFFFFFF00000000ull) == tag && Equal(static_cast<std::uint32_t>(entry), state)) {
            return static_cast<std::uint32_t>(entry);
        }
    }
    return kNone;
}
