# SPDX-License-Identifier: MIT
# Fails when a file of the block field includes an SDL or OpenGL header: the
# scene is plain C++ that the program, the tests and the tools share.
# Usage: cmake -DDIR=<scene folder> -DSTAMP=<file to touch> -P nographics.cmake
file(GLOB files "${DIR}/*.h" "${DIR}/*.cpp")
foreach(file ${files})
  file(STRINGS "${file}" includes REGEX "^[ \t]*#[ \t]*include[ \t]*[<\"](SDL|GL/|GLES|EGL/)")
  if(includes)
    message(FATAL_ERROR "${file} includes a graphics header, which the scene must not: ${includes}")
  endif()
endforeach()
file(TOUCH "${STAMP}")
