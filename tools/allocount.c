/* SPDX-License-Identifier: MIT */
/* allocount: a library preloaded next to framehook.so that counts the
 * process's allocation calls (malloc, calloc, realloc and the aligned ones),
 * in all threads and per thread, and hands them on to the C library.
 * framehook's allocs action logs the counts at chosen frames. Not for
 * sanitizer builds, which bring their own allocator. */
#define _GNU_SOURCE
#include <errno.h>
#include <stddef.h>

extern void *__libc_malloc(size_t size);
extern void *__libc_calloc(size_t count, size_t size);
extern void *__libc_realloc(void *old, size_t size);
extern void *__libc_memalign(size_t alignment, size_t size);

static unsigned long all;
/* initial-exec: reaching the counter must not itself allocate. */
static __thread unsigned long here __attribute__((tls_model("initial-exec")));

static void count(void)
{
    __atomic_add_fetch(&all, 1, __ATOMIC_RELAXED);
    here++;
}

unsigned long allocount_all(void) { return __atomic_load_n(&all, __ATOMIC_RELAXED); }
unsigned long allocount_thread(void) { return here; }

void *malloc(size_t size) { count(); return __libc_malloc(size); }
void *calloc(size_t n, size_t size) { count(); return __libc_calloc(n, size); }
void *realloc(void *old, size_t size) { count(); return __libc_realloc(old, size); }
void *memalign(size_t alignment, size_t size) { count(); return __libc_memalign(alignment, size); }
void *aligned_alloc(size_t alignment, size_t size) { count(); return __libc_memalign(alignment, size); }

int posix_memalign(void **out, size_t alignment, size_t size)
{
    if (alignment % sizeof(void *) != 0 || (alignment & (alignment - 1)) != 0)
        return EINVAL;
    count();
    void *p = __libc_memalign(alignment, size);
    if (!p)
        return ENOMEM;
    *out = p;
    return 0;
}
