#include "ui/FormBase.h"

#if defined(__GLIBC__)
#include <malloc.h>
#endif

namespace ui {

void ReturnFreedMemory() {
#if defined(__GLIBC__)
    // The allocator keeps freed blocks for reuse; a closed list window frees tens of
    // megabytes at the file's limit, which would otherwise stay with the program.
    malloc_trim(0);
#endif
}

} // namespace ui
