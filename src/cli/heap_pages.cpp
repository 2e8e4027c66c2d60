#include "cli/heap_pages.h"

#include <cstdlib>
#include <cstring>
#include <string>

// The glibc.malloc.hugetlb tunable came with glibc 2.35; elsewhere the
// heap stays as the system gives it.
#if defined(__linux__) && defined(__GLIBC__) && (__GLIBC__ > 2 || __GLIBC_MINOR__ >= 35)
#define TAMREL_TUNED_HEAP 1
#include <malloc.h>
#include <unistd.h>
#else
#define TAMREL_TUNED_HEAP 0
#endif

#if TAMREL_TUNED_HEAP
// A large block given back to the system and asked for again (a growing
// array doubles, its old copy goes) comes back as fresh pages, each one
// cleared by the system first.  Blocks up to 32 MB are taken from the heap
// instead, and its free top is kept, so that they are used again.
static void KeepFreedBlocks() {
  mallopt(M_MMAP_THRESHOLD, 32 << 20);
  mallopt(M_TRIM_THRESHOLD, 256 << 20);
}
#endif

void UseLargeHeapPages(char** argv) {
#if TAMREL_TUNED_HEAP
  const char* choice = std::getenv("TAMREL_HEAP");
  if (choice != nullptr && std::strcmp(choice, "plain") == 0) return;
  KeepFreedBlocks();
  const char* tunables = std::getenv("GLIBC_TUNABLES");
  if (tunables != nullptr && std::strstr(tunables, "glibc.malloc.hugetlb") != nullptr) return;
  std::string wanted = "glibc.malloc.hugetlb=1";
  if (tunables != nullptr && tunables[0] != '\0') wanted = std::string(tunables) + ":" + wanted;
  if (setenv("GLIBC_TUNABLES", wanted.c_str(), 1) != 0) return;
  execv("/proc/self/exe", argv);
  // The start failed: go on with the plain heap.
  if (tunables != nullptr) {
    setenv("GLIBC_TUNABLES", tunables, 1);
  } else {
    unsetenv("GLIBC_TUNABLES");
  }
#else
  (void)argv;
#endif
}
