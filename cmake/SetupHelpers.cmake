# One-line helpers so that adding a source file or a test never means editing a list.

# setup_library(NAME [DEPS ...]): a static library of every .cpp in the calling folder.
function(setup_library name)
  cmake_parse_arguments(ARG "" "" "DEPS" ${ARGN})
  file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
  add_library(${name} STATIC ${sources})
  target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR})
  target_link_libraries(${name} PUBLIC ${ARG_DEPS})
endfunction()

# setup_test_folder(NAME [DEPS ...]): one GoogleTest program of every *_test.cpp in the
# calling folder; each case becomes its own CTest test.
function(setup_test_folder name)
  cmake_parse_arguments(ARG "" "" "DEPS" ${ARGN})
  file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*_test.cpp)
  if(NOT sources)
    return()
  endif()
  add_executable(${name} ${sources})
  target_link_libraries(${name} PRIVATE ${ARG_DEPS} setup_testlib GTest::gtest_main GTest::gmock)
  target_compile_definitions(${name} PRIVATE
    SETUP_SOURCE_DIR="${PROJECT_SOURCE_DIR}" SETUP_BINARY_DIR="${PROJECT_BINARY_DIR}")
  gtest_discover_tests(${name} DISCOVERY_TIMEOUT 60 PROPERTIES TIMEOUT 300)
endfunction()
