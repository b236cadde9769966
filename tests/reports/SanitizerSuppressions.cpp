// Fontconfig keeps a few bytes of the configuration it parses on first use
// for the life of the process, and no longer points at them: the leak
// checker of the sanitizer build would report every test that draws text.
// The memory is fontconfig's own, allocated once; ours is still checked.
extern "C" const char* __lsan_default_suppressions() { return "leak:libfontconfig.so\n"; }
