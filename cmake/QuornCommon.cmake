# Flags and dependencies shared by every target of the project.

# All narrow literals are Shift-JIS in memory, whatever the source encoding,
# so Japanese texts cross the host boundary and reach the INI file as is.
set(QUORN_CHARSET_FLAGS -finput-charset=UTF-8 -fexec-charset=CP932)
if(CMAKE_CXX_COMPILER_ID MATCHES "Clang")
  # Clang keeps literals in UTF-8 only. It builds just the fuzz targets, for
  # which only the bytes of the people's texts differ, never the logic.
  set(QUORN_CHARSET_FLAGS)
endif()

add_library(quorn_options INTERFACE)
target_compile_options(quorn_options INTERFACE
  -Wall -Wextra -Wpedantic -Werror ${QUORN_CHARSET_FLAGS})
if(WIN32)
  # windows.h without the old Winsock, so that winsock2.h can follow it.
  target_compile_definitions(quorn_options INTERFACE WIN32_LEAN_AND_MEAN NOMINMAX)
  # Debug information for reading crash addresses (split off the shipped DLL
  # into quorn.dll.debug), only for the code that ships: the targets whose
  # QUORN_SHIPPED property is set (see the top CMakeLists.txt). Test programs
  # and the simulator go without it: it costs a third more compile time and
  # eight times the object size. -g1 is enough for what it is for, a
  # function and a source line for an address. The checkout and the build
  # folder appear in it as /quorn and /quorn-build wherever the build ran, so
  # that the bytes do not depend on the place; the build folder's map comes
  # last, as it may lie inside the checkout and the last matching map wins.
  target_compile_options(quorn_options INTERFACE $<$<BOOL:$<TARGET_PROPERTY:QUORN_SHIPPED>>:-g1>
    -ffile-prefix-map=${CMAKE_SOURCE_DIR}=/quorn
    -ffile-prefix-map=${CMAKE_BINARY_DIR}=/quorn-build)
endif()

# Boost.Regex is header-only. For the MinGW builds the include path must not be
# /usr/include itself (its glibc headers would shadow MinGW's), so a folder
# holding only a link to the Boost headers stands in for it.
add_library(quorn_boost INTERFACE)
if(CMAKE_CROSSCOMPILING)
  set(_boost_dir "${CMAKE_BINARY_DIR}/boost-include")
  file(MAKE_DIRECTORY "${_boost_dir}")
  file(CREATE_LINK /usr/include/boost "${_boost_dir}/boost" SYMBOLIC)
  target_include_directories(quorn_boost SYSTEM INTERFACE "${_boost_dir}")
endif()
target_compile_definitions(quorn_boost INTERFACE BOOST_REGEX_NO_LIB)

# Where the shared header corpus lives: beside the checkout as a rule, or
# named explicitly with -DQUORN_CORPUS_DIR=...
if(NOT QUORN_CORPUS_DIR)
  foreach(_candidate "${CMAKE_SOURCE_DIR}/../shared" "/work/shared")
    if(EXISTS "${_candidate}/corpus/headers")
      get_filename_component(QUORN_CORPUS_DIR "${_candidate}" ABSOLUTE)
      break()
    endif()
  endforeach()
endif()
