# Writes the setup program's wallpaper lines: the File line of each bitmap in FOLDER for
# the installer, the matching Delete line for the uninstaller, so the uninstaller removes
# exactly the files it installed and leaves any the user added.
# Usage: cmake -DFOLDER=... -DOUTPUT=... -P wallpaper-list.cmake
file(GLOB wallpapers RELATIVE ${FOLDER} ${FOLDER}/*.bmp)
list(SORT wallpapers)
set(install "!macro InstallWallpapers\n")
set(uninstall "!macro UninstallWallpapers\n")
foreach(name IN LISTS wallpapers)
  string(APPEND install "  File \"${FOLDER}/${name}\"\n")
  string(APPEND uninstall "  Delete \"$INSTDIR\\Wall paper\\${name}\"\n")
endforeach()
string(APPEND install "!macroend\n")
string(APPEND uninstall "!macroend\n")
file(WRITE ${OUTPUT} "; Made by the build from the wallpaper folder.\n${install}${uninstall}")
