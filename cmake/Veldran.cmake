# Shared build settings: warnings, sanitizers and the test helper.

add_compile_options(-Wall -Wextra)

# Debian's hardening: stack protector, checked libc calls where the code is optimised, position-
# independent programs, read-only relocations bound at start-up.
set(CMAKE_POSITION_INDEPENDENT_CODE ON)
include(CheckPIESupported)
check_pie_supported()
add_compile_options(-fstack-protector-strong -Wformat -Werror=format-security
                    $<$<NOT:$<CONFIG:Debug>>:-D_FORTIFY_SOURCE=2>)
add_link_options(-Wl,-z,relro -Wl,-z,now)

if(VELDRAN_SANITIZE)
  add_compile_options(-fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=undefined)
  add_link_options(-fsanitize=address,undefined)
endif()

# ThreadSanitizer: for the serial engine and its tests (test.sh builds only those; Qt itself is
# not instrumented, so the widget tests are not meant for it).
if(VELDRAN_SANITIZE_THREAD)
  add_compile_options(-fsanitize=thread -fno-omit-frame-pointer)
  add_link_options(-fsanitize=thread)
endif()

# veldran_library(<name> SOURCES ... PUBLIC_LIBS ... PRIVATE_LIBS ...)
# One static library per source folder; the folder's parent is on the include path so that
# headers are included as "document/CaptureDocument.h".
function(veldran_library name)
  cmake_parse_arguments(ARG "" "" "SOURCES;PUBLIC_LIBS;PRIVATE_LIBS" ${ARGN})
  add_library(${name} STATIC ${ARG_SOURCES})
  target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR})
  target_link_libraries(${name} PUBLIC ${ARG_PUBLIC_LIBS} PRIVATE ${ARG_PRIVATE_LIBS})
endfunction()

# veldran_test(<name> SOURCES ... LIBS ... [GUI])
# One executable per behaviour, registered with CTest under its folder's label.
# GUI tests run on the offscreen platform.
function(veldran_test name)
  cmake_parse_arguments(ARG "GUI" "LABEL" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE ${ARG_LIBS} Qt6::Test)
  target_compile_definitions(${name} PRIVATE VELDRAN_TEST_DATA="${PROJECT_SOURCE_DIR}/tests/data")
  add_test(NAME ${name} COMMAND ${name})
  # The listing journal of a test goes to a folder of its own, never the user's.
  set(env "QT_QPA_PLATFORM=offscreen;LC_ALL=C.UTF-8;XDG_STATE_HOME=${CMAKE_BINARY_DIR}/test-state/${name}")
  set_tests_properties(${name} PROPERTIES ENVIRONMENT "${env}" TIMEOUT 120)
  if(ARG_LABEL)
    set_tests_properties(${name} PROPERTIES LABELS ${ARG_LABEL})
  endif()
endfunction()
