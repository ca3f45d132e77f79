# zanfira_library(NAME DIR <dir> [DEPS targets...])
# One static library per source folder; its sources are the .cpp/.h files of
# the folder and its subfolders, so adding a file needs no CMake change.
function(zanfira_library name)
  cmake_parse_arguments(ARG "" "DIR" "DEPS" ${ARGN})
  file(GLOB_RECURSE srcs CONFIGURE_DEPENDS
       ${ARG_DIR}/*.cpp ${ARG_DIR}/*.h ${ARG_DIR}/*.qrc)
  if(NOT srcs)
    return()
  endif()
  # Layers that do not exist yet are left out rather than linked by name.
  set(deps "")
  foreach(d IN LISTS ARG_DEPS)
    if(d MATCHES "^zf_" AND NOT TARGET ${d})
      continue()
    endif()
    list(APPEND deps ${d})
  endforeach()
  add_library(${name} STATIC ${srcs})
  target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR}/src)
  target_link_libraries(${name} PUBLIC ${deps})
  target_compile_options(${name} PRIVATE -Wall -Wextra)
endfunction()

# zanfira_test_folder(NAME DIR <dir> DEPS targets... [LABELS labels...])
# One GoogleTest executable per test folder; each test case becomes a CTest
# test. Widget tests run on the offscreen platform.
function(zanfira_test_folder name)
  cmake_parse_arguments(ARG "" "DIR" "DEPS;LABELS" ${ARGN})
  file(GLOB_RECURSE srcs CONFIGURE_DEPENDS ${ARG_DIR}/*.cpp ${ARG_DIR}/*.h)
  if(NOT srcs)
    return()
  endif()
  set(deps "")
  foreach(d IN LISTS ARG_DEPS)
    if(d MATCHES "^zf_" AND NOT TARGET ${d})
      continue()
    endif()
    list(APPEND deps ${d})
  endforeach()
  add_executable(${name} ${srcs})
  target_link_libraries(${name} PRIVATE ${deps} zf_testsupport GTest::gtest GTest::gmock)
  target_compile_definitions(${name} PRIVATE
      ZANFIRA_SOURCE_DIR="${PROJECT_SOURCE_DIR}"
      ZANFIRA_BINARY_DIR="${PROJECT_BINARY_DIR}"
      ZANFIRA_PROGRAM_FOLDER="${ZANFIRA_PROGRAM_FOLDER}"
      ZANFIRA_SHARED_DIR="${PROJECT_SOURCE_DIR}/../shared")
  set(labels ${ARG_LABELS})
  if(NOT labels)
    set(labels unit)
  endif()
  gtest_discover_tests(${name}
      DISCOVERY_MODE PRE_TEST
      DISCOVERY_TIMEOUT 60
      PROPERTIES LABELS "${labels}"
                 ENVIRONMENT "QT_QPA_PLATFORM=offscreen;ZANFIRA_HOME=${ZANFIRA_PROGRAM_FOLDER}")
  if(TARGET programfolder)
    add_dependencies(${name} programfolder)
  endif()
endfunction()
