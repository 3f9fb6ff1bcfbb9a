#pragma once

// The maker's web site: its host is chosen when the program is built.
extern const char* const kWebHost;
extern const char* const kHomePage;
extern const char* const kSupportPage;
extern const char* const kImagesPage;
