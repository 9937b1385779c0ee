# Fuzz build (clang only, `make fuzz`): the core instrumented for libFuzzer's coverage,
# and one fuzzer per target, all under AddressSanitizer and UBSan that stop at the first
# fault.
if(NOT CMAKE_CXX_COMPILER_ID STREQUAL "Clang")
  message(FATAL_ERROR "The fuzz build needs clang++ (libFuzzer)")
endif()

set(HORLOMA_FUZZ_SANITIZE -fsanitize=address,undefined -fno-sanitize-recover=all
    -fno-omit-frame-pointer -g)
target_compile_options(horloma_core PRIVATE -fsanitize=fuzzer-no-link ${HORLOMA_FUZZ_SANITIZE})

foreach(name ${FUZZ_TARGETS})
  add_executable(fuzz_${name} fuzz/${name}_fuzz.cpp)
  target_compile_options(fuzz_${name} PRIVATE -fsanitize=fuzzer ${HORLOMA_FUZZ_SANITIZE})
  target_link_options(fuzz_${name} PRIVATE -fsanitize=fuzzer ${HORLOMA_FUZZ_SANITIZE})
  target_link_libraries(fuzz_${name} PRIVATE horloma_core)
endforeach()
