#pragma once

#include <QString>

// Well-known folders of the desktop session.
// UserData is where a program that cannot write beside itself keeps its files.
enum class SpecialFolder { Documents, Autostart, UserData };

// Raises IoError-like std::runtime_error when the desktop cannot name the folder.
QString specialfolder(SpecialFolder which);
