#pragma once

#include <QString>

// Well-known folders of the desktop session.
enum class SpecialFolder { Documents, Autostart };

// Raises IoError-like std::runtime_error when the desktop cannot name the folder.
QString specialfolder(SpecialFolder which);
