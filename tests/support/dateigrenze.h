#pragma once
// A full disk for every file the test process writes, for as long as a
// Dateigrenze lives: no file may grow past the given number of bytes (the
// process's file size limit, set without root). A write past it fails with
// "File too large"; the signal that would end the process is ignored.
#include <csignal>

#include <sys/resource.h>

namespace zevo::test {

class Dateigrenze {
public:
  explicit Dateigrenze(rlim_t bytes) {
    signal_ = std::signal(SIGXFSZ, SIG_IGN);
    getrlimit(RLIMIT_FSIZE, &vorher_);
    rlimit grenze = vorher_;
    grenze.rlim_cur = bytes;
    setrlimit(RLIMIT_FSIZE, &grenze);
  }
  ~Dateigrenze() {
    setrlimit(RLIMIT_FSIZE, &vorher_);
    std::signal(SIGXFSZ, signal_);
  }
  Dateigrenze(const Dateigrenze&) = delete;
  Dateigrenze& operator=(const Dateigrenze&) = delete;

private:
  rlimit vorher_{};
  void (*signal_)(int) = SIG_DFL;
};

}  // namespace zevo::test
