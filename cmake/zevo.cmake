# One static library per source folder. Every source and header of the folder
# belongs to it; includes are written relative to src/ ("platform/dao/dao.h").
function(zevo_library name dir)
  cmake_parse_arguments(ARG "" "" "DEPS" ${ARGN})
  file(GLOB sources CONFIGURE_DEPENDS
       ${CMAKE_SOURCE_DIR}/src/${dir}/*.cpp ${CMAKE_SOURCE_DIR}/src/${dir}/*.h)
  list(FILTER sources EXCLUDE REGEX ".*/main\\.cpp$")
  set(cpp ${sources})
  list(FILTER cpp INCLUDE REGEX ".*\\.cpp$")
  if(cpp)
    add_library(${name} STATIC ${sources})
    target_include_directories(${name} PUBLIC ${CMAKE_SOURCE_DIR}/src)
    target_link_libraries(${name} PUBLIC ${ARG_DEPS})
  else()
    add_library(${name} INTERFACE)
    target_include_directories(${name} INTERFACE ${CMAKE_SOURCE_DIR}/src)
    target_link_libraries(${name} INTERFACE ${ARG_DEPS})
  endif()
endfunction()

# A test program runs headless twice: under C.UTF-8, and again under
# de_DE.UTF-8, the locale of nearly every beekeeper's desktop (provided by
# scripts/install-deps). The German run's name ends in "_de_DE".
function(zevo_add_test name)
  foreach(locale C.UTF-8 de_DE.UTF-8)
    set(test ${name})
    if(locale STREQUAL "de_DE.UTF-8")
      set(test ${name}_de_DE)
    endif()
    add_test(NAME ${test} COMMAND ${ARGN})
    set_tests_properties(${test} PROPERTIES
      TIMEOUT 300
      ENVIRONMENT "LANG=${locale};LC_ALL=${locale};QT_QPA_PLATFORM=offscreen;ASAN_OPTIONS=detect_leaks=1:abort_on_error=0;LSAN_OPTIONS=suppressions=${CMAKE_SOURCE_DIR}/tests/lsan.supp:print_suppressions=0;UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1")
  endforeach()
endfunction()

# Every tests/<dir>/test_*.cpp is one test program, run by CTest headless.
function(zevo_tests dir)
  cmake_parse_arguments(ARG "" "" "LIBS" ${ARGN})
  file(GLOB tests CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/${dir}/test_*.cpp)
  string(REPLACE "/" "_" prefix ${dir})
  foreach(src ${tests})
    get_filename_component(base ${src} NAME_WE)
    set(target ${prefix}_${base})
    add_executable(${target} ${src})
    target_link_libraries(${target} PRIVATE zevo_testsupport ${ARG_LIBS} Qt6::Test)
    target_compile_definitions(${target} PRIVATE ZEVO_TESTORDNER="${CMAKE_SOURCE_DIR}/tests/${dir}/")
    zevo_add_test(${target} ${target})
  endforeach()
endfunction()
