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

# The fuzz targets' entries replayed over their seed corpora and the inputs of past
# findings, with g++ and the same sanitizers: regression tests without libFuzzer.
foreach(name ${FUZZ_TARGETS})
  add_executable(fuzz_replay_${name} fuzz/${name}_fuzz.cpp fuzz/replay_main.cpp)
  target_compile_options(fuzz_replay_${name} PRIVATE ${HORLOMA_SANITIZE})
  target_link_options(fuzz_replay_${name} PRIVATE ${HORLOMA_SANITIZE})
  target_link_libraries(fuzz_replay_${name} PRIVATE horloma_core)
  add_test(NAME fuzz_replay_${name}
           COMMAND fuzz_replay_${name} ${CMAKE_SOURCE_DIR}/fuzz/corpus/${name}
                   --optional=${CMAKE_SOURCE_DIR}/fuzz/regressions/${name})
endforeach()

# The wallpaper set: valid, seamless, distinct tiles and a calm default.
include(cmake/wallpapers.cmake)
add_test(NAME wallpaper_tests
  COMMAND python3 ${CMAKE_SOURCE_DIR}/tests/assets/wallpaper_test.py ${HORLOMA_WALLPAPERS})
