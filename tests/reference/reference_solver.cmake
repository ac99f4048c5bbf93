# The step-by-step pair search, oracle of the differential test and baseline
# of the benchmark; not part of the calculator. Included by both.
if(NOT TARGET reference_solver)
  add_library(reference_solver STATIC ${CMAKE_CURRENT_LIST_DIR}/reference_solver.cpp)
  target_include_directories(reference_solver PUBLIC ${CMAKE_CURRENT_LIST_DIR})
  target_link_libraries(reference_solver PUBLIC window_core PRIVATE project_warnings)
endif()
