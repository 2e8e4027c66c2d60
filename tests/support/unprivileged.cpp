#include "support/unprivileged.h"

#include <sys/stat.h>
#include <unistd.h>

namespace {

const uid_t kNobody = 65534;

// Going back to root cannot fail while the saved identity is root; the
// results are checked only to keep the compiler content.
void BecomeRootAgain() {
  if (seteuid(0) != 0) return;
  if (setegid(0) != 0) return;
}

}  // namespace

UnprivilegedScope::UnprivilegedScope() {
  if (geteuid() != 0) return;
  if (setegid(kNobody) != 0 || seteuid(kNobody) != 0) {
    BecomeRootAgain();
    active_ = false;
    return;
  }
  dropped_ = true;
}

UnprivilegedScope::~UnprivilegedScope() {
  if (dropped_) BecomeRootAgain();
}

void SetMode(const char* path, unsigned mode) { chmod(path, static_cast<mode_t>(mode)); }
