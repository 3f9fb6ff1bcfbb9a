#include "present/wmfrender.h"

// Draws one metafile for the program, under limits, so a damaged file ends here.
int main(int argc, char** argv) {
    return metafilehelpermain(argc, argv);
}
