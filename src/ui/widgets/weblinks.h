#pragma once

// The maker's web site; the host is the build's CHIMELET_WEB_HOST setting.
extern const char* const kWebHost;
extern const char* const kHomePage;
extern const char* const kSupportPage;
extern const char* const kImagesPage;
