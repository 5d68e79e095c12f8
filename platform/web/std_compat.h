#pragma once
// Force-included in the web build only: the C++20 library parts the program uses that the web
// toolchain's library (LLVM 14's libc++) still lacks.
#include <bit>
#include <cstring>
#include <type_traits>

#if !defined(__cpp_lib_bit_cast)
namespace std {

template <class To, class From>
constexpr To bit_cast(const From& from) noexcept {
  static_assert(sizeof(To) == sizeof(From) && is_trivially_copyable_v<To> &&
                is_trivially_copyable_v<From>);
  return __builtin_bit_cast(To, from);
}

}  // namespace std
#endif
