#pragma once

#include <sys/resource.h>

// A disk that fills up: while the object lives, this process cannot write any file beyond the
// given size. A write past it fails with "File too large", as it would on a full disk (the
// signal that would end the process instead is ignored meanwhile).
class FullDisk {
public:
    explicit FullDisk(rlim_t bytes);
    ~FullDisk();
    FullDisk(const FullDisk&) = delete;
    FullDisk& operator=(const FullDisk&) = delete;

private:
    rlimit m_old{};
    void (*m_oldHandler)(int) = nullptr;
};
