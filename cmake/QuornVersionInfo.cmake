# quorn_version_resource(OUT): writes the DLL's version resource script to OUT
# from the plug-in's information record in texts/catalog.cpp, so that the
# name, vendor, version and description Windows shows in the file's
# properties are the very texts the host shows.

# Reads `const char NAME[] = "...";` from the catalog (UTF-8 source) into VAR.
function(_quorn_catalog_text catalog name var)
  file(READ "${catalog}" _source)
  if(NOT _source MATCHES "\nconst char ${name}\\[\\] = \"([^\"\n]*)\";\n")
    message(FATAL_ERROR "${catalog}: expected ${name} defined as one plain string literal on one line")
  endif()
  set(_text "${CMAKE_MATCH_1}")
  # The resource compiler reads escapes its own way: keep the texts plain.
  if(_text MATCHES "\\\\")
    message(FATAL_ERROR "${catalog}: ${name} holds a backslash; the version resource cannot carry it as is")
  endif()
  set(${var} "${_text}" PARENT_SCOPE)
endfunction()

function(quorn_version_resource out)
  set(_catalog "${CMAKE_SOURCE_DIR}/texts/catalog.cpp")
  set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS "${_catalog}")
  _quorn_catalog_text("${_catalog}" kPlugInName QUORN_INFO_NAME)
  _quorn_catalog_text("${_catalog}" kPlugInVendor QUORN_INFO_VENDOR)
  _quorn_catalog_text("${_catalog}" kPlugInVersion QUORN_INFO_VERSION)
  _quorn_catalog_text("${_catalog}" kPlugInDescription QUORN_INFO_DESCRIPTION)
  if(NOT QUORN_INFO_VERSION STREQUAL PROJECT_VERSION)
    message(FATAL_ERROR "the information record says version ${QUORN_INFO_VERSION}, the project ${PROJECT_VERSION}")
  endif()
  string(REPLACE "." "," QUORN_VERSION_COMMAS "${PROJECT_VERSION_MAJOR}.${PROJECT_VERSION_MINOR}.${PROJECT_VERSION_PATCH}.0")
  configure_file("${CMAKE_SOURCE_DIR}/host/version.rc.in" "${out}" @ONLY)
endfunction()
