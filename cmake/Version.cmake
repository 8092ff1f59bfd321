# The product's version, set here once. It names the package, the Windows version record and the
# version the program reports (form/Version.h, made from form/Version.h.in).
set(QUENDRA_VERSION 1.1.0.4)
