// The lock of a block of GlobalAlloc (whose owner, GlobalMemory, and that of
// COM's task allocator, TaskMemory, are in handle.h).
#pragma once

#include "win/common/handle.h"

#include <windows.h>

namespace tovabel::win {

// The address of a movable block, valid while the holder lives.
class GlobalLockScope {
public:
    explicit GlobalLockScope(HGLOBAL block) : mBlock(block), mData(GlobalLock(block)) {}
    GlobalLockScope(const GlobalLockScope&) = delete;
    GlobalLockScope& operator=(const GlobalLockScope&) = delete;
    ~GlobalLockScope() {
        if (mData != nullptr) {
            GlobalUnlock(mBlock);
        }
    }
    void* Data() const { return mData; }

private:
    HGLOBAL mBlock;
    void* mData;
};

} // namespace tovabel::win
