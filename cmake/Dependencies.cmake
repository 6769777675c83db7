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

# A character reference ("&#...;") looks for its ";" up to the end of the text, so a value of
# many "&#" costs the square of its length. The longest reference is a few characters: the copy we
# build looks no further than 32.
file(READ "${TINYXML2_SOURCE_DIR}/tinyxml2.cpp" _tinyxml2_source)
string(REPLACE "q = strchr( q, SEMICOLON );" "q = BoundedCharacterRefEnd( q );" _tinyxml2_patched "${_tinyxml2_source}")
string(REGEX MATCHALL "BoundedCharacterRefEnd" _tinyxml2_replaced "${_tinyxml2_patched}")
list(LENGTH _tinyxml2_replaced _tinyxml2_replaced_count)
if(NOT _tinyxml2_replaced_count EQUAL 2)
  message(FATAL_ERROR "tinyxml2.cpp: expected two character-reference searches to bound, found ${_tinyxml2_replaced_count}")
endif()
string(REPLACE "namespace tinyxml2\n{" "static const char* BoundedCharacterRefEnd(const char* q)
{
    return static_cast<const char*>(memchr(q, ';', strnlen(q, 32)));
}

namespace tinyxml2
{" _tinyxml2_patched "${_tinyxml2_patched}")
set(_tinyxml2_build_source "${CMAKE_BINARY_DIR}/tinyxml2/tinyxml2.cpp")
file(WRITE "${_tinyxml2_build_source}.new" "${_tinyxml2_patched}")
configure_file("${_tinyxml2_build_source}.new" "${_tinyxml2_build_source}" COPYONLY)
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS "${TINYXML2_SOURCE_DIR}/tinyxml2.cpp")

# Built without TINYXML2_DEBUG: its debug assertions are reachable from hostile documents.
add_library(tinyxml2 STATIC "${_tinyxml2_build_source}")
target_include_directories(tinyxml2 SYSTEM PUBLIC "${TINYXML2_SOURCE_DIR}")
target_compile_definitions(tinyxml2 PRIVATE NDEBUG)
target_compile_options(tinyxml2 PRIVATE -w)

if(ACTIVITY_BUILD_TESTS)
  set(gtest_force_shared_crt OFF CACHE BOOL "" FORCE)
  set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
  set(BUILD_GMOCK ON CACHE BOOL "" FORCE)
  add_subdirectory("${GOOGLETEST_SOURCE_DIR}" "${CMAKE_BINARY_DIR}/googletest" EXCLUDE_FROM_ALL)
endif()
