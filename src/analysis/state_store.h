// SPDX-License-Identifier: GPL-3.0-or-later
// Every state a search has reached, in the order reached, with the move that
// first reached it and the state it came from. Doubles as the visited set
// (open addressing over indices into the packed states) and as the
// breadth-first queue (states are expanded in index order). Refuses to grow
// past its memory bound instead of failing an allocation.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

class StateStore {
public:
    static constexpr std::uint32_t kNone = 0xFFFFFFFFu;
    static constexpr std::uint64_t kFreeSlot = ~std::uint64_t{0};

    enum class Insert { Added, Known, OutOfMemory };

    StateStore(int words, std::size_t memoryBound);

    // Adds a packed state unless it is known already. `index`, when given,
    // receives the state's index, new or known.
    Insert Add(const std::uint64_t* state, std::uint32_t parent, std::uint8_t move, std::uint32_t* index = nullptr) {
        return Add(state, Hash(state), parent, move, index);
    }
    // The same with the state's Hash computed ahead (see Prefetch).
    Insert Add(const std::uint64_t* state, std::uint64_t hash, std::uint32_t parent, std::uint8_t move,
               std::uint32_t* index = nullptr);

    std::uint64_t Hash(const std::uint64_t* state) const;
    // Asks for the table slot where a state's look-up starts, so that
    // several look-ups can wait on memory at once.
    void Prefetch(std::uint64_t hash) const {
        if (!table_.empty()) __builtin_prefetch(&table_[hash & (table_.size() - 1)]);
    }

    // The index of a known state, or kNone.
    std::uint32_t Find(const std::uint64_t* state) const;

    std::size_t Size() const { return parents_.size(); }
    const std::uint64_t* State(std::size_t index) const { return &states_[index * words_]; }
    std::uint32_t Parent(std::size_t index) const { return parents_[index]; }
    std::uint8_t Move(std::size_t index) const { return moves_[index]; }

    // Bytes held now, and the most held at once (growth included).
    std::size_t Bytes() const;
    std::size_t PeakBytes() const { return peakBytes_; }

private:
    bool Equal(std::uint32_t index, const std::uint64_t* state) const;
    bool Reserve(std::size_t states);
    bool GrowTable();
    void Place(std::uint32_t index);
    static std::uint64_t Slot(std::uint64_t hash, std::uint32_t index) { return (hash & 0xFFFFFFFF00000000ull) | index; }

    int words_;
    std::size_t memoryBound_;
    std::size_t capacity_ = 0;  // states room
    std::vector<std::uint64_t> states_;
    std::vector<std::uint32_t> parents_;
    std::vector<std::uint8_t> moves_;
    // Slots hold a state's index in the low half and the top of its hash in
    // the high half, so most mismatches are seen without touching the state.
    std::vector<std::uint64_t> table_;  // kFreeSlot = free
    std::size_t peakBytes_ = 0;
};
