// A function of a system DLL looked up at run time, for what older Windows versions lack.
#pragma once

#include <windows.h>

// NULL when the module is not loaded in this process or has no such function.
template <typename Function> Function SystemFunction(const char* module, const char* name)
{
    const HMODULE handle = GetModuleHandleA(module);
    return handle ? reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(handle, name))) : nullptr;
}
