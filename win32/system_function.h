#pragma once

// A system function looked up at run time, for what a Windows version may lack or what the start
// should not load.

#include <windows.h>

namespace velmora {

// Sets `function` to `name` from `module` (either may be missing: then it is left as it was).
template <typename Function> void FindSystemFunction(Function &function, HMODULE module, const char *name)
{
    if (module != nullptr) // through the plain function type: FARPROC's own would not match any
        function = reinterpret_cast<Function>(reinterpret_cast<void (*)()>(GetProcAddress(module, name)));
}

} // namespace velmora
