# Unpacks the portable zip and compares its texts file with the generated one; the zip also
# carries the file "portable" that keeps the unpacked program's settings in its folder.
#
#   cmake -DZIP=... -DTEXTS=... -DWORK=... -P zip_texts.cmake
cmake_minimum_required(VERSION 3.21)

file(REMOVE_RECURSE ${WORK})
file(MAKE_DIRECTORY ${WORK})
execute_process(COMMAND ${CMAKE_COMMAND} -E tar xf ${ZIP} Wordmere/vbrtexts.res Wordmere/portable
                WORKING_DIRECTORY ${WORK} RESULT_VARIABLE failed)
if(failed)
    message(FATAL_ERROR "${ZIP} lacks Wordmere/vbrtexts.res or Wordmere/portable")
endif()
file(SHA256 ${WORK}/Wordmere/vbrtexts.res shipped)
file(SHA256 ${TEXTS} generated)
file(REMOVE_RECURSE ${WORK})
if(NOT shipped STREQUAL generated)
    message(FATAL_ERROR "the zip's vbrtexts.res differs from the generated ${TEXTS}")
endif()
