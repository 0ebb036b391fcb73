# The installed tree and the three Debian packages made from it. Every path is relative to the
# installation prefix and every program finds what it needs relative to itself, so an installed
# tree still works after it has been moved.
include(GNUInstallDirs)

set(VEXA_PRIVATE_LIBDIR ${CMAKE_INSTALL_LIBDIR}/vexa)
set(VEXA_BUNDLE_DIR ${VEXA_PRIVATE_LIBDIR}/VexaPalette.bundle)
set(VEXA_MODULE_DIR ${VEXA_BUNDLE_DIR}/Contents/Linux)
# Where the host's autoloader looks for bundles on this machine.
set(VEXA_APPLICATION_PLUGINS_DIR "${CMAKE_INSTALL_DATADIR}/Stand-in CAD/ApplicationPlugins")
set(VEXA_DOC_DIR ${CMAKE_INSTALL_DATADIR}/doc)

# vexa_install_qt_plugins(DESTINATION dir COMPONENT c): the module's Qt plug-ins, copied into
# <dir>/<plug-in type>/ as Qt looks for them below a plug-in folder.
function(vexa_install_qt_plugins)
    cmake_parse_arguments(ARG "" "DESTINATION;COMPONENT" "" ${ARGN})
    vexa_module_plugins(plugins)
    foreach(plugin IN LISTS plugins)
        get_filename_component(folder ${plugin} DIRECTORY)
        get_filename_component(type ${folder} NAME)
        install(FILES ${plugin} DESTINATION ${ARG_DESTINATION}/${type} COMPONENT ${ARG_COMPONENT})
    endforeach()
endfunction()

# $ORIGIN-relative search path from an installed folder to the private libraries.
function(vexa_set_install_rpath target from)
    file(RELATIVE_PATH relative /${from} /${VEXA_PRIVATE_LIBDIR})
    set_target_properties(${target} PROPERTIES INSTALL_RPATH "$ORIGIN/${relative}")
endfunction()

# --- vexa-palette: the module in its bundle, the host, the plug-ins, the menu entry ---------
install(TARGETS vexa_standin LIBRARY DESTINATION ${VEXA_PRIVATE_LIBDIR} COMPONENT palette)
install(TARGETS vexa-host RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR} COMPONENT palette)
install(TARGETS vexa_module LIBRARY DESTINATION ${VEXA_MODULE_DIR} COMPONENT palette)
vexa_set_install_rpath(vexa-host ${CMAKE_INSTALL_BINDIR})
vexa_set_install_rpath(vexa_module ${VEXA_MODULE_DIR})

vexa_install_qt_plugins(DESTINATION ${VEXA_MODULE_DIR}/plugins COMPONENT palette)

configure_file(${PROJECT_SOURCE_DIR}/resources/install/PackageContents.xml.in
               ${PROJECT_BINARY_DIR}/VexaPalette.bundle/PackageContents.xml @ONLY)
