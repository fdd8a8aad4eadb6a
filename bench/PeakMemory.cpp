#include "PeakMemory.h"

#include <atomic>
#include <cstddef>

#if defined(__GLIBC__) && !defined(__SANITIZE_ADDRESS__)
#include <cerrno>
#include <malloc.h>

// The allocator entry points replaced for counting, as glibc allows: each
// forwards to glibc's own and counts the chunk's usable size.
extern "C" {
void* __libc_malloc(std::size_t size);
void* __libc_calloc(std::size_t count, std::size_t size);
void* __libc_realloc(void* block, std::size_t size);
void* __libc_memalign(std::size_t alignment, std::size_t size);
void __libc_free(void* block);
}

namespace {

std::atomic<long long> g_current{0};
std::atomic<long long> g_peak{0};

void* counted(void* block) {
    if (block) {
        const auto size = static_cast<long long>(malloc_usable_size(block));
        const long long now = g_current.fetch_add(size, std::memory_order_relaxed) + size;
        long long peak = g_peak.load(std::memory_order_relaxed);
        while (now > peak && !g_peak.compare_exchange_weak(peak, now, std::memory_order_relaxed)) {
        }
    }
    return block;
}

void uncount(void* block) {
    if (block)
        g_current.fetch_sub(static_cast<long long>(malloc_usable_size(block)),
                            std::memory_order_relaxed);
}

} // namespace

extern "C" {
void* malloc(std::size_t size) {
    return counted(__libc_malloc(size));
}
void* calloc(std::size_t count, std::size_t size) {
    return counted(__libc_calloc(count, size));
}
void* realloc(void* block, std::size_t size) {
    const auto before = static_cast<long long>(block ? malloc_usable_size(block) : 0);
    void* const moved = __libc_realloc(block, size);
    if (moved || size == 0) {
        g_current.fetch_sub(before, std::memory_order_relaxed);
        counted(moved);
    }
    return moved;
}
void free(void* block) {
    uncount(block);
    __libc_free(block);
}
void* memalign(std::size_t alignment, std::size_t size) {
    return counted(__libc_memalign(alignment, size));
}
void* aligned_alloc(std::size_t alignment, std::size_t size) {
    return counted(__libc_memalign(alignment, size));
}
int posix_memalign(void** result, std::size_t alignment, std::size_t size) {
    void* const block = counted(__libc_memalign(alignment, size));
    if (!block)
        return ENOMEM;
    *result = block;
    return 0;
}
void* valloc(std::size_t size) {
    return counted(__libc_memalign(4096, size));
}
void* pvalloc(std::size_t size) {
    return counted(__libc_memalign(4096, (size + 4095) & ~std::size_t{4095}));
}
}

namespace peak_memory {
bool available() {
    return true;
}
long long current() {
    return g_current.load(std::memory_order_relaxed);
}
long long peak() {
    return g_peak.load(std::memory_order_relaxed);
}
void reset() {
    g_peak.store(current(), std::memory_order_relaxed);
}
} // namespace peak_memory

#else

namespace peak_memory {
bool available() {
    return false;
}
long long current() {
    return 0;
}
long long peak() {
    return 0;
}
void reset() {}
} // namespace peak_memory

#endif
