# Third-party code comes from Debian: GoogleTest from /usr/src/googletest, TinyXML-2 from the
# Debian source package that scripts/setup.sh unpacks into .deps/.

set(GOOGLETEST_SOURCE_DIR /usr/src/googletest CACHE PATH "GoogleTest sources as Debian installs them")
set(TINYXML2_SOURCE_DIR "" CACHE PATH "Unpacked Debian source package of tinyxml2")

if(NOT TINYXML2_SOURCE_DIR)
  file(GLOB _tinyxml2_candidates "${CMAKE_SOURCE_DIR}/.deps/tinyxml2-*")
  list(SORT _tinyxml2_candidates)
  list(POP_BACK _tinyxml2_candidates _tinyxml2_found)
  set(TINYXML2_SOURCE_DIR "${_tinyxml2_found}" CACHE PATH "" FORCE)
endif()
if(NOT EXISTS "${TINYXML2_SOURCE_DIR}/tinyxml2.cpp")
  message(FATAL_ERROR "tinyxml2 sources not found (run scripts/setup.sh): '${TINYXML2_SOURCE_DIR}'")
endif()

# Built without TINYXML2_DEBUG: its debug assertions are reachable from hostile documents.
add_library(tinyxml2 STATIC "${TINYXML2_SOURCE_DIR}/tinyxml2.cpp")
target_include_directories(tinyxml2 SYSTEM PUBLIC "${TINYXML2_SOURCE_DIR}")
target_compile_definitions(tinyxml2 PRIVATE NDEBUG)
target_compile_options(tinyxml2 PRIVATE -w)

if(ACTIVITY_BUILD_TESTS)
  set(gtest_force_shared_crt OFF CACHE BOOL "" FORCE)
  set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
  set(BUILD_GMOCK ON CACHE BOOL "" FORCE)
  add_subdirectory("${GOOGLETEST_SOURCE_DIR}" "${CMAKE_BINARY_DIR}/googletest" EXCLUDE_FROM_ALL)
endif()
