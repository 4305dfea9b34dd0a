// How the type library generator reports a failed step: the step and the
// platform's HRESULT, thrown up to main, which prints them and removes the
// partial output.
#pragma once

#include <windows.h>

#include <string>

namespace tovabel::typelib {

struct Failure {
    std::string step;
    HRESULT hr;
};

inline void Check(HRESULT hr, const std::string& step) {
    if (FAILED(hr)) {
        throw Failure{step, hr};
    }
}

} // namespace tovabel::typelib
