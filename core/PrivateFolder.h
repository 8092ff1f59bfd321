#pragma once

#include <string>

#include <sys/stat.h>

namespace quendra {

// Where the words a terminal window is given may point (POSIX): places that no other user can
// make, replace or change for as long as a terminal may still run them. The front-end puts the
// starter's link and the requests there; the starter takes a request from nowhere else.

// A private folder: a folder itself, not a link; this user's; closed to group and others; in a
// parent that no other user can write into; and every folder above it root's or this user's,
// either closed to the writes of others or sticky (so that nobody else can rename what lies in
// it). A group that is this user's own private group (named after the user, with no other
// member) is no other user. The path is absolute and is read as it is, links not followed.
bool isPrivateFolder(const std::string& folder);

// A private file: a regular file, this user's, closed to group and others.
bool isPrivateFile(const struct stat& file);

// The program's own private folder, made where it is missing: "quendra-orvo" in the runtime
// folder ($XDG_RUNTIME_DIR), else in the person's cache folder ($XDG_CACHE_HOME, else
// ~/.cache). Empty where neither is private on a path that every terminal reads as itself.
std::string programPrivateFolder();

} // namespace quendra
