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

# zanfira_test_folder(NAME DIR <dir> DEPS targets...
#                     [APPLICATION core|gui|widgets|desktop] [LABELS labels...])
# One GoogleTest executable per test folder, with the shared entry point of
# tests/common/TestMain.cpp; APPLICATION picks the Qt application object it
# makes (core by default; desktop is widgets set up as the desktop client,
# for tests linking zf_app). Each test case becomes a CTest test labelled
# LABELS (unit by default). Test cases whose name holds "Screenshot" only
# write pictures for a look by eye: they are labelled screenshots instead.
# Widget tests run on the offscreen platform.
function(zanfira_test_folder name)
  cmake_parse_arguments(ARG "" "DIR;APPLICATION" "DEPS;LABELS" ${ARGN})
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
  if(NOT ARG_APPLICATION OR ARG_APPLICATION STREQUAL "core")
    set(application 1)
  elseif(ARG_APPLICATION STREQUAL "gui")
    set(application 2)
    list(APPEND deps Qt6::Gui)
  elseif(ARG_APPLICATION STREQUAL "widgets")
    set(application 3)
    list(APPEND deps Qt6::Widgets)
  elseif(ARG_APPLICATION STREQUAL "desktop")
    set(application 4)
    list(APPEND deps Qt6::Widgets)
  else()
    message(FATAL_ERROR "zanfira_test_folder(${name}): APPLICATION is core, gui, widgets or desktop")
  endif()
  add_executable(${name} ${srcs} ${PROJECT_SOURCE_DIR}/tests/common/TestMain.cpp)
  target_link_libraries(${name} PRIVATE ${deps} zf_testsupport GTest::gtest GTest::gmock)
  target_compile_definitions(${name} PRIVATE
      ZANFIRA_TEST_APPLICATION=${application}
      ZANFIRA_SOURCE_DIR="${PROJECT_SOURCE_DIR}"
      ZANFIRA_BINARY_DIR="${PROJECT_BINARY_DIR}"
      ZANFIRA_PROGRAM_FOLDER="${ZANFIRA_PROGRAM_FOLDER}"
      ZANFIRA_SHARED_DIR="${PROJECT_SOURCE_DIR}/../shared")
  set(labels ${ARG_LABELS})
  if(NOT labels)
    set(labels unit)
  endif()
  set(environment "QT_QPA_PLATFORM=offscreen;ZANFIRA_HOME=${ZANFIRA_PROGRAM_FOLDER}")
  gtest_discover_tests(${name}
      TEST_FILTER "-*Screenshot*"
      DISCOVERY_MODE PRE_TEST
      DISCOVERY_TIMEOUT 60
      PROPERTIES LABELS "${labels}" ENVIRONMENT "${environment}")
  gtest_discover_tests(${name}
      TEST_FILTER "*Screenshot*"
      DISCOVERY_MODE PRE_TEST
      DISCOVERY_TIMEOUT 60
      PROPERTIES LABELS "screenshots" ENVIRONMENT "${environment}")
  if(TARGET programfolder)
    add_dependencies(${name} programfolder)
  endif()
endfunction()
