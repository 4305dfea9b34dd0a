// Holders for memory that the platform hands out: a block of GlobalAlloc
// (freed with GlobalFree unless someone takes it over), a lock of such a
// block, and a block of COM's task allocator (freed with CoTaskMemFree).
#pragma once

#include <windows.h>

#include <objbase.h>

#include <utility>

namespace tovabel::win {

class GlobalMemory {
public:
    explicit GlobalMemory(HGLOBAL adopted) : h_(adopted) {}
    GlobalMemory(const GlobalMemory&) = delete;
    GlobalMemory& operator=(const GlobalMemory&) = delete;
    ~GlobalMemory() {
        if (h_ != nullptr) {
            GlobalFree(h_);
        }
    }
    HGLOBAL Get() const { return h_; }
    // Hands the block to a new owner.
    HGLOBAL Detach() { return std::exchange(h_, nullptr); }

private:
    HGLOBAL h_;
};

// The address of a movable block, valid while the holder lives.
class GlobalLockScope {
public:
    explicit GlobalLockScope(HGLOBAL block) : block_(block), data_(GlobalLock(block)) {}
    GlobalLockScope(const GlobalLockScope&) = delete;
    GlobalLockScope& operator=(const GlobalLockScope&) = delete;
    ~GlobalLockScope() {
        if (data_ != nullptr) {
            GlobalUnlock(block_);
        }
    }
    void* Data() const { return data_; }

private:
    HGLOBAL block_;
    void* data_;
};

// A block that a COM call allocated for its caller (a display name, say).
class TaskMemory {
public:
    explicit TaskMemory(void* adopted) : p_(adopted) {}
    TaskMemory(const TaskMemory&) = delete;
    TaskMemory& operator=(const TaskMemory&) = delete;
    ~TaskMemory() { CoTaskMemFree(p_); }

private:
    void* p_;
};

} // namespace tovabel::win
