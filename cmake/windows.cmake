# Windows build: horloma.scr and the tests that run it, and its code, under Wine.
enable_language(RC)

# Only system DLLs at run time: the C++ runtime and winpthread are linked in.
add_link_options(-static -static-libgcc -static-libstdc++)

add_library(horloma_win STATIC
  settings/settings_store.cpp
  shell/command_line.cpp
  shell/run_saver.cpp
  shell/saver_window.cpp
  shell/password_hooks.cpp
  render/frame_composition.cpp
  render/dial_layer.cpp
  render/hands_layer.cpp
  render/home_page_notice.cpp)
target_link_libraries(horloma_win PUBLIC horloma_core gdiplus shell32 advapi32 user32 gdi32)

# The committed icon (tools/make-icon.sh remakes it), copied next to the program, where
# the setup program takes it from; the resource script reads the same copy.
set(HORLOMA_ICON ${CMAKE_BINARY_DIR}/horloma.ico)
add_custom_command(OUTPUT ${HORLOMA_ICON}
  COMMAND ${CMAKE_COMMAND} -E copy ${CMAKE_SOURCE_DIR}/resources/horloma.ico ${HORLOMA_ICON}
  DEPENDS ${CMAKE_SOURCE_DIR}/resources/horloma.ico
  COMMENT "Copying the program icon")
set_source_files_properties(resources/horloma.rc PROPERTIES OBJECT_DEPENDS
  "${HORLOMA_ICON};${CMAKE_SOURCE_DIR}/resources/horloma.manifest")

add_executable(horloma WIN32 shell/entry.cpp resources/horloma.rc)
target_include_directories(horloma PRIVATE ${CMAKE_SOURCE_DIR}/resources ${CMAKE_BINARY_DIR})
target_link_libraries(horloma PRIVATE horloma_win)
set_target_properties(horloma PROPERTIES SUFFIX ".scr")

# The "Dodaz" font the numerals and texts are drawn with, and its licence, made from a
# Debian font; the Wine test prefix installs it. Debian's own Python has fonttools.
set(HORLOMA_FONT ${CMAKE_BINARY_DIR}/fonts/Dodaz.ttf)
add_custom_command(OUTPUT ${HORLOMA_FONT} ${CMAKE_BINARY_DIR}/fonts/Dodaz-LICENSE.txt
  COMMAND /usr/bin/python3 ${CMAKE_SOURCE_DIR}/tools/make_font.py ${HORLOMA_FONT}
  DEPENDS ${CMAKE_SOURCE_DIR}/tools/make_font.py
  COMMENT "Making the Dodaz font")
add_custom_target(horloma_font ALL DEPENDS ${HORLOMA_FONT})

include(cmake/wallpapers.cmake)

# GoogleTest built from Debian's sources with this toolchain.
set(gtest_force_shared_crt OFF CACHE BOOL "" FORCE)
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)

function(horloma_win_test name)
  add_executable(${name} ${ARGN})
  target_link_libraries(${name} PRIVATE horloma_win gtest_main)
  target_include_directories(${name} PRIVATE ${CMAKE_SOURCE_DIR}/tests/win)
  add_test(NAME ${name} COMMAND ${name})
  set_tests_properties(${name} PROPERTIES ENVIRONMENT "GTEST_COLOR=no")
endfunction()

horloma_win_test(core_tests ${CORE_TEST_SOURCES})
horloma_win_test(settings_store_tests tests/win/settings_store_test.cpp)
horloma_win_test(command_line_tests tests/win/command_line_test.cpp)
horloma_win_test(startup_process_tests tests/win/startup_process_test.cpp
  tests/win/saver_process.cpp)
add_dependencies(startup_process_tests horloma)
# The saver window's tests carry the program's resources, for the class icon.
horloma_win_test(saver_window_tests tests/win/saver_window_test.cpp
  tests/win/saver_window_process_test.cpp tests/win/saver_process.cpp tests/win/bitmap_files.cpp
  tests/win/gdiplus_environment.cpp
  resources/horloma.rc)
target_include_directories(saver_window_tests PRIVATE ${CMAKE_SOURCE_DIR}/resources
  ${CMAKE_BINARY_DIR})
add_dependencies(saver_window_tests horloma)
horloma_win_test(font_tests tests/win/font_test.cpp)

# The program must be a Windows GUI executable of its width that needs only system
# DLLs. Labelled static: it reads the file and needs no Wine.
add_test(NAME program_file_check
  COMMAND ${CMAKE_SOURCE_DIR}/tests/check-program-file.sh $<TARGET_FILE:horloma>
          ${HORLOMA_TRIPLE}-objdump ${HORLOMA_WIN_ARCH})
set_tests_properties(program_file_check PROPERTIES LABELS static)

horloma_win_test(render_tests tests/win/render_test.cpp tests/win/render_fixture.cpp
  tests/win/bitmap_files.cpp tests/win/gdiplus_environment.cpp)

# The icon's images as Windows draws them from the built file.
horloma_win_test(icon_tests tests/win/icon_image_test.cpp tests/win/saver_process.cpp
  tests/win/bitmap_files.cpp tests/win/program_resources.cpp)
