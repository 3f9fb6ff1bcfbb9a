#include "ui/widgets/weblinks.h"

#ifndef CHIMELET_WEB_HOST
#error "CHIMELET_WEB_HOST names the maker's web host; the build defines it"
#endif

const char* const kWebHost = CHIMELET_WEB_HOST;
const char* const kHomePage = "https://" CHIMELET_WEB_HOST "/";
const char* const kSupportPage = "https://" CHIMELET_WEB_HOST "/?pge=support";
const char* const kImagesPage = "https://" CHIMELET_WEB_HOST "/?pge=chimeletimages";
