# The product's version, written once: in the first line of debian/changelog, which the Debian
# package takes it from. It names the Windows packages and version record, the version the
# program reports (form/Version.h, made from form/Version.h.in) and the version the manual page
# and AppStream metadata give (resources/*.in).
file(STRINGS ${CMAKE_CURRENT_LIST_DIR}/../debian/changelog quendra_changelog_top LIMIT_COUNT 1)
if(NOT quendra_changelog_top MATCHES "^quendra-orvo \\(([0-9]+\\.[0-9]+\\.[0-9]+\\.[0-9]+)\\) ")
    message(FATAL_ERROR "debian/changelog does not start with \"quendra-orvo (A.B.C.D) \": "
                        "${quendra_changelog_top}")
endif()
set(QUENDRA_VERSION ${CMAKE_MATCH_1})
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS
    ${CMAKE_CURRENT_LIST_DIR}/../debian/changelog)
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
