#pragma once

// The maker's web site, opened by the about and help windows.
inline constexpr const char* kWebHost = "www.chimelet.org";
inline constexpr const char* kHomePage = "http://www.chimelet.org/";
inline constexpr const char* kSupportPage = "http://www.chimelet.org/?pge=support";
