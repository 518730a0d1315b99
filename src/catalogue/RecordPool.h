#pragma once
// Records are small and are made by the tens of thousands when a catalogue is read. Each kind
// of record takes its places from blocks of its own rather than one heap allocation per record:
// making or releasing a record costs a few instructions, and records of a kind lie together in
// memory. A released place is reused by the next record of its kind; the blocks are kept for
// the life of the program (a catalogue that was once that large is likely to be again).
//
// Under the address sanitizer every record is a heap allocation of its own, so a use after
// release is still caught there.

#include <cstddef>
#include <new>

#if defined(__SANITIZE_ADDRESS__)
#define TM_POOLED_RECORDS 0
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define TM_POOLED_RECORDS 0
#endif
#endif
#ifndef TM_POOLED_RECORDS
#define TM_POOLED_RECORDS 1
#endif

// Places of one size, handed out from blocks that grow as the pool is used.
// Not thread-safe: the catalogue is only ever touched from the program's main thread.
class SlotPool {
public:
    explicit SlotPool(std::size_t size);
    SlotPool(const SlotPool &) = delete;
    SlotPool &operator=(const SlotPool &) = delete;

    void *Take() {
        if (free_ != nullptr) {
            void *place = free_;
            free_ = free_->next;
            return place;
        }
        if (next_ == end_)
            Grow();
        void *place = next_;
        next_ += slot_;
        return place;
    }
    void Give(void *place) noexcept {
        auto *slot = static_cast<FreeSlot *>(place);
        slot->next = free_;
        free_ = slot;
    }

private:
    struct FreeSlot {
        FreeSlot *next;
    };
    void Grow();

    std::size_t slot_;
    std::size_t blockSlots_ = 0;
    FreeSlot *free_ = nullptr;
    char *blocks_ = nullptr;
    char *next_ = nullptr;
    char *end_ = nullptr;
};

// A record class derives from Pooled<itself> to be made from its kind's pool.
template <class T> class Pooled {
public:
    static void *operator new(std::size_t size) {
        static_assert(alignof(T) <= __STDCPP_DEFAULT_NEW_ALIGNMENT__,
                      "places in a pool are aligned as the heap aligns");
        if (!TM_POOLED_RECORDS || size != sizeof(T))
            return ::operator new(size);
        return Pool().Take();
    }
    static void operator delete(void *place, std::size_t size) noexcept {
        if (place == nullptr)
            return;
        if (!TM_POOLED_RECORDS || size != sizeof(T))
            ::operator delete(place);
        else
            Pool().Give(place);
    }

private:
    static SlotPool &Pool() {
        // Never destroyed: records in the program's global lists are released at exit,
        // after function-local statics could already be gone.
        static SlotPool *const pool = new SlotPool(sizeof(T));
        return *pool;
    }
};

// Storage for the short pointer arrays of small lists (a shop's aisles and outline): arrays
// of up to 64 bytes come from pools by size, longer ones from the heap. Every instance is
// equal, so lists using it swap and move as freely as with the standard allocator.
void *TakeListStorage(std::size_t bytes);
void GiveListStorage(void *place, std::size_t bytes) noexcept;

template <class U> struct ListStorage {
    using value_type = U;
    ListStorage() = default;
    template <class V> ListStorage(const ListStorage<V> &) noexcept {}
    U *allocate(std::size_t n) { return static_cast<U *>(TakeListStorage(n * sizeof(U))); }
    void deallocate(U *place, std::size_t n) noexcept { GiveListStorage(place, n * sizeof(U)); }
    friend bool operator==(const ListStorage &, const ListStorage &) { return true; }
};
