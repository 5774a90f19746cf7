# Packs the Windows build (cmake -P, run by the target windows_packages):
# installs it afresh into STAGE, zips that folder as OUT_DIR/NAME.zip, and
# makes OUT_DIR/NAME-setup.exe with makensis. The installer is given the
# list of the staged files, so that its uninstaller removes exactly those.
#
# Input: BUILD_DIR STAGE OUT_DIR NAME VERSION ICON UNINSTALL_NAME NSI MAKENSIS STRIP HELPER

foreach(var BUILD_DIR STAGE OUT_DIR NAME VERSION ICON UNINSTALL_NAME NSI STRIP HELPER)
    if(NOT ${var})
        message(FATAL_ERROR "make_packages.cmake: ${var} is not set")
    endif()
endforeach()
if(NOT EXISTS "${MAKENSIS}")
    message(FATAL_ERROR "makensis (Debian package nsis) is not installed")
endif()

file(REMOVE_RECURSE ${STAGE})
execute_process(COMMAND ${CMAKE_COMMAND} --install ${BUILD_DIR} --prefix ${STAGE} --strip
    OUTPUT_QUIET RESULT_VARIABLE failed)
if(failed)
    message(FATAL_ERROR "cmake --install ${BUILD_DIR} failed")
endif()
# The libraries come with their symbols for debuggers, which only make
# the packages bigger (libstdc++ shrinks from 23 MB to 2).
file(GLOB_RECURSE libraries ${STAGE}/*.dll)
foreach(library IN LISTS libraries)
    execute_process(COMMAND ${STRIP} --strip-unneeded ${library} RESULT_VARIABLE failed)
    if(failed)
        message(FATAL_ERROR "${STRIP} failed on ${library}")
    endif()
endforeach()
file(GLOB_RECURSE files LIST_DIRECTORIES false RELATIVE ${STAGE} ${STAGE}/*)
list(SORT files)

# The zip holds one folder, so that unpacking it puts nothing loose beside.
file(MAKE_DIRECTORY ${OUT_DIR})
get_filename_component(stage_parent ${STAGE} DIRECTORY)
file(REMOVE ${OUT_DIR}/${NAME}.zip)
execute_process(COMMAND ${CMAKE_COMMAND} -E tar cf ${OUT_DIR}/${NAME}.zip --format=zip ${NAME}
    WORKING_DIRECTORY ${stage_parent} RESULT_VARIABLE failed)
if(failed)
    message(FATAL_ERROR "could not write ${OUT_DIR}/${NAME}.zip")
endif()

# What the installer unpacks where (into its staging folder, $Stage, from
# which the helper moves the files into place all at once), and what its
# uninstaller takes away again: each file, then each folder (deepest
# first) if nothing else is left in it.
set(install_lines "")
set(uninstall_lines "")
set(folders "")
set(current_folder "-")
set(size 0)
foreach(file IN LISTS files)
    get_filename_component(folder "${file}" DIRECTORY)
    string(REPLACE "/" "\\" windows_file "${file}")
    if(NOT folder STREQUAL current_folder)
        set(current_folder "${folder}")
        if(folder)
            string(REPLACE "/" "\\" windows_folder "${folder}")
            string(APPEND install_lines "SetOutPath \"$Stage\\${windows_folder}\"\n")
            list(APPEND folders "${folder}")
        else()
            string(APPEND install_lines "SetOutPath \"$Stage\"\n")
        endif()
    endif()
    string(APPEND install_lines "File \"${STAGE}/${file}\"\n")
    string(APPEND uninstall_lines "Delete \"$INSTDIR\\${windows_file}\"\n")
    file(SIZE "${STAGE}/${file}" bytes)
    math(EXPR size "${size} + ${bytes}")
endforeach()
list(REMOVE_DUPLICATES folders)
list(SORT folders ORDER DESCENDING)
foreach(folder IN LISTS folders)
    string(REPLACE "/" "\\" windows_folder "${folder}")
    string(APPEND uninstall_lines "RMDir \"$INSTDIR\\${windows_folder}\"\n")
endforeach()
set(lists ${OUT_DIR}/nsis)
file(WRITE ${lists}/install_files.nsh "${install_lines}")
file(WRITE ${lists}/uninstall_files.nsh "${uninstall_lines}")
math(EXPR size_kb "(${size} + 1023) / 1024")

set(setup ${OUT_DIR}/${NAME}-setup.exe)
file(REMOVE ${setup})
execute_process(COMMAND ${MAKENSIS} -V2 -NOCD
        -DVERSION=${VERSION} -DOUTFILE=${setup} -DICON=${ICON} -DUNINSTALL_NAME=${UNINSTALL_NAME}
        -DINSTALL_FILES=${lists}/install_files.nsh -DUNINSTALL_FILES=${lists}/uninstall_files.nsh
        -DSIZE_KB=${size_kb} -DHELPER=${HELPER} ${NSI}
    RESULT_VARIABLE failed)
if(failed OR NOT EXISTS ${setup})
    message(FATAL_ERROR "makensis could not make ${setup}")
endif()
message(STATUS "Made ${OUT_DIR}/${NAME}.zip and ${setup}")
