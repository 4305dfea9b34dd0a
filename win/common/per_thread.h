// An object per thread, for what all instances of the control on one thread
// share (the picture painter, the tooltip window).
#pragma once

#include <windows.h>

#include <map>
#include <memory>
#include <mutex>

namespace tovabel::win {

// The objects are owned here, not by thread_local variables: the i686
// compiler calls the destructor of a thread_local object at thread exit with
// the wrong calling convention, so the destructor never receives the object's
// address and frees whatever it finds instead. An object that its thread
// never destroyed lives until the library unloads.
template <class T> class PerThread {
public:
    // This thread's object, or null.
    T* Get() {
        const std::lock_guard<std::mutex> lock(mMutex);
        const auto found = mObjects.find(GetCurrentThreadId());
        return found == mObjects.end() ? nullptr : found->second.get();
    }

    // This thread's object, made on first use.
    T& GetOrMake() {
        const std::lock_guard<std::mutex> lock(mMutex);
        std::unique_ptr<T>& object = mObjects[GetCurrentThreadId()];
        if (!object) {
            object = std::make_unique<T>();
        }
        return *object;
    }

    void Destroy() {
        std::unique_ptr<T> gone;
        {
            const std::lock_guard<std::mutex> lock(mMutex);
            const auto found = mObjects.find(GetCurrentThreadId());
            if (found == mObjects.end()) {
                return;
            }
            gone = std::move(found->second);
            mObjects.erase(found);
        }
        // destroyed outside the lock: its window or GDI objects may call back
    }

private:
    std::mutex mMutex;
    std::map<DWORD, std::unique_ptr<T>> mObjects;
};

} // namespace tovabel::win
