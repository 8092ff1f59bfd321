# The product's version, set here once. It names the package, the Windows version record, the
# version the program reports (form/Version.h, made from form/Version.h.in) and the version the
# Debian package's changelog, manual page and AppStream metainfo give (resources/*.in).
set(QUENDRA_VERSION 1.1.0.4)
# The product's name and its publisher as Windows shows them: the version record
# (resources/Project1.rc.in) and the installer (resources/windows-installer.nsi.in): its folder
# in Program Files, its Start-menu shortcut and its entry in Apps and features.
set(QUENDRA_PRODUCT_NAME "Quendra orvo")
set(QUENDRA_PUBLISHER "The Quendra orvo developers")

string(REPLACE "." ";" quendra_version_parts "${QUENDRA_VERSION}")
list(GET quendra_version_parts 0 QUENDRA_VERSION_MAJOR)
list(GET quendra_version_parts 1 QUENDRA_VERSION_MINOR)
list(GET quendra_version_parts 2 QUENDRA_VERSION_PATCH)
list(GET quendra_version_parts 3 QUENDRA_VERSION_TWEAK)
