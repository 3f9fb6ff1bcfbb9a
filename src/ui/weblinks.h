#pragma once

// The maker's web site, opened by the about and help windows. The host is the build's
// CHIMELET_WEB_HOST setting.
inline constexpr const char* kWebHost = CHIMELET_WEB_HOST;
inline constexpr const char* kHomePage = "http://" CHIMELET_WEB_HOST "/";
inline constexpr const char* kSupportPage = "http://" CHIMELET_WEB_HOST "/?pge=support";
