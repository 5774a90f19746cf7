# Windows: a version resource, the icon and a manifest in every program, and what the
# portable zip and the installer hold: the three programs, the Qt and
# mingw-w64 libraries they load, README and LICENSE. `cmake --install` lays
# them out in a folder; the target windows_packages packs that folder into
# Dalvimo-<version>-win64.zip and Dalvimo-<version>-win64-setup.exe
# (make_packages.cmake, installer.nsi).

set(dalvimo_windows_programs dalvimo dalvimoctl quorvan-sim)
set(dalvimo_description_dalvimo "Dalvimo: remote control for the Quorvan clock")
set(dalvimo_description_dalvimoctl "dalvimoctl: the Quorvan clock from the command line")
set(dalvimo_description_quorvan-sim "quorvan-sim: plays the Quorvan clock for trying Dalvimo")
string(REPLACE "." "," dalvimo_version_commas "${PROJECT_VERSION}")
set(dalvimo_manifest ${CMAKE_CURRENT_SOURCE_DIR}/windows/dalvimo.manifest)

add_custom_target(dalvimo_windows_icon ALL DEPENDS ${dalvimo_ico})
foreach(program IN LISTS dalvimo_windows_programs)
    set(description "${dalvimo_description_${program}}")
    set(rc ${CMAKE_CURRENT_BINARY_DIR}/windows/${program}.rc)
    configure_file(windows/version.rc.in ${rc} @ONLY)
    target_sources(${program} PRIVATE ${rc})
    # The resource compiler reads the icon the renderer makes, and the manifest.
    set_source_files_properties(${rc} TARGET_DIRECTORY ${program} PROPERTIES
        OBJECT_DEPENDS "${dalvimo_ico};${dalvimo_manifest}")
    add_dependencies(${program} dalvimo_windows_icon)
    install(TARGETS ${program} RUNTIME DESTINATION .)
endforeach()

# Qt: the libraries, the platform plugin and the native style. Beside the
# programs, where Qt looks first; nothing else is loaded.
foreach(module Core Gui Widgets Network)
    install(FILES $<TARGET_FILE:Qt6::${module}> DESTINATION .)
endforeach()
install(FILES $<TARGET_FILE:Qt6::QWindowsIntegrationPlugin> DESTINATION platforms)
install(FILES $<TARGET_FILE:Qt6::QWindowsVistaStylePlugin> DESTINATION styles)

# The compiler's runtime, where the compiler itself finds it.
foreach(dll libstdc++-6.dll libgcc_s_seh-1.dll libwinpthread-1.dll)
    execute_process(COMMAND ${CMAKE_CXX_COMPILER} -print-file-name=${dll}
        OUTPUT_VARIABLE path OUTPUT_STRIP_TRAILING_WHITESPACE)
    get_filename_component(path "${path}" REALPATH)
    if(NOT EXISTS "${path}")
        message(FATAL_ERROR "${CMAKE_CXX_COMPILER} does not know ${dll}")
    endif()
    install(FILES ${path} DESTINATION .)
endforeach()

# bin\dalvimoctl.exe, the launcher of the real one, alone in the folder the
# installer puts on the PATH; and the installer's helper, which only the
# installer carries. Neither uses Qt, and both are linked statically, so
# that they load no library but the system's.
add_executable(dalvimoctl_launcher windows/launcher/dalvimoctl_launcher.cpp)
set(program dalvimoctl)
set(description "${dalvimo_description_dalvimoctl}")
set(rc ${CMAKE_CURRENT_BINARY_DIR}/windows/launcher.rc)
configure_file(windows/version.rc.in ${rc} @ONLY)
target_sources(dalvimoctl_launcher PRIVATE ${rc})
set_source_files_properties(${rc} PROPERTIES OBJECT_DEPENDS "${dalvimo_ico};${dalvimo_manifest}")
add_dependencies(dalvimoctl_launcher dalvimo_windows_icon)
target_link_libraries(dalvimoctl_launcher PRIVATE dalvimo_options)
target_link_options(dalvimoctl_launcher PRIVATE -static)
set_target_properties(dalvimoctl_launcher PROPERTIES OUTPUT_NAME dalvimoctl
    RUNTIME_OUTPUT_DIRECTORY ${CMAKE_CURRENT_BINARY_DIR}/launcher)
install(TARGETS dalvimoctl_launcher RUNTIME DESTINATION bin)

add_executable(dalvimo_setup_helper WIN32
    windows/setup_helper/main.cpp
    windows/setup_helper/file_swap.cpp
    windows/setup_helper/registry_value.cpp
    windows/setup_helper/running_programs.cpp
    windows/setup_helper/user_path.cpp)
target_link_libraries(dalvimo_setup_helper PRIVATE dalvimo_options)
target_link_options(dalvimo_setup_helper PRIVATE -static -municode)
set_target_properties(dalvimo_setup_helper PROPERTIES OUTPUT_NAME dalvimo-setup)

install(FILES ${PROJECT_SOURCE_DIR}/README.md DESTINATION .)
install(FILES ${PROJECT_SOURCE_DIR}/LICENSE DESTINATION . RENAME LICENSE.txt)

# The two packages, from a fresh install of the above.
find_program(DALVIMO_MAKENSIS makensis)
set(dalvimo_package_name Dalvimo-${PROJECT_VERSION}-win64)
add_custom_target(windows_packages
    COMMAND ${CMAKE_COMMAND}
        -DBUILD_DIR=${PROJECT_BINARY_DIR}
        -DSTAGE=${PROJECT_BINARY_DIR}/stage/${dalvimo_package_name}
        -DOUT_DIR=${PROJECT_BINARY_DIR}/packages
        -DNAME=${dalvimo_package_name}
        -DVERSION=${PROJECT_VERSION}
        -DICON=${dalvimo_ico}
        -DUNINSTALL_NAME=${DALVIMO_WINDOWS_UNINSTALL_NAME}
        -DNSI=${CMAKE_CURRENT_SOURCE_DIR}/windows/installer.nsi
        -DMAKENSIS=${DALVIMO_MAKENSIS}
        -DSTRIP=${CMAKE_STRIP}
        -DHELPER=$<TARGET_FILE:dalvimo_setup_helper>
        -P ${CMAKE_CURRENT_SOURCE_DIR}/windows/make_packages.cmake
    DEPENDS ${dalvimo_windows_programs} dalvimoctl_launcher dalvimo_setup_helper dalvimo_windows_icon
    COMMENT "Packing ${dalvimo_package_name}.zip and ${dalvimo_package_name}-setup.exe"
    VERBATIM)
