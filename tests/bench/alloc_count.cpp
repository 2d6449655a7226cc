#include "alloc_count.h"

#include <cerrno>
#include <cstdlib>

bool CountAllocations;
long AllocationCount;

// glibc's own allocator under its internal names. Every allocation in the
// process, operator new included, goes through the replacements below.
extern "C" void *__libc_malloc(std::size_t size);
extern "C" void *__libc_calloc(std::size_t count, std::size_t size);
extern "C" void *__libc_realloc(void *p, std::size_t size);
extern "C" void *__libc_memalign(std::size_t alignment, std::size_t size);

static void Count()
{
    if (CountAllocations)
        ++AllocationCount;
}

extern "C" void *malloc(std::size_t size) noexcept
{
    Count();
    return __libc_malloc(size);
}

extern "C" void *calloc(std::size_t count, std::size_t size) noexcept
{
    Count();
    return __libc_calloc(count, size);
}

extern "C" void *realloc(void *p, std::size_t size) noexcept
{
    Count();
    return __libc_realloc(p, size);
}

extern "C" void *aligned_alloc(std::size_t alignment, std::size_t size) noexcept
{
    Count();
    return __libc_memalign(alignment, size);
}

extern "C" int posix_memalign(void **p, std::size_t alignment, std::size_t size) noexcept
{
    Count();
    *p = __libc_memalign(alignment, size);
    return *p ? 0 : ENOMEM;
}
