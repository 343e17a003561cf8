# Installs Frond as a library other projects use (static libraries, headers
# under include/frond, a CMake package exporting Frond::frond, a pkg-config
# file), and, when they are built, the programs with a run-folder template.
include(CMakePackageConfigHelpers)

set(FROND_CMAKE_DIR ${CMAKE_INSTALL_LIBDIR}/cmake/Frond)

install(TARGETS frond platform frond_logo EXPORT FrondTargets
        ARCHIVE DESTINATION ${CMAKE_INSTALL_LIBDIR})
install(FILES ${PROJECT_SOURCE_DIR}/graphics/frond.h DESTINATION ${CMAKE_INSTALL_INCLUDEDIR}/frond)
install(DIRECTORY ${PROJECT_SOURCE_DIR}/platform/include/platform DESTINATION ${CMAKE_INSTALL_INCLUDEDIR}/frond)
install(EXPORT FrondTargets NAMESPACE Frond:: DESTINATION ${FROND_CMAKE_DIR})

configure_package_config_file(${CMAKE_CURRENT_LIST_DIR}/FrondConfig.cmake.in
                              ${PROJECT_BINARY_DIR}/FrondConfig.cmake
                              INSTALL_DESTINATION ${FROND_CMAKE_DIR})
write_basic_package_version_file(${PROJECT_BINARY_DIR}/FrondConfigVersion.cmake
                                 COMPATIBILITY SameMajorVersion)
install(FILES ${PROJECT_BINARY_DIR}/FrondConfig.cmake ${PROJECT_BINARY_DIR}/FrondConfigVersion.cmake
        DESTINATION ${FROND_CMAKE_DIR})

# The pkg-config file finds the install from its own place, so a staged or
# moved install works too.
file(RELATIVE_PATH FROND_PC_TO_PREFIX /${CMAKE_INSTALL_LIBDIR}/pkgconfig /)
string(REGEX REPLACE "/$" "" FROND_PC_TO_PREFIX "${FROND_PC_TO_PREFIX}")
configure_file(${CMAKE_CURRENT_LIST_DIR}/frond.pc.in ${PROJECT_BINARY_DIR}/frond.pc @ONLY)
install(FILES ${PROJECT_BINARY_DIR}/frond.pc DESTINATION ${CMAKE_INSTALL_LIBDIR}/pkgconfig)

install(FILES ${PROJECT_SOURCE_DIR}/LICENSE ${PROJECT_SOURCE_DIR}/CHANGELOG.md ${PROJECT_SOURCE_DIR}/README.md
        DESTINATION ${CMAKE_INSTALL_DOCDIR})

if(QUILLFERN_PROGRAMS)
  # The client runs in a folder of its own (settings.txt, bin/, font/, logs/,
  # temp/): share/quillfern/run is the template a user copies.
  set(QUILLFERN_SHARE_DIR ${CMAKE_INSTALL_DATADIR}/quillfern)
  install(TARGETS quillfern quillfern-exchange RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
  install(TARGETS pngslim encfile RUNTIME DESTINATION ${QUILLFERN_SHARE_DIR}/run/bin)
  install(DIRECTORY ${QUILLFERN_RUN_DIR}/font DESTINATION ${QUILLFERN_SHARE_DIR}/run)
  install(DIRECTORY DESTINATION ${QUILLFERN_SHARE_DIR}/run/logs)
  install(DIRECTORY DESTINATION ${QUILLFERN_SHARE_DIR}/run/temp)
  install(FILES ${PROJECT_SOURCE_DIR}/tools/run/settings.txt DESTINATION ${QUILLFERN_SHARE_DIR}/run)
  install(FILES ${PROJECT_SOURCE_DIR}/tools/run/pairs.txt DESTINATION ${QUILLFERN_SHARE_DIR})
endif()
