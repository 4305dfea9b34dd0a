// The library's entry points: DllMain and the four self-registering COM server
// functions named in Tovabel2.def.
#include "class_factory.h"
#include "classes.h"
#include "platform.h"
#include "registration.h"
#include "win/common/module.h"

using namespace tovabel::win;

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID) {
    if (reason == DLL_PROCESS_ATTACH) {
        module::SetHandle(instance);
        DisableThreadLibraryCalls(instance);
    }
    return TRUE;
}

STDAPI DllGetClassObject(REFCLSID clsid, REFIID iid, void** out) {
    if (out == nullptr) {
        return E_POINTER;
    }
    *out = nullptr;
    const ClassEntry* entry = FindClass(clsid);
    if (entry == nullptr) {
        return CLASS_E_CLASSNOTAVAILABLE;
    }
    return HandOut<ClassFactory>(iid, out, *entry);
}

STDAPI DllCanUnloadNow() {
    if (module::InUse()) {
        return S_FALSE;
    }
    StopSounds(); // the library is about to go: nothing may read its sound bytes
    return S_OK;
}

STDAPI DllRegisterServer() {
    return RegisterServer();
}

STDAPI DllUnregisterServer() {
    return UnregisterServer();
}
