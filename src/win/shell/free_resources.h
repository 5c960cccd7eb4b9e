// The free system, USER and GDI resources of the older Windows family, read
// through the optional RSRC32.DLL from the System folder. Other systems have
// no such heaps: there the meter has no source and shows nothing.
#pragma once

#include <windows.h>

#include "bars/resource_meter.h"
#include "base/handles.h"

class TFreeResources {
public:
    TFreeResources();

    // The free percentage of one kind (0 system, 1 GDI, 2 USER); -1 when
    // the library or its export is missing.
    int Get(int kind) const;
    // The meter can show: not the NT family, and the library answers.
    bool Available(bool isNT) const { return !isNT && Get(0) != -1; }
    // The three readings; the NT family has no such limits (100 each).
    TResourceReadings Sample(bool isNT) const;

private:
    using TGetFree = int(WINAPI*)(int);
    TModule FLibrary;
    TGetFree FGetFree = nullptr;
};
