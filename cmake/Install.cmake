# What `cmake --install` lays out, in the usual GNU locations: the shared kit library, its
# public headers under include/velliumkit/, the two programs, the kit's data, a bundle template,
# and the files that let another project find the kit (CMake package and pkg-config). CPack turns
# the same layout into two Debian packages: the runtime and the development files.
include(GNUInstallDirs)
include(CMakePackageConfigHelpers)

set(VK_INSTALL_INCLUDEDIR ${CMAKE_INSTALL_INCLUDEDIR}/velliumkit)
set(VK_INSTALL_CMAKEDIR ${CMAKE_INSTALL_LIBDIR}/cmake/VelliumKit)
set(VK_INSTALL_DATADIR ${CMAKE_INSTALL_DATADIR}/velliumkit)

set_target_properties(velliumkit PROPERTIES VERSION ${PROJECT_VERSION}
                                            SOVERSION ${PROJECT_VERSION_MAJOR})
install(TARGETS velliumkit LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR}
        COMPONENT runtime NAMELINK_COMPONENT development)

# The programs find the library beside them wherever the tree is installed.
file(RELATIVE_PATH vk_bin_to_lib ${CMAKE_INSTALL_FULL_BINDIR} ${CMAKE_INSTALL_FULL_LIBDIR})
foreach(program vellium vellium-preview)
  if(TARGET ${program})
    set_target_properties(${program} PROPERTIES INSTALL_RPATH "$ORIGIN/${vk_bin_to_lib}")
    install(TARGETS ${program} RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR} COMPONENT runtime)
  endif()
endforeach()

# Headers that include Cairo, Pango or ICU belong to the library's inside: a bundle never needs
# them, and leaving them out keeps those libraries' headers out of a tweak's build.
set(VK_PRIVATE_HEADERS CairoPath.h DeferredRoundedClip.h FontLibrary.h IcuSupport.h
                       PainterImpl.h RoundedRectMaskCache.h TextLayoutImpl.h)
set(vk_header_excludes)
foreach(header ${VK_PRIVATE_HEADERS})
  list(APPEND vk_header_excludes PATTERN ${header} EXCLUDE)
endforeach()
foreach(part platform kit)
  install(DIRECTORY ${PROJECT_SOURCE_DIR}/src/${part}/ DESTINATION ${VK_INSTALL_INCLUDEDIR}
          COMPONENT development FILES_MATCHING PATTERN "*.h" ${vk_header_excludes})
endforeach()

install(DIRECTORY ${PROJECT_SOURCE_DIR}/examples/BundleTemplate/
        DESTINATION ${VK_INSTALL_DATADIR}/bundle-template COMPONENT development)

# The CMake package: an imported target written by hand, since the library is one shared object
# whose platform parts are object libraries with no install rules of their own.
configure_package_config_file(${PROJECT_SOURCE_DIR}/cmake/install/VelliumKitConfig.cmake.in
                              ${PROJECT_BINARY_DIR}/VelliumKitConfig.cmake
                              INSTALL_DESTINATION ${VK_INSTALL_CMAKEDIR}
                              PATH_VARS VK_INSTALL_INCLUDEDIR CMAKE_INSTALL_LIBDIR)
write_basic_package_version_file(${PROJECT_BINARY_DIR}/VelliumKitConfigVersion.cmake
                                 COMPATIBILITY SameMinorVersion)
install(FILES ${PROJECT_BINARY_DIR}/VelliumKitConfig.cmake
              ${PROJECT_BINARY_DIR}/VelliumKitConfigVersion.cmake
              ${PROJECT_SOURCE_DIR}/cmake/install/VelliumKitBundle.cmake
        DESTINATION ${VK_INSTALL_CMAKEDIR} COMPONENT development)

file(RELATIVE_PATH vk_pc_to_prefix ${CMAKE_INSTALL_FULL_LIBDIR}/pkgconfig ${CMAKE_INSTALL_PREFIX})
configure_file(${PROJECT_SOURCE_DIR}/cmake/install/velliumkit.pc.in
               ${PROJECT_BINARY_DIR}/velliumkit.pc @ONLY)
install(FILES ${PROJECT_BINARY_DIR}/velliumkit.pc
        DESTINATION ${CMAKE_INSTALL_LIBDIR}/pkgconfig COMPONENT development)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME velliumkit)
set(CPACK_PACKAGE_VENDOR "VelliumKit")
set(CPACK_PACKAGE_CONTACT "VelliumKit developers <dev@velliumkit.invalid>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Settings-UI kit for tweak preference screens")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEB_COMPONENT_INSTALL ON)
set(CPACK_COMPONENTS_ALL runtime development)
set(CPACK_DEBIAN_RUNTIME_PACKAGE_NAME velliumkit)
set(CPACK_DEBIAN_DEVELOPMENT_PACKAGE_NAME velliumkit-dev)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_SECTION libs)
set(CPACK_DEBIAN_RUNTIME_PACKAGE_SECTION libs)
set(CPACK_DEBIAN_DEVELOPMENT_PACKAGE_SECTION libdevel)
set(CPACK_DEBIAN_DEVELOPMENT_PACKAGE_DEPENDS "velliumkit (= ${PROJECT_VERSION})")
set(CPACK_COMPONENT_RUNTIME_DESCRIPTION "VelliumKit's shared library, data and the vellium programs")
set(CPACK_COMPONENT_DEVELOPMENT_DESCRIPTION "Headers, CMake and pkg-config files for building tweak bundles")
include(CPack)
