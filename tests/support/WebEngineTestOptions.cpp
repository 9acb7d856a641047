// Linked into every test program that starts Qt WebEngine.
// - The engine refuses to start its sandbox as root; tests alone run without it.
// - Under AddressSanitizer the engine's own libraries trip a new/delete size
//   mismatch at start and keep memory until exit; those reports are switched
//   off here, in the program itself, so they hold however the test is started.
//   Our own code stays instrumented and checked.
#include <unistd.h>

#include <cstdlib>

extern "C" const char* __asan_default_options() { return "new_delete_type_mismatch=0:detect_leaks=1"; }

extern "C" const char* __lsan_default_suppressions() {
  return "leak:libQt6WebEngineCore\nleak:libudev\nleak:libfontconfig\n";
}

namespace {
const bool kSandboxSwitch = [] {
  if (geteuid() == 0) setenv("QTWEBENGINE_DISABLE_SANDBOX", "1", 0);
  return true;
}();
}  // namespace
