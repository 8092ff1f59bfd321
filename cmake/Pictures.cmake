# The window's artwork, listed once for the build: the pictures, resources/<picture>.png
# (form::pictureName names them in the program, the Windows resources take
# resources/<picture>.bmp), and the window's icon, resources/icon-<size>.png in each of
# form::kIconSizes. scripts/make-artwork draws them all.
set(QUENDRA_PICTURES banner encoder)
set(QUENDRA_ICON_SIZES 16 32 48)
