// ODBC drivers are built without frame pointers: the sanitizer's fast stack
// walk stops inside them, and only the full walk reaches a library that the
// leak suppressions name. Linked into the suites that go through a driver.
extern "C" __attribute__((visibility("default"), used)) const char* __asan_default_options() {
    return "fast_unwind_on_malloc=0";
}
