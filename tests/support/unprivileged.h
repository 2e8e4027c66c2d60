// File permissions do not stop the superuser.  Tests that need a file or
// folder to refuse access hold an UnprivilegedScope: while it lives the
// process acts as an ordinary user (when it runs as root), and the old
// identity comes back when it goes.
#ifndef TAMREL_TESTS_UNPRIVILEGED_H
#define TAMREL_TESTS_UNPRIVILEGED_H

class UnprivilegedScope {
 public:
  UnprivilegedScope();
  ~UnprivilegedScope();
  UnprivilegedScope(const UnprivilegedScope&) = delete;
  UnprivilegedScope& operator=(const UnprivilegedScope&) = delete;

  // false when the process runs as root and could not give that up; the
  // test should then skip.
  bool active() const { return active_; }

 private:
  bool active_ = true;
  bool dropped_ = false;
};

// Sets the permission bits of a file or folder (e.g. 0555 for a folder in
// which nothing can be created).
void SetMode(const char* path, unsigned mode);

#endif
