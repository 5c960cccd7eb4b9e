#include "shell/free_resources.h"

#include "base/system_library.h"

TFreeResources::TFreeResources() : FLibrary(LoadSystemLibrary("RSRC32.DLL")) {
    FGetFree = LibraryFunction<TGetFree>(FLibrary.Get(), "_MyGetFreeSystemResources32@4");
}

int TFreeResources::Get(int kind) const { return FGetFree ? FGetFree(kind & 0x7F) : -1; }

TResourceReadings TFreeResources::Sample(bool isNT) const {
    if (isNT) return TResourceReadings{100, 100, 100};
    return TResourceReadings{Get(0), Get(2), Get(1)};
}
