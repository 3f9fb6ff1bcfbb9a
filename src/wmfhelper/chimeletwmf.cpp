#include "linuxplatform/processlimits.h"
#include "present/wmfrender.h"

#include <cstdio>

// Draws one metafile for the program, under limits, so a damaged file ends here.
int main(int argc, char** argv) {
    if (!limitthisprocess(kMetafileCpuSeconds, kMetafileMemoryBytes)) {
        std::fputs("the limits for drawing a metafile could not be set", stderr);
        return 1;
    }
    return metafilehelpermain(argc, argv);
}
