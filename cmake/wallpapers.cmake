# The wallpaper set the installer ships, written into wallpapers/ by every build; 06.bmp
# is the default the program asks for by name.
set(HORLOMA_WALLPAPERS ${CMAKE_BINARY_DIR}/wallpapers)
add_custom_command(OUTPUT ${HORLOMA_WALLPAPERS}/06.bmp
  COMMAND python3 ${CMAKE_SOURCE_DIR}/tools/make_wallpapers.py ${HORLOMA_WALLPAPERS}
  DEPENDS ${CMAKE_SOURCE_DIR}/tools/make_wallpapers.py
  COMMENT "Making the wallpaper set")
add_custom_target(horloma_wallpapers ALL DEPENDS ${HORLOMA_WALLPAPERS}/06.bmp)
