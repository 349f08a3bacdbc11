#pragma once

#include <QString>

// Where the program finds its own files and where it keeps the settings of
// this computer.
namespace AppPaths {
// $SPRZETNIK_CONFIG_DIR when set, else /var/lib/sprzetnik (made by the
// package for all users of the computer) when writable, else the shared
// application-data folder + "Volmark/Sprzetnik" where writable, else the
// user's. Created with its "debug" subfolder on first use.
QString configDir();
// Forget the folder chosen so far (tests switch folders between cases).
void resetConfigDir();
// Where data/, raporty/, dormak/, dokumentacja/ and the installation-default
// sprzetnik.ini lie: the folder of the executable in a build, its
// ../share/sprzetnik when installed. Nothing is written here.
QString programDir();
// configDir() + "/" + name
QString configFile(const QString& name);
} // namespace AppPaths
