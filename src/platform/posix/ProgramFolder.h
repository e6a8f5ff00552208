#pragma once

#include <string>

namespace fondex::platform::posix {

// The executable's own POSIX path; empty when the system does not tell it.
std::string OwnExecutablePath();

// True when the folder's permission bits let this user create files in it (the owner's, the
// group's or the others' bits, whichever class the user is in) and the system agrees. The bits
// hold for root too: a folder made read-only is not written even by the administrator.
bool FolderAcceptsFiles(const std::string& folder);

// The folder of the program's own files. A copy run from a folder it may write keeps them
// beside itself; an installed copy, in a folder it may not write, keeps them in the per-user
// folder, created when missing, or in its own folder still when the per-user one cannot be.
std::string ProgramFolder(const std::string& executablePath, const std::string& perUserFolder);

// The folder of an installed copy's shared files (.../bin/fondex -> .../share/fondex).
std::string InstalledDataFolder(const std::string& executablePath);

// A file the program looks for in its folder: the file itself when it exists, else the file of
// the same name in the installed data folder when that exists, else the path unchanged.
std::string FileOrInstalledCopy(const std::string& path, const std::string& executablePath);

}  // namespace fondex::platform::posix
