# Installs the build into a fresh staging folder: ${stage}/usr.
file(REMOVE_RECURSE ${stage})
execute_process(COMMAND ${CMAKE_COMMAND} --install ${build_dir} --prefix ${stage}/usr
                RESULT_VARIABLE result OUTPUT_QUIET)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "cmake --install failed: ${result}")
endif()
