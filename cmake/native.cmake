# Native build: the portable core and its tests under AddressSanitizer and UBSan.
set(HORLOMA_SANITIZE -fsanitize=address,undefined -fno-sanitize-recover=all
    -fno-omit-frame-pointer)
target_compile_options(horloma_core PRIVATE ${HORLOMA_SANITIZE})

find_package(GTest REQUIRED)
include(GoogleTest)

add_executable(core_tests ${CORE_TEST_SOURCES})
target_compile_options(core_tests PRIVATE ${HORLOMA_SANITIZE})
target_link_options(core_tests PRIVATE ${HORLOMA_SANITIZE})
target_link_libraries(core_tests PRIVATE horloma_core GTest::gtest_main)
gtest_discover_tests(core_tests)

# The wallpaper set: valid, seamless, distinct tiles and a calm default.
include(cmake/wallpapers.cmake)
add_test(NAME wallpaper_tests
  COMMAND python3 ${CMAKE_SOURCE_DIR}/tests/assets/wallpaper_test.py ${HORLOMA_WALLPAPERS})
