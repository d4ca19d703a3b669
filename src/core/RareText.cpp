#include "core/RareText.h"

#include <new>

// Under AddressSanitizer every box is a heap allocation of its own, so that a
// box used after it was given back is still caught.
#if defined(__SANITIZE_ADDRESS__)
#define QV_RARE_TEXT_HEAP 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define QV_RARE_TEXT_HEAP 1
#endif
#endif

namespace qv {

#ifdef QV_RARE_TEXT_HEAP

void* TRareTextBox::operator new(size_t Size) { return ::operator new(Size); }
void TRareTextBox::operator delete(void* Box) noexcept { ::operator delete(Box); }

#else

namespace {

// Boxes are handed out from slabs of this many bytes; a slab's first bytes
// chain it to the slab before, so every slab stays reachable.
constexpr size_t kSlabBytes = 64 * 1024;

union TBoxRoom {
    TBoxRoom* Next; // while free
    alignas(TRareTextBox) unsigned char Box[sizeof(TRareTextBox)];
};

struct TSlab {
    TSlab* Previous;
};

constexpr size_t kFirstRoom = (sizeof(TSlab) + alignof(TBoxRoom) - 1) / alignof(TBoxRoom) * alignof(TBoxRoom);

struct TBoxes {
    TBoxRoom* Free = nullptr; // boxes given back, newest first
    TBoxRoom* Next = nullptr; // untouched room in the newest slab
    TBoxRoom* End = nullptr;
    TSlab* Slabs = nullptr;
};

thread_local TBoxes tBoxes;

TBoxRoom* NewSlab(TBoxes& b)
{
    auto* slab = static_cast<TSlab*>(::operator new(kSlabBytes));
    slab->Previous = b.Slabs;
    b.Slabs = slab;
    auto* first = reinterpret_cast<TBoxRoom*>(reinterpret_cast<char*>(slab) + kFirstRoom);
    b.Next = first + 1;
    b.End = first + (kSlabBytes - kFirstRoom) / sizeof(TBoxRoom);
    return first;
}

} // namespace

void* TRareTextBox::operator new(size_t)
{
    TBoxes& b = tBoxes;
    if (TBoxRoom* r = b.Free) {
        b.Free = r->Next;
        return r;
    }
    if (b.Next != b.End) return b.Next++;
    return NewSlab(b);
}

void TRareTextBox::operator delete(void* Box) noexcept
{
    if (!Box) return;
    // A box given back on another thread joins that thread's free list.
    TBoxes& b = tBoxes;
    auto* r = static_cast<TBoxRoom*>(Box);
    r->Next = b.Free;
    b.Free = r;
}

#endif

} // namespace qv
