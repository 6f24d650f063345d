// SDL talks to the session bus for input methods, and libdbus keeps a buffer of its own
// that it frees only at its shutdown, which SDL does not call. Not ours to free; the leak
// checker is told so here rather than for every test run.
extern "C" const char* __lsan_default_suppressions()
{
    return "leak:libdbus-1.so\n";
}
