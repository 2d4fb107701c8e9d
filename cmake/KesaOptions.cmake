# Shared compile settings: every library and test links kesa_options.
add_library(kesa_options INTERFACE)
target_compile_options(kesa_options INTERFACE -Wall -Wextra -Wshadow)
target_include_directories(kesa_options INTERFACE ${PROJECT_SOURCE_DIR})
if(KESA_WERROR)
  target_compile_options(kesa_options INTERFACE -Werror)
endif()
if(KESA_FUZZ)
  # Coverage for libFuzzer in every library the target links; the engine itself only in the target.
  target_compile_options(kesa_options INTERFACE -fsanitize=fuzzer-no-link,address,undefined -fno-omit-frame-pointer
                         -fno-sanitize-recover=undefined)
  target_link_options(kesa_options INTERFACE -fsanitize=address,undefined)
endif()
if(KESA_SANITIZE)
  target_compile_options(kesa_options INTERFACE -fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=undefined)
  target_link_options(kesa_options INTERFACE -fsanitize=address,undefined)
endif()
if(KESA_SANITIZE_THREAD)
  if(KESA_SANITIZE)
    message(FATAL_ERROR "ThreadSanitizer cannot be combined with AddressSanitizer")
  endif()
  target_compile_options(kesa_options INTERFACE -fsanitize=thread -fno-omit-frame-pointer)
  target_link_options(kesa_options INTERFACE -fsanitize=thread)
endif()

# kesa_add_test(<name> LABEL unit|integration|e2e SOURCES ... LIBS ... [ENV ...] [TIMEOUT s])
# One GoogleTest executable registered as one ctest entry, run headless.
function(kesa_add_test name)
  cmake_parse_arguments(T "" "LABEL;TIMEOUT" "SOURCES;LIBS;ENV" ${ARGN})
  if(NOT T_TIMEOUT)
    set(T_TIMEOUT 120)
  endif()
  add_executable(${name} ${T_SOURCES})
  target_link_libraries(${name} PRIVATE ${T_LIBS} GTest::gtest GTest::gtest_main kesa_options)
  target_compile_definitions(${name} PRIVATE KESA_TEST_DATA_DIR="${PROJECT_SOURCE_DIR}/tests/data"
                                              KESA_BINARY_DIR="${PROJECT_BINARY_DIR}"
                                              KESA_SOURCE_DIR="${PROJECT_SOURCE_DIR}")
  add_test(NAME ${name} COMMAND ${name} WORKING_DIRECTORY ${CMAKE_CURRENT_BINARY_DIR})
  set_tests_properties(${name} PROPERTIES
    LABELS ${T_LABEL}
    TIMEOUT ${T_TIMEOUT}
    ENVIRONMENT "SDL_VIDEODRIVER=dummy;SDL_AUDIODRIVER=dummy;${T_ENV}")
endfunction()

# kesa_layer_library(<name> SOURCES ... DEPS ... [PRIVATE_DEPS ...])
# A layer's static library; an interface library while the layer has no sources yet.
function(kesa_layer_library name)
  cmake_parse_arguments(L "" "" "SOURCES;DEPS;PRIVATE_DEPS" ${ARGN})
  if(L_SOURCES)
    add_library(${name} STATIC ${L_SOURCES})
    target_link_libraries(${name} PUBLIC ${L_DEPS} kesa_options PRIVATE ${L_PRIVATE_DEPS})
  else()
    add_library(${name} INTERFACE)
    target_link_libraries(${name} INTERFACE ${L_DEPS} kesa_options)
  endif()
endfunction()
