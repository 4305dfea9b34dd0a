// Counts what a loaded module asks of the window system: every function it
// imports from the named libraries is pointed at a small counting stub that
// goes on to the function itself, for the life of the counter. The module
// does not know; it is the way the Windows tests watch the library's sounds,
// applied to all of its user32 and gdi32 imports at once (x64 only).
#pragma once

#include <windows.h>

#include <cstdint>
#include <map>
#include <string>
#include <vector>

namespace tovabel::bench {

class CallCounter {
public:
    CallCounter(HMODULE module, const std::vector<std::string>& libraries);
    CallCounter(const CallCounter&) = delete;
    CallCounter& operator=(const CallCounter&) = delete;
    ~CallCounter();

    bool Active() const { return !mImports.empty(); }
    void Reset();
    // Calls since the last Reset, by "library!function", only those made.
    std::map<std::string, std::uint64_t> Counts() const;

private:
    struct Import {
        std::string name;
        void** slot;
        void* original;
        struct Stub* stub;
    };
    std::vector<Import> mImports;
    void* mStubs = nullptr; // executable memory holding every stub
};

} // namespace tovabel::bench
