# Builds the setup program and the portable zip from the staged program directory.
#
#   cmake -DDIST=... -DTEXTS=... -DSETUP=... -DZIP=... -DFORMS=... -DPORTABLE_MARKER=...
#         -DSCRIPT=... -DICON=... -DVERSION_HEADER=... -DMAKENSIS=... -DWORK=...
#         -P build_installer.cmake
#
# What ships is what the program directory holds of the program's own files: wordmere.exe, the
# dictionaries (*.dic with *.ind), the Greek word-form table (FORMS) and the help (compiled, and
# as one page for Wine), and the texts file as the build generated it (TEXTS), whatever became
# of its staged copy. A user's words (*.usr) that a test or the shell tool left there never
# ship. Nothing is rebuilt while every input is older than both outputs, so an ordinary build
# does not wait for the compressor.
cmake_minimum_required(VERSION 3.21)

file(STRINGS ${VERSION_HEADER} version_line REGEX "^#define WORDMERE_VERSION_TEXT ")
string(REGEX REPLACE "^#define WORDMERE_VERSION_TEXT \"([0-9.]+)\".*" "\\1" version
       "${version_line}")
if(NOT version MATCHES "^[0-9]+\\.[0-9]+$")
    message(FATAL_ERROR "no version in ${VERSION_HEADER}")
endif()

set(required wordmere.exe vbrtexts.res vbr_help.chm vbr_help.html GRENG.dic GRENG.ind)
foreach(name ${required})
    if(NOT EXISTS ${DIST}/${name})
        message(FATAL_ERROR "The program directory ${DIST} lacks ${name}; build everything "
                            "first (bash scripts/build.sh)")
    endif()
endforeach()
if(NOT EXISTS ${TEXTS})
    message(FATAL_ERROR "The generated texts file ${TEXTS} is missing")
endif()

# Where a shipped file comes from.
function(source_of name result)
    if(name STREQUAL "vbrtexts.res")
        set(${result} ${TEXTS} PARENT_SCOPE)
    else()
        set(${result} ${DIST}/${name} PARENT_SCOPE)
    endif()
endfunction()
file(GLOB dictionaries RELATIVE ${DIST} ${DIST}/*.dic)
set(names wordmere.exe vbrtexts.res vbr_help.chm vbr_help.html)
foreach(dictionary ${dictionaries})
    string(REGEX REPLACE "\\.dic$" ".ind" index ${dictionary})
    if(EXISTS ${DIST}/${index})
        list(APPEND names ${dictionary} ${index})
    endif()
endforeach()
# The Greek word-form table is optional: the program works without it.
if(FORMS AND EXISTS ${DIST}/${FORMS})
    list(APPEND names ${FORMS})
endif()
list(SORT names)

# The two lists of the script, rewritten only when they change.
set(install_lines "")
set(delete_lines "")
set(inputs ${SCRIPT} ${ICON} ${VERSION_HEADER})
foreach(name ${names})
    source_of(${name} source)
    string(APPEND install_lines "File \"/oname=${name}\" \"${source}\"\n")
    string(APPEND delete_lines "Delete \"$INSTDIR\\${name}\"\n")
    list(APPEND inputs ${source})
endforeach()
file(MAKE_DIRECTORY ${WORK})
foreach(list install delete)
    file(WRITE ${WORK}/${list}.nsh.new "${${list}_lines}")
    file(COPY_FILE ${WORK}/${list}.nsh.new ${WORK}/${list}.nsh ONLY_IF_DIFFERENT)
    list(APPEND inputs ${WORK}/${list}.nsh)
endforeach()

function(out_of_date output result)
    set(${result} FALSE PARENT_SCOPE)
    if(NOT EXISTS ${output})
        set(${result} TRUE PARENT_SCOPE)
        return()
    endif()
    foreach(input ${inputs})
        if(${input} IS_NEWER_THAN ${output})
            set(${result} TRUE PARENT_SCOPE)
            return()
        endif()
    endforeach()
endfunction()

# An output is written to output.tmp and renamed over the old one only when the step that wrote
# it succeeded, so a failed build never leaves a half-written file under the real name.
function(replace_with_written output failed message)
    if(failed)
        file(REMOVE ${output}.tmp)
        message(FATAL_ERROR "${message}")
    endif()
    file(RENAME ${output}.tmp ${output})
endfunction()

out_of_date(${SETUP} setup_stale)
if(setup_stale)
    message(STATUS "Building ${SETUP}")
    execute_process(COMMAND ${MAKENSIS} -V2 -DVERSION=${version} -DICON=${ICON}
                            -DOUTFILE=${SETUP}.tmp -DFILES_NSH=${WORK}/install.nsh
                            -DDELETE_NSH=${WORK}/delete.nsh ${SCRIPT}
                    RESULT_VARIABLE failed)
    replace_with_written(${SETUP} "${failed}" "makensis failed on ${SCRIPT}")
endif()

# The portable zip: the same files in a folder "Wordmere", and the file "portable" that keeps the
# settings, history and user dictionaries in that folder.
list(APPEND inputs ${PORTABLE_MARKER})
out_of_date(${ZIP} zip_stale)
if(zip_stale)
    message(STATUS "Building ${ZIP}")
    set(staging ${WORK}/portable)
    file(REMOVE_RECURSE ${staging})
    file(MAKE_DIRECTORY ${staging}/Wordmere)
    foreach(name ${names})
        source_of(${name} source)
        file(COPY_FILE ${source} ${staging}/Wordmere/${name})
    endforeach()
    file(COPY ${PORTABLE_MARKER} DESTINATION ${staging}/Wordmere)
    execute_process(COMMAND ${CMAKE_COMMAND} -E tar cf ${ZIP}.tmp --format=zip Wordmere
                    WORKING_DIRECTORY ${staging} RESULT_VARIABLE failed)
    file(REMOVE_RECURSE ${staging})
    replace_with_written(${ZIP} "${failed}" "could not write ${ZIP}")
endif()
