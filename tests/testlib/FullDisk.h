#pragma once
// A full disk for the length of a scope, made real without mounting anything: the process may
// not make any file larger than `bytes` (RLIMIT_FSIZE, soft limit only, so it can be lifted
// again). A write past the limit then fails with EFBIG, as one fails with ENOSPC on a full disk:
// both happen when the data leaves the program, which is what a writer must notice. SIGXFSZ,
// which the system sends at the same time, is ignored while the limit holds.
#include <csignal>
#include <sys/resource.h>

namespace caltest {

class FullDisk {
public:
    explicit FullDisk(rlim_t bytes = 16) {
        oldHandler_ = std::signal(SIGXFSZ, SIG_IGN);
        ok_ = ::getrlimit(RLIMIT_FSIZE, &old_) == 0;
        if (!ok_) return;
        rlimit limited = old_;
        limited.rlim_cur = bytes;
        ok_ = ::setrlimit(RLIMIT_FSIZE, &limited) == 0;
    }
    ~FullDisk() { lift(); }
    FullDisk(const FullDisk&) = delete;
    FullDisk& operator=(const FullDisk&) = delete;

    bool ok() const { return ok_; }
    void lift() {
        if (ok_) ::setrlimit(RLIMIT_FSIZE, &old_);
        ok_ = false;
        if (oldHandler_ != SIG_ERR) std::signal(SIGXFSZ, oldHandler_);
        oldHandler_ = SIG_ERR;
    }

private:
    rlimit old_{};
    bool ok_ = false;
    void (*oldHandler_)(int) = SIG_ERR;
};

}  // namespace caltest

// Opens a full-disk scope or fails the test.
#define CAL_FULL_DISK(name)          \
    caltest::FullDisk name;          \
    QVERIFY2(name.ok(), "RLIMIT_FSIZE could not be set")
