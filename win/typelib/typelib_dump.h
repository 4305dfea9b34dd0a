// A deterministic text listing of a type library: every type with its GUID and
// flags, every function with its DISPID, vtable slot, invoke kind, parameter
// types and flags, every constant with its value, and every help string. Two
// libraries with the same listing offer clients the same contract.
//
// Vtable positions are given as slots (offsets divided by the loading
// process's pointer size), so the x86 and the x64 library list alike.
#pragma once

#include <windows.h>

#include <oaidl.h>

#include <string>

namespace tovabel::win {

// One line per fact, each ending in '\n'.
std::string DumpTypeLibrary(ITypeLib* library);

} // namespace tovabel::win
