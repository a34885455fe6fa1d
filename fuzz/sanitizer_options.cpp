// The batch targets allocate and free many small objects a run: AddressSanitizer records no call stack
// for each allocation, which halves its cost. A finding is replayed with ASAN_OPTIONS=malloc_context_size=30
// for the stacks of the memory involved.

extern "C" const char* __asan_default_options() {
    return "malloc_context_size=0";
}
