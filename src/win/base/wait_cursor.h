// The hourglass for the length of a scope; the cursor before comes back.
#pragma once

#include <windows.h>

class TWaitCursor {
public:
    TWaitCursor() : FOld(SetCursor(LoadCursor(nullptr, IDC_WAIT))) {}
    ~TWaitCursor() { SetCursor(FOld); }
    TWaitCursor(const TWaitCursor&) = delete;
    TWaitCursor& operator=(const TWaitCursor&) = delete;

private:
    HCURSOR FOld;
};
