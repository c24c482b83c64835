// Tests provoke failed allocations on purpose (they must end in the runtime-error
// box); under the address sanitizer malloc has to return null for that instead of
// the sanitizer stopping the process itself. The sanitizer asks for this function.
#if defined(__SANITIZE_ADDRESS__)
extern "C" const char* __asan_default_options() { return "allocator_may_return_null=1"; }

// The ODBC installer library keeps what it read of the data-source settings until the
// process ends; that is its own bookkeeping, not a leak of ours.
extern "C" const char* __lsan_default_suppressions() { return "leak:libodbcinst.so\n"; }
#endif