target_include_directories(icon_tests PRIVATE ${CMAKE_SOURCE_DIR}/resources)
add_dependencies(icon_tests horloma)

# The icon's large images, painted by the clock's renderer; tools/make-icon.sh builds and
# runs it and commits the result, so a build needs neither this tool nor Wine.
add_executable(paint_icon EXCLUDE_FROM_ALL tools/icon/paint_icon.cpp)
target_link_libraries(paint_icon PRIVATE horloma_win)
target_link_options(paint_icon PRIVATE -municode)

# `make bench`: frame costs and the running saver's CPU share, printed, not tested.
add_executable(frame_bench EXCLUDE_FROM_ALL tests/bench/frame_bench.cpp)
target_link_libraries(frame_bench PRIVATE horloma_win)
add_dependencies(frame_bench horloma)

# Stand-ins for the system's password libraries, PASSWORD.CPL and MPR.DLL, of the
# program's width, each in a folder of its own under fixtures/; the password tests copy
# them beside a copy of horloma.scr. They export only their dllexport functions, by the
# plain names (no i686 stdcall decoration), as the system's libraries do.
function(horloma_password_fixture target folder name suffix)
  add_library(${target} SHARED ${ARGN})
  target_include_directories(${target} PRIVATE ${CMAKE_SOURCE_DIR}/tests/win/fixtures)
  target_link_options(${target} PRIVATE -Wl,--kill-at -Wl,--exclude-all-symbols)
  set_target_properties(${target} PROPERTIES PREFIX "" OUTPUT_NAME ${name} SUFFIX ${suffix}
    RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/fixtures/${folder}
    ARCHIVE_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/fixtures/${folder})
endfunction()
horloma_password_fixture(password_cpl_fixture password PASSWORD .CPL
  tests/win/fixtures/password_cpl.cpp)
horloma_password_fixture(mpr_without_change_fixture mpr-without-change MPR .DLL
  tests/win/fixtures/mpr_dll.cpp)
horloma_password_fixture(mpr_with_change_fixture mpr-with-change MPR .DLL
  tests/win/fixtures/mpr_dll.cpp)
target_compile_definitions(mpr_with_change_fixture PRIVATE HORLOMA_FIXTURE_CHANGE_PASSWORD)

horloma_win_test(password_process_tests tests/win/password_process_test.cpp
  tests/win/saver_process.cpp)
add_dependencies(password_process_tests horloma password_cpl_fixture
  mpr_without_change_fixture mpr_with_change_fixture)

# The settings dialog and the About box, and the About box's logo, drawn at build time.
target_sources(horloma_win PRIVATE dialogs/settings_dialog.cpp dialogs/about_dialog.cpp)
set(HORLOMA_LOGO ${CMAKE_BINARY_DIR}/horloma-logo.bmp)
add_custom_command(OUTPUT ${HORLOMA_LOGO}
  COMMAND /usr/bin/python3 ${CMAKE_SOURCE_DIR}/tools/make_logo.py ${HORLOMA_LOGO}
  DEPENDS ${CMAKE_SOURCE_DIR}/tools/make_logo.py
  COMMENT "Drawing the About box logo")
set_property(SOURCE resources/horloma.rc APPEND PROPERTY OBJECT_DEPENDS
  ${HORLOMA_LOGO} ${CMAKE_SOURCE_DIR}/resources/dialogs.rc)

# The dialogs' tests carry the program's resources; the Home page test opens its address
# through a recorder that stands in for the browser.
add_executable(url_recorder WIN32 tests/win/url_recorder.cpp)
target_link_libraries(url_recorder PRIVATE shell32)
horloma_win_test(dialog_tests tests/win/settings_dialog_test.cpp
  tests/win/about_dialog_test.cpp tests/win/settings_dialog_process_test.cpp
  tests/win/dialog_driver.cpp tests/win/bitmap_files.cpp tests/win/bad_input_cases.cpp
  tests/win/object_counts.cpp tests/win/gdiplus_environment.cpp
  tests/win/saver_process.cpp resources/horloma.rc)
target_include_directories(dialog_tests PRIVATE ${CMAKE_SOURCE_DIR}/resources
  ${CMAKE_BINARY_DIR})
target_link_libraries(dialog_tests PRIVATE psapi)
add_dependencies(dialog_tests horloma url_recorder)

# Broken and hostile input on the real program and its code; labelled for the figures.
horloma_win_test(bad_input_tests tests/win/bad_input_test.cpp tests/win/bad_input_cases.cpp
  tests/win/bitmap_files.cpp tests/win/render_fixture.cpp tests/win/saver_process.cpp
  tests/win/gdiplus_environment.cpp)
add_dependencies(bad_input_tests horloma)
set_tests_properties(bad_input_tests PROPERTIES LABELS badinput)

# The resources as Windows reads them back from the built file.
horloma_win_test(resources_tests tests/win/resources_test.cpp tests/win/saver_process.cpp
  tests/win/program_resources.cpp)
