// Tests provoke failed allocations on purpose (they must end in the runtime-error
// box); under the address sanitizer malloc has to return null for that instead of
// the sanitizer stopping the process itself. The sanitizer asks for this function.
#if defined(__SANITIZE_ADDRESS__)
extern "C" const char* __asan_default_options() { return "allocator_may_return_null=1"; }
#endif
