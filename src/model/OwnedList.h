#pragma once
// The list pattern every model list follows: it owns its items in file order,
// Add creates a cleared item, appends and returns it; Delete and Clear free.
#include "core/LargeMemory.h"

#include <algorithm>
#include <cstddef>
#include <memory>
#include <new>
#include <stdexcept>
#include <cstdint>
#include <utility>
#include <vector>

namespace qv {

// A chain of memory blocks, each a header followed by room for Capacity
// things of which Used are handed out; only the last block hands out room.
// Each new block is twice the one before, up to one large page, so that a
// list of n things costs about log n allocations; a small list never gets
// near a page. Blocks of a megabyte and more come from the large-page
// memory, rounded up to whole pages (the room gained is handed out too).
// Release frees every block. It is one pointer in size.
class TBlockChain {
public:
    struct TBlock {
        TBlock* Previous;
        size_t Capacity;
        size_t Used;
        size_t Bytes; // the block's whole size, header included
    };

    TBlockChain() = default;
    TBlockChain(const TBlockChain&) = delete;
    TBlockChain& operator=(const TBlockChain&) = delete;
    ~TBlockChain() { Release(); }

    // The last block with room for count more things of size bytes after
    // header bytes (at least the block's own); a first block holds at least
    // first things.
    TBlock* RoomFor(size_t count, size_t header, size_t size, size_t first)
    {
        if (fLast && fLast->Capacity - fLast->Used >= count) [[likely]]
            return fLast;
        const size_t page = std::max<size_t>((kLargePage - header) / size, 1);
        const size_t next = fLast ? std::min(fLast->Capacity * 2, page) : first;
        return Grow(header, std::max(count, next), size);
    }
    void Release()
    {
        while (TBlock* b = fLast) {
            fLast = b->Previous;
            if (b->Bytes >= kLargeMemoryMinimum)
                FreeLarge(b, b->Bytes);
            else
                ::operator delete(static_cast<void*>(b));
        }
    }

private:
    TBlock* Grow(size_t header, size_t capacity, size_t size)
    {
        size_t bytes = header + capacity * size;
        void* memory;
        if (bytes >= kLargeMemoryMinimum) {
            bytes = LargePagesFor(bytes);
            capacity = (bytes - header) / size;
            memory = AllocateLarge(bytes);
        } else {
            memory = ::operator new(bytes);
        }
        fLast = ::new (memory) TBlock{fLast, capacity, 0, bytes};
        return fLast;
    }
    TBlock* fLast = nullptr;
};

// Storage for the items a list creates, in the blocks of a chain that
// Release frees whole. The pool only hands out room; the list constructs and
// destroys the items. It is one pointer in size: model objects hold many
// lists, most of them empty.
template <class T>
class TItemPool {
public:
    // Constructs a new item (value-initialised, as make_unique does).
    T* New()
    {
        TBlock* last = fBlocks.RoomFor(1, kHeader, sizeof(T), 1);
        T* p = ::new (static_cast<void*>(ItemsOf(last) + last->Used)) T();
        ++last->Used;
        return p;
    }
    // Frees every block; the items in them must have been destroyed.
    void Release() { fBlocks.Release(); }

private:
    using TBlock = TBlockChain::TBlock;
    static_assert(alignof(T) <= __STDCPP_DEFAULT_NEW_ALIGNMENT__);
    // The items follow the block's header, suitably aligned.
    static constexpr size_t kHeader = (sizeof(TBlock) + alignof(T) - 1) / alignof(T) * alignof(T);
    static T* ItemsOf(TBlock* b) { return reinterpret_cast<T*>(reinterpret_cast<char*>(b) + kHeader); }
    TBlockChain fBlocks;
};

// Room for the item-pointer arrays of many small lists: handed out from
// blocks in turn and freed only with the blocks. An array a list outgrows
// stays behind (at most as much again as the arrays in use).
class TPointerRoom {
public:
    void** New(size_t count)
    {
        TBlockChain::TBlock* last = fBlocks.RoomFor(count, sizeof(TBlockChain::TBlock), sizeof(void*), kFirstBlock);
        void** p = reinterpret_cast<void**>(last + 1) + last->Used;
        last->Used += count;
        return p;
    }
    void Release() { fBlocks.Release(); }

private:
    static constexpr size_t kFirstBlock = 512;
    TBlockChain fBlocks;
};

// What lists of the same kind share: the room of their items and of their
// item-pointer arrays, freed whole by Release once the lists are cleared.
template <class T>
struct TSharedRoom {
    TItemPool<T> Items;
    TPointerRoom Pointers;
    void Release()
    {
        Items.Release();
        Pointers.Release();
    }
};

// A list of owned items in file order. It is 32 bytes: a hole holds five
// lists, most of them empty, and a design may hold a million holes. The
// item pointers sit in one array of their own that doubles as it grows.
// A list may take its items' room from a pool it shares with lists like it
// (the steps of all holes of a design): its items are then destroyed by its
// Clear, and their room is freed with the shared pool.
template <class T>
class TOwnedList {
public:
    TOwnedList() = default;
    TOwnedList(const TOwnedList&) = delete;
    TOwnedList& operator=(const TOwnedList&) = delete;
    ~TOwnedList() { Clear(); }

