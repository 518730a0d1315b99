#include "catalogue/RecordPool.h"

#include <algorithm>

namespace {

// Places are aligned as the heap aligns its allocations, and each can hold the link of the
// list of released places.
constexpr std::size_t Alignment = __STDCPP_DEFAULT_NEW_ALIGNMENT__;

constexpr std::size_t FirstBlockSlots = 64;
// Blocks stop growing at about half a megabyte: large enough that the heap hands them
// over without fragmenting, small enough that a household catalogue wastes little.
constexpr std::size_t LargestBlockBytes = std::size_t{1} << 19;

} // namespace

SlotPool::SlotPool(std::size_t size)
    : slot_((std::max(size, sizeof(FreeSlot)) + Alignment - 1) / Alignment * Alignment) {}

void SlotPool::Grow() {
    const std::size_t largest = std::max<std::size_t>(1, LargestBlockBytes / slot_);
    blockSlots_ = blockSlots_ == 0 ? FirstBlockSlots : std::min(blockSlots_ * 2, largest);
    // Each block starts with a link to the one before, so every block stays reachable (a leak
    // checker sees them as held, not lost).
    char *block = static_cast<char *>(::operator new(Alignment + blockSlots_ * slot_));
    *reinterpret_cast<char **>(block) = blocks_;
    blocks_ = block;
    next_ = block + Alignment;
    end_ = next_ + blockSlots_ * slot_;
}

namespace {

// Size classes of short arrays: 16, 32 and 64 bytes.
constexpr std::size_t SmallestListStorage = 16;
constexpr std::size_t LargestListStorage = 64;

SlotPool &ListStoragePool(std::size_t bytes) {
    static SlotPool *const pools[] = {new SlotPool(16), new SlotPool(32), new SlotPool(64)};
    return *pools[bytes <= 16 ? 0 : bytes <= 32 ? 1 : 2];
}

bool FromPool(std::size_t bytes) {
    return TM_POOLED_RECORDS && bytes <= LargestListStorage;
}

} // namespace

void *TakeListStorage(std::size_t bytes) {
    if (!FromPool(bytes))
        return ::operator new(bytes);
    return ListStoragePool(std::max(bytes, SmallestListStorage)).Take();
}

void GiveListStorage(void *place, std::size_t bytes) noexcept {
    if (place == nullptr)
        return;
    if (!FromPool(bytes))
        ::operator delete(place);
    else
        ListStoragePool(std::max(bytes, SmallestListStorage)).Give(place);
}