set(VEXA_BUNDLE_DESCRIPTION ${PROJECT_BINARY_DIR}/VexaPalette.bundle/PackageContents.xml)
install(FILES ${VEXA_BUNDLE_DESCRIPTION} DESTINATION ${VEXA_BUNDLE_DIR} COMPONENT palette)
# The bundle holds machine code, which belongs below lib/; the autoloader's folder below share/
# reaches it through a relative link.
file(RELATIVE_PATH VEXA_BUNDLE_LINK "/${VEXA_APPLICATION_PLUGINS_DIR}" /${VEXA_BUNDLE_DIR})
install(CODE "
    set(folder \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${VEXA_APPLICATION_PLUGINS_DIR}\")
    file(MAKE_DIRECTORY \"\${folder}\")
    file(CREATE_LINK \"${VEXA_BUNDLE_LINK}\" \"\${folder}/VexaPalette.bundle\" SYMBOLIC)
    " COMPONENT palette)

install(FILES ${PROJECT_SOURCE_DIR}/resources/install/vexa-host.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications COMPONENT palette)
install(FILES ${PROJECT_SOURCE_DIR}/resources/win32/icon/1000.png
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/32x32/apps RENAME vexa-host.png
        COMPONENT palette)
install(FILES ${PROJECT_SOURCE_DIR}/README.md ${PROJECT_SOURCE_DIR}/LICENSE
        DESTINATION ${VEXA_DOC_DIR}/vexa-palette COMPONENT palette)
install(DIRECTORY ${PROJECT_SOURCE_DIR}/docs ${PROJECT_SOURCE_DIR}/resources/install/licenses
        DESTINATION ${VEXA_DOC_DIR}/vexa-palette COMPONENT palette)

# --- vexa-tools: the command-line tools, their manual pages and completion -------------------
install(TARGETS vexa-inspect vexa-mkcollections vexa-preview
        RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR} COMPONENT tools)
install(FILES ${PROJECT_SOURCE_DIR}/tools/authortool-completion.bash
        DESTINATION ${CMAKE_INSTALL_DATADIR}/bash-completion/completions RENAME vexa-inspect
        COMPONENT tools)

# Manual pages from each program's --help, so they never disagree with it.
find_program(HELP2MAN help2man)
function(vexa_add_manpage program component summary)
    if(NOT HELP2MAN)
        return()
    endif()
    set(page ${PROJECT_BINARY_DIR}/man/${program}.1)
    add_custom_command(OUTPUT ${page}.gz
        COMMAND ${CMAKE_COMMAND} -E env QT_QPA_PLATFORM=offscreen ASAN_OPTIONS=detect_leaks=0
                ${HELP2MAN} --no-info --no-discard-stderr --name=${summary} --output=${page}
                $<TARGET_FILE:${program}>
        COMMAND gzip -9nf ${page}
        DEPENDS ${program}
        COMMENT "Writing the manual page of ${program}"
        VERBATIM)
    add_custom_target(${program}_manpage ALL DEPENDS ${page}.gz)
    install(FILES ${page}.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1 COMPONENT ${component})
endfunction()
if(NOT HELP2MAN)
    message(WARNING "help2man not found: no manual pages (apt-get install help2man)")
endif()
vexa_add_manpage(vexa-host palette "a drawing program's frame that loads the colour palette")
vexa_add_manpage(vexa-preview tools "show the colour palette without its host")
vexa_add_manpage(vexa-inspect tools "show what the colour palette reads from its collections")
vexa_add_manpage(vexa-mkcollections tools "write the demo colour collection databases")

# --- vexa-demo-collections: the demo data, written by the demo builder at build time ---------
set(VEXA_DEMO_ROOT ${PROJECT_BINARY_DIR}/demo-root)
add_custom_command(OUTPUT ${VEXA_DEMO_ROOT}/stamp
    COMMAND ${CMAKE_COMMAND} -E rm -rf ${VEXA_DEMO_ROOT}
    COMMAND ${CMAKE_COMMAND} -E env ASAN_OPTIONS=detect_leaks=0
            $<TARGET_FILE:vexa-mkcollections> ${VEXA_DEMO_ROOT}
    COMMAND ${CMAKE_COMMAND} -E touch ${VEXA_DEMO_ROOT}/stamp
    DEPENDS vexa-mkcollections
    COMMENT "Writing the demo collections"
    VERBATIM)
add_custom_target(vexa_demo_data ALL DEPENDS ${VEXA_DEMO_ROOT}/stamp)
install(DIRECTORY "${VEXA_DEMO_ROOT}/Orvo Kalin" ${VEXA_DEMO_ROOT}/Capsure
        DESTINATION ${CMAKE_INSTALL_DATADIR} COMPONENT demo)
install(FILES ${VEXA_DEMO_ROOT}/demo.palette
        DESTINATION "${CMAKE_INSTALL_DATADIR}/Orvo Kalin/Vexa Plugin" COMPONENT demo)

# --- What every package carries in its documentation folder -----------------------------------
set(CPACK_PACKAGE_CONTACT "Orvo Kalin <palette@orvokalin.example>")
string(TIMESTAMP VEXA_CHANGELOG_DATE "%a, %d %b %Y %H:%M:%S +0000" UTC)
foreach(package vexa-palette vexa-tools vexa-demo-collections)
    string(REGEX REPLACE "^vexa-(demo-collections|palette|tools)$" "\\1" component ${package})
    string(REPLACE "demo-collections" "demo" component ${component})
    set(folder ${PROJECT_BINARY_DIR}/packagedoc/${package})
    configure_file(${PROJECT_SOURCE_DIR}/resources/install/copyright.in ${folder}/copyright
                   @ONLY)
    set(VEXA_PACKAGE ${package})
    configure_file(${PROJECT_SOURCE_DIR}/resources/install/changelog.in ${folder}/changelog
                   @ONLY)
    add_custom_command(OUTPUT ${folder}/changelog.gz
        COMMAND gzip -9nkf ${folder}/changelog
        DEPENDS ${folder}/changelog
        VERBATIM)
    list(APPEND VEXA_CHANGELOGS ${folder}/changelog.gz)
    install(FILES ${folder}/copyright ${folder}/changelog.gz
            DESTINATION ${VEXA_DOC_DIR}/${package} COMPONENT ${component})
endforeach()
add_custom_target(vexa_changelogs ALL DEPENDS ${VEXA_CHANGELOGS})

# --- The Debian packages: cpack -G DEB (the package preset) -----------------------------------
set(CPACK_PACKAGE_NAME vexa)
set(CPACK_PACKAGE_VENDOR "Orvo Kalin")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_STRIP_FILES ON)
set(CPACK_PACKAGE_DIRECTORY ${PROJECT_BINARY_DIR}/packages)
set(CPACK_DEB_COMPONENT_INSTALL ON)
set(CPACK_COMPONENTS_ALL palette tools demo)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION graphics)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PALETTE_PACKAGE_NAME vexa-palette)
set(CPACK_DEBIAN_PALETTE_DESCRIPTION "colour-picker palette for a CAD program
The palette module in its autoloader bundle, the drawing host that
loads it, the Qt plug-ins it brings along, and a desktop menu entry
for the host.")
set(CPACK_DEBIAN_PALETTE_PACKAGE_RECOMMENDS vexa-demo-collections)
set(CPACK_DEBIAN_TOOLS_PACKAGE_NAME vexa-tools)
set(CPACK_DEBIAN_TOOLS_DESCRIPTION "command-line tools for the colour palette's collections
vexa-inspect shows collection authors and support what the palette
reads from the installed collections, vexa-preview shows the palette
without its host, and vexa-mkcollections writes the demo collections.")
set(CPACK_DEBIAN_DEMO_PACKAGE_NAME vexa-demo-collections)
set(CPACK_DEBIAN_DEMO_PACKAGE_ARCHITECTURE all)
set(CPACK_DEBIAN_DEMO_PACKAGE_SHLIBDEPS OFF)
set(CPACK_DEBIAN_DEMO_PACKAGE_SECTION misc)
set(CPACK_DEBIAN_DEMO_DESCRIPTION "demo colour collections for the colour palette
Demo collection databases, a demo palette file and a demo measurement
file, in the machine-wide data folder where the palette and its tools
look for them.")
include(CPack)
