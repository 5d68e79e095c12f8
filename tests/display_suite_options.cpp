// Sanitizer settings of the suites that load display and GL drivers (see tests/CMakeLists.txt).
#include <cstdlib>

extern "C" const char* __asan_default_options() {
  return "detect_leaks=0";
}

namespace {

// Programs these suites start inherit the same setting.
const bool kChildrenSkipLeakChecks = setenv("ASAN_OPTIONS", "detect_leaks=0", 0) == 0;

}  // namespace