    // Takes the room of new items and of the pointer array from Shared, which
    // must outlive the list's items. Called while the list is empty.
    void ShareRoomOf(TSharedRoom<T>& Shared) { fShared = &Shared; }

    T* Add()
    {
        if (fCount == fCapacity) Reserve(fCount + 1);
        T* item = fShared ? fShared->Items.New() : fPool.New();
        fItems[fCount++] = item;
        return item;
    }
    T* Insert(int AIndex)
    {
        AIndex = std::clamp(AIndex, 0, Count());
        T* item = Add();
        std::move_backward(fItems + AIndex, fItems + fCount - 1, fItems + fCount);
        fItems[AIndex] = item;
        return item;
    }
    int GetCount() const { return static_cast<int>(fCount); }
    int Count() const { return GetCount(); }
    T* Items(int AIndex) const
    {
        if (AIndex < 0 || uint32_t(AIndex) >= fCount) throw std::out_of_range("list index out of range");
        return fItems[AIndex];
    }
    T* operator[](int AIndex) const { return Items(AIndex); }
    T* First() const { return fCount ? fItems[0] : nullptr; }
    T* Last() const { return fCount ? fItems[fCount - 1] : nullptr; }
    void Delete(int AIndex)
    {
        if (AIndex < 0 || AIndex >= Count()) return;
        T* item = fItems[AIndex];
        std::move(fItems + AIndex + 1, fItems + fCount, fItems + AIndex);
        --fCount;
        // Its room is freed with the pool's blocks by Clear.
        item->~T();
    }
    // Destroys every item and frees their storage at once.
    void Clear()
    {
        if (!fItems) return; // most lists of a hole are empty: nothing to free
        for (uint32_t i = 0; i < fCount; ++i) fItems[i]->~T();
        if (!fShared) ::operator delete(static_cast<void*>(fItems));
        fItems = nullptr;
        fCount = fCapacity = 0;
        fPool.Release();
    }
    void Exchange(int A, int B) { std::swap(*Slot(A), *Slot(B)); }
    // Moves the item at From to position To.
    void Move(int From, int To)
    {
        Slot(From);
        Slot(To);
        if (From < To)
            std::rotate(fItems + From, fItems + From + 1, fItems + To + 1);
        else if (To < From)
            std::rotate(fItems + To, fItems + From, fItems + From + 1);
    }
    int IndexOf(const T* item) const
    {
        for (int i = 0; i < Count(); ++i)
            if (fItems[i] == item) return i;
        return -1;
    }
    // Deep copy: items must offer Assign.
    void Assign(const TOwnedList& Source)
    {
        if (&Source == this) return;
        Clear();
        AppendCopies(Source);
    }
    void AppendCopies(const TOwnedList& Source)
    {
        const int n = Source.Count();
        Reserve(fCount + uint32_t(n));
        for (int i = 0; i < n; ++i) Add()->Assign(*Source.Items(i));
    }

    T* const* begin() const { return fItems; }
    T* const* end() const { return fItems + fCount; }

    // A list whose only field is its item list is shown as an array.
    template <class F> void ForEachItem(F&& f) const
    {
        for (uint32_t i = 0; i < fCount; ++i) f(*fItems[i]);
    }

private:
    T** Slot(int AIndex)
    {
        if (AIndex < 0 || uint32_t(AIndex) >= fCount) throw std::out_of_range("list index out of range");
        return fItems + AIndex;
    }
    void Reserve(uint32_t n)
    {
        if (n <= fCapacity) return;
        const uint32_t capacity = std::max<uint32_t>({n, fCapacity * 2, 4});
        T** items = fShared ? reinterpret_cast<T**>(fShared->Pointers.New(capacity))
                            : static_cast<T**>(::operator new(sizeof(T*) * capacity));
        std::copy(fItems, fItems + fCount, items);
        if (!fShared) ::operator delete(static_cast<void*>(fItems));
        fItems = items;
        fCapacity = capacity;
    }

    T** fItems = nullptr;
    uint32_t fCount = 0;
    uint32_t fCapacity = 0;
    TItemPool<T> fPool;
    TSharedRoom<T>* fShared = nullptr;
};

} // namespace qv
