// Built into the program only with the sanitizers. The system's D-Bus library keeps a buffer for
// the whole process and never frees it; the leak checker would fail every run under X for it.
extern "C" const char* __lsan_default_suppressions();

extern "C" const char* __lsan_default_suppressions()
{
    return "leak:libdbus-1.so\n";
}
