// The global allocation functions of the executable: a failed allocation is
// the fatal error "分配 %d 字节内存失败!" with the number of bytes asked for.

#include <cstdlib>
#include <new>

#include "app/win32/fatal_error.h"

void* operator new(std::size_t size) {
  if (void* p = std::malloc(size == 0 ? 1 : size)) return p;
  lumdrift::allocationFailed(size);
}

void* operator new[](std::size_t size) {
  return ::operator new(size);
}

// Whoever asks for nothrow handles the failure itself.
void* operator new(std::size_t size, const std::nothrow_t&) noexcept {
  return std::malloc(size == 0 ? 1 : size);
}

void* operator new[](std::size_t size, const std::nothrow_t&) noexcept {
  return std::malloc(size == 0 ? 1 : size);
}

void operator delete(void* p) noexcept {
  std::free(p);
}
void operator delete[](void* p) noexcept {
  std::free(p);
}
void operator delete(void* p, std::size_t) noexcept {
  std::free(p);
}
void operator delete[](void* p, std::size_t) noexcept {
  std::free(p);
}
void operator delete(void* p, const std::nothrow_t&) noexcept {
  std::free(p);
}
void operator delete[](void* p, const std::nothrow_t&) noexcept {
  std::free(p);
}
