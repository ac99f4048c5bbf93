# Install rules and the Debian package. Included from the top level after the
# programs' targets exist, so that it can name them.
include(GNUInstallDirs)

set(card_calc_app_id io.github.cardcalc.Calculator)
set(card_calc_data_dir ${PROJECT_SOURCE_DIR}/data)

foreach(program card-calculator card-pairs)
  if(TARGET ${program})
    install(TARGETS ${program} RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
  endif()
endforeach()

if(UNIX AND NOT APPLE)
  # The metainfo and the man pages carry the project's version.
  set(card_calc_generated ${PROJECT_BINARY_DIR}/data)
  configure_file(${card_calc_data_dir}/${card_calc_app_id}.metainfo.xml.in
                 ${card_calc_generated}/${card_calc_app_id}.metainfo.xml @ONLY)

  install(FILES ${card_calc_data_dir}/${card_calc_app_id}.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
  install(FILES ${card_calc_generated}/${card_calc_app_id}.metainfo.xml
          DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
  install(DIRECTORY ${card_calc_data_dir}/icons/hicolor DESTINATION ${CMAKE_INSTALL_DATADIR}/icons
          FILES_MATCHING PATTERN "${card_calc_app_id}.png" PATTERN "${card_calc_app_id}.svg")

  # Man pages go in compressed, as Debian expects; -n keeps the archives
  # byte-identical from one build to the next.
  find_program(CARD_CALC_GZIP gzip)
  set(card_calc_man_files)
  foreach(page card-calculator.1 card-pairs.1)
    configure_file(${card_calc_data_dir}/man/${page}.in ${card_calc_generated}/man/${page} @ONLY)
    if(CARD_CALC_GZIP)
      add_custom_command(
        OUTPUT ${card_calc_generated}/man/${page}.gz
        COMMAND ${CARD_CALC_GZIP} -9nkf ${page}
        DEPENDS ${card_calc_generated}/man/${page}
        WORKING_DIRECTORY ${card_calc_generated}/man
        VERBATIM)
      list(APPEND card_calc_man_files ${card_calc_generated}/man/${page}.gz)
    else()
      list(APPEND card_calc_man_files ${card_calc_generated}/man/${page})
    endif()
  endforeach()
  add_custom_target(man_pages ALL DEPENDS ${card_calc_man_files})
  install(FILES ${card_calc_man_files} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
endif()

# `cpack -G DEB` in the build folder makes the Debian package.
set(CPACK_PACKAGE_NAME card-calculator)
set(CPACK_PACKAGE_VENDOR "The card calculator developers")
set(CPACK_PACKAGE_CONTACT "The card calculator developers <cardcalc@users.noreply.github.com>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "calculator of equal-sum card groups for a card game")
set(CPACK_PACKAGE_HOMEPAGE_URL "https://github.com/cardcalc/card-calculator")
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# The summary above is the synopsis line; this is the text under it.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
    "The player types the ranks of eight (or ten) cards; the calculator lists
every way to pick two separate, non-empty groups of them whose point totals
are equal, longest first, shows the first one in red (Ctrl+C copies it) and
counts them. The window's texts are in Chinese.

The package also holds card-pairs, which answers the same question on the
command line.")
# The libraries come from the binaries themselves (dpkg-shlibdeps).
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Added by hand, since fonts are found at run time and no binary names one: the
# Chinese texts and the help strip's Song face need a CJK font.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-arphic-uming")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
include(CPack)