target_include_directories(resources_tests PRIVATE ${CMAKE_SOURCE_DIR}/resources)
target_link_libraries(resources_tests PRIVATE version)
add_dependencies(resources_tests horloma)

# The setup program: the saver of this width, the wallpaper set, the font and the
# licences in one NSIS installer. makensis's stub is x86 for the i686 build (the shipped
# installer) and amd64 for the x86_64 one, which is the one Wine runs here.
find_program(MAKENSIS makensis REQUIRED)
set(HORLOMA_WALLPAPER_LIST ${CMAKE_BINARY_DIR}/wallpapers.nsh)
add_custom_command(OUTPUT ${HORLOMA_WALLPAPER_LIST}
  COMMAND ${CMAKE_COMMAND} -DFOLDER=${HORLOMA_WALLPAPERS} -DOUTPUT=${HORLOMA_WALLPAPER_LIST}
          -P ${CMAKE_SOURCE_DIR}/cmake/wallpaper-list.cmake
  DEPENDS ${HORLOMA_WALLPAPERS}/06.bmp ${CMAKE_SOURCE_DIR}/cmake/wallpaper-list.cmake
  COMMENT "Listing the wallpaper set for the setup program")

if(HORLOMA_WIN_ARCH STREQUAL "i686")
  set(HORLOMA_NSIS_WIDTH x86)
else()
  set(HORLOMA_NSIS_WIDTH amd64)
endif()
set(HORLOMA_SETUP ${CMAKE_BINARY_DIR}/horloma-setup.exe)
add_custom_command(OUTPUT ${HORLOMA_SETUP}
  COMMAND ${MAKENSIS} -V2 -DWIDTH=${HORLOMA_NSIS_WIDTH} -DOUTFILE=${HORLOMA_SETUP}
          -DSAVER=$<TARGET_FILE:horloma> -DICON=${HORLOMA_ICON}
          -DFONT_FILE=${HORLOMA_FONT} -DFONT_LICENSE=${CMAKE_BINARY_DIR}/fonts/Dodaz-LICENSE.txt
          -DWALLPAPER_LIST=${HORLOMA_WALLPAPER_LIST}
          -DWALLPAPER_NOTE=${CMAKE_SOURCE_DIR}/installer/Wallpapers-LICENSE.txt
          ${CMAKE_SOURCE_DIR}/installer/horloma.nsi
  DEPENDS horloma ${CMAKE_SOURCE_DIR}/installer/horloma.nsi
          ${CMAKE_SOURCE_DIR}/installer/Wallpapers-LICENSE.txt
          ${HORLOMA_ICON} ${HORLOMA_FONT} ${HORLOMA_WALLPAPER_LIST}
  COMMENT "Making the setup program")
add_custom_target(horloma_setup ALL DEPENDS ${HORLOMA_SETUP})

# The setup program run end to end in a prefix without the product or its font; the
# probe tells whether a newly started process finds the font. Labelled installer: it
# runs in a Wine session of its own.
add_executable(font_probe WIN32 tests/win/font_probe.cpp)
target_link_libraries(font_probe PRIVATE gdiplus gdi32 user32)
horloma_win_test(installer_tests tests/win/installer_process_test.cpp
  tests/win/saver_process.cpp tests/win/bitmap_files.cpp)
target_include_directories(installer_tests PRIVATE ${CMAKE_SOURCE_DIR}/resources)
add_dependencies(installer_tests horloma horloma_setup font_probe)
set_tests_properties(installer_tests PROPERTIES LABELS installer)

# The saver full screen at a raised DPI; labelled dpi: it runs in a session set to it.
horloma_win_test(high_dpi_tests tests/win/high_dpi_test.cpp tests/win/saver_process.cpp
  tests/win/bitmap_files.cpp)
add_dependencies(high_dpi_tests horloma)
set_tests_properties(high_dpi_tests PROPERTIES LABELS dpi)

# `make soak`: a long run of the saver window and the settings dialog that counts what
# the process holds before and after; it carries the program's resources for the dialogs.
add_executable(soak EXCLUDE_FROM_ALL tests/soak/soak.cpp tests/soak/gdiplus_census.cpp
  tests/win/object_counts.cpp tests/win/dialog_driver.cpp tests/win/bitmap_files.cpp
  resources/horloma.rc)
target_include_directories(soak PRIVATE ${CMAKE_SOURCE_DIR}/resources ${CMAKE_BINARY_DIR}
  ${CMAKE_SOURCE_DIR}/tests/win)
target_link_libraries(soak PRIVATE horloma_win gtest psapi)
add_dependencies(soak horloma)

# The shipped x86 setup program never runs here: its width and imports are checked from
# the file, like the program's.
add_test(NAME setup_file_check
  COMMAND ${CMAKE_SOURCE_DIR}/tests/check-program-file.sh ${HORLOMA_SETUP}
          ${HORLOMA_TRIPLE}-objdump ${HORLOMA_WIN_ARCH})
set_tests_properties(setup_file_check PROPERTIES LABELS static)
