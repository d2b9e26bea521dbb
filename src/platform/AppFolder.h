// Where the programs find their files. Run from the build tree, a program has
// the content database and the pictures beside it; installed, it keeps them
// in share/kestro beside its bin/ folder, which users cannot write, so the
// error log then goes to the per-user data folder (see ErrorLog).
#pragma once

#include <string>

namespace kestro {

// The folder that holds the running executable.
std::string executableFolder();

// The application folder of an executable in `executableFolder`: that folder
// itself when it holds DataStore.db, else ../share/kestro beside it when that
// holds it, else the executable's folder (where the missing file is then
// reported).
std::string applicationFolderFor(const std::string& executableFolder);

// The application folder of the running program: its content database,
// pictures and first choice for the error log.
std::string applicationFolder();

} // namespace kestro
