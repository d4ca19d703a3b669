#pragma once
// The list pattern every model list follows: it owns its items in file order,
// Add creates a cleared item, appends and returns it; Delete and Clear free.
#include <algorithm>
#include <cstddef>
#include <memory>
#include <new>
#include <utility>
#include <vector>

namespace qv {

// Storage for the items a list creates: blocks of room for items, each twice
// the size of the one before up to a limit, so that a list of n items costs
// about log n allocations instead of n, and Release frees the blocks whole.
// The pool only hands out room; the list constructs and destroys the items.
// It is one pointer in size: model objects hold many lists, most of them
// empty.
template <class T>
class TItemPool {
public:
    TItemPool() = default;
    TItemPool(const TItemPool&) = delete;
    TItemPool& operator=(const TItemPool&) = delete;
    ~TItemPool() { Release(); }

    // Constructs a new item (value-initialised, as make_unique does).
    T* New()
    {
        if (!fLast || fLast->Used == fLast->Capacity) Grow();
        T* p = ::new (static_cast<void*>(ItemsOf(fLast) + fLast->Used)) T();
        ++fLast->Used;
        return p;
    }
    bool Owns(const T* p) const
    {
        for (const TBlock* b = fLast; b; b = b->Previous) {
            const T* first = ItemsOf(b);
            if (std::less_equal<const T*>()(first, p) && std::less<const T*>()(p, first + b->Capacity)) return true;
        }
        return false;
    }
    // Frees every block; the items in them must have been destroyed.
    void Release()
    {
        while (TBlock* b = fLast) {
            fLast = b->Previous;
            ::operator delete(static_cast<void*>(b));
        }
    }

private:
    // Blocks stay below the size the allocator would map on its own.
    static constexpr size_t kMaxBlock = std::clamp<size_t>(64 * 1024 / sizeof(T), 1, 256);
    struct TBlock {
        TBlock* Previous;
        size_t Capacity;
        size_t Used;
    };
    static_assert(alignof(T) <= __STDCPP_DEFAULT_NEW_ALIGNMENT__);
    // The items follow the block's header, suitably aligned.
    static constexpr size_t kHeader = (sizeof(TBlock) + alignof(T) - 1) / alignof(T) * alignof(T);
    static T* ItemsOf(TBlock* b) { return reinterpret_cast<T*>(reinterpret_cast<char*>(b) + kHeader); }
    static const T* ItemsOf(const TBlock* b)
    {
        return reinterpret_cast<const T*>(reinterpret_cast<const char*>(b) + kHeader);
    }
    void Grow()
    {
        const size_t capacity = fLast ? std::min(fLast->Capacity * 2, kMaxBlock) : 1;
        void* memory = ::operator new(kHeader + capacity * sizeof(T));
        fLast = ::new (memory) TBlock{fLast, capacity, 0};
    }
    TBlock* fLast = nullptr;
};

template <class T>
class TOwnedList {
public:
    TOwnedList() = default;
    TOwnedList(const TOwnedList&) = delete;
    TOwnedList& operator=(const TOwnedList&) = delete;
    ~TOwnedList() { Clear(); }

    T* Add() { return Insert(Count()); }
    T* Insert(int AIndex)
    {
        AIndex = std::clamp(AIndex, 0, Count());
        // The slot first, so that an item is never made without a place.
        auto it = fItems.insert(fItems.begin() + AIndex, nullptr);
        try {
            *it = fPool.New();
        } catch (...) {
            fItems.erase(it);
            throw;
        }
        return *it;
    }
    // Takes ownership of an existing object.
    T* Append(std::unique_ptr<T> item)
    {
        fItems.push_back(item.get());
        ++fAdopted;
        return item.release();
    }
    int GetCount() const { return static_cast<int>(fItems.size()); }
    int Count() const { return GetCount(); }
    T* Items(int AIndex) const { return fItems.at(static_cast<size_t>(AIndex)); }
    T* operator[](int AIndex) const { return Items(AIndex); }
    T* First() const { return fItems.empty() ? nullptr : fItems.front(); }
    T* Last() const { return fItems.empty() ? nullptr : fItems.back(); }
    void Delete(int AIndex)
    {
        if (AIndex < 0 || AIndex >= Count()) return;
        T* item = fItems[size_t(AIndex)];
        fItems.erase(fItems.begin() + AIndex);
        Destroy(item);
    }
    // Destroys every item and frees their storage at once.
    void Clear()
    {
        if (fAdopted == 0) {
            for (T* item : fItems) item->~T();
        } else {
            for (T* item : fItems) Destroy(item);
        }
        fItems.clear();
        fAdopted = 0;
        fPool.Release();
    }
    void Exchange(int A, int B) { std::swap(fItems.at(size_t(A)), fItems.at(size_t(B))); }
    // Moves the item at From to position To.
    void Move(int From, int To)
    {
        T* item = fItems.at(size_t(From));
        fItems.erase(fItems.begin() + From);
        fItems.insert(fItems.begin() + To, item);
    }
    int IndexOf(const T* item) const
    {
        for (int i = 0; i < Count(); ++i)
            if (fItems[size_t(i)] == item) return i;
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
        for (int i = 0; i < n; ++i) Add()->Assign(*Source.Items(i));
    }

    auto begin() const { return fItems.begin(); }
    auto end() const { return fItems.end(); }

    // A list whose only field is its item list is shown as an array.
    template <class F> void ForEachItem(F&& f) const
    {
        for (const T* p : fItems) f(*p);
    }

protected:
    // An item made by the pool is destroyed in place (its room is freed with
    // the pool by Clear); one handed over by Append is freed on its own.
    void Destroy(T* item)
    {
        if (fAdopted == 0 || fPool.Owns(item)) {
            item->~T();
            return;
        }
        delete item;
        --fAdopted;
    }

    std::vector<T*> fItems;
    TItemPool<T> fPool;
    size_t fAdopted = 0; // items handed over by Append, not made by the pool
};

} // namespace qv
