#include "ut_rbheap.h"

#include <array>
#include <mutex>
#include <new>
#include <vector>

namespace {

// Every block starts with its size class, so that a block is freed into the
// class it came from whatever its owner did to the contents.
struct alignas(std::max_align_t) Header {
    size_t sizeClass;
};
constexpr size_t kGranule = 16;
constexpr size_t kClassCount = 32;  // blocks of up to 512 bytes; larger ones use the heap
constexpr size_t kLarge = kClassCount;
constexpr size_t kSlabBytes = 256 * 1024;

#ifndef KAVREL_GENERAL_HEAP
struct FreeBlock {
    FreeBlock* next;
};

// Slabs are kept for the life of the process: freed blocks return to their
// class's list and are handed out again.
struct Pool {
    std::array<FreeBlock*, kClassCount> freeLists{};
    std::byte* next = nullptr;
    std::byte* end = nullptr;
};

std::mutex& SlabMutex() {
    static std::mutex mutex;
    return mutex;
}
std::vector<std::byte*>& Slabs() {
    static std::vector<std::byte*> slabs;  // keeps every slab reachable
    return slabs;
}

std::byte* NewSlab() {
    auto* slab = static_cast<std::byte*>(::operator new(kSlabBytes));
    const std::lock_guard<std::mutex> lock(SlabMutex());
    Slabs().push_back(slab);
    return slab;
}

thread_local Pool tPool;
#endif

}  // namespace

void* rbAllocate(size_t bytes) {
    const size_t sizeClass = (bytes + kGranule - 1) / kGranule;
#ifndef KAVREL_GENERAL_HEAP
    if (sizeClass < kClassCount) {
        Pool& pool = tPool;
        Header* header;
        if (FreeBlock* block = pool.freeLists[sizeClass]) {
            pool.freeLists[sizeClass] = block->next;
            header = reinterpret_cast<Header*>(block) - 1;
        } else {
            const size_t total = sizeof(Header) + sizeClass * kGranule;
            if (pool.next == nullptr || static_cast<size_t>(pool.end - pool.next) < total) {
                pool.next = NewSlab();
                pool.end = pool.next + kSlabBytes;
            }
            header = new (pool.next) Header{sizeClass};
            pool.next += total;
        }
        return header + 1;
    }
#endif
    auto* header = new (::operator new(sizeof(Header) + bytes)) Header{kLarge};
    (void)sizeClass;
    return header + 1;
}

void rbFree(void* block) {
    if (block == nullptr) return;
    Header* header = static_cast<Header*>(block) - 1;
#ifndef KAVREL_GENERAL_HEAP
    if (header->sizeClass < kClassCount) {
        auto* free = static_cast<FreeBlock*>(block);
        free->next = tPool.freeLists[header->sizeClass];
        tPool.freeLists[header->sizeClass] = free;
        return;
    }
#endif
    ::operator delete(header);
}
