# The project's version is written once, in the top-level project() line. The build
# gives it to the code as the header CleavageVersion.h in the build tree (for C++ and
# for windres), and to each program and DLL of the Windows builds as a VERSIONINFO
# resource.

# The version the top-level CMakeLists.txt gives the project, for a build that starts
# below it (the engine's standalone native build).
function(read_project_version out_var)
  set(top_level ${CMAKE_CURRENT_FUNCTION_LIST_DIR}/../CMakeLists.txt)
  file(STRINGS ${top_level} project_line REGEX "^project\\(CleavagePlugin ")
  if(NOT project_line MATCHES " VERSION ([0-9]+\\.[0-9]+\\.[0-9]+)[ )]")
    message(FATAL_ERROR "${top_level} has no line project(CleavagePlugin VERSION X.Y.Z ...)")
  endif()
  set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${top_level})
  set(${out_var} ${CMAKE_MATCH_1} PARENT_SCOPE)
endfunction()

# The version header of the project the last project() call named, and the target
# cleavage_version that puts it on a target's include path.
function(write_version_header)
  set(version_dir ${CMAKE_BINARY_DIR}/version)
  configure_file(${CMAKE_CURRENT_FUNCTION_LIST_DIR}/CleavageVersion.h.in ${version_dir}/CleavageVersion.h @ONLY)
  add_library(cleavage_version INTERFACE)
  target_include_directories(cleavage_version INTERFACE ${version_dir})
endfunction()

# A VERSIONINFO resource for a Windows program or DLL: the one block of
# resources/VersionInfo.rc, with the target's description and file name.
function(add_version_resource target description)
  get_target_property(type ${target} TYPE)
  if(type STREQUAL "EXECUTABLE")
    set(file_type VFT_APP)
  else()
    set(file_type VFT_DLL)
  endif()
  set(rc ${CMAKE_CURRENT_BINARY_DIR}/${target}.version.rc)
  file(GENERATE OUTPUT ${rc} CONTENT
"// Written by the build: the version resource of $<TARGET_FILE_NAME:${target}>.
#define VERSION_DESCRIPTION \"${description}\"
#define VERSION_FILE_NAME \"$<TARGET_FILE_NAME:${target}>\"
#define VERSION_INTERNAL_NAME \"$<TARGET_FILE_BASE_NAME:${target}>\"
#define VERSION_FILE_TYPE ${file_type}
#include \"${CMAKE_CURRENT_FUNCTION_LIST_DIR}/../resources/VersionInfo.rc\"
")
  target_sources(${target} PRIVATE ${rc})
  target_link_libraries(${target} PRIVATE cleavage_version)
endfunction()
