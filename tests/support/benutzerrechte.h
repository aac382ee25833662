#pragma once
// The file rights of a user who is not root, for as long as a Benutzerrechte
// lives: a file without write permission cannot be opened for writing. Root
// (the test machines run as root) keeps its user but gives up overriding
// file permissions; any other user has these rights already.
#include <linux/capability.h>
#include <sys/syscall.h>
#include <unistd.h>

namespace zevo::test {

class Benutzerrechte {
public:
  Benutzerrechte() {
    if (syscall(SYS_capget, &kopf_, vorher_) != 0) return;
    __user_cap_data_struct ohne[2] = {vorher_[0], vorher_[1]};
    ohne[0].effective &= ~((1u << CAP_DAC_OVERRIDE) | (1u << CAP_DAC_READ_SEARCH));
    gesetzt_ = syscall(SYS_capset, &kopf_, ohne) == 0;
  }
  ~Benutzerrechte() {
    if (gesetzt_) syscall(SYS_capset, &kopf_, vorher_);
  }
  Benutzerrechte(const Benutzerrechte&) = delete;
  Benutzerrechte& operator=(const Benutzerrechte&) = delete;

private:
  __user_cap_header_struct kopf_{_LINUX_CAPABILITY_VERSION_3, 0};   // 0: this thread
  __user_cap_data_struct vorher_[2]{};
  bool gesetzt_ = false;
};

}  // namespace zevo::test
