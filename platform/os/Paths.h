#pragma once

#include <string>

namespace Platform {

// Inside the system paths use '\' as their only separator; only this layer
// speaks the native form.
std::string ToNativePath(const std::string& path);
std::string FromNativePath(const std::string& nativePath);

// The folder of the running program (native form, no trailing separator).
// Tests point it at a folder of their own with SetProgramFolder; an empty
// text restores the real one.
std::string ProgramFolder();
void SetProgramFolder(const std::string& nativeFolder);

// The running program's own file (native form): the file of the program's
// name inside ProgramFolder, so a test that moves the program folder also
// chooses which file stands for the program.
std::string ProgramFile();

// The user's home folder (native form): $HOME when it is an absolute path,
// else the one the password database gives the user; empty when neither
// names one.
std::string HomeFolder();

// The user's application-data folder: $XDG_DATA_HOME, else ~/.local/share
// (native form). It is created when missing. Empty when there is no home
// folder to put it in.
std::string ApplicationDataFolder();

// Creates a folder and every missing parent; true when it exists afterwards.
bool CreateFolder(const std::string& nativeFolder);

} // namespace Platform
