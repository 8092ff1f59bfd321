#pragma once

#include <string>

#include <sys/stat.h>

namespace quendra {

// Where the words a terminal window is given may point (POSIX): places that no other user can
// make, replace or change for as long as a terminal may still run them. The front-end puts the
// starter's link and the requests there; the starter takes a request from nowhere else.

// A private folder: a folder itself, not a link; this user's; closed to group and others; and,
// from the root down, every folder above it root's or this user's and, while other users can
// reach it, closed to their writes (sticky will do above the parent, where nobody else can rename
// what lies in it). A folder that other users cannot pass closes everything below it to them.
// Other users act as others, through a group, or through an ACL's named entries; a group that is
// this user's own private group (named after the user, nobody else's primary group, with no
// other member and no other entry of its number) is no other user. The path is absolute and is
// read as it is, links not followed.
bool isPrivateFolder(const std::string& folder);

// A private file: a regular file, this user's, closed to group and others.
bool isPrivateFile(const struct stat& file);

// The program's own private folder, made where it is missing: "quendra-orvo" in the runtime
// folder ($XDG_RUNTIME_DIR), else in the person's cache folder ($XDG_CACHE_HOME, else
// ~/.cache). Empty where neither is private on a path that every terminal reads as itself.
std::string programPrivateFolder();

} // namespace quendra
