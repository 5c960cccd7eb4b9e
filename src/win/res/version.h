// The program's version, in one place for the version resource, the code
// that shows it and the names of the release zips (tools/make_dist.py reads
// the four numbers here).
#pragma once

#define VANTOR_VERSION_MAJOR 1
#define VANTOR_VERSION_MINOR 0
#define VANTOR_VERSION_PATCH 0
#define VANTOR_VERSION_BUILD 0

#define VANTOR_STRINGIFY2(x) #x
#define VANTOR_STRINGIFY(x) VANTOR_STRINGIFY2(x)
#define VANTOR_VERSION_TEXT                                                                                     \
    VANTOR_STRINGIFY(VANTOR_VERSION_MAJOR)                                                                      \
    "." VANTOR_STRINGIFY(VANTOR_VERSION_MINOR) "." VANTOR_STRINGIFY(VANTOR_VERSION_PATCH) "." VANTOR_STRINGIFY( \
        VANTOR_VERSION_BUILD)
